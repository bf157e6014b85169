#pragma once
// Playback on an ALSA PCM device: 16-bit mono samples, written without waiting.

#include "platform/audio/AlsaPcm.h"
#include "platform/audio/PcmDevice.h"

#include <memory>
#include <string>

struct _snd_pcm;

class CAlsaPcmSink final : public IPcmSink {
public:
    ~CAlsaPcmSink() override;
    CAlsaPcmSink(const CAlsaPcmSink&) = delete;
    CAlsaPcmSink& operator=(const CAlsaPcmSink&) = delete;

    // Null when the device cannot be opened for mono 16-bit samples at `rate`, and for ALSA's null
    // device, which takes samples faster than they could be heard.
    static std::unique_ptr<CAlsaPcmSink> Open(const std::string& device, DWORD rate);

    long Accept(const SHORT* samples, long frames) override;
    long Delay() override;
    void Drop() override;
    int FullWaitMs() const override { return m_periodMs; }

private:
    CAlsaPcmSink(_snd_pcm* pcm, int periodMs, DWORD rate, long bufferFrames)
        : m_pcm(pcm), m_periodMs(periodMs), m_guard(rate, bufferFrames) {}

    _snd_pcm* m_pcm;
    int m_periodMs;
    CRateGuard m_guard;
};
