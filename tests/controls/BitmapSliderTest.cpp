// The bitmap slider (positions from presses and drags, the three messages and their order, the
// split between active and channel bitmap) and the progress bar (caps, bar and percentage).

#include "SkinTestSupport.h"

#include "controls/BitmapProgressCtrl.h"
#include "controls/BitmapSlider.h"
#include "res/BitmapIds.h"

#include <gtest/gtest.h>

#include <array>
#include <thread>

using namespace skintest;

namespace {

constexpr int kId = 510;
constexpr UINT kChannel = IDB_SETUP_SLIDER_PART_ABOVE_POSITION;
constexpr UINT kMissingBitmap = 4242; // no bitmap of the test set
constexpr UINT kActive = IDB_SETUP_SLIDER_PART_BELOW_POSITION;
constexpr int kWidth = 200;
constexpr int kHeight = 10;

class Sliders : public ::testing::Test {
protected:
    void SetUp() override {
        bitmaps.Add(kChannel, Solid(kWidth, kHeight, CellColour(0)));
        bitmaps.Add(kActive, Solid(kWidth, kHeight, CellColour(1)));
        dlg.Bind(kId, slider);
        ASSERT_TRUE(dlg.Open({{kId, "STATIC", 20, 20, 50, 9, WS_VISIBLE, ""}}));
        ASSERT_TRUE(slider.SetBitmapChannel(kChannel, kActive, FALSE, 0xFF000000, 0, 0));
        slider.SetRange(0, 100, FALSE);
        slider.SetDrawOption(TRUE, FALSE);
    }
    void TearDown() override {
        dlg.DestroyWindow();
        Flush();
    }
    // What the slider posted, delivered.
    std::vector<Logged> Posted() {
        Flush();
        std::vector<Logged> out;
        for (const Logged& l : dlg.log) {
            if (l.message >= WM_SLIDER_DOWN && l.message <= WM_SLIDER_UP)
                out.push_back(l);
        }
        dlg.log.clear();
        return out;
    }
    void Press(int x) { slider.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Pt(x, 4)); }
    void Drag(int x) { slider.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, Pt(x, 4)); }
    void Release(int x) { slider.SendMessage(WM_LBUTTONUP, 0, Pt(x, 4)); }

    TestBitmaps bitmaps;
    CLogDialog dlg;
    CBitmapSlider slider;
};

Logged Down(LPARAM pos) {
    return {WM_SLIDER_DOWN, kId, pos};
}
Logged Move(LPARAM pos) {
    return {WM_SLIDER_MOVE, kId, pos};
}
Logged Up(LPARAM pos) {
    return {WM_SLIDER_UP, kId, pos};
}

TEST_F(Sliders, AttachingTakesTheMouseAndTheChannelSizesTheControl) {
    EXPECT_NE(slider.GetStyle() & SS_NOTIFY, 0u);
    CRect client;
    slider.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, kWidth, kHeight));
    EXPECT_FALSE(slider.SetBitmapChannel(kMissingBitmap, 0));
    EXPECT_FALSE(slider.SetBitmapChannel(kChannel, kMissingBitmap));
    EXPECT_TRUE(slider.SetBitmapChannel(0, 0));
}

TEST_F(Sliders, PressAwayFromThePositionJumpsThereMoveBeforeDown) {
    Press(100);
    EXPECT_EQ(slider.GetPos(), 50);
    EXPECT_EQ(Posted(), (std::vector<Logged>{Move(50), Down(50)}));
    Release(100);
    EXPECT_EQ(Posted(), (std::vector<Logged>{Up(50)}));
}

TEST_F(Sliders, PressAtThePositionPostsOnlyDownAndReleaseAlwaysUp) {
    slider.SetPos(25);
    Press(slider.Pos2Pixel(25));
    Release(slider.Pos2Pixel(25));
    EXPECT_EQ(Posted(), (std::vector<Logged>{Down(25), Up(25)}));
    EXPECT_EQ(slider.m_nPos, 25);
}

TEST_F(Sliders, DragBeyondTheEndsClampsWithoutRepeatedMoves) {
    Press(100);
    Posted();
    Drag(150);
    Drag(150);
    Drag(260);
    Drag(400);
    Drag(199);
    Drag(-50);
    Drag(-90);
    Release(-90);
    EXPECT_EQ(Posted(), (std::vector<Logged>{Move(75), Move(100), Move(99), Move(0), Up(0)}));
}

TEST_F(Sliders, MovesOnlyWhenThePositionChanges) {
    slider.SetRange(0, 10); // 20 pixels a step
    Press(100);
    Drag(105);
    Drag(119);
    Drag(120);
    Drag(139);
    Release(139);
    EXPECT_EQ(Posted(), (std::vector<Logged>{Move(5), Down(5), Move(6), Up(6)}));
}

TEST_F(Sliders, MovesWithoutAPressDoNothing) {
    Drag(120);
    Release(120);
    EXPECT_TRUE(Posted().empty());
    EXPECT_EQ(slider.GetPos(), 0);
}

TEST_F(Sliders, MaximumOnlyAtTheVeryEndOfTheTrack) {
    const struct {
        int pixel;
        int pos;
    } cases[] = {{0, 0}, {1, 0}, {2, 1}, {100, 50}, {198, 99}, {199, 99}, {200, 100}};
    for (const auto& c : cases)
        EXPECT_EQ(slider.Pixel2Pos(c.pixel), c.pos) << c.pixel;
    EXPECT_EQ(slider.Pos2Pixel(0), 0);
    EXPECT_EQ(slider.Pos2Pixel(100), kWidth);
    slider.SetRange(0, 1000);
    EXPECT_EQ(slider.Pos2Pixel(333), 66);
    EXPECT_EQ(slider.Pixel2Pos(67), 335);
}

TEST_F(Sliders, SetPosClampsAndPostsNothingSetRangeDoesNotClamp) {
    slider.SetPos(150);
    EXPECT_EQ(slider.GetPos(), 100);
    slider.SetPos(-5);
    EXPECT_EQ(slider.GetPos(), 0);
    slider.SetPos(80);
    slider.SetRange(0, 50);
    EXPECT_EQ(slider.GetPos(), 80);
    slider.SetPos(slider.GetPos());
    EXPECT_EQ(slider.GetPos(), 50);
    EXPECT_TRUE(Posted().empty());
    EXPECT_EQ(slider.SetPageSize(5), 20);
    EXPECT_EQ(slider.SetPageSize(7), 5);
}

// An empty range (a backup of nothing, an empty play list) maps everything to the minimum.
TEST_F(Sliders, EmptyRangeKeepsTheMinimumEverywhere) {
    for (const auto& [low, high] : {std::pair{5, 5}, std::pair{10, 3}, std::pair{0, 0}}) {
        slider.SetRange(low, high);
        slider.SetPos(9);
        EXPECT_EQ(slider.GetPos(), low) << low << ".." << high;
        EXPECT_EQ(slider.Pos2Pixel(slider.GetPos()), 0);
        for (int x : {0, 77, 199, 200, 500})
            EXPECT_EQ(slider.Pixel2Pos(x), low) << x;
        Press(150);
        Drag(20);
        Release(20);
        EXPECT_EQ(Posted(), (std::vector<Logged>{Down(low), Up(low)}));
        Grab(slider);
    }
}

TEST_F(Sliders, TrackWithoutRoomMapsEveryPlaceToTheMinimum) {
    slider.MoveWindow(20, 20, 0, 10);
    slider.SetRange(2, 40);
    EXPECT_EQ(slider.Pixel2Pos(0), 2);
    EXPECT_EQ(slider.Pixel2Pos(30), 2);
}

TEST_F(Sliders, ActiveBitmapLeftOfThePositionChannelRight) {
    slider.SetPos(50);
    const QImage face = Grab(slider);
    EXPECT_EQ(At(face, 5, 5), CellColour(1));
    EXPECT_EQ(At(face, 99, 5), CellColour(1));
    EXPECT_EQ(At(face, 100, 5), CellColour(0));
    EXPECT_EQ(At(face, 195, 5), CellColour(0));
}

TEST_F(Sliders, DisabledSliderIgnoresTheMouseAndDrawsTheChannelOnly) {
    slider.SetPos(50);
    slider.Enable(FALSE);
    Press(150);
    Drag(10);
    Release(10);
    EXPECT_TRUE(Posted().empty());
    EXPECT_EQ(slider.GetPos(), 50);
    EXPECT_EQ(At(Grab(slider), 5, 5), CellColour(0));
}

TEST_F(Sliders, DisablingMidDragEndsItQuietly) {
    Press(100);
    Posted();
    slider.Enable(FALSE);
    EXPECT_EQ(GetCapture(), nullptr);
    slider.Enable(TRUE);
    Drag(150);
    Release(150);
    EXPECT_TRUE(Posted().empty());
    EXPECT_EQ(slider.GetPos(), 50);
}

// The capture taken away mid-drag ends the drag as a release: the owner hears WM_SLIDER_UP and the
// thumb follows no more moves.
TEST_F(Sliders, LosingTheCaptureMidDragReportsTheRelease) {
    Press(100);
    EXPECT_EQ(GetCapture(), slider.GetSafeHwnd());
    Posted();
    dlg.SetCapture();
    ReleaseCapture();
    Drag(150);
    EXPECT_EQ(Posted(), (std::vector<Logged>{Up(50)}));
    EXPECT_EQ(slider.GetPos(), 50);
}

TEST_F(Sliders, PositionFromAWorkerThreadArrivesOnTheUiThread) {
    slider.SetPos(30);
    std::thread worker([this] {
        slider.SetRange(0, 1000);
        slider.SetPos(640);
    });
    worker.join();
    // Nothing changed before the UI thread ran the queued calls.
    EXPECT_EQ(slider.GetPos(), 30);
    EXPECT_EQ(slider.GetRangeMax(), 100);
    EXPECT_TRUE(PumpUntil([this] { return slider.GetPos() == 640; }));
    EXPECT_TRUE(Posted().empty());
}

TEST_F(Sliders, FocusRectangleOnlyWhileFocusedAndEnabled) {
    auto focusRects = [this] {
        int count = 0;
        for (const DrawRecord& r : Record(slider).Of(DrawRecord::Op::FocusRect))
            count += DrawnBy(r, slider) ? 1 : 0;
        return count;
    };
    EXPECT_EQ(focusRects(), 0);
    slider.SendMessage(WM_SETFOCUS, 0, 0);
    EXPECT_EQ(focusRects(), 1);
    slider.Enable(FALSE);
    EXPECT_EQ(focusRects(), 0);
    slider.Enable(TRUE);
    slider.SendMessage(WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(focusRects(), 0);
}

TEST_F(Sliders, AsksForEveryKeyButTab) {
    MSG tab{slider.GetSafeHwnd(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    MSG left{slider.GetSafeHwnd(), WM_KEYDOWN, VK_LEFT, 0, 0, {0, 0}};
    EXPECT_EQ(slider.SendMessage(WM_GETDLGCODE, VK_LEFT, reinterpret_cast<LPARAM>(&left)), LRESULT(DLGC_WANTALLKEYS));
    EXPECT_EQ(slider.SendMessage(WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab)) & DLGC_WANTALLKEYS, 0);
}

// ---- progress bar

constexpr UINT kBack = IDB_BACKUP_PROGRESS_BAR_GROOVE;
constexpr UINT kBar = IDB_BACKUP_PROGRESS_BAR_FILL;
constexpr int kCap = 10;
constexpr int kBarWidth = 100;

class ProgressBars : public ::testing::Test {
protected:
    void SetUp() override {
        bitmaps.Add(kBack, Strip(3, kCap, 8, 0));
        bitmaps.Add(kBar, Strip(3, kCap, 8, 3));
        dlg.Bind(kId, bar);
        ASSERT_TRUE(dlg.Open({{kId, "STATIC", 10, 10, kBarWidth, 8, WS_VISIBLE, ""}}));
        ASSERT_TRUE(bar.LoadBackBitmap(kBack));
        ASSERT_TRUE(bar.LoadBarBitmap(kBar));
    }
    void TearDown() override {
        dlg.DestroyWindow();
        Flush();
    }
    // The colours at the left cap, the middle and the right cap.
    std::array<QRgb, 3> Look() {
        const QImage face = Grab(bar);
        return {At(face, 5, 4), At(face, 50, 4), At(face, 95, 4)};
    }
    TestBitmaps bitmaps;
    CLogDialog dlg;
    CBitmapProgressCtrl bar;
};

TEST_F(ProgressBars, CapsAndBarFollowThePosition) {
    const QRgb back0 = CellColour(0), back1 = CellColour(1), back2 = CellColour(2);
    const QRgb bar0 = CellColour(3), bar1 = CellColour(4), bar2 = CellColour(5);
    bar.SetRange(0, 100);
    const struct {
        int pos;
        std::array<QRgb, 3> look;
    } cases[] = {
        {0, {back0, back1, back2}}, // nothing yet
        {1, {bar0, back1, back2}},  // min + 1: the left cap only
        {60, {bar0, bar1, back2}},  // the middle: stretched up to 10 + 60/102 x 90
        {99, {bar0, bar1, back2}},  // not yet the right cap
        {100, {bar0, bar1, bar2}},  // the full bar
        {250, {bar0, bar1, bar2}},  // clamped to the maximum
    };
    for (const auto& c : cases) {
        bar.SetPos(c.pos);
        EXPECT_EQ(Look(), c.look) << c.pos;
    }
    bar.SetPos(40);
    const QImage face = Grab(bar);
    EXPECT_EQ(At(face, 44, 4), bar1); // 10 + (int)(40 / 102 x 90) = 45
    EXPECT_EQ(At(face, 45, 4), back1);
}

TEST_F(ProgressBars, PercentageText) {
    bar.SetShowText(TRUE, 0x783C3C);
    const struct {
        int low;
        int high;
        int pos;
        const char* text;
    } cases[] = {
        {0, 200, 100, "50.0 %"}, {0, 3, 1, "33.3 %"}, {10, 20, 20, "100.0 %"}, {0, 100, -4, "0.0 %"},
        {0, 0, 0, "0.0 %"},      {5, 5, 9, "0.0 %"},  {9, 2, 4, "0.0 %"},
    };
    for (const auto& c : cases) {
        bar.SetRange(c.low, c.high);
        EXPECT_EQ(bar.GetText(), "0 %");
        bar.SetPos(c.pos);
        EXPECT_EQ(bar.GetText(), c.text) << c.low << ".." << c.high << " at " << c.pos;
    }
    const std::vector<DrawRecord> texts = Record(bar).Of(DrawRecord::Op::Text);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back().text, "0.0 %");
    EXPECT_EQ(texts.back().textColor, 0x783C3Cu);
    EXPECT_EQ(texts.back().format & (DT_CENTER | DT_VCENTER | DT_SINGLELINE), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

TEST_F(ProgressBars, EmptyRangeDrawsNoBar) {
    bar.SetRange(0, 0);
    bar.SetPos(0);
    EXPECT_EQ(Look(), (std::array<QRgb, 3>{CellColour(0), CellColour(1), CellColour(2)}));
}

TEST_F(ProgressBars, HiddenTextIsNeitherComputedNorDrawn) {
    bar.SetRange(0, 10);
    bar.SetPos(5);
    EXPECT_EQ(bar.GetText(), "0 %");
    EXPECT_TRUE(Record(bar).Of(DrawRecord::Op::Text).empty());
}

} // namespace
