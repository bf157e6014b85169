// The video window's layout logic without a window: rectangles, paging, visible slots, the tile map.
#include "media/VideoLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Str(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

std::vector<int> Slots(WORD mask) {
    std::vector<int> slots;
    for (int i = 0; i < 16; ++i) {
        if (mask & (1u << i)) {
            slots.push_back(i);
        }
    }
    return slots;
}

constexpr WORD kAll = 0xFFFF;

// The main window's video area: 815 x 548 with gap 1. Grid lines: x 407 (half), 271 and 542
// (thirds), 203, 406 and 609 (quarters); y 274, 182 and 364, 137, 274 and 411.
TEST(VideoLayoutGeometry, TilesLieOnTheGridLinesOfTheirLayout) {
    CVideoLayout layout;
    layout.SetGeometry(815, 548, 1);
    struct Case {
        int layout;
        int slot;
        RECT rect;
    };
    const Case cases[] = {
        {0, 0, {2, 2, 813, 546}},
        // The four-tile layout splits at the exact half...
        {1, 0, {2, 2, 406, 273}},
        {1, 1, {408, 2, 813, 273}},
        {1, 3, {408, 275, 813, 546}},
        // ...the others at the middle quarter line, one pixel further left for this width.
        {3, 0, {2, 2, 405, 273}},
        {3, 1, {407, 2, 813, 273}},
        {3, 3, {407, 275, 608, 410}},
        {3, 6, {610, 412, 813, 546}},
        {4, 4, {204, 275, 608, 546}},
        {2, 0, {2, 2, 541, 363}},
        {2, 1, {543, 2, 813, 181}},
        {2, 5, {543, 365, 813, 546}},
        {5, 0, {2, 2, 608, 410}},
        {5, 3, {610, 275, 813, 410}},
        {6, 4, {272, 183, 541, 363}},
        {7, 9, {610, 412, 813, 546}},
        {8, 9, {407, 275, 813, 546}},
        {9, 4, {2, 138, 405, 410}},
        {10, 7, {204, 275, 608, 546}},
        {11, 0, {2, 2, 405, 273}},
        {12, 4, {2, 138, 405, 410}},
        {13, 6, {204, 138, 608, 410}},
        {14, 5, {204, 138, 405, 273}},
        {14, 15, {610, 412, 813, 546}},
    };
    for (const Case& c : cases) {
        const RECT r = layout.GetSlotRect(c.layout, c.slot);
        EXPECT_TRUE(Same(r, c.rect)) << "layout " << c.layout << " slot " << c.slot << ": " << Str(r);
    }
}

TEST(VideoLayoutGeometry, EveryLayoutTilesTheAreaWithoutOverlap) {
    for (const auto& [w, h] : {std::pair{815, 548}, std::pair{1920, 1080}}) {
        CVideoLayout layout;
        layout.SetGeometry(w, h, 1);
        for (int l = 0; l < CVideoLayout::kLayouts; ++l) {
            const int n = CVideoLayout::TileCount(l);
            long area = 0;
            for (int i = 0; i < n; ++i) {
                const RECT a = layout.GetSlotRect(l, i);
                ASSERT_GE(a.left, 2);
                ASSERT_GE(a.top, 2);
                ASSERT_LE(a.right, w - 2);
                ASSERT_LE(a.bottom, h - 2);
                ASSERT_LT(a.left, a.right);
                ASSERT_LT(a.top, a.bottom);
                area += long(a.right - a.left) * (a.bottom - a.top);
                for (int j = i + 1; j < n; ++j) {
                    const RECT b = layout.GetSlotRect(l, j);
                    const bool apart = a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top;
                    EXPECT_TRUE(apart) << w << "x" << h << " layout " << l << " tiles " << i << " and " << j;
                }
            }
            // Only the gaps are left over.
            EXPECT_GT(double(area), 0.97 * double(w - 4) * double(h - 4)) << "layout " << l;
        }
    }
}

TEST(VideoLayoutGeometry, SlotsBeyondTheTilesReuseThem) {
    CVideoLayout layout;
    layout.SetGeometry(815, 548, 1);
    // Slot i lies on tile i mod n...
    EXPECT_TRUE(Same(layout.GetSlotRect(7, 13), layout.GetSlotRect(7, 3)));
    EXPECT_TRUE(Same(layout.GetSlotRect(2, 12), layout.GetSlotRect(2, 0)));
    EXPECT_TRUE(Same(layout.GetSlotRect(1, 15), layout.GetSlotRect(1, 3)));
    // ...except in the nine-tile layout: slots 9-15 on tiles 2-8, 7 and 8 on tiles 7 and 8 of page 0.
    EXPECT_TRUE(Same(layout.GetSlotRect(6, 9), layout.GetSlotRect(6, 2)));
    EXPECT_TRUE(Same(layout.GetSlotRect(6, 15), RECT{543, 365, 813, 546}));
    EXPECT_TRUE(Same(layout.GetSlotRect(6, 7), RECT{272, 365, 541, 546}));
    EXPECT_TRUE(Same(layout.GetSlotRect(0, 16), RECT{}));
}

TEST(VideoLayoutPages, PageCountsFollowTheChannelCount) {
    struct Case {
        DWORD count;
        DWORD pages[15];
    };
    const Case cases[] = {
        {4, {4, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},  {0, {4, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {5, {8, 2, 2, 2, 2, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0}},  {8, {8, 2, 2, 2, 2, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0}},
        {9, {16, 4, 3, 3, 3, 2, 2, 2, 2, 2, 2, 2, 2, 2, 1}}, {16, {16, 4, 3, 3, 3, 2, 2, 2, 2, 2, 2, 2, 2, 2, 1}},
    };
    for (const Case& c : cases) {
        CVideoLayout layout;
        layout.SetChannelCount(c.count);
        for (int l = 0; l < 15; ++l) {
            EXPECT_EQ(layout.GetPageCount(l), c.pages[l]) << c.count << " channels, layout " << l;
        }
    }
    // A count above 16 leaves the table as it was.
    CVideoLayout layout;
    layout.SetChannelCount(8);
    layout.SetChannelCount(17);
    EXPECT_EQ(layout.GetPageCount(0), 8u);
    EXPECT_EQ(layout.GetChannelCount(), 8u);
}

TEST(VideoLayoutPages, TheSameLayoutAgainPagesOnUnlessSingleView) {
    CVideoLayout layout;
    layout.SetSingleView(false);
    std::vector<int> pages;
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(layout.SetLayout(1, kAll));
        pages.push_back(layout.GetPage());
    }
    EXPECT_EQ(pages, (std::vector<int>{0, 1, 2, 3, 0}));
    EXPECT_EQ(Slots(layout.GetVisibleSlots()), (std::vector<int>{0, 1, 2, 3}));

    layout.SetLayout(1, kAll);
    EXPECT_EQ(layout.GetPage(), 1);
    layout.SetSingleView(true);
    layout.SetLayout(1, kAll);
    EXPECT_EQ(layout.GetPage(), 1);
    EXPECT_EQ(Slots(layout.GetVisibleSlots()), (std::vector<int>{4, 5, 6, 7}));
}

TEST(VideoLayoutPages, PagesWithoutAnAvailableChannelAreSkipped) {
    CVideoLayout layout;
    layout.SetSingleView(false);
    // Only channels 9 and 10 have cameras: the four-tile layout goes straight to page 2.
    EXPECT_TRUE(layout.SetLayout(1, 0x0600));
    EXPECT_EQ(layout.GetPage(), 2);
    // Paging on wraps past pages 3, 0 and 1, which show nothing, back to page 2.
    EXPECT_TRUE(layout.SetLayout(1, 0x0600));
    EXPECT_EQ(layout.GetPage(), 2);

    // Without any channel the layout and page still change, and the answer is false.
    EXPECT_FALSE(layout.SetLayout(14, 0));
    EXPECT_EQ(layout.GetLayout(), 14);
    EXPECT_EQ(layout.GetPage(), 0);
    EXPECT_FALSE(layout.SetLayout(1, 0));
    EXPECT_EQ(layout.GetLayout(), 1);
}

TEST(VideoLayoutPages, ChannelsThatNoPageShowsFallBackToPageZero) {
    CVideoLayout layout;
    layout.SetChannelCount(8); // the six-tile layout stops its pages before slot 8
    EXPECT_TRUE(layout.SetLayout(2, 0x0100));
    EXPECT_EQ(layout.GetPage(), 0);
}

TEST(VideoLayoutPages, NineTileLayoutPageOneShowsSlotsSevenToFifteen) {
    CVideoLayout layout;
    layout.SetGeometry(815, 548, 1);
    layout.SetSingleView(false);
    layout.SetLayout(6, kAll);
    const RECT tile0 = layout.GetSlotRect(6, 0);
    const RECT tile1 = layout.GetSlotRect(6, 1);
    const RECT tile7 = layout.GetSlotRect(6, 7);
    layout.SetLayout(6, kAll);
    EXPECT_EQ(layout.GetPage(), 1);
    EXPECT_EQ(Slots(layout.GetVisibleSlots()), (std::vector<int>{7, 8, 9, 10, 11, 12, 13, 14, 15}));
    EXPECT_TRUE(Same(layout.GetSlotRect(7), tile0));
    EXPECT_TRUE(Same(layout.GetSlotRect(8), tile1));
    const CVideoLayout::PaintPlan plan = layout.GetPaintPlan();
    ASSERT_EQ(plan.count, 9);
    for (int i = 0; i < plan.count; ++i) {
        EXPECT_EQ(plan.entries[i].slot, 7 + i);
        EXPECT_FALSE(plan.entries[i].filler);
    }
    layout.SetLayout(6, kAll);
    EXPECT_EQ(layout.GetPage(), 0);
    EXPECT_TRUE(Same(layout.GetSlotRect(7), tile7));
}

TEST(VideoLayoutPages, SixTileLayoutLastPageFillsTheRest) {
    CVideoLayout layout;
    layout.SetGeometry(815, 548, 1);
    layout.SetSingleView(false);
    for (int i = 0; i < 3; ++i) {
        layout.SetLayout(2, kAll);
    }
    EXPECT_EQ(layout.GetPage(), 2);
    EXPECT_EQ(Slots(layout.GetVisibleSlots()), (std::vector<int>{12, 13, 14, 15}));
    for (int slot = 12; slot < 16; ++slot) {
        EXPECT_TRUE(Same(layout.GetSlotRect(slot), layout.GetSlotRect(2, slot - 12))) << slot;
    }
    const CVideoLayout::PaintPlan plan = layout.GetPaintPlan();
    ASSERT_EQ(plan.count, 6);
    const int slots[] = {12, 13, 14, 15, 4, 5};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(plan.entries[i].slot, slots[i]);
        EXPECT_EQ(plan.entries[i].filler, i >= 4);
    }
}

TEST(VideoLayoutPages, PageWrapNeverRunsPastTheSlots) {
    // Four channels: the six-tile layout has no pages at all; paging on stays on page 0.
    CVideoLayout layout;
    layout.SetChannelCount(4);
    layout.SetSingleView(false);
    for (int i = 0; i < 3; ++i) {
        layout.SetLayout(2, 0x000F);
        EXPECT_EQ(layout.GetPage(), 0);
    }
    // One channel alone left the page at its slot, beyond the four pages of the one-tile layout:
    // paging on wraps to page 0 instead of growing.
    layout.SwapTiles(2, 10);
    ASSERT_TRUE(layout.ShowSingleChannel(2, 0x000F));
    EXPECT_EQ(layout.GetPage(), 10);
    layout.SetSingleView(false);
    layout.SetLayout(0, 0x000F);
    EXPECT_EQ(layout.GetPage(), 0);
    EXPECT_EQ(layout.GetVisibleSlots(), 0x0001);
}

TEST(VideoLayoutSingle, ShowsOneAvailableChannelAlone) {
    CVideoLayout layout;
    layout.SwapTiles(3, 9);
    EXPECT_FALSE(layout.ShowSingleChannel(5, 0x0008)); // not available
    EXPECT_EQ(layout.GetLayout(), 14);
    EXPECT_FALSE(layout.ShowSingleChannel(16, kAll));
    layout.SetArrangeLayout(7);
    ASSERT_TRUE(layout.ShowSingleChannel(3, 0x0008));
    EXPECT_EQ(layout.GetLayout(), 0);
    EXPECT_EQ(layout.GetPage(), 9); // the slot the channel sits in
    EXPECT_EQ(layout.GetVisibleSlots(), 1u << 9);
    EXPECT_EQ(layout.GetVisibleChannelMask(), 0x0008);
    EXPECT_EQ(layout.GetArrangeLayout(), 0);
    EXPECT_TRUE(layout.GetSingleView());
}

TEST(VideoLayoutSingle, SavedViewComesBack) {
    CVideoLayout layout;
    layout.SetSingleView(false);
    layout.SetLayout(1, kAll);
    layout.SetLayout(1, kAll);
    layout.SaveView();
    layout.ShowSingleChannel(6, kAll);
    ASSERT_TRUE(layout.RestoreSavedView());
    EXPECT_EQ(layout.GetLayout(), 1);
    EXPECT_EQ(layout.GetPage(), 1);
    EXPECT_EQ(layout.GetArrangeLayout(), 1);
    EXPECT_EQ(Slots(layout.GetVisibleSlots()), (std::vector<int>{4, 5, 6, 7}));
    EXPECT_FALSE(layout.GetSavedView().saved);
    EXPECT_FALSE(layout.RestoreSavedView());
}

TEST(VideoLayoutTiles, VisibleMaskFollowsTheChannelsNotTheSlots) {
    CVideoLayout layout;
    layout.SetSingleView(false);
    layout.SetLayout(6, kAll);
    layout.SetLayout(6, kAll); // page 1: slots 7-15
    // Drag slot 7 (channel 7) onto slot 15 (channel 15).
    ASSERT_TRUE(layout.SwapTiles(7, 15));
    EXPECT_EQ(layout.GetTileChannel(7), 15);
    EXPECT_EQ(layout.FindTile(7), 15);
    EXPECT_EQ(layout.GetVisibleChannelMask(), 0xFF80);
    layout.SetLayout(6, kAll); // page 0: slots 0-8 now show channels 0-6, 15 and 8
    EXPECT_EQ(layout.GetVisibleChannelMask(), 0x81FF & ~0x0080);
    layout.ResetTileMap();
    EXPECT_EQ(layout.GetVisibleChannelMask(), 0x01FF);
    EXPECT_FALSE(layout.SwapTiles(-1, 3));
    EXPECT_FALSE(layout.SwapTiles(3, 16));
}

TEST(VideoLayoutTiles, HitSlotFindsOnlyVisibleAvailableTiles) {
    CVideoLayout layout;
    layout.SetGeometry(815, 548, 1);
    // Sixteen tiles: the point (300, 200) lies in slot 5.
    EXPECT_EQ(layout.HitSlot(POINT{300, 200}, kAll), 5);
    EXPECT_EQ(layout.HitSlot(POINT{300, 200}, WORD(kAll & ~(1u << 5))), -1);
    // On a gap between tiles, or outside the window.
    EXPECT_EQ(layout.HitSlot(POINT{1, 1}, kAll), -1);
    EXPECT_EQ(layout.HitSlot(POINT{406, 200}, kAll), -1);
    EXPECT_EQ(layout.HitSlot(POINT{900, 200}, kAll), -1);
    layout.SwapTiles(5, 0);
    EXPECT_EQ(layout.HitSlot(POINT{300, 200}, 0x0001), 5); // slot 5 now shows channel 0
}

TEST(VideoLayoutTiles, SplitButtonsAndTileCounts) {
    EXPECT_EQ(CVideoLayout::LayoutOfTileCount(4), 1);
    EXPECT_EQ(CVideoLayout::LayoutOfTileCount(9), 6);
    EXPECT_EQ(CVideoLayout::LayoutOfTileCount(16), 14);
    EXPECT_EQ(CVideoLayout::LayoutOfTileCount(13), 13);
    EXPECT_EQ(CVideoLayout::LayoutOfTileCount(5), -1);
    EXPECT_EQ(CVideoLayout::ButtonOfLayout(13), 7);
    EXPECT_EQ(CVideoLayout::ButtonOfLayout(4), -1);
}

} // namespace
