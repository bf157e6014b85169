// The day chart's geometry: times and columns, the bar of a segment, and the part of a segment
// that falls on the shown day.
#include "archive/TimelineMath.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

LONGLONG At(int year, int month, int day, int hour, int minute) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month;
    tm.tm_mday = day + 1;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    return LONGLONG(timegm(&tm));
}

TEST(TimelineMath, ColumnsAndTimes) {
    EXPECT_EQ(TimeToColumn(0, 0), 113);
    EXPECT_EQ(TimeToColumn(10, 4), 233);
    EXPECT_EQ(TimeToColumn(23, 59), 400);
    const struct {
        int x;
        int hour;
        int minute;
    } cases[] = {{113, 0, 0}, {114, 0, 5}, {233, 10, 0}, {400, 23, 55}, {401, 24, 0}};
    for (const auto& c : cases) {
        const ClockTime t = ColumnToTime(c.x);
        EXPECT_EQ(t.hour, c.hour) << c.x;
        EXPECT_EQ(t.minute, c.minute) << c.x;
        EXPECT_EQ(t.second, 0) << c.x;
    }
    EXPECT_TRUE(InChart(401, 70, kChartLeft, kChartRight));
    EXPECT_FALSE(InChart(401, 70, kChartLeft, kBackupChartRight));
    EXPECT_FALSE(InChart(112, 200, kChartLeft, kChartRight));
    EXPECT_FALSE(InChart(200, 376, kChartLeft, kChartRight));
}

TEST(TimelineMath, BarsAndTheirColours) {
    // 10:02 to 10:04: one pixel at 233.
    const RECT bar = SegmentBarRect(2, TimeToColumn(10, 2), TimeToColumn(10, 4));
    EXPECT_EQ(bar.left, 233);
    EXPECT_EQ(bar.right, 234);
    EXPECT_EQ(bar.top, 19 * 2 + 76);
    EXPECT_EQ(bar.bottom, 19 * 2 + 84);
    EXPECT_EQ(LowestRecordType(0x06), 1);
    EXPECT_EQ(LowestRecordType(0x20), 5);
    EXPECT_EQ(LowestRecordType(0xC0), -1);
    EXPECT_EQ(LowestRecordType(0), -1);
}

TEST(TimelineMath, APartOfAnotherDayIsCutAtTheDaysEdges) {
    const struct {
        LONGLONG start;
        LONGLONG end;
        bool drawn;
        int x1;
        int x2;
    } cases[] = {
        {At(2008, 2, 4, 10, 0), At(2008, 2, 4, 11, 30), true, 233, 251},
        {At(2008, 2, 3, 22, 0), At(2008, 2, 4, 1, 0), true, 113, 125},  // from the day before
        {At(2008, 2, 4, 23, 0), At(2008, 2, 5, 2, 0), true, 389, 400},  // into the day after
        {At(2008, 1, 28, 8, 0), At(2008, 2, 4, 10, 0), true, 113, 233}, // from another month
        {At(2008, 2, 3, 8, 0), At(2008, 2, 6, 8, 0), true, 113, 400},   // across the whole day
        {At(2008, 2, 2, 8, 0), At(2008, 2, 3, 8, 0), false, 0, 0},      // before it
        {At(2009, 2, 4, 8, 0), At(2009, 2, 4, 9, 0), false, 0, 0},      // same day of another year
    };
    for (const auto& c : cases) {
        int x1 = -1;
        int x2 = -1;
        EXPECT_EQ(DayBarColumns(c.start, c.end, 2008, 2, 4, x1, x2), c.drawn) << c.start;
        if (c.drawn) {
            EXPECT_EQ(x1, c.x1) << c.start;
            EXPECT_EQ(x2, c.x2) << c.start;
        }
    }
}

} // namespace
