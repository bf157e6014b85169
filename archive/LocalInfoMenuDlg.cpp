#include "archive/LocalInfoMenuDlg.h"

#include "archive/LocalSearchDlg.h"
#include "res/BitmapIds.h"

namespace {

const DialogItem kItems[] = {
    {CLocalInfoMenuDlg::kIdButton, "BUTTON", 2, 1, CLocalButtonMenuDlg::kMenuButtonWidth, 35,
     WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW},
};
const DialogTemplate kTemplate{.id = CLocalInfoMenuDlg::IDD,
                               .x = 14,
                               .y = 74,
                               .cx = 174,
                               .cy = 430,
                               .style = WS_CHILD,
                               .items = kItems,
                               .fontFace = "System",
                               .fontPointSize = 10};
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CLocalInfoMenuDlg::CLocalInfoMenuDlg() : CLocalButtonMenuDlg(IDD, kLocalSlotInfoMenu, IDB_INFORMATION_MENU_SYSTEM) {}

BOOL CLocalInfoMenuDlg::OnInitDialog() {
    CLocalButtonMenuDlg::OnInitDialog();
    OnInfo();
    return TRUE;
}

void CLocalInfoMenuDlg::OnInfo() {
    PressButton();
    if (m_pFrame != nullptr) {
        m_pFrame->ShowInfoPage();
    }
}
