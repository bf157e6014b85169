#include "archive/InfoMenuDlg.h"

#include "archive/RemoteSearchDlg.h"
#include "res/BitmapIds.h"
#include "res/ControlIds.h"
#include "res/TextIds.h"

namespace {

constexpr MenuButtonSpec kButtons[] = {
    {IDC_INFO_MENU_SYSTEM, IDB_INFORMATION_MENU_SYSTEM, IDS_SYSTEM_INFO, 1},
    {IDC_INFO_MENU_STATUS, IDB_INFORMATION_MENU_STATUS, IDS_STATUS_INFO, 41},
};

const MenuColumnRegistration kRegistered(CInfoMenuDlg::IDD, kButtons);

} // namespace

CInfoMenuDlg::CInfoMenuDlg() : CArchiveMenuDlg(IDD, kSlotInfoMenu, kButtons) {}

BOOL CInfoMenuDlg::OnInitDialog() {
    CArchiveMenuDlg::OnInitDialog();
    Resume().ClearRecord();
    OnMenuButton(IDC_INFO_MENU_SYSTEM);
    return TRUE;
}

void CInfoMenuDlg::OnMenuButton(UINT id) {
    if (id == IDC_INFO_MENU_SYSTEM) {
        SelectButton(id);
        m_pFrame->ShowSystemInfo();
    } else if (id == IDC_INFO_MENU_STATUS) {
        SelectButton(id);
        m_pFrame->RequestStatusInfo();
    }
}
