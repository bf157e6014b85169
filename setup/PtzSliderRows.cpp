#include "setup/PtzSliderRows.h"

#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "setupkit/SetupSkin.h"

#include <algorithm>

void CPtzSliderRows::AddItems(std::vector<DialogItem>& items, DWORD valueStyle) {
    for (int r = 0; r < 16; ++r) {
        const int y = RowY(r);
        items.push_back({IDC_ROW_BOX + UINT(r), "BUTTON", 6, y - 1, 15, 15, WS_VISIBLE | BS_AUTOCHECKBOX});
        items.push_back({IDC_ROW_LABEL + UINT(r), "STATIC", 28, y + 1, 60, 14, WS_VISIBLE});
        items.push_back({IDC_ROW_SLIDER + UINT(r), "STATIC", 103, y + 2, 190, 9, WS_VISIBLE});
        items.push_back({IDC_ROW_VALUE + UINT(r), "STATIC", 315, y, 72, 14, valueStyle});
    }
}

void CPtzSliderRows::Exchange(CDataExchange* pDX) {
    for (int r = 0; r < 16; ++r) {
        DDX_Control(pDX, int(IDC_ROW_BOX) + r, boxes[std::size_t(r)]);
        DDX_Control(pDX, int(IDC_ROW_SLIDER) + r, sliders[std::size_t(r)]);
        DDX_Control(pDX, int(IDC_ROW_LABEL) + r, labels[std::size_t(r)]);
        DDX_Control(pDX, int(IDC_ROW_VALUE) + r, values[std::size_t(r)]);
    }
}

void CPtzSliderRows::SetUp(int sliderMax, CString (*rowName)(int)) {
    for (int r = 0; r < 16; ++r) {
        const std::size_t i = std::size_t(r);
        const int y = RowY(r);
        CSetupSkin::SetUpRowBox(boxes[i], 6, y - 1);
        CSetupSkin::SetUpCaption(labels[i], CSetupSkin::At(28, y + 1, 60, 14), rowName(r));
        CBitmapSlider& slider = sliders[i];
        slider.SetBitmapChannel(IDB_SETUP_SLIDER_PART_ABOVE_POSITION, IDB_SETUP_SLIDER_PART_BELOW_POSITION);
        slider.MoveWindow(103, y + 2, 190, 9);
        slider.SetMargin(0, 0, 0, 0);
        slider.SetRange(0, sliderMax);
    }
}

void CPtzSliderRows::HideFrom(int shownRows) {
    for (int r = std::max(shownRows, 0); r < 16; ++r) {
        const std::size_t i = std::size_t(r);
        boxes[i].ShowWindow(SW_HIDE);
        labels[i].ShowWindow(SW_HIDE);
        sliders[i].ShowWindow(SW_HIDE);
        values[i].ShowWindow(SW_HIDE);
    }
}
