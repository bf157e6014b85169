// The main window with the program's parts against the recorder simulator: the remote and local
// search frames, backups, snapshots, audio and listening, and full screen, each driven through the
// main window's own buttons.
#include "app/LocalPlayerAdapter.h"
#include "app/LocalSetupDlg.h"
#include "archive/BackupCalendarDlg.h"
#include "archive/BackupTimelineDlg.h"
#include "archive/DayTimelineDlg.h"
#include "archive/LocalIndexFile.h"
#include "archive/LocalSearchDlg.h"
#include "archive/LocalSearchHost.h"
#include "archive/PlayCalendarDlg.h"
#include "archive/RemoteSearchDlg.h"
#include "archive/SearchPage.h"
#include "media/FullScreenVideoDlg.h"
#include "protocol/ClientMessages.h"
#include "res/ButtonStates.h"
#include "res/PlayModes.h"
#include "tests/app/BackupPicking.h"
#include "tests/app/WiredFixture.h"

using namespace wiredtest;

namespace {

class WiredCommandsTest : public WiredFixture {};

TEST_F(WiredCommandsTest, RSearchShowsTheRecordersMonthAndItsRepliesReachTheFrame) {
    Connect();
    int marked = -1;
    int unmarked = -1;
    ModalScript script;
    script.Expect<CRemoteSearchDlg>([&](CRemoteSearchDlg& frame) {
        Press(*frame.Page(kSlotSearchMenu), 452);
        CPlayCalendarDlg* calendar = nullptr;
        if (WaitUntil([&] { return (calendar = dynamic_cast<CPlayCalendarDlg*>(frame.Page(kSlotPlayCalendar))); },
                      60000)) {
            marked = calendar->DayButton(14).m_bMarked;
            unmarked = calendar->DayButton(20).m_bMarked;
        }
        Press(frame, 435); // Close
    });
    Click(IDC_RSEARCH);
    ASSERT_TRUE(script.Done());
    EXPECT_TRUE(SimSaw("sim: recv PLAY_INFO_MONTH_REQ"));
    EXPECT_EQ(marked, 1);
    EXPECT_EQ(unmarked, 0);
    EXPECT_EQ(FindModal<CRemoteSearchDlg>(), nullptr);
}

TEST_F(WiredCommandsTest, PlayOnTheDayTimelineClosesTheFrameAndPlaysInTheMainWindow) {
    Connect();
    AnswerBoxes();
    bool played = false;
    ModalScript script;
    script.Expect<CRemoteSearchDlg>([&](CRemoteSearchDlg& frame) {
        Press(*frame.Page(kSlotSearchMenu), 452);
        CPlayCalendarDlg* calendar = nullptr;
        CDayTimelineDlg* timeline = nullptr;
        if (!WaitUntil([&] { return (calendar = dynamic_cast<CPlayCalendarDlg*>(frame.Page(kSlotPlayCalendar))); },
                       60000)) {
            Press(frame, 435);
            return;
        }
        Press(*calendar, CPlayCalendarDlg::kIdFirstDay + 14);
        if (!WaitUntil([&] { return (timeline = dynamic_cast<CDayTimelineDlg*>(frame.Page(kSlotDayTimeline))); },
                       60000) ||
            frame.DayRecords().empty()) {
            Press(frame, 435);
            return;
        }
        // A second into the day's first recording.
        const DWORD dayStart = Utc(2024, 2, 14);
        const DWORD from = FirstStretch(frame, dayStart, dayStart + 86000, 3);
        const RecorderFields f = SplitRecorderTimeOrEpoch(from + 1);
        timeline->OnTimePicked(0, f.hour, f.minute, f.second);
        Press(*timeline, CDayTimelineDlg::kIdPlay);
        played = true;
    });
    Click(IDC_RSEARCH);
    ASSERT_TRUE(script.Done());
    ASSERT_TRUE(played);
    EXPECT_TRUE(SimSaw("sim: recv PLAY_ON_REQ"));
    ASSERT_TRUE(WaitUntil([&] { return main->GetClient()->Play().IsRemotePlay(); }, 60000));
    EXPECT_TRUE(WaitUntil([&] { return main->GetVideoWindow()->GetPlaySource() == 2; }));
    // The search to return to is kept for the next opening of the frame.
    EXPECT_EQ(main->GetArchiveResume().record.active, 1);
    // Stop ends playback; with a search to return to the frame opens again, and is closed.
    ModalScript again;
    again.Expect<CRemoteSearchDlg>([](CRemoteSearchDlg& frame) { Press(frame, 435); });
    Click(IDC_PLAY_STOP);
    EXPECT_TRUE(SimSaw("sim: recv RPLAY_STOP"));
    EXPECT_TRUE(WaitUntil([&] { return !main->GetClient()->Play().IsRemotePlay(); }, 30000));
}

TEST_F(WiredCommandsTest, ABackupDownloadsUnderTheSaveLocationAndLSearchPlaysIt) {
    Connect();
    AnswerBoxes();
    bool started = false;
    ModalScript script;
    script.Expect<CRemoteSearchDlg>([&](CRemoteSearchDlg& frame) {
        // 3 seconds from the first stretch of the clock's day, the 15th of March 2024.
        const DWORD day = Utc(2024, 2, 14);
        started = PickAndStartBackup(frame, {14, day, day + 86000, 10, 3});
        if (!started && FindModal<CRemoteSearchDlg>() != nullptr) {
            Press(frame, 435);
        }
    });
    Click(IDC_RSEARCH);
    ASSERT_TRUE(started);
    ASSERT_TRUE(SimSaw("sim: recv TRANS_DATA_REQ"));
    ASSERT_TRUE(WaitUntil(
        [&] { return !main->GetClient()->Backup().IsBackup() && !main->GetClient()->Backup().HasDownloadWriter(); },
        120000));
    // The progress popup went with the download.
    EXPECT_TRUE(WaitUntil([&] { return main->GetProgressPopup() == nullptr; }, 30000));
    const std::vector<fs::path> sets = ListIndexFiles(DownloadFolder(SaveFolder()));
    ASSERT_FALSE(sets.empty());
    IndexFileContents contents;
    ASSERT_TRUE(ReadIndexFile(sets.front(), contents));
    ASSERT_FALSE(contents.segments.empty());
    const DWORD from = contents.segments.front().start;

    // The local search finds the set and plays it in the main window; Stop ends it.
    bool adopted = false;
    ModalScript local;
    local.Expect<CLocalSearchDlg>([&](CLocalSearchDlg& frame) {
        frame.SendMessage(WM_KELO_LOCAL_OPEN_RECORDINGS, from, 0);
        adopted = main->HasLocalPlayer();
        Press(frame, 435);
    });
    Click(IDC_LSEARCH);
    ASSERT_TRUE(local.Done());
    ASSERT_TRUE(adopted);
    ASSERT_TRUE(main->HasLocalPlayer());
    EXPECT_EQ(main->GetVideoWindow()->GetPlaySource(), 3);
    EXPECT_TRUE(WaitUntil([&] { return MainButton(*main, IDC_PLAY_FIRST).IsWindowEnabled() != FALSE; }));
    // The play bar and the seek slider drive the player: a release while paused seeks from the
    // start of the range and plays on.
    auto* player = dynamic_cast<CLocalPlayerAdapter*>(main->GetLocalPlayer());
    ASSERT_NE(player, nullptr);
    Click(IDC_PLAY_FIRST + 3);
    EXPECT_EQ(player->GetMode(), kPlayPause);
    main->SendMessage(WM_SLIDER_DOWN, IDC_SEEK, 0);
    EXPECT_EQ(player->Player().GetSeekState(), 1);
    main->SendMessage(WM_SLIDER_UP, IDC_SEEK, 1);
    EXPECT_EQ(player->Player().GetSeekTarget(), player->Player().GetRangeStart() + 1);
    EXPECT_NE(player->GetMode(), kPlayPause);
    Click(IDC_PLAY_STOP);
    EXPECT_FALSE(main->HasLocalPlayer());
    EXPECT_EQ(main->GetVideoWindow()->GetPlaySource(), 0);

    // Playing again, a new drawing mode switches the video window in place: the player and the
    // connection's decoders go on drawing into the same window.
    ModalScript replay;
    replay.Expect<CLocalSearchDlg>([&](CLocalSearchDlg& frame) {
        frame.SendMessage(WM_KELO_LOCAL_OPEN_RECORDINGS, from, 0);
        Press(frame, 435);
    });
    Click(IDC_LSEARCH);
    ASSERT_TRUE(main->HasLocalPlayer());
    CFullScreenVideoDlg* video = main->GetVideoWindow()->MediaWindow();
    const bool yuv = video->GetDrawMode();
    ModalScript setup;
    setup.Expect<CLocalSetupDlg>([&](CLocalSetupDlg& frame) {
        frame.Edit()->DrawMode = yuv ? 1 : 0;
        Press(frame, IDOK);
    });
    Click(IDC_LSETUP);
    ASSERT_TRUE(setup.Done());
    EXPECT_EQ(main->GetVideoWindow()->MediaWindow(), video);
    EXPECT_NE(video->GetDrawMode(), yuv);
    EXPECT_TRUE(main->HasLocalPlayer());
    Pump(300);
}

TEST_F(WiredCommandsTest, FromRemovableMediaTheLocalSearchOpensAtStartUp) {
    ScopedEnv removable("KELO_REMOVABLE_MEDIA", "1");
    bool removableFrame = false;
    ModalScript script;
    script.Expect<CLocalSearchDlg>([&](CLocalSearchDlg& frame) {
        removableFrame = frame.Host().IsRemovable();
        Press(frame, 435);
    });
    // The search opens on the calendar, which finds no recordings in an empty save location and says so.
    ModalScript nothingFound;
    nothingFound.Expect<CMsgBoxDlg>([](CMsgBoxDlg& box) { box.EndDialog(IDOK); });
    main = std::make_unique<CClientDlg>(MakeStandardParts([this] { return main.get(); }));
    ASSERT_TRUE(main->Create(CClientDlg::IDD));
    ASSERT_TRUE(WaitUntil([&] { return script.Done(); }, 30000));
    EXPECT_TRUE(removableFrame);
    EXPECT_TRUE(WaitUntil([] { return FindModal<CLocalSearchDlg>() == nullptr; }));
    EXPECT_FALSE(main->HasLocalPlayer());
}

TEST_F(WiredCommandsTest, SaveWritesTheShownChannelsUnderSaved) {
    Connect();
    const fs::path saved = SaveFolder() / "Saved";
    auto files = [&] {
        std::error_code ec;
        int n = 0;
        for (const auto& entry : fs::recursive_directory_iterator(saved, ec)) {
            n += entry.is_regular_file() && entry.file_size() > 0 ? 1 : 0;
        }
        return n;
    };
    // Pictures reach the tiles before a snapshot has anything to save.
    ASSERT_TRUE(WaitUntil([&] { return main->GetVideoWindow()->MediaWindow()->GetDecodedMask() != 0; }, 60000));
    Click(IDC_SAVE);
    EXPECT_FALSE(MainButton(*main, IDC_SAVE).IsWindowEnabled());
    EXPECT_TRUE(WaitUntil([&] { return files() > 0; }, 60000));
    // The reaping timer gives the button back once every save thread has ended.
    EXPECT_TRUE(WaitUntil([&] { return MainButton(*main, IDC_SAVE).IsWindowEnabled() != FALSE; }, 60000));
    EXPECT_EQ(main->PendingSaveThreads(), 0u);
}

TEST_F(WiredCommandsTest, AudioAndTheListeningToggleAskTheRecorder) {
    Connect();
    Click(IDC_AUDIO);
    EXPECT_TRUE(SimSaw("sim: recv AUDIO_ONOFF_REQ"));

    // Listening: the recorder accepts and the microphone sender runs until the toggle ends it.
    Click(IDC_MIKE);
    ASSERT_TRUE(SimSaw("sim: recv A_LISTEN_REQ"));
    ASSERT_TRUE(WaitUntil([&] { return MainButton(*main, IDC_MIKE).GetState() == kButtonOn; }, 30000));
    EXPECT_TRUE(main->GetClient()->Commands().HasMikeSender());
    Click(IDC_MIKE);
    EXPECT_TRUE(SimSaw("sim: recv A_LISTEN_STOP_REQ"));
    EXPECT_TRUE(WaitUntil([&] { return MainButton(*main, IDC_MIKE).GetState() == kButtonNormal; }, 30000));
    EXPECT_FALSE(main->GetClient()->Commands().HasMikeSender());
}

TEST_F(WiredCommandsTest, FullScreenEntersAndEscapeLeaves) {
    Connect();
    CFullScreenVideoDlg* video = main->GetVideoWindow()->MediaWindow();
    ASSERT_NE(video, nullptr);
    Click(IDC_FULL);
    ASSERT_TRUE(video->IsFullScreen());
    // A second Full while full screen changes nothing.
    Click(IDC_FULL);
    EXPECT_TRUE(video->IsFullScreen());
    video->SendMessage(WM_KEYUP, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !video->IsFullScreen(); }));
}

} // namespace
