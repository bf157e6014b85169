#include "archive/SearchPage.h"

#include "archive/RemoteSearchDlg.h"
#include "controls/KeyPolicy.h"
#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "platform/window/WinUser.h"
#include "res/ResStrings.h"

CSearchPage::CSearchPage(UINT idd, int slot, UINT background, int x, int y, int cx, int cy)
    : CDialog(idd, nullptr), m_nSlot(slot), m_nBackground(background), m_x(x), m_y(y), m_cx(cx), m_cy(cy) {}

BOOL CSearchPage::Create(CRemoteSearchDlg* frame) {
    m_pFrame = frame;
    return CDialog::Create(m_nIDTemplate, frame);
}

void CSearchPage::OnItemPicked(UINT, UINT) {}

void CSearchPage::OnTimePicked(UINT, int, int, int) {}

void CSearchPage::OnBackupSize(DWORD) {}

BOOL CSearchPage::PreTranslateMessage(MSG* pMsg) {
    return PreTranslateKeys(*this, KeyPolicies::kSkinnedWindow, pMsg);
}

BOOL CSearchPage::OnInitDialog() {
    CDialog::OnInitDialog();
    m_bmBackground.LoadBitmap(m_nBackground);
    MoveWindow(m_x, m_y, m_cx, m_cy);
    return TRUE;
}

void CSearchPage::SetBackground(UINT id) {
    m_nBackground = id;
    m_bmBackground.DeleteObject();
    m_bmBackground.LoadBitmap(id);
    Invalidate(TRUE);
}

void CSearchPage::OnDestroy() {
    // The slot empties with the window, so the frame never holds a page that is going.
    if (m_pFrame != nullptr) {
        m_pFrame->OnPageDestroyed(m_nSlot, this);
    }
    CDialog::OnDestroy();
}

void CSearchPage::PostNcDestroy() {
    // The page belongs to its window: it was handed over when the window was made.
    delete this;
}

void CSearchPage::OnClose() {
    DestroyWindow();
}

void CSearchPage::OnLButtonDown(UINT nFlags, CPoint point) {
    ClosePickers();
    CDialog::OnLButtonDown(nFlags, point);
}

BOOL CSearchPage::OnEraseBkgnd(CDC* pDC) {
    DrawBitmap(pDC, m_bmBackground, 0, 0, m_cx, m_cy, TRUE, 0);
    return TRUE;
}

IArchiveHost& CSearchPage::Host() {
    return m_pFrame->Host();
}

CDvrClient* CSearchPage::Client() {
    return m_pFrame != nullptr ? m_pFrame->Client() : nullptr;
}

bool CSearchPage::FrameBusy() const {
    return m_pFrame != nullptr && m_pFrame->IsBusy();
}

void CSearchPage::ClosePickers() {
    if (m_pFrame != nullptr) {
        m_pFrame->ClosePickers();
    }
}
