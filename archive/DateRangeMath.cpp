#include "archive/DateRangeMath.h"

#include "archive/CalendarMath.h"

#include <ctime>

void DateTimeRange::Fields(int side, int out[6]) const {
    out[0] = year[side];
    out[1] = month[side];
    out[2] = day[side];
    out[3] = hour[side];
    out[4] = minute[side];
    out[5] = second[side];
}

DateRole RoleOfPosition(int dateFormat, int position) {
    static const DateRole kRoles[3][3] = {
        {DateRole::Year, DateRole::Month, DateRole::Day},
        {DateRole::Month, DateRole::Day, DateRole::Year},
        {DateRole::Day, DateRole::Month, DateRole::Year},
    };
    const int format = dateFormat >= 0 && dateFormat <= 2 ? dateFormat : 0;
    return kRoles[format][position < 0 || position > 2 ? 0 : position];
}

int GetDaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 0 || month > 11) {
        return 31;
    }
    return month == 1 && year % 4 == 0 ? 29 : kDays[month];
}

namespace {

std::time_t LocalTime(const DateTimeRange& r, int side) {
    std::tm tm{};
    tm.tm_year = r.year[side] - 1900;
    tm.tm_mon = r.month[side];
    tm.tm_mday = r.day[side] + 1;
    tm.tm_hour = r.hour[side];
    tm.tm_min = r.minute[side];
    tm.tm_sec = r.second[side];
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

DateTimeRange RangeOf(int year, int month, int day, int endYear, int endMonth, int endDay) {
    DateTimeRange r;
    r.year[0] = year;
    r.month[0] = month;
    r.day[0] = day;
    r.year[1] = endYear;
    r.month[1] = endMonth;
    r.day[1] = endDay;
    r.hour[1] = 23;
    r.minute[1] = 59;
    r.second[1] = 59;
    return r;
}

int& ValueOf(DateTimeRange& r, DateRole role, int side) {
    switch (role) {
    case DateRole::Year:
        return r.year[side];
    case DateRole::Month:
        return r.month[side];
    case DateRole::Day:
        break;
    }
    return r.day[side];
}

} // namespace

bool IsRangeValid(const DateTimeRange& range) {
    return LocalTime(range, 0) < LocalTime(range, 1);
}

DateTimeRange DefaultSearchRange(int year, int month, int day) {
    return RangeOf(year, month, day, kCalendarLastYear, 11, 30);
}

DateTimeRange DefaultBackupRange(int year, int month, int day) {
    return RangeOf(year, month, day, year, month, day);
}

CString DateFieldText(DateRole role, int value) {
    CString text;
    if (role == DateRole::Year) {
        text.Format("%04d.", value);
    } else {
        text.Format("%02d.", value + 1);
    }
    return text;
}

CString TimeFieldText(int hour, int minute, int second) {
    CString text;
    text.Format("%02d : %02d : %02d", hour, minute, second);
    return text;
}

PickOutcome ApplyDatePick(DateTimeRange& range, int dateFormat, int field, int index, bool compare) {
    PickOutcome out;
    if (field < 0 || field > 6 || field == 3) {
        return out;
    }
    out.side = field < 3 ? 0 : 1;
    out.role = RoleOfPosition(dateFormat, field % 4);
    const int limit = out.role == DateRole::Year ? kCalendarYearCount : (out.role == DateRole::Month ? 12 : 31);
    if (index < 0 || index >= limit) {
        return out; // not an item any list offers
    }
    out.applies = true;
    int& value = ValueOf(range, out.role, out.side);
    const int old = value;
    value = out.role == DateRole::Year ? kCalendarFirstYear + index : index;
    out.accepted = true;
    if (compare && !IsRangeValid(range)) {
        value = old;
        out.accepted = false;
    }
    const int last = GetDaysInMonth(range.year[out.side], range.month[out.side]) - 1;
    if (range.day[out.side] > last) {
        range.day[out.side] = last;
        out.clamped = true;
    }
    return out;
}

bool ApplyTimePick(DateTimeRange& range, int side, int hour, int minute, int second, bool compare) {
    const int old[3] = {range.hour[side], range.minute[side], range.second[side]};
    range.hour[side] = hour;
    range.minute[side] = minute;
    range.second[side] = second;
    if (compare && !IsRangeValid(range)) {
        range.hour[side] = old[0];
        range.minute[side] = old[1];
        range.second[side] = old[2];
        return false;
    }
    return true;
}
