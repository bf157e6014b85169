#include "setup/SetupChildDlg.h"

#include "controls/KeyPolicy.h"
#include "setup/SetupDlg.h"

CSetupChildDlg::CSetupChildDlg(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {}

BOOL CSetupChildDlg::PreTranslateMessage(MSG* pMsg) {
    return PreTranslateKeys(*this, KeyPolicies::kSkinnedWindow, pMsg);
}

BOOL CSetupChildDlg::CreateIn(CSetupDlg* pFrame) {
    m_pFrame = pFrame;
    return CDialog::Create(m_nIDTemplate, pFrame);
}

void CSetupChildDlg::LoadBackground(UINT bitmapId, const RECT& rect) {
    m_bmBackground.DeleteObject();
    m_bmBackground.LoadBitmap(bitmapId);
    m_rcBackground = rect;
}

BOOL CSetupChildDlg::OnEraseBkgnd(CDC* pDC) {
    DrawBitmap(pDC, m_bmBackground, m_rcBackground.left, m_rcBackground.top, m_rcBackground.right,
               m_rcBackground.bottom, TRUE, 0);
    return TRUE;
}

void CSetupChildDlg::OnClose() {
    DestroyWindow();
}

void CSetupChildDlg::OnNcDestroy() {
    CDialog::OnNcDestroy();
    if (m_pFrame != nullptr) {
        m_pFrame->ChildWindowGone(this);
    }
}

void CSetupChildDlg::PostNcDestroy() {
    // The frame frees this object here; nothing of it may be touched afterwards.
    if (m_pFrame != nullptr) {
        m_pFrame->ReleaseChild(this);
    }
}
