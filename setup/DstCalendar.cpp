#include "setup/DstCalendar.h"

#include <algorithm>

namespace {

constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr LONGLONG kDaySeconds = 86400;

int HeldMonth(int month) {
    return std::clamp(month, 0, 11);
}

LONGLONG FloorDiv(LONGLONG a, LONGLONG b) {
    LONGLONG q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

// Days from 1970-01-01 to the given proleptic Gregorian date (month 1-12); any day number is taken.
LONGLONG DaysFromCivil(LONGLONG year, int month, LONGLONG day) {
    year -= month <= 2 ? 1 : 0;
    const LONGLONG era = FloorDiv(year, 400);
    const LONGLONG yoe = year - era * 400;
    const LONGLONG mp = (month + 9) % 12;
    const LONGLONG doy = (153 * mp + 2) / 5 + day - 1;
    const LONGLONG doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(LONGLONG days, int& year, int& month, int& day) {
    days += 719468;
    const LONGLONG era = FloorDiv(days, 146097);
    const LONGLONG doe = days - era * 146097;
    const LONGLONG yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const LONGLONG doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const LONGLONG mp = (5 * doy + 2) / 153;
    day = int(doy - (153 * mp + 2) / 5 + 1);
    month = int(mp < 10 ? mp + 3 : mp - 9);
    year = int(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

LONGLONG RuleMoment(int year, int month, int week, int weekday, int hour, int minute) {
    return WallClockSeconds(year, month, GetNthWeekday(year, month, week, weekday), hour, minute, 0);
}

} // namespace

int DaysInMonth(int year, int month) {
    const int m = HeldMonth(month);
    return m == 1 && IsLeapYear(year) ? 29 : kMonthDays[m];
}

int WeekdayOfFirst(int year, int month) {
    const LONGLONG days = DaysFromCivil(year, HeldMonth(month) + 1, 1);
    // 1970-01-01 was a Thursday.
    return int(((days + 4) % 7 + 7) % 7);
}

int GetNthWeekday(int year, int month, int week, int weekday) {
    const int wanted = std::clamp(weekday, 0, 6);
    const int first = 1 + (wanted - WeekdayOfFirst(year, month) + 7) % 7;
    if (week >= 0 && week < 4) {
        return first + 7 * week;
    }
    const int length = DaysInMonth(year, month);
    int day = first;
    while (day + 7 <= length) {
        day += 7;
    }
    return day;
}

void GetWeekOfDate(int year, int month, int d, int& week, int& weekday) {
    const int day = std::clamp(d, 0, 30);
    week = std::min(day / 7, 4);
    weekday = (WeekdayOfFirst(year, month) + day) % 7;
    if (week == 3 && day + 7 >= DaysInMonth(year, month)) {
        week = 4;
    }
}

LONGLONG WallClockSeconds(const WallClockFields& f) {
    return WallClockSeconds(f.year, f.month, f.day, f.hour, f.minute, f.second);
}

LONGLONG WallClockSeconds(int year, int month, int day, int hour, int minute, int second) {
    // Months beyond 0-11 carry into the year first, as the C library's calendar does.
    const LONGLONG y = LONGLONG(year) + FloorDiv(month, 12);
    const int m = int(month - FloorDiv(month, 12) * 12);
    const LONGLONG days = DaysFromCivil(y, m + 1, 1) + (day - 1);
    return days * kDaySeconds + LONGLONG(hour) * 3600 + LONGLONG(minute) * 60 + second;
}

WallClockFields BreakDownWallClock(LONGLONG seconds) {
    WallClockFields f;
    const LONGLONG days = FloorDiv(seconds, kDaySeconds);
    const LONGLONG rest = seconds - days * kDaySeconds;
    int month = 1;
    CivilFromDays(days, f.year, month, f.day);
    f.month = month - 1;
    f.hour = int(rest / 3600);
    f.minute = int(rest % 3600 / 60);
    f.second = int(rest % 60);
    return f;
}

LONGLONG DstOffsetSeconds(const BYTE dst[kDstByteCount]) {
    return (LONGLONG(dst[kDstOffsetHours]) * 60 + dst[kDstOffsetMinutes]) * 60;
}

bool GetDstPeriod(const BYTE dst[kDstByteCount], const DstInfo& rules, int year, DstPeriod& period) {
    const int mode = dst[kDstMode];
    if (mode == 0) {
        return false;
    }
    if (mode == 1) {
        const int sm = dst[kDstStartMonth];
        const int em = dst[kDstEndMonth];
        if (sm > 11 || em > 11 || dst[kDstStartDay] > 30 || dst[kDstEndDay] > 30 || dst[kDstStartHour] > 23 ||
            dst[kDstEndHour] > 23 || dst[kDstStartMinute] > 59 || dst[kDstEndMinute] > 59) {
            return false;
        }
        period.startMonth = sm;
        period.endMonth = em;
        period.start = WallClockSeconds(year, sm, dst[kDstStartDay] + 1, dst[kDstStartHour], dst[kDstStartMinute], 0);
        period.end = WallClockSeconds(year, em, dst[kDstEndDay] + 1, dst[kDstEndHour], dst[kDstEndMinute], 0);
        return true;
    }
    // Only a rule the recorder sent, with every field in range.
    const DstRule* rule = FindDstRule(rules, mode - 2);
    if (rule == nullptr) {
        return false;
    }
    period.startMonth = rule->start_month;
    period.endMonth = rule->end_month;
    period.start = RuleMoment(year, rule->start_month, rule->start_week, rule->start_weekday, rule->start_hour,
                              rule->start_minute);
    period.end = RuleMoment(year, rule->end_month, rule->end_week, rule->end_weekday, rule->end_hour, rule->end_minute);
    return true;
}

bool IsInDstPeriod(const DstPeriod& period, LONGLONG wall) {
    if (period.startMonth <= period.endMonth) {
        return period.start <= wall && wall < period.end;
    }
    return !(period.end <= wall && wall < period.start);
}

LONGLONG ApplyDaylightSaving(LONGLONG wall, const BYTE dst[kDstByteCount], const DstInfo& rules) {
    DstPeriod period;
    if (!GetDstPeriod(dst, rules, BreakDownWallClock(wall).year, period)) {
        return wall;
    }
    return IsInDstPeriod(period, wall) ? wall + DstOffsetSeconds(dst) : wall;
}

bool IsInDstEndWindow(LONGLONG clock, const BYTE dst[kDstByteCount]) {
    const int year = BreakDownWallClock(clock).year;
    const LONGLONG end =
        WallClockSeconds(year, dst[kDstEndMonth], dst[kDstEndDay] + 1, dst[kDstEndHour], dst[kDstEndMinute], 0);
    const LONGLONG left = end - clock;
    return left >= 0 && left <= DstOffsetSeconds(dst);
}
