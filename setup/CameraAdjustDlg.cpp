#include "setup/CameraAdjustDlg.h"

#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "protocol/SetupDatabase.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/RowBoxes.h"
#include "setup/SetupRules.h"
#include "setupkit/SetupSkin.h"

#include <algorithm>
#include <vector>

namespace {

using C = CCameraAdjustDlg;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items;
    for (int k = 0; k < 4; ++k) {
        items.push_back({C::IDC_COLUMN + UINT(k), "BUTTON", 2 + 100 * k, 0, 100, 24, kButton});
    }
    items.push_back({C::IDC_ALL_CHECK, "BUTTON", 2, 396, 97, 22, kButton});
    items.push_back({C::IDC_RETURN_ALL, "BUTTON", 103, 396, 97, 22, kButton});
    items.push_back({C::IDC_RESET, "BUTTON", 304, 396, 97, 22, kButton});
    for (int r = 0; r < 16; ++r) {
        items.push_back({C::IDC_ROW_BOX + UINT(r), "BUTTON", 6, 30 + 23 * r, 15, 15, WS_VISIBLE | BS_AUTOCHECKBOX});
        items.push_back({C::IDC_ROW_SLIDER + UINT(r), "STATIC", 103, 33 + 23 * r, 190, 9, WS_VISIBLE});
        items.push_back({C::IDC_ROW_LABEL + UINT(r), "STATIC", 28, 32 + 23 * r, 50, 14, WS_VISIBLE});
        items.push_back({C::IDC_ROW_VALUE + UINT(r), "STATIC", 315, 31 + 23 * r, 72, 14, WS_VISIBLE});
    }
    return items;
}
const std::vector<DialogItem> kItems = Items();
const DialogTemplate kTemplate = CSetupPage::PageTemplate(C::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

CString Number(int value) {
    CString text;
    text.Format("%d", value);
    return text;
}

} // namespace

CCameraAdjustDlg::CCameraAdjustDlg(CWnd* pParent)
    : CSetupPage(IDD, IDB_PAGE_COLUMN_BUTTONS_OVER_CHANNEL_ROWS, pParent) {}

void CCameraAdjustDlg::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    for (int k = 0; k < 4; ++k) {
        DDX_Control(pDX, int(IDC_COLUMN) + k, m_btnColumn[std::size_t(k)]);
    }
    DDX_Control(pDX, IDC_ALL_CHECK, m_btnAllCheck);
    DDX_Control(pDX, IDC_RETURN_ALL, m_btnReturnAll);
    DDX_Control(pDX, IDC_RESET, m_btnReset);
    for (int r = 0; r < 16; ++r) {
        DDX_Control(pDX, int(IDC_ROW_BOX) + r, m_boxes[std::size_t(r)]);
        DDX_Control(pDX, int(IDC_ROW_SLIDER) + r, m_sliders[std::size_t(r)]);
        DDX_Control(pDX, int(IDC_ROW_LABEL) + r, m_labels[std::size_t(r)]);
        DDX_Control(pDX, int(IDC_ROW_VALUE) + r, m_values[std::size_t(r)]);
    }
}

BOOL CCameraAdjustDlg::OnInitDialog() {
    CSetupPage::OnInitDialog();
    static constexpr UINT kColumnBitmaps[4] = {IDB_FOUR_COLUMN_BUTTONS_LEFT, IDB_FOUR_COLUMN_BUTTONS_MIDDLE,
                                               IDB_FOUR_COLUMN_BUTTONS_MIDDLE, IDB_FOUR_COLUMN_BUTTONS_RIGHT};
    for (int k = 0; k < 4; ++k) {
        CSetupSkin::SetUpTextButton(m_btnColumn[std::size_t(k)], kColumnBitmaps[k],
                                    CSetupSkin::At(2 + 100 * k, 0, 100, 24), LoadResString(IDS_HUE + UINT(k)),
                                    CSetupSkin::kColumnButtonColours);
    }
    for (int r = 0; r < 16; ++r) {
        const int y = 23 * r;
        CSetupSkin::SetUpRowBox(m_boxes[std::size_t(r)], 6, 30 + y);
        CSetupSkin::SetUpCaption(m_labels[std::size_t(r)], CSetupSkin::At(28, 32 + y, 50, 14), RowName(r));
        CBitmapSlider& slider = m_sliders[std::size_t(r)];
        slider.SetBitmapChannel(IDB_SETUP_SLIDER_PART_ABOVE_POSITION, IDB_SETUP_SLIDER_PART_BELOW_POSITION);
        slider.MoveWindow(103, 33 + y, 190, 9);
        slider.SetMargin(0, 0, 0, 0);
        slider.SetRange(0, 100);
        CSetupSkin::SetUpCaption(m_values[std::size_t(r)], CSetupSkin::At(315, 31 + y, 72, 14), "",
                                 CSetupSkin::kValueColour);
        if (r >= m_nChannels) {
            m_boxes[std::size_t(r)].ShowWindow(SW_HIDE);
            m_labels[std::size_t(r)].ShowWindow(SW_HIDE);
            slider.ShowWindow(SW_HIDE);
            m_values[std::size_t(r)].ShowWindow(SW_HIDE);
        }
    }
    CSetupSkin::SetUpTextButton(m_btnAllCheck, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(2, 396, 97, 22),
                                LoadResString(IDS_ALL_CHECK), CSetupSkin::kPageButtonColours);
    CSetupSkin::SetUpTextButton(m_btnReturnAll, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(103, 396, 97, 22),
                                LoadResString(IDS_RETURN_ALL), CSetupSkin::kPageButtonColours);
    CSetupSkin::SetUpTextButton(m_btnReset, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(304, 396, 97, 22),
                                LoadResString(IDS_RESET), CSetupSkin::kPageButtonColours);
    OnColumn(0);
    return TRUE;
}

BOOL CCameraAdjustDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return CSetupPage::OnCommand(wParam, lParam);
    }
    const UINT id = LOWORD(wParam);
    if (id >= IDC_COLUMN && id < IDC_COLUMN + 4) {
        OnColumn(int(id - IDC_COLUMN));
        return TRUE;
    }
    switch (id) {
    case IDC_ALL_CHECK:
        OnAllCheck(TRUE);
        return TRUE;
    case IDC_RETURN_ALL:
        OnAllCheck(FALSE);
        return TRUE;
    case IDC_RESET:
        OnReset();
        return TRUE;
    default:
        return CSetupPage::OnCommand(wParam, lParam);
    }
}

LRESULT CCameraAdjustDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SLIDER_MOVE) {
        const int row = int(wParam) - int(IDC_ROW_SLIDER);
        if (row >= 0 && row < 16) {
            OnSliderMoved(row, int(lParam));
        }
        return 0;
    }
    return CSetupPage::WindowProc(message, wParam, lParam);
}

BYTE* CCameraAdjustDlg::ColumnBytes(int column) const {
    SetupDatabase& db = Db();
    switch (column) {
    case 1:
        return db.saturation;
    case 2:
        return db.contrast;
    case 3:
        return db.brightness;
    default:
        return db.hue;
    }
}

bool CCameraAdjustDlg::IsTicked(int row) {
    return CSetupSkin::IsTicked(m_boxes[std::size_t(row)]);
}

void CCameraAdjustDlg::ShowValue(int row, int value) {
    m_values[std::size_t(row)].SetText(Number(value));
}

void CCameraAdjustDlg::OnColumn(int column) {
    m_nColumn = std::clamp(column, 0, 3);
    for (int k = 0; k < 4; ++k) {
        m_btnColumn[std::size_t(k)].SetState(k == m_nColumn ? kButtonOn : kButtonNormal);
    }
    const BYTE* bytes = ColumnBytes(m_nColumn);
    for (int r = 0; r < m_nChannels; ++r) {
        CBitmapSlider& slider = m_sliders[std::size_t(r)];
        slider.SetPos(bytes[r]);
        CSetupSkin::Tick(m_boxes[std::size_t(r)], false);
        ShowValue(r, slider.GetPos());
    }
}

void CCameraAdjustDlg::OnSliderMoved(int row, int position) {
    const int value = std::clamp(position, 0, 100);
    std::array<bool, kSetupRows> ticked{};
    for (int r = 0; r < kSetupRows; ++r) {
        ticked[std::size_t(r)] = IsTicked(r);
    }
    BYTE* bytes = ColumnBytes(m_nColumn);
    for (int r : RowsReachedBy(row, ticked, kSetupRows)) {
        if (r != row) {
            m_sliders[std::size_t(r)].SetPos(value);
        }
        ShowValue(r, value);
        bytes[r] = BYTE(value);
    }
}

void CCameraAdjustDlg::OnAllCheck(BOOL tick) {
    TickRows(m_boxes, m_nChannels, tick != FALSE);
}

void CCameraAdjustDlg::OnReset() {
    BYTE* bytes = ColumnBytes(m_nColumn);
    for (int r = 0; r < m_nChannels; ++r) {
        if (!IsTicked(r)) {
            continue;
        }
        CBitmapSlider& slider = m_sliders[std::size_t(r)];
        slider.SetPos(kResetValue);
        bytes[r] = BYTE(kResetValue);
        ShowValue(r, slider.GetPos());
    }
}
