#include "archive/CalendarMath.h"

namespace {

constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

} // namespace

int MonthLength(int year, int month) {
    if (month < 0 || month > 11) {
        return 0;
    }
    return month == 1 && IsLeapYear(year) ? 29 : kMonthDays[month];
}

MonthLayout GetMonthLayout(int year, int month) {
    // The day number of 1 January of the year, counted so that its remainder by 7 is the weekday.
    long long days = 365LL * year - 364 + (year - 1) / 4 - (year - 1) / 100 + (year - 1) / 400;
    for (int m = 0; m < month && m < 12; ++m) {
        days += MonthLength(year, m);
    }
    MonthLayout layout;
    layout.firstWeekday = int(((days % 7) + 7) % 7);
    layout.days = MonthLength(year, month);
    return layout;
}

DayCell DayGridCell(int firstWeekday, int day) {
    return DayCell{(firstWeekday + day) % 7, (firstWeekday + day) / 7};
}

bool MonthHasData(const RecMonthInfo* record, int year, int month) {
    if (record == nullptr) {
        return false;
    }
    const int days = MonthLength(year, month);
    for (int d = 0; d < days; ++d) {
        if (record->Flag(month, d) != 0) {
            return true;
        }
    }
    return false;
}

int LatestMonthWithData(const RecMonthInfo* record, int year) {
    for (int m = 11; m >= 0; --m) {
        if (MonthHasData(record, year, m)) {
            return m;
        }
    }
    return -1;
}

int ClampCalendarYear(int year) {
    if (year < kCalendarFirstYear) {
        return kCalendarFirstYear;
    }
    return year > kCalendarLastYear ? kCalendarLastYear : year;
}

std::optional<int> FindYearWithData(int current, const std::function<bool(int year)>& hasData) {
    const int start = ClampCalendarYear(current);
    int year = start;
    do {
        if (hasData(year)) {
            return year;
        }
        year = year == kCalendarFirstYear ? kCalendarLastYear : year - 1;
    } while (year != start);
    return std::nullopt;
}
