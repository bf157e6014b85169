// The per-channel record pages (163 to 168): each column's controls, the resolution buttons that set
// every channel and its default rates, rate moves within the budget, ticked rows and groups of four,
// the audio and sensitivity columns, page 168's on-off and day count, and the sub-page buttons.

#include "SetupTestSupport.h"

#include "res/ButtonStates.h"
#include "res/DialogIds.h"
#include "setup/RecMotionRegionDlg.h"
#include "setup/RecPresetDlg.h"
#include "setup/RecResRatePage.h"
#include "setup/RecScheduleDlg.h"

using namespace setuptest;

namespace {

using ByteMap = std::map<std::size_t, int>;
using P = CRecResRatePage;

// Where each page keeps its arrays (page 168: on-off in place of rates).
struct PageArrays {
    UINT page;
    std::size_t rate;
    std::size_t audio;
    std::size_t sensitivity; // 0 for none
    std::size_t resolution;
};
constexpr PageArrays kRatePages[] = {
    {IDD_REC_RES_RATE_DLG, 656, 672, 0, 4044},           {IDD_REC_RES_RATE_PRESET_DLG, 688, 704, 0, 4060},
    {IDD_REC_RES_RATE_MOTION_DLG, 720, 736, 752, 4076},  {IDD_REC_RES_RATE_SCHEDULE_DLG, 2352, 2368, 0, 4092},
    {IDD_REC_RES_RATE_SENS_DLG, 2552, 2568, 2584, 4108},
};
constexpr PageArrays kDaysPage = {IDD_REC_RES_RATE_DAYS_DLG, 2616, 2632, 0, 4124};
constexpr std::size_t kDayCount = 2648;

class RatePages : public FrameFixture {
protected:
    BYTE* At(std::size_t offset) { return reinterpret_cast<BYTE*>(&db) + offset; }
    void Fill(std::size_t offset, std::vector<int> values) {
        for (std::size_t i = 0; i < 16; ++i)
            At(offset)[i] = BYTE(values.size() == 1 ? values[0] : (i < values.size() ? values[i] : 0));
    }
    // The record as a recorder of n channels and this standard sends it, one page's arrays set.
    void Prepare(const PageArrays& a, int channels, int standard, std::vector<int> rates, std::vector<int> resolutions,
                 std::vector<int> audio = {0}) {
        recorder.SetChannels(channels);
        db.video_standard = BYTE(standard);
        Fill(a.rate, std::move(rates));
        Fill(a.resolution, std::move(resolutions));
        Fill(a.audio, std::move(audio));
    }
    P& OpenPage(UINT id) {
        Open();
        P& page = Show<P>(id);
        Mark();
        return page;
    }
    void Mark() { mark = db; }
    ByteMap Since() const { return Changes(mark, db); }
    // A slider dragged to a position: the slider has it, then tells the page.
    void Slide(P& page, int row, int position) {
        page.RowSlider(row).SetPos(position);
        page.SendMessage(WM_SLIDER_MOVE, P::IDC_ROW_SLIDER + UINT(row), position);
        Flush();
    }
    // A button clicked where the operator cannot reach it (hidden rows).
    static void Command(CWnd& page, UINT id) {
        page.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), BN_CLICKED), 0);
        Flush();
    }
    static ByteMap Bytes(std::size_t offset, std::vector<int> values) {
        ByteMap map;
        for (std::size_t i = 0; i < values.size(); ++i)
            map[offset + i] = values[i];
        return map;
    }
    static ByteMap Join(ByteMap a, const ByteMap& b) {
        a.insert(b.begin(), b.end());
        return a;
    }

    SetupDatabase mark{};
};

TEST_F(RatePages, ResolutionButtonsSetEveryChannelAndItsDefaultRates) {
    const std::vector<int> cif16 = {8, 8, 8, 8, 8, 8, 8, 8, 7, 7, 7, 7, 7, 7, 7, 7};
    for (const PageArrays& a : kRatePages) {
        Prepare(a, 16, 0, {0}, {0});
        P& page = OpenPage(a.page);
        EXPECT_EQ(page.GetColumn(), P::kColumnResolution);
        Click(page.Radio(kResolutionCif, 0));
        EXPECT_EQ(Since(), Join(Bytes(a.resolution, std::vector<int>(16, 2)), Bytes(a.rate, cif16))) << a.page;
        for (int r : {0, 9, 15}) {
            EXPECT_EQ(page.Radio(0, r).GetState(), kButtonNormal) << a.page << " row " << r;
            EXPECT_EQ(page.Radio(2, r).GetState(), kButtonOn) << a.page << " row " << r;
        }
        Close();
    }
    // Any row's button sets the whole page; counts other than 4, 8 and 16 keep their rates.
    const struct {
        std::string name;
        int channels;
        int standard;
        int code;
        int row;
        std::vector<int> rates;
    } cases[] = {
        {"PAL, 8 channels, 2CIF from row 7", 8, 1, kResolution2Cif, 6, {7, 7, 6, 6, 6, 6, 6, 6}},
        {"NTSC, 4 channels, 4CIF from row 3", 4, 0, kResolution4Cif, 2, {8, 8, 7, 7}},
        {"NTSC, 16 channels, 4CIF", 16, 0, kResolution4Cif, 15, {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 1, 1}},
        {"6 channels: rates stay", 6, 0, kResolutionCif, 1, {}},
    };
    for (const auto& c : cases) {
        Prepare(kRatePages[0], c.channels, c.standard, {0}, {9});
        P& page = OpenPage(IDD_REC_RES_RATE_DLG);
        Command(page, P::IDC_4CIF + UINT(20 * c.code + c.row));
        const int n = std::min(c.channels, 16);
        EXPECT_EQ(Since(), Join(Bytes(4044, std::vector<int>(std::size_t(n), c.code)), Bytes(656, c.rates))) << c.name;
        Close();
    }
}

TEST_F(RatePages, ResolutionColumnShowsChannelOnesButtonsOnly) {
    Prepare(kRatePages[2], 16, 0, {3}, {1, 0, 2});
    P& page = OpenPage(IDD_REC_RES_RATE_MOTION_DLG);
    EXPECT_EQ(page.Radio(1, 0).GetState(), kButtonOn);
    EXPECT_EQ(page.Radio(0, 0).GetState(), kButtonNormal);
    EXPECT_EQ(page.Radio(2, 2).GetState(), kButtonOn);
    for (int code = 0; code < 3; ++code) {
        EXPECT_TRUE(page.Radio(code, 0).IsWindowVisible()) << code;
        EXPECT_FALSE(page.Radio(code, 1).IsWindowVisible()) << code;
    }
    for (int r = 0; r < 16; ++r) {
        EXPECT_FALSE(page.RowBox(r).IsWindowVisible()) << r;
        EXPECT_FALSE(page.RowLabel(r).IsWindowVisible()) << r;
        EXPECT_FALSE(page.RowSlider(r).IsWindowVisible()) << r;
        EXPECT_FALSE(page.OnButton(r).IsWindowVisible()) << r;
    }
    EXPECT_FALSE(page.AllCheckButton().IsWindowVisible());
    EXPECT_FALSE(page.ReturnAllButton().IsWindowVisible());
    EXPECT_TRUE(page.ColumnButton(3).IsWindowVisible());
    // A slider message outside the rate and sensitivity columns changes nothing.
    Slide(page, 0, 20);
    EXPECT_TRUE(Since().empty());
}

TEST_F(RatePages, RateMovesStayWithinTheBudget) {
    Prepare(kRatePages[0], 4, 0, {8, 8, 7, 7}, {0}, {1});
    P& page = OpenPage(IDD_REC_RES_RATE_DLG);
    Click(page.ColumnButton(P::kColumnRate));
    EXPECT_EQ(Text(page.RowValue(2)), "7 ips");
    EXPECT_EQ(page.RowSlider(0).GetRangeMax(), 30);
    // The budget is spent: channel 4 snaps back to 7.
    Slide(page, 3, 30);
    EXPECT_TRUE(Since().empty());
    EXPECT_EQ(page.RowSlider(3).GetPos(), 7);
    EXPECT_EQ(Text(page.RowValue(3)), "7 ips");
    // Channel 1 lowered to 5 leaves room for channel 4 to reach 10.
    Slide(page, 0, 5);
    Slide(page, 3, 30);
    EXPECT_EQ(Since(), (ByteMap{{656, 5}, {659, 10}}));
    EXPECT_EQ(Text(page.RowValue(3)), "10 ips");
    // Channel 2 at 0 loses its audio and its On/Off pair.
    Slide(page, 1, 0);
    EXPECT_EQ(Since(), (ByteMap{{656, 5}, {657, 0}, {659, 10}, {673, 0}}));
    EXPECT_FALSE(page.OnButton(1).IsWindowEnabled());
    EXPECT_FALSE(page.OffButton(1).IsWindowEnabled());
    EXPECT_EQ(page.OnButton(1).GetState(), kButtonDisabled);
    EXPECT_TRUE(page.OnButton(0).IsWindowEnabled());
}

TEST_F(RatePages, NothingLeftSnapsToZeroAndAllZeroKeepsOne) {
    Prepare(kRatePages[1], 4, 0, {10, 10, 10, 0}, {0}, {1});
    P& page = OpenPage(IDD_REC_RES_RATE_PRESET_DLG);
    Click(page.ColumnButton(P::kColumnRate));
    Slide(page, 3, 5);
    EXPECT_EQ(page.RowSlider(3).GetPos(), 0);
    EXPECT_EQ(Since(), (ByteMap{{707, 0}}));
    EXPECT_FALSE(page.OnButton(3).IsWindowEnabled());
    EXPECT_FALSE(page.OffButton(3).IsWindowEnabled());
    Close();

    // The stored rates already overspend the budget: the moved channel gets 0, not a wrapped rate.
    Prepare(kRatePages[1], 16, 0, std::vector<int>(15, 30), {0}, {1});
    P& overspent = OpenPage(IDD_REC_RES_RATE_PRESET_DLG);
    Click(overspent.ColumnButton(P::kColumnRate));
    Slide(overspent, 15, 20);
    EXPECT_EQ(overspent.RowSlider(15).GetPos(), 0);
    EXPECT_EQ(Since(), (ByteMap{{704 + 15, 0}}));
    Close();

    Prepare(kRatePages[1], 4, 1, {0}, {0}, {1});
    P& idle = OpenPage(IDD_REC_RES_RATE_PRESET_DLG);
    Click(idle.ColumnButton(P::kColumnRate));
    Slide(idle, 2, 0);
    EXPECT_EQ(Since(), (ByteMap{{690, 1}}));
    EXPECT_EQ(idle.RowSlider(2).GetPos(), 1);
}

TEST_F(RatePages, TickedRowsMoveTogetherWithinWhatTheOthersLeave) {
    Prepare(kRatePages[3], 8, 1, {4, 9, 4, 4, 4, 4, 4, 4}, {1}, {1});
    P& page = OpenPage(IDD_REC_RES_RATE_SCHEDULE_DLG);
    Click(page.ColumnButton(P::kColumnRate));
    EXPECT_EQ(page.RowSlider(0).GetRangeMax(), 25);
    for (int r : {0, 2, 1})
        Click(page.RowBox(r));
    // (100 - 40) / (2 x 3) = 10 each.
    Slide(page, 1, 25);
    EXPECT_EQ(Since(), (ByteMap{{2352, 10}, {2353, 10}, {2354, 10}}));
    for (int r : {0, 2})
        EXPECT_EQ(page.RowSlider(r).GetPos(), 10) << r;
    // An unticked row moves alone.
    Slide(page, 5, 0);
    EXPECT_EQ(Since().size(), 5u);
    EXPECT_EQ(Since().at(2357), 0);
    // All Check ticks the recorder's rows only; Return All clears them.
    Click(page.AllCheckButton());
    for (int r = 0; r < 16; ++r)
        EXPECT_EQ(page.RowBox(r).GetCheck(), r < 8 ? 1 : 0) << r;
    Click(page.ReturnAllButton());
    for (int r = 0; r < 8; ++r)
        EXPECT_EQ(page.RowBox(r).GetCheck(), 0) << r;
}

TEST_F(RatePages, GroupModeMovesFourChannelsAndHidesTheBoxes) {
    Prepare(kRatePages[4], 8, 0, {15, 15, 15, 15, 10, 10, 10, 10}, {2}, {1});
    P& page = OpenPage(IDD_REC_RES_RATE_SENS_DLG);
    Click(page.ColumnButton(P::kColumnRate));
    EXPECT_TRUE(page.IsGroupModeNow());
    for (int r = 0; r < 8; ++r) {
        EXPECT_FALSE(page.RowBox(r).IsWindowVisible()) << r;
        EXPECT_TRUE(page.RowSlider(r).IsWindowVisible()) << r;
    }
    EXPECT_FALSE(page.RowSlider(8).IsWindowVisible());
    EXPECT_FALSE(page.AllCheckButton().IsWindowVisible());
    // Channels 5-8 share (120 - 60) / 4.
    Slide(page, 5, 30);
    EXPECT_EQ(Since(), Bytes(2556, {15, 15, 15, 15}));
    for (int r = 4; r < 8; ++r)
        EXPECT_EQ(page.RowSlider(r).GetPos(), 15) << r;
    Slide(page, 0, 3);
    EXPECT_EQ(Since(), Join(Bytes(2552, {3, 3, 3, 3}), Bytes(2556, {15, 15, 15, 15})));
}

TEST_F(RatePages, RowsBeyondTheRecordersStayHiddenInEveryColumn) {
    Prepare(kRatePages[2], 4, 0, {5}, {2});
    P& page = OpenPage(IDD_REC_RES_RATE_MOTION_DLG);
    for (int column = 0; column < 4; ++column) {
        Click(page.ColumnButton(column));
        for (int r = 4; r < 16; ++r) {
            EXPECT_FALSE(page.RowBox(r).IsWindowVisible()) << column << " " << r;
            EXPECT_FALSE(page.RowLabel(r).IsWindowVisible()) << column << " " << r;
            EXPECT_FALSE(page.RowSlider(r).IsWindowVisible()) << column << " " << r;
            EXPECT_FALSE(page.RowValue(r).IsWindowVisible()) << column << " " << r;
            EXPECT_FALSE(page.OnButton(r).IsWindowVisible()) << column << " " << r;
            EXPECT_FALSE(page.Radio(2, r).IsWindowVisible()) << column << " " << r;
        }
        // CIF on four channels is no group mode: the rate column keeps its boxes.
        if (column == P::kColumnRate) {
            EXPECT_TRUE(page.RowBox(3).IsWindowVisible());
            EXPECT_TRUE(page.AllCheckButton().IsWindowVisible());
        }
    }
}

TEST_F(RatePages, AudioColumnSilencesChannelsThatDoNotRecordAndEditsChannelOne) {
    std::vector<int> rates;
    for (int i = 0; i < 16; ++i)
        rates.push_back(i % 2 == 0 ? 0 : 2);
    Prepare(kRatePages[0], 16, 0, rates, {0}, {1});
    P& page = OpenPage(IDD_REC_RES_RATE_DLG);
    Click(page.ColumnButton(P::kColumnAudio));
    ByteMap silenced;
    for (int i = 0; i < 16; i += 2)
        silenced[672 + std::size_t(i)] = 0;
    EXPECT_EQ(Since(), silenced);
    EXPECT_TRUE(page.OnButton(0).IsWindowVisible());
    EXPECT_FALSE(page.OnButton(0).IsWindowEnabled());
    EXPECT_FALSE(page.OnButton(1).IsWindowVisible());
    EXPECT_EQ(page.OnButton(1).GetState(), kButtonOn);
    Close();

    // Rows ticked in the rate column are unticked by the audio column: Off changes channel 1 only.
    Prepare(kRatePages[0], 16, 0, {2}, {0}, {1});
    P& audio = OpenPage(IDD_REC_RES_RATE_DLG);
    Click(audio.ColumnButton(P::kColumnRate));
    Click(audio.AllCheckButton());
    Click(audio.ColumnButton(P::kColumnAudio));
    EXPECT_EQ(audio.RowBox(3).GetCheck(), 0);
    Click(audio.OffButton(0));
    EXPECT_EQ(Since(), (ByteMap{{672, 0}}));
    EXPECT_EQ(audio.OffButton(0).GetState(), kButtonOn);
    EXPECT_EQ(audio.OnButton(0).GetState(), kButtonNormal);
    Click(audio.OnButton(0));
    EXPECT_TRUE(Since().empty());
}

TEST_F(RatePages, SensitivityDragsStoreThreeLessTheThumb) {
    for (const PageArrays& a : {kRatePages[2], kRatePages[4]}) {
        Prepare(a, 16, 0, {2}, {0});
        Fill(a.sensitivity, {3, 0, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3});
        P& page = OpenPage(a.page);
        Click(page.ColumnButton(P::kColumnThird));
        EXPECT_EQ(page.RowSlider(0).GetPos(), 0) << a.page;
        EXPECT_EQ(Text(page.RowValue(0)), "") << a.page;
        EXPECT_EQ(page.RowSlider(1).GetPos(), 3) << a.page;
        EXPECT_EQ(Text(page.RowValue(1)), "High") << a.page;
        Click(page.RowBox(2));
        Click(page.RowBox(5));
        // The first third of the track: thumb on 1, stored 2, on the ticked rows.
        Slide(page, 2, 0);
        EXPECT_EQ(Since(), (ByteMap{{a.sensitivity + 2, 2}, {a.sensitivity + 5, 2}})) << a.page;
        EXPECT_EQ(page.RowSlider(5).GetPos(), 1) << a.page;
        EXPECT_EQ(Text(page.RowValue(5)), "Low") << a.page;
        // The very end of the track stays on the top step: stored 0.
        Slide(page, 5, 3);
        EXPECT_EQ(Since(), (ByteMap{{a.sensitivity + 2, 0}, {a.sensitivity + 5, 0}})) << a.page;
        EXPECT_EQ(Text(page.RowValue(2)), "High") << a.page;
        Slide(page, 7, 1);
        EXPECT_EQ(Since().at(a.sensitivity + 7), 1) << a.page;
        EXPECT_EQ(Text(page.RowValue(7)), "Middle") << a.page;
        EXPECT_EQ(Since().size(), 3u) << a.page;
        Close();
    }
}

TEST_F(RatePages, SubPageButtonsOpenTheirPages) {
    const struct {
        int major;
        int minor;
        bool shown;
    } versions[] = {{4, 0, false}, {4, 1, true}, {5, 0, true}, {3, 9, false}};
    for (const auto& v : versions) {
        db.version_major = BYTE(v.major);
        db.version_minor = BYTE(v.minor);
        P& page = OpenPage(IDD_REC_RES_RATE_PRESET_DLG);
        EXPECT_EQ(page.SubPageButton().IsWindowVisible() != FALSE, v.shown) << v.major << "." << v.minor;
        Close();
    }
    for (UINT id : {IDD_REC_RES_RATE_DLG, IDD_REC_RES_RATE_SENS_DLG}) {
        EXPECT_FALSE(OpenPage(id).SubPageButton().IsWindowVisible()) << id;
        Close();
    }
    db.version_major = 5;
    const std::pair<UINT, UINT> opens[] = {{IDD_REC_RES_RATE_PRESET_DLG, IDD_REC_PRESET_DLG},
                                           {IDD_REC_RES_RATE_MOTION_DLG, IDD_REC_MOTION_REGION_DLG},
                                           {IDD_REC_RES_RATE_SCHEDULE_DLG, IDD_REC_SCHEDULE_DLG}};
    for (const auto& [from, to] : opens) {
        P& page = OpenPage(from);
        Click(page.SubPageButton());
        EXPECT_EQ(frame->PageById(from), nullptr) << from;
        EXPECT_NE(frame->PageById(to), nullptr) << from;
        Close();
    }
}

TEST_F(RatePages, RevisitShowsStoredValuesAndForgetsTicks) {
    Prepare(kRatePages[0], 16, 0, {3}, {1}, {1});
    P& page = OpenPage(IDD_REC_RES_RATE_DLG);
    Click(page.ColumnButton(P::kColumnRate));
    Click(page.RowBox(2));
    Click(page.RowBox(4));
    Slide(page, 2, 1);
    frame->ShowPageById(IDD_REC_RES_RATE_PRESET_DLG);
    Flush();
    P& again = Show<P>(IDD_REC_RES_RATE_DLG);
    EXPECT_EQ(again.GetColumn(), P::kColumnResolution);
    Click(again.ColumnButton(P::kColumnRate));
    EXPECT_EQ(again.RowBox(2).GetCheck(), 0);
    EXPECT_EQ(again.RowSlider(4).GetPos(), 1);
    EXPECT_EQ(again.RowSlider(3).GetPos(), 3);
}

// ---- page 168

TEST_F(RatePages, DaysColumnStoresWholeFives) {
    Prepare(kDaysPage, 16, 0, {1}, {0});
    db.mode_f_days = 30;
    P& page = OpenPage(IDD_REC_RES_RATE_DAYS_DLG);
    Slide(page, 0, 42); // outside the days column: nothing
    EXPECT_TRUE(Since().empty());
    Click(page.ColumnButton(P::kColumnDays));
    EXPECT_EQ(page.RowSlider(0).GetPos(), 30);
    EXPECT_EQ(page.RowSlider(0).GetRangeMax(), 90);
    EXPECT_TRUE(page.RowSlider(0).IsWindowVisible());
    EXPECT_FALSE(page.RowBox(0).IsWindowVisible());
    EXPECT_FALSE(page.OnButton(0).IsWindowVisible());
    EXPECT_EQ(Text(page.RowValue(0)), "30 Days");
    const std::pair<int, int> drags[] = {{42, 40}, {2, 5}, {90, 90}, {89, 85}};
    for (const auto& [position, days] : drags) {
        Slide(page, 0, position);
        EXPECT_EQ(Since(), (ByteMap{{kDayCount, days}})) << position;
        EXPECT_EQ(page.RowSlider(0).GetPos(), days) << position;
        EXPECT_EQ(Text(page.RowValue(0)), std::to_string(days) + " Days") << position;
    }
}

TEST_F(RatePages, DaysPageCifTurnsWholeGroupsOnAndGroupsSwitchTogether) {
    Prepare(kDaysPage, 16, 0, {1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0}, {0}, {0});
    P& page = OpenPage(IDD_REC_RES_RATE_DAYS_DLG);
    Click(page.Radio(kResolutionCif, 0));
    EXPECT_EQ(Since(), Join(Bytes(4124, std::vector<int>(16, 2)),
                            ByteMap{{2617, 1}, {2618, 1}, {2619, 1}, {2624, 1}, {2626, 1}, {2627, 1}}));
    Mark();
    Click(page.ColumnButton(P::kColumnOnOff));
    EXPECT_FALSE(page.RowBox(0).IsWindowVisible());
    EXPECT_TRUE(page.OnButton(5).IsWindowVisible());
    EXPECT_EQ(page.OnButton(0).GetState(), kButtonOn);
    EXPECT_EQ(page.OffButton(5).GetState(), kButtonOn);
    // Off on channel 1 turns channels 1-4 off.
    Click(page.OffButton(0));
    EXPECT_EQ(Since(), Bytes(2616, {0, 0, 0, 0}));
    Click(page.OnButton(0));
    Click(page.ColumnButton(P::kColumnAudio));
    // The one pair sets the audio of all four channels of the group, as the group is switched as one.
    db.mode_f_onoff[2] = 0;
    Mark();
    Click(page.OnButton(0));
    EXPECT_EQ(Since(), (ByteMap{{2632, 1}, {2633, 1}, {2634, 1}, {2635, 1}}));
    Mark();
    Click(page.OffButton(0));
    EXPECT_EQ(Since(), (ByteMap{{2632, 0}, {2633, 0}, {2634, 0}, {2635, 0}}));
}

TEST_F(RatePages, DaysPageWithoutGroupsEditsTickedRows) {
    Prepare(kDaysPage, 8, 0, {0}, {0}, {1});
    P& page = OpenPage(IDD_REC_RES_RATE_DAYS_DLG);
    Click(page.ColumnButton(P::kColumnOnOff));
    EXPECT_TRUE(page.RowBox(0).IsWindowVisible());
    Click(page.RowBox(1));
    Click(page.RowBox(6));
    Click(page.OnButton(6));
    EXPECT_EQ(Since(), (ByteMap{{2617, 1}, {2622, 1}}));
    // The audio column clears the audio of channels that are off.
    Click(page.ColumnButton(P::kColumnAudio));
    EXPECT_EQ(Since(),
              (ByteMap{{2617, 1}, {2622, 1}, {2632, 0}, {2634, 0}, {2635, 0}, {2636, 0}, {2637, 0}, {2639, 0}}));
    // 2CIF or 4CIF leaves the on-off bytes alone.
    Mark();
    Click(page.ColumnButton(P::kColumnResolution));
    Click(page.Radio(kResolution2Cif, 0));
    EXPECT_EQ(Since(), Bytes(4124, std::vector<int>(8, 1)));
}

} // namespace
