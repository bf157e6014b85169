#pragma once
// Calendar arithmetic of the time pages: leap years, month lengths, the n-th weekday of a month, the
// week and weekday of a date, and the daylight-saving period of the setup record's rule.
//
// Times here are wall-clock times counted in seconds since 1970 as if the wall clock were UTC, so a
// comparison never depends on the zone or the daylight-saving rules of the PC the client runs on.
// Months are 0-11, weekdays 0 Sunday to 6 Saturday, DST weeks 0-3 first to fourth and 4 the last.
// Values from the record or the recorder are held to their ranges before anything is computed with
// them: a month above 11 counts as December, a week above 4 as the last, a weekday above 6 as
// Saturday.

#include "platform/base/Calendar.h"
#include "platform/base/WinTypes.h"
#include "protocol/DstInfo.h"

#include <cstddef>

// Offsets inside the setup record's 17 daylight-saving bytes (record bytes 3204-3220).
enum DstByte : std::size_t {
    kDstMode = 0,
    kDstStyle = 1,
    kDstStartMonth = 2,
    kDstStartWeek = 3,
    kDstStartWeekday = 4,
    kDstStartDay = 5, // day of month minus 1
    kDstStartHour = 6,
    kDstStartMinute = 7,
    kDstEndMonth = 8,
    kDstEndWeek = 9,
    kDstEndWeekday = 10,
    kDstEndDay = 11,
    kDstEndHour = 12,
    kDstEndMinute = 13,
    kDstOffsetHours = 14,
    kDstOffsetMinutes = 15,
    kDstAnswer = 16,
    kDstByteCount = 17,
};

// One moment of a wall clock, broken down: year in full, month 0-11, day 1-31.
struct WallClockFields {
    int year = 1970;
    int month = 0;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// 28 to 31.
int DaysInMonth(int year, int month);
// The weekday of the 1st of the month, from the day count since 1 January of year 1 of the proleptic
// Gregorian calendar (that day counted 1, a Monday).
int WeekdayOfFirst(int year, int month);
// The day of month 1-31 of the week-th such weekday (week 4: the last one of the month).
int GetNthWeekday(int year, int month, int week, int weekday);
// The week (0-4) and weekday of day d + 1 of the month; a fourth occurrence that is also the last
// one of the month counts as the last (week 4).
void GetWeekOfDate(int year, int month, int d, int& week, int& weekday);

// Wall-clock seconds of the fields; fields beyond their ranges carry over (day 31 of February is a
// day in March).
LONGLONG WallClockSeconds(const WallClockFields& fields);
LONGLONG WallClockSeconds(int year, int month, int day, int hour, int minute, int second);
WallClockFields BreakDownWallClock(LONGLONG seconds);

// The DST offset of the record's rule in seconds.
LONGLONG DstOffsetSeconds(const BYTE dst[kDstByteCount]);

// The daylight-saving period of year `year` by the record's rule: mode 1 the record's own rule,
// mode k + 2 the recorder's rule k. False when daylight saving is off or the rule does not exist or
// holds values out of their ranges.
struct DstPeriod {
    LONGLONG start = 0;
    LONGLONG end = 0;
    int startMonth = 0;
    int endMonth = 0;
};
bool GetDstPeriod(const BYTE dst[kDstByteCount], const DstInfo& rules, int year, DstPeriod& period);

// Whether the wall-clock time lies in the period (a period whose start month lies after its end
// month runs across the new year).
bool IsInDstPeriod(const DstPeriod& period, LONGLONG wall);

// The wall-clock time with the rule's offset added when it lies in daylight saving time.
LONGLONG ApplyDaylightSaving(LONGLONG wall, const BYTE dst[kDstByteCount], const DstInfo& rules);

// Whether the wall-clock time lies in the last stretch of the record's DST period: the end moment of
// the clock's year (end month, end day, end hour and minute) lies at most the DST offset after it.
bool IsInDstEndWindow(LONGLONG clock, const BYTE dst[kDstByteCount]);
