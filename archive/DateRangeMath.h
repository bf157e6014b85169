#pragma once
// The start and end date and time of the date/time range pages, and what a pick in one of their
// fields does to it. Field indices: 0-2 the start date's three positions, 3 the start time, 4-6 the
// end date's positions, 7 the end time; which of year, month and day a position holds follows the
// date format.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

// The recorder time of 2037-12-31 23:59:59, the default end: the local pages take it as "no end".
constexpr DWORD kOpenEndTime = 2145916799u;

enum class DateRole { Year, Month, Day };

// Index 0 the start, 1 the end. Month 0-11, day 0-30.
struct DateTimeRange {
    int year[2] = {};
    int month[2] = {};
    int day[2] = {};
    int hour[2] = {};
    int minute[2] = {};
    int second[2] = {};

    void Fields(int side, int out[6]) const;
};

// What date position 0, 1 or 2 holds under a date format (0 YYYY-MM-DD, 1 MM-DD-YYYY,
// 2 DD-MM-YYYY; any other as 0).
DateRole RoleOfPosition(int dateFormat, int position);
// The page's month length: February has 29 days in every year divisible by 4.
int GetDaysInMonth(int year, int month);
// Start strictly before end, both taken as local times (daylight saving decided by the zone); a
// day past the month's end counts into the next month.
bool IsRangeValid(const DateTimeRange& range);

// The defaults: start today 00:00:00; end 2037-12-31 23:59:59 for the search pages, today
// 23:59:59 for the backup page.
DateTimeRange DefaultSearchRange(int year, int month, int day);
DateTimeRange DefaultBackupRange(int year, int month, int day);

// "%04d." of a year, "%02d." of a month or day (shown 1-based).
CString DateFieldText(DateRole role, int value);
CString TimeFieldText(int hour, int minute, int second);

struct PickOutcome {
    bool applies = false; // the field index names a date position
    int side = 0;         // 0 start, 1 end
    DateRole role = DateRole::Year;
    bool accepted = false; // the new value was kept
    bool clamped = false;  // the side's day was pulled back to its month's last day
};
// A pick of item `index` in date field `field`: the value is stored, compared (when `compare`)
// and put back if the range would not be valid; then the side's day is clamped to its month.
PickOutcome ApplyDatePick(DateTimeRange& range, int dateFormat, int field, int index, bool compare);
// A picked time for side 0 or 1; all three values put back when the range would not be valid.
bool ApplyTimePick(DateTimeRange& range, int side, int hour, int minute, int second, bool compare);
