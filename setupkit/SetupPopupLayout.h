#pragma once
// Geometry of the list and slider popups: the nine-piece frame, the row pieces, the item labels and
// where the popup opens. Pure arithmetic, shared by both popups and their tests.

#include "platform/base/WinTypes.h"

#include <array>

constexpr int kPopupRowHeight = 21;
constexpr int kPopupBorder = 5;

struct PopupPiece {
    UINT bitmap;
    RECT rect;
    bool stretch; // corners are copied as they are, edges and the centre stretched
};

// The three pieces of one row: left cap, middle, right cap (bitmaps 1654, 1655, 1656).
struct PopupRowPieces {
    RECT left;
    RECT middle;
    RECT right;
};

// The frame around a body `rowsHeight` high: bitmaps 1710-1718, the popup being width x (rowsHeight + 10).
std::array<PopupPiece, 9> PopupFramePieces(int width, int rowsHeight);

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
