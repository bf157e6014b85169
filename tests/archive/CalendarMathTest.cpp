// Month layouts, the day grid, which months have recorded days and the year a calendar opens on.
#include "archive/CalendarMath.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(CalendarMath, MonthLayouts) {
    EXPECT_EQ(GetMonthLayout(2000, 0).firstWeekday, 6); // 1 January 2000 was a Saturday
    const MonthLayout march2008 = GetMonthLayout(2008, 2);
    EXPECT_EQ(march2008.firstWeekday, 6);
    EXPECT_EQ(march2008.days, 31);
    const DayCell first = DayGridCell(march2008.firstWeekday, 0);
    const DayCell last = DayGridCell(march2008.firstWeekday, 30);
    EXPECT_EQ(first.column, 6);
    EXPECT_EQ(first.row, 0);
    EXPECT_EQ(last.column, 1);
    EXPECT_EQ(last.row, 5);
    EXPECT_EQ(GetMonthLayout(2024, 1).firstWeekday, 4); // 1 February 2024, a Thursday
    EXPECT_EQ(GetMonthLayout(2037, 11).firstWeekday, 2);

    const struct {
        int year;
        int days;
    } februaries[] = {{2000, 29}, {2004, 29}, {2036, 29}, {2001, 28}, {2100, 28}};
    for (const auto& f : februaries) {
        EXPECT_EQ(MonthLength(f.year, 1), f.days) << f.year;
    }
}

TEST(CalendarMath, OnlyTheDaysAMonthHasCount) {
    RecMonthInfo record{};
    record.year[2] = 0x07;
    record.year[3] = 0xD1;       // 2001
    record.day_flags[1][28] = 1; // 29 February: not a day of 2001
    record.day_flags[3][30] = 1; // 31 April
    EXPECT_FALSE(MonthHasData(&record, 2001, 1));
    EXPECT_FALSE(MonthHasData(&record, 2001, 3));
    EXPECT_TRUE(MonthHasData(&record, 2004, 1)); // the same flag in a leap year
    EXPECT_EQ(LatestMonthWithData(&record, 2001), -1);
    record.day_flags[6][3] = 1;
    record.day_flags[9][0] = 2;
    EXPECT_EQ(LatestMonthWithData(&record, 2001), 9);
    EXPECT_EQ(LatestMonthWithData(nullptr, 2001), -1);
}

TEST(CalendarMath, TheYearACalendarOpensOn) {
    const auto only = [](std::initializer_list<int> years) {
        return [years](int y) { return std::find(years.begin(), years.end(), y) != years.end(); };
    };
    EXPECT_EQ(FindYearWithData(2008, only({2006})), 2006);
    EXPECT_EQ(FindYearWithData(2008, only({2008, 2006})), 2008);
    EXPECT_EQ(FindYearWithData(2001, only({2035})), 2035); // 2000 steps back to 2037
    EXPECT_EQ(FindYearWithData(2008, only({})), std::nullopt);
    // A clock outside the offered years still ends its round.
    EXPECT_EQ(FindYearWithData(2045, only({2010})), 2010);
    EXPECT_EQ(FindYearWithData(1995, only({})), std::nullopt);
}

} // namespace
