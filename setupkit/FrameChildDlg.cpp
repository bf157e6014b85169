#include "setupkit/FrameChildDlg.h"

#include "controls/KeyPolicy.h"
#include "setupkit/ChildSlots.h"

CFrameChildDlg::CFrameChildDlg(UINT nIDTemplate, CWnd* pParent, Lifetime lifetime)
    : CDialog(nIDTemplate, pParent), m_lifetime(lifetime) {}

BOOL CFrameChildDlg::PreTranslateMessage(MSG* pMsg) {
    return PreTranslateKeys(*this, KeyPolicies::kSkinnedWindow, pMsg);
}

BOOL CFrameChildDlg::CreateIn(IChildSlots* slots, CWnd* frame) {
    m_pSlots = slots;
    return CDialog::Create(m_nIDTemplate, frame);
}

void CFrameChildDlg::LoadBackground(UINT bitmapId, const RECT& rect) {
    m_bmBackground.DeleteObject();
    m_bmBackground.LoadBitmap(bitmapId);
    m_rcBackground = rect;
}

BOOL CFrameChildDlg::OnEraseBkgnd(CDC* pDC) {
    DrawBitmap(pDC, m_bmBackground, m_rcBackground.left, m_rcBackground.top, m_rcBackground.right,
               m_rcBackground.bottom, TRUE, 0);
    return TRUE;
}

void CFrameChildDlg::OnClose() {
    DestroyWindow();
}

void CFrameChildDlg::OnNcDestroy() {
    CDialog::OnNcDestroy();
    if (m_pSlots == nullptr) {
        return;
    }
    m_pSlots->ChildWindowGone(this);
    if (m_lifetime == Lifetime::kFreesItself) {
        // The frame may be gone before this object frees itself.
        m_pSlots = nullptr;
    }
}

void CFrameChildDlg::PostNcDestroy() {
    if (m_lifetime == Lifetime::kFreesItself) {
        delete this;
        return;
    }
    // The frame frees this object here; nothing of it may be touched afterwards.
    if (m_pSlots != nullptr) {
        m_pSlots->ReleaseChild(this);
    }
}
