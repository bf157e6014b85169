// The Backup tab of the remote search frame as an operator uses it: Backup downloads only the range
// that Calculate sized, a refused size keeps Calculate disabled until the range changes, and the
// tab cannot be opened while a backup runs.
#include "archive/BackupDateTimeDlg.h"
#include "archive/TimePickerDlg.h"
#include "tests/operator/ArchiveOperatorSupport.h"

using namespace archiveop;

namespace {

constexpr UINT kBackupTab = 431;
// The date/time backup page's fields: start date 0-2 and time 3, end date 4-6 and time 7; the end
// time is shown by label 13.
constexpr int kEndTimeLabel = 13;

class ArchiveBackupTest : public ArchiveOperatorTest {
protected:
    // The date/time backup page, the Backup tab's first page.
    static CBackupDateTimeDlg* OpenBackupPage(CRemoteSearchDlg& frame) {
        Press(frame, kBackupTab);
        return WaitPage<CBackupDateTimeDlg>(frame, kSlotBackupDateTime);
    }

    // Picks 2024-03-15 from..to (hour, minute, second each) as the pickers hand their choices back.
    static void PickRange(CRemoteSearchDlg& frame, CBackupDateTimeDlg& page, const int from[3], const int to[3]) {
        frame.OnItemPicked(&page, 0, 24); // start year 2024
        frame.OnItemPicked(&page, 1, 2);  // March
        frame.OnItemPicked(&page, 2, 14); // the 15th
        frame.OnItemPicked(&page, 6, 14); // end day first, so that the range stays valid on the way
        frame.OnItemPicked(&page, 4, 24);
        frame.OnItemPicked(&page, 5, 2);
        frame.OnTimePicked(&page, 3, from[0], from[1], from[2]);
        frame.OnTimePicked(&page, 7, to[0], to[1], to[2]);
    }

    // Clicks the end time field and drags the picker's seconds slider to `second`; the picker stays
    // open. False when it did not open or the slider did not move there.
    static bool DragEndSeconds(CRemoteSearchDlg& frame, CBackupDateTimeDlg& page, int second) {
        MouseClick(page.Label(kEndTimeLabel));
        CTimePickerDlg* picker = nullptr;
        if (!WaitUntil([&] { return (picker = frame.TimePicker()) != nullptr; })) {
            return false;
        }
        CBitmapSlider& slider = picker->Slider(2);
        CRect box;
        slider.GetClientRect(&box);
        const LPARAM at = MAKELPARAM(slider.Pos2Pixel(second), box.Height() / 2);
        slider.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        slider.SendMessage(WM_LBUTTONUP, 0, at);
        return WaitUntil([&] { return frame.TimePicker() == picker && picker->Second() == second; });
    }

    static bool Enabled(CWnd& w) { return w.IsWindowEnabled() != FALSE; }
};

TEST_F(ArchiveBackupTest, BackupStartsOnlyTheRangeThatCalculateSized) {
    Connect();
    bool sized = false;
    bool dragged = false;
    bool frameStayed = false;
    bool backupAfterPick = true;
    bool calculateAfterPick = false;
    bool startedWhenSized = false;
    ASSERT_TRUE(InSearchFrame([&](CRemoteSearchDlg& frame) {
        CBackupDateTimeDlg* page = OpenBackupPage(frame);
        if (page == nullptr) {
            return;
        }
        const int from[3] = {11, 30, 0};
        const int to[3] = {11, 30, 10};
        PickRange(frame, *page, from, to);
        MouseClick(page->m_btnCalculate);
        sized = WaitUntil([&] { return Enabled(page->m_btnPlay); }, 60000);
        if (!sized) {
            return;
        }
        // The operator opens the end time's picker, moves it, and presses Backup with it open.
        dragged = DragEndSeconds(frame, *page, 50);
        MouseClick(page->m_btnPlay);
        QCoreApplication::processEvents();
        frameStayed = FindModal<CRemoteSearchDlg>() == &frame && frame.Page(kSlotBackupDateTime) == page;
        if (!frameStayed) {
            return;
        }
        backupAfterPick = Enabled(page->m_btnPlay);
        calculateAfterPick = Enabled(page->m_btnCalculate);
        // Sized again, the new range downloads.
        MouseClick(page->m_btnCalculate);
        if (WaitUntil([&] { return Enabled(page->m_btnPlay); }, 60000)) {
            MouseClick(page->m_btnPlay);
            startedWhenSized = true;
        }
    }));
    ASSERT_TRUE(sized);
    EXPECT_TRUE(dragged);
    EXPECT_TRUE(frameStayed) << "Backup with a changed range must not start or close the frame";
    EXPECT_FALSE(backupAfterPick);
    EXPECT_TRUE(calculateAfterPick);
    ASSERT_TRUE(startedWhenSized);
    ASSERT_TRUE(SimSaw("sim: recv TRANS_DATA_REQ"));
    EXPECT_EQ(CountInLog("sim: recv TRANS_ON_REQ"), 2);
    EXPECT_EQ(CountInLog("sim: recv TRANS_DATA_REQ"), 1) << "only the range sized the second time";
}

TEST_F(ArchiveBackupTest, AfterASizeRefusalCalculateStaysDisabledUntilTheRangeChanges) {
    Connect({"--refuse", "TRANS_ON_NACK:86"});
    std::vector<std::string> told;
    bool calculateAfterRefusal = true;
    bool backupAfterRefusal = true;
    bool calculateAfterChange = false;
    ASSERT_TRUE(InSearchFrame([&](CRemoteSearchDlg& frame) {
        CBackupDateTimeDlg* page = OpenBackupPage(frame);
        if (page == nullptr) {
            return;
        }
        const int from[3] = {11, 30, 0};
        const int to[3] = {11, 30, 10};
        PickRange(frame, *page, from, to);
        {
            BoxAnswer box;
            MouseClick(page->m_btnCalculate);
            WaitUntil([&] { return box.script.Done() && !frame.IsBusy(); }, 60000);
            told = box.lines;
        }
        calculateAfterRefusal = Enabled(page->m_btnCalculate);
        backupAfterRefusal = Enabled(page->m_btnPlay);
        MouseClick(page->m_btnCalculate); // disabled: asks nothing
        // A new end time makes the range new: Calculate is offered again.
        DragEndSeconds(frame, *page, 40);
        frame.ClosePickers();
        calculateAfterChange = Enabled(page->m_btnCalculate);
    }));
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told[0], Res(5054)); // the recorder is busy (reason 86)
    EXPECT_FALSE(calculateAfterRefusal);
    EXPECT_FALSE(backupAfterRefusal);
    EXPECT_TRUE(calculateAfterChange);
    EXPECT_EQ(CountInLog("sim: recv TRANS_ON_REQ"), 1);
    EXPECT_EQ(CountInLog("sim: recv TRANS_DATA_REQ"), 0);
}

TEST_F(ArchiveBackupTest, TheBackupTabIsDisabledWhileABackupRuns) {
    // The recorder takes its time to send the data: the backup runs for the whole test.
    Connect({"--fault", "delay:TRANS_DATA_REQ:60000"});
    bool started = false;
    ASSERT_TRUE(InSearchFrame([&](CRemoteSearchDlg& frame) {
        CBackupDateTimeDlg* page = OpenBackupPage(frame);
        if (page == nullptr) {
            return;
        }
        const int from[3] = {11, 30, 0};
        const int to[3] = {11, 30, 10};
        PickRange(frame, *page, from, to);
        MouseClick(page->m_btnCalculate);
        if (WaitUntil([&] { return Enabled(page->m_btnPlay); }, 60000)) {
            MouseClick(page->m_btnPlay);
            started = true;
        }
    }));
    ASSERT_TRUE(started);
    ASSERT_TRUE(SimSaw("sim: recv TRANS_DATA_REQ"));
    ASSERT_EQ(main->m_pClient->m_bBackup.load(), 1);

    bool tabEnabled = true;
    bool backupPageOpened = true;
    bool searchPageShown = false;
    ASSERT_TRUE(InSearchFrame([&](CRemoteSearchDlg& frame) {
        CWnd* tab = frame.GetDlgItem(kBackupTab);
        tabEnabled = tab == nullptr || Enabled(*tab);
        searchPageShown = frame.Page(kSlotSearchMenu) != nullptr;
        if (tab != nullptr) {
            MouseClick(*tab);
        }
        QCoreApplication::processEvents();
        backupPageOpened = frame.Page(kSlotBackupMenu) != nullptr;
    }));
    EXPECT_FALSE(tabEnabled);
    EXPECT_FALSE(backupPageOpened);
    EXPECT_TRUE(searchPageShown);
}

} // namespace
