#include "app/SliderRowsPageDlg.h"

#include "app/LocalSetupDlg.h"
#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setupkit/SetupSkin.h"

#include <cstdio>

std::vector<DialogItem> CSliderRowsPageDlg::TemplateItems(const Layout& layout) {
    std::vector<DialogItem> items = {
        {kIdAllCheck, "BUTTON", 2, 396, 97, 22, WS_VISIBLE | BS_OWNERDRAW},
        {kIdReturnAll, "BUTTON", 103, 396, 97, 22, WS_VISIBLE | BS_OWNERDRAW},
    };
    for (int r = 0; r < layout.rows; ++r) {
        const UINT row = UINT(r);
        items.push_back({kIdFirstCheck + row, "BUTTON", 6, 7 + 23 * r, 15, 15, WS_VISIBLE | BS_AUTOCHECKBOX});
        items.push_back({kIdFirstSlider + row, "STATIC", layout.sliderX, 10 + 23 * r, 150, 9, WS_VISIBLE});
        items.push_back({kIdFirstName + row, "STATIC", 28, 9 + 23 * r, layout.nameWidth, 14, WS_VISIBLE});
        items.push_back(
            {kIdFirstName + UINT(layout.rows) + row, "STATIC", layout.valueX, 8 + 23 * r, 50, 14, WS_VISIBLE});
    }
    return items;
}

CSliderRowsPageDlg::CSliderRowsPageDlg(const Layout& layout)
    : CLocalSetupPageDlg(layout.templateId, layout.background), m_layout(layout) {}

void CSliderRowsPageDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kIdAllCheck, m_btnAllCheck);
    DDX_Control(pDX, kIdReturnAll, m_btnReturnAll);
    const int rows = m_layout.rows;
    for (int r = 0; r < rows; ++r) {
        const std::size_t i = std::size_t(r);
        DDX_Control(pDX, int(kIdFirstCheck) + r, m_check[i]);
        DDX_Control(pDX, int(kIdFirstSlider) + r, m_slider[i]);
        DDX_Control(pDX, int(kIdFirstName) + r, m_name[i]);
        DDX_Control(pDX, int(kIdFirstName) + rows + r, m_value[i]);
    }
}

BOOL CSliderRowsPageDlg::OnInitDialog() {
    CLocalSetupPageDlg::OnInitDialog();
    CSetupSkin::SetUpTextButton(m_btnAllCheck, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(2, 396, 97, 22),
                                LoadResString(IDS_ALL_CHECK), CLocalSetupDlg::kTextButtonColours);
    CSetupSkin::SetUpTextButton(m_btnReturnAll, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(103, 396, 97, 22),
                                LoadResString(IDS_RETURN_ALL), CLocalSetupDlg::kTextButtonColours);
    const BYTE* values = Values();
    for (int r = 0; r < m_layout.rows; ++r) {
        const std::size_t i = std::size_t(r);
        CSetupSkin::SetUpRowBox(m_check[i], 6, 7 + 23 * r);
        CSetupSkin::SetUpCaption(m_name[i], CSetupSkin::At(28, 9 + 23 * r, m_layout.nameWidth, 14),
                                 LoadResString(m_layout.names[r]));
        CBitmapSlider& slider = m_slider[i];
        slider.MoveWindow(m_layout.sliderX, 10 + 23 * r, 150, 9);
        slider.SetBitmapChannel(IDB_LOCAL_SETUP_SLIDER_PART_ABOVE_POSITION, IDB_LOCAL_SETUP_SLIDER_PART_BELOW_POSITION);
        slider.SetMargin(0, 0, 0, 0);
        slider.SetDrawOption(TRUE, FALSE);
        slider.SetRange(m_layout.minimum, m_layout.maximum);
        // The slider holds an out-of-range setting to its range; the byte stays until the row moves.
        slider.SetPos(values != nullptr ? values[r] : m_layout.minimum);
        CSetupSkin::Tick(m_check[i], false);
        char text[16];
        std::snprintf(text, sizeof text, "%d", slider.GetPos());
        CSetupSkin::SetUpValueText(m_value[i], CSetupSkin::At(m_layout.valueX, 8 + 23 * r, 50, 14), text);
    }
    return TRUE;
}

bool CSliderRowsPageDlg::IsChecked(int row) const {
    return CSetupSkin::IsTicked(m_check[std::size_t(row)]);
}

void CSliderRowsPageDlg::SetRow(int row, int position) {
    BYTE* values = Values();
    if (values == nullptr) {
        return;
    }
    char text[16];
    std::snprintf(text, sizeof text, "%d", position);
    m_value[std::size_t(row)].SetText(text);
    values[row] = BYTE(position);
}

void CSliderRowsPageDlg::OnSliderMove(int row, int position) {
    if (row < 0 || row >= m_layout.rows) {
        return;
    }
    SetRow(row, position);
    if (!IsChecked(row)) {
        return;
    }
    for (int other = 0; other < m_layout.rows; ++other) {
        if (other != row && IsChecked(other)) {
            m_slider[std::size_t(other)].SetPos(position);
            SetRow(other, m_slider[std::size_t(other)].GetPos());
        }
    }
}

void CSliderRowsPageDlg::CheckAll(bool check) {
    for (int r = 0; r < m_layout.rows; ++r) {
        CSetupSkin::Tick(m_check[std::size_t(r)], check);
    }
}

BOOL CSliderRowsPageDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case kIdAllCheck:
            CheckAll(true);
            return TRUE;
        case kIdReturnAll:
            CheckAll(false);
            return TRUE;
        default:
            break;
        }
    }
    return CLocalSetupPageDlg::OnCommand(wParam, lParam);
}

LRESULT CSliderRowsPageDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SLIDER_MOVE) {
        OnSliderMove(int(wParam) - int(kIdFirstSlider), int(lParam));
        return 0;
    }
    return CLocalSetupPageDlg::WindowProc(message, wParam, lParam);
}
