// The start/end range of the date and time pages: what each field position holds, which picks are
// kept, and the day clamp.
#include "archive/DateRangeMath.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

namespace {

DateTimeRange Range(int y0, int m0, int d0, int y1, int m1, int d1) {
    DateTimeRange r;
    r.year[0] = y0;
    r.month[0] = m0;
    r.day[0] = d0;
    r.year[1] = y1;
    r.month[1] = m1;
    r.day[1] = d1;
    r.hour[1] = 23;
    r.minute[1] = 59;
    r.second[1] = 59;
    return r;
}

TEST(DateRangeMath, PositionsFollowTheDateFormat) {
    EXPECT_EQ(RoleOfPosition(0, 0), DateRole::Year);
    EXPECT_EQ(RoleOfPosition(1, 0), DateRole::Month);
    EXPECT_EQ(RoleOfPosition(1, 2), DateRole::Year);
    EXPECT_EQ(RoleOfPosition(2, 0), DateRole::Day);
    EXPECT_EQ(RoleOfPosition(2, 1), DateRole::Month);
    EXPECT_EQ(GetDaysInMonth(2024, 1), 29);
    EXPECT_EQ(GetDaysInMonth(2023, 1), 28);
    EXPECT_EQ(GetDaysInMonth(2023, 8), 30);
    EXPECT_EQ(DateFieldText(DateRole::Year, 1999), "1999.");
    EXPECT_EQ(DateFieldText(DateRole::Month, 0), "01.");
    EXPECT_EQ(TimeFieldText(7, 5, 0), "07 : 05 : 00");
}

TEST(DateRangeMath, PicksThatPutTheStartAtOrAfterTheEndAreUndone) {
    struct Case {
        int field;
        int index;
        bool accepted;
    };
    // Start 2024-03-10 00:00:00, end 2024-03-20 23:59:59, format YYYY-MM-DD.
    const Case cases[] = {
        {0, 25, false}, // start year 2025
        {1, 3, false},  // start month April
        {2, 19, true},  // start day 20: still before the end's 23:59:59
        {4, 23, false}, // end year 2023
        {6, 8, false},  // end day 9
        {5, 5, true},   // end month June
    };
    for (const Case& c : cases) {
        DateTimeRange r = Range(2024, 2, 9, 2024, 2, 19);
        const DateTimeRange before = r;
        const PickOutcome out = ApplyDatePick(r, 0, c.field, c.index, true);
        EXPECT_TRUE(out.applies);
        EXPECT_EQ(out.accepted, c.accepted) << c.field;
        if (!c.accepted) {
            EXPECT_EQ(std::memcmp(&r, &before, sizeof r), 0) << c.field;
        }
    }
    // The start equal to the end is refused too.
    DateTimeRange r = Range(2024, 2, 9, 2024, 2, 10);
    r.hour[1] = r.minute[1] = r.second[1] = 0;
    EXPECT_FALSE(ApplyDatePick(r, 0, 2, 10, true).accepted);
    EXPECT_EQ(r.day[0], 9);
    DateTimeRange t = Range(2024, 2, 9, 2024, 2, 9);
    EXPECT_FALSE(ApplyTimePick(t, 1, 0, 0, 0, true));
    EXPECT_EQ(t.hour[1], 23);
    EXPECT_EQ(t.minute[1], 59);
    EXPECT_EQ(t.second[1], 59);
}

TEST(DateRangeMath, TheDayIsClampedToItsMonthAfterTheComparison) {
    // Start 2024-01-31, end 2024-12-31: February is taken (compared as 2 March) and the day becomes
    // the 29th; in 2023 the 28th.
    for (const auto& [year, lastDay] : {std::pair{2024, 28}, std::pair{2023, 27}}) {
        DateTimeRange r = Range(year, 0, 30, year, 11, 30);
        const PickOutcome out = ApplyDatePick(r, 0, 1, 1, true);
        EXPECT_TRUE(out.accepted);
        EXPECT_TRUE(out.clamped);
        EXPECT_EQ(r.month[0], 1);
        EXPECT_EQ(r.day[0], lastDay);
    }
    // The end's clamp lands on the end's day, whatever position the day has (format MM-DD-YYYY).
    DateTimeRange r = Range(2024, 0, 0, 2024, 2, 30);
    const PickOutcome out = ApplyDatePick(r, 1, 4, 3, true); // end month April
    EXPECT_EQ(out.side, 1);
    EXPECT_EQ(out.role, DateRole::Month);
    EXPECT_TRUE(out.clamped);
    EXPECT_EQ(r.day[1], 29);
    // After a clamp the start may lie after the end: the range is not compared again. Start 30 April
    // 12:00, end 31 May 06:00; the end month April is compared as 1 May and then clamped to 30 April.
    DateTimeRange late = Range(2024, 3, 29, 2024, 4, 30);
    late.hour[0] = 12;
    late.hour[1] = 6;
    late.minute[1] = late.second[1] = 0;
    EXPECT_TRUE(ApplyDatePick(late, 0, 5, 3, true).accepted);
    EXPECT_EQ(late.day[1], 29);
    EXPECT_FALSE(IsRangeValid(late));
    // Old layout: no comparison.
    DateTimeRange old = Range(2024, 2, 9, 2024, 2, 19);
    EXPECT_TRUE(ApplyDatePick(old, 0, 0, 30, false).accepted);
    EXPECT_EQ(old.year[0], 2030);
    // Indices no list offers change nothing.
    EXPECT_FALSE(ApplyDatePick(old, 0, 1, 12, true).applies);
    EXPECT_FALSE(ApplyDatePick(old, 0, 3, 0, true).applies);
}

TEST(DateRangeMath, Defaults) {
    const DateTimeRange search = DefaultSearchRange(2024, 4, 6);
    EXPECT_EQ(search.year[1], 2037);
    EXPECT_EQ(search.month[1], 11);
    EXPECT_EQ(search.day[1], 30);
    EXPECT_EQ(search.hour[0], 0);
    const DateTimeRange backup = DefaultBackupRange(2024, 4, 6);
    EXPECT_EQ(backup.year[1], 2024);
    EXPECT_EQ(backup.day[1], 6);
    EXPECT_EQ(backup.hour[1], 23);
    EXPECT_TRUE(IsRangeValid(backup));
}

} // namespace
