#pragma once
// A backup started as the operator starts it in an open remote search frame: the Backup tab,
// Calendar, the day, a start time on the day's timeline, the day again, an end time, Calculate, and
// Backup once Calculate has sized the range.
#include "archive/BackupCalendarDlg.h"
#include "archive/BackupTimelineDlg.h"
#include "archive/PlayCalendarDlg.h"
#include "archive/RemoteSearchDlg.h"
#include "tests/app/WiredFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace wiredtest {

// Each page waits for the recorder's list reply; on a busy machine those have taken over a minute.
constexpr int kPageBound = 180000;

struct BackupPick {
    int dayButton;  // the day's button on the calendar (the day of the month less one)
    DWORD dayStart; // the day's first second
    DWORD startsBy; // the range lies in a stretch of recordings that begins before this
    DWORD stretch;  // and lasts at least this long
    DWORD seconds;  // the range's length, from a second into the stretch
};

// The start of the first stretch of the day's recordings that begins before `startsBy` and lasts at
// least `stretch` seconds, on the segments an open remote search frame found for the day; 0 when
// none does.
inline DWORD FirstStretch(CRemoteSearchDlg& frame, DWORD dayStart, DWORD startsBy, DWORD stretch) {
    DWORD from = 0;
    for (const RecSegment& s : frame.DayRecords()) {
        const DWORD begin = std::max(s.Start(), dayStart);
        if (s.End() >= begin + stretch && begin < startsBy && (from == 0 || begin < from)) {
            from = begin;
        }
    }
    return from;
}

// False, with the step that failed added to the test's failures, when a step failed.
inline bool PickAndStartBackup(CRemoteSearchDlg& frame, const BackupPick& pick) {
    auto page = [&frame](int slot) { return frame.Page(slot); };
    auto failed = [](const char* step) {
        ADD_FAILURE() << "picking the backup: " << step;
        return false;
    };
    Press(frame, 431);
    if (page(kSlotBackupMenu) == nullptr) {
        return failed("no backup menu");
    }
    Press(*page(kSlotBackupMenu), 452);
    CBackupCalendarDlg* calendar = nullptr;
    if (!WaitUntil([&] { return (calendar = dynamic_cast<CBackupCalendarDlg*>(page(kSlotBackupCalendar))); },
                   kPageBound)) {
        return failed("no calendar");
    }
    if (calendar->DayButton(pick.dayButton).m_bMarked != 1) {
        return failed("the day has no recordings");
    }
    Press(*calendar, CPlayCalendarDlg::kIdFirstDay + pick.dayButton);
    CBackupTimelineDlg* start = nullptr;
    if (!WaitUntil([&] { return (start = dynamic_cast<CBackupTimelineDlg*>(page(kSlotBackupTimeline))); },
                   kPageBound)) {
        return failed("no start timeline");
    }
    const DWORD from = FirstStretch(frame, pick.dayStart, pick.startsBy, pick.stretch);
    if (from == 0) {
        return failed("no stretch of recordings long enough");
    }
    const RecorderFields f = SplitRecorderTimeOrEpoch(from + 1);
    const RecorderFields t = SplitRecorderTimeOrEpoch(from + 1 + pick.seconds);
    start->OnTimePicked(1, f.hour, f.minute, f.second);
    Press(*start, 481);
    if (!WaitUntil([&] { return (calendar = dynamic_cast<CBackupCalendarDlg*>(page(kSlotBackupCalendar))); },
                   kPageBound)) {
        return failed("no calendar for the end");
    }
    Press(*calendar, CPlayCalendarDlg::kIdFirstDay + pick.dayButton);
    CBackupTimelineDlg* end = nullptr;
    if (!WaitUntil(
            [&] {
                end = dynamic_cast<CBackupTimelineDlg*>(page(kSlotBackupTimeline));
                return end != nullptr && end->Mode() == 1;
            },
            kPageBound)) {
        return failed("no end timeline");
    }
    end->OnTimePicked(3, t.hour, t.minute, t.second);
    Press(*end, 480);
    if (!WaitUntil([&] { return end->m_btnBackup.IsWindowEnabled() != FALSE; }, kPageBound)) {
        return failed("Calculate never enabled Backup");
    }
    Press(*end, 482);
    return true;
}

} // namespace wiredtest
