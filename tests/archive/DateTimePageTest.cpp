// The date and time pages: old and new layouts, the fields' pickers by date format, picks that are
// undone or clamped, Play, and the backup page's Calculate and Backup.
#include "ArchiveGuiSupport.h"

#include "archive/BackupDateTimeDlg.h"
#include "archive/DateTimeSearchDlg.h"
#include "archive/ItemPickerDlg.h"
#include "archive/TimePickerDlg.h"
#include "platform/base/Time.h"
#include "protocol/ClientMessages.h"
#include "tests/support/DvrClientTestPeer.h"

#include <gtest/gtest.h>

using namespace archivetest;

namespace {

CString TextOf(CWnd& wnd) {
    CString text;
    wnd.GetWindowText(text);
    return text;
}

DWORD TodayUtc(int hour, int minute, int second) {
    const CTime now = CTime::GetCurrentTime();
    return Utc(now.GetYear(), now.GetMonth() - 1, now.GetDay() - 1, hour, minute, second);
}

rig::Options Version(std::uint8_t major, std::uint8_t minor) {
    rig::Options o;
    o.versionMajor = major;
    o.versionMinor = minor;
    return o;
}

TEST(DateTimeSearch, AnOlderRecorderGetsTheStartOnlyAndAnOpenEnd) {
    FrameRig r(Version(1, 0));
    ASSERT_TRUE(r.Open());
    auto* page = r.PageAt<CDateTimeSearchDlg>(kSlotDateTimeSearch);
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(page->NewLayout());
    for (int k = 6; k < 14; ++k) {
        EXPECT_FALSE(page->Label(k).IsWindowVisible()) << k;
    }
    EXPECT_EQ(TextOf(page->Label(5)), "00 : 00 : 00");
    // The old layout's fields open their pickers even while the frame waits.
    r.frame->SetBusy(true);
    FrameRig::Click(*page, 795, STN_CLICKED);
    EXPECT_NE(r.frame->TimePicker(), nullptr);
    r.frame->ClosePickers();
    page->OnTimePicked(3, 6, 30, 0);
    r.frame->SetBusy(false);
    FrameRig::Click(*page, 482);
    const Sent play = r.Next();
    EXPECT_EQ(play.id, unsigned(Msg::PLAY_ON_REQ));
    ASSERT_EQ(play.payload.size(), 24u);
    EXPECT_EQ(play.payload[4], 0x3F);
    EXPECT_EQ(BE(play.payload, 0), 0xFFFFu);
    EXPECT_EQ(BE(play.payload, 16), TodayUtc(6, 30, 0));
    EXPECT_EQ(BE(play.payload, 20), 0u);
    EXPECT_EQ(r.host.resume.record.search_mode, 0);
    EXPECT_EQ(r.host.resume.record.time, TodayUtc(6, 30, 0));
    EXPECT_TRUE(r.Ended());
}

TEST(DateTimeSearch, ANewerRecorderGetsTheDefaultEndAsATime) {
    FrameRig r(Version(2, 0));
    ASSERT_TRUE(r.Open());
    auto* page = r.PageAt<CDateTimeSearchDlg>(kSlotDateTimeSearch);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->NewLayout());
    EXPECT_EQ(TextOf(page->Label(10)), "2037.");
    EXPECT_EQ(TextOf(page->Label(13)), "23 : 59 : 59");
    FrameRig::Click(*page, 482);
    const Sent play = r.Next();
    EXPECT_EQ(BE(play.payload, 16), TodayUtc(0, 0, 0));
    EXPECT_EQ(BE(play.payload, 20), 2145916799u);
}

TEST(DateTimeSearch, TheFieldsPickerFollowsTheDateFormat) {
    struct Case {
        int format;
        UINT field;
        int count;
        int width;
        int height;
    };
    const CTime now = CTime::GetCurrentTime();
    const int days = GetDaysInMonth(now.GetYear(), now.GetMonth() - 1);
    const Case cases[] = {
        {0, 796, 38, 210, (38 / 4 + 1) * 21}, // the year grid
        {1, 796, 12, 50, 12 * 21},            // the month list
        {2, 796, days, 180, (days / 4 + 1) * 21},
        {0, 802, 31, 180, (31 / 4 + 1) * 21}, // the end's day: December 2037
    };
    for (const Case& c : cases) {
        FrameRig r;
        r.host.dateFormat = c.format;
        ASSERT_TRUE(r.Open());
        auto* page = r.PageAt<CDateTimeSearchDlg>(kSlotDateTimeSearch);
        ASSERT_NE(page, nullptr);
        FrameRig::Click(*page, c.field, STN_CLICKED);
        CItemPickerDlg* picker = r.frame->ItemPicker();
        ASSERT_NE(picker, nullptr) << c.format;
        EXPECT_EQ(picker->Layout().count, c.count) << c.format;
        EXPECT_EQ(picker->Layout().width, c.width) << c.format;
        EXPECT_EQ(picker->Layout().height, c.height) << c.format;
        RECT popup{};
        picker->GetWindowRect(&popup);
        EXPECT_EQ(popup.bottom - popup.top, c.height + 10);
        // Moving back over the page closes it; a busy frame opens none.
        page->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        EXPECT_EQ(r.frame->ItemPicker(), nullptr);
        r.frame->SetBusy(true);
        FrameRig::Click(*page, c.field, STN_CLICKED);
        EXPECT_EQ(r.frame->ItemPicker(), nullptr);
    }
}

TEST(DateTimeSearch, PicksAreUndoneWhenTheStartWouldNotPrecedeTheEnd) {
    FrameRig r;
    ASSERT_TRUE(r.Open());
    auto* page = r.PageAt<CDateTimeSearchDlg>(kSlotDateTimeSearch);
    ASSERT_NE(page, nullptr);
    FrameRig::Click(*page, 800, STN_CLICKED); // end year
    ASSERT_NE(r.frame->ItemPicker(), nullptr);
    FrameRig::Click(*r.frame->ItemPicker(), CItemPickerDlg::kIdFirstItem + 0, STN_CLICKED); // 2000
    EXPECT_EQ(page->Range().year[1], 2037);
    EXPECT_EQ(TextOf(page->Label(10)), "2037.");

    // Start 2024-01-31, then February: the start day becomes the 29th and shows so.
    page->OnItemPicked(0, 24);
    page->OnItemPicked(1, 0);
    page->OnItemPicked(2, 30);
    page->OnItemPicked(1, 1);
    EXPECT_EQ(page->Range().month[0], 1);
    EXPECT_EQ(page->Range().day[0], 28);
    EXPECT_EQ(TextOf(page->Label(7)), "02.");
    EXPECT_EQ(TextOf(page->Label(8)), "29.");

    // A time equal to the other side is refused; the end time field keeps its text.
    page->OnItemPicked(4, 24);
    page->OnItemPicked(5, 1);
    page->OnItemPicked(6, 28); // end 2024-02-29 23:59:59
    page->OnTimePicked(7, 0, 0, 0);
    EXPECT_EQ(page->Range().hour[1], 23);
    EXPECT_EQ(TextOf(page->Label(13)), "23 : 59 : 59");
    page->OnTimePicked(3, 8, 0, 0);
    EXPECT_EQ(TextOf(page->Label(9)), "08 : 00 : 00");
}

TEST(DateTimeSearch, TheBackupPageSizesItsRangeAndEveryPickAsksAgain) {
    FrameRig r;
    r.UseTemporarySaveLocation();
    ASSERT_TRUE(r.Open());
    FrameRig::Click(*r.frame, 431);
    auto* page = r.PageAt<CBackupDateTimeDlg>(kSlotBackupDateTime);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->m_btnCalculate.IsWindowEnabled());
    EXPECT_FALSE(page->m_btnPlay.IsWindowEnabled());
    EXPECT_EQ(page->Range().year[1], page->Range().year[0]);
    EXPECT_EQ(TextOf(page->Label(13)), "23 : 59 : 59");

    FrameRig::Click(*page, 480);
    const Sent size = r.Next();
    EXPECT_EQ(size.id, unsigned(Msg::TRANS_ON_REQ));
    EXPECT_EQ(size.payload[4], 0x3F);
    EXPECT_EQ(BE(size.payload, 16), TodayUtc(0, 0, 0));
    EXPECT_EQ(BE(size.payload, 20), TodayUtc(23, 59, 59));
    r.frame->PostMessage(WM_KELO_BACKUP_SIZE, 5 * 1024 * 1024);
    Flush();
    EXPECT_EQ(TextOf(page->Label(14)), "5 GByte");
    EXPECT_TRUE(page->m_btnPlay.IsWindowEnabled());

    // A refused pick still empties the size and asks for Calculate again.
    page->OnItemPicked(4, 0);
    EXPECT_EQ(TextOf(page->Label(14)), "");
    EXPECT_FALSE(page->m_btnPlay.IsWindowEnabled());
    EXPECT_TRUE(page->m_btnCalculate.IsWindowEnabled());

    FrameRig::Click(*page, 480);
    EXPECT_EQ(r.Next().id, unsigned(Msg::TRANS_ON_REQ));
    DvrClientTestPeer::Backup(*r.client->client).store(1); // meanwhile another backup started
    r.frame->PostMessage(WM_KELO_BACKUP_SIZE, 2048);
    Flush();
    EXPECT_EQ(TextOf(page->Label(14)), "2 MByte");
    EXPECT_FALSE(page->m_btnPlay.IsWindowEnabled());
    DvrClientTestPeer::Backup(*r.client->client).store(0);

    // An unmeasured drive counts as full.
    r.host.diskMeasured = false;
    FrameRig::Click(*page, 480);
    EXPECT_EQ(r.Next().id, unsigned(Msg::TRANS_ON_REQ));
    r.frame->PostMessage(WM_KELO_BACKUP_SIZE, 1);
    Flush();
    ASSERT_EQ(r.host.main.notices.size(), 1u);
    EXPECT_EQ(r.host.main.notices[0].notice, 0xD0000);
    EXPECT_EQ(r.frame->m_nBackupFreeMargin, 0);
    EXPECT_FALSE(page->m_btnPlay.IsWindowEnabled());

    r.host.diskMeasured = true;
    FrameRig::Click(*page, 480);
    EXPECT_EQ(r.Next().id, unsigned(Msg::TRANS_ON_REQ));
    r.frame->PostMessage(WM_KELO_BACKUP_SIZE, 2048);
    Flush();
    FrameRig::Click(*page, 482);
    const Sent data = r.Next();
    EXPECT_EQ(data.id, unsigned(Msg::TRANS_DATA_REQ));
    EXPECT_EQ(data.payload, size.payload);
    EXPECT_TRUE(r.Ended());
}

} // namespace
