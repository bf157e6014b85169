#pragma once
// The sixteen channel rows of the two PTZ pages: a tick box, the channel's name, a slider and the
// slider's value beside it, 23 pixels apart from y = 31.

#include "controls/BitmapSlider.h"
#include "controls/SkinCheckButton.h"
#include "controls/SkinLabel.h"
#include "platform/base/String.h"
#include "platform/window/DialogTemplate.h"

#include <array>
#include <vector>

class CDataExchange;

class CPtzSliderRows {
public:
    enum ControlId : UINT {
        IDC_ROW_BOX = 490,
        IDC_ROW_SLIDER = 510,
        IDC_ROW_LABEL = 790,
        IDC_ROW_VALUE = 806,
    };
    static constexpr int kFirstRowY = 31;

    static int RowY(int row) { return kFirstRowY + 23 * row; }
    // The rows' dialog items; the value fields get `valueStyle`.
    static void AddItems(std::vector<DialogItem>& items, DWORD valueStyle);

    void Exchange(CDataExchange* pDX);
    // Places the boxes, names (rowName of the row) and sliders (range 0..sliderMax); the page sets
    // up the value fields.
    void SetUp(int sliderMax, CString (*rowName)(int));
    // Hides the rows from `shownRows` on.
    void HideFrom(int shownRows);

    std::array<CSkinCheckButton, 16> boxes;
    std::array<CBitmapSlider, 16> sliders;
    std::array<CSkinLabel, 16> labels;
    std::array<CSkinLabel, 16> values;
};
