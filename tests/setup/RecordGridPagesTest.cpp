// The motion region page (170) and the weekly schedule page (171): what showing a channel or opening
// the page writes, bands and clicks on the grids landing at the right bytes, the buttons, and the
// schedule's two forms by sub-type.

#include "SetupTestSupport.h"

#include "res/ButtonStates.h"
#include "res/DialogIds.h"
#include "setup/RecMotionRegionDlg.h"
#include "setup/RecResRatePage.h"
#include "setup/RecScheduleDlg.h"

#include <numeric>
#include <optional>

using namespace setuptest;

namespace {

using ByteMap = std::map<std::size_t, int>;
using M = CRecMotionRegionDlg;
using S = CRecScheduleDlg;

class GridPages : public FrameFixture {
protected:
    template <class Page>
    Page& OpenPage(UINT id, bool withClient = true) {
        Open(withClient);
        Page& page = Show<Page>(id);
        mark = db;
        return page;
    }
    ByteMap Since() const { return Changes(mark, db); }
    static std::size_t Motion(int ch, int row, int col) { return 768 + std::size_t((9 * ch + row) * 11 + col); }
    static std::size_t Schedule(int day, int hour) { return 2384 + std::size_t(24 * day + hour); }

    SetupDatabase mark{};
};

// ---- page 170

TEST_F(GridPages, ShowingAChannelStoresItsVisibleCellsAsOneOrZero) {
    for (int row = 0; row < 9; ++row)
        for (int col = 0; col < 11; ++col)
            db.motion_grid[1][row][col] = BYTE((row + col) % 3); // 0, 1 and 2
    M& page = OpenPage<M>(IDD_REC_MOTION_REGION_DLG);
    EXPECT_EQ(page.GetChannel(), 0);
    Click(page.ChannelButton(1));
    EXPECT_EQ(page.GetChannel(), 1);
    EXPECT_EQ(page.ChannelButton(1).GetState(), kButtonOn);
    EXPECT_EQ(page.ChannelButton(0).GetState(), kButtonNormal);
    ByteMap expected;
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 10; ++col)
            if ((row + col) % 3 == 2)
                expected[Motion(1, row, col)] = 0;
    // Row 8 and column 10 keep what the record held.
    EXPECT_EQ(Since(), expected);
    EXPECT_EQ(page.Editor().GetCellValue(36, 0, 72, 36), 1);  // row 0, column 1
    EXPECT_EQ(page.Editor().GetCellValue(72, 0, 108, 36), 0); // row 0, column 2 held 2
}

TEST_F(GridPages, MotionBandsAddCellsClicksToggleAndButtonsFillTheChannel) {
    for (auto& block : db.motion_grid)
        for (auto& row : block)
            for (BYTE& cell : row)
                cell = 0;
    db.motion_grid[0][8][0] = 5;
    db.motion_grid[0][0][10] = 6;
    M& page = OpenPage<M>(IDD_REC_MOTION_REGION_DLG);
    Press(page.Editor(), CPoint(40, 40)); // row 1, column 1
    EXPECT_EQ(Since(), (ByteMap{{Motion(0, 1, 1), 1}}));
    // A band over rows 0-1, columns 0-2 adds to what is selected.
    Press(page.Editor(), CPoint(30, 30), CPoint(80, 50));
    ByteMap band;
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col)
            band[Motion(0, row, col)] = 1;
    EXPECT_EQ(Since(), band);
    Press(page.Editor(), CPoint(40, 40));
    band[Motion(0, 1, 1)] = 0;
    band.erase(Motion(0, 1, 1));
    EXPECT_EQ(Since(), band);

    // All Check and Return All reach the shown channel's 10 x 8 cells only.
    Click(page.ChannelButton(3));
    mark = db;
    Click(page.Button(M::IDC_ALL_CHECK));
    ByteMap all;
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 10; ++col)
            all[Motion(3, row, col)] = 1;
    EXPECT_EQ(Since(), all);
    Click(page.Button(M::IDC_RETURN_ALL));
    EXPECT_TRUE(Since().empty());
    EXPECT_EQ(db.motion_grid[0][8][0], 5);
    EXPECT_EQ(db.motion_grid[0][0][10], 6);
}

TEST_F(GridPages, MotionChannelButtonsFollowTheRecorderAndPrevReturns) {
    recorder.SetChannels(4);
    M& page = OpenPage<M>(IDD_REC_MOTION_REGION_DLG);
    for (int ch = 0; ch < 16; ++ch)
        EXPECT_EQ(page.ChannelButton(ch).IsWindowVisible() != FALSE, ch < 4) << ch;
    EXPECT_EQ(page.Editor().GetCellCount(), 80);
    Click(page.Button(M::IDC_PREV));
    EXPECT_NE(dynamic_cast<CRecResRatePage*>(frame->PageById(IDD_REC_RES_RATE_MOTION_DLG)), nullptr);
    EXPECT_EQ(frame->PageById(IDD_REC_MOTION_REGION_DLG), nullptr);
}

// ---- page 171

TEST_F(GridPages, OpeningTheScheduleStoresWhatItsCellsCanShow) {
    const struct {
        int subType;
        std::vector<std::pair<int, int>> stored; // value in the record, value after opening
    } cases[] = {
        {3, {{0, 0}, {2, 2}, {3, 3}, {4, 3}, {7, 3}, {255, 3}}},
        {0, {{0, 0}, {1, 1}, {2, 1}, {3, 1}, {200, 1}}},
        {2, {{1, 1}, {2, 1}}},
    };
    for (const auto& c : cases) {
        db = PatternRecord();
        recorder.SetSubType(c.subType);
        for (std::size_t i = 0; i < c.stored.size(); ++i)
            db.schedule[i][5] = BYTE(c.stored[i].first);
        S& page = OpenPage<S>(IDD_REC_SCHEDULE_DLG);
        for (std::size_t i = 0; i < c.stored.size(); ++i) {
            const int day = int(i);
            EXPECT_EQ(db.schedule[day][5], c.stored[i].second) << c.subType << " " << c.stored[i].first;
            EXPECT_EQ(page.Grid().GetCellValue(50 * day, 75, 50 * day + 50, 90), c.stored[i].second) << c.subType;
        }
        for (const auto& day : db.schedule)
            for (BYTE cell : day)
                EXPECT_LE(cell, c.subType == 3 ? 3 : 1) << c.subType;
        Close();
    }
}

TEST_F(GridPages, ModeScheduleBandsPaintTheChosenModeAndClicksStepThroughFour) {
    recorder.SetSubType(3);
    for (auto& day : db.schedule)
        for (BYTE& cell : day)
            cell = 0;
    db.schedule[4][20] = 3;
    S& page = OpenPage<S>(IDD_REC_SCHEDULE_DLG);
    EXPECT_TRUE(page.IsModeVariant());
    EXPECT_EQ(page.GetPaintMode(), 0);
    EXPECT_EQ(page.Button(0).GetState(), kButtonOn);
    Click(page.Button(2));
    EXPECT_EQ(page.GetPaintMode(), 2);
    EXPECT_EQ(page.Button(2).GetState(), kButtonOn);
    EXPECT_EQ(page.Button(0).GetState(), kButtonNormal);
    EXPECT_TRUE(Since().empty());
    // Day column 1, hours 8 to 12.
    Press(page.Grid(), CPoint(60, 122), CPoint(90, 190));
    ByteMap painted;
    for (int hour = 8; hour <= 12; ++hour)
        painted[Schedule(1, hour)] = 2;
    EXPECT_EQ(Since(), painted);
    // A click steps 3 to 0, then 0 to 1.
    Press(page.Grid(), CPoint(4 * 50 + 10, 20 * 15 + 5));
    painted[Schedule(4, 20)] = 0;
    EXPECT_EQ(Since(), painted);
    Press(page.Grid(), CPoint(4 * 50 + 10, 20 * 15 + 5));
    painted[Schedule(4, 20)] = 1;
    EXPECT_EQ(Since(), painted);
    // No button leaves the page.
    Click(page.Button(3));
    EXPECT_EQ(page.GetPaintMode(), 3);
    EXPECT_NE(frame->PageById(IDD_REC_SCHEDULE_DLG), nullptr);
}

TEST_F(GridPages, OnOffScheduleSetAllClearAllToggleAndReturn) {
    recorder.SetSubType(0);
    S& page = OpenPage<S>(IDD_REC_SCHEDULE_DLG);
    EXPECT_FALSE(page.IsModeVariant());
    EXPECT_FALSE(page.Button(2).IsWindowVisible());
    Click(page.Button(0));
    Press(page.Grid(), CPoint(310, 350)); // day 6, hour 23
    const BYTE* cells = &db.schedule[0][0];
    EXPECT_EQ(std::accumulate(cells, cells + 168, 0), 167);
    EXPECT_EQ(db.schedule[6][23], 0);
    Press(page.Grid(), CPoint(310, 350));
    EXPECT_EQ(db.schedule[6][23], 1);
    // A band sets cells on, whatever the paint mode.
    Click(page.Button(1));
    EXPECT_EQ(std::accumulate(cells, cells + 168, 0), 0);
    Press(page.Grid(), CPoint(10, 10), CPoint(60, 20)); // days 0-1, hours 0-1
    EXPECT_EQ(std::accumulate(cells, cells + 168, 0), 4);
    EXPECT_EQ(db.schedule[1][1], 1);
    Click(page.Button(3));
    EXPECT_NE(dynamic_cast<CRecResRatePage*>(frame->PageById(IDD_REC_RES_RATE_SCHEDULE_DLG)), nullptr);
    EXPECT_EQ(frame->PageById(IDD_REC_SCHEDULE_DLG), nullptr);
}

TEST_F(GridPages, ScheduleWithoutAConnectionHasNoGridButStillClamps) {
    db.schedule[2][2] = 9;
    S& page = OpenPage<S>(IDD_REC_SCHEDULE_DLG, false);
    EXPECT_FALSE(page.IsModeVariant());
    EXPECT_FALSE(page.Grid().IsWindowVisible());
    EXPECT_EQ(page.Grid().GetCellCount(), 0);
    EXPECT_EQ(db.schedule[2][2], 1);
    EXPECT_TRUE(page.Button(3).IsWindowVisible());
}

} // namespace
