#include "platform/window/Button.h"

int CButton::GetCheck() const {
    return int(const_cast<CButton*>(this)->SendMessage(BM_GETCHECK, 0, 0));
}

void CButton::SetCheck(int nCheck) {
    SendMessage(BM_SETCHECK, WPARAM(nCheck), 0);
}

UINT CButton::GetState() const {
    return UINT(const_cast<CButton*>(this)->SendMessage(BM_GETSTATE, 0, 0));
}

void CButton::SetState(BOOL bHighlight) {
    SendMessage(BM_SETSTATE, WPARAM(bHighlight), 0);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    (void)lpDrawItemStruct;
}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        if (pResult != nullptr) {
            *pResult = TRUE;
        }
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
