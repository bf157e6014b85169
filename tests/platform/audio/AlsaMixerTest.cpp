// The ALSA mixer on devices that cannot exist: it must fail cleanly, never touch a real card, and
// leave every later call failing.

#include "platform/audio/AlsaMixer.h"
#include "platform/audio/MixerScale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

TEST(AlsaMixer, ADeviceThatIsNotThereFailsEveryCall) {
    for (const char* device : {"none", "hw:99", "no-such-mixer-device"}) {
        CAlsaMixer mixer(device);
        EXPECT_NE(mixer.Open(), MMSYSERR_NOERROR) << device;
        DWORD volume = 777;
        BOOL muted = 7;
        EXPECT_NE(mixer.GetVolume(&volume), MMSYSERR_NOERROR);
        EXPECT_NE(mixer.SetVolume(40000), MMSYSERR_NOERROR);
        EXPECT_NE(mixer.GetMute(&muted), MMSYSERR_NOERROR);
        EXPECT_NE(mixer.SetMute(TRUE), MMSYSERR_NOERROR);
        EXPECT_EQ(volume, 777u);
        EXPECT_EQ(muted, 7);
        EXPECT_EQ(mixer.GetChannelCount(), 1u);
        mixer.Close();
        mixer.Close();
    }
}

// The program's 0-65535 volume over the ranges real mixer elements have: a codec's 5-bit and 7-bit
// steps, a range in hundredths of a decibel below zero, and one finer than the volume itself.
TEST(AlsaMixer, VolumeMapsOntoTheElementRangeRoundedAndClamped) {
    struct Range {
        long low;
        long high;
    } const ranges[] = {{0, 31}, {0, 87}, {-10239, 0}, {-6000, 400}, {0, 100000}};
    for (const Range& r : ranges) {
        SCOPED_TRACE(std::to_string(r.low) + ".." + std::to_string(r.high));
        EXPECT_EQ(MixerLevelFromVolume(0, r.low, r.high), r.low);
        EXPECT_EQ(MixerLevelFromVolume(65535, r.low, r.high), r.high);
        EXPECT_EQ(MixerLevelFromVolume(0xFFFFFFFF, r.low, r.high), r.high);
        EXPECT_EQ(MixerVolumeFromLevel(r.low, r.low, r.high), 0u);
        EXPECT_EQ(MixerVolumeFromLevel(r.high, r.low, r.high), 65535u);
        EXPECT_EQ(MixerVolumeFromLevel(r.low - 5, r.low, r.high), 0u);
        EXPECT_EQ(MixerVolumeFromLevel(r.high + 5, r.low, r.high), 65535u);
        // What the coarser side holds comes back unchanged; the finer side comes back within half a
        // step of the coarser one.
        const bool coarse = r.high - r.low <= kMixerFullScale;
        const long step = std::max<long>(1, (r.high - r.low) / 97);
        for (long level = r.low; level <= r.high; level += step) {
            const long back = MixerLevelFromVolume(MixerVolumeFromLevel(level, r.low, r.high), r.low, r.high);
            EXPECT_LE(std::abs(back - level), coarse ? 0 : long((r.high - r.low) / (2 * kMixerFullScale)) + 1) << level;
        }
        const double perStep = 65535.0 / double(r.high - r.low);
        for (DWORD volume : {1u, 12345u, 32767u, 40000u, 65534u}) {
            const DWORD back = MixerVolumeFromLevel(MixerLevelFromVolume(volume, r.low, r.high), r.low, r.high);
            EXPECT_LE(std::abs(double(back) - double(volume)), coarse ? perStep / 2 + 1 : 0) << volume;
        }
    }
}

} // namespace
