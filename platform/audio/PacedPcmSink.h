#pragma once
// A playback device without hardware: samples pass at the real rate, as if heard, and are then
// appended to a WAVE file when one is given (the device "none" writes nowhere).

#include "platform/audio/PcmDevice.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

class CPacedPcmSink final : public IPcmSink {
public:
    using Clock = std::chrono::steady_clock;

    // An empty path plays into nothing.
    CPacedPcmSink(DWORD rate, std::string path);
    ~CPacedPcmSink() override;
    CPacedPcmSink(const CPacedPcmSink&) = delete;
    CPacedPcmSink& operator=(const CPacedPcmSink&) = delete;

    // Creates the file (with an empty header); false when it cannot be created.
    bool Open();

    long Accept(const SHORT* samples, long frames) override;
    long Delay() override;
    void Drop() override;
    int FullWaitMs() const override { return 10; }

private:
    // Moves what has been heard by now out of the pending samples (into the file).
    void Settle();
    void WriteHeard(std::size_t count);
    void UpdateHeader();

    const DWORD m_rate;
    const std::string m_path;
    std::FILE* m_file = nullptr;
    DWORD m_dataBytes = 0;
    std::vector<SHORT> m_pending;
    Clock::time_point m_base{};
    unsigned long long m_heardSinceBase = 0;
};
