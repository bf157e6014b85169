#include "app/ClockFace.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ClockFaceTest, EveryHourMapsToTwelveHourCells) {
    // (tens, units, pm) for 0-23; 13 is the blank cell.
    const int expected[24][3] = {
        {1, 2, 0},  {13, 1, 0}, {13, 2, 0}, {13, 3, 0}, {13, 4, 0}, {13, 5, 0}, {13, 6, 0}, {13, 7, 0},
        {13, 8, 0}, {13, 9, 0}, {1, 0, 0},  {1, 1, 0},  {1, 2, 1},  {13, 1, 1}, {13, 2, 1}, {13, 3, 1},
        {13, 4, 1}, {13, 5, 1}, {13, 6, 1}, {13, 7, 1}, {13, 8, 1}, {13, 9, 1}, {1, 0, 1},  {1, 1, 1},
    };
    for (int h = 0; h < 24; ++h) {
        SCOPED_TRACE(h);
        const ClockCells c = CClockFace::Cells(2009, 9, 10, h, 5, 9);
        EXPECT_EQ(c.hour[0], expected[h][0]);
        EXPECT_EQ(c.hour[1], expected[h][1]);
        EXPECT_EQ(c.mark, expected[h][2] ? kCellPm : kCellAm);
        EXPECT_EQ(c.minute[0], 0);
        EXPECT_EQ(c.minute[1], 5);
        EXPECT_EQ(c.second[0], 0);
        EXPECT_EQ(c.second[1], 9);
    }
}

std::vector<int> CellsOf(const std::vector<ClockDraw>& draws, UINT strip) {
    std::vector<int> cells;
    for (const ClockDraw& d : draws) {
        if (d.strip == strip) {
            cells.push_back(d.cell);
        }
    }
    return cells;
}

TEST(ClockFaceTest, DateRowFollowsTheDateFormat) {
    const ClockCells c = CClockFace::Cells(2009, 9, 10, 23, 59, 59);
    const int S = kCellSeparator;
    const std::vector<int> expected[3] = {
        {2, 0, 0, 9, S, 0, 9, S, 1, 0},
        {0, 9, S, 1, 0, S, 2, 0, 0, 9},
        {1, 0, S, 0, 9, S, 2, 0, 0, 9},
    };
    for (DWORD format = 0; format < 3; ++format) {
        SCOPED_TRACE(format);
        const auto draws = CClockFace::DrawList(0, c, format);
        EXPECT_EQ(CellsOf(draws, kClockStripSmall), expected[format]);
        EXPECT_TRUE(CellsOf(draws, kClockStripPlayDate).empty());
        EXPECT_EQ(CellsOf(CClockFace::DrawList(1, c, format), kClockStripPlayDate), expected[format]);
    }
}

TEST(ClockFaceTest, OtherDateFormatsDrawTheTimeOnly) {
    const ClockCells c = CClockFace::Cells(2009, 9, 10, 13, 0, 0);
    for (int mode : {0, 1}) {
        const auto draws = CClockFace::DrawList(mode, c, 3);
        EXPECT_TRUE(CellsOf(draws, kClockStripSmall).empty());
        EXPECT_TRUE(CellsOf(draws, kClockStripPlayDate).empty());
        EXPECT_EQ(draws.size(), 9u);
    }
}

TEST(ClockFaceTest, ModeZeroTimeRowPlacesEachCell) {
    const ClockCells c = CClockFace::Cells(2009, 9, 10, 13, 0, 0);
    const auto draws = CClockFace::DrawList(0, c, 0);
    const int lefts[] = {66, 79, 92, 105, 118, 131, 144, 157, 170};
    const int cells[] = {kCellPm, kCellBlank, 1, kCellColon, 0, 0, kCellColon, 0, 0};
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(draws[i].strip, kClockStripLarge);
        EXPECT_EQ(draws[i].cell, cells[i]);
        EXPECT_EQ(draws[i].rect.left, lefts[i]);
        EXPECT_EQ(draws[i].rect.right, lefts[i] + 13);
        EXPECT_EQ(draws[i].rect.top, 643);
        EXPECT_EQ(draws[i].rect.bottom, 661);
    }
    EXPECT_EQ(draws[9].rect.left, 111);
    EXPECT_EQ(draws.back().rect.right, 181);
}

TEST(ClockFaceTest, PlaybackRowDrawsABlankHourAsCellElevenAndPlacesTheDate) {
    const ClockCells c = CClockFace::Cells(2009, 9, 10, 0 + 7, 8, 9);
    const auto draws = CClockFace::DrawList(1, c, 2);
    ASSERT_EQ(draws.size(), 19u);
    EXPECT_EQ(draws[0].strip, kClockStripPlayMark);
    EXPECT_EQ(draws[0].cell, 0);
    EXPECT_EQ(draws[0].rect.left, 518);
    EXPECT_EQ(draws[0].rect.right, 536);
    EXPECT_EQ(draws[1].cell, 11);
    EXPECT_EQ(draws[1].rect.left, 538);
    EXPECT_EQ(draws[2].cell, 7);
    EXPECT_EQ(draws[3].cell, 10); // colon
    EXPECT_EQ(draws[8].rect.right, 590);
    const int groupLefts[] = {600, 607, 613, 619, 626, 632, 638, 645, 652, 659};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(draws[9 + i].rect.left, groupLefts[i]);
    }
    const auto yearFirst = CClockFace::DrawList(1, CClockFace::Cells(2009, 9, 10, 15, 0, 0), 0);
    EXPECT_EQ(yearFirst[0].cell, 1); // PM
    const int yearLefts[] = {600, 607, 614, 621, 627, 633, 640, 646, 652, 659};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(yearFirst[9 + i].rect.left, yearLefts[i]);
        EXPECT_EQ(yearFirst[9 + i].rect.top, 632);
        EXPECT_EQ(yearFirst[9 + i].rect.bottom, 641);
    }
}

} // namespace
