#pragma once
// The geometry of the picker popups: a frame of nine pieces around rows of 21-pixel cells (a list
// of one item a row, or a grid of four), the item labels on the cells, and the popup's place just
// below the point where the field was pressed.

#include "platform/base/WinTypes.h"
#include "setupkit/SetupPopupLayout.h"

#include <array>
#include <vector>

// The item labels a picker has; a request for more shows only these.
constexpr int kPickerMaxItems = 39;
constexpr int kPickerRowHeight = 21;

// A piece of a picker: the whole bitmap scaled into rect when stretched, else its first cell copied
// unscaled. The frame is the setup popups' frame.
using PickerPiece = PopupPiece;

struct ItemPickerLayout {
    int width = 0;
    int height = 0; // the rows' height H; the popup is H + 10 high
    int count = 0;  // items shown
    std::array<PickerPiece, 9> frame{};
    std::vector<std::array<PickerPiece, 3>> cells; // left cap, middle, right cap per item
    std::vector<RECT> labels;                      // x, y, right, bottom of each item label
};

ItemPickerLayout MakeItemPickerLayout(DWORD count, int width, bool grid);

struct TimePickerLayout {
    int width = 0;
    int height = 0;
    int rows = 0;
    std::array<PickerPiece, 9> frame{};
    std::vector<std::array<PickerPiece, 3>> cells; // the name cells of every row, then the value cells
    std::vector<RECT> names;
    std::vector<RECT> values;
    std::vector<RECT> sliders;
};

TimePickerLayout MakeTimePickerLayout(DWORD rows, int width);

// Screen origin of a popup of the width: centred on the press point, one pixel below it.
POINT PickerOrigin(const RECT& anchor, LONG clickX, LONG clickY, int width);
