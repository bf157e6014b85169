// The local player over backup sets written by the download writer: its play-bar modes and speeds,
// forward, fast, reverse and step play, seeking, pacing by the frame times, the layouts it picks,
// continued sets, sound, and damaged or vanished files.

#include "archive/LocalPlayer.h"
#include "archive/RecordingScan.h"
#include "tests/archive/BackupSetMaker.h"
#include "tests/archive/PlayerTestHost.h"

#include <gtest/gtest.h>

using namespace backupmaker;
using namespace playertest;

namespace {

struct Shown {
    int channel;
    DWORD time;
    bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& s) {
    return out << "ch" << s.channel << "@" << s.time;
}

std::vector<Shown> ShownOf(const std::vector<Queued>& frames, std::size_t from = 0) {
    std::vector<Shown> shown;
    for (std::size_t i = from; i < frames.size(); ++i) {
        shown.push_back({frames[i].channel, frames[i].time});
    }
    return shown;
}

class Rig {
public:
    // The play list of every backup in the folder, from t1 on.
    void Load(DWORD t1) {
        const std::vector<RecordingSetEntry> sets = CRecordingScan::FindSets(folder.Download());
        CRecordingScan scan;
        nodes = scan.BuildPlayList(sets, LocalSearchKind::Time, t1, 0);
        first = CRecordingScan::FindStartNode(nodes, t1).value_or(0);
    }
    // Makes and starts the player; with `hold` its thread waits until Release.
    void Start(bool hold = false) {
        auto owned = std::make_unique<Host>();
        host = owned.get();
        if (hold) {
            host->HoldStart();
        }
        player = std::make_unique<CLocalPlayer>(std::move(owned), nodes, first);
        ASSERT_TRUE(player->Start());
    }
    // Starts and presses Play as the local search does; the thread is held until the press is
    // made, so it never runs ahead in the mode Start leaves (forward at speed 0).
    void Play() {
        Start(true);
        player->SetMode(kPlayForward);
        host->Release();
    }
    bool WaitForMode(int mode) {
        return host->WaitFor([&] { return player->GetMode() == mode; });
    }
    bool WaitForFrames(std::size_t count) {
        return host->WaitFor([&] { return host->frames.size() >= count; });
    }
    // Waits until the player pauses with `count` frames queued in all.
    void ExpectPausedWith(std::size_t count) {
        ASSERT_TRUE(WaitForFrames(count));
        ASSERT_TRUE(WaitForMode(kPlayPause));
        // A paused player queues nothing more.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_EQ(host->FrameCount(), count);
    }
    ~Rig() {
        if (player) {
            player->Stop();
            player->Close();
        }
    }

    TempFolder folder;
    std::vector<PlayListNode> nodes;
    std::size_t first = 0;
    Host* host = nullptr;
    std::unique_ptr<CLocalPlayer> player;
};

} // namespace

TEST(LocalPlayerModes, EachPressStepsTheSpeedAndSetsThePlayBar) {
    auto owned = std::make_unique<Host>();
    Host* host = owned.get();
    CLocalPlayer player(std::move(owned), {PlayListNode{}}, 0);
    struct Step {
        int mode;
        int speed;
        int shownStep;
        int buttons[3];
    };
    const Step steps[] = {
        {kPlayForward, 1, 1, {0, 1, 0}},   {kPlayForward, 2, 2, {0, 1, 0}},     {kPlayForward, 3, 3, {0, 1, 0}},
        {kPlayForward, 4, 4, {0, 1, 0}},   {kPlayForward, 1, 1, {0, 1, 0}},     {kPlayReverse, -2, -1, {1, 0, 0}},
        {kPlayReverse, -3, -2, {1, 0, 0}}, {kPlayReverse, -4, -3, {1, 0, 0}},   {kPlayReverse, -2, -1, {1, 0, 0}},
        {kPlayPause, 0, 0, {0, 0, 1}},     {kPlayForward, 1, 1, {0, 1, 0}},     {kPlayPause, 5, 0, {0, 0, 1}},
        {kPlayForward, 1, 1, {0, 1, 0}},   {kPlayStepForward, 1, 1, {0, 1, 0}},
    };
    int n = 0;
    for (const Step& s : steps) {
        player.SetMode(s.mode);
        EXPECT_EQ(player.GetMode(), s.mode) << "step " << n;
        EXPECT_EQ(player.GetSpeed(), s.speed) << "step " << n;
        EXPECT_EQ(player.GetSpeedStep(), s.shownStep) << "step " << n;
        auto lock = host->Lock();
        EXPECT_EQ(std::vector<int>(host->buttons, host->buttons + 3), std::vector<int>(s.buttons, s.buttons + 3))
            << "step " << n;
        ++n;
    }
    player.SetMode(9);
    EXPECT_EQ(player.GetMode(), kPlayStepForward) << "an unknown mode changes nothing";
}

TEST(LocalPlayerPlay, ForwardQueuesEveryFrameInOrderThenPausesAtTheEnd) {
    Rig rig;
    std::vector<Frame> frames;
    for (DWORD s = 0; s < 3; ++s) {
        Frame named;
        named.time = 100 + s;
        named.channel = 0;
        named.name = "GATE";
        Frame plain = named;
        plain.channel = 1;
        plain.name.clear();
        plain.video = 200;
        frames.push_back(named);
        frames.push_back(plain);
    }
    WriteBackup(rig.folder.Path(), 0x100, frames);
    rig.Load(100);
    rig.Play();
    rig.ExpectPausedWith(6);

    const std::vector<Queued> queued = rig.host->Frames();
    EXPECT_EQ(ShownOf(queued), (std::vector<Shown>{{0, 100}, {1, 100}, {0, 101}, {1, 101}, {0, 102}, {1, 102}}));
    for (const Queued& q : queued) {
        EXPECT_EQ(q.label, q.channel == 0 ? "GATE" : "CH2");
        EXPECT_EQ(q.generation, 1u);
        EXPECT_EQ(q.bytes, (q.channel == 0 ? 64u : 200u) + 72u) << "the picture and 72 bytes";
    }
    EXPECT_EQ(rig.player->GetSpeed(), 5) << "paused after forward play";
    EXPECT_EQ(rig.player->GetPlayClock(), 102u);
    {
        auto lock = rig.host->Lock();
        EXPECT_EQ(rig.host->playSource, 3);
        EXPECT_TRUE(rig.host->clock);
        EXPECT_EQ(rig.host->clockTime, 102u);
        EXPECT_EQ(rig.host->logs, std::vector<DWORD>{1});
    }

    rig.player->Stop();
    auto lock = rig.host->Lock();
    EXPECT_EQ(rig.host->logs, (std::vector<DWORD>{1, 2}));
    EXPECT_EQ(rig.host->playSource, 0);
    EXPECT_EQ(rig.host->decodersStopped, 16);
    EXPECT_FALSE(rig.host->clock);
    EXPECT_FALSE(rig.host->playBarEnabled);
    EXPECT_EQ(rig.host->sixteenSplits, 1);
    EXPECT_FALSE(rig.player->IsThreadRunning());
}

TEST(LocalPlayerPlay, PacesByTheFrameTimesAndBridgesLongGaps) {
    Rig rig;
    std::vector<Frame> frames;
    for (DWORD t : {100, 101, 102, 115, 116}) {
        Frame f;
        f.time = t;
        frames.push_back(f);
    }
    WriteBackup(rig.folder.Path(), 0x100, frames);
    rig.Load(100);
    rig.Play();
    ASSERT_NO_FATAL_FAILURE(rig.ExpectPausedWith(5));
    const std::vector<Queued> q = rig.host->Frames();
    ASSERT_EQ(q.size(), 5u);
    // The first frame is due 100 ms after the clock is based; a 13-second gap is waited out for 3 s.
    const LONGLONG expected[4][2] = {{100, 102}, {1000, 1002}, {1000, 1002}, {3000, 3003}};
    for (std::size_t i = 0; i < 4; ++i) {
        const LONGLONG gap = LONGLONG(q[i + 1].tick - q[i].tick);
        EXPECT_GE(gap, expected[i][0]) << i;
        EXPECT_LE(gap, expected[i][1]) << i;
    }
}

TEST(LocalPlayerPlay, FastForwardQueuesThinnedKeyFramesOnly) {
    struct Case {
        int presses;
        std::vector<DWORD> times;
    };
    const Case cases[] = {
        {2, {100, 102, 104, 106, 108, 110}},
        {3, {102, 106, 110}},
        {4, {104, 110}},
    };
    for (const Case& c : cases) {
        Rig rig;
        WriteBackup(rig.folder.Path(), 0x100, Seconds(100, 12, {0}, 1, 2));
        rig.Load(100);
        rig.Start(true);
        for (int i = 0; i < c.presses; ++i) {
            rig.player->SetMode(kPlayForward);
        }
        EXPECT_EQ(rig.player->GetSpeed(), c.presses);
        rig.host->Release();
        rig.ExpectPausedWith(c.times.size());
        std::vector<DWORD> times;
        for (const Queued& q : rig.host->Frames()) {
            EXPECT_TRUE(q.key);
            times.push_back(q.time);
        }
        EXPECT_EQ(times, c.times) << "speed " << c.presses;
    }
}

TEST(LocalPlayerPlay, ReversePlaysKeyFramesBackIntoThePreviousSet) {
    Rig rig;
    WriteBackup(rig.folder.Path(), 0x100, Seconds(100, 3, {0}));
    WriteBackup(rig.folder.Path(), 0x200, Seconds(200, 4, {0}, 1, 2));
    rig.Load(200);
    ASSERT_EQ(rig.first, 1u);
    rig.Start(true);
    rig.player->SetMode(kPlayReverse);
    rig.host->Release();
    rig.ExpectPausedWith(5);
    const std::vector<Queued> q = rig.host->Frames();
    EXPECT_EQ(ShownOf(q), (std::vector<Shown>{{0, 202}, {0, 200}, {0, 102}, {0, 101}, {0, 100}}));
    EXPECT_EQ(q[2].generation, q[0].generation + 1) << "the earlier set is not joined: a new start";
    EXPECT_EQ(rig.player->GetSpeed(), 0) << "paused after reverse play";
    EXPECT_EQ(rig.player->GetCurrentNode(), 0u);
}

TEST(LocalPlayerPlay, StepsShowOneFramePerVisibleChannel) {
    struct Case {
        int mode;
        std::vector<Shown> first;
        std::vector<Shown> second;
    };
    const Case cases[] = {
        {kPlayStepForward, {{0, 100}, {1, 100}}, {{0, 101}, {1, 101}}},
        {kPlayStepBack, {{1, 102}, {0, 102}}, {{1, 101}, {0, 101}}},
    };
    for (const Case& c : cases) {
        Rig rig;
        WriteBackup(rig.folder.Path(), 0x100, Seconds(100, 3, {0, 1, 2}));
        rig.Load(100);
        rig.Start(true);
        rig.host->visibleMask = 0x3;
        rig.player->SetMode(kPlayPause);
        rig.player->SetMode(c.mode);
        rig.host->Release();
        rig.ExpectPausedWith(2);
        EXPECT_EQ(ShownOf(rig.host->Frames()), c.first) << "mode " << c.mode;
        rig.player->SetMode(c.mode);
        rig.ExpectPausedWith(4);
        EXPECT_EQ(ShownOf(rig.host->Frames(), 2), c.second) << "mode " << c.mode;
    }
}

TEST(LocalPlayerPlay, SeekingGoesToTheFirstFrameAtTheTargetInAnyNode) {
    Rig rig;
    WriteBackup(rig.folder.Path(), 0x100, Seconds(100, 10, {0}));
    WriteBackup(rig.folder.Path(), 0x200, Seconds(200, 10, {0}));
    rig.Load(100);
    rig.Play();
    rig.ExpectPausedWith(20);
    EXPECT_EQ(rig.player->GetRangeStart(), 200u) << "the range of the node played last";

    // Paused after forward play, a released slider steps to the target (as the main window asks).
    struct Case {
        DWORD target;
        DWORD shown;
    };
    const Case cases[] = {{105, 105}, {203, 203}, {150, 200}};
    std::size_t count = 20;
    DWORD generation = rig.host->Frames().back().generation;
    for (const Case& c : cases) {
        rig.player->Seek(c.target);
        rig.player->SetMode(rig.player->GetSpeed() == 5 ? kPlayStepForward : kPlayStepBack);
        rig.ExpectPausedWith(count + 1);
        const Queued q = rig.host->Frames().back();
        EXPECT_EQ(q.time, c.shown) << "target " << c.target;
        EXPECT_GT(q.generation, generation) << "target " << c.target;
        generation = q.generation;
        ++count;
    }

    // A target beyond the recordings leaves the player paused at the end.
    rig.player->Seek(999);
    rig.player->SetMode(kPlayStepForward);
    ASSERT_TRUE(
        rig.host->WaitFor([&] { return rig.player->GetSeekState() == 0 && rig.player->GetMode() == kPlayPause; }));
    EXPECT_EQ(rig.host->FrameCount(), count);

    // Forward play goes on from a target.
    rig.player->Seek(107);
    rig.player->SetMode(kPlayForward);
    rig.ExpectPausedWith(count + 13);
    const std::vector<Queued> q = rig.host->Frames();
    EXPECT_EQ(q[count].time, 107u);
    EXPECT_EQ(q[count + 3].time, 200u);
    EXPECT_EQ(q.back().time, 209u);
}

TEST(LocalPlayerPlay, TheLayoutFollowsTheHighestChannelOfEachSegment) {
    Rig rig;
    WriteBackup(rig.folder.Path(), 0x100, Seconds(100, 2, {0, 3}));
    WriteBackup(rig.folder.Path(), 0x200, Seconds(200, 2, {8}));
    WriteBackup(rig.folder.Path(), 0x300, Seconds(300, 2, {9}));
    WriteBackup(rig.folder.Path(), 0x400, Seconds(400, 2, {2, 9}));
    rig.Load(100);
    rig.Play();
    rig.ExpectPausedWith(12);
    auto lock = rig.host->Lock();
    // 4 tiles up to channel 4, 9 tiles up to channel 9, 16 above; the same highest channel again
    // keeps the layout.
    EXPECT_EQ(rig.host->layouts, (std::vector<int>{1, 6, 14}));
    EXPECT_EQ(rig.host->splitButtons, (std::vector<int>{-1, 1, -1, 5, -1, 8, -1}));
    EXPECT_EQ(rig.host->availableMask, 0x204);
}

TEST(LocalPlayerPlay, ContinuedSetsPlayOnWithoutANewStart) {
    for (const bool split : {true, false}) {
        Rig rig;
        if (split) {
            ASSERT_GE(WriteBackup(rig.folder.Path(), 0x100, Seconds(100, 6, {0}), 2).size(), 2u);
        } else {
            WriteBackup(rig.folder.Path(), 0x100, Seconds(100, 3, {0}));
            WriteBackup(rig.folder.Path(), 0x200, Seconds(103, 3, {0}));
        }
        rig.Load(100);
        rig.Play();
        rig.ExpectPausedWith(6);
        const std::vector<Queued> q = rig.host->Frames();
        EXPECT_EQ(ShownOf(q).back(), (Shown{0, 105}));
        const DWORD generations = q.back().generation - q.front().generation;
        EXPECT_EQ(generations, split ? 0u : 1u) << (split ? "split backup" : "two backups");
        EXPECT_EQ(rig.player->GetRangeStart(), split ? 100u : 103u);
    }
}

TEST(LocalPlayerPlay, PlaysTheSoundOfTheChannelShownAlone) {
    for (const int selected : {0, -1}) {
        Rig rig;
        std::vector<Frame> frames = Seconds(100, 3, {0});
        for (Frame& f : frames) {
            f.audio = 2048;
        }
        WriteBackup(rig.folder.Path(), 0x100, frames);
        rig.Load(100);
        rig.Start(true);
        rig.host->selectedChannel = selected;
        rig.player->SetMode(kPlayForward);
        rig.host->Release();
        rig.ExpectPausedWith(3);
        auto lock = rig.host->Lock();
        EXPECT_EQ(rig.host->selectedAudio, 0);
        if (selected == 0) {
            EXPECT_EQ(rig.host->audioBlocks, (std::vector<std::size_t>{512, 512, 512}));
            EXPECT_EQ(rig.player->GetChannelAudioState(0), 2);
            EXPECT_EQ(rig.player->GetChannelAudioState(1), 0);
            EXPECT_FALSE(rig.host->audioClosed.load());
        } else {
            EXPECT_TRUE(rig.host->audioBlocks.empty());
            EXPECT_TRUE(rig.host->audioClosed.load());
            EXPECT_LE(rig.host->audioPlayers, 1) << "the closed player is not made again for every frame";
        }
    }
}

TEST(LocalPlayerPlay, DamagedFramesAreSkippedAndVanishedFilesEndThePlayback) {
    {
        Rig rig;
        const auto paths = WriteBackup(rig.folder.Path(), 0x100, Seconds(100, 4, {0}));
        rig.Load(100);
        const auto vid = Sibling(paths[0], "vid");
        std::vector<BYTE> bytes = ReadAll(vid);
        // The third frame's header lies two frames behind the file header.
        const std::size_t length = BlockOf(Seconds(100, 1, {0})[0]).size() - 192;
        bytes[64 + 2 * length] = 0; // its sync word
        WriteAll(vid, bytes);
        rig.Play();
        rig.ExpectPausedWith(3);
        EXPECT_EQ(ShownOf(rig.host->Frames()), (std::vector<Shown>{{0, 100}, {0, 101}, {0, 103}}));
    }
    {
        Rig rig;
        const auto paths = WriteBackup(rig.folder.Path(), 0x100, Seconds(100, 4, {0}));
        rig.Load(100);
        std::filesystem::remove(Sibling(paths[0], "vid"));
        rig.Play();
        ASSERT_TRUE(rig.host->WaitFor([&] { return rig.host->logs.size() == 2; }));
        ASSERT_TRUE(rig.host->WaitFor([&] { return !rig.player->IsThreadRunning(); }));
        auto lock = rig.host->Lock();
        EXPECT_TRUE(rig.host->frames.empty());
        EXPECT_EQ(rig.host->playSource, 0);
    }
}

TEST(LocalPlayerPlay, StopEndsAFastPlayWaitingForADecoderThatTakesNothing) {
    Rig rig;
    WriteBackup(rig.folder.Path(), 0x100, Seconds(100, 5, {0}));
    rig.Load(100);
    rig.Start(true);
    rig.host->decoderBacklog = 50;
    rig.player->SetMode(kPlayForward);
    rig.player->SetMode(kPlayForward); // fast: waits while a decoder holds more than ten frames
    rig.host->Release();
    const ULONGLONG before = rig.host->Now();
    ASSERT_TRUE(rig.host->WaitFor([&] { return rig.host->Now() > before + 1000; })) << "the player waits";
    EXPECT_EQ(rig.host->FrameCount(), 0u);
    rig.player->Stop();
    EXPECT_FALSE(rig.player->IsThreadRunning());
}
