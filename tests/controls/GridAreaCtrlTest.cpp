// The area editors: what a band and a click do to the cells, where each change lands in the owner's
// bytes, the region table of the region grid, the schedule's value cycle, and what is painted.

#include "SkinTestSupport.h"

#include "controls/GridAreaCtrl.h"
#include "controls/GridAreaCtrl2.h"
#include "controls/GridAreaCtrl3.h"
#include "res/BitmapIds.h"

#include <gtest/gtest.h>

#include <QMouseEvent>

#include <memory>
#include <numeric>
#include <optional>

using namespace skintest;

namespace {

constexpr int kId = 700;

class Grids : public ::testing::Test {
protected:
    void Open(CWnd& grid, int cx, int cy) {
        dlg.Bind(kId, grid);
        ASSERT_TRUE(dlg.Open({{kId, "STATIC", 0, 0, cx, cy, WS_VISIBLE | SS_NOTIFY, ""}}, cx + 20, cy + 20));
    }
    void TearDown() override {
        dlg.DestroyWindow();
        Flush();
    }
    // A press at `from`; with `to`, a drag there and the release (queued first, so the band being
    // tracked takes them), else a click.
    static void Press(CWnd& grid, CPoint from, std::optional<CPoint> to = std::nullopt) {
        if (to) {
            grid.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, Pt(to->x, to->y));
            grid.PostMessage(WM_LBUTTONUP, 0, Pt(to->x, to->y));
        } else {
            grid.PostMessage(WM_LBUTTONUP, 0, Pt(from.x, from.y));
        }
        grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Pt(from.x, from.y));
        Flush();
    }
    TestBitmaps bitmaps;
    CLogDialog dlg;
};

// ---- motion grid: 36-pixel cells, 11 x 9 per block

class MotionGrid : public Grids {
protected:
    void SetUp() override {
        bitmaps.Add(IDB_MOTION_AREA_CELLS_NOT_PICKED, Solid(396, 324, CellColour(0)));
        bitmaps.Add(IDB_MOTION_AREA_PICKED_CELLS, Solid(396, 324, CellColour(1)));
        Open(grid, 396, 324);
        for (int row = 0; row < 9; ++row)
            for (int col = 0; col < 11; ++col)
                grid.AddCell(col * 36, row * 36, col * 36 + 36, row * 36 + 36);
        grid.m_pData = data.data();
        grid.m_nBlock = 2;
    }
    BYTE& At(int block, int col, int row) { return data[std::size_t(col + (row + block * 9) * 11)]; }
    int Selected() { return std::accumulate(data.begin(), data.end(), 0); }

    std::vector<BYTE> data = std::vector<BYTE>(16 * 99, 0);
    CGridAreaCtrl grid;
};

TEST_F(MotionGrid, ClickTogglesTheCellUnderThePointerWrittenThrough) {
    Press(grid, CPoint(40, 80)); // column 1, row 2
    EXPECT_EQ(At(2, 1, 2), 1);
    EXPECT_EQ(grid.GetCellValue(36, 72, 72, 108), 1);
    EXPECT_EQ(Selected(), 1);
    Press(grid, CPoint(70, 100));
    EXPECT_EQ(At(2, 1, 2), 0);
    EXPECT_EQ(Selected(), 0);
}

TEST_F(MotionGrid, BandSelectsEveryOverlappedCellAndUnselectsNone) {
    Press(grid, CPoint(40, 40)); // (1, 1) on
    Press(grid, CPoint(80, 10)); // (2, 0) on
    // A band from (30, 30) to (80, 50) overlaps columns 0-2 of rows 0-1.
    Press(grid, CPoint(30, 30), CPoint(80, 50));
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col)
            EXPECT_EQ(At(2, col, row), 1) << col << "," << row;
    EXPECT_EQ(Selected(), 6);
    // Dragged the other way round, over selected cells only: nothing changes.
    Press(grid, CPoint(100, 60), CPoint(10, 10));
    EXPECT_EQ(Selected(), 6);
}

// The same band made of the platform's own mouse events: the press starts the band, and the drag
// and release that follow reach it while it is being tracked.
TEST_F(MotionGrid, BandFromRealMouseEvents) {
    QWidget* host = grid.GetHost();
    const auto event = [host](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        return new QMouseEvent(type, QPointF(at), QPointF(host->mapToGlobal(at)), Qt::LeftButton, buttons,
                               Qt::NoModifier);
    };
    QCoreApplication::postEvent(host, event(QEvent::MouseMove, QPoint(60, 60), Qt::LeftButton));
    QCoreApplication::postEvent(host, event(QEvent::MouseButtonRelease, QPoint(80, 50), Qt::NoButton));
    std::unique_ptr<QMouseEvent> press(event(QEvent::MouseButtonPress, QPoint(30, 30), Qt::LeftButton));
    QCoreApplication::sendEvent(host, press.get());
    Flush();
    EXPECT_EQ(Selected(), 6);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MotionGrid, SelectAllClearAllAndCellsByRectangle) {
    grid.SelectAll();
    EXPECT_EQ(Selected(), 99);
    for (int row = 0; row < 9; ++row)
        for (int col = 0; col < 11; ++col)
            EXPECT_EQ(At(2, col, row), 1);
    grid.ClearAll();
    EXPECT_EQ(Selected(), 0);
    grid.SelectCell(360, 288, 396, 324);
    EXPECT_EQ(At(2, 10, 8), 1);
    grid.SelectCell(361, 288, 396, 324); // no such cell
    EXPECT_EQ(Selected(), 1);
    grid.UnselectCell(360, 288, 396, 324);
    EXPECT_EQ(Selected(), 0);
}

// Cells outside the 11 x 9 grid and blocks outside 0-15 write nothing (the buffer is exactly 16
// blocks long, so a stray write would also show under the address sanitizer).
TEST_F(MotionGrid, CellsAndBlocksOutsideTheGridWriteNothing) {
    grid.AddCell(396, 0, 432, 36); // column 11
    grid.AddCell(0, 324, 36, 360); // row 9
    grid.AddCell(-36, 0, 0, 36);   // left of the grid
    grid.m_nBlock = 15;
    grid.SelectAll();
    EXPECT_EQ(Selected(), 99);
    EXPECT_EQ(At(15, 10, 8), 1);
    grid.ClearAll();
    for (int block : {16, -1, 1000}) {
        grid.m_nBlock = block;
        grid.SelectAll();
        EXPECT_EQ(Selected(), 0) << block;
    }
    grid.m_pData = nullptr;
    grid.m_nBlock = 0;
    grid.SelectAll();
    Press(grid, CPoint(5, 5));
}

TEST_F(MotionGrid, PaintShowsPickedCellsFromTheirBitmapAndOutlinesEveryCell) {
    ASSERT_TRUE(grid.LoadBitmaps(nullptr));
    grid.SelectCell(36, 36, 72, 72);
    const QImage face = Grab(grid);
    EXPECT_EQ(skintest::At(face, 50, 50), CellColour(1));
    EXPECT_EQ(skintest::At(face, 10, 10), CellColour(0));
    int outlines = 0;
    for (const DrawRecord& r : Record(grid).Of(DrawRecord::Op::Rectangle))
        outlines += DrawnBy(r, grid) && r.nullBrush ? 1 : 0;
    EXPECT_EQ(outlines, 99);
}

// ---- region grid: 4-pixel cells, 89 x 61 per block, one rectangle per block

class RegionGrid : public Grids {
protected:
    void SetUp() override {
        bitmaps.Add(IDB_RECORD_REGION_CELLS_NOT_PICKED, Solid(356, 244, CellColour(0)));
        bitmaps.Add(IDB_RECORD_REGION_PICKED_CELLS, Solid(356, 244, CellColour(1)));
        Open(grid, 356, 244);
        for (int row = 0; row < 61; ++row)
            for (int col = 0; col < 89; ++col)
                grid.AddCell(col * 4, row * 4, col * 4 + 4, row * 4 + 4);
        grid.m_pData = data.data();
        grid.m_nBlock = 3;
        grid.m_pRectTable = table.data();
        table.fill(0xEE);
    }
    // first column, last column, first row, last row of a block
    std::array<int, 4> Region(int block) {
        return {table[std::size_t(block)], table[std::size_t(16 + block)], table[std::size_t(32 + block)],
                table[std::size_t(48 + block)]};
    }
    int Selected(int block) {
        const auto first = data.begin() + block * 5429;
        return std::accumulate(first, first + 5429, 0);
    }

    std::vector<BYTE> data = std::vector<BYTE>(16 * 5429, 0);
    std::array<BYTE, 64> table{};
    CGridAreaCtrl2 grid;
};

TEST_F(RegionGrid, BandBecomesTheBlocksRectangle) {
    // (4, 4)-(20, 12): columns 1-4, rows 1-2.
    Press(grid, CPoint(4, 4), CPoint(20, 12));
    EXPECT_EQ(Region(3), (std::array<int, 4>{1, 4, 1, 2}));
    EXPECT_EQ(Selected(3), 8);
    EXPECT_EQ(data[std::size_t((3 * 61 + 2) * 89 + 4)], 1);
    EXPECT_EQ(Region(2), (std::array<int, 4>{0xEE, 0xEE, 0xEE, 0xEE}));
    // The next band replaces it.
    Press(grid, CPoint(100, 200), CPoint(50, 150));
    EXPECT_EQ(Region(3), (std::array<int, 4>{12, 24, 37, 49}));
    EXPECT_EQ(Selected(3), 13 * 13);
}

TEST_F(RegionGrid, NoRegionNarrowerThanTwoCellsEitherWay) {
    const struct {
        const char* name;
        CPoint from;
        std::optional<CPoint> to;
    } cases[] = {
        {"single column", CPoint(5, 5), CPoint(7, 50)},
        {"single row", CPoint(5, 5), CPoint(60, 7)},
        {"click on a cell", CPoint(30, 30), std::nullopt},
        {"click outside every cell", CPoint(360, 20), std::nullopt},
    };
    for (const auto& c : cases) {
        Press(grid, CPoint(4, 4), CPoint(40, 40));
        ASSERT_GT(Selected(3), 0);
        table.fill(0xEE);
        Press(grid, c.from, c.to);
        EXPECT_EQ(Selected(3), 0) << c.name;
        EXPECT_EQ(Region(3), (std::array<int, 4>{0, 0, 0, 0})) << c.name;
    }
}

TEST_F(RegionGrid, SelectAllWritesEveryByteOfTheBlockOnly) {
    grid.SelectAll();
    EXPECT_EQ(Selected(3), 5429);
    EXPECT_EQ(std::accumulate(data.begin(), data.end(), 0), 5429);
    grid.ClearAll();
    EXPECT_EQ(Selected(3), 0);
}

TEST_F(RegionGrid, SelectCellsInRectTakesCellsWhollyInside) {
    grid.SelectCellsInRect(4, 4, 14, 12); // columns 1-2 (3 reaches 16), rows 1-2
    EXPECT_EQ(Selected(3), 4);
    grid.UnselectCell(4, 4, 8, 8);
    EXPECT_EQ(Selected(3), 3);
}

TEST_F(RegionGrid, BlockOutsideTheTableWritesNothing) {
    grid.m_nBlock = 16;
    Press(grid, CPoint(4, 4), CPoint(40, 40));
    grid.SelectAll();
    EXPECT_EQ(std::accumulate(data.begin(), data.end(), 0), 0);
    for (BYTE b : table)
        EXPECT_EQ(b, 0xEE);
}

TEST_F(RegionGrid, PaintShowsTheSelectedCells) {
    CWnd* refresh = &dlg;
    grid.m_pRefreshWnd = refresh;
    ASSERT_TRUE(grid.LoadBitmaps(nullptr));
    Press(grid, CPoint(4, 4), CPoint(40, 40));
    const QImage face = Grab(grid);
    EXPECT_EQ(skintest::At(face, 10, 10), CellColour(1));
    EXPECT_EQ(skintest::At(face, 100, 100), CellColour(0));
}

// ---- schedule grid: 50 x 15 cells, 7 days x 24 hours

class ScheduleGrid : public Grids {
protected:
    void SetUp() override {
        for (UINT id = IDB_SCHEDULE_HOURS_VALUE_1; id <= IDB_SCHEDULE3_VALUE_3; ++id)
            bitmaps.Add(id, Solid(350, 360, CellColour(int(id - IDB_SCHEDULE_HOURS_VALUE_1))));
        Open(grid, 350, 360);
        for (int col = 0; col < 7; ++col)
            for (int row = 0; row < 24; ++row)
                grid.AddCell(col * 50, row * 15, col * 50 + 50, row * 15 + 15);
        grid.m_pData = data.data();
    }
    std::vector<BYTE> data = std::vector<BYTE>(7 * 24, 0);
    CGridAreaCtrl3 grid;
};

TEST_F(ScheduleGrid, ClicksCycleThroughTheValuesOfTheRecorderType) {
    const struct {
        int type;
        std::vector<int> cycle;
    } cases[] = {{3, {1, 2, 3, 0}}, {0, {1, 0, 1, 0}}, {1, {1, 0}}};
    for (const auto& c : cases) {
        ASSERT_TRUE(grid.LoadBitmaps(nullptr, c.type));
        grid.ClearAll();
        for (int expected : c.cycle) {
            Press(grid, CPoint(160, 40)); // day 3, hour 2
            EXPECT_EQ(data[3 * 24 + 2], expected) << "type " << c.type;
        }
        EXPECT_EQ(std::accumulate(data.begin(), data.end(), 0), data[3 * 24 + 2]);
    }
}

TEST_F(ScheduleGrid, BandPaintsThePaintValueOnType3AndOneElsewhere) {
    ASSERT_TRUE(grid.LoadBitmaps(nullptr, 3));
    grid.m_nPaintValue = 2;
    Press(grid, CPoint(10, 10), CPoint(60, 20)); // days 0-1, hours 0-1
    for (int col = 0; col < 2; ++col)
        for (int row = 0; row < 2; ++row)
            EXPECT_EQ(data[std::size_t(col * 24 + row)], 2);
    EXPECT_EQ(std::accumulate(data.begin(), data.end(), 0), 8);
    ASSERT_TRUE(grid.LoadBitmaps(nullptr, 0));
    Press(grid, CPoint(10, 10), CPoint(60, 20));
    EXPECT_EQ(data[0], 1);
}

TEST_F(ScheduleGrid, CellsAreDrawnFromTheBitmapOfTheirValue) {
    ASSERT_TRUE(grid.LoadBitmaps(nullptr, 3));
    for (int value = 0; value < 4; ++value)
        grid.SetCellValue(value * 50, 0, value * 50 + 50, 15, value);
    const QImage face = Grab(grid);
    for (int value = 0; value < 4; ++value)
        EXPECT_EQ(skintest::At(face, value * 50 + 25, 7), CellColour(2 + value)) << value; // 1772 + value
    EXPECT_EQ(data[2 * 24], 2);
}

TEST_F(ScheduleGrid, CellsOutsideTheWeekWriteNothing) {
    grid.AddCell(350, 0, 400, 15); // an eighth day
    grid.AddCell(0, 360, 50, 375); // a 25th hour
    grid.SelectAll();
    EXPECT_EQ(std::accumulate(data.begin(), data.end(), 0), 168);
}

} // namespace
