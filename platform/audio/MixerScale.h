#pragma once
// The master volume's scale, 0 to 65535 as the program reads and writes it, over a mixer element's own
// range [low, high] (any width, negative ends allowed). Both ways round to the nearest step and clamp
// to the ends, so the ends map to the ends; on an element with no more steps than the scale a level
// read and written back is the same level, on a finer one a volume written and read back is the same.

#include "platform/base/WinTypes.h"

constexpr long kMixerFullScale = 65535;

// The element level for a volume; high must be above low.
constexpr long MixerLevelFromVolume(DWORD volume, long low, long high) {
    const long long v = volume > DWORD(kMixerFullScale) ? kMixerFullScale : (long long)volume;
    return long(low + (v * ((long long)high - low) + kMixerFullScale / 2) / kMixerFullScale);
}

// The volume for an element level; high must be above low.
constexpr DWORD MixerVolumeFromLevel(long level, long low, long high) {
    const long long range = (long long)high - low;
    const long long clamped = level < low ? low : (level > high ? high : level);
    return DWORD(((clamped - low) * kMixerFullScale + range / 2) / range);
}
