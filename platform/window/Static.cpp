#include "platform/window/Static.h"

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
