#include "archive/PickerLayout.h"

#include "res/BitmapIds.h"

namespace {

RECT Rect(int left, int top, int right, int bottom) {
    RECT r{};
    r.left = left;
    r.top = top;
    r.right = right;
    r.bottom = bottom;
    return r;
}

std::array<PickerPiece, 3> Cell(int x0, int leftEnd, int rightStart, int x1, int top) {
    const int bottom = top + kPickerRowHeight;
    return {{
        {IDB_POPUP_ROW_LEFT_CAP, Rect(x0, top, leftEnd, bottom), false},
        {IDB_POPUP_ROW_MIDDLE, Rect(leftEnd, top, rightStart, bottom), true},
        {IDB_POPUP_ROW_RIGHT_CAP, Rect(rightStart, top, x1, bottom), false},
    }};
}

} // namespace

ItemPickerLayout MakeItemPickerLayout(DWORD count, int width, bool grid) {
    ItemPickerLayout layout;
    layout.count = count > DWORD(kPickerMaxItems) ? kPickerMaxItems : int(count);
    layout.width = width;
    layout.height = grid ? (layout.count / 4 + 1) * kPickerRowHeight : layout.count * kPickerRowHeight;
    layout.frame = PopupFramePieces(width, layout.height);
    const int cw = (width - 13) / 4;
    for (int i = 0; i < layout.count; ++i) {
        if (grid) {
            const int col = i % 4;
            const int row = i / 4;
            const int x0 = col * (cw + 1) + 5;
            const int x1 = x0 + cw;
            const int top = 5 + kPickerRowHeight * row;
            layout.cells.push_back(Cell(x0, x0 + 5, x1 - 6, x1, top));
            const int lx = col * (cw + 1) + 13;
            const int ly = 9 + kPickerRowHeight * row;
            layout.labels.push_back(Rect(lx, ly, lx + cw - 16, ly + 14));
        } else {
            const int top = 5 + kPickerRowHeight * i;
            layout.cells.push_back(Cell(5, 10, width - 11, width - 5, top));
            const int lx = width / 4;
            const int ly = 9 + kPickerRowHeight * i;
            layout.labels.push_back(Rect(lx, ly, lx + 5 * width / 8, ly + 14));
        }
    }
    return layout;
}

TimePickerLayout MakeTimePickerLayout(DWORD rows, int width) {
    TimePickerLayout layout;
    layout.rows = rows > 3 ? 3 : int(rows);
    layout.width = width;
    layout.height = int(rows > 3 ? 3 : rows) * kPickerRowHeight;
    layout.frame = PopupFramePieces(width, layout.height);
    for (int i = 0; i < layout.rows; ++i) {
        layout.cells.push_back(Cell(5, 10, 65, 71, 5 + kPickerRowHeight * i));
    }
    for (int i = 0; i < layout.rows; ++i) {
        layout.cells.push_back(Cell(73, 78, width - 11, width - 5, 5 + kPickerRowHeight * i));
    }
    for (int i = 0; i < layout.rows; ++i) {
        const int y = 9 + kPickerRowHeight * i;
        layout.names.push_back(Rect(18, y, 18 + 44, y + 14));
        layout.values.push_back(Rect(313, y, 313 + 32, y + 14));
        layout.sliders.push_back(Rect(110, 10 + kPickerRowHeight * i, 110 + 190, 10 + kPickerRowHeight * i + 9));
    }
    return layout;
}

POINT PickerOrigin(const RECT& anchor, LONG clickX, LONG clickY, int width) {
    POINT p{};
    p.x = anchor.left + clickX - width / 2 + 1;
    p.y = anchor.top + clickY + 1;
    return p;
}
