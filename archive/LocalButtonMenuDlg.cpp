#include "archive/LocalButtonMenuDlg.h"

#include "archive/LocalSearchDlg.h"
#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"

CLocalButtonMenuDlg::CLocalButtonMenuDlg(UINT idd, int slot, UINT buttonBitmap, FrameStep showPage, FrameStep onOpen)
    : CLocalSearchPage(idd, slot, IDB_FRAME_MENU_TAB_PANEL, 14, 74, 174, 430), m_nButtonBitmap(buttonBitmap),
      m_showPage(showPage), m_onOpen(onOpen) {}

void CLocalButtonMenuDlg::OnButton() {
    m_btn.SetState(kButtonNormal);
    m_btn.SetState(kButtonOn);
    if (m_pFrame != nullptr) {
        (m_pFrame->*m_showPage)();
    }
}

void CLocalButtonMenuDlg::DoDataExchange(CDataExchange* pDX) {
    CLocalSearchPage::DoDataExchange(pDX);
    DDX_Control(pDX, kIdButton, m_btn);
}

BOOL CLocalButtonMenuDlg::OnInitDialog() {
    CLocalSearchPage::OnInitDialog();
    m_btn.LoadBitmap(m_nButtonBitmap);
    m_btn.MoveWindow(2, 1, kMenuButtonWidth, 35);
    if (m_pFrame != nullptr && m_onOpen != nullptr) {
        (m_pFrame->*m_onOpen)();
    }
    OnButton();
    return TRUE;
}

BOOL CLocalButtonMenuDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kIdButton) {
        OnButton();
        return TRUE;
    }
    return CLocalSearchPage::OnCommand(wParam, lParam);
}
