#include "archive/InfoMenuDlg.h"

#include "archive/RemoteSearchDlg.h"
#include "res/BitmapIds.h"
#include "res/TextIds.h"

namespace {

constexpr MenuButtonSpec kButtons[] = {
    {450, IDB_INFORMATION_MENU_SYSTEM, IDS_SYSTEM_INFO, 1},
    {451, IDB_INFORMATION_MENU_STATUS, IDS_STATUS_INFO, 41},
};

const DialogItem kItems[] = {
    {450, "BUTTON", 2, 1, 170, 35, WS_VISIBLE | BS_OWNERDRAW},
    {451, "BUTTON", 2, 41, 170, 35, WS_VISIBLE | BS_OWNERDRAW},
};
const DialogTemplate kTemplate{
    .id = CInfoMenuDlg::IDD, .x = 14, .y = 74, .cx = 174, .cy = 430, .style = WS_CHILD, .items = kItems};
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CInfoMenuDlg::CInfoMenuDlg() : CArchiveMenuDlg(IDD, kSlotInfoMenu, kButtons) {}

BOOL CInfoMenuDlg::OnInitDialog() {
    CArchiveMenuDlg::OnInitDialog();
    Resume().ClearRecord();
    OnMenuButton(450);
    return TRUE;
}

void CInfoMenuDlg::OnMenuButton(UINT id) {
    if (id == 450) {
        SelectButton(id);
        m_pFrame->ShowSystemInfo();
    } else if (id == 451) {
        SelectButton(id);
        m_pFrame->RequestStatusInfo();
    }
}
