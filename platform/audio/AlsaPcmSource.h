#pragma once
// Recording from an ALSA PCM device: 16-bit mono samples, read without waiting.

#include "platform/audio/AlsaPcm.h"
#include "platform/audio/PcmDevice.h"

#include <memory>
#include <string>

struct _snd_pcm;

class CAlsaPcmSource final : public IPcmSource {
public:
    ~CAlsaPcmSource() override;
    CAlsaPcmSource(const CAlsaPcmSource&) = delete;
    CAlsaPcmSource& operator=(const CAlsaPcmSource&) = delete;

    // Null when the device cannot be opened for mono 16-bit samples at `rate` (and for ALSA's null
    // device, which would give endless silence at no pace).
    static std::unique_ptr<CAlsaPcmSource> Open(const std::string& device, DWORD rate);

    void Start() override;
    void Stop() override;
    long Read(SHORT* samples, long frames) override;
    int WaitMs(long frames) const override;

private:
    CAlsaPcmSource(_snd_pcm* pcm, int periodMs, DWORD rate, long bufferFrames)
        : m_pcm(pcm), m_periodMs(periodMs), m_guard(rate, bufferFrames) {}

    _snd_pcm* m_pcm;
    int m_periodMs;
    CRateGuard m_guard;
    bool m_running = false;
};
