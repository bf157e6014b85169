// The picker popups' geometry: the height of lists and grids, the cells and labels of the items,
// and the place under the pressed point.
#include "archive/PickerLayout.h"

#include <gtest/gtest.h>

namespace {

TEST(PickerLayout, HeightsOfListsAndGrids) {
    const struct {
        DWORD count;
        int width;
        bool grid;
        int height;
        int shown;
    } cases[] = {
        {12, 180, true, 84, 12},                                 // three full rows and one empty one
        {12, 50, false, 252, 12},                                // the month list: 262 pixels with the frame
        {0, 50, false, 0, 0},     {0, 210, true, 21, 0},         // a grid always has a row
        {38, 210, true, 210, 38}, {45, 210, false, 39 * 21, 39}, // never more items than the picker has labels
    };
    for (const auto& c : cases) {
        const ItemPickerLayout l = MakeItemPickerLayout(c.count, c.width, c.grid);
        EXPECT_EQ(l.height, c.height) << c.count;
        EXPECT_EQ(l.count, c.shown) << c.count;
        EXPECT_EQ(l.cells.size(), std::size_t(c.shown));
        EXPECT_EQ(l.labels.size(), std::size_t(c.shown));
        EXPECT_EQ(l.frame[8].rect.bottom, c.height + 10);
    }
}

TEST(PickerLayout, CellsAndLabels) {
    const ItemPickerLayout grid = MakeItemPickerLayout(12, 213, true); // cell width 50
    const RECT& middle = grid.cells[5][1].rect;                        // column 1, row 1
    EXPECT_EQ(grid.cells[5][0].rect.left, 56);
    EXPECT_EQ(middle.left, 61);
    EXPECT_EQ(middle.right, 100);
    EXPECT_EQ(middle.top, 26);
    EXPECT_EQ(grid.cells[5][2].rect.right, 106);
    EXPECT_EQ(grid.labels[5].left, 64);
    EXPECT_EQ(grid.labels[5].top, 30);
    EXPECT_EQ(grid.labels[5].right - grid.labels[5].left, 34);

    const ItemPickerLayout list = MakeItemPickerLayout(3, 80, false);
    EXPECT_EQ(list.labels[2].left, 20);
    EXPECT_EQ(list.labels[2].top, 51);
    EXPECT_EQ(list.labels[2].right - list.labels[2].left, 50);
    EXPECT_EQ(list.cells[2][2].rect.left, 69);
    EXPECT_TRUE(list.frame[4].stretch);
    EXPECT_FALSE(list.frame[0].stretch);

    const TimePickerLayout time = MakeTimePickerLayout(3, 358);
    EXPECT_EQ(time.height, 63);
    EXPECT_EQ(time.cells.size(), 6u);
    EXPECT_EQ(time.sliders[2].top, 52);
    EXPECT_EQ(time.values[1].left, 313);

    RECT anchor{100, 200, 170, 214};
    const POINT p = PickerOrigin(anchor, 30, 7, 210);
    EXPECT_EQ(p.x, 100 + 30 - 105 + 1);
    EXPECT_EQ(p.y, 208);
}

} // namespace
