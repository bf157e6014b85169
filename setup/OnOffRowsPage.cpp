#include "setup/OnOffRowsPage.h"

#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/RowBoxes.h"
#include "setup/SetupRules.h"
#include "setupkit/SetupSkin.h"

namespace {

using C = COnOffRowsPage;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr UINT kBackground = IDB_PAGE_CHANNEL_ROWS;
constexpr int kFirstRowY = 7;

} // namespace

COnOffRowsPage::COnOffRowsPage(UINT nIDTemplate, CWnd* pParent) : CSetupPage(nIDTemplate, kBackground, pParent) {}

std::vector<DialogItem> COnOffRowsPage::PageItems(const DialogItem* extra) {
    std::vector<DialogItem> items;
    items.push_back({C::IDC_ALL_CHECK, "BUTTON", 2, 396, 97, 22, kButton});
    items.push_back({C::IDC_RETURN_ALL, "BUTTON", 103, 396, 97, 22, kButton});
    if (extra != nullptr) {
        items.push_back(*extra);
    }
    for (int r = 0; r < 16; ++r) {
        const int y = kFirstRowY + 23 * r;
        items.push_back({C::IDC_ROW_BOX + UINT(r), "BUTTON", 6, y, 15, 15, WS_VISIBLE | BS_AUTOCHECKBOX});
        items.push_back({C::IDC_ROW_LABEL + UINT(r), "STATIC", 28, y + 2, 60, 14, WS_VISIBLE});
        items.push_back({C::IDC_ROW_ON + UINT(r), "BUTTON", 135, y - 1, 100, 17, kButton});
        items.push_back({C::IDC_ROW_OFF + UINT(r), "BUTTON", 236, y - 1, 100, 17, kButton});
    }
    return items;
}

void COnOffRowsPage::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ALL_CHECK, m_btnAllCheck);
    DDX_Control(pDX, IDC_RETURN_ALL, m_btnReturnAll);
    for (int r = 0; r < 16; ++r) {
        DDX_Control(pDX, int(IDC_ROW_BOX) + r, m_boxes[std::size_t(r)]);
        DDX_Control(pDX, int(IDC_ROW_ON) + r, m_btnOn[std::size_t(r)]);
        DDX_Control(pDX, int(IDC_ROW_OFF) + r, m_btnOff[std::size_t(r)]);
        DDX_Control(pDX, int(IDC_ROW_LABEL) + r, m_labels[std::size_t(r)]);
    }
}

BOOL COnOffRowsPage::OnInitDialog() {
    CSetupPage::OnInitDialog();
    const CString on = LoadResString(IDS_ON);
    const CString off = LoadResString(IDS_OFF);
    const BYTE* bytes = RowBytes();
    for (int r = 0; r < 16; ++r) {
        const std::size_t i = std::size_t(r);
        const int y = kFirstRowY + 23 * r;
        CSetupSkin::SetUpRowBox(m_boxes[i], 6, y);
        CSetupSkin::SetUpCaption(m_labels[i], CSetupSkin::At(28, y + 2, 60, 14), RowName(r));
        CSetupSkin::SetUpTextButton(m_btnOn[i], CSetupSkin::kOnButtonBitmap, CSetupSkin::At(135, y - 1, 100, 17), on,
                                    CSetupSkin::kPageButtonColours);
        CSetupSkin::SetUpTextButton(m_btnOff[i], CSetupSkin::kOffButtonBitmap, CSetupSkin::At(236, y - 1, 100, 17), off,
                                    CSetupSkin::kPageButtonColours);
        ShowRow(r, bytes[r]);
        if (r >= m_nChannels) {
            m_boxes[i].ShowWindow(SW_HIDE);
            m_labels[i].ShowWindow(SW_HIDE);
            m_btnOn[i].ShowWindow(SW_HIDE);
            m_btnOff[i].ShowWindow(SW_HIDE);
        }
    }
    CSetupSkin::SetUpTextButton(m_btnAllCheck, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(2, 396, 97, 22),
                                LoadResString(IDS_ALL_CHECK), CSetupSkin::kPageButtonColours);
    CSetupSkin::SetUpTextButton(m_btnReturnAll, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(103, 396, 97, 22),
                                LoadResString(IDS_RETURN_ALL), CSetupSkin::kPageButtonColours);
    return TRUE;
}

BOOL COnOffRowsPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return CSetupPage::OnCommand(wParam, lParam);
    }
    const UINT id = LOWORD(wParam);
    if (id >= IDC_ROW_ON && id < IDC_ROW_ON + 16) {
        SetRow(int(id - IDC_ROW_ON), 1);
        return TRUE;
    }
    if (id >= IDC_ROW_OFF && id < IDC_ROW_OFF + 16) {
        SetRow(int(id - IDC_ROW_OFF), 0);
        return TRUE;
    }
    if (id == IDC_ALL_CHECK || id == IDC_RETURN_ALL) {
        OnAllCheck(id == IDC_ALL_CHECK);
        return TRUE;
    }
    return CSetupPage::OnCommand(wParam, lParam);
}

void COnOffRowsPage::ShowRow(int row, BYTE value) {
    // Any value other than 1 shows as Off.
    m_btnOn[std::size_t(row)].SetState(value == 1 ? kButtonOn : kButtonNormal);
    m_btnOff[std::size_t(row)].SetState(value == 1 ? kButtonNormal : kButtonOn);
}

void COnOffRowsPage::SetRow(int row, BYTE value) {
    if (row < 0 || row >= m_nChannels) {
        return;
    }
    const std::array<bool, kSetupRows> ticked = TickedRows(m_boxes);
    BYTE* bytes = RowBytes();
    for (int r : RowsReachedBy(row, ticked, m_nChannels)) {
        ShowRow(r, value);
        bytes[r] = value;
    }
}

void COnOffRowsPage::OnAllCheck(bool tick) {
    TickRows(m_boxes, m_nChannels, tick);
}
