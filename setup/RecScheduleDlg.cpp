#include "setup/RecScheduleDlg.h"

#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "protocol/SetupDatabase.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/SetupDlg.h"
#include "setupkit/SetupSkin.h"

#include <algorithm>
#include <vector>

namespace {

using C = CRecScheduleDlg;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr UINT kBackground = IDB_PAGE_WEEKLY_SCHEDULE;
constexpr COLORREF kFirstDayColour = 0x0000FF;

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items;
    items.push_back({C::IDC_GRID, "STATIC", 53, 30, 350, 360, WS_VISIBLE | SS_NOTIFY});
    for (int k = 0; k < 4; ++k) {
        items.push_back({C::IDC_BUTTON + UINT(k), "BUTTON", 2 + 100 * k, 396, 97, 22, kButton});
    }
    for (int d = 0; d < C::kDays; ++d) {
        items.push_back({C::IDC_DAY + UINT(d), "STATIC", 56 + 50 * d, 14, 46, 14, WS_VISIBLE});
    }
    return items;
}
const std::vector<DialogItem> kItems = Items();
const DialogTemplate kTemplate = CSetupPage::PageTemplate(C::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CRecScheduleDlg::CRecScheduleDlg(CWnd* pParent) : CSetupPage(IDD, kBackground, pParent) {}

void CRecScheduleDlg::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GRID, m_grid);
    for (int k = 0; k < 4; ++k) {
        DDX_Control(pDX, int(IDC_BUTTON) + k, m_buttons[std::size_t(k)]);
    }
    for (int d = 0; d < kDays; ++d) {
        DDX_Control(pDX, int(IDC_DAY) + d, m_days[std::size_t(d)]);
    }
}

BOOL CRecScheduleDlg::OnInitDialog() {
    CSetupPage::OnInitDialog();
    m_nVariant = m_pFrame != nullptr && Client() != nullptr ? m_pFrame->RecorderSubType() : 0;
    InitLayout();
    if (Client() != nullptr) {
        InitGrid(m_nVariant);
    } else {
        m_grid.ShowWindow(SW_HIDE);
    }
    FillGrid();
    return TRUE;
}

void CRecScheduleDlg::InitLayout() {
    for (int d = 0; d < kDays; ++d) {
        CSetupSkin::SetUpCaption(m_days[std::size_t(d)], CSetupSkin::At(56 + 50 * d, 14, 46, 14),
                                 LoadResString(IDS_SUN + UINT(d)),
                                 d == 0 ? kFirstDayColour : CSetupSkin::kCaptionColour);
    }
    CString both = LoadResString(IDS_ALARM);
    both += "+";
    both += LoadResString(IDS_MOTION);
    const CString captions[2][4] = {
        {LoadResString(IDS_ALL_CHECK), LoadResString(IDS_RETURN_ALL), CString(), LoadResString(IDS_PREV)},
        {LoadResString(IDS_CONTINUOUS), LoadResString(IDS_ALARM), LoadResString(IDS_MOTION), both},
    };
    const int set = IsModeVariant() ? 1 : 0;
    for (int k = 0; k < 4; ++k) {
        CSetupSkin::SetUpTextButton(m_buttons[std::size_t(k)], CSetupSkin::kPageButtonBitmap,
                                    CSetupSkin::At(2 + 100 * k, 396, 97, 22), captions[set][k],
                                    CSetupSkin::kPageButtonColours);
    }
    if (IsModeVariant()) {
        SelectPaintMode(0);
    } else {
        m_buttons[2].ShowWindow(SW_HIDE);
    }
}

void CRecScheduleDlg::InitGrid(int variant) {
    m_grid.MoveWindow(53, 30, kDays * kCellWidth, kHours * kCellHeight);
    m_grid.LoadBitmaps(nullptr, variant);
    m_grid.m_pData = &Db().schedule[0][0];
    m_grid.m_nPaintValue = m_nPaintMode;
    for (int h = 0; h < kHours; ++h) {
        for (int d = 0; d < kDays; ++d) {
            m_grid.AddCell(kCellWidth * d, kCellHeight * h, kCellWidth * d + kCellWidth, kCellHeight * h + kCellHeight);
        }
    }
}

void CRecScheduleDlg::FillGrid() {
    const int top = IsModeVariant() ? 3 : 1;
    auto& schedule = Db().schedule;
    for (int h = 0; h < kHours; ++h) {
        for (int d = 0; d < kDays; ++d) {
            // A value the cells cannot show is stored as the highest they can.
            BYTE& cell = schedule[d][h];
            cell = BYTE(std::min<int>(cell, top));
            m_grid.SetCellValue(kCellWidth * d, kCellHeight * h, kCellWidth * d + kCellWidth,
                                kCellHeight * h + kCellHeight, cell);
        }
    }
    m_grid.Invalidate(FALSE);
}

void CRecScheduleDlg::SelectPaintMode(int mode) {
    if (mode < 0 || mode > 3) {
        return;
    }
    m_nPaintMode = mode;
    m_grid.m_nPaintValue = mode;
    for (int k = 0; k < 4; ++k) {
        m_buttons[std::size_t(k)].SetState(k == mode ? kButtonOn : kButtonNormal);
    }
}

void CRecScheduleDlg::SetEveryCell(int value) {
    auto& schedule = Db().schedule;
    for (auto& day : schedule) {
        std::fill(std::begin(day), std::end(day), BYTE(value));
    }
    if (value == 1) {
        m_grid.SelectAll();
    } else {
        m_grid.ClearAll();
    }
    m_grid.Invalidate(FALSE);
}

void CRecScheduleDlg::SetAll() {
    SetEveryCell(1);
}

void CRecScheduleDlg::ClearAll() {
    SetEveryCell(0);
}

BOOL CRecScheduleDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) != BN_CLICKED || id < IDC_BUTTON || id >= IDC_BUTTON + 4) {
        return CSetupPage::OnCommand(wParam, lParam);
    }
    const int k = int(id - IDC_BUTTON);
    if (IsModeVariant()) {
        SelectPaintMode(k);
        return TRUE;
    }
    switch (k) {
    case 0:
        SetAll();
        break;
    case 1:
        ClearAll();
        break;
    case 3:
        if (m_pFrame != nullptr) {
            m_pFrame->ShowPageById(IDD_REC_RES_RATE_SCHEDULE_DLG);
        }
        break;
    default:
        break;
    }
    return TRUE;
}

void CRecScheduleDlg::OnDestroy() {
    m_grid.RemoveAllCells();
    m_grid.m_pData = nullptr;
    CSetupPage::OnDestroy();
}
