// Reopening the search frame during playback returns to the search that started it, from the
// copies the connection kept, without asking the recorder again; and the menus' other paths.
#include "ArchiveGuiSupport.h"

#include "archive/BackupCalendarDlg.h"
#include "archive/BackupMenuDlg.h"
#include "archive/DayTimelineDlg.h"
#include "archive/EventListDlg.h"
#include "archive/LogMenuDlg.h"
#include "archive/PlayCalendarDlg.h"
#include "archive/RemoteLogStore.h"
#include "archive/SearchMenuDlg.h"
#include "protocol/ClientMessages.h"
#include "res/BitmapIds.h"
#include "res/ControlIds.h"

#include <gtest/gtest.h>

using namespace archivetest;

namespace {

// A reply served by the recorder: the client keeps its copy, and the frame gets it as the main
// window would hand it over.
void Serve(FrameRig& r, unsigned ack, UINT ready, const std::vector<BYTE>& bytes) {
    ASSERT_TRUE(r.client->Send(ack, bytes));
    r.client->Sync();
    const std::vector<HostCall> replies = r.client->host.CallsOf(HostCall::Reply);
    ASSERT_FALSE(replies.empty());
    ASSERT_EQ(replies.back().message, ready);
    r.frame->OnSearchReply(ready, replies.back().bytes, replies.back().count);
    Flush();
}

// A template id that no page of the program uses.
constexpr UINT kStubTemplateId = 9990;

// A page for the log slots, which another part of the archive fills in.
class CStubLogPage : public CSearchPage {
public:
    explicit CStubLogPage(int slot) : CSearchPage(kStubTemplateId, slot, IDB_SEARCH_SETUP_FRAME) {}
};
const DialogTemplate kStubTemplate{.id = kStubTemplateId, .x = 197, .y = 83, .cx = 403, .cy = 417, .style = WS_CHILD};
const DialogTemplateRegistration kStubRegistered(kStubTemplate);

void RegisterStubLogPages() {
    for (int slot = kSlotLogAll; slot <= kSlotLogEvent; ++slot) {
        CRemoteSearchDlg::RegisterPageFactory(slot, [slot] { return std::make_unique<CStubLogPage>(slot); });
    }
}

TEST(Resume, AnEventPlayedReopensTheEventListWithoutAskingAgain) {
    FrameRig r;
    ASSERT_TRUE(r.Open());
    FrameRig::Click(*r.PageAt<CSearchMenuDlg>(kSlotSearchMenu), IDC_SEARCH_MENU_EVENT);
    ASSERT_EQ(r.Next().id, unsigned(Msg::EVENT_INFO_REQ));
    Serve(r, Msg::EVENT_INFO_ACK, WM_KELO_EVENT_LIST_READY,
          SegmentReply({{1, 1, Utc(2008, 2, 4, 1), Utc(2008, 2, 4, 2)},
                        {2, 2, Utc(2008, 2, 4, 3), Utc(2008, 2, 4, 4)},
                        {4, 2, Utc(2008, 2, 4, 5), Utc(2008, 2, 4, 6)}}));
    auto* list = r.PageAt<CEventListDlg>(kSlotEventList);
    ASSERT_NE(list, nullptr);
    FrameRig::Click(*list, 471);
    list->List().SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    FrameRig::Click(*list, 482);
    ASSERT_EQ(r.Next().id, unsigned(Msg::PLAY_ON_REQ));
    ASSERT_TRUE(r.Ended());
    EXPECT_EQ(r.host.resume.segments.size(), 3u);

    r.Close();
    r.host.playSource = 2; // the playback runs
    ASSERT_TRUE(r.Open());
    list = r.PageAt<CEventListDlg>(kSlotEventList);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(r.Quiet());
    EXPECT_FALSE(r.frame->IsBusy());
    EXPECT_EQ(list->Filter(), DWORD(kEventMotion));
    EXPECT_EQ(list->List().GetItemCount(), 2);

    // Close during the playback keeps it; the Search menu's Calendar starts afresh.
    FrameRig::Click(*r.PageAt<CSearchMenuDlg>(kSlotSearchMenu), IDC_SEARCH_MENU_CALENDAR);
    EXPECT_EQ(r.Next().id, unsigned(Msg::PLAY_INFO_MONTH_REQ));
    EXPECT_EQ(r.host.resume.record.active, 0);
    EXPECT_TRUE(r.host.resume.segments.empty());
}

TEST(Resume, ADayPlayedReopensItsTimelineOnEveryCalendarClick) {
    FrameRig r;
    ASSERT_TRUE(r.Open());
    FrameRig::Click(*r.PageAt<CSearchMenuDlg>(kSlotSearchMenu), IDC_SEARCH_MENU_CALENDAR);
    ASSERT_EQ(r.Next().id, unsigned(Msg::PLAY_INFO_MONTH_REQ));
    Serve(r, Msg::PLAY_INFO_MONTH_ACK, WM_KELO_PLAY_MONTH_READY, MonthReply({{2008, 2, 4}}));
    auto* calendar = r.PageAt<CPlayCalendarDlg>(kSlotPlayCalendar);
    ASSERT_NE(calendar, nullptr);
    FrameRig::Click(*calendar, CPlayCalendarDlg::kIdFirstDay + 4);
    ASSERT_EQ(r.Next().id, unsigned(Msg::PLAY_INFO_DAY_REQ));
    Serve(r, Msg::PLAY_INFO_DAY_ACK, WM_KELO_PLAY_DAY_READY,
          SegmentReply({{1, 1, Utc(2008, 2, 4, 10), Utc(2008, 2, 4, 11)}}));
    auto* timeline = r.PageAt<CDayTimelineDlg>(kSlotDayTimeline);
    ASSERT_NE(timeline, nullptr);
    EXPECT_EQ(r.frame->Page(kSlotPlayCalendar), nullptr);
    timeline->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(235, 100));
    timeline->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(235, 100));
    FrameRig::Click(*timeline, 482);
    ASSERT_EQ(r.Next().id, unsigned(Msg::PLAY_ON_REQ));
    ASSERT_TRUE(r.Ended());
    EXPECT_EQ(r.host.resume.months.size(), 1u);
    EXPECT_EQ(r.host.resume.segments.size(), 1u);

    r.Close();
    r.host.playSource = 2;
    ASSERT_TRUE(r.Open());
    timeline = r.PageAt<CDayTimelineDlg>(kSlotDayTimeline);
    ASSERT_NE(timeline, nullptr);
    CString time;
    timeline->Label(26).GetWindowText(time);
    EXPECT_EQ(time, "10 : 10 : 00");
    EXPECT_EQ(r.frame->DayRecords().size(), 1u);
    FrameRig::Click(*r.PageAt<CSearchMenuDlg>(kSlotSearchMenu), IDC_SEARCH_MENU_CHANNELS);
    FrameRig::Click(*r.PageAt<CSearchMenuDlg>(kSlotSearchMenu), IDC_SEARCH_MENU_CALENDAR);
    EXPECT_NE(r.PageAt<CDayTimelineDlg>(kSlotDayTimeline), nullptr);
    EXPECT_TRUE(r.Quiet());
}

TEST(Resume, APlayFromALogPageReturnsToTheLogTab) {
    RegisterStubLogPages();
    FrameRig r;
    r.host.resume.record = ResumeRecord{1, 1, 0, 1, 0, 0};
    r.host.playSource = 2;
    ASSERT_TRUE(r.Open());
    EXPECT_NE(r.frame->Page(kSlotLogMenu), nullptr);
    EXPECT_NE(r.frame->Page(kSlotLogEvent), nullptr); // the Event log page, without LOG_INFO_REQ
    FrameRig::Click(*r.frame->Page(kSlotLogMenu), IDC_LOG_MENU_ALL);
    EXPECT_NE(r.frame->Page(kSlotLogAll), nullptr);
    EXPECT_TRUE(r.Quiet());

    // The buttons that only show received entries work while a request is outstanding.
    r.frame->SetBusy(true);
    for (const auto& [button, slot] : {std::pair{451u, kSlotLogPower}, std::pair{452u, kSlotLogRecord},
                                       std::pair{453u, kSlotLogOperation}, std::pair{454u, kSlotLogClient}}) {
        FrameRig::Click(*r.frame->Page(kSlotLogMenu), button);
        EXPECT_NE(r.frame->Page(slot), nullptr) << button;
    }
    r.frame->SetBusy(false);

    // The Search tab forgets a log page's play: a later Log tab asks for the log again.
    FrameRig::Click(*r.frame, 430);
    EXPECT_EQ(r.host.resume.record.active, 0);
    FrameRig::Click(*r.frame, 432);
    EXPECT_EQ(r.Next().id, unsigned(Msg::LOG_INFO_REQ));
    Serve(r, Msg::LOG_INFO_ACK, WM_KELO_LOG_READY, std::vector<BYTE>(400, 1));
    EXPECT_NE(r.frame->Page(kSlotLogAll), nullptr);
    EXPECT_EQ(r.frame->ReplyBytes().size(), 400u);
    EXPECT_FALSE(r.frame->IsBusy());
}

TEST(Resume, APlayFromASearchPageFreesTheLogCopiesWhenTheLogTabOpens) {
    RegisterStubLogPages();
    FrameRig r;
    // A log was listed earlier in this connection, then a day was played from the calendar.
    std::vector<RemoteLogEntry>& cache = CRemoteLogStore::Instance().Cache(r.host.client);
    cache.assign(2500, RemoteLogEntry{});
    r.host.resume.record = ResumeRecord{1, 0, 2, 0, 0, Utc(2026, 11, 10, 9)};
    r.host.playSource = 2;
    ASSERT_TRUE(r.Open());
    FrameRig::Click(*r.frame, 432);
    EXPECT_EQ(r.host.resume.record.active, 0);
    EXPECT_EQ(CRemoteLogStore::Instance().Cache(r.host.client).size(), 0u);
    EXPECT_EQ(CRemoteLogStore::Instance().Cache(r.host.client).capacity(), 0u) << "the copies are freed";
    EXPECT_EQ(r.Next().id, unsigned(Msg::LOG_INFO_REQ));
}

TEST(Resume, TheBackupCalendarButtonAlwaysStartsWithTheStartDay) {
    FrameRig r;
    ASSERT_TRUE(r.Open());
    r.host.resume.record.active = 1;
    FrameRig::Click(*r.frame, 431);
    EXPECT_EQ(r.host.resume.record.active, 0); // the Backup menu forgets the search
    r.frame->Backup().endDayPending = 1;
    r.frame->Backup().startYear = 2006;
    FrameRig::Click(*r.frame->Page(kSlotBackupMenu), IDC_SEARCH_MENU_CALENDAR);
    EXPECT_EQ(r.frame->Backup().endDayPending, 0);
    EXPECT_EQ(r.frame->Backup().startYear, 0);
    EXPECT_EQ(r.Next().id, unsigned(Msg::TRANS_INFO_MONTH_REQ));
    Serve(r, Msg::TRANS_INFO_MONTH_ACK, WM_KELO_TRANS_MONTH_READY, MonthReply({{2008, 2, 4}}));
    auto* calendar = r.PageAt<CBackupCalendarDlg>(kSlotBackupCalendar);
    ASSERT_NE(calendar, nullptr);
    EXPECT_FALSE(calendar->m_btnPrev.IsWindowVisible());
    // The page still exists: shown again, nothing asked.
    FrameRig::Click(*r.frame->Page(kSlotBackupMenu), IDC_SEARCH_MENU_CALENDAR);
    EXPECT_EQ(r.frame->Page(kSlotBackupCalendar), calendar);
    EXPECT_TRUE(r.Quiet());
    EXPECT_FALSE(r.frame->IsBusy());
}

} // namespace
