// The ALSA mixer on devices that cannot exist: it must fail cleanly, never touch a real card, and
// leave every later call failing.

#include "platform/audio/AlsaMixer.h"

#include <gtest/gtest.h>

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

} // namespace
