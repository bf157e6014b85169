#include "platform/window/StaticProc.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/Wnd.h"
#include "platform/window/WndHost.h"

void CStaticProc::StyleChanged(CWndHost& host) {
    host.setAttribute(Qt::WA_TransparentForMouseEvents, (host.Style() & SS_NOTIFY) == 0);
}

LRESULT CStaticProc::DefProc(CWndHost& host, CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    (void)lParam;
    handled = true;
    const bool notify = (host.Style() & SS_NOTIFY) != 0;
    switch (message) {
    case WM_NCHITTEST:
        return notify ? HTCLIENT : HTTRANSPARENT;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (notify) {
            const WORD code = message == WM_LBUTTONDOWN ? STN_CLICKED : STN_DBLCLK;
            const HWND hwnd = host.Handle();
            ::SendMessage(::GetParent(hwnd), WM_COMMAND, MAKEWPARAM(WORD(host.ControlId()), code),
                          reinterpret_cast<LPARAM>(hwnd));
        }
        return 0;
    case WM_ERASEBKGND:
        // A static paints its background in WM_PAINT, with the brush its parent gives.
        (void)wParam;
        return 1;
    case WM_ENABLE:
        host.update();
        return 0;
    case WM_PAINT:
        Paint(host, wnd);
        return 0;
    default:
        handled = false;
        return 0;
    }
}

void CStaticProc::Paint(CWndHost& host, CWnd& wnd) {
    CDC* dc = host.PaintDC();
    if (dc == nullptr) {
        return;
    }
    const HWND hwnd = host.Handle();
    const DWORD style = host.Style();
    const DWORD type = style & SS_TYPEMASK;
    RECT client{0, 0, host.width(), host.height()};
    if (type == SS_OWNERDRAW) {
        DRAWITEMSTRUCT item{
            ODT_STATIC,       host.ControlId(), 0, ODA_DRAWENTIRE, (style & WS_DISABLED) != 0 ? ODS_DISABLED : 0U, hwnd,
            dc->GetSafeHdc(), client,           0};
        ::SendMessage(::GetParent(hwnd), WM_DRAWITEM, host.ControlId(), reinterpret_cast<LPARAM>(&item));
        return;
    }
    const int saved = dc->SaveDC();
    // The window's font first, so that a font the colour handler selects wins.
    if (host.FontHandle() != nullptr) {
        dc->SelectObject(static_cast<HGDIOBJ>(host.FontHandle()));
    }
    const HWND parent = ::GetParent(hwnd);
    auto brush =
        parent != nullptr
            ? reinterpret_cast<HBRUSH>(::SendMessage(parent, WM_CTLCOLORSTATIC,
                                                     reinterpret_cast<WPARAM>(dc->GetSafeHdc()),
                                                     reinterpret_cast<LPARAM>(hwnd)))
            : reinterpret_cast<HBRUSH>(wnd.DefWindowProc(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc->GetSafeHdc()),
                                                         reinterpret_cast<LPARAM>(hwnd)));
    if (type == SS_BLACKRECT) {
        dc->FillRect(&client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        dc->RestoreDC(saved);
        return;
    }
    if (type != SS_SIMPLE && type != SS_BITMAP && brush != nullptr) {
        dc->FillRect(&client, brush);
    }
    UINT format = DT_NOPREFIX;
    switch (type) {
    case SS_CENTER:
        format |= DT_CENTER | DT_WORDBREAK;
        break;
    case SS_RIGHT:
        format |= DT_RIGHT | DT_WORDBREAK;
        break;
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
        format |= DT_LEFT | DT_SINGLELINE;
        break;
    case SS_LEFT:
        format |= DT_LEFT | DT_WORDBREAK;
        break;
    default:
        dc->RestoreDC(saved);
        return;
    }
    if ((style & SS_CENTERIMAGE) != 0) {
        format = (format & ~DT_WORDBREAK) | DT_VCENTER | DT_SINGLELINE;
    }
    if ((style & WS_DISABLED) != 0 && type != SS_SIMPLE) {
        dc->SetTextColor(GetSysColor(COLOR_GRAYTEXT));
    }
    const CString& text = host.Text();
    if (!text.IsEmpty()) {
        dc->DrawText(text.GetString(), &client, format);
    }
    dc->RestoreDC(saved);
}
