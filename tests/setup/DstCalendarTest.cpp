// Calendar arithmetic and the daylight-saving period of the time pages.
#include "setup/DstCalendar.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(DstCalendarTest, MonthLengthsFollowTheLeapYearRule) {
    struct Case {
        int year;
        int month;
        int days;
    };
    const Case cases[] = {
        {2026, 1, 28},
        {2024, 1, 29},
        {1900, 1, 28},
        {2000, 1, 29},
        {2026, 3, 30},
        {2026, 11, 31},
        // A month beyond December counts as December.
        {2026, 12, 31},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DaysInMonth(c.year, c.month), c.days) << c.year << "-" << c.month;
    }
}

TEST(DstCalendarTest, NthWeekdayOfAMonth) {
    struct Case {
        int year;
        int month;
        int week;
        int weekday;
        int day;
    };
    const Case cases[] = {
        {2026, 9, 4, 0, 25},  // last Sunday of October 2026
        {2026, 9, 0, 4, 1},   // 1 October 2026 is a Thursday
        {2026, 2, 0, 0, 1},   // first Sunday of March 2026: the 1st
        {2026, 2, 1, 0, 8},   // second Sunday
        {2026, 2, 4, 0, 29},  // last Sunday of March 2026 (five of them)
        {2026, 1, 4, 0, 22},  // last Sunday of February 2026 (28 days, four Sundays)
        {2024, 1, 4, 4, 29},  // last Thursday of February 2024 falls on the leap day
        {2026, 10, 3, 4, 26}, // fourth Thursday of November 2026
        {1, 0, 0, 1, 1},      // 1 January of year 1 was a Monday
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetNthWeekday(c.year, c.month, c.week, c.weekday), c.day)
            << c.year << "-" << c.month << " week " << c.week << " weekday " << c.weekday;
    }
}

TEST(DstCalendarTest, WeekAndWeekdayOfADate) {
    struct Case {
        int year;
        int month;
        int dayMinus1;
        int week;
        int weekday;
    };
    const Case cases[] = {
        {2026, 9, 6, 0, 3},  // 7 October 2026, a Wednesday
        {2026, 9, 24, 4, 0}, // 25 October: the fourth Sunday is also the last one
        {2026, 9, 21, 3, 4}, // 22 October: a fourth Thursday with a fifth one to come
        {2026, 9, 28, 4, 4}, // 29 October: fifth week counts as the last
        {2026, 9, 30, 4, 6}, // 31 October
        {2026, 1, 21, 4, 0}, // 22 February 2026: the last Sunday of a 28-day month
    };
    for (const Case& c : cases) {
        int week = -1;
        int weekday = -1;
        GetWeekOfDate(c.year, c.month, c.dayMinus1, week, weekday);
        EXPECT_EQ(week, c.week) << c.year << "-" << c.month << " day " << c.dayMinus1 + 1;
        EXPECT_EQ(weekday, c.weekday) << c.year << "-" << c.month << " day " << c.dayMinus1 + 1;
        // Going back by week and weekday finds the same day.
        EXPECT_EQ(GetNthWeekday(c.year, c.month, week, weekday), c.dayMinus1 + 1);
    }
}

TEST(DstCalendarTest, WallClockSecondsRoundTripAndCarryOver) {
    EXPECT_EQ(WallClockSeconds(1970, 0, 1, 0, 0, 0), 0);
    EXPECT_EQ(WallClockSeconds(2023, 7, 2, 21, 20, 0), 1691011200);
    EXPECT_EQ(WallClockSeconds(2037, 0, 1, 0, 0, 0), 2114380800);
    // Day 31 of February is 3 March (2026 is no leap year); month 12 is January of the next year.
    EXPECT_EQ(WallClockSeconds(2026, 1, 31, 0, 0, 0), WallClockSeconds(2026, 2, 3, 0, 0, 0));
    EXPECT_EQ(WallClockSeconds(2026, 12, 1, 0, 0, 0), WallClockSeconds(2027, 0, 1, 0, 0, 0));
    // Beyond 2038 and before 1970 alike.
    for (const LONGLONG t : {LONGLONG(0), LONGLONG(1691011200), LONGLONG(4102444799), LONGLONG(-86401)}) {
        const WallClockFields f = BreakDownWallClock(t);
        EXPECT_EQ(WallClockSeconds(f), t);
    }
    const WallClockFields f = BreakDownWallClock(1691011200);
    EXPECT_EQ(f.year, 2023);
    EXPECT_EQ(f.month, 7);
    EXPECT_EQ(f.day, 2);
    EXPECT_EQ(f.hour, 21);
    EXPECT_EQ(f.minute, 20);
}

class DaylightSavingTest : public ::testing::Test {
protected:
    // A rule of the record: mode 1, start and end by month and day.
    void UserRule(int startMonth, int startDayMinus1, int startHour, int endMonth, int endDayMinus1, int endHour) {
        m_dst[kDstMode] = 1;
        m_dst[kDstStartMonth] = BYTE(startMonth);
        m_dst[kDstStartDay] = BYTE(startDayMinus1);
        m_dst[kDstStartHour] = BYTE(startHour);
        m_dst[kDstEndMonth] = BYTE(endMonth);
        m_dst[kDstEndDay] = BYTE(endDayMinus1);
        m_dst[kDstEndHour] = BYTE(endHour);
        m_dst[kDstOffsetHours] = 1;
    }

    BYTE m_dst[kDstByteCount] = {};
    DstInfo m_rules{};
};

TEST_F(DaylightSavingTest, SouthernRuleRunsAcrossTheNewYear) {
    UserRule(9, 0, 2, 2, 0, 3); // 1 October 02:00 to 1 March 03:00
    const LONGLONG january = WallClockSeconds(2026, 0, 15, 12, 0, 0);
    const LONGLONG july = WallClockSeconds(2026, 6, 15, 12, 0, 0);
    EXPECT_EQ(ApplyDaylightSaving(january, m_dst, m_rules), january + 3600);
    EXPECT_EQ(ApplyDaylightSaving(july, m_dst, m_rules), july);
    // The ends: the start moment is in, the end moment is out.
    const LONGLONG start = WallClockSeconds(2026, 9, 1, 2, 0, 0);
    const LONGLONG end = WallClockSeconds(2026, 2, 1, 3, 0, 0);
    EXPECT_EQ(ApplyDaylightSaving(start, m_dst, m_rules), start + 3600);
    EXPECT_EQ(ApplyDaylightSaving(start - 1, m_dst, m_rules), start - 1);
    EXPECT_EQ(ApplyDaylightSaving(end - 1, m_dst, m_rules), end - 1 + 3600);
    EXPECT_EQ(ApplyDaylightSaving(end, m_dst, m_rules), end);
}

TEST_F(DaylightSavingTest, RecorderRuleByWeekAndOffsetInMinutes) {
    // Rule 0: last Sunday of March 01:00 to last Sunday of October 01:00; mode 2 selects it.
    m_rules.count = 1;
    m_rules.rules[0] = DstRule{2, 4, 0, 1, 0, 9, 4, 0, 1, 0, {0, 0}};
    m_dst[kDstMode] = 2;
    m_dst[kDstOffsetHours] = 0;
    m_dst[kDstOffsetMinutes] = 30;
    const LONGLONG start = WallClockSeconds(2026, 2, 29, 1, 0, 0);
    const LONGLONG end = WallClockSeconds(2026, 9, 25, 1, 0, 0);
    EXPECT_EQ(ApplyDaylightSaving(start - 1, m_dst, m_rules), start - 1);
    EXPECT_EQ(ApplyDaylightSaving(start, m_dst, m_rules), start + 1800);
    EXPECT_EQ(ApplyDaylightSaving(end - 1, m_dst, m_rules), end - 1 + 1800);
    EXPECT_EQ(ApplyDaylightSaving(end, m_dst, m_rules), end);
}

TEST_F(DaylightSavingTest, MissingOrDamagedRulesMeanNoDaylightSaving) {
    const LONGLONG july = WallClockSeconds(2026, 6, 15, 12, 0, 0);
    m_rules.count = 1;
    m_rules.rules[0] = DstRule{0, 0, 0, 0, 0, 11, 4, 6, 23, 59, {0, 0}}; // the whole year
    m_dst[kDstOffsetHours] = 1;
    struct Case {
        BYTE mode;
        const char* why;
        bool inDst;
    };
    const Case cases[] = {
        {0, "off", false},
        {2, "rule 0 exists", true},
        {3, "rule 1 beyond the received count", false},
        {101, "rule 99 beyond the count", false},
        {255, "far beyond the table", false},
    };
    for (const Case& c : cases) {
        m_dst[kDstMode] = c.mode;
        EXPECT_EQ(ApplyDaylightSaving(july, m_dst, m_rules), c.inDst ? july + 3600 : july) << c.why;
    }
    // A received rule with a field out of range counts as none.
    m_rules.rules[0].end_weekday = 7;
    m_dst[kDstMode] = 2;
    EXPECT_EQ(ApplyDaylightSaving(july, m_dst, m_rules), july);
    // The record's own rule with a month out of range counts as none.
    UserRule(12, 0, 0, 2, 0, 0);
    EXPECT_EQ(ApplyDaylightSaving(july, m_dst, m_rules), july);
}

} // namespace
