#pragma once
// The video window's tiles as plain state: the rectangles of the 15 layouts, the slot-to-channel
// map, paging through the channels, the visible slots and the view a double click saved. Nothing
// here touches a window or a lock; the video window wraps it, takes the channel locks around every
// change and adds the effects on the screen and the recorder.
//
// Slot i of a layout with n tiles lies on tile i mod n, except in the nine-tile layout, where slots
// 9-15 lie on tiles 2-8 and slots 7 and 8 on tiles 7 and 8 of page 0 but on tiles 0 and 1 of every
// other page (their rectangles are copied in place when the page changes).

#include "platform/base/WinTypes.h"

#include <array>

class CVideoLayout {
public:
    static constexpr int kLayouts = 15;
    static constexpr int kSlots = 16;
    static constexpr int kChannels = 16;
    static constexpr int kStartLayout = 14;
    // The layouts that the nine split buttons (and the nine arrange-bar buttons) select, in order.
    static constexpr std::array<int, 9> kButtonLayouts = {0, 1, 2, 3, 5, 6, 7, 13, 14};

    CVideoLayout();

    // Tiles per layout.
    static int TileCount(int layout);
    // The split button (0-8) that selects a layout, -1 for the layouts no button selects.
    static int ButtonOfLayout(int layout);
    // The layout selected by the split layout of that many tiles (1, 4, 6, 7, 8, 9, 10, 13, 16), -1
    // for any other count.
    static int LayoutOfTileCount(int tiles);

    // ---- geometry
    // Builds every layout's rectangles for a client area of width x height with the gap g (tiles
    // lie 2g from the outer border and g from the grid lines), for the current page.
    void SetGeometry(int width, int height, int gap);
    const RECT& GetSlotRect(int layout, int slot) const;
    // The slot's rectangle in the current layout; empty for a slot outside 0-15.
    RECT GetSlotRect(int slot) const;

    // ---- channels and pages
    // Fills the page counts for a recorder with `count` channels; above 16 the table stays as it was.
    void SetChannelCount(DWORD count);
    DWORD GetChannelCount() const { return m_channelCount; }
    DWORD GetPageCount(int layout) const;

    int GetLayout() const { return m_layout; }
    int GetPage() const { return m_page; }
    WORD GetVisibleSlots() const { return m_visible; }
    bool IsSlotVisible(int slot) const { return slot >= 0 && slot < kSlots && (m_visible & (1u << slot)) != 0; }

    int GetTileChannel(int slot) const;
    // The first slot showing the channel, -1 when none does.
    int FindTile(int channel) const;
    // Bit ch set when the slot FindTile gives for channel ch is visible.
    WORD GetVisibleChannelMask() const;

    // Recomputes the visible slots of the current layout and page, and places slots 7 and 8 of the
    // nine-tile layout for the page.
    void UpdateVisibleSlots();

    // Selecting a layout: another layout starts at page 0; the same one again pages on unless single
    // view is set (the page wraps at the layout's page count; a count of 0 wraps at once). Then the
    // pages are searched for one that shows an available channel: false when no channel is
    // available at all (layout and page stay changed); when no page of the layout shows one after 17
    // tries, page 0 is taken.
    bool SetLayout(int layout, WORD available);
    // The channel alone in the one-tile layout (page = its slot); false, with nothing changed, when
    // the channel is not available or not shown in any slot.
    bool ShowSingleChannel(int channel, WORD available);

    bool GetSingleView() const { return m_singleView; }
    void SetSingleView(bool single) { m_singleView = single; }
    int GetArrangeLayout() const { return m_arrangeLayout; }
    void SetArrangeLayout(int layout) { m_arrangeLayout = layout; }

    // The view a double click replaced.
    struct SavedView {
        bool saved = false;
        int layout = 0;
        int page = 0;
    };
    const SavedView& GetSavedView() const { return m_savedView; }
    void SaveView();
    void ClearSavedView() { m_savedView.saved = false; }
    // Takes back the saved view (layout, page and arrange layout) and forgets it; false when none.
    bool RestoreSavedView();

    // ---- tile map
    void ResetTileMap();
    // False when either slot is outside 0-15.
    bool SwapTiles(int a, int b);

    // The first visible slot whose channel is available and whose rectangle holds the point; -1.
    int HitSlot(POINT point, WORD available) const;

    // What the paint draws for the current page, in order: slots showing their channel and, where a
    // page leaves tiles over, slots painted with the blank picture.
    struct PaintEntry {
        int slot = 0;
        bool filler = false;
    };
    struct PaintPlan {
        std::array<PaintEntry, kSlots> entries{};
        int count = 0;
    };
    PaintPlan GetPaintPlan() const;

private:
    void PlaceNineTileSlots();
    // The next page of the current layout, wrapping at its page count.
    void NextPage();
    bool ShowsAvailable(WORD available) const;

    std::array<std::array<RECT, kSlots>, kLayouts> m_rects{};
    std::array<DWORD, kLayouts> m_pages{};
    DWORD m_channelCount = kChannels;
    int m_layout = kStartLayout;
    int m_page = 0;
    WORD m_visible = 0xFFFF;
    std::array<int, kSlots> m_tileMap{};
    bool m_singleView = true;
    int m_arrangeLayout = kStartLayout;
    SavedView m_savedView;
};
