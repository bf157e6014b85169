// The Backup tab of the remote search frame as an operator uses it: Backup downloads only the range
// that Calculate sized, a refused size keeps Calculate disabled until the range changes, and the
// tab cannot be opened while a backup runs.
#include "archive/BackupDateTimeDlg.h"
#include "archive/DayTimelineDlg.h"
#include "archive/PlayCalendarDlg.h"
#include "archive/TimePickerDlg.h"
#include "res/TextIds.h"
#include "tests/operator/ArchiveOperatorSupport.h"
#include "tests/support/SmallDisk.h"

#include <algorithm>
#include <cstdlib>

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

    // A minute boundary well inside one of the clock day's recordings, as the Search tab's day
    // timeline lists them (0 when there is none).
    static DWORD RecordedMinute(CRemoteSearchDlg& frame) {
        Press(*frame.Page(kSlotSearchMenu), 452);
        auto* calendar = WaitPage<CPlayCalendarDlg>(frame, kSlotPlayCalendar);
        if (calendar == nullptr) {
            return 0;
        }
        Press(*calendar, CPlayCalendarDlg::kIdFirstDay + 14);
        if (WaitPage<CDayTimelineDlg>(frame, kSlotDayTimeline) == nullptr) {
            return 0;
        }

        const DWORD dayStart = Utc(2024, 2, 14); // months and days count from 0
        for (const RecSegment& s : frame.DayRecords()) {
            const DWORD minute = (std::max(s.Start(), dayStart) + 119) / 60 * 60;
            if (s.End() >= minute + 120 && minute < dayStart + 86000) {
                return minute;
            }
        }
        return 0;
    }

    // Picks `from` to `to` (the same day) as the pickers hand their choices back.
    static void PickRange(CRemoteSearchDlg& frame, CBackupDateTimeDlg& page, DWORD from, DWORD to) {
        const RecorderFields f = SplitRecorderTimeOrEpoch(from);
        const RecorderFields t = SplitRecorderTimeOrEpoch(to);
        frame.OnItemPicked(&page, 0, UINT(f.year - 2000));
        frame.OnItemPicked(&page, 1, UINT(f.month));
        frame.OnItemPicked(&page, 2, UINT(f.day));
        frame.OnItemPicked(&page, 6, UINT(t.day)); // end day first, so that the range stays valid on the way
        frame.OnItemPicked(&page, 4, UINT(t.year - 2000));
        frame.OnItemPicked(&page, 5, UINT(t.month));
        frame.OnTimePicked(&page, 3, f.hour, f.minute, f.second);
        frame.OnTimePicked(&page, 7, t.hour, t.minute, t.second);
    }

    // The date/time backup page over a 10-second range of a recording, sized by Calculate. Null
    // when a step failed.
    static CBackupDateTimeDlg* SizedRange(CRemoteSearchDlg& frame) {
        const DWORD minute = RecordedMinute(frame);
        CBackupDateTimeDlg* page = minute != 0 ? OpenBackupPage(frame) : nullptr;
        if (page == nullptr) {
            return nullptr;
        }
        PickRange(frame, *page, minute, minute + 10);
        MouseClick(page->m_btnCalculate);
        return WaitUntil([&] { return Enabled(page->m_btnPlay); }, 60000) ? page : nullptr;
    }

    // Clicks the end time field and drags the picker's seconds slider to about `second` (the track
    // has fewer pixels than positions); the picker stays open. False when it did not open or the
    // slider did not move.
    static bool DragEndSeconds(CRemoteSearchDlg& frame, CBackupDateTimeDlg& page, int second) {
        MouseClick(page.Label(kEndTimeLabel));
        CTimePickerDlg* picker = nullptr;
        if (!WaitUntil([&] { return (picker = frame.TimePicker()) != nullptr; })) {
            return false;
        }
        const int before = picker->Second();
        CBitmapSlider& slider = picker->Slider(2);
        CRect box;
        slider.GetClientRect(&box);
        const LPARAM at = MAKELPARAM(slider.Pos2Pixel(second), box.Height() / 2);
        slider.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        slider.SendMessage(WM_LBUTTONUP, 0, at);
        return WaitUntil([&] {
            return frame.TimePicker() == picker && picker->Second() != before &&
                   std::abs(picker->Second() - second) <= 2;
        });
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
        CBackupDateTimeDlg* page = SizedRange(frame);
        sized = page != nullptr;
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
    bool calculateTakesClicks = true;
    ASSERT_TRUE(InSearchFrame([&](CRemoteSearchDlg& frame) {
        CBackupDateTimeDlg* page = OpenBackupPage(frame);
        if (page == nullptr) {
            return;
        }
        PickRange(frame, *page, Utc(2024, 2, 14, 11, 30), Utc(2024, 2, 14, 11, 30, 10));
        {
            BoxAnswer box;
            MouseClick(page->m_btnCalculate);
            WaitUntil([&] { return box.script.Done() && !frame.IsBusy(); }, 60000);
            told = box.lines;
        }
        calculateAfterRefusal = Enabled(page->m_btnCalculate);
        backupAfterRefusal = Enabled(page->m_btnPlay);
        // Disabled, the window system gives it no clicks.
        calculateTakesClicks = page->m_btnCalculate.GetHost()->isEnabled();
        // A new end time makes the range new: Calculate is offered again.
        frame.OnTimePicked(page, 7, 11, 30, 40); // the end time picker hands a new time back
        calculateAfterChange = Enabled(page->m_btnCalculate);
    }));
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told[0], Res(IDS_REFUSED_THE_RECORDER_IS_BUSY)); // the recorder is busy (reason 86)
    EXPECT_FALSE(calculateAfterRefusal);
    EXPECT_FALSE(backupAfterRefusal);
    EXPECT_FALSE(calculateTakesClicks);
    EXPECT_TRUE(calculateAfterChange);
    EXPECT_EQ(CountInLog("sim: recv TRANS_ON_REQ"), 1);
    EXPECT_EQ(CountInLog("sim: recv TRANS_DATA_REQ"), 0);
}

// A range larger than the save location's free space less 100 MByte: the notice shows what is needed
// and what is free in GByte when both are known, else by how many MByte the range misses.
TEST_F(ArchiveBackupTest, TheNoSpaceNoticeShowsTheSizesOfTheRangeAndTheFreeSpace) {
    simChannels = "16";
    simResolution = "d1";
    Connect();
    // Sized first where there is room: what the range needs.
    DWORD neededMByte = 0;
    DWORD from = 0;
    ASSERT_TRUE(InSearchFrame([&](CRemoteSearchDlg& frame) {
        from = RecordedMinute(frame);
        CBackupDateTimeDlg* page = from != 0 ? OpenBackupPage(frame) : nullptr;
        if (page == nullptr) {
            return;
        }
        PickRange(frame, *page, from, from + 110);
        MouseClick(page->m_btnCalculate);
        if (WaitUntil([&] { return Enabled(page->m_btnPlay); }, 60000)) {
            neededMByte = page->Size().kbytes >> 10;
        }
    }));
    ASSERT_GT(neededMByte, 60u) << "the range is too small to fill a disk";

    const fs::path location = SaveFolder();
    auto needed = [&](UINT text, double megabytes) {
        CString line;
        line.Format("%s : %6.1f GByte", Res(text).c_str(), megabytes / 1024.0);
        return std::string(line.GetString());
    };
    struct Case {
        const char* name;
        unsigned diskMByte;
    };
    // More than 100 MByte free, but less than the range and 100 more; then less than 100 free.
    const Case cases[] = {{"both sizes", neededMByte + 50}, {"the margin", 60}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kelotest::SmallDisk disk;
        std::string why;
        if (!disk.Mount(location, c.diskMByte, why)) {
            GTEST_SKIP() << why;
        }
        const LONG freeMByte = LONG(disk.FreeBytes() / 1048576);
        std::vector<std::string> expected{Res(IDS_NOT_ENOUGH_SPACE_FOR_THE_BACKUP)};
        if (freeMByte - 100 > 0) {
            expected.push_back(needed(IDS_NEEDED, neededMByte));
            expected.push_back(needed(IDS_FREE, freeMByte - 100));
        } else {
            expected.push_back(std::to_string(freeMByte - LONG(neededMByte)) + " MByte");
        }
        std::vector<std::string> told;
        bool backupOffered = true;
        ASSERT_TRUE(InSearchFrame([&](CRemoteSearchDlg& frame) {
            CBackupDateTimeDlg* page = OpenBackupPage(frame);
            if (page == nullptr) {
                return;
            }
            PickRange(frame, *page, from, from + 110);
            BoxAnswer box;
            MouseClick(page->m_btnCalculate);
            WaitUntil([&] { return box.script.Done() && !frame.IsBusy(); }, 60000);
            told = box.lines;
            backupOffered = Enabled(page->m_btnPlay);
        }));
        EXPECT_EQ(told, expected);
        EXPECT_FALSE(backupOffered);
    }
}

TEST_F(ArchiveBackupTest, TheBackupTabIsDisabledWhileABackupRuns) {
    // The recorder takes its time to send the data: the backup runs for the whole test.
    Connect({"--fault", "delay:TRANS_DATA_REQ:60000"});
    bool started = false;
    ASSERT_TRUE(InSearchFrame([&](CRemoteSearchDlg& frame) {
        if (CBackupDateTimeDlg* page = SizedRange(frame)) {
            MouseClick(page->m_btnPlay);
            started = true;
        }
    }));
    ASSERT_TRUE(started);
    ASSERT_TRUE(SimSaw("sim: recv TRANS_DATA_REQ"));
    ASSERT_TRUE(main->GetClient()->IsBackup());

    bool tabEnabled = true;
    bool tabTakesClicks = true;
    bool searchPageShown = false;
    ASSERT_TRUE(InSearchFrame([&](CRemoteSearchDlg& frame) {
        CWnd* tab = frame.GetDlgItem(kBackupTab);
        tabEnabled = tab == nullptr || Enabled(*tab);
        // A disabled window gets no mouse input from the window system.
        tabTakesClicks = tab == nullptr || tab->GetHost()->isEnabled();
        searchPageShown = frame.Page(kSlotSearchMenu) != nullptr;
    }));
    EXPECT_FALSE(tabEnabled);
    EXPECT_FALSE(tabTakesClicks);
    EXPECT_TRUE(searchPageShown);
}

} // namespace
