// The Search pages of the local search frame over downloaded index files: the calendar and its day
// lists, the local day timeline, the local event list and the local date/time page, each handing
// its choice to the frame (message 0x5228) with the right search kind.
#include "ArchiveGuiSupport.h"

#include "archive/ItemPickerDlg.h"
#include "archive/LocalCalendarDlg.h"
#include "archive/LocalDateTimeSearchDlg.h"
#include "archive/LocalDayTimelineDlg.h"
#include "archive/LocalEventListDlg.h"
#include "archive/LocalPageRegistry.h"
#include "archive/LocalPlayer.h"
#include "archive/LocalPlayerHost.h"
#include "archive/LocalSearchDlg.h"
#include "archive/LocalSearchHost.h"
#include "archive/LocalSearchMenuDlg.h"
#include "archive/TimePickerDlg.h"
#include "platform/base/Time.h"
#include "platform/gdi/DrawRecorder.h"
#include "protocol/ClientMessages.h"
#include "res/ButtonStates.h"
#include "tests/archive/IndexFileMaker.h"

#include <gtest/gtest.h>

using namespace archivetest;
using indexfile::At;

namespace {

class TestLocalHost : public ILocalSearchHost {
public:
    CTestMainWindow main;
    std::string location;
    int dateFormat = 0;

    CWnd* MainWindow() override { return &main; }
    CDvrClient* Client() override { return nullptr; }
    int DateFormat() const override { return dateFormat; }
    DWORD TimeToCTime(const int fields[6]) const override { return UtcOfFields(fields); }
    std::string SaveLocation() const override { return location; }
    bool IsRemovable() const override { return false; }
    void GetFileVersion(WORD version[4]) const override { std::fill(version, version + 4, WORD(0)); }
    bool HasLocalPlayer() const override { return false; }
    std::unique_ptr<ILocalPlayerHost> MakePlayerHost() override { return nullptr; }
    void AdoptLocalPlayer(std::unique_ptr<CLocalPlayer>) override {}
    std::string NoPrinterFolder() const override { return noPrinterFolder; }
    void ShowTextBox(CWnd*, const std::vector<CString>& lines) override { told.push_back(lines); }
    std::string noPrinterFolder;
    std::vector<std::vector<CString>> told;
};

// The local frame, keeping the playback asks its pages post instead of opening recordings.
class CTestLocalFrame : public CLocalSearchDlg {
public:
    using CLocalSearchDlg::CLocalSearchDlg;
    struct Ask {
        DWORD t1;
        DWORD t2;
        LocalSearchKind kind;
    };
    std::vector<Ask> asks;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_KELO_LOCAL_OPEN_RECORDINGS) {
            asks.push_back({DWORD(wParam), DWORD(lParam), GetSearchKind()});
            return 0;
        }
        return CLocalSearchDlg::WindowProc(message, wParam, lParam);
    }
};

class LocalPages : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterLocalSearchPages();
        host.location = folder.path.string();
        // 30 December 2007 to 2 January 2008 on channels 1 and 2 (motion), an alarm on 2 January,
        // and an audio event in 2006.
        folder.Write("Download/a.idx", indexfile::IndexFile({{At(2007, 11, 29, 22), At(2008, 0, 1, 1), 3, 2},
                                                             {At(2008, 0, 1, 10), At(2008, 0, 1, 11), 1, 1}},
                                                            2));
        folder.Write("Download/b.idx", indexfile::IndexFile({{At(2006, 4, 4, 8), At(2006, 4, 4, 9), 4, 4}}, 1));
    }
    void TearDown() override {
        if (frame && frame->GetSafeHwnd() != nullptr) {
            frame->DestroyWindow();
        }
        Flush();
        frame.reset();
        Flush();
    }
    bool Open() {
        frame = std::make_unique<CTestLocalFrame>(host, 255, &host.main);
        if (!frame->Create(CLocalSearchDlg::IDD, &host.main)) {
            return false;
        }
        frame->ShowWindow(SW_SHOW);
        Flush();
        return true;
    }
    template <typename Page>
    Page* PageAt(int slot) {
        return dynamic_cast<Page*>(frame->Page(slot));
    }
    bool Ended() {
        return PumpUntil([this] { return !frame->IsWindowVisible(); }, 5000);
    }

    indexfile::TempFolder folder;
    TestLocalHost host;
    std::unique_ptr<CTestLocalFrame> frame;
};

CString TextOf(CWnd& wnd) {
    CString text;
    wnd.GetWindowText(text);
    return text;
}

TEST_F(LocalPages, TheCalendarMarksTheDaysOfTheDownloadedSegments) {
    ASSERT_TRUE(Open());
    frame->ShowCalendarPage();
    auto* c = PageAt<CLocalCalendarDlg>(kLocalSlotCalendar);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->SelectedYear(), 2008);
    EXPECT_EQ(c->SelectedMonth(), 0);
    EXPECT_EQ(c->DayButton(0).m_bMarked, 1);
    EXPECT_EQ(c->DayButton(1).m_bMarked, 1);
    EXPECT_EQ(c->DayButton(2).m_bMarked, 0);
    EXPECT_EQ(c->MonthButton(1).GetState(), kButtonDisabled);

    // The year picker is the frame's number picker; 2007 shows the end of December.
    FrameRig::Click(*c, 799, STN_CLICKED);
    Flush();
    c->OnYearPicked(0, 7);
    EXPECT_EQ(c->SelectedMonth(), 11);
    EXPECT_EQ(c->DayButton(29).m_bMarked, 1);
    EXPECT_EQ(c->DayButton(30).m_bMarked, 1);
    EXPECT_EQ(c->DayButton(28).m_bMarked, 0);
    c->OnYearPicked(0, 6);
    EXPECT_EQ(c->SelectedMonth(), 4);
    EXPECT_EQ(c->DayButton(4).m_bMarked, 1);
    EXPECT_TRUE(host.main.notices.empty());

    // A day click hands the day's segments to the timeline.
    c->OnYearPicked(0, 8);
    FrameRig::Click(*c, CLocalCalendarDlg::kIdFirstDay + 1);
    auto* t = PageAt<CLocalDayTimelineDlg>(kLocalSlotDayTimeline);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(frame->Page(kLocalSlotCalendar), nullptr);
    ASSERT_EQ(t->Segments().size(), 2u);
    EXPECT_EQ(TextOf(t->Label(25)), "2008 - 01 - 02");
    CDrawRecorder recorder;
    {
        CDrawRecorder::ThreadCapture capture(recorder);
        t->GetHost()->grab();
    }
    std::vector<RECT> bars;
    for (const DrawRecord& d : recorder.Of(DrawRecord::Op::Blt)) {
        if (d.rect.bottom - d.rect.top == 8 && d.rect.left >= 113) {
            bars.push_back(d.rect);
        }
    }
    // The motion segment from the day before, on channels 1 and 2, from 00:00; the alarm on channel 1.
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_EQ(bars[0].left, 113);
    EXPECT_EQ(bars[0].right, 125);
    EXPECT_EQ(bars[1].top, 76 + 19);
    EXPECT_EQ(bars[2].left, 233);

    // Play hands the chosen time over as a time alone and closes the frame; Prev goes back.
    t->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(233, 100));
    t->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(233, 100));
    FrameRig::Click(*t, 482);
    ASSERT_EQ(frame->asks.size(), 1u);
    EXPECT_EQ(frame->asks[0].t1, At(2008, 0, 1, 10));
    EXPECT_EQ(frame->asks[0].t2, 0u);
    EXPECT_EQ(frame->asks[0].kind, LocalSearchKind::Time);
    EXPECT_TRUE(Ended());
}

TEST_F(LocalPages, TheTimelinesPrevAndPickerGoThroughTheLocalFrame) {
    ASSERT_TRUE(Open());
    frame->ShowCalendarPage();
    auto* c = PageAt<CLocalCalendarDlg>(kLocalSlotCalendar);
    ASSERT_NE(c, nullptr);
    FrameRig::Click(*c, CLocalCalendarDlg::kIdFirstDay + 0);
    auto* t = PageAt<CLocalDayTimelineDlg>(kLocalSlotDayTimeline);
    ASSERT_NE(t, nullptr);
    t->SetPickedTime(1, 5, 6, 7);
    // The time picker of the local frame hands its time back to the timeline when it goes.
    FrameRig::Click(*t, 816, STN_CLICKED);
    t->SetPickedTime(1, 1, 2, 3);
    frame->ClosePickers();
    EXPECT_EQ(TextOf(t->Label(26)), "05 : 06 : 07");
    EXPECT_EQ(t->CursorColumn(), 113 + 60 + 1);
    FrameRig::Click(*t, 483);
    EXPECT_NE(PageAt<CLocalCalendarDlg>(kLocalSlotCalendar), nullptr);
    EXPECT_EQ(frame->Page(kLocalSlotDayTimeline), nullptr);
}

TEST_F(LocalPages, NothingDownloadedPostsNothingFound) {
    std::filesystem::remove_all(folder.path / "Download");
    ASSERT_TRUE(Open());
    frame->ShowEventListPage();
    auto* list = PageAt<CLocalEventListDlg>(kLocalSlotEventList);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->List().GetItemCount(), 0);
    frame->ShowCalendarPage();
    ASSERT_NE(PageAt<CLocalCalendarDlg>(kLocalSlotCalendar), nullptr);
    Flush();
    ASSERT_EQ(host.main.notices.size(), 2u);
    for (const auto& n : host.main.notices) {
        EXPECT_EQ(n.notice, 0x40000);
        EXPECT_EQ(n.over, frame->GetSafeHwnd());
    }
}

TEST_F(LocalPages, TheEventListPlaysTheSelectedEventsRange) {
    ASSERT_TRUE(Open());
    frame->ShowEventListPage();
    auto* list = PageAt<CLocalEventListDlg>(kLocalSlotEventList);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Filter(), DWORD(kEventAlarm));
    ASSERT_EQ(list->List().GetItemCount(), 1);
    EXPECT_EQ(list->List().GetItemText(0, 0), "2008-01-02 10:00:00");
    EXPECT_EQ(list->List().GetItemText(0, 2), ""); // no channel column
    FrameRig::Click(*list, 471);
    EXPECT_EQ(list->List().GetItemCount(), 1);
    list->List().SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    Flush();
    EXPECT_TRUE(list->m_btnPlay.IsWindowEnabled());
    FrameRig::Click(*list, 482);
    ASSERT_EQ(frame->asks.size(), 1u);
    EXPECT_EQ(frame->asks[0].t1, At(2007, 11, 29, 22));
    EXPECT_EQ(frame->asks[0].t2, At(2008, 0, 1, 1));
    EXPECT_EQ(frame->asks[0].kind, LocalSearchKind::Time);
    EXPECT_TRUE(Ended());
}

TEST_F(LocalPages, TheDateTimePageOpensAnEndOnlyWhenOneWasChosen) {
    for (const bool chooseEnd : {false, true}) {
        ASSERT_TRUE(Open());
        auto* page = PageAt<CLocalDateTimeSearchDlg>(kLocalSlotDateTime);
        ASSERT_NE(page, nullptr);
        EXPECT_TRUE(page->NewLayout());
        if (chooseEnd) {
            // The end year 2030, picked as the frame's number picker hands it over.
            page->OnItemPicked(4, 30);
        }
        FrameRig::Click(*page, 482);
        ASSERT_EQ(frame->asks.size(), 1u);
        const CTime now = CTime::GetCurrentTime();
        EXPECT_EQ(frame->asks[0].t1, Utc(now.GetYear(), now.GetMonth() - 1, now.GetDay() - 1));
        EXPECT_EQ(frame->asks[0].t2, chooseEnd ? Utc(2030, 11, 30, 23, 59, 59) : 0u);
        EXPECT_EQ(frame->asks[0].kind, chooseEnd ? LocalSearchKind::Range : LocalSearchKind::Time);
        EXPECT_TRUE(Ended());
        TearDown();
    }
}

} // namespace
