#include "setup/CameraCovertDlg.h"

#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "protocol/SetupDatabase.h"
#include "res/ResStrings.h"
#include "setup/RowBoxes.h"
#include "setup/SetupRules.h"
#include "setup/SetupSkin.h"

#include <vector>

namespace {

using C = CCameraCovertDlg;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items;
    items.push_back({C::IDC_ALL_CHECK, "BUTTON", 2, 396, 97, 22, kButton});
    items.push_back({C::IDC_RETURN_ALL, "BUTTON", 103, 396, 97, 22, kButton});
    for (int r = 0; r < 16; ++r) {
        const int y = 23 * r;
        items.push_back({C::IDC_ROW_BOX + UINT(r), "BUTTON", 6, 7 + y, 15, 15, WS_VISIBLE | BS_AUTOCHECKBOX});
        items.push_back({C::IDC_ROW_LABEL + UINT(r), "STATIC", 28, 9 + y, 60, 14, WS_VISIBLE});
        items.push_back({C::IDC_ROW_ON + UINT(r), "BUTTON", 135, 6 + y, 100, 17, kButton});
        items.push_back({C::IDC_ROW_OFF + UINT(r), "BUTTON", 236, 6 + y, 100, 17, kButton});
    }
    return items;
}
const std::vector<DialogItem> kItems = Items();
const DialogTemplate kTemplate = CSetupPage::PageTemplate(C::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CCameraCovertDlg::CCameraCovertDlg(CWnd* pParent) : CSetupPage(IDD, 1721, pParent) {}

void CCameraCovertDlg::DoDataExchange(CDataExchange* pDX) {
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

BOOL CCameraCovertDlg::OnInitDialog() {
    CSetupPage::OnInitDialog();
    const CString on = LoadResString(5344);
    const CString off = LoadResString(5340);
    for (int r = 0; r < 16; ++r) {
        const int y = 23 * r;
        CSetupSkin::SetUpRowBox(m_boxes[std::size_t(r)], 6, 7 + y);
        CSetupSkin::SetUpCaption(m_labels[std::size_t(r)], CSetupSkin::At(28, 9 + y, 60, 14), RowName(r));
        CSetupSkin::SetUpTextButton(m_btnOn[std::size_t(r)], CSetupSkin::kOnButtonBitmap,
                                    CSetupSkin::At(135, 6 + y, 100, 17), on, CSetupSkin::kPageButtonColours);
        CSetupSkin::SetUpTextButton(m_btnOff[std::size_t(r)], CSetupSkin::kOffButtonBitmap,
                                    CSetupSkin::At(236, 6 + y, 100, 17), off, CSetupSkin::kPageButtonColours);
        ShowSwitch(r, Db().covert[r] == 1);
        if (r >= m_nChannels) {
            m_boxes[std::size_t(r)].ShowWindow(SW_HIDE);
            m_labels[std::size_t(r)].ShowWindow(SW_HIDE);
            m_btnOn[std::size_t(r)].ShowWindow(SW_HIDE);
            m_btnOff[std::size_t(r)].ShowWindow(SW_HIDE);
        }
    }
    CSetupSkin::SetUpTextButton(m_btnAllCheck, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(2, 396, 97, 22),
                                LoadResString(5640), CSetupSkin::kPageButtonColours);
    CSetupSkin::SetUpTextButton(m_btnReturnAll, CSetupSkin::kPageButtonBitmap, CSetupSkin::At(103, 396, 97, 22),
                                LoadResString(5641), CSetupSkin::kPageButtonColours);
    return TRUE;
}

BOOL CCameraCovertDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return CSetupPage::OnCommand(wParam, lParam);
    }
    const UINT id = LOWORD(wParam);
    if (id >= IDC_ROW_ON && id < IDC_ROW_ON + 16) {
        OnRowSwitch(int(id - IDC_ROW_ON), true);
        return TRUE;
    }
    if (id >= IDC_ROW_OFF && id < IDC_ROW_OFF + 16) {
        OnRowSwitch(int(id - IDC_ROW_OFF), false);
        return TRUE;
    }
    if (id == IDC_ALL_CHECK || id == IDC_RETURN_ALL) {
        OnAllCheck(id == IDC_ALL_CHECK);
        return TRUE;
    }
    return CSetupPage::OnCommand(wParam, lParam);
}

void CCameraCovertDlg::ShowSwitch(int row, bool on) {
    m_btnOn[std::size_t(row)].SetState(on ? 1 : 0);
    m_btnOff[std::size_t(row)].SetState(on ? 0 : 1);
}

void CCameraCovertDlg::OnRowSwitch(int row, bool on) {
    if (row < 0 || row >= m_nChannels) {
        return;
    }
    const std::array<bool, kSetupRows> ticked = TickedRows(m_boxes);
    for (int r : RowsReachedBy(row, ticked, m_nChannels)) {
        ShowSwitch(r, on);
        Db().covert[r] = on ? 1 : 0;
    }
}

void CCameraCovertDlg::OnAllCheck(BOOL tick) {
    TickRows(m_boxes, m_nChannels, tick != FALSE);
}
