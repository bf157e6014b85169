#pragma once
// The arithmetic of the calendar pages: month lengths and layouts, the day grid, which months of a
// year have recorded days, and the year the calendar opens on.

#include "archive/ArchiveRecords.h"
#include "platform/base/Calendar.h"

#include <array>
#include <functional>
#include <optional>

// The years the calendars offer: 2000 to 2037, item i of the year list being 2000 + i.
constexpr int kCalendarFirstYear = 2000;
constexpr int kCalendarYearCount = 38;
constexpr int kCalendarLastYear = kCalendarFirstYear + kCalendarYearCount - 1;

// month 0-11.
int MonthLength(int year, int month);

struct MonthLayout {
    int firstWeekday = 0; // 0 Sunday to 6 Saturday
    int days = 0;
};
MonthLayout GetMonthLayout(int year, int month);

struct DayCell {
    int column = 0; // 0 Sunday
    int row = 0;    // 0-5
};
// Where day d (0-30) of a month starting on firstWeekday sits.
DayCell DayGridCell(int firstWeekday, int day);

// Whether any of the days the month has is flagged; flags past the month's end never count.
bool MonthHasData(const RecMonthInfo* record, int year, int month);
// The highest month of the year with a flagged day, or -1; null record: -1.
int LatestMonthWithData(const RecMonthInfo* record, int year);

// The year a calendar opens on: from `current` backwards (2000 wraps to 2037) the first year with
// data, or none when a full round finds none. A current year outside 2000-2037 starts the round at
// the nearest end of that span, so the round always ends.
std::optional<int> FindYearWithData(int current, const std::function<bool(int year)>& hasData);
// A year kept within the span the calendars offer.
int ClampCalendarYear(int year);
