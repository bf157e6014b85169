// The day timelines: bars of the day's segments, the cursor and the chosen time, Play, and the
// backup timeline's marks, Next, Calculate and Backup.
#include "ArchiveGuiSupport.h"

#include "archive/BackupCalendarDlg.h"
#include "archive/BackupTimelineDlg.h"
#include "archive/DayTimelineDlg.h"
#include "archive/PlayCalendarDlg.h"
#include "archive/TimePickerDlg.h"
#include "platform/gdi/DrawRecorder.h"
#include "protocol/ClientMessages.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace archivetest;

namespace {

CString TextOf(CWnd& wnd) {
    CString text;
    wnd.GetWindowText(text);
    return text;
}

// The bars a page painted: stretched blits eight pixels high inside the chart.
std::vector<RECT> Bars(CWnd& page) {
    CDrawRecorder recorder;
    {
        CDrawRecorder::ThreadCapture capture(recorder);
        page.GetHost()->grab();
    }
    std::vector<RECT> bars;
    for (const DrawRecord& d : recorder.Of(DrawRecord::Op::Blt)) {
        if (d.rect.bottom - d.rect.top == 8 && d.rect.left >= 113 && d.rect.top >= 76 && d.rect.top < 375) {
            bars.push_back(d.rect);
        }
    }
    return bars;
}

void Press(CWnd& page, int x, int y, UINT message = WM_LBUTTONDOWN, WPARAM flags = MK_LBUTTON) {
    page.SendMessage(message, flags, MAKELPARAM(x, y));
    if (message == WM_LBUTTONDOWN) {
        page.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    Flush();
}

TEST(DayTimeline, BarsOfTheSelectedChannelsInTheColourOfTheLowestType) {
    FrameRig r;
    ASSERT_TRUE(r.Open());
    r.frame->SetChannelMask(0xFFFD); // channel 2 not selected
    r.frame->DayRecords() = ParseSegments(SegmentReply({
        {0x0005, 0x06, Utc(2008, 2, 4, 10, 2), Utc(2008, 2, 4, 10, 4)}, // channels 1 and 3, type 1
        {0x0002, 0x01, Utc(2008, 2, 4, 11), Utc(2008, 2, 4, 12)},       // channel 2 only
        {0x0001, 0x80, Utc(2008, 2, 4, 13), Utc(2008, 2, 4, 14)},       // no record type
        {0x0008, 0x20, Utc(2008, 2, 3, 22), Utc(2008, 2, 4, 1)},        // from the day before
    }));
    r.frame->ShowDayTimeline(2008, 2, 4);
    auto* t = r.PageAt<CDayTimelineDlg>(kSlotDayTimeline);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(TextOf(t->Label(25)), "2008 - 03 - 05");
    EXPECT_EQ(TextOf(t->Label(26)), "00 : 00 : 00");
    const std::vector<RECT> bars = Bars(*t);
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_EQ(bars[0].left, 233);
    EXPECT_EQ(bars[0].right, 234);
    EXPECT_EQ(bars[0].top, 76);
    EXPECT_EQ(bars[1].top, 76 + 2 * 19);
    EXPECT_EQ(bars[2].left, 113);
    EXPECT_EQ(bars[2].right, 125);
    EXPECT_EQ(bars[2].top, 76 + 3 * 19);
}

TEST(DayTimeline, ClickDragPickAndPlay) {
    FrameRig r;
    ASSERT_TRUE(r.Open());
    r.host.dateFormat = 2;
    r.frame->SetChannelMask(0x0006);
    r.frame->ShowDayTimeline(2008, 2, 4);
    auto* t = r.PageAt<CDayTimelineDlg>(kSlotDayTimeline);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(TextOf(t->Label(25)), "05 - 03 - 2008");

    Press(*t, 100, 200); // left of the chart
    EXPECT_EQ(t->CursorColumn(), -1);
    Press(*t, 233, 200);
    EXPECT_EQ(TextOf(t->Label(26)), "10 : 00 : 00");
    Press(*t, 300, 150, WM_MOUSEMOVE); // dragging
    EXPECT_EQ(t->CursorColumn(), 300);
    EXPECT_EQ(TextOf(t->Label(26)), "15 : 35 : 00");

    // The time picker: a move over the chart without a button closes it and hands its time back.
    FrameRig::Click(*t, 816, STN_CLICKED);
    CTimePickerDlg* picker = r.frame->TimePicker();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->Hour(), 15);
    EXPECT_EQ(TextOf(picker->Label(4)), "35");
    Press(*t, 250, 150, WM_MOUSEMOVE, 0);
    EXPECT_EQ(r.frame->TimePicker(), nullptr);
    EXPECT_EQ(t->CursorColumn(), 300);
    t->SetPickedTime(1, 7, 3, 9);
    EXPECT_EQ(TextOf(t->Label(26)), "07 : 03 : 09");
    EXPECT_EQ(t->CursorColumn(), 113 + 84);

    // x 401 is 24:00: playback starts at midnight of the next day, from there on.
    Press(*t, 401, 370);
    EXPECT_EQ(TextOf(t->Label(26)), "24 : 00 : 00");
    FrameRig::Click(*t, 482);
    const Sent play = r.Next();
    EXPECT_EQ(play.id, unsigned(Msg::PLAY_ON_REQ));
    ASSERT_EQ(play.payload.size(), 24u);
    EXPECT_EQ(BE(play.payload, 0), 0x0006u);
    EXPECT_EQ(play.payload[4], 0);
    EXPECT_EQ(BE(play.payload, 16), Utc(2008, 2, 5));
    EXPECT_EQ(BE(play.payload, 20), 0u);
    EXPECT_EQ(r.host.resume.record.active, 1);
    EXPECT_EQ(r.host.resume.record.source, 0);
    EXPECT_EQ(r.host.resume.record.search_mode, 2);
    EXPECT_EQ(r.host.resume.record.time, Utc(2008, 2, 5));
    EXPECT_TRUE(r.Ended());
}

TEST(DayTimeline, ReopenedDuringPlaybackItShowsThePlayedTime) {
    FrameRig r;
    r.host.resume.record.active = 1;
    r.host.resume.record.search_mode = 2;
    r.host.resume.record.time = Utc(2008, 2, 4, 10, 37, 5);
    r.host.localPlayer = true;
    ASSERT_TRUE(r.Open());
    auto* t = r.PageAt<CDayTimelineDlg>(kSlotDayTimeline);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(TextOf(t->Label(26)), "10 : 37 : 05");
    EXPECT_EQ(t->CursorColumn(), 113 + 120 + 7);
    EXPECT_FALSE(t->m_btnPlay.IsWindowEnabled()); // a local player runs
    EXPECT_TRUE(r.Quiet());

    // Prev makes the calendar from the month records the frame holds and leaves.
    r.frame->MonthRecords() = ParseMonthRecords(MonthReply({{2008, 2, 4}}));
    FrameRig::Click(*t, 483);
    EXPECT_TRUE(PumpUntil([&] { return r.frame->Page(kSlotDayTimeline) == nullptr; }));
    auto* c = r.PageAt<CPlayCalendarDlg>(kSlotPlayCalendar);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->SelectedMonth(), 2);
}

class BackupTimelineTest : public ::testing::Test {
protected:
    void SetUp() override {
        r.UseTemporarySaveLocation();
        ASSERT_TRUE(r.Open());
        FrameRig::Click(*r.frame, 431);
        r.frame->SetChannelMask(0x0003);
    }
    CBackupTimelineDlg* OpenTimeline(int pending) {
        BackupRange& b = r.frame->Backup();
        b = BackupRange{};
        b.endDayPending = pending;
        b.startYear = b.endYear = 2008;
        b.startMonth = b.endMonth = 2;
        b.startDay = b.endDay = 4;
        b.startHour = 10;
        b.startMinute = 2;
        b.startSecond = 30;
        r.frame->ShowBackupTimeline();
        return r.PageAt<CBackupTimelineDlg>(kSlotBackupTimeline);
    }

    FrameRig r;
};

TEST_F(BackupTimelineTest, TheStartDayPassEndsWithNext) {
    CBackupTimelineDlg* t = OpenTimeline(0);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Mode(), 0);
    EXPECT_FALSE(t->m_btnCalculate.IsWindowEnabled());
    EXPECT_TRUE(t->m_btnNext.IsWindowVisible());
    EXPECT_FALSE(t->m_btnBackup.IsWindowVisible());
    EXPECT_EQ(TextOf(t->Label(26)), "00 : 00 : 00");
    Press(*t, 401, 200); // the backup page stops at 23:55
    EXPECT_EQ(t->StartMark(), 113);
    Press(*t, 400, 200);
    EXPECT_EQ(TextOf(t->Label(26)), "23 : 55 : 00");
    r.frame->SetBusy(true);
    Press(*t, 300, 200); // no press while busy, and no drag from it
    Press(*t, 310, 200, WM_MOUSEMOVE);
    EXPECT_EQ(t->StartMark(), 400);
    r.frame->SetBusy(false);
    Press(*t, 233, 200);

    r.frame->MonthRecords() = ParseMonthRecords(MonthReply({{2008, 2, 4}}));
    FrameRig::Click(*t, 481);
    const BackupRange& b = r.frame->Backup();
    EXPECT_EQ(b.endDayPending, 1);
    EXPECT_EQ(b.startHour, 10);
    EXPECT_EQ(b.startMinute, 0);
    // The end day is picked from the month records already there: nothing is asked.
    EXPECT_TRUE(r.Quiet());
    EXPECT_NE(r.PageAt<CBackupCalendarDlg>(kSlotBackupCalendar), nullptr);
    EXPECT_EQ(r.frame->Page(kSlotBackupTimeline), nullptr);
}

TEST_F(BackupTimelineTest, TheEndDayPassSizesAndStartsTheBackup) {
    CBackupTimelineDlg* t = OpenTimeline(1);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Mode(), 1);
    EXPECT_EQ(t->StartMark(), 113 + 120); // 10:02 on the same day
    EXPECT_EQ(t->EndMark(), 401);
    EXPECT_EQ(TextOf(t->Label(26)), "10 : 02 : 30");
    EXPECT_EQ(TextOf(t->Label(28)), "23 : 59 : 59");
    EXPECT_TRUE(t->m_btnCalculate.IsWindowEnabled());
    EXPECT_FALSE(t->m_btnBackup.IsWindowEnabled());

    Press(*t, 200, 200); // left of the start mark
    EXPECT_EQ(t->EndMark(), 401);
    // A picked end time is not held to the start mark.
    t->OnTimePicked(3, 9, 0, 0);
    EXPECT_EQ(t->EndMark(), 113 + 108);
    Press(*t, 257, 200);
    EXPECT_EQ(TextOf(t->Label(28)), "12 : 00 : 00");

    FrameRig::Click(*t, 480);
    const Sent size = r.Next();
    EXPECT_EQ(size.id, unsigned(Msg::TRANS_ON_REQ));
    ASSERT_EQ(size.payload.size(), 24u);
    EXPECT_EQ(BE(size.payload, 0), 0x0003u);
    EXPECT_EQ(size.payload[4], 0x3F);
    EXPECT_EQ(BE(size.payload, 16), Utc(2008, 2, 4, 10, 2, 30));
    EXPECT_EQ(BE(size.payload, 20), Utc(2008, 2, 4, 12, 0, 0));
    EXPECT_TRUE(r.frame->IsBusy());
    EXPECT_FALSE(t->m_btnCalculate.IsWindowEnabled());

    // Not enough room: the notice with its figures, and Calculate again.
    r.host.freeMByte = 150;
    r.frame->PostMessage(WM_KELO_BACKUP_SIZE, 60 * 1024);
    Flush();
    ASSERT_EQ(r.host.main.notices.size(), 1u);
    EXPECT_EQ(r.host.main.notices[0].notice, 0xD0000);
    EXPECT_EQ(r.frame->m_nBackupFreeMargin, 90);
    EXPECT_EQ(r.host.figures.needed, 60);
    EXPECT_EQ(r.host.figures.freeLess100, 50);
    EXPECT_EQ(TextOf(t->Label(29)), "");
    EXPECT_TRUE(t->m_btnCalculate.IsWindowEnabled());
    EXPECT_FALSE(t->m_btnBackup.IsWindowEnabled());

    r.host.freeMByte = 5000;
    FrameRig::Click(*t, 480);
    EXPECT_EQ(r.Next().id, unsigned(Msg::TRANS_ON_REQ));
    r.frame->PostMessage(WM_KELO_BACKUP_SIZE, 60 * 1024);
    Flush();
    EXPECT_EQ(TextOf(t->Label(29)), "60 MByte");
    EXPECT_TRUE(t->m_btnBackup.IsWindowEnabled());
    EXPECT_FALSE(t->m_btnCalculate.IsWindowEnabled());

    FrameRig::Click(*t, 482);
    const Sent data = r.Next();
    EXPECT_EQ(data.id, unsigned(Msg::TRANS_DATA_REQ));
    EXPECT_EQ(data.payload, size.payload);
    EXPECT_TRUE(r.client->client->Backup().HasDownloadWriter());
    EXPECT_TRUE(r.client->client->Backup().IsBackup());
    EXPECT_TRUE(r.Ended());
}

} // namespace
