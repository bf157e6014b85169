#include "archive/SearchPage.h"

#include "archive/RemoteSearchDlg.h"
#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "platform/window/WinUser.h"
#include "res/ResStrings.h"

const COLORREF kPageButtonColours[4] = {0xFFFFFF, 0xF1EB62, 0xF1EB62, 0xBEB9B3};

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
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)) {
        return FALSE; // the keys reach the focused control; neither closes the page
    }
    if (pMsg->message == WM_SYSKEYDOWN && pMsg->wParam == VK_F4) {
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
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

void CSearchPage::SetUpTextButton(CSkinTextButton& button, UINT strip, UINT textId, int x, int y, int cx, int cy,
                                  const COLORREF colours[4], int xOffset, BOOL center) {
    button.LoadBitmap(strip);
    for (int i = 0; i < 4; ++i) {
        button.m_clrText[i] = colours[i];
    }
    button.SetFont(9, 0, 700, "Arial Bold");
    button.SetCaption(xOffset, LoadResString(textId), center);
    button.MoveWindow(x, y, cx, cy);
}

void CSearchPage::SetUpCaption(CSkinLabel& label, UINT textId, int x, int y, int cx, int cy, COLORREF colour) {
    label.SetTextStyle2(colour, colour, 0, 0, TRUE, 9, "Arial Bold");
    label.SetText(textId != 0 ? LoadResString(textId).GetString() : "");
    label.MoveWindow(x, y, cx, cy);
}

void CSearchPage::SetUpField(CSkinLabel& label, int x, int y, int cx, int cy, bool clickable) {
    label.LoadBitmap(0, 1700);
    if (clickable) {
        label.SetTextStyle(0xE6D200, 0x783C3C, 0, 1, TRUE, 9, "Arial Bold");
    } else {
        label.SetTextStyle(0x783C3C, 0x783C3C, 0, 0, TRUE, 9, "Arial Bold");
    }
    label.MoveWindow(x, y, cx, cy);
}

void CSearchPage::ReplaceText(CSkinLabel& label, LPCSTR text) {
    label.ShowWindow(SW_HIDE);
    label.SetText(text);
    label.ShowWindow(SW_SHOW);
}
