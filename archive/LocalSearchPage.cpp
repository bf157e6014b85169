#include "archive/LocalSearchPage.h"

#include "archive/LocalSearchDlg.h"
#include "controls/KeyPolicy.h"

CLocalSearchPage::CLocalSearchPage(UINT idd, int slot, UINT background, int x, int y, int cx, int cy)
    : CDialog(idd, nullptr), m_nSlot(slot), m_nBackground(background), m_x(x), m_y(y), m_cx(cx), m_cy(cy) {}

BOOL CLocalSearchPage::Create(CLocalSearchDlg* frame) {
    m_pFrame = frame;
    return CDialog::Create(m_nIDTemplate, frame);
}

void CLocalSearchPage::OnItemPicked(UINT, UINT) {}

void CLocalSearchPage::OnTimePicked(UINT, int, int, int) {}

BOOL CLocalSearchPage::PreTranslateMessage(MSG* pMsg) {
    return PreTranslateKeys(*this, KeyPolicies::kSkinnedWindow, pMsg);
}

BOOL CLocalSearchPage::OnInitDialog() {
    CDialog::OnInitDialog();
    m_bmBackground.LoadBitmap(m_nBackground);
    MoveWindow(m_x, m_y, m_cx, m_cy);
    return TRUE;
}

void CLocalSearchPage::OnDestroy() {
    // The slot empties with the window, so the frame never holds a page that is going.
    if (m_pFrame != nullptr) {
        m_pFrame->OnPageDestroyed(m_nSlot, this);
    }
    CDialog::OnDestroy();
}

void CLocalSearchPage::PostNcDestroy() {
    // The page belongs to its window: it was handed over when the window was made.
    delete this;
}

void CLocalSearchPage::OnClose() {
    DestroyWindow();
}

void CLocalSearchPage::OnLButtonDown(UINT nFlags, CPoint point) {
    ClosePickers();
    CDialog::OnLButtonDown(nFlags, point);
}

BOOL CLocalSearchPage::OnEraseBkgnd(CDC* pDC) {
    DrawBitmap(pDC, m_bmBackground, 0, 0, m_cx, m_cy, TRUE, 0);
    return TRUE;
}

ILocalSearchHost& CLocalSearchPage::Host() {
    return m_pFrame->Host();
}

void CLocalSearchPage::ClosePickers() {
    if (m_pFrame != nullptr) {
        m_pFrame->ClosePickers();
    }
}
