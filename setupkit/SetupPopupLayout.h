#pragma once
// Geometry of the list and slider popups: the nine-piece frame, the row pieces, the item labels and
// where the popup opens. Pure arithmetic, shared by both popups and their tests.

#include "platform/base/WinTypes.h"
#include "res/BitmapIds.h"

#include <array>

constexpr int kPopupRowHeight = 21;
constexpr int kPopupBorder = 5;

struct PopupPiece {
    UINT bitmap;
    RECT rect;
    bool stretch; // corners are copied as they are, edges and the centre stretched
};

// The three pieces of one row: left cap, middle, right cap (IDB_POPUP_ROW_LEFT_CAP and the two after it).
struct PopupRowPieces {
    RECT left;
    RECT middle;
    RECT right;
};

// The frame around a body `rowsHeight` high, the popup being width x (rowsHeight + 10). The list and
// slider popups of the setup frames and the pickers of the search frames draw the same frame.
inline std::array<PopupPiece, 9> PopupFramePieces(int width, int rowsHeight) {
    const int w = width;
    const int h = rowsHeight;
    return {{
        {IDB_POPUP_FRAME_TOP_LEFT_CORNER, RECT{0, 0, 5, 5}, false},
        {IDB_POPUP_FRAME_TOP_EDGE, RECT{5, 0, w - 5, 5}, true},
        {IDB_POPUP_FRAME_TOP_RIGHT_CORNER, RECT{w - 5, 0, w, 5}, false},
        {IDB_POPUP_FRAME_LEFT_EDGE, RECT{0, 5, 5, h + 5}, true},
        {IDB_POPUP_FRAME_CENTRE, RECT{5, 5, w - 5, h + 5}, true},
        {IDB_POPUP_FRAME_RIGHT_EDGE, RECT{w - 5, 5, w, h + 5}, true},
        {IDB_POPUP_FRAME_BOTTOM_LEFT_CORNER, RECT{0, h + 5, 5, h + 10}, false},
        {IDB_POPUP_FRAME_BOTTOM_EDGE, RECT{5, h + 5, w - 5, h + 10}, true},
        {IDB_POPUP_FRAME_BOTTOM_RIGHT_CORNER, RECT{w - 5, h + 5, w, h + 10}, false},
    }};
}

// The body height of a list: 21 per row, four items a row in the four-column layout. A count outside
// 1..31 (one column) or 1..100 (four columns) has no rows.
int ListRowsHeight(int count, bool fourColumns);
// Whether a list opens in four columns: when asked to, or when one column cannot hold it.
bool ListOpensInFourColumns(int count, int layout);
// The popup's width: the requested one, or for a one-column request that opens in four columns, four
// such columns side by side.
int ListPopupWidth(int count, int layout, int requestedWidth);
PopupRowPieces ListRowPieces(int item, int width, bool fourColumns);
RECT ListItemLabelRect(int item, int width, bool fourColumns);

// The popup's top-left corner on the screen: centred on the click point, just below it.
POINT PopupOrigin(const RECT& anchor, int clickX, int clickY, int width);

// Slider popup rows. Mode 1 (clock) has a name segment and a slider segment per row; mode 0 one
// segment as a list row.
PopupRowPieces SliderNameSegment(int row);
PopupRowPieces SliderTrackSegment(int row, int width);
RECT SliderNameLabelRect(int row);
RECT SliderValueLabelRect(int row, int mode);
RECT SliderTrackRect(int row, int mode);
