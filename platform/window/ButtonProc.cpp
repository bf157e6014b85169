#include "platform/window/ButtonProc.h"

#include "platform/gdi/Brush.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Pen.h"
#include "platform/window/Wnd.h"
#include "platform/window/WndHost.h"

UINT CButtonProc::Kind(const CWndHost& host) const {
    return host.Style() & BS_TYPEMASK;
}

void CButtonProc::Attach(CWndHost& host) {
    host.setFocusPolicy(Qt::StrongFocus);
}

void CButtonProc::SetPushed(CWndHost& host, bool pushed) {
    if (m_pushed != pushed) {
        m_pushed = pushed;
        host.update();
    }
}

void CButtonProc::Click(CWndHost& host, CWnd& wnd) {
    const UINT kind = Kind(host);
    const HWND hwnd = host.Handle();
    if (kind == BS_AUTOCHECKBOX) {
        wnd.SendMessage(BM_SETCHECK, m_checked ? BST_UNCHECKED : BST_CHECKED, 0);
    } else if (kind == BS_AUTORADIOBUTTON) {
        wnd.SendMessage(BM_SETCHECK, BST_CHECKED, 0);
        // The other automatic radio buttons of the group are cleared.
        if (CWnd* parent = wnd.GetParent()) {
            for (CWnd* other = parent->GetNextDlgGroupItem(&wnd); other != nullptr && other != &wnd;
                 other = parent->GetNextDlgGroupItem(other)) {
                if ((other->GetStyle() & BS_TYPEMASK) == BS_AUTORADIOBUTTON) {
                    other->SendMessage(BM_SETCHECK, BST_UNCHECKED, 0);
                }
            }
        }
    }
    if (CWnd* parent = CWnd::FromHandle(::GetParent(hwnd))) {
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(host.ControlId()), BN_CLICKED), reinterpret_cast<LPARAM>(hwnd));
    }
}

LRESULT CButtonProc::DefProc(CWndHost& host, CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    const HWND hwnd = host.Handle();
    const UINT kind = Kind(host);
    switch (message) {
    case WM_GETDLGCODE:
        switch (kind) {
        case BS_DEFPUSHBUTTON:
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case BS_PUSHBUTTON:
        case BS_OWNERDRAW:
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return DLGC_BUTTON | DLGC_RADIOBUTTON;
        case BS_GROUPBOX:
            return DLGC_STATIC;
        default:
            return DLGC_BUTTON;
        }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (kind == BS_GROUPBOX) {
            return 0;
        }
        ::SetCapture(hwnd);
        ::SetFocus(hwnd);
        SetPushed(host, true);
        return 0;
    case WM_MOUSEMOVE:
        if (::GetCapture() == hwnd && (wParam & MK_LBUTTON) != 0) {
            const QPoint p{SHORT(LOWORD(DWORD_PTR(lParam))), SHORT(HIWORD(DWORD_PTR(lParam)))};
            SetPushed(host, host.rect().contains(p));
        }
        return 0;
    case WM_LBUTTONUP: {
        if (::GetCapture() != hwnd) {
            return 0;
        }
        const QPoint p{SHORT(LOWORD(DWORD_PTR(lParam))), SHORT(HIWORD(DWORD_PTR(lParam)))};
        const bool inside = host.rect().contains(p);
        ::ReleaseCapture();
        SetPushed(host, false);
        if (inside && ::IsWindow(hwnd)) {
            Click(host, wnd);
        }
        return 0;
    }
    case WM_CAPTURECHANGED:
        SetPushed(host, false);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && (lParam & (LPARAM(1) << 30)) == 0) {
            m_spaceDown = true;
            SetPushed(host, true);
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && m_spaceDown) {
            m_spaceDown = false;
            SetPushed(host, false);
            Click(host, wnd);
        }
        return 0;
    case WM_SETFOCUS:
        m_focus = true;
        host.update();
        return 0;
    case WM_KILLFOCUS:
        m_focus = false;
        m_spaceDown = false;
        if (::GetCapture() == hwnd) {
            ::ReleaseCapture();
        }
        SetPushed(host, false);
        host.update();
        return 0;
    case WM_ENABLE:
        host.update();
        return 0;
    case BM_SETCHECK:
        if (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON ||
            kind == BS_3STATE || kind == BS_AUTO3STATE) {
            m_checked = wParam != BST_UNCHECKED;
            host.update();
        }
        return 0;
    case BM_GETCHECK:
        return m_checked ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETSTATE:
        SetPushed(host, wParam != 0);
        return 0;
    case BM_GETSTATE:
        return (m_pushed ? BST_PUSHED : 0) | (m_checked ? BST_CHECKED : 0) | (m_focus ? BST_FOCUS : 0);
    case BM_CLICK:
        Click(host, wnd);
        return 0;
    case WM_ERASEBKGND:
        if (kind == BS_OWNERDRAW) {
            // The parent's button colour under an owner-drawn button, before it draws itself.
            CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
            auto brush = reinterpret_cast<HBRUSH>(
                ::SendMessage(::GetParent(hwnd), WM_CTLCOLORBTN, wParam, reinterpret_cast<LPARAM>(hwnd)));
            if (dc != nullptr) {
                RECT client{0, 0, host.width(), host.height()};
                dc->FillRect(&client, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));
            }
        }
        return 1;
    case WM_PAINT:
        Paint(host, wnd);
        return 0;
    default:
        handled = false;
        return 0;
    }
}

void CButtonProc::Paint(CWndHost& host, CWnd& wnd) {
    CDC* dc = host.PaintDC();
    if (dc == nullptr) {
        return;
    }
    const HWND hwnd = host.Handle();
    const UINT kind = Kind(host);
    RECT client{0, 0, host.width(), host.height()};
    const bool disabled = (host.Style() & WS_DISABLED) != 0;
    if (kind == BS_OWNERDRAW) {
        DRAWITEMSTRUCT item{ODT_BUTTON,
                            host.ControlId(),
                            0,
                            ODA_DRAWENTIRE,
                            (m_pushed ? ODS_SELECTED : 0U) | (m_focus ? ODS_FOCUS : 0U) |
                                (disabled ? ODS_DISABLED : 0U),
                            hwnd,
                            dc->GetSafeHdc(),
                            client,
                            0};
        const HWND parent = ::GetParent(hwnd);
        if (parent != nullptr) {
            ::SendMessage(parent, WM_DRAWITEM, host.ControlId(), reinterpret_cast<LPARAM>(&item));
        } else {
            LRESULT ignored = 0;
            wnd.OnChildNotify(WM_DRAWITEM, host.ControlId(), reinterpret_cast<LPARAM>(&item), &ignored);
        }
        return;
    }
    const int saved = dc->SaveDC();
    if (host.FontHandle() != nullptr) {
        dc->SelectObject(static_cast<HGDIOBJ>(host.FontHandle()));
    }
    auto brush = reinterpret_cast<HBRUSH>(::SendMessage(
        ::GetParent(hwnd), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc->GetSafeHdc()), reinterpret_cast<LPARAM>(hwnd)));
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    const CString& text = host.Text();
    if (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON) {
        dc->FillRect(&client, GetSysColorBrush(COLOR_BTNFACE));
        RECT edge = client;
        dc->DrawEdge(&edge, m_pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        RECT label = client;
        if (m_pushed) {
            label.left += 1;
            label.top += 1;
        }
        dc->DrawText(text.GetString(), &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (m_focus) {
            RECT focus{client.left + 3, client.top + 3, client.right - 3, client.bottom - 3};
            dc->DrawFocusRect(&focus);
        }
    } else if (kind == BS_GROUPBOX) {
        if (brush != nullptr) {
            dc->FillRect(&client, brush);
        }
        RECT frame{client.left, client.top + 6, client.right, client.bottom};
        dc->DrawEdge(&frame, EDGE_ETCHED, BF_RECT);
        RECT label{client.left + 8, client.top, client.right - 8, client.top + 14};
        dc->DrawText(text.GetString(), &label, DT_LEFT | DT_SINGLELINE);
    } else {
        if (brush != nullptr) {
            dc->FillRect(&client, brush);
        }
        const bool radio = kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON;
        const int box = 13;
        const int top = (client.bottom - box) / 2;
        RECT mark{0, top, box, top + box};
        CBrush white(GetSysColor(disabled ? COLOR_BTNFACE : COLOR_WINDOW));
        if (radio) {
            CBrush* oldBrush = dc->SelectObject(&white);
            dc->Ellipse(&mark);
            if (m_checked) {
                CBrush dot(GetSysColor(COLOR_WINDOWTEXT));
                dc->SelectObject(&dot);
                dc->Ellipse(4, top + 4, 9, top + 9);
            }
            dc->SelectObject(oldBrush);
        } else {
            dc->FillRect(&mark, &white);
            RECT edge = mark;
            dc->DrawEdge(&edge, EDGE_SUNKEN, BF_RECT);
            if (m_checked) {
                CPen pen(PS_SOLID, 2, GetSysColor(COLOR_WINDOWTEXT));
                CPen* oldPen = dc->SelectObject(&pen);
                dc->MoveTo(3, top + 6);
                dc->LineTo(5, top + 9);
                dc->LineTo(10, top + 3);
                dc->SelectObject(oldPen);
            }
        }
        RECT label{box + 4, client.top, client.right, client.bottom};
        dc->DrawText(text.GetString(), &label, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        if (m_focus) {
            dc->DrawFocusRect(&label);
        }
    }
    dc->RestoreDC(saved);
}
