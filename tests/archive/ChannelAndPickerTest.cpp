// The channel pages and the picker popups.
#include "ArchiveGuiSupport.h"

#include "archive/BackupChannelSelectDlg.h"
#include "archive/ChannelSelectDlg.h"
#include "archive/DateTimeSearchDlg.h"
#include "archive/DayTimelineDlg.h"
#include "archive/ItemPickerDlg.h"
#include "archive/SearchMenuDlg.h"
#include "archive/TimePickerDlg.h"
#include "res/ButtonStates.h"
#include "res/ControlIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace archivetest;

namespace {

CString TextOf(CWnd& wnd) {
    CString text;
    wnd.GetWindowText(text);
    return text;
}

TEST(ChannelSelect, OnAndOffEditTheFramesMaskForTheRecordersRows) {
    rig::Options options;
    options.channels = 4;
    FrameRig r(options);
    ASSERT_TRUE(r.Open());
    FrameRig::Click(*r.PageAt<CSearchMenuDlg>(kSlotSearchMenu), IDC_SEARCH_MENU_CHANNELS);
    auto* page = r.PageAt<CChannelSelectDlg>(kSlotChannelSelect);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->ChannelCount(), 4);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(page->m_btnOn[i].IsWindowVisible() != FALSE, i < 4) << i;
        EXPECT_EQ(page->m_chkRow[i].IsWindowVisible() != FALSE, i < 4) << i;
    }
    EXPECT_EQ(page->m_btnOn[0].GetState(), kButtonOn);
    EXPECT_EQ(page->m_btnOff[0].GetState(), kButtonNormal);

    FrameRig::Click(*page, 480); // All Check: the four rows only
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(page->m_chkRow[i].GetCheck(), i < 4 ? 1 : 0) << i;
    }
    FrameRig::Click(*page, 481);
    page->m_chkRow[1].SetCheck(1);
    page->m_chkRow[2].SetCheck(1);
    FrameRig::Click(*page, 570 + 0); // an unchecked row: itself alone
    EXPECT_EQ(r.frame->GetChannelMask(), 0x000Eu);
    FrameRig::Click(*page, 570 + 2); // a checked row: every checked row
    EXPECT_EQ(r.frame->GetChannelMask(), 0x0008u);
    EXPECT_EQ(page->m_btnOn[1].GetState(), kButtonNormal);
    EXPECT_EQ(page->m_btnOff[1].GetState(), kButtonOn);
    FrameRig::Click(*page, 570 + 3);
    EXPECT_EQ(r.frame->GetChannelMask(), 0u); // nothing at all is allowed
    FrameRig::Click(*page, 550 + 1);
    EXPECT_EQ(r.frame->GetChannelMask(), 0x0006u);

    // Made again from the mask as it stands, with its boxes unchecked.
    FrameRig::Click(*r.PageAt<CSearchMenuDlg>(kSlotSearchMenu), IDC_SEARCH_MENU_DATE_TIME);
    FrameRig::Click(*r.PageAt<CSearchMenuDlg>(kSlotSearchMenu), IDC_SEARCH_MENU_CHANNELS);
    page = r.PageAt<CChannelSelectDlg>(kSlotChannelSelect);
    ASSERT_NE(page, nullptr);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(page->m_chkRow[i].GetCheck(), 0);
        EXPECT_EQ(page->m_btnOn[i].GetState(), (i == 1 || i == 2) ? 1 : 0) << i;
    }
}

TEST(ChannelSelect, WithoutAConnectionEverySixteenRowsShow) {
    FrameRig r({}, false);
    ASSERT_TRUE(r.Open());
    r.frame->ShowBackupChannelSelect();
    auto* page = r.PageAt<CBackupChannelSelectDlg>(kSlotBackupChannelSelect);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->ChannelCount(), 16);
    EXPECT_TRUE(page->m_btnOn[15].IsWindowVisible());
    EXPECT_EQ(TextOf(page->m_lblRow[15]).Right(2), "16");
}

ListPopupRequest* Years(int width = 210) {
    static ListPopupRequest request;
    std::memset(&request, 0, sizeof request);
    request.count = 38;
    for (int i = 0; i < 38; ++i) {
        std::snprintf(request.items[i], 30, "%d", 2000 + i);
    }
    request.anchor = RECT{300, 200, 370, 214};
    request.clickX = 20;
    request.clickY = 6;
    request.width = DWORD(width);
    return &request;
}

TEST(Pickers, GreyItemsDoNotReactAndAPickEndsThePopup) {
    FrameRig r;
    ASSERT_TRUE(r.Open());
    auto* page = r.PageAt<CDateTimeSearchDlg>(kSlotDateTimeSearch);
    ASSERT_NE(page, nullptr);
    r.frame->ShowItemPicker(page, 0, Years(), 6, 1);
    CItemPickerDlg* picker = r.frame->ItemPicker();
    ASSERT_NE(picker, nullptr);
    RECT popup{};
    picker->GetWindowRect(&popup);
    EXPECT_EQ(popup.left, 300 + 20 - 105 + 1);
    EXPECT_EQ(popup.top, 207);
    EXPECT_EQ(popup.right - popup.left, 210);
    EXPECT_EQ(popup.bottom - popup.top, 210 + 10);
    EXPECT_EQ(TextOf(picker->Item(3)), "2003");
    EXPECT_FALSE(picker->Item(38).IsWindowVisible());

    FrameRig::Click(*picker, CItemPickerDlg::kIdFirstItem + 3, STN_CLICKED);
    EXPECT_EQ(r.frame->ItemPicker(), picker);
    const int before = page->Range().year[0];
    FrameRig::Click(*picker, CItemPickerDlg::kIdFirstItem + 9, STN_CLICKED);
    EXPECT_EQ(r.frame->ItemPicker(), nullptr);
    EXPECT_EQ(page->Range().year[0], 2009);
    EXPECT_NE(before, 0);

    // A pick for a page that is gone reaches nobody.
    r.frame->ShowItemPicker(page, 0, Years(), 0, 1);
    picker = r.frame->ItemPicker();
    FrameRig::Click(*r.PageAt<CSearchMenuDlg>(kSlotSearchMenu), IDC_SEARCH_MENU_CHANNELS);
    EXPECT_EQ(r.frame->ItemPicker(), nullptr); // the page change closed the pickers too
}

TEST(Pickers, TheTimePickerReportsWhenItGoes) {
    FrameRig r;
    ASSERT_TRUE(r.Open());
    r.frame->ShowDayTimeline(2008, 2, 4);
    auto* timeline = r.PageAt<CDayTimelineDlg>(kSlotDayTimeline);
    ASSERT_NE(timeline, nullptr);
    TimePickerRequest request{};
    request.rows = 3;
    request.hour = 7;
    request.minute = 8;
    request.second = 9;
    request.anchor = RECT{100, 100, 290, 114};
    request.width = 358;
    r.frame->ShowTimePicker(timeline, 1, &request);
    CTimePickerDlg* picker = r.frame->TimePicker();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(TextOf(picker->Label(3)), "7"); // one digit under ten
    EXPECT_EQ(TextOf(picker->Label(0)), LoadResString(IDS_HOUR));
    RECT popup{};
    picker->GetWindowRect(&popup);
    EXPECT_EQ(popup.bottom - popup.top, 63 + 10);

    // Closed without a move: the request's own time goes back.
    r.frame->ClosePickers();
    EXPECT_EQ(r.frame->TimePicker(), nullptr);
    EXPECT_EQ(timeline->ChosenHour(), 7);
    EXPECT_EQ(timeline->ChosenMinute(), 8);
    EXPECT_EQ(timeline->ChosenSecond(), 9);
    EXPECT_EQ(TextOf(timeline->Label(26)), "07 : 08 : 09");

    // A moved slider; then an item picker opens, which reports the time first.
    r.frame->ShowTimePicker(timeline, 1, &request);
    picker = r.frame->TimePicker();
    ASSERT_NE(picker, nullptr);
    picker->Slider(1).SetPos(45);
    picker->SendMessage(WM_SLIDER_MOVE, CTimePickerDlg::kIdFirstSlider + 1, 45);
    EXPECT_EQ(TextOf(picker->Label(4)), "45");
    r.frame->ShowItemPicker(timeline, 0, Years(), 0, 1);
    EXPECT_EQ(r.frame->TimePicker(), nullptr);
    EXPECT_NE(r.frame->ItemPicker(), nullptr);
    EXPECT_EQ(timeline->ChosenMinute(), 45);

    // The other way round nothing is reported: the item picker simply goes.
    r.frame->ShowTimePicker(timeline, 1, &request);
    EXPECT_EQ(r.frame->ItemPicker(), nullptr);
    EXPECT_NE(r.frame->TimePicker(), nullptr);
}

} // namespace
