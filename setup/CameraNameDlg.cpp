#include "setup/CameraNameDlg.h"

#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "protocol/SetupDatabase.h"
#include "res/BitmapIds.h"
#include "setup/SetupText.h"
#include "setupkit/SetupSkin.h"

#include <vector>

namespace {

using C = CCameraNameDlg;

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items;
    for (int r = 0; r < 16; ++r) {
        const int y = 23 * r;
        items.push_back({C::IDC_ROW_LABEL + UINT(r), "STATIC", 9, 9 + y, 50, 14, WS_VISIBLE});
        items.push_back(
            {C::IDC_ROW_EDIT + UINT(r), "EDIT", 87, 6 + y, 278, 17, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL});
    }
    return items;
}
const std::vector<DialogItem> kItems = Items();
const DialogTemplate kTemplate = CSetupPage::PageTemplate(C::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CCameraNameDlg::CCameraNameDlg(CWnd* pParent) : CSetupPage(IDD, IDB_PAGE_CAMERA_NAMES, pParent) {}

void CCameraNameDlg::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    for (int r = 0; r < 16; ++r) {
        DDX_Control(pDX, int(IDC_ROW_EDIT) + r, m_edits[std::size_t(r)]);
        DDX_Control(pDX, int(IDC_ROW_LABEL) + r, m_labels[std::size_t(r)]);
    }
}

BOOL CCameraNameDlg::OnInitDialog() {
    CSetupPage::OnInitDialog();
    m_bFilling = true;
    for (int r = 0; r < 16; ++r) {
        const int y = 23 * r;
        CNameEdit& edit = m_edits[std::size_t(r)];
        edit.MoveWindow(87, 6 + y, 278, 17);
        edit.SetTextColor(CSetupSkin::kValueColour);
        edit.SetLimitText(kMaxNameLength);
        edit.SetWindowText(CutText(SlotText(Db().camera_name[r], kCameraNameSize), kMaxNameLength));
        CSetupSkin::SetUpCaption(m_labels[std::size_t(r)], CSetupSkin::At(9, 9 + y, 50, 14), RowName(r));
        if (r >= m_nChannels) {
            edit.ShowWindow(SW_HIDE);
            m_labels[std::size_t(r)].ShowWindow(SW_HIDE);
        }
    }
    m_bFilling = false;
    return TRUE;
}

BOOL CCameraNameDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int row = int(LOWORD(wParam)) - int(IDC_ROW_EDIT);
    if (HIWORD(wParam) == EN_CHANGE && row >= 0 && row < 16) {
        OnNameChange(row);
        return TRUE;
    }
    return CSetupPage::OnCommand(wParam, lParam);
}

void CCameraNameDlg::OnNameChange(int row) {
    if (m_bFilling || row < 0 || row >= 16) {
        return;
    }
    CString text;
    m_edits[std::size_t(row)].GetWindowText(text);
    WriteSlotText(Db().camera_name[row], kCameraNameSize, text);
}
