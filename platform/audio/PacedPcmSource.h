#pragma once
// A recording device without hardware: the samples of a WAVE file come in at the real rate while
// recording runs; without a file (the device "none"), or once the file is used up, nothing comes.

#include "platform/audio/PcmDevice.h"

#include <chrono>
#include <string>
#include <vector>

class CPacedPcmSource final : public IPcmSource {
public:
    using Clock = std::chrono::steady_clock;

    CPacedPcmSource(DWORD rate, std::string path);

    // Reads the file (when there is one); WAVERR_BADFORMAT for a file that is not mono 16-bit PCM or
    // 8-bit µ-law at the device's rate, MMSYSERR_ERROR when it cannot be read.
    MMRESULT Open();

    void Start() override;
    void Stop() override;
    long Read(SHORT* samples, long frames) override;
    int WaitMs(long frames) const override;

private:
    long Ready() const;

    const DWORD m_rate;
    const std::string m_path;
    std::vector<SHORT> m_samples;
    std::size_t m_position = 0;
    bool m_running = false;
    Clock::time_point m_base{};
    unsigned long long m_takenSinceBase = 0;
};
