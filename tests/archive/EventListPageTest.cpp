// The event lists: filters, rows and their texts, the selection, Play with and without an open end,
// and the backup event list's Calculate and Backup.
#include "ArchiveGuiSupport.h"

#include "archive/BackupEventListDlg.h"
#include "archive/EventListDlg.h"
#include "archive/SearchMenuDlg.h"
#include "protocol/ClientMessages.h"
#include "res/ButtonStates.h"
#include "res/ControlIds.h"

#include <QScrollBar>

#include <gtest/gtest.h>

using namespace archivetest;

namespace {

// Three alarm events, two motion events on channels 2 and 10, and one of an unknown type.
std::vector<BYTE> Events() {
    return SegmentReply({
        {0x0001, 1, Utc(2008, 2, 4, 1), Utc(2008, 2, 4, 2)},
        {0x0202, 2, Utc(2008, 2, 4, 3), Utc(2008, 2, 4, 4)},
        {0x0001, 1, Utc(2008, 2, 4, 5), Utc(2008, 2, 4, 6)},
        {0x0004, 3, Utc(2008, 2, 4, 7), Utc(2008, 2, 4, 8)},
        {0x0202, 2, Utc(2008, 2, 4, 9, 10, 11), Utc(2008, 2, 4, 10)},
        {0x0001, 1, Utc(2008, 2, 4, 11), Utc(2008, 2, 4, 12)},
    });
}

void Select(CEventListDlg& page, int row) {
    page.List().SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    Flush();
}

CEventListDlg* OpenEvents(FrameRig& r) {
    FrameRig::Click(*r.PageAt<CSearchMenuDlg>(kSlotSearchMenu), IDC_SEARCH_MENU_EVENT);
    EXPECT_EQ(r.Next().id, unsigned(Msg::EVENT_INFO_REQ));
    r.Reply(WM_KELO_EVENT_LIST_READY, Events(), 24);
    return r.PageAt<CEventListDlg>(kSlotEventList);
}

TEST(EventList, OneTypeAtATimeInLoadOrder) {
    FrameRig r;
    ASSERT_TRUE(r.Open());
    CEventListDlg* page = OpenEvents(r);
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(r.frame->IsBusy());
    EXPECT_EQ(page->Filter(), DWORD(kEventAlarm));
    EXPECT_EQ(page->m_btnFilter[0].GetState(), kButtonOn);
    EXPECT_EQ(page->List().GetItemCount(), 3);
    EXPECT_FALSE(page->m_btnPlay.IsWindowEnabled());

    FrameRig::Click(*page, 471);
    EXPECT_EQ(page->m_btnFilter[0].GetState(), kButtonNormal);
    EXPECT_EQ(page->m_btnFilter[1].GetState(), kButtonOn);
    ASSERT_EQ(page->List().GetItemCount(), 2);
    EXPECT_EQ(page->List().GetItemText(1, 0), "2008-03-05 09:10:11");
    EXPECT_EQ(page->List().GetItemText(1, 1), "2008-03-05 10:00:00");
    EXPECT_EQ(page->List().GetItemText(1, 2), "02 10 ");

    // A rebuilt list has no selection; while busy the filters do nothing.
    Select(*page, 1);
    EXPECT_TRUE(page->m_btnPlay.IsWindowEnabled());
    r.frame->SetBusy(true);
    FrameRig::Click(*page, 472);
    EXPECT_EQ(page->Filter(), DWORD(kEventMotion));
    r.frame->SetBusy(false);
    FrameRig::Click(*page, 472);
    EXPECT_EQ(page->List().GetItemCount(), 0); // no audio event; type 3 never shows
    EXPECT_EQ(page->SelectedRow(), -1);
    EXPECT_FALSE(page->m_btnPlay.IsWindowEnabled());

    // An unknown date format leaves the time cells empty.
    r.host.dateFormat = 5;
    FrameRig::Click(*page, 470);
    EXPECT_EQ(page->List().GetItemText(0, 0), "");
    EXPECT_EQ(page->List().GetItemText(0, 2), "01 ");
}

// The three columns are wider than the list: the operator reads the channels column by scrolling the
// list sideways, to its very end.
TEST(EventList, ColumnsWiderThanTheListAreReadBySidewaysScrolling) {
    FrameRig r;
    ASSERT_TRUE(r.Open());
    CEventListDlg* page = OpenEvents(r);
    ASSERT_NE(page, nullptr);
    page->List().GetHost()->show();
    Flush();
    QScrollBar* sideways = nullptr;
    int upright = 0;
    for (QScrollBar* bar : page->List().GetHost()->findChildren<QScrollBar*>()) {
        if (bar->orientation() == Qt::Horizontal) {
            sideways = bar;
        } else if (!bar->isHidden()) {
            upright = bar->width();
        }
    }
    ASSERT_NE(sideways, nullptr);
    EXPECT_FALSE(sideways->isHidden());
    CRect client;
    page->List().GetClientRect(&client);
    const int columns = 180 + 180 + 334; // start, end, channels
    ASSERT_GT(columns, client.Width());
    // At its end the bar shows the last column's right edge at the list's right edge.
    EXPECT_GE(sideways->maximum() + client.Width() - upright, columns);
}

TEST(EventList, PlayStartsAtTheSelectedEventWithAnOpenEndOnNewerRecorders) {
    for (const auto& [minor, openEnd] : {std::pair{std::uint8_t(2), true}, std::pair{std::uint8_t(0), false}}) {
        rig::Options options;
        options.versionMajor = 1;
        options.versionMinor = minor;
        FrameRig r(options);
        ASSERT_TRUE(r.Open());
        CEventListDlg* page = OpenEvents(r);
        ASSERT_NE(page, nullptr);
        r.frame->SetChannelMask(0x0300);
        FrameRig::Click(*page, 471);
        Select(*page, 1);
        FrameRig::Click(*page, 482);
        const Sent play = r.Next();
        EXPECT_EQ(play.id, unsigned(Msg::PLAY_ON_REQ));
        ASSERT_EQ(play.payload.size(), 24u);
        EXPECT_EQ(BE(play.payload, 0), 0x0300u);
        EXPECT_EQ(play.payload[4], 1u << 2);
        EXPECT_EQ(BE(play.payload, 16), Utc(2008, 2, 4, 9, 10, 11));
        EXPECT_EQ(BE(play.payload, 20), openEnd ? 0u : Utc(2008, 2, 4, 10));
        EXPECT_EQ(r.host.resume.record.active, 1);
        EXPECT_EQ(r.host.resume.record.search_mode, 1);
        EXPECT_EQ(r.host.resume.record.event_filter, 1u);
        EXPECT_EQ(r.host.resume.record.time, Utc(2008, 2, 4, 9, 10, 11));
        EXPECT_TRUE(r.Ended());
    }
}

TEST(EventList, PlayWithoutASelectionOrAConnectionOnlyCloses) {
    FrameRig r;
    ASSERT_TRUE(r.Open());
    CEventListDlg* page = OpenEvents(r);
    ASSERT_NE(page, nullptr);
    r.host.localPlayer = true;
    Select(*page, 0);
    EXPECT_FALSE(page->m_btnPlay.IsWindowEnabled()); // a local player runs
    page->List().SetItemState(0, 0, LVIS_SELECTED | LVIS_FOCUSED);
    Flush();
    page->OnPlay();
    EXPECT_TRUE(r.Quiet());
    EXPECT_TRUE(r.Ended());
    EXPECT_EQ(r.host.resume.record.active, 0);
}

TEST(EventList, TheBackupListSizesAndBacksUpTheSelectedEvent) {
    FrameRig r;
    r.UseTemporarySaveLocation();
    ASSERT_TRUE(r.Open());
    FrameRig::Click(*r.frame, 431);
    FrameRig::Click(*r.frame->Page(kSlotBackupMenu), IDC_SEARCH_MENU_EVENT);
    EXPECT_EQ(r.Next().id, unsigned(Msg::EVENT_INFO_REQ));
    r.Reply(WM_KELO_EVENT_LIST_READY, Events(), 24);
    auto* page = r.PageAt<CBackupEventListDlg>(kSlotBackupEventList);
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(page->m_btnCalculate.IsWindowEnabled());
    page->OnCalculate(); // nothing selected
    EXPECT_TRUE(r.Quiet());

    Select(*page, 2);
    EXPECT_TRUE(page->m_btnCalculate.IsWindowEnabled());
    FrameRig::Click(*page, 480);
    const Sent size = r.Next();
    EXPECT_EQ(size.id, unsigned(Msg::TRANS_ON_REQ));
    EXPECT_EQ(size.payload[4], 1u << 1);
    EXPECT_EQ(BE(size.payload, 16), Utc(2008, 2, 4, 11));
    EXPECT_EQ(BE(size.payload, 20), Utc(2008, 2, 4, 12));
    EXPECT_TRUE(r.frame->IsBusy());
    Select(*page, 0); // ignored while the size is awaited
    EXPECT_EQ(page->SelectedRow(), 2);

    r.frame->PostMessage(WM_KELO_BACKUP_SIZE, 700);
    Flush();
    CString text;
    page->m_lblSize.GetWindowText(text);
    EXPECT_EQ(text, "700 KByte");
    ASSERT_TRUE(page->m_btnPlay.IsWindowEnabled());
    FrameRig::Click(*page, 482);
    const Sent data = r.Next();
    EXPECT_EQ(data.id, unsigned(Msg::TRANS_DATA_REQ));
    EXPECT_EQ(data.payload[4], 0);
    EXPECT_EQ(BE(data.payload, 16), Utc(2008, 2, 4, 11));
    EXPECT_EQ(BE(data.payload, 20), Utc(2008, 2, 4, 12));
    EXPECT_EQ(page->Size().kbytes, 700u);
    EXPECT_TRUE(r.client->client->Backup().HasDownloadWriter());
    EXPECT_TRUE(r.Ended());
}

} // namespace
