#include "setupkit/SetupPopupLayout.h"

#include "setupkit/SetupPopupRequest.h"

namespace {

constexpr RECT Rect(int left, int top, int right, int bottom) {
    return RECT{left, top, right, bottom};
}

int RowTop(int row) {
    return kPopupBorder + kPopupRowHeight * row;
}

} // namespace

int ListRowsHeight(int count, bool fourColumns) {
    if (count < 1 || count > (fourColumns ? kListPopupLongItems : kListPopupMaxItems)) {
        return 0;
    }
    const int rows = fourColumns ? (count + 3) / 4 : count;
    return rows * kPopupRowHeight;
}

bool ListOpensInFourColumns(int count, int layout) {
    return layout != 0 || count > kListPopupMaxItems;
}

int ListPopupWidth(int count, int layout, int requestedWidth) {
    return layout == 0 && ListOpensInFourColumns(count, layout) ? 4 * requestedWidth : requestedWidth;
}

PopupRowPieces ListRowPieces(int item, int width, bool fourColumns) {
    if (!fourColumns) {
        const int top = RowTop(item);
        const int bottom = top + kPopupRowHeight;
        return {Rect(5, top, 10, bottom), Rect(10, top, width - 11, bottom), Rect(width - 11, top, width - 5, bottom)};
    }
    const int column = item % 4;
    const int row = item / 4;
    const int cell = (width - 13) / 4;
    const int x0 = (cell + 1) * column + 5;
    const int x1 = (column + 1) * cell + column + 5;
    const int top = RowTop(row);
    const int bottom = top + kPopupRowHeight;
    return {Rect(x0, top, x0 + 5, bottom), Rect(x0 + 5, top, x1 - 6, bottom), Rect(x1 - 6, top, x1, bottom)};
}

RECT ListItemLabelRect(int item, int width, bool fourColumns) {
    if (!fourColumns) {
        const int x = width / 4;
        const int y = 9 + kPopupRowHeight * item;
        return Rect(x, y, x + 5 * width / 8, y + 14);
    }
    const int column = item % 4;
    const int row = item / 4;
    const int cell = (width - 13) / 4;
    const int x = (cell + 1) * column + 13;
    const int y = kPopupRowHeight * row + 9;
    return Rect(x, y, x + cell - 16, y + 14);
}

POINT PopupOrigin(const RECT& anchor, int clickX, int clickY, int width) {
    return POINT{anchor.left + clickX - width / 2 + 1, anchor.top + clickY + 1};
}

PopupRowPieces SliderNameSegment(int row) {
    const int top = RowTop(row);
    const int bottom = top + kPopupRowHeight;
    return {Rect(5, top, 10, bottom), Rect(10, top, 65, bottom), Rect(65, top, 71, bottom)};
}

PopupRowPieces SliderTrackSegment(int row, int width) {
    const int top = RowTop(row);
    const int bottom = top + kPopupRowHeight;
    return {Rect(73, top, 78, bottom), Rect(78, top, width - 11, bottom), Rect(width - 11, top, width - 5, bottom)};
}

RECT SliderNameLabelRect(int row) {
    const int y = 9 + kPopupRowHeight * row;
    return Rect(18, y, 18 + 44, y + 14);
}

RECT SliderValueLabelRect(int row, int mode) {
    const int y = 9 + kPopupRowHeight * row;
    return mode == kSliderModeClock ? Rect(313, y, 313 + 32, y + 14) : Rect(218, y, 218 + 37, y + 14);
}

RECT SliderTrackRect(int row, int mode) {
    const int x = mode == kSliderModeClock ? 110 : 20;
    const int y = 10 + kPopupRowHeight * row;
    return Rect(x, y, x + 190, y + 9);
}
