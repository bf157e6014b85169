#pragma once
// The wave-out device: buffers of µ-law or 16-bit PCM samples are played in the order written, and
// each comes back through the callback (MM_WOM_DONE) once it has been heard. The volume is applied
// to the samples as they go to the device (low word: the one channel).

#include "platform/audio/WaveDevice.h"

#include <memory>

class CWaveOut final : public CWaveDevice {
public:
    CWaveOut() = default;
    ~CWaveOut() override;

    // device: see PcmDevice.h (null: the environment's choice). WAVERR_BADFORMAT for a format other
    // than mono µ-law or mono 16-bit PCM; MMSYSERR_ALLOCATED when already open.
    MMRESULT Open(const char* device, const WAVEFORMATEX& format, WaveCallback callback);
    MMRESULT Write(WAVEHDR* header) { return Queue(header); }
    // 0xFFFF in a word is full volume, 0 silence; it applies to buffers not yet begun.
    MMRESULT SetVolume(DWORD volume);

private:
    struct Flight {
        WAVEHDR* header;
        unsigned long long end; // samples taken by the device once this buffer is in
    };

    void Run() override;
    void CloseDevice() override { m_sink.reset(); }
    void OnReset() override;
    // The buffer's samples at the volume, as the device takes them.
    void Convert(const WAVEHDR& header, DWORD volume);
    // Offers the current buffer to the device; false when the device is full.
    bool Feed();
    std::vector<WAVEHDR*> TakeHeard();
    // How long to sleep before anything can happen, in ms; -1: until woken.
    int IdleWaitMs(bool full) const;

    DWORD m_volume = 0xFFFFFFFF;
    std::unique_ptr<IPcmSink> m_sink;

    // The device thread's own state.
    std::deque<Flight> m_flights;
    WAVEHDR* m_current = nullptr;
    std::vector<SHORT> m_samples;
    std::size_t m_offset = 0;
    unsigned long long m_written = 0;
    unsigned long long m_heard = 0;
};
