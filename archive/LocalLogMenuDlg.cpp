#include "archive/LocalLogMenuDlg.h"

#include "archive/LocalSearchDlg.h"
#include "platform/window/DataExchange.h"

namespace {

const DialogItem kItems[] = {
    {CLocalLogMenuDlg::kIdButton, "BUTTON", 2, 1, 130, 35, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW},
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

CLocalLogMenuDlg::CLocalLogMenuDlg() : CLocalSearchPage(IDD, kLocalSlotLogMenu, 1652, 14, 74, 174, 430) {}

void CLocalLogMenuDlg::DoDataExchange(CDataExchange* pDX) {
    CLocalSearchPage::DoDataExchange(pDX);
    DDX_Control(pDX, kIdButton, m_btn);
}

BOOL CLocalLogMenuDlg::OnInitDialog() {
    CLocalSearchPage::OnInitDialog();
    m_btn.LoadBitmap(2170);
    m_btn.MoveWindow(2, 1, 130, 35);
    if (m_pFrame != nullptr) {
        m_pFrame->LoadLocalLog();
    }
    OnAll();
    return TRUE;
}

BOOL CLocalLogMenuDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kIdButton) {
        OnAll();
        return TRUE;
    }
    return CLocalSearchPage::OnCommand(wParam, lParam);
}

void CLocalLogMenuDlg::OnAll() {
    m_btn.SetState(0);
    m_btn.SetState(1);
    if (m_pFrame != nullptr) {
        m_pFrame->ShowLogPage();
    }
}
