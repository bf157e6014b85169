#include "controls/TipCtrl.h"

#include "platform/window/WinApp.h"

BOOL CTipCtrl::AddTool(CWnd* pWnd, UINT nText) {
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    CWnd* owner = pWnd->GetParent();
    static char kNoText[] = "";
    TOOLINFO info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner != nullptr ? owner->GetSafeHwnd() : nullptr;
    info.uId = reinterpret_cast<UINT_PTR>(pWnd->GetSafeHwnd());
    info.hinst = AfxGetInstanceHandle();
    info.lpszText = nText == UINT(-1) ? LPSTR_TEXTCALLBACK : kNoText;
    return CToolTipCtrl::AddTool(&info);
}
