// Remote playback against a scripted recorder: its start and end, the play commands' bytes, speed
// codes, flow control and the resume target.
#include "protocol/ByteOrder.h"
#include "protocol/ReasonCodes.h"
#include "res/PlayModes.h"
#include "tests/protocol/ClientRig.h"
#include "tests/protocol/FrameBytes.h"

using namespace rig;
using namespace framebytes;

namespace {

// Recorder times of today, 2026-12-10 09:00 UTC on: in milliseconds they no longer fit 32 bits.
constexpr DWORD kToday = 1796893200;

Bytes PlayBlock(int channel, DWORD time, WORD ms = 0, const char* name = nullptr, bool plain = false) {
    FrameShape f;
    f.channel = channel;
    f.time = time;
    f.milliseconds = ms;
    f.videoSize = 300;
    f.fill = BYTE(time);
    if (plain) {
        return MakeFrame(f);
    }
    RecordShape rec;
    rec.time = time;
    rec.cameraName = name != nullptr ? name : "";
    return MakeBlock(rec, f);
}

void SendPlay(ClientRig& r, const Bytes& block, unsigned speedCode = 11) {
    Header h;
    h.id = Msg::PLAY_DATA;
    h.speedCode = speedCode;
    ASSERT_TRUE(r.Send(h, block));
}

struct Sent {
    unsigned id;
    Bytes payload;
};

Sent Credit(DWORD n) {
    return {Msg::PLAY_STEP_DATA, BE32(n)};
}

Bytes StartRecord(DWORD mask, BYTE v11, DWORD time) {
    Bytes b(24, 0);
    WriteBE32(b.data(), mask);
    b[5] = v11;
    WriteBE32(b.data() + 16, time);
    return b;
}

// Starts playback (live view first, as the client has it after login) and reads the client's answer.
void StartPlayback(ClientRig& r) {
    r.StartLive();
    r.Send(Msg::PLAY_ON_ACK);
    EXPECT_EQ(r.Next().id, unsigned(Msg::LIVE_STOP));
    const ScriptedRecorder::Received credit = r.Next();
    EXPECT_EQ(credit.id, unsigned(Msg::PLAY_STEP_DATA));
    EXPECT_EQ(credit.payload, BE32(93));
    r.Sync();
}

void ExpectSent(ClientRig& r, const std::vector<Sent>& expected, const std::string& what) {
    for (const Sent& e : expected) {
        const ScriptedRecorder::Received got = r.Next();
        ASSERT_TRUE(got.ok) << what;
        EXPECT_EQ(got.id, e.id) << what;
        EXPECT_EQ(got.payload, e.payload) << what << " id " << e.id;
    }
    EXPECT_TRUE(r.Quiet(50)) << what;
}

std::vector<DWORD> QueuedTimes(ClientRig& r, int channel) {
    std::vector<DWORD> times;
    while (auto item = r.media.Decoder(channel)->queue.Take()) {
        times.push_back(item->descriptor.frame_time);
    }
    return times;
}

} // namespace

TEST(ClientPlay, StartStopsLiveViewAndGrantsTheFirstCredit) {
    ClientRig r;
    StartPlayback(r);
    EXPECT_TRUE(r.client->Play().IsRemotePlay());
    EXPECT_FALSE(r.client->IsLive());
    EXPECT_EQ(r.client->Play().GetPlayMode(), kPlayForward);
    EXPECT_EQ(r.video.playSource.load(), 2);
    EXPECT_EQ(r.media.Decoder(0)->source, 2);
    EXPECT_TRUE(r.host.WaitFor(
        [](const HostCall& c) { return c.kind == HostCall::Post && c.message == WM_KELO_PLAY_STARTED; }));
    const std::size_t decoders = r.media.Decoders().size();
    r.Send(Msg::PLAY_ON_ACK); // a second acknowledgement changes nothing
    r.Sync();
    EXPECT_TRUE(r.Quiet(50));
    EXPECT_EQ(r.media.Decoders().size(), decoders);
}

TEST(ClientPlay, PlayCommandsSendTheirBytes) {
    ClientRig r;
    StartPlayback(r);
    r.client->Play().SetPlayMask(0x000F);
    r.video.visible = 0x00F0;
    const DWORD T = kToday;
    struct Step {
        int mode;
        DWORD clock;
        std::vector<Sent> sent;
        int startState;
    };
    const std::vector<Step> steps = {
        {4, T, {{Msg::PLAY_PAUSE, {}}}, 1},
        {3, T, {{Msg::PLAY_PAUSE, {}}, {Msg::PLAY_FORWARD, StartRecord(0x000F, 1, T)}, Credit(93)}, 2},
        {4, T, {{Msg::PLAY_PAUSE, {}}}, 1},
        {2, T + 5, {{Msg::PLAY_BACKWARD, StartRecord(0x000F, 1, T + 6)}, Credit(93)}, 2},
        {7, T, {{Msg::PLAY_PAUSE, {}}, {Msg::PLAY_NEXT_STEP, {}}, {Msg::PLAY_CH_CHANGE, BE32(0x00F0)}, Credit(1)}, 2},
        {1, T, {{Msg::PLAY_PAUSE, {}}, {Msg::PLAY_PREV_STEP, {}}, {Msg::PLAY_CH_CHANGE, BE32(0x00F0)}, Credit(1)}, 2},
        {4, T, {{Msg::PLAY_PAUSE, {}}}, 1},
        {7, T + 9, {{Msg::PLAY_FORWARD, StartRecord(0x00F0, 1, T + 9)}, Credit(1)}, 2},
        {4, T, {{Msg::PLAY_PAUSE, {}}}, 1},
        {1, T + 9, {{Msg::PLAY_BACKWARD, StartRecord(0x00F0, 1, T + 10)}, Credit(16)}, 2},
        {3, T, {{Msg::PLAY_FORWARD, {}}, Credit(93)}, 0},
        {2, T, {{Msg::PLAY_BACKWARD, {}}, Credit(93)}, 0},
        {5, T, {}, 0},
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        r.client->Play().SetPlayClock(steps[i].clock);
        r.client->Play().PlayControl(steps[i].mode);
        ExpectSent(r, steps[i].sent, "step " + std::to_string(i) + " mode " + std::to_string(steps[i].mode));
        EXPECT_EQ(r.client->Play().GetStartState(), steps[i].startState) << i;
    }
}

TEST(ClientPlay, OlderRecordersGetNoVersionFlagInTheStartRecord) {
    Options options;
    options.versionMinor = 0;
    ClientRig r(options);
    StartPlayback(r);
    r.client->Play().SetPlayMask(0x1);
    r.client->Play().PlayControl(4);
    r.client->Play().SetPlayClock(kToday);
    r.client->Play().PlayControl(3);
    ExpectSent(
        r, {{Msg::PLAY_PAUSE, {}}, {Msg::PLAY_PAUSE, {}}, {Msg::PLAY_FORWARD, StartRecord(1, 0, kToday)}, Credit(93)},
        "1.0");
}

TEST(ClientPlay, SpeedCodesSetTheSpeedAndDirection) {
    struct Case {
        std::uint8_t minor;
        unsigned code;
        int speed;
        int direction;
    };
    const Case cases[] = {
        {2, 6, -4, -3}, {2, 7, -3, -2}, {2, 8, -2, -1}, {2, 9, -1, 0}, {2, 10, 0, 0},
        {2, 12, 2, 2},  {2, 13, 3, 3},  {2, 14, 4, 4},  {0, 12, 2, 2}, {0, 13, 0, 0},
    };
    for (const Case& c : cases) {
        Options options;
        options.versionMinor = c.minor;
        ClientRig r(options);
        StartPlayback(r);
        SendPlay(r, PlayBlock(0, kToday), c.code);
        r.Sync();
        EXPECT_EQ(r.client->Play().GetSpeedState(), c.speed) << "1." << int(c.minor) << " code " << c.code;
        EXPECT_EQ(r.client->Play().GetPlayDirection(), c.direction) << "1." << int(c.minor) << " code " << c.code;
        EXPECT_EQ(QueuedTimes(r, 0), std::vector<DWORD>{kToday});
    }
}

TEST(ClientPlay, EveryFortyEighthFrameReturnsCredit) {
    ClientRig r;
    StartPlayback(r);
    for (DWORD i = 0; i < 100; ++i) {
        SendPlay(r, PlayBlock(int(i % 4), kToday + i), 12);
    }
    r.Sync();
    ExpectSent(r, {Credit(48), Credit(48)}, "100 frames");
    // Paused (step mode): no credit is returned by frames.
    r.client->Play().PlayControl(4);
    ExpectSent(r, {{Msg::PLAY_PAUSE, {}}}, "pause");
    r.client->Play().PlayControl(7);
    ExpectSent(r,
               {{Msg::PLAY_FORWARD, StartRecord(r.client->Play().GetPlayMask(), 1, r.client->Play().GetPlayClock())},
                Credit(1)},
               "step");
    for (DWORD i = 0; i < 60; ++i) {
        SendPlay(r, PlayBlock(0, kToday + 100 + i), 12);
    }
    r.Sync();
    // The first frame reaches the step's target; the rest return no credit.
    ExpectSent(r, {{Msg::PLAY_PAUSE, {}}, {Msg::PLAY_NEXT_STEP, {}}, {Msg::PLAY_CH_CHANGE, BE32(0xFFFF)}, Credit(1)},
               "stepped");
}

TEST(ClientPlay, ResumesExactlyAtTheStartRecordsTime) {
    ClientRig r;
    StartPlayback(r);
    const DWORD T = kToday;
    SendPlay(r, PlayBlock(1, T - 5), 12);
    r.Sync();
    EXPECT_EQ(r.client->Play().GetPlayClock(), T - 5);
    r.client->Play().PlayControl(4);
    r.client->Play().SetPlayClock(T);
    r.client->Play().PlayControl(3);
    r.Sync();
    EXPECT_EQ(r.client->Play().GetResumeTargetMs(), ULONGLONG(T) * 1000);
    QueuedTimes(r, 1);
    // Forward: frames before the target are dropped, the frame at it resumes playback.
    for (DWORD t : {T - 2, T - 1, T, T + 1}) {
        SendPlay(r, PlayBlock(1, t), 12);
    }
    r.Sync();
    EXPECT_EQ(QueuedTimes(r, 1), (std::vector<DWORD>{T, T + 1}));
    EXPECT_EQ(r.client->Play().GetStartState(), 0);

    // Backward from forward play: the target is approached from above.
    r.client->Play().PlayControl(4);
    r.client->Play().SetPlayClock(T + 10);
    r.client->Play().PlayControl(2);
    r.Sync();
    EXPECT_EQ(r.client->Play().GetResumeTargetMs(), ULONGLONG(T + 11) * 1000);
    for (DWORD t : {T + 14, T + 13, T + 12, T + 11, T + 10}) {
        SendPlay(r, PlayBlock(1, t), 8);
    }
    r.Sync();
    EXPECT_EQ(QueuedTimes(r, 1), (std::vector<DWORD>{T + 11, T + 10}));
}

TEST(ClientPlay, StepBackwardRefillsItsBudgetUntilTheTarget) {
    Options options;
    options.channels = 4;
    ClientRig r(options);
    StartPlayback(r);
    r.video.visible = 0x3;
    r.client->Play().PlayControl(4);
    const DWORD T = kToday;
    r.client->Play().SetPlayClock(T);
    r.client->Play().PlayControl(1);
    r.Next(); // pause
    r.Next(); // backward with the start record
    ExpectSent(r, {Credit(4)}, "budget");
    for (DWORD t = T + 10; t > T + 1; --t) { // nine frames above the target
        SendPlay(r, PlayBlock(0, t), 10);
    }
    r.Sync();
    ExpectSent(r, {Credit(4), Credit(4)}, "refills");
    SendPlay(r, PlayBlock(0, T + 1), 10); // the target: one step back from here
    r.Sync();
    ExpectSent(r, {{Msg::PLAY_PAUSE, {}}, {Msg::PLAY_PREV_STEP, {}}, {Msg::PLAY_CH_CHANGE, BE32(0x3)}, Credit(1)},
               "at the target");
    EXPECT_EQ(QueuedTimes(r, 0), std::vector<DWORD>{T + 1});
}

TEST(ClientPlay, FramesWaitForTheirTimeOnThePlayClockWhileTheSocketGoesOnReading) {
    ClientRig r;
    StartPlayback(r);
    // Normal speed (code 11), one frame a second of recorder time: each waits for its time.
    constexpr DWORD kFrames = 12;
    for (DWORD i = 0; i < kFrames; ++i) {
        SendPlay(r, PlayBlock(0, kToday + i), 11);
    }
    // An answer behind the frames is handled while most of them still wait.
    r.Sync(false);
    // The play clock shows the first frame at once, on its own thread: a slow machine may not have run it yet.
    auto& queue = r.media.Decoder(0)->queue;
    ASSERT_TRUE(Eventually([&] { return queue.GetCount() >= 1; }));
    const std::size_t shownAtAnswer = queue.GetCount();
    EXPECT_LT(shownAtAnswer, kFrames);
    EXPECT_EQ(r.client->Play().GetSpeedState(), 1);
    // A pause overtakes them: the ones still waiting are not shown, and the pause went out at once.
    r.client->Play().PlayControl(kPlayPause);
    ExpectSent(r, {{Msg::PLAY_PAUSE, {}}}, "pause");
    r.Sync();
    const std::vector<DWORD> shown = QueuedTimes(r, 0);
    ASSERT_GE(shown.size(), 1u);
    EXPECT_LT(shown.size(), kFrames);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i], kToday + DWORD(i)); // in order, none skipped before the pause
    }
}

TEST(ClientPlay, TheEndOfTheRecordingPausesAfterTheFramesBeforeIt) {
    ClientRig r;
    StartPlayback(r);
    for (DWORD i = 0; i < 3; ++i) {
        SendPlay(r, PlayBlock(0, kToday + i), 11);
    }
    r.Send(Msg::PLAY_ON_DONE);
    // The pause comes once the last frame was shown, not ahead of the frames still on the clock.
    ExpectSent(r, {{Msg::PLAY_PAUSE, {}}}, "done");
    r.Sync();
    EXPECT_EQ(QueuedTimes(r, 0), (std::vector<DWORD>{kToday, kToday + 1, kToday + 2}));
    EXPECT_EQ(r.client->Play().GetStartState(), 0);
    EXPECT_EQ(r.client->Play().GetPlayClock(), kToday + 2);
}

TEST(ClientPlay, LabelsComeFromTheFrameRecord) {
    ClientRig r;
    StartPlayback(r);
    SendPlay(r, PlayBlock(2, kToday, 0, "Garage"), 12);
    SendPlay(r, PlayBlock(2, kToday + 1), 12);                   // a record without a name
    SendPlay(r, PlayBlock(2, kToday + 2, 0, nullptr, true), 12); // no record at all
    Bytes wrongTag = PlayBlock(2, kToday + 3, 0, "X");
    wrongTag[0] = 'K';
    SendPlay(r, wrongTag, 12);
    r.Sync();
    std::vector<std::string> labels;
    while (auto item = r.media.Decoder(2)->queue.Take()) {
        labels.push_back(item->descriptor.label);
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"Garage", "CH3", "CH3"}));
}

TEST(ClientPlay, DoneFailAndStop) {
    ClientRig r;
    StartPlayback(r);
    r.Send(Msg::PLAY_ON_DONE);
    ExpectSent(r, {{Msg::PLAY_PAUSE, {}}}, "done");
    EXPECT_EQ(r.client->Play().GetStartState(), 0);

    r.Send(Msg::PLAY_ON_FAIL, BE32(86));
    EXPECT_EQ(r.Next().id, unsigned(Msg::RPLAY_STOP));
    const ScriptedRecorder::Received live = r.Next();
    EXPECT_EQ(live.id, unsigned(Msg::LIVE_REQ)); // back to live view
    EXPECT_TRUE(r.host.WaitForNotice(kNoticeRefusedBusy));
    r.Sync();
    EXPECT_FALSE(r.client->Play().IsRemotePlay());
    EXPECT_EQ(r.video.playSource.load(), 1);
    for (const auto& decoder : r.media.Decoders()) {
        if (decoder->source == 2) {
            EXPECT_TRUE(decoder->stopped.load());
        }
    }
}
