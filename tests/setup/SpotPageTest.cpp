// The spot-out page: the mode pairs and the group copies, the dwell sliders per channel and per
// group, the event switches, the three views.

#include "SetupTestSupport.h"

#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/SpotSetupDlg.h"

#include <algorithm>

using namespace setuptest;

namespace {

using Bytes = std::map<std::size_t, int>;
using C = CSpotSetupDlg;

class SpotPage : public FrameFixture {
protected:
    // Dwells 10, 20, ..., 160 (slider positions 2, 4, ..., 32), event switches off.
    void Prepare(int channels, int mode) {
        recorder.SetChannels(channels);
        db.spot_mode = BYTE(mode);
        for (int ch = 0; ch < 16; ++ch) {
            db.spot_dwell[ch] = BYTE(10 * (ch + 1));
            db.spot_event_switch[ch] = 0;
        }
    }
    C& OpenSpot(int channels, int mode) {
        Prepare(channels, mode);
        Open();
        return Show<C>(IDD_SPOT_SETUP_DLG);
    }
    static void MoveSlider(C& page, int row, int position) {
        page.RowSlider(row).SetPos(position);
        page.SendMessage(WM_SLIDER_MOVE, C::IDC_ROW_SLIDER + UINT(row), position);
        Flush();
    }
    // A control's top-left corner in the page.
    static CPoint PlaceIn(CWnd& control, CWnd& page) {
        CRect r;
        control.GetWindowRect(&r);
        page.ScreenToClient(&r);
        return r.TopLeft();
    }
    static std::string Dwell(int seconds) { return std::to_string(seconds) + " " + LoadResString(IDS_SEC).Str(); }
};

TEST_F(SpotPage, ChoosingAModeStoresItAndCopiesTheGroupLeadersDwell) {
    const struct {
        const char* name;
        int channels;
        UINT button;
        Bytes changed;
    } cases[] = {
        {"mode 0", 16, C::IDC_MODE_ON + 0, {{600, 0}}},
        {"mode 1: groups of four take their first dwell",
         16,
         C::IDC_MODE_ON + 1,
         {{600, 1},
          {605, 10},
          {606, 10},
          {607, 10},
          {609, 50},
          {610, 50},
          {611, 50},
          {613, 90},
          {614, 90},
          {615, 90},
          {617, 130},
          {618, 130},
          {619, 130}}},
        {"mode 2: groups of eight",
         16,
         C::IDC_MODE_ON + 2,
         {{600, 2},
          {605, 10},
          {606, 10},
          {607, 10},
          {608, 10},
          {609, 10},
          {610, 10},
          {611, 10},
          {613, 90},
          {614, 90},
          {615, 90},
          {616, 90},
          {617, 90},
          {618, 90},
          {619, 90}}},
        {"mode 1 on four channels still copies all sixteen",
         4,
         C::IDC_MODE_ON + 1,
         {{600, 1},
          {605, 10},
          {606, 10},
          {607, 10},
          {609, 50},
          {610, 50},
          {611, 50},
          {613, 90},
          {614, 90},
          {615, 90},
          {617, 130},
          {618, 130},
          {619, 130}}},
        {"mode 5", 16, C::IDC_MODE_ON + 5, {{600, 5}}},
        {"an off half changes nothing", 16, C::IDC_MODE_OFF + 1, {}},
        {"the off half of the chosen mode changes nothing", 16, C::IDC_MODE_OFF + 3, {}},
    };
    for (const auto& c : cases) {
        auto& page = OpenSpot(c.channels, 3);
        Click(*page.GetDlgItem(int(c.button)));
        EXPECT_EQ(Changed(), c.changed) << c.name;
        const int chosen = db.spot_mode;
        for (int m : {0, 1, 2, 3, 5}) {
            if (!page.ModeOn(m).IsWindowEnabled()) {
                continue;
            }
            EXPECT_EQ(page.ModeOn(m).GetState(), m == chosen ? 1 : 0) << c.name << " pair " << m;
            EXPECT_EQ(page.ModeOff(m).GetState(), m == chosen ? 0 : 1) << c.name << " pair " << m;
        }
        // Duration is offered below mode 4, Event On/Off from mode 4 up.
        EXPECT_EQ(page.ColumnButton(1).IsWindowVisible() != FALSE, chosen < 4) << c.name;
        EXPECT_EQ(page.ColumnButton(2).IsWindowVisible() != FALSE, chosen >= 4) << c.name;
        Close();
        db = PatternRecord();
    }
}

TEST_F(SpotPage, ModeViewShowsFiveLinesAndDisablesGroupsTheRecorderLacks) {
    const struct {
        int channels;
        bool mode2;
        bool mode3;
    } cases[] = {{4, false, false}, {8, true, false}, {16, true, true}};
    for (const auto& c : cases) {
        auto& page = OpenSpot(c.channels, 5);
        EXPECT_EQ(page.ModeOn(2).IsWindowEnabled() != FALSE, c.mode2) << c.channels;
        EXPECT_EQ(page.ModeOff(2).IsWindowEnabled() != FALSE, c.mode2) << c.channels;
        EXPECT_EQ(page.ModeOn(3).IsWindowEnabled() != FALSE, c.mode3) << c.channels;
        EXPECT_TRUE(page.ModeOn(1).IsWindowEnabled());
        // Modes 0-3 on the first four lines, mode 5 on the fifth; 4 and 6 never shown.
        for (int m : {0, 1, 2, 3}) {
            EXPECT_EQ(PlaceIn(page.ModeOn(m), page), CPoint(175, 29 + 23 * m));
        }
        EXPECT_EQ(PlaceIn(page.ModeOn(5), page), CPoint(175, 121));
        EXPECT_EQ(PlaceIn(page.ModeOff(5), page), CPoint(276, 121));
        EXPECT_FALSE(page.ModeOn(4).IsWindowVisible());
        EXPECT_FALSE(page.ModeOn(6).IsWindowVisible());
        EXPECT_TRUE(page.Label(C::IDC_MODE_LABEL + 1).IsWindowVisible());
        EXPECT_EQ(PlaceIn(page.Label(C::IDC_MODE_LABEL + 1), page), CPoint(12, 124));
        // Mode 5 stored: its pair chosen, Event On/Off offered instead of Duration.
        EXPECT_EQ(page.ModeOn(5).GetState(), kButtonOn);
        EXPECT_FALSE(page.ColumnButton(1).IsWindowVisible());
        EXPECT_TRUE(page.ColumnButton(2).IsWindowVisible());
        EXPECT_FALSE(page.RowBox(0).IsWindowVisible());
        EXPECT_FALSE(page.RowSlider(0).IsWindowVisible());
        Close();
        db = PatternRecord();
    }
    // A stored mode 4 or 6 draws no visible pair as chosen.
    for (int stored : {4, 6}) {
        auto& page = OpenSpot(16, stored);
        for (int m : {0, 1, 2, 3, 5}) {
            EXPECT_EQ(page.ModeOn(m).GetState(), kButtonNormal) << stored;
        }
        EXPECT_TRUE(page.ColumnButton(2).IsWindowVisible());
        Close();
        db = PatternRecord();
    }
}

TEST_F(SpotPage, DurationViewLaysOutOneSliderPerChannelOrGroup) {
    const struct {
        int mode;
        int channels;
        int background;
        std::vector<int> sliderY; // rows 0, 4, 8, 12 or each row
        std::vector<int> shownRows;
    } cases[] = {
        {0, 16, 1, {}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        {1, 16, 2, {67, 159, 251, 343}, {0, 4, 8, 12}},
        {2, 16, 3, {113, 297}, {0, 8}},
        {1, 8, 2, {67, 159}, {0, 4}},
    };
    for (const auto& c : cases) {
        auto& page = OpenSpot(c.channels, c.mode);
        Click(page.ColumnButton(1));
        EXPECT_EQ(page.BackgroundIndex(), c.background) << c.mode;
        EXPECT_EQ(page.ColumnButton(1).GetState(), kButtonOn);
        EXPECT_EQ(page.ColumnButton(0).GetState(), kButtonNormal);
        for (int r = 0; r < c.channels; ++r) {
            const bool shown = std::find(c.shownRows.begin(), c.shownRows.end(), r) != c.shownRows.end();
            EXPECT_EQ(page.RowSlider(r).IsWindowVisible() != FALSE, shown) << c.mode << " row " << r;
            EXPECT_EQ(page.RowBox(r).IsWindowVisible() != FALSE, shown) << c.mode << " row " << r;
            EXPECT_TRUE(page.Label(C::IDC_CHANNEL_LABEL + UINT(r)).IsWindowVisible());
            // Each slider opens at its dwell / 5.
            EXPECT_EQ(page.RowSlider(r).GetPos(), 2 * (r + 1)) << c.mode << " row " << r;
        }
        for (std::size_t i = 0; i < c.sliderY.size(); ++i) {
            const int r = c.shownRows[i];
            EXPECT_EQ(PlaceIn(page.RowSlider(r), page), CPoint(103, c.sliderY[i])) << c.mode << " row " << r;
        }
        if (c.mode == 0) {
            EXPECT_EQ(PlaceIn(page.RowSlider(3), page), CPoint(103, 33 + 23 * 3));
            EXPECT_EQ(Text(page.Label(C::IDC_DWELL_TEXT + 3)), Dwell(40));
        }
        if (c.mode == 1) {
            EXPECT_EQ(Text(page.Label(C::IDC_GROUP4_TEXT + 1)), Dwell(50));
        }
        EXPECT_FALSE(page.ModeOn(0).IsWindowVisible());
        EXPECT_TRUE(Changed().empty());
        Close();
        db = PatternRecord();
    }
}

TEST_F(SpotPage, DurationDoesNothingWithoutGroupsOrInOtherModes) {
    for (const auto& [mode, channels] : {std::pair{2, 8}, std::pair{1, 4}, std::pair{3, 16}}) {
        auto& page = OpenSpot(channels, mode);
        page.ShowDurationColumn();
        Flush();
        EXPECT_EQ(page.BackgroundIndex(), 0) << mode << "/" << channels;
        EXPECT_EQ(page.ColumnButton(0).GetState(), kButtonOn);
        EXPECT_TRUE(page.ModeOn(0).IsWindowVisible());
        EXPECT_FALSE(page.RowSlider(0).IsWindowVisible());
        Close();
        db = PatternRecord();
    }
}

TEST_F(SpotPage, SlidersWriteTheirRowGroupAndTheTickedRows) {
    const struct {
        const char* name;
        int mode;
        std::vector<int> ticked; // boxes clicked in the Duration view
        int row;
        int position;
        Bytes changed;
        std::vector<int> movedSliders; // other rows whose sliders follow
    } cases[] = {
        {"mode 0, alone", 0, {}, 2, 9, {{606, 45}}, {}},
        {"mode 0, ticked rows", 0, {2, 5}, 2, 48, {{606, 240}, {609, 240}}, {5}},
        {"mode 0, the moved row unticked", 0, {5}, 2, 0, {{606, 0}}, {}},
        {"mode 1, alone: the group", 1, {}, 0, 9, {{604, 45}, {605, 45}, {606, 45}, {607, 45}}, {}},
        {"mode 1, two groups ticked",
         1,
         {4, 12},
         4,
         3,
         {{608, 15}, {609, 15}, {610, 15}, {611, 15}, {616, 15}, {617, 15}, {618, 15}, {619, 15}},
         {12}},
        {"mode 2, alone",
         2,
         {},
         8,
         1,
         {{612, 5}, {613, 5}, {614, 5}, {615, 5}, {616, 5}, {617, 5}, {618, 5}, {619, 5}},
         {}},
    };
    for (const auto& c : cases) {
        auto& page = OpenSpot(16, c.mode);
        Click(page.ColumnButton(1));
        for (int r : c.ticked) {
            Click(page.RowBox(r));
        }
        MoveSlider(page, c.row, c.position);
        Bytes expected = c.changed;
        EXPECT_EQ(Changed(), expected) << c.name;
        for (int r : c.movedSliders) {
            EXPECT_EQ(page.RowSlider(r).GetPos(), c.position) << c.name << " row " << r;
        }
        const UINT text = c.mode == 0   ? C::IDC_DWELL_TEXT + UINT(c.row)
                          : c.mode == 1 ? C::IDC_GROUP4_TEXT + UINT(c.row / 4)
                                        : C::IDC_GROUP8_TEXT + UINT(c.row / 8);
        EXPECT_EQ(Text(page.Label(text)), Dwell(c.position * 5)) << c.name;
        Close();
        db = PatternRecord();
    }
}

TEST_F(SpotPage, AllCheckInGroupsOfFourMovesEveryLeaderAndWritesAllDwells) {
    auto& page = OpenSpot(16, 1);
    Click(page.ColumnButton(1));
    page.SendMessage(WM_COMMAND, MAKEWPARAM(C::IDC_ALL_CHECK, BN_CLICKED), 0);
    MoveSlider(page, 8, 7);
    const Bytes changed = Changed();
    EXPECT_EQ(changed.size(), 16u);
    for (int ch = 0; ch < 16; ++ch) {
        EXPECT_EQ(db.spot_dwell[ch], 35) << ch;
    }
    for (int leader : {0, 4, 12}) {
        EXPECT_EQ(page.RowSlider(leader).GetPos(), 7) << leader;
        EXPECT_EQ(Text(page.Label(C::IDC_GROUP4_TEXT + UINT(leader / 4))), Dwell(35));
    }
}

TEST_F(SpotPage, GroupBoxesCarryTheirMembersInGroupModesOnly) {
    const struct {
        int mode;
        int box;
        std::vector<int> ticked;
    } cases[] = {
        {1, 4, {4, 5, 6, 7}},
        {2, 8, {8, 9, 10, 11, 12, 13, 14, 15}},
        {2, 4, {4}}, // 494 is no leader in groups of eight: it only toggles
        {0, 4, {4}},
    };
    for (const auto& c : cases) {
        auto& page = OpenSpot(16, c.mode);
        page.ShowEventColumn(); // every box shown, whatever the mode
        Flush();
        Click(page.RowBox(c.box));
        for (int r = 0; r < 16; ++r) {
            const bool want = std::find(c.ticked.begin(), c.ticked.end(), r) != c.ticked.end();
            EXPECT_EQ(page.RowBox(r).GetCheck() == int(BST_CHECKED), want)
                << c.mode << " box " << c.box << " row " << r;
        }
        // A second click clears the group again.
        Click(page.RowBox(c.box));
        for (int r : c.ticked) {
            EXPECT_EQ(page.RowBox(r).GetCheck(), int(BST_UNCHECKED)) << c.mode << " row " << r;
        }
        Close();
        db = PatternRecord();
    }
}

TEST_F(SpotPage, EventSwitchesFollowTheTickedRowsOfTheRecordersChannels) {
    const struct {
        const char* name;
        int channels;
        std::vector<int> ticked;
        int row;
        bool on;
        Bytes changed;
    } cases[] = {
        {"alone", 16, {}, 3, true, {{623, 1}}},
        {"ticked with two others", 16, {3, 7, 15}, 7, true, {{623, 1}, {627, 1}, {635, 1}}},
        {"the pressed row unticked", 16, {3, 7}, 9, true, {{629, 1}}},
        {"all checked on four channels", 4, {-1}, 0, true, {{620, 1}, {621, 1}, {622, 1}, {623, 1}}},
        {"off where already off", 16, {}, 3, false, {}},
    };
    for (const auto& c : cases) {
        auto& page = OpenSpot(c.channels, 5);
        Click(page.ColumnButton(2));
        EXPECT_EQ(page.BackgroundIndex(), 1);
        for (int r : c.ticked) {
            if (r < 0) {
                page.SendMessage(WM_COMMAND, MAKEWPARAM(C::IDC_ALL_CHECK, BN_CLICKED), 0);
            } else {
                Click(page.RowBox(r));
            }
        }
        Click(c.on ? page.EventOn(c.row) : page.EventOff(c.row));
        EXPECT_EQ(Changed(), c.changed) << c.name;
        for (const auto& [offset, value] : c.changed) {
            const int r = int(offset - 620);
            EXPECT_EQ(page.EventOn(r).GetState(), value != 0 ? kButtonOn : kButtonNormal) << c.name << " row " << r;
            EXPECT_EQ(page.EventOff(r).GetState(), value != 0 ? kButtonNormal : kButtonOn) << c.name << " row " << r;
        }
        for (int r = c.channels; r < 16; ++r) {
            EXPECT_FALSE(page.EventOn(r).IsWindowVisible()) << c.name << " row " << r;
        }
        Close();
        db = PatternRecord();
    }
}

TEST_F(SpotPage, AStoredDwellOffTheStepsShowsRoundedAndStaysUntilMoved) {
    Prepare(16, 0);
    db.spot_dwell[0] = 7;
    db.spot_dwell[1] = 250; // beyond the slider's 48 steps
    Open();
    auto& page = Show<C>(IDD_SPOT_SETUP_DLG);
    Click(page.ColumnButton(1));
    EXPECT_EQ(page.RowSlider(0).GetPos(), 1);
    EXPECT_EQ(Text(page.Label(C::IDC_DWELL_TEXT)), Dwell(5));
    EXPECT_EQ(page.RowSlider(1).GetPos(), 48);
    EXPECT_EQ(Text(page.Label(C::IDC_DWELL_TEXT + 1)), Dwell(240));
    EXPECT_TRUE(Changed().empty());
    MoveSlider(page, 0, 48);
    EXPECT_EQ(Changed(), (Bytes{{604, 240}}));
    // Back in the Mode view nothing is lost.
    Click(page.ColumnButton(0));
    EXPECT_EQ(page.BackgroundIndex(), 0);
    EXPECT_EQ(db.spot_dwell[1], 250);
}

} // namespace
