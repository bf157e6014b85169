#include "platform/window/Edit.h"

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* pParent, UINT nID) {
    return CWnd::Create("EDIT", nullptr, style, rect, pParent, nID);
}

void CEdit::SetLimitText(UINT nMax) {
    SendMessage(EM_LIMITTEXT, nMax, 0);
}

UINT CEdit::GetLimitText() const {
    return UINT(const_cast<CEdit*>(this)->SendMessage(EM_GETLIMITTEXT, 0, 0));
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll) {
    (void)bNoScroll;
    SendMessage(EM_SETSEL, WPARAM(nStartChar), LPARAM(nEndChar));
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const {
    const auto packed = DWORD(const_cast<CEdit*>(this)->SendMessage(EM_GETSEL, 0, 0));
    nStartChar = LOWORD(packed);
    nEndChar = HIWORD(packed);
}

BOOL CEdit::SetReadOnly(BOOL bReadOnly) {
    return BOOL(SendMessage(EM_SETREADONLY, WPARAM(bReadOnly), 0));
}
