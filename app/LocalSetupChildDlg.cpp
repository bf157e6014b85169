#include "app/LocalSetupChildDlg.h"

#include "app/LocalSetupDlg.h"
#include "controls/KeyPolicy.h"

CLocalSetupChildDlg::CLocalSetupChildDlg(UINT nIDTemplate) : CDialog(nIDTemplate, nullptr) {}

BOOL CLocalSetupChildDlg::Create(CLocalSetupDlg* pFrame) {
    m_pFrame = pFrame;
    return CDialog::Create(m_nIDTemplate, pFrame);
}

BOOL CLocalSetupChildDlg::PreTranslateMessage(MSG* pMsg) {
    return PreTranslateKeys(*this, KeyPolicies::kSkinnedWindow, pMsg);
}

void CLocalSetupChildDlg::LoadBackground(UINT bitmapId, const RECT& rect) {
    m_bmBackground.DeleteObject();
    m_bmBackground.LoadBitmap(bitmapId);
    m_rcBackground = rect;
}

BOOL CLocalSetupChildDlg::OnEraseBkgnd(CDC* pDC) {
    DrawBitmap(pDC, m_bmBackground, m_rcBackground.left, m_rcBackground.top, m_rcBackground.right,
               m_rcBackground.bottom, TRUE, 0);
    return TRUE;
}

void CLocalSetupChildDlg::OnClose() {
    DestroyWindow();
}

void CLocalSetupChildDlg::OnNcDestroy() {
    CDialog::OnNcDestroy();
    if (m_pFrame != nullptr) {
        m_pFrame->ChildGone(this);
        m_pFrame = nullptr;
    }
}

void CLocalSetupChildDlg::PostNcDestroy() {
    delete this;
}
