#include "archive/LocalLogMenuDlg.h"

#include "archive/LocalSearchDlg.h"
#include "res/BitmapIds.h"

namespace {

const DialogItem kItems[] = {
    {CLocalLogMenuDlg::kIdButton, "BUTTON", 2, 1, CLocalButtonMenuDlg::kMenuButtonWidth, 35,
     WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW},
};
const DialogTemplate kTemplate{.id = CLocalLogMenuDlg::IDD,
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

CLocalLogMenuDlg::CLocalLogMenuDlg() : CLocalButtonMenuDlg(IDD, kLocalSlotLogMenu, IDB_LOG_MENU_ALL) {}

BOOL CLocalLogMenuDlg::OnInitDialog() {
    CLocalButtonMenuDlg::OnInitDialog();
    if (m_pFrame != nullptr) {
        m_pFrame->LoadLocalLog();
    }
    OnAll();
    return TRUE;
}

void CLocalLogMenuDlg::OnAll() {
    PressButton();
    if (m_pFrame != nullptr) {
        m_pFrame->ShowLogPage();
    }
}
