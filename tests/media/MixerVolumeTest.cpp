// The master volume and mute over a fake mixer, so no test ever changes the machine's real volume.

#include "media/MixerVolume.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct MixerState {
    bool present = true;
    bool hasMute = true;
    DWORD volume = 12345;
    BOOL muted = FALSE;
    int opens = 0;
    int closes = 0;
    int writes = 0;
};

class CFakeMixer : public IMasterMixer {
public:
    explicit CFakeMixer(MixerState& state) : m_state(state) {}
    MMRESULT Open() override {
        ++m_state.opens;
        return m_state.present ? MMSYSERR_NOERROR : MMSYSERR_NODRIVER;
    }
    void Close() override { ++m_state.closes; }
    UINT GetChannelCount() const override { return 2; }
    MMRESULT GetVolume(DWORD* value) override {
        *value = m_state.volume;
        return MMSYSERR_NOERROR;
    }
    MMRESULT SetVolume(DWORD value) override {
        ++m_state.writes;
        m_state.volume = value;
        return MMSYSERR_NOERROR;
    }
    MMRESULT GetMute(BOOL* muted) override {
        if (!m_state.hasMute) {
            return MIXERR_INVALCONTROL;
        }
        *muted = m_state.muted;
        return MMSYSERR_NOERROR;
    }
    MMRESULT SetMute(BOOL muted) override {
        if (!m_state.hasMute) {
            return MIXERR_INVALCONTROL;
        }
        ++m_state.writes;
        m_state.muted = muted;
        return MMSYSERR_NOERROR;
    }

private:
    MixerState& m_state;
};

TEST(MixerVolume, RemembersChangesAndRestoresAsTheMainWindowDoes) {
    MixerState state;
    {
        CMixerVolume mixer(std::make_unique<CFakeMixer>(state));
        EXPECT_EQ(state.opens, 1);
        EXPECT_EQ(mixer.GetChannelCount(), 2u);
        const int savedVolume = mixer.GetVolume();
        const bool savedMute = mixer.GetMute();
        EXPECT_EQ(savedVolume, 12345);
        EXPECT_FALSE(savedMute);
        EXPECT_EQ(mixer.GetLastResult(), MMSYSERR_NOERROR);

        EXPECT_TRUE(mixer.SetVolume(40000));
        EXPECT_EQ(mixer.GetVolume(), 40000);
        EXPECT_TRUE(mixer.SetMute(true));
        EXPECT_TRUE(mixer.GetMute());

        EXPECT_TRUE(mixer.SetVolume(DWORD(savedVolume)));
        EXPECT_TRUE(mixer.SetMute(savedMute));
    }
    EXPECT_EQ(state.volume, 12345u);
    EXPECT_EQ(state.muted, FALSE);
    EXPECT_EQ(state.closes, 1);
}

TEST(MixerVolume, WithoutAMixerEveryCallFailsAndChangesNothing) {
    MixerState state;
    state.present = false;
    CMixerVolume mixer(std::make_unique<CFakeMixer>(state));
    EXPECT_NE(mixer.GetLastResult(), MMSYSERR_NOERROR);
    EXPECT_EQ(mixer.GetChannelCount(), 1u);
    EXPECT_EQ(mixer.GetVolume(), -1);
    EXPECT_NE(mixer.GetLastResult(), MMSYSERR_NOERROR);
    EXPECT_FALSE(mixer.SetVolume(40000));
    EXPECT_FALSE(mixer.GetMute());
    EXPECT_NE(mixer.GetLastResult(), MMSYSERR_NOERROR);
    EXPECT_FALSE(mixer.SetMute(true));
    EXPECT_EQ(state.writes, 0);
    EXPECT_EQ(state.volume, 12345u);

    // No mixer object at all behaves the same.
    CMixerVolume none(nullptr);
    EXPECT_EQ(none.GetVolume(), -1);
    EXPECT_FALSE(none.SetMute(false));
}

TEST(MixerVolume, AMissingMuteControlFailsOnlyTheMuteCalls) {
    MixerState state;
    state.hasMute = false;
    CMixerVolume mixer(std::make_unique<CFakeMixer>(state));
    EXPECT_FALSE(mixer.GetMute());
    EXPECT_EQ(mixer.GetLastResult(), MIXERR_INVALCONTROL);
    EXPECT_FALSE(mixer.SetMute(true));
    EXPECT_EQ(mixer.GetLastResult(), MIXERR_INVALCONTROL);
    // A failure is remembered only until the next call succeeds.
    EXPECT_EQ(mixer.GetVolume(), 12345);
    EXPECT_EQ(mixer.GetLastResult(), MMSYSERR_NOERROR);
}

TEST(MixerVolume, TheSystemMixerIsAbsentWhenTheEnvironmentSaysNone) {
    ::setenv(kMixerDeviceVariable, "none", 1);
    CMixerVolume mixer;
    EXPECT_EQ(mixer.GetVolume(), -1);
    EXPECT_FALSE(mixer.SetVolume(40000));
    EXPECT_FALSE(mixer.SetMute(true));
}

} // namespace
