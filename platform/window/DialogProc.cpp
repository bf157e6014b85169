#include "platform/window/DialogProc.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/Wnd.h"
#include "platform/window/WndHost.h"

LRESULT CDialogProc::DefProc(CWndHost& host, CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    (void)lParam;
    handled = true;
    const HWND hwnd = host.Handle();
    switch (message) {
    case WM_ERASEBKGND: {
        CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
        auto brush = reinterpret_cast<HBRUSH>(wnd.SendMessage(WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(hwnd)));
        if (dc != nullptr) {
            RECT client{0, 0, host.width(), host.height()};
            dc->FillRect(&client, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));
        }
        return 1;
    }
    case WM_CLOSE: {
        CWnd* cancel = wnd.GetDlgItem(IDCANCEL);
        wnd.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                        reinterpret_cast<LPARAM>(cancel != nullptr ? cancel->GetSafeHwnd() : nullptr));
        return 0;
    }
    case WM_SETFOCUS:
        if (CWnd* first = wnd.GetNextDlgTabItem(nullptr)) {
            first->SetFocus();
        }
        return 0;
    default:
        handled = false;
        return 0;
    }
}
