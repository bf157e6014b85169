// The local search and the local player in the real main window: LSearch opens the frame, a page's
// play request starts the player on the downloaded sets, the play bar drives it (the seek slider's
// release included) and Stop ends it, with the local log entries of local play.
#include "app/ClientDlg.h"
#include "archive/LocalPlayer.h"
#include "archive/LocalSearchDlg.h"
#include "archive/MainWindowLocalHost.h"
#include "archive/MainWindowLocalPlayer.h"
#include "tests/app/MainWindowSupport.h"
#include "tests/archive/BackupSetMaker.h"

#include <gtest/gtest.h>

namespace {

// The local log's entries of one kind, as (kind, sub-kind) pairs in writing order.
std::vector<std::pair<unsigned, unsigned>> Entries(const std::vector<unsigned char>& log, unsigned kind) {
    std::vector<std::pair<unsigned, unsigned>> out;
    for (std::size_t at = 8; at + 184 <= log.size(); at += 184) {
        if (ReadLe32(log, at + 8) == kind) {
            out.emplace_back(kind, ReadLe32(log, at + 12));
        }
    }
    return out;
}

class MainWindowLocal : public MainWindowFixture {
protected:
    // LSearch with a page asking for playback from `time`, then closing the frame.
    void PlayFrom(DWORD time) {
        ModalScript script;
        script.Expect<CLocalSearchDlg>([time](CLocalSearchDlg& frame) {
            frame.SetSearchKind(LocalSearchKind::Time);
            frame.PostMessage(WM_LOCAL_OPEN_RECORDINGS, time, 0);
            frame.PostMessage(WM_CLOSE);
        });
        Click(IDC_LSEARCH);
        ASSERT_TRUE(script.Done());
    }
    CLocalPlayer& Player() { return static_cast<CMainWindowLocalPlayer&>(*main->m_pLocalPlayer).Player(); }
};

} // namespace

TEST_F(MainWindowLocal, LSearchStartsThePlayerAndThePlayBarDrivesItUntilStop) {
    parts.runLocalSearch = [](CClientDlg& m, BYTE alpha) { return RunLocalSearchFor(m, alpha); };
    Open();
    const std::string location = main->GetLocation().GetString();
    backupmaker::WriteBackup(location, 0x100, backupmaker::Seconds(1000, 30, {0, 1}));

    PlayFrom(1005);
    ASSERT_NE(main->m_pLocalPlayer, nullptr);
    EXPECT_EQ(main->m_pLocalPlayer->GetMode(), kPlayForward);
    // The slider's 0 is the start of the segment being played, once the player has entered it.
    EXPECT_TRUE(WaitUntil([&] { return main->m_pLocalPlayer->GetStartTime() == 1000u; }));
    EXPECT_TRUE(main->m_btnPlay[2].IsWindowEnabled());
    EXPECT_EQ(main->m_btnPlay[2].GetState(), 1);
    ASSERT_NE(main->m_pPlayClock, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return Player().GetPlayClock() >= 1005; }));
    ASSERT_TRUE(WaitUntil([&] { return Entries(LogBytes(), 4).size() == 1; }));

    // A second LSearch does nothing while the player exists.
    ModalScript none;
    none.Expect<CLocalSearchDlg>([](CLocalSearchDlg& frame) { frame.EndDialog(IDCANCEL); }, 500);
    Click(IDC_LSEARCH);
    EXPECT_FALSE(none.Done());

    Click(IDC_PLAY_FIRST + 3); // pause
    EXPECT_EQ(main->m_pLocalPlayer->GetMode(), kPlayPause);
    EXPECT_EQ(main->m_pLocalPlayer->GetPrevMode(), 5);
    // The seek slider released at 20 seconds into the recording, while paused: one step from there.
    main->SendMessage(0xD60, IDC_SEEK, 0);
    main->SendMessage(0xD62, IDC_SEEK, 20);
    ASSERT_TRUE(WaitUntil([&] { return Player().GetSeekState() == 0 && Player().GetMode() == kPlayPause; }));
    EXPECT_EQ(Player().GetPlayClock(), 1020u);

    Click(IDC_PLAY_STOP);
    EXPECT_EQ(main->m_pLocalPlayer, nullptr);
    EXPECT_EQ(main->m_pPlayClock, nullptr);
    EXPECT_FALSE(main->m_btnPlay[2].IsWindowEnabled());
    EXPECT_EQ(Entries(LogBytes(), 4), (std::vector<std::pair<unsigned, unsigned>>{{4, 1}, {4, 2}}));
}

TEST_F(MainWindowLocal, NothingDownloadedLeavesNoPlayer) {
    parts.runLocalSearch = [](CClientDlg& m, BYTE alpha) { return RunLocalSearchFor(m, alpha); };
    Open();
    PlayFrom(1000);
    EXPECT_EQ(main->m_pLocalPlayer, nullptr);
    EXPECT_FALSE(main->m_btnPlay[2].IsWindowEnabled());
}
