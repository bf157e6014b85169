#include "archive/LocalInfoMenuDlg.h"

#include "archive/LocalSearchDlg.h"
#include "platform/window/DataExchange.h"

namespace {

const DialogItem kItems[] = {
    {CLocalInfoMenuDlg::kIdButton, "BUTTON", 2, 1, 130, 35, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW},
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

CLocalInfoMenuDlg::CLocalInfoMenuDlg() : CLocalSearchPage(IDD, kLocalSlotInfoMenu, 1652, 14, 74, 174, 430) {}

void CLocalInfoMenuDlg::DoDataExchange(CDataExchange* pDX) {
    CLocalSearchPage::DoDataExchange(pDX);
    DDX_Control(pDX, kIdButton, m_btn);
}

BOOL CLocalInfoMenuDlg::OnInitDialog() {
    CLocalSearchPage::OnInitDialog();
    m_btn.LoadBitmap(2176);
    m_btn.MoveWindow(2, 1, 130, 35);
    OnInfo();
    return TRUE;
}

BOOL CLocalInfoMenuDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kIdButton) {
        OnInfo();
        return TRUE;
    }
    return CLocalSearchPage::OnCommand(wParam, lParam);
}

void CLocalInfoMenuDlg::OnInfo() {
    m_btn.SetState(0);
    m_btn.SetState(1);
    if (m_pFrame != nullptr) {
        m_pFrame->ShowInfoPage();
    }
}
