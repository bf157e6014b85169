#include "platform/window/Static.h"

BOOL CStatic::Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* pParent, UINT nID) {
    return CWnd::Create("STATIC", text, style, rect, pParent, nID);
}

void CStatic::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    (void)lpDrawItemStruct;
}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        if (pResult != nullptr) {
            *pResult = TRUE;
        }
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
