#include "setup/DeinterlaceDlg.h"

#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "protocol/SetupDatabase.h"
#include "res/ResStrings.h"
#include "setup/RowBoxes.h"
#include "setup/SetupDlg.h"
#include "setup/SetupRules.h"
#include "setup/SetupSkin.h"

#include <vector>

namespace {

using C = CDeinterlaceDlg;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr int kFirstRowY = 7;

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items;
    items.push_back({C::IDC_ALL_CHECK, "BUTTON", 2, 396, 97, 22, kButton});
    items.push_back({C::IDC_RETURN_ALL, "BUTTON", 103, 396, 97, 22, kButton});
    items.push_back({C::IDC_PREV, "BUTTON", 304, 396, 97, 22, kButton});
    for (int r = 0; r < 16; ++r) {
        const int y = kFirstRowY + 23 * r;
        items.push_back({C::IDC_ROW_BOX + UINT(r), "BUTTON", 6, y, 15, 15, WS_VISIBLE | BS_AUTOCHECKBOX});
        items.push_back({C::IDC_ROW_LABEL + UINT(r), "STATIC", 28, y + 2, 60, 14, WS_VISIBLE});
        items.push_back({C::IDC_ROW_ON + UINT(r), "BUTTON", 135, y - 1, 100, 17, kButton});
        items.push_back({C::IDC_ROW_OFF + UINT(r), "BUTTON", 236, y - 1, 100, 17, kButton});
    }
    return items;
}
const std::vector<DialogItem> kItems = Items();
const DialogTemplate kTemplate = CSetupPage::PageTemplate(C::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CDeinterlaceDlg::CDeinterlaceDlg(CWnd* pParent) : CSetupPage(IDD, 1721, pParent) {}

void CDeinterlaceDlg::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ALL_CHECK, m_btnAllCheck);
    DDX_Control(pDX, IDC_RETURN_ALL, m_btnReturnAll);
    DDX_Control(pDX, IDC_PREV, m_btnPrev);
    for (int r = 0; r < 16; ++r) {
        DDX_Control(pDX, int(IDC_ROW_BOX) + r, m_boxes[std::size_t(r)]);
        DDX_Control(pDX, int(IDC_ROW_ON) + r, m_btnOn[std::size_t(r)]);
        DDX_Control(pDX, int(IDC_ROW_OFF) + r, m_btnOff[std::size_t(r)]);
        DDX_Control(pDX, int(IDC_ROW_LABEL) + r, m_labels[std::size_t(r)]);
    }
}

BOOL CDeinterlaceDlg::OnInitDialog() {
    CSetupPage::OnInitDialog();
    const CString on = LoadResString(5344);
    const CString off = LoadResString(5340);
    for (int r = 0; r < 16; ++r) {
        const std::size_t i = std::size_t(r);
        const int y = kFirstRowY + 23 * r;
        CSetupSkin::SetUpRowBox(m_boxes[i], 6, y);
        CSetupSkin::SetUpCaption(m_labels[i], CSetupSkin::At(28, y + 2, 60, 14), RowName(r));
        CSetupSkin::SetUpTextButton(m_btnOn[i], CSetupSkin::kOnButtonBitmap, CSetupSkin::At(135, y - 1, 100, 17), on,
                                    CSetupSkin::kPageButtonColours);
        CSetupSkin::SetUpTextButton(m_btnOff[i], CSetupSkin::kOffButtonBitmap, CSetupSkin::At(236, y - 1, 100, 17), off,
                                    CSetupSkin::kPageButtonColours);
        ShowRow(r, Db().deinterlace[r]);
        if (r >= m_nChannels) {
            m_boxes[i].ShowWindow(SW_HIDE);
            m_labels[i].ShowWindow(SW_HIDE);
            m_btnOn[i].ShowWindow(SW_HIDE);
            m_btnOff[i].ShowWindow(SW_HIDE);
        }
    }
    CSetupSkin::SetUpTextButton(m_btnAllCheck, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(2, 396, 97, 22),
                                LoadResString(5640), CSetupSkin::kPageButtonColours);
    CSetupSkin::SetUpTextButton(m_btnReturnAll, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(103, 396, 97, 22),
                                LoadResString(5641), CSetupSkin::kPageButtonColours);
    CSetupSkin::SetUpTextButton(m_btnPrev, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(304, 396, 97, 22),
                                LoadResString(5583), CSetupSkin::kPageButtonColours);
    return TRUE;
}

BOOL CDeinterlaceDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
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
    switch (id) {
    case IDC_ALL_CHECK:
        OnAllCheck(true);
        return TRUE;
    case IDC_RETURN_ALL:
        OnAllCheck(false);
        return TRUE;
    case IDC_PREV:
        OnPrev();
        return TRUE;
    default:
        return CSetupPage::OnCommand(wParam, lParam);
    }
}

void CDeinterlaceDlg::ShowRow(int row, BYTE value) {
    // Any value other than 1 shows as Off.
    m_btnOn[std::size_t(row)].SetState(value == 1 ? 1 : 0);
    m_btnOff[std::size_t(row)].SetState(value == 1 ? 0 : 1);
}

void CDeinterlaceDlg::SetRow(int row, BYTE value) {
    if (row < 0 || row >= m_nChannels) {
        return;
    }
    const std::array<bool, kSetupRows> ticked = TickedRows(m_boxes);
    for (int r : RowsReachedBy(row, ticked, m_nChannels)) {
        ShowRow(r, value);
        Db().deinterlace[r] = value;
    }
}

void CDeinterlaceDlg::OnAllCheck(bool tick) {
    TickRows(m_boxes, m_nChannels, tick);
}

void CDeinterlaceDlg::OnPrev() {
    if (m_pFrame != nullptr) {
        m_pFrame->ShowPage172();
    }
}
