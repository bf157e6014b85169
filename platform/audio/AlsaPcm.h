#pragma once
// Opening ALSA PCM devices the way both directions need them.

#include "platform/base/WinTypes.h"

#include <string>

struct _snd_pcm;

// Opens `device` without waiting for 16-bit mono samples at exactly `rate`, with periods of about
// 64 ms and room for four. Null when it cannot be had or is ALSA's null device. *periodMs receives
// the period's length, *bufferFrames the room the device has.
_snd_pcm* OpenAlsaPcm(const std::string& device, bool capture, DWORD rate, int* periodMs, long* bufferFrames);

// Some devices (ALSA's null device behind a plug, a file plugin without a clock) take and give
// samples at once instead of at the rate. Such a device is caught by its throughput and then held to
// the rate by the wall clock.
class CRateGuard {
public:
    CRateGuard(DWORD rate, long bufferFrames);
    // Samples taken (or given) by the device; true once it has shown that it does not keep the rate.
    void Count(long frames);
    bool Unpaced() const { return m_unpaced; }
    // Unpaced devices: samples not heard yet by the wall clock (playback).
    long PendingFrames() const;
    // Unpaced devices: samples the wall clock allows to be recorded now (capture).
    long AllowedFrames() const;
    void Restart();

private:
    long long ElapsedFrames() const;

    const DWORD m_rate;
    const long m_bufferFrames;
    long long m_startNs = 0;
    long long m_counted = 0;
    bool m_unpaced = false;
};
