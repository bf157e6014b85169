#include "media/VideoLayout.h"

#include <algorithm>
#include <span>

namespace {

// A tile in twelfths of the client area: 0 and 12 are the outer border, 4 and 8 the third lines,
// 3 and 9 the quarter lines and 6 the half line.
struct Tile {
    BYTE x0, y0, x1, y1;
};

constexpr Tile kL0[] = {{0, 0, 12, 12}};
constexpr Tile kL1[] = {{0, 0, 6, 6}, {6, 0, 12, 6}, {0, 6, 6, 12}, {6, 6, 12, 12}};
constexpr Tile kL2[] = {{0, 0, 8, 8}, {8, 0, 12, 4}, {8, 4, 12, 8}, {0, 8, 4, 12}, {4, 8, 8, 12}, {8, 8, 12, 12}};
constexpr Tile kL3[] = {{0, 0, 6, 6},  {6, 0, 12, 6}, {0, 6, 6, 12}, {6, 6, 9, 9},
                        {9, 6, 12, 9}, {6, 9, 9, 12}, {9, 9, 12, 12}};
constexpr Tile kL4[] = {{0, 0, 6, 6},  {6, 0, 12, 6}, {0, 6, 3, 9},  {0, 9, 3, 12},
                        {3, 6, 9, 12}, {9, 6, 12, 9}, {9, 9, 12, 12}};
constexpr Tile kL5[] = {{0, 0, 9, 9},  {9, 0, 12, 3}, {9, 3, 12, 6}, {9, 6, 12, 9},
                        {0, 9, 3, 12}, {3, 9, 6, 12}, {6, 9, 9, 12}, {9, 9, 12, 12}};
constexpr Tile kL6[] = {{0, 0, 4, 4},  {4, 0, 8, 4},  {8, 0, 12, 4}, {0, 4, 4, 8},  {4, 4, 8, 8},
                        {8, 4, 12, 8}, {0, 8, 4, 12}, {4, 8, 8, 12}, {8, 8, 12, 12}};
constexpr Tile kL7[] = {{0, 0, 6, 6},  {6, 0, 12, 6}, {0, 6, 3, 9},  {3, 6, 6, 9},  {6, 6, 9, 9},
                        {9, 6, 12, 9}, {0, 9, 3, 12}, {3, 9, 6, 12}, {6, 9, 9, 12}, {9, 9, 12, 12}};
constexpr Tile kL8[] = {{0, 0, 6, 6}, {6, 0, 9, 3}, {9, 0, 12, 3}, {6, 3, 9, 6},  {9, 3, 12, 6},
                        {0, 6, 3, 9}, {3, 6, 6, 9}, {0, 9, 3, 12}, {3, 9, 6, 12}, {6, 6, 12, 12}};
constexpr Tile kL9[] = {{0, 0, 3, 3},  {3, 0, 6, 3},  {6, 0, 9, 3},  {9, 0, 12, 3}, {0, 3, 6, 9},
                        {6, 3, 12, 9}, {0, 9, 3, 12}, {3, 9, 6, 12}, {6, 9, 9, 12}, {9, 9, 12, 12}};
constexpr Tile kL10[] = {{0, 0, 3, 3}, {3, 0, 6, 3},  {0, 3, 3, 6},  {3, 3, 6, 6},  {6, 0, 12, 6},
                         {0, 6, 3, 9}, {0, 9, 3, 12}, {3, 6, 9, 12}, {9, 6, 12, 9}, {9, 9, 12, 12}};
constexpr Tile kL11[] = {{0, 0, 6, 6},  {6, 0, 9, 3},  {9, 0, 12, 3}, {6, 3, 9, 6},  {9, 3, 12, 6},
                         {0, 6, 3, 9},  {3, 6, 6, 9},  {6, 6, 9, 9},  {9, 6, 12, 9}, {0, 9, 3, 12},
                         {3, 9, 6, 12}, {6, 9, 9, 12}, {9, 9, 12, 12}};
constexpr Tile kL12[] = {{0, 0, 3, 3},  {3, 0, 6, 3},  {6, 0, 9, 3},  {9, 0, 12, 3}, {0, 3, 6, 9},
                         {6, 3, 9, 6},  {9, 3, 12, 6}, {6, 6, 9, 9},  {9, 6, 12, 9}, {0, 9, 3, 12},
                         {3, 9, 6, 12}, {6, 9, 9, 12}, {9, 9, 12, 12}};
constexpr Tile kL13[] = {{0, 0, 3, 3},  {3, 0, 6, 3},  {6, 0, 9, 3},  {9, 0, 12, 3}, {0, 3, 3, 6},
                         {0, 6, 3, 9},  {3, 3, 9, 9},  {9, 3, 12, 6}, {9, 6, 12, 9}, {0, 9, 3, 12},
                         {3, 9, 6, 12}, {6, 9, 9, 12}, {9, 9, 12, 12}};
constexpr Tile kL14[] = {{0, 0, 3, 3},  {3, 0, 6, 3},  {6, 0, 9, 3},  {9, 0, 12, 3}, {0, 3, 3, 6}, {3, 3, 6, 6},
                         {6, 3, 9, 6},  {9, 3, 12, 6}, {0, 6, 3, 9},  {3, 6, 6, 9},  {6, 6, 9, 9}, {9, 6, 12, 9},
                         {0, 9, 3, 12}, {3, 9, 6, 12}, {6, 9, 9, 12}, {9, 9, 12, 12}};

constexpr std::span<const Tile> kTiles[CVideoLayout::kLayouts] = {kL0, kL1, kL2,  kL3,  kL4,  kL5,  kL6, kL7,
                                                                  kL8, kL9, kL10, kL11, kL12, kL13, kL14};

// The position of grid line v (in twelfths) across a client extent; the half line of the four-tile
// layout is extent / 2, everywhere else it is the middle quarter line.
int Line(int v, int extent, bool exactHalf) {
    switch (v) {
    case 3:
        return extent >> 2;
    case 4:
        return extent / 3;
    case 6:
        return exactHalf ? extent >> 1 : 2 * (extent >> 2);
    case 8:
        return 2 * (extent / 3);
    case 9:
        return 3 * (extent >> 2);
    default:
        return v == 0 ? 0 : extent;
    }
}

// A tile begins 2g after the border or g after an inner line, and ends 2g before the border or g
// before an inner line.
int Begin(int v, int extent, int gap, bool exactHalf) {
    return v == 0 ? 2 * gap : Line(v, extent, exactHalf) + gap;
}
int End(int v, int extent, int gap, bool exactHalf) {
    return v == 12 ? extent - 2 * gap : Line(v, extent, exactHalf) - gap;
}

constexpr int kNineTile = 6;

} // namespace

CVideoLayout::CVideoLayout() {
    ResetTileMap();
    SetChannelCount(kChannels);
}

int CVideoLayout::TileCount(int layout) {
    return layout >= 0 && layout < kLayouts ? int(kTiles[layout].size()) : 0;
}

int CVideoLayout::ButtonOfLayout(int layout) {
    for (std::size_t i = 0; i < kButtonLayouts.size(); ++i) {
        if (kButtonLayouts[i] == layout) {
            return int(i);
        }
    }
    return -1;
}

int CVideoLayout::LayoutOfTileCount(int tiles) {
    for (int layout : kButtonLayouts) {
        if (TileCount(layout) == tiles) {
            return layout;
        }
    }
    return -1;
}

void CVideoLayout::SetGeometry(int width, int height, int gap) {
    for (int layout = 0; layout < kLayouts; ++layout) {
        const std::span<const Tile> tiles = kTiles[layout];
        const bool exactHalf = layout == 1;
        const int n = int(tiles.size());
        for (int slot = 0; slot < kSlots; ++slot) {
            int tile = slot % n;
            if (layout == kNineTile && slot >= 9) {
                tile = slot - 7;
            }
            const Tile& t = tiles[std::size_t(tile)];
            RECT& r = m_rects[std::size_t(layout)][std::size_t(slot)];
            r.left = Begin(t.x0, width, gap, exactHalf);
            r.top = Begin(t.y0, height, gap, exactHalf);
            r.right = End(t.x1, width, gap, exactHalf);
            r.bottom = End(t.y1, height, gap, exactHalf);
        }
    }
    PlaceNineTileSlots();
}

void CVideoLayout::PlaceNineTileSlots() {
    auto& r = m_rects[kNineTile];
    if (m_page != 0) {
        r[7] = r[0];
        r[8] = r[1];
    } else {
        r[7] = r[14];
        r[8] = r[15];
    }
}

const RECT& CVideoLayout::GetSlotRect(int layout, int slot) const {
    static const RECT kEmpty{};
    if (layout < 0 || layout >= kLayouts || slot < 0 || slot >= kSlots) {
        return kEmpty;
    }
    return m_rects[std::size_t(layout)][std::size_t(slot)];
}

RECT CVideoLayout::GetSlotRect(int slot) const {
    return GetSlotRect(m_layout, slot);
}

void CVideoLayout::SetChannelCount(DWORD count) {
    if (count > 16) {
        return;
    }
    m_channelCount = count;
    // Pages of layouts 0, 1, 2-4, 5, 6, 7-13 and 14 for fewer than 5, 5 to 8 and 9 to 16 channels.
    static constexpr DWORD kTable[3][7] = {{4, 1, 0, 0, 0, 0, 0}, {8, 2, 2, 1, 1, 0, 0}, {16, 4, 3, 2, 2, 2, 1}};
    const DWORD* row = kTable[count < 5 ? 0 : (count <= 8 ? 1 : 2)];
    for (int layout = 0; layout < kLayouts; ++layout) {
        int column = 0;
        if (layout == 0 || layout == 1) {
            column = layout;
        } else if (layout <= 4) {
            column = 2;
        } else if (layout <= 6) {
            column = layout - 2;
        } else if (layout <= 13) {
            column = 5;
        } else {
            column = 6;
        }
        m_pages[std::size_t(layout)] = row[column];
    }
}

DWORD CVideoLayout::GetPageCount(int layout) const {
    return layout >= 0 && layout < kLayouts ? m_pages[std::size_t(layout)] : 0;
}

int CVideoLayout::GetTileChannel(int slot) const {
    return slot >= 0 && slot < kSlots ? m_tileMap[std::size_t(slot)] : -1;
}

int CVideoLayout::FindTile(int channel) const {
    for (int slot = 0; slot < kSlots; ++slot) {
        if (m_tileMap[std::size_t(slot)] == channel) {
            return slot;
        }
    }
    return -1;
}

WORD CVideoLayout::GetVisibleChannelMask() const {
    WORD mask = 0;
    for (int ch = 0; ch < kChannels; ++ch) {
        if (IsSlotVisible(FindTile(ch))) {
            mask = WORD(mask | (1u << ch));
        }
    }
    return mask;
}

void CVideoLayout::UpdateVisibleSlots() {
    const int p = m_page;
    const int n = int(std::min<DWORD>(m_channelCount, kSlots));
    // Slots first..first+count-1, none at or above `limit` (and never one past the 16th).
    auto range = [](long first, long count, long limit) {
        WORD mask = 0;
        for (long slot = first; slot < first + count && slot < limit && slot < kSlots; ++slot) {
            if (slot >= 0) {
                mask = WORD(mask | (1u << slot));
            }
        }
        return mask;
    };
    switch (m_layout) {
    case 0:
        m_visible = range(p, 1, kSlots);
        break;
    case 1:
        m_visible = range(4L * p, 4, kSlots);
        break;
    case 2:
        m_visible = range(6L * p, 6, n);
        break;
    case 3:
    case 4:
        m_visible = range(7L * p, 7, n);
        break;
    case 5:
        m_visible = range(8L * p, 8, kSlots);
        break;
    case kNineTile:
        m_visible = p == 0 ? range(0, 9, kSlots) : range(7, 9, kSlots);
        break;
    case 7:
    case 8:
    case 9:
    case 10:
        m_visible = range(10L * p, 10, n);
        break;
    case 11:
    case 12:
    case 13:
        m_visible = range(13L * p, 13, n);
        break;
    default:
        m_visible = 0xFFFF;
        break;
    }
    PlaceNineTileSlots();
}

void CVideoLayout::NextPage() {
    const DWORD count = std::max<DWORD>(GetPageCount(m_layout), 1);
    m_page = DWORD(m_page) + 1 >= count ? 0 : m_page + 1;
}

bool CVideoLayout::ShowsAvailable(WORD available) const {
    return (GetVisibleChannelMask() & available) != 0;
}

bool CVideoLayout::SetLayout(int layout, WORD available) {
    if (layout < 0 || layout >= kLayouts) {
        return false;
    }
    if (layout != m_layout) {
        m_layout = layout;
        m_page = 0;
    } else if (!m_singleView) {
        NextPage();
    }
    UpdateVisibleSlots();
    if (available == 0) {
        return false;
    }
    if (ShowsAvailable(available)) {
        return true;
    }
    for (int attempt = 0; attempt < 17; ++attempt) {
        NextPage();
        UpdateVisibleSlots();
        if (ShowsAvailable(available)) {
            return true;
        }
    }
    m_page = 0;
    UpdateVisibleSlots();
    return true;
}

bool CVideoLayout::ShowSingleChannel(int channel, WORD available) {
    const int slot = FindTile(channel);
    if (slot < 0 || channel < 0 || channel >= kChannels || (available & (1u << channel)) == 0) {
        return false;
    }
    m_layout = 0;
    m_page = slot;
    m_visible = WORD(1u << slot);
    m_arrangeLayout = 0;
    m_singleView = true;
    return true;
}

void CVideoLayout::SaveView() {
    m_savedView.saved = true;
    m_savedView.layout = m_layout;
    m_savedView.page = m_page;
}

bool CVideoLayout::RestoreSavedView() {
    if (!m_savedView.saved) {
        return false;
    }
    m_layout = m_savedView.layout;
    m_page = m_savedView.page;
    m_arrangeLayout = m_savedView.layout;
    m_savedView.saved = false;
    UpdateVisibleSlots();
    return true;
}

void CVideoLayout::ResetTileMap() {
    for (int slot = 0; slot < kSlots; ++slot) {
        m_tileMap[std::size_t(slot)] = slot;
    }
}

bool CVideoLayout::SwapTiles(int a, int b) {
    if (a < 0 || a >= kSlots || b < 0 || b >= kSlots) {
        return false;
    }
    std::swap(m_tileMap[std::size_t(a)], m_tileMap[std::size_t(b)]);
    return true;
}

int CVideoLayout::HitSlot(POINT point, WORD available) const {
    for (int slot = 0; slot < kSlots; ++slot) {
        const int ch = m_tileMap[std::size_t(slot)];
        if (!IsSlotVisible(slot) || ch < 0 || ch >= kChannels || (available & (1u << ch)) == 0) {
            continue;
        }
        const RECT& r = GetSlotRect(m_layout, slot);
        if (point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom) {
            return slot;
        }
    }
    return -1;
}

CVideoLayout::PaintPlan CVideoLayout::GetPaintPlan() const {
    PaintPlan plan;
    auto add = [&plan](int slot, bool filler) {
        if (slot >= 0 && slot < kSlots && plan.count < kSlots) {
            plan.entries[std::size_t(plan.count++)] = PaintEntry{slot, filler};
        }
    };
    if (m_layout == kNineTile) {
        // Page 1 and later fill all nine tiles with slots 7-15, so nothing is left for a filler.
        const int first = m_page == 0 ? 0 : 7;
        for (int slot = first; slot < first + 9; ++slot) {
            add(slot, false);
        }
        return plan;
    }
    const int n = TileCount(m_layout);
    const long first = long(n) * m_page;
    int painted = 0;
    for (long slot = first; slot < first + n && slot < kSlots; ++slot, ++painted) {
        add(int(slot), false);
    }
    // A last page with fewer slots than tiles fills the remaining tiles with the blank picture.
    if (painted > 0 && painted < n) {
        for (int slot = painted; slot < n; ++slot) {
            add(slot, true);
        }
    }
    return plan;
}
