#include "platform/window/Wnd.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiQt.h"
#include "platform/window/ClientDC.h"
#include "platform/window/DeferredCall.h"
#include "platform/window/HandleMap.h"
#include "platform/window/MessageBox.h"
#include "platform/window/MessagePump.h"
#include "platform/window/WndClassProc.h"
#include "platform/window/WndClasses.h"
#include "platform/window/WndHost.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

// The message being handled on this thread, for Default(); one frame per nested dispatch.
struct DispatchFrame {
    MSG msg;
    const DispatchFrame* prev;
};
thread_local const DispatchFrame* t_current = nullptr;

} // namespace

// ---- messages

const MSG* CWnd::GetCurrentMessage() {
    return t_current != nullptr ? &t_current->msg : nullptr;
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    DispatchFrame frame{MSG{m_hWnd.load(), message, wParam, lParam, 0, {0, 0}}, t_current};
    t_current = &frame;
    // Nothing of this object is touched after WindowProc: a handler may delete it.
    const LRESULT result = WindowProc(message, wParam, lParam);
    t_current = frame.prev;
    return result;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessage(m_hWnd.load(), message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostMessage(m_hWnd.load(), message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) {
        result = DefWindowProc(message, wParam, lParam);
    }
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    CWndHost* host = GetHost();
    if (host == nullptr) {
        return 0;
    }
    return host->DefaultProc(*this, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG* msg = GetCurrentMessage();
    if (msg == nullptr) {
        return 0;
    }
    return DefWindowProc(msg->message, msg->wParam, msg->lParam);
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg) {
    (void)pMsg;
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(MSG* pMsg) {
    // From the target up to its top-level window; each step looks the object up again, as a
    // handler may have destroyed windows on the way.
    HWND hwnd = pMsg->hwnd;
    while (hwnd != nullptr) {
        CWnd* wnd = CHandleMap::Object(hwnd);
        auto* host = dynamic_cast<CWndHost*>(CHandleMap::Widget(hwnd));
        if (wnd == nullptr || host == nullptr) {
            return FALSE;
        }
        const bool top = host->isWindow();
        CWndHost* parent = top ? nullptr : CWndHost::Enclosing(host->parentWidget());
        if (wnd->PreTranslateMessage(pMsg)) {
            return TRUE;
        }
        hwnd = parent != nullptr ? parent->Handle() : nullptr;
    }
    return FALSE;
}

void CWnd::DeliverPosted(UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg{m_hWnd.load(), message, wParam, lParam, 0, {0, 0}};
    if (WalkPreTranslateTree(&msg)) {
        return;
    }
    ::SendMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    LRESULT result = 0;
    const CPoint point{SHORT(LOWORD(DWORD_PTR(lParam))), SHORT(HIWORD(DWORD_PTR(lParam)))};
    switch (message) {
    case WM_CREATE:
        result = OnCreate(reinterpret_cast<void*>(lParam));
        break;
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_NCDESTROY:
        OnNcDestroy();
        break;
    case WM_CLOSE:
        OnClose();
        break;
    case WM_TIMER:
        OnTimer(UINT_PTR(wParam));
        break;
    case WM_SIZE:
        OnSize(UINT(wParam), LOWORD(DWORD_PTR(lParam)), HIWORD(DWORD_PTR(lParam)));
        break;
    case WM_MOVE:
        OnMove(point.x, point.y);
        break;
    case WM_WINDOWPOSCHANGING:
        OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case WM_WINDOWPOSCHANGED:
        OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case WM_SHOWWINDOW:
        OnShowWindow(BOOL(wParam), UINT(lParam));
        break;
    case WM_ENABLE:
        OnEnable(BOOL(wParam));
        break;
    case WM_SETFOCUS:
        OnSetFocus(FromHandle(reinterpret_cast<HWND>(wParam)));
        break;
    case WM_KILLFOCUS:
        OnKillFocus(FromHandle(reinterpret_cast<HWND>(wParam)));
        break;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(FromHandle(reinterpret_cast<HWND>(lParam)));
        break;
    case WM_KEYDOWN:
        OnKeyDown(UINT(wParam), LOWORD(DWORD_PTR(lParam)), HIWORD(DWORD_PTR(lParam)));
        break;
    case WM_KEYUP:
        OnKeyUp(UINT(wParam), LOWORD(DWORD_PTR(lParam)), HIWORD(DWORD_PTR(lParam)));
        break;
    case WM_SYSKEYDOWN:
        OnSysKeyDown(UINT(wParam), LOWORD(DWORD_PTR(lParam)), HIWORD(DWORD_PTR(lParam)));
        break;
    case WM_CHAR:
        OnChar(UINT(wParam), LOWORD(DWORD_PTR(lParam)), HIWORD(DWORD_PTR(lParam)));
        break;
    case WM_SYSCOMMAND:
        OnSysCommand(UINT(wParam), lParam);
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(UINT(wParam), point);
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown(UINT(wParam), point);
        break;
    case WM_LBUTTONUP:
        OnLButtonUp(UINT(wParam), point);
        break;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(UINT(wParam), point);
        break;
    case WM_RBUTTONDOWN:
        OnRButtonDown(UINT(wParam), point);
        break;
    case WM_RBUTTONUP:
        OnRButtonUp(UINT(wParam), point);
        break;
    case WM_MOUSEWHEEL:
        result = OnMouseWheel(LOWORD(wParam), SHORT(HIWORD(wParam)), point);
        break;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        break;
    case WM_NCHITTEST:
        result = OnNcHitTest(point);
        break;
    case WM_GETDLGCODE:
        result = LRESULT(OnGetDlgCode());
        break;
    case WM_PAINT:
        OnPaint();
        break;
    case WM_ERASEBKGND:
        result = OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        break;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        result = reinterpret_cast<LRESULT>(OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)),
                                                      FromHandle(reinterpret_cast<HWND>(lParam)),
                                                      message - WM_CTLCOLORMSGBOX));
        break;
    case WM_DRAWITEM:
        OnDrawItem(int(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        result = TRUE;
        break;
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(OnQueryDragIcon());
        break;
    case WM_QUERYNEWPALETTE:
        result = OnQueryNewPalette();
        break;
    case WM_PALETTECHANGED:
        OnPaletteChanged(FromHandle(reinterpret_cast<HWND>(wParam)));
        break;
    case WM_COMMAND: {
        // A control's notification goes back to the control first, then to this window.
        CWnd* control = lParam != 0 ? FromHandle(reinterpret_cast<HWND>(lParam)) : nullptr;
        if (control != nullptr && control != this && control->OnChildNotify(message, wParam, lParam, &result)) {
            break;
        }
        if (!OnCommand(wParam, lParam)) {
            return FALSE;
        }
        break;
    }
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        CWnd* control = header != nullptr ? FromHandle(header->hwndFrom) : nullptr;
        if (control != nullptr && control != this && control->OnChildNotify(message, wParam, lParam, &result)) {
            break;
        }
        if (!OnNotify(wParam, lParam, &result)) {
            return FALSE;
        }
        break;
    }
    default:
        return FALSE;
    }
    *pResult = result;
    return TRUE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    (void)message;
    (void)wParam;
    (void)lParam;
    (void)pResult;
    return FALSE;
}

// ---- default handlers

int CWnd::OnCreate(void* lpCreateStruct) {
    (void)lpCreateStruct;
    return int(Default());
}
void CWnd::OnDestroy() {
    Default();
}
void CWnd::OnNcDestroy() {
    Default();
}
void CWnd::OnClose() {
    Default();
}
void CWnd::OnTimer(UINT_PTR nIDEvent) {
    (void)nIDEvent;
    Default();
}
void CWnd::OnSize(UINT, int, int) {
    Default();
}
void CWnd::OnMove(int, int) {
    Default();
}
void CWnd::OnWindowPosChanging(WINDOWPOS*) {
    Default();
}
void CWnd::OnWindowPosChanged(WINDOWPOS*) {
    Default();
}
void CWnd::OnShowWindow(BOOL, UINT) {
    Default();
}
void CWnd::OnEnable(BOOL) {
    Default();
}
void CWnd::OnSetFocus(CWnd*) {
    Default();
}
void CWnd::OnKillFocus(CWnd*) {
    Default();
}
void CWnd::OnCaptureChanged(CWnd*) {
    Default();
}
void CWnd::OnKeyDown(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnSysKeyDown(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnChar(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnSysCommand(UINT, LPARAM) {
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonUp(UINT, CPoint) {
    Default();
}
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) {
    return BOOL(Default());
}
void CWnd::OnMouseLeave() {
    Default();
}
LRESULT CWnd::OnNcHitTest(CPoint) {
    return Default();
}
UINT CWnd::OnGetDlgCode() {
    return UINT(Default());
}
BOOL CWnd::OnCommand(WPARAM, LPARAM) {
    return FALSE;
}
BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*) {
    return FALSE;
}
void CWnd::OnPaint() {
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*) {
    return BOOL(Default());
}
HBRUSH CWnd::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (pWnd != nullptr && pWnd != this) {
        if (HBRUSH brush = pWnd->CtlColor(pDC, nCtlColor)) {
            return brush;
        }
    }
    return reinterpret_cast<HBRUSH>(Default());
}
void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT) {
    Default();
}
HBRUSH CWnd::CtlColor(CDC*, UINT) {
    return nullptr;
}
HICON CWnd::OnQueryDragIcon() {
    return reinterpret_cast<HICON>(Default());
}
BOOL CWnd::OnQueryNewPalette() {
    return FALSE;
}
void CWnd::OnPaletteChanged(CWnd*) {}
