// The calendars: the month and year they open on, which months and days can be clicked, the year
// picker, the day request, and the backup calendar's end-day pick.
#include "ArchiveGuiSupport.h"

#include "archive/BackupCalendarDlg.h"
#include "archive/CalendarMath.h"
#include "archive/ItemPickerDlg.h"
#include "archive/PlayCalendarDlg.h"
#include "platform/base/Time.h"
#include "protocol/ClientMessages.h"
#include "res/ButtonStates.h"

#include <gtest/gtest.h>

using namespace archivetest;

namespace {

CPlayCalendarDlg* OpenCalendar(FrameRig& r, const std::vector<FlaggedDay>& days) {
    r.Reply(WM_KELO_PLAY_MONTH_READY, MonthReply(days), 376);
    return r.PageAt<CPlayCalendarDlg>(kSlotPlayCalendar);
}

POINT PlaceIn(CWnd& page, CWnd& control) {
    RECT r{};
    control.GetWindowRect(&r);
    POINT p{r.left, r.top};
    page.ScreenToClient(&p);
    return p;
}

CString TextOf(CWnd& wnd) {
    CString text;
    wnd.GetWindowText(text);
    return text;
}

TEST(Calendar, OpensOnTheLatestRecordedMonthOfTheLatestYearWithRecordings) {
    FrameRig r;
    ASSERT_TRUE(r.Open());
    // Recordings only in 2006: 10 May and 3 August.
    CPlayCalendarDlg* c = OpenCalendar(r, {{2006, 4, 9}, {2006, 7, 2}});
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->SelectedYear(), 2006);
    EXPECT_EQ(c->SelectedMonth(), 7);
    EXPECT_EQ(TextOf(c->Label(9)), "2006");
    for (int m = 0; m < 12; ++m) {
        const bool hasData = m == 4 || m == 7;
        EXPECT_EQ(c->MonthButton(m).m_bMarked, hasData ? 1 : 0) << m;
        EXPECT_EQ(c->MonthButton(m).GetState(), m == 7 ? 1 : (hasData ? 0 : 3)) << m;
        EXPECT_EQ(c->MonthButton(m).IsWindowEnabled() != FALSE, hasData) << m;
    }
    // 1 August 2006 was a Tuesday: day 1 in column 2 of row 0, day 31 in column 4 of row 4.
    EXPECT_EQ(PlaceIn(*c, c->DayButton(0)).x, 4 + 57 * 2);
    EXPECT_EQ(PlaceIn(*c, c->DayButton(0)).y, 107);
    EXPECT_EQ(PlaceIn(*c, c->DayButton(30)).x, 4 + 57 * 4);
    EXPECT_EQ(PlaceIn(*c, c->DayButton(30)).y, 107 + 30 * 4);
    EXPECT_TRUE(c->DayButton(30).IsWindowVisible());
    EXPECT_EQ(c->DayButton(2).m_bMarked, 1);
    EXPECT_EQ(c->DayButton(2).GetState(), kButtonOn);
    EXPECT_EQ(c->DayButton(3).m_bMarked, 0);
    EXPECT_EQ(c->DayButton(3).GetState(), kButtonNormal);
    EXPECT_TRUE(r.host.main.notices.empty());
}

TEST(Calendar, NothingRecordedPostsNothingFoundAndShowsNoDay) {
    FrameRig r;
    ASSERT_TRUE(r.Open());
    CPlayCalendarDlg* c = OpenCalendar(r, {});
    ASSERT_NE(c, nullptr);
    Flush();
    ASSERT_EQ(r.host.main.notices.size(), 1u);
    EXPECT_EQ(r.host.main.notices[0].notice, 0x40000);
    EXPECT_EQ(r.host.main.notices[0].over, r.frame->GetSafeHwnd());
    for (int d = 0; d < 31; ++d) {
        EXPECT_FALSE(c->DayButton(d).IsWindowVisible());
    }
    CString year;
    year.Format("%d", CTime::GetCurrentTime().GetYear());
    EXPECT_EQ(TextOf(c->Label(9)), year);
}

TEST(Calendar, FlagsBeyondTheDaysOfFebruaryDoNotMakeItSelectable) {
    FrameRig r;
    ASSERT_TRUE(r.Open());
    CPlayCalendarDlg* c = OpenCalendar(r, {{2001, 1, 28}, {2001, 1, 29}, {2001, 0, 4}});
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->SelectedMonth(), 0);
    EXPECT_EQ(c->MonthButton(1).m_bMarked, 0);
    FrameRig::Click(*c, CPlayCalendarDlg::kIdFirstMonth + 1);
    EXPECT_EQ(c->SelectedMonth(), 0);
}

TEST(Calendar, ADayClickAsksForThatDayOnlyWhenItHasRecordings) {
    FrameRig r;
    ASSERT_TRUE(r.Open());
    CPlayCalendarDlg* c = OpenCalendar(r, {{2006, 4, 4}, {2006, 5, 9}});
    ASSERT_NE(c, nullptr);
    FrameRig::Click(*c, CPlayCalendarDlg::kIdFirstMonth + 4); // May
    EXPECT_EQ(c->SelectedMonth(), 4);
    EXPECT_EQ(c->DayButton(4).m_bMarked, 1);
    EXPECT_EQ(c->MonthButton(5).GetState(), kButtonNormal);
    FrameRig::Click(*c, CPlayCalendarDlg::kIdFirstMonth + 5); // June: the 5th has nothing
    EXPECT_EQ(c->DayButton(4).m_bMarked, 0);
    FrameRig::Click(*c, CPlayCalendarDlg::kIdFirstDay + 4);
    EXPECT_TRUE(r.Quiet());
    EXPECT_FALSE(r.frame->IsBusy());

    r.host.resume.record.active = 1;
    r.frame->DayRecords() = ParseSegments(SegmentReply({{1, 1, 2, 3}}));
    FrameRig::Click(*c, CPlayCalendarDlg::kIdFirstDay + 9);
    const Sent day = r.Next();
    EXPECT_EQ(day.id, unsigned(Msg::PLAY_INFO_DAY_REQ));
    EXPECT_EQ(day.payload, (std::vector<std::uint8_t>{0x00, 0x00, 0x07, 0xD6, 0x06, 0x0A, 0x00, 0x00}));
    EXPECT_TRUE(r.frame->IsBusy());
    EXPECT_TRUE(r.frame->DayRecords().empty());
    EXPECT_EQ(r.host.resume.record.active, 0);
    // While the answer is awaited nothing more is asked.
    FrameRig::Click(*c, CPlayCalendarDlg::kIdFirstDay + 9);
    EXPECT_TRUE(r.Quiet());
}

TEST(Calendar, TheYearPicker) {
    FrameRig r;
    ASSERT_TRUE(r.Open());
    CPlayCalendarDlg* c = OpenCalendar(r, {{2006, 4, 4}});
    ASSERT_NE(c, nullptr);
    FrameRig::Click(*c, CPlayCalendarDlg::kIdYear, STN_CLICKED);
    CItemPickerDlg* picker = r.frame->ItemPicker();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->Layout().count, 38);
    EXPECT_EQ(picker->Layout().width, 210);
    EXPECT_EQ(TextOf(picker->Item(37)), "2037");

    // A year without recordings: January, every month closed, no day marked.
    FrameRig::Click(*picker, CItemPickerDlg::kIdFirstItem + 8, STN_CLICKED);
    EXPECT_EQ(r.frame->ItemPicker(), nullptr);
    EXPECT_EQ(c->SelectedYear(), 2008);
    EXPECT_EQ(c->SelectedMonth(), 0);
    EXPECT_EQ(TextOf(c->Label(9)), "2008");
    for (int m = 0; m < 12; ++m) {
        EXPECT_EQ(c->MonthButton(m).GetState(), kButtonDisabled) << m;
    }
    EXPECT_EQ(c->DayButton(0).m_bMarked, 0);

    // Back to 2006: its latest month again.
    c->OnYearPicked(0, 6);
    EXPECT_EQ(c->SelectedMonth(), 4);
    EXPECT_EQ(c->DayButton(4).m_bMarked, 1);

    r.frame->SetBusy(true);
    FrameRig::Click(*c, CPlayCalendarDlg::kIdYear, STN_CLICKED);
    EXPECT_EQ(r.frame->ItemPicker(), nullptr);
}

TEST(Calendar, TheBackupCalendarPicksTheEndDayFromTheStartDayOn) {
    FrameRig r;
    ASSERT_TRUE(r.Open());
    FrameRig::Click(*r.frame, 431);
    BackupRange& range = r.frame->Backup();
    range.endDayPending = 1;
    range.startYear = 2006;
    range.startMonth = 4;
    range.startDay = 4;
    r.Reply(WM_KELO_TRANS_MONTH_READY,
            MonthReply({{2006, 3, 1}, {2006, 4, 2}, {2006, 4, 4}, {2006, 4, 8}, {2006, 5, 0}}), 376);
    auto* c = r.PageAt<CBackupCalendarDlg>(kSlotBackupCalendar);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->SelectedYear(), 2006);
    EXPECT_EQ(c->SelectedMonth(), 4);
    EXPECT_TRUE(c->m_btnPrev.IsWindowVisible());
    EXPECT_EQ(c->MonthButton(3).GetState(), kButtonDisabled); // April lies before the start
    EXPECT_EQ(c->MonthButton(4).GetState(), kButtonOn);
    EXPECT_EQ(c->MonthButton(5).GetState(), kButtonNormal);
    EXPECT_EQ(c->DayButton(2).m_bMarked, 0); // before the start day
    EXPECT_FALSE(c->DayButton(2).IsWindowEnabled());
    EXPECT_EQ(c->DayButton(4).m_bMarked, 1); // the start day itself stays selectable
    EXPECT_EQ(c->DayButton(8).m_bMarked, 1);

    FrameRig::Click(*c, CPlayCalendarDlg::kIdYear, STN_CLICKED);
    ASSERT_NE(r.frame->ItemPicker(), nullptr);
    FrameRig::Click(*r.frame->ItemPicker(), CItemPickerDlg::kIdFirstItem + 5, STN_CLICKED); // 2005: grey
    EXPECT_NE(r.frame->ItemPicker(), nullptr);
    EXPECT_EQ(c->SelectedYear(), 2006);
    r.frame->ClosePickers();

    FrameRig::Click(*c, CPlayCalendarDlg::kIdFirstDay + 8);
    const Sent day = r.Next();
    EXPECT_EQ(day.id, unsigned(Msg::TRANS_INFO_DAY_REQ));
    EXPECT_EQ(day.payload, (std::vector<std::uint8_t>{0x00, 0x00, 0x07, 0xD6, 0x05, 0x09, 0x00, 0x00}));
    EXPECT_EQ(range.endYear, 2006);
    EXPECT_EQ(range.endMonth, 4);
    EXPECT_EQ(range.endDay, 8);
    EXPECT_TRUE(r.frame->IsBusy());

    // Prev goes back to the start day's timeline, whatever the busy flag says.
    c->OnPrev();
    EXPECT_EQ(range.endDayPending, 0);
    const Sent start = r.Next();
    EXPECT_EQ(start.id, unsigned(Msg::TRANS_INFO_DAY_REQ));
    EXPECT_EQ(start.payload, (std::vector<std::uint8_t>{0x00, 0x00, 0x07, 0xD6, 0x05, 0x05, 0x00, 0x00}));
}

} // namespace
