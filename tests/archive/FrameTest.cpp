// The remote search frame: its first tab by the account's rights, the tabs and the busy flag, the
// channel mask, Close and Cancel with the search to return to, the keys, and the replies it routes.
#include "ArchiveGuiSupport.h"

#include "archive/BackupDateTimeDlg.h"
#include "archive/BackupMenuDlg.h"
#include "archive/DateTimeSearchDlg.h"
#include "archive/LogMenuDlg.h"
#include "archive/PlayCalendarDlg.h"
#include "archive/SearchMenuDlg.h"
#include "protocol/AccountRightsTable.h"
#include "protocol/ClientMessages.h"
#include "res/ButtonStates.h"
#include "tests/support/DvrClientTestPeer.h"

#include <gtest/gtest.h>

using namespace archivetest;

namespace {

constexpr std::uint8_t kConnect = 1u << kRightConnect;
constexpr std::uint8_t kSearch = 1u << kRightPlayback;
constexpr std::uint8_t kBackup = 1u << kRightBackup;

rig::Options Rights(std::uint8_t rights) {
    rig::Options o;
    o.rights = rights;
    return o;
}

TEST(RemoteSearchFrame, OpensOnTheSearchTabWithEveryChannelOfTheRecorder) {
    for (const auto& [channels, mask] : {std::pair{4, 0x000Fu}, std::pair{8, 0x00FFu}, std::pair{16, 0xFFFFu}}) {
        rig::Options options;
        options.channels = std::uint8_t(channels);
        FrameRig r(options);
        ASSERT_TRUE(r.Open());
        EXPECT_EQ(r.frame->GetChannelMask(), mask) << channels;
        EXPECT_EQ(r.frame->m_btnTab[0].GetState(), kButtonOn);
        EXPECT_NE(r.PageAt<CSearchMenuDlg>(kSlotSearchMenu), nullptr);
        EXPECT_NE(r.PageAt<CDateTimeSearchDlg>(kSlotDateTimeSearch), nullptr);
        EXPECT_EQ(r.host.sink, r.frame.get());
        EXPECT_TRUE(r.client->client->Search().IsSearchFrameOpen());
        r.frame->SetChannelMask(0x3);
        r.Close();
        // The mask goes to the connection's playback when the frame ends, and the frame lets go.
        EXPECT_EQ(r.client->client->Play().GetPlayMask(), 0x3u);
        EXPECT_FALSE(r.client->client->Search().IsSearchFrameOpen());
        EXPECT_EQ(r.host.sink, nullptr);
    }
}

TEST(RemoteSearchFrame, TabsKeepTheirPageAndResetTheMaskOnlyWhenTheyMakeIt) {
    FrameRig r;
    ASSERT_TRUE(r.Open());
    CSearchPage* searchMenu = r.frame->Page(kSlotSearchMenu);
    r.frame->SetChannelMask(0x3);
    FrameRig::Click(*r.frame, 430);
    EXPECT_EQ(r.frame->Page(kSlotSearchMenu), searchMenu);
    EXPECT_EQ(r.frame->GetChannelMask(), 0x3u);

    FrameRig::Click(*r.frame, 432); // Log: the mask stays
    EXPECT_EQ(r.frame->Page(kSlotSearchMenu), nullptr);
    EXPECT_NE(r.frame->Page(kSlotLogMenu), nullptr);
    EXPECT_EQ(r.frame->GetChannelMask(), 0x3u);
    EXPECT_EQ(r.frame->m_btnTab[2].GetState(), kButtonOn);
    EXPECT_EQ(r.frame->m_btnTab[0].GetState(), kButtonNormal);
    // The log menu opens on All, which asks for the log and waits.
    EXPECT_EQ(r.Next().id, unsigned(Msg::LOG_INFO_REQ));
    EXPECT_TRUE(r.frame->IsBusy());
    r.frame->OnSearchBusyCleared();

    FrameRig::Click(*r.frame, 431); // Backup: made anew, every channel again
    EXPECT_NE(r.frame->Page(kSlotBackupMenu), nullptr);
    EXPECT_EQ(r.frame->Page(kSlotLogMenu), nullptr);
    EXPECT_EQ(r.frame->GetChannelMask(), 0xFFFFu);
    EXPECT_NE(r.PageAt<CBackupDateTimeDlg>(kSlotBackupDateTime), nullptr);
}

TEST(RemoteSearchFrame, WhileARequestIsOutstandingTabsAndRequestButtonsDoNothing) {
    FrameRig r;
    ASSERT_TRUE(r.Open());
    r.frame->SetBusy(true);
    FrameRig::Click(*r.frame, 431);
    EXPECT_EQ(r.frame->Page(kSlotBackupMenu), nullptr);
    auto* menu = r.PageAt<CSearchMenuDlg>(kSlotSearchMenu);
    ASSERT_NE(menu, nullptr);
    for (UINT button : {450u, 451u, 452u, 453u}) {
        FrameRig::Click(*menu, button);
    }
    EXPECT_TRUE(r.Quiet());
    EXPECT_EQ(r.frame->Page(kSlotChannelSelect), nullptr);
    EXPECT_EQ(menu->Button(450)->GetState(), kButtonOn); // unchanged: the buttons did not even select

    r.frame->OnSearchBusyCleared();
    FrameRig::Click(*menu, 451);
    EXPECT_EQ(r.Next().id, unsigned(Msg::EVENT_INFO_REQ));
    EXPECT_TRUE(r.frame->IsBusy());
}

TEST(RemoteSearchFrame, CancelTellsTheRecorderAndCloseKeepsTheSearchOnlyDuringPlayback) {
    struct Case {
        UINT button;
        int playSource;
        bool resumeKept;
    };
    const Case cases[] = {{436, 0, false}, {435, 1, false}, {435, 2, true}, {436, 2, true}};
    for (const Case& c : cases) {
        FrameRig r;
        ASSERT_TRUE(r.Open());
        r.host.playSource = c.playSource;
        r.host.resume.record.active = 1;
        r.host.resume.record.search_mode = 2;
        FrameRig::Click(*r.frame, c.button);
        if (c.button == 436) {
            const Sent cancel = r.Next();
            EXPECT_EQ(cancel.id, unsigned(Msg::CAPA_CAL_CANCEL));
            EXPECT_EQ(cancel.w1, 0u);
            EXPECT_TRUE(cancel.payload.empty());
        }
        EXPECT_TRUE(r.Quiet());
        EXPECT_TRUE(r.Ended());
        EXPECT_EQ(r.host.resume.record.active != 0, c.resumeKept) << c.button << " " << c.playSource;
    }
    // Without a connection the frame opens no tab and its Close keeps what there is.
    FrameRig offline({}, false);
    ASSERT_TRUE(offline.Open());
    EXPECT_EQ(offline.frame->Page(kSlotSearchMenu), nullptr);
    offline.host.resume.record.active = 1;
    FrameRig::Click(*offline.frame, 435);
    EXPECT_TRUE(offline.Ended());
    EXPECT_EQ(offline.host.resume.record.active, 1);
}

TEST(RemoteSearchFrame, EnterEscapeAndAltF4NeverCloseIt) {
    FrameRig r;
    ASSERT_TRUE(r.Open());
    CSearchPage* page = r.frame->Page(kSlotDateTimeSearch);
    ASSERT_NE(page, nullptr);
    const struct {
        UINT message;
        WPARAM key;
        BOOL swallowed;
    } keys[] = {{WM_KEYDOWN, VK_RETURN, FALSE}, {WM_KEYDOWN, VK_ESCAPE, FALSE}, {WM_SYSKEYDOWN, VK_F4, TRUE}};
    for (const auto& k : keys) {
        for (CWnd* target : {static_cast<CWnd*>(r.frame.get()), static_cast<CWnd*>(page)}) {
            MSG msg{};
            msg.hwnd = target->GetSafeHwnd();
            msg.message = k.message;
            msg.wParam = k.key;
            EXPECT_EQ(target->PreTranslateMessage(&msg), k.swallowed) << k.key;
        }
    }
    Flush();
    EXPECT_TRUE(r.frame->IsWindowVisible());
    EXPECT_NE(r.frame->Page(kSlotDateTimeSearch), nullptr);
}

TEST(RemoteSearchFrame, TheAccountsRightsChooseTheTabs) {
    {
        FrameRig r(Rights(kConnect | kSearch));
        ASSERT_TRUE(r.Open());
        EXPECT_FALSE(r.frame->m_btnTab[1].IsWindowEnabled());
        EXPECT_NE(r.frame->Page(kSlotSearchMenu), nullptr);
    }
    {
        FrameRig r(Rights(kConnect | kBackup));
        r.host.resume.record.active = 1;
        ASSERT_TRUE(r.Open());
        for (int tab : {0, 2, 3}) {
            EXPECT_FALSE(r.frame->m_btnTab[tab].IsWindowEnabled()) << tab;
        }
        EXPECT_NE(r.frame->Page(kSlotBackupMenu), nullptr);
        EXPECT_EQ(r.host.resume.record.active, 0); // no search right: nothing to return to
    }
    {
        FrameRig r(Rights(kConnect | kBackup));
        DvrClientTestPeer::Backup(*r.client->client).store(1);
        ASSERT_TRUE(r.Open());
        EXPECT_TRUE(r.Ended()); // backup only, and a backup runs: nothing to do here
    }
}

TEST(RemoteSearchFrame, RightsChangesWhileOpen) {
    FrameRig r;
    ASSERT_TRUE(r.Open());
    FrameRig::Click(*r.frame, 431);
    r.frame->PostMessage(WM_KELO_RIGHTS_CHANGED, 2); // backup taken away: back to the search tab
    Flush();
    EXPECT_FALSE(r.frame->m_btnTab[1].IsWindowEnabled());
    EXPECT_NE(r.frame->Page(kSlotSearchMenu), nullptr);
    EXPECT_EQ(r.frame->Page(kSlotBackupMenu), nullptr);

    r.frame->PostMessage(WM_KELO_RIGHTS_CHANGED, 0);
    Flush();
    for (int tab = 0; tab < 4; ++tab) {
        EXPECT_TRUE(r.frame->m_btnTab[tab].IsWindowEnabled());
        EXPECT_EQ(r.frame->m_btnTab[tab].GetState(), tab == 0 ? 1 : 0);
    }

    r.frame->PostMessage(WM_KELO_RIGHTS_CHANGED, 1); // search taken away
    Flush();
    EXPECT_NE(r.frame->Page(kSlotBackupMenu), nullptr);
    EXPECT_FALSE(r.frame->m_btnTab[0].IsWindowEnabled());

    DvrClientTestPeer::Backup(*r.client->client).store(1);
    r.frame->PostMessage(WM_KELO_RIGHTS_CHANGED, 1); // and a backup runs: the frame ends
    EXPECT_TRUE(r.Ended());
    DvrClientTestPeer::Backup(*r.client->client).store(0);
}

TEST(RemoteSearchFrame, ARepliedPageThatExistsIsNotReloaded) {
    FrameRig r;
    ASSERT_TRUE(r.Open());
    auto* menu = r.PageAt<CSearchMenuDlg>(kSlotSearchMenu);
    FrameRig::Click(*menu, 452);
    EXPECT_EQ(r.Next().id, unsigned(Msg::PLAY_INFO_MONTH_REQ));
    EXPECT_TRUE(r.frame->IsBusy());
    r.Reply(WM_KELO_PLAY_MONTH_READY, MonthReply({{2006, 4, 9}}), 376);
    EXPECT_FALSE(r.frame->IsBusy());
    auto* calendar = r.PageAt<CPlayCalendarDlg>(kSlotPlayCalendar);
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar->SelectedYear(), 2006);
    r.Reply(WM_KELO_PLAY_MONTH_READY, MonthReply({{2010, 1, 1}}), 376);
    EXPECT_EQ(r.frame->Page(kSlotPlayCalendar), calendar);
    EXPECT_EQ(calendar->SelectedYear(), 2006);

    // Log, system and status replies are kept up to the frame's 2 MB; without a log page to show
    // the wait simply ends.
    r.frame->SetBusy(true);
    r.Reply(WM_KELO_LOG_READY, std::vector<BYTE>(CRemoteSearchDlg::kReplyCapacity + 100, 7), 0);
    EXPECT_EQ(r.frame->ReplyBytes().size(), CRemoteSearchDlg::kReplyCapacity);
    EXPECT_FALSE(r.frame->IsBusy());
}

TEST(RemoteSearchFrame, TheBackupSizeReachesTheOpenBackupPageOnTheUiThread) {
    FrameRig r;
    ASSERT_TRUE(r.Open());
    FrameRig::Click(*r.frame, 431);
    auto* page = r.PageAt<CBackupDateTimeDlg>(kSlotBackupDateTime);
    ASSERT_NE(page, nullptr);
    r.frame->SetBusy(true);
    // The client posts the size to the frame's window from its socket thread.
    std::thread([hwnd = r.frame->GetSafeHwnd()] { ::PostMessage(hwnd, WM_KELO_BACKUP_SIZE, 2048, 0); }).join();
    ASSERT_TRUE(PumpUntil([&] { return page->Size().kbytes == 2048; }));
    EXPECT_FALSE(r.frame->IsBusy());
    CString text;
    page->Label(14).GetWindowText(text);
    EXPECT_EQ(text, "2 MByte");
    EXPECT_TRUE(page->m_btnPlay.IsWindowEnabled());
}

} // namespace
