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

HWND g_capture = nullptr; // UI thread only

} // namespace

BOOL IsWindow(HWND hwnd) {
    return CHandleMap::Contains(hwnd) ? TRUE : FALSE;
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd == nullptr) {
        return 0;
    }
    if (!CMessagePump::IsUiThread()) {
        // A worker never waits for the UI thread: the message is queued and the answer is 0.
        CMessagePump::Post(hwnd, message, wParam, lParam);
        return 0;
    }
    CWnd* wnd = CHandleMap::Object(hwnd);
    return wnd != nullptr ? wnd->Dispatch(message, wParam, lParam) : 0;
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return CMessagePump::Post(hwnd, message, wParam, lParam) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL bEnable) {
    CWnd* wnd = CHandleMap::Object(hwnd);
    return wnd != nullptr ? wnd->EnableWindow(bEnable) : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
    CWnd* wnd = CHandleMap::Object(hwnd);
    return wnd != nullptr ? wnd->IsWindowEnabled() : FALSE;
}

BOOL SetWindowText(HWND hwnd, LPCSTR text) {
    if (CWnd* wnd = CHandleMap::Object(hwnd)) {
        wnd->SetWindowText(text);
        return TRUE;
    }
    // A window of the layer's own dialogs (the folder browser) has no object: set its title.
    if (QWidget* widget = CHandleMap::Widget(hwnd); widget != nullptr && CMessagePump::IsUiThread()) {
        widget->setWindowTitle(QString::fromUtf8(text == nullptr ? "" : text));
        return TRUE;
    }
    return FALSE;
}

int GetWindowText(HWND hwnd, LPSTR buffer, int maxCount) {
    CWnd* wnd = CHandleMap::Object(hwnd);
    if (wnd == nullptr) {
        if (buffer != nullptr && maxCount > 0) {
            buffer[0] = '\0';
        }
        return 0;
    }
    return wnd->GetWindowText(buffer, maxCount);
}

HWND GetParent(HWND hwnd) {
    CWnd* wnd = CHandleMap::Object(hwnd);
    CWnd* parent = wnd != nullptr ? wnd->GetParent() : nullptr;
    return parent != nullptr ? parent->GetSafeHwnd() : nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
    CWnd* wnd = CHandleMap::Object(hwnd);
    return wnd != nullptr ? wnd->GetDlgCtrlID() : 0;
}

LONG GetWindowLong(HWND hwnd, int index) {
    if (!CHandleMap::Contains(hwnd)) {
        return 0;
    }
    const CHandleMap::State state = CHandleMap::GetState(hwnd);
    switch (index) {
    case GWL_STYLE:
        return LONG(state.style);
    case GWL_EXSTYLE:
        return LONG(state.exStyle);
    case GWL_ID:
        return LONG(state.id);
    default:
        return 0;
    }
}

LONG SetWindowLong(HWND hwnd, int index, LONG value) {
    auto* host = dynamic_cast<CWndHost*>(CHandleMap::Widget(hwnd));
    if (host == nullptr || !CMessagePump::IsUiThread()) {
        return 0;
    }
    const LONG old = GetWindowLong(hwnd, index);
    switch (index) {
    case GWL_STYLE:
        host->SetStyle(DWORD(value));
        break;
    case GWL_EXSTYLE:
        host->SetExStyle(DWORD(value));
        break;
    case GWL_ID:
        host->SetControlId(UINT(value));
        break;
    default:
        return 0;
    }
    return old;
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR nIDEvent, UINT nElapse, void (*lpfnTimer)(HWND, UINT, UINT_PTR, DWORD)) {
    // Timer callbacks are not offered: every timer of the program arrives as WM_TIMER.
    (void)lpfnTimer;
    if (!CHandleMap::Contains(hwnd)) {
        return 0;
    }
    if (!CMessagePump::IsUiThread()) {
        CMessagePump::PostCall(hwnd, [nIDEvent, nElapse](CWnd& w) { w.SetTimer(nIDEvent, nElapse); });
        return nIDEvent;
    }
    return CMessagePump::SetTimer(hwnd, nIDEvent, nElapse) ? nIDEvent : 0;
}

BOOL KillTimer(HWND hwnd, UINT_PTR nIDEvent) {
    if (!CHandleMap::Contains(hwnd)) {
        return FALSE;
    }
    if (!CMessagePump::IsUiThread()) {
        CMessagePump::PostCall(hwnd, [nIDEvent](CWnd& w) { w.KillTimer(nIDEvent); });
        return TRUE;
    }
    return CMessagePump::KillTimer(hwnd, nIDEvent) ? TRUE : FALSE;
}

HWND SetFocus(HWND hwnd) {
    const HWND previous = GetFocus();
    if (!CMessagePump::IsUiThread()) {
        CMessagePump::PostCall(hwnd, [](CWnd& w) { w.SetFocus(); });
        return nullptr;
    }
    auto* host = dynamic_cast<CWndHost*>(CHandleMap::Widget(hwnd));
    if (host != nullptr) {
        host->setFocus(Qt::OtherFocusReason);
    }
    return previous;
}

HWND GetFocus() {
    if (!CMessagePump::IsUiThread()) {
        return nullptr;
    }
    CWndHost* host = CWndHost::Enclosing(QApplication::focusWidget());
    return host != nullptr ? host->Handle() : nullptr;
}

HWND SetCapture(HWND hwnd) {
    if (!CMessagePump::IsUiThread() || !CHandleMap::Contains(hwnd)) {
        return nullptr;
    }
    const HWND previous = g_capture;
    g_capture = hwnd;
    if (previous != nullptr && previous != hwnd) {
        SendMessage(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    }
    return previous;
}

BOOL ReleaseCapture() {
    if (!CMessagePump::IsUiThread()) {
        return FALSE;
    }
    const HWND previous = g_capture;
    g_capture = nullptr;
    if (previous != nullptr) {
        SendMessage(previous, WM_CAPTURECHANGED, 0, 0);
    }
    return TRUE;
}

HWND GetCapture() {
    return CMessagePump::IsUiThread() ? g_capture : nullptr;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL bErase) {
    (void)bErase; // every paint erases, then paints
    if (!CHandleMap::Contains(hwnd)) {
        return FALSE;
    }
    if (!CMessagePump::IsUiThread()) {
        std::optional<RECT> copy;
        if (rect != nullptr) {
            copy = *rect;
        }
        CMessagePump::PostCall(hwnd, [copy](CWnd& w) { w.InvalidateRect(copy ? &*copy : nullptr, TRUE); });
        return TRUE;
    }
    auto* host = dynamic_cast<CWndHost*>(CHandleMap::Widget(hwnd));
    if (host == nullptr) {
        return FALSE;
    }
    if (rect == nullptr) {
        host->update();
    } else {
        host->update(QRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top));
    }
    return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
    if (!CHandleMap::Contains(hwnd)) {
        return FALSE;
    }
    if (!CMessagePump::IsUiThread()) {
        return TRUE; // the queued invalidation paints soon enough
    }
    auto* host = dynamic_cast<CWndHost*>(CHandleMap::Widget(hwnd));
    if (host != nullptr && host->isVisible()) {
        host->repaint();
    }
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
    if (rect == nullptr) {
        return FALSE;
    }
    *rect = RECT{0, 0, 0, 0};
    if (!CMessagePump::IsUiThread()) {
        if (!CHandleMap::Contains(hwnd)) {
            return FALSE;
        }
        const SIZE client = CHandleMap::GetState(hwnd).client;
        *rect = RECT{0, 0, client.cx, client.cy};
        return TRUE;
    }
    auto* host = dynamic_cast<CWndHost*>(CHandleMap::Widget(hwnd));
    if (host == nullptr) {
        return FALSE;
    }
    *rect = RECT{0, 0, host->width(), host->height()};
    return TRUE;
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
    if (rect == nullptr) {
        return FALSE;
    }
    *rect = RECT{0, 0, 0, 0};
    if (!CMessagePump::IsUiThread()) {
        if (!CHandleMap::Contains(hwnd)) {
            return FALSE;
        }
        *rect = CHandleMap::GetState(hwnd).window;
        return TRUE;
    }
    QWidget* widget = CHandleMap::Widget(hwnd);
    if (widget == nullptr) {
        return FALSE;
    }
    if (widget->isWindow()) {
        const QRect frame = widget->frameGeometry();
        *rect = RECT{frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height()};
        return TRUE;
    }
    const QPoint origin = widget->mapToGlobal(QPoint(0, 0));
    *rect = RECT{origin.x(), origin.y(), origin.x() + widget->width(), origin.y() + widget->height()};
    return TRUE;
}

namespace {

// Off the UI thread a window's place comes from the handle table's copy of its state; on it, from
// the widget itself.
BOOL MapClientPoint(HWND hwnd, LPPOINT point, bool toScreen) {
    if (!CMessagePump::IsUiThread()) {
        if (!CHandleMap::Contains(hwnd) || point == nullptr) {
            return FALSE;
        }
        const RECT window = CHandleMap::GetState(hwnd).window;
        const LONG sign = toScreen ? 1 : -1;
        *point = POINT{point->x + sign * window.left, point->y + sign * window.top};
        return TRUE;
    }
    QWidget* widget = CHandleMap::Widget(hwnd);
    if (widget == nullptr || point == nullptr) {
        return FALSE;
    }
    const QPoint given(point->x, point->y);
    const QPoint mapped = toScreen ? widget->mapToGlobal(given) : widget->mapFromGlobal(given);
    *point = POINT{mapped.x(), mapped.y()};
    return TRUE;
}

} // namespace

BOOL ClientToScreen(HWND hwnd, LPPOINT point) {
    return MapClientPoint(hwnd, point, true);
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point) {
    return MapClientPoint(hwnd, point, false);
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    if (!CHandleMap::Contains(hwnd)) {
        return FALSE;
    }
    if (!CMessagePump::IsUiThread()) {
        CMessagePump::PostTask([=] { SetWindowPos(hwnd, insertAfter, x, y, cx, cy, flags); });
        return TRUE;
    }
    auto* host = dynamic_cast<CWndHost*>(CHandleMap::Widget(hwnd));
    if (host == nullptr) {
        return FALSE;
    }
    const QRect current = host->isWindow() ? QRect(host->pos(), host->size()) : host->geometry();
    WINDOWPOS pos{hwnd, insertAfter, x, y, cx, cy, flags};
    if ((flags & SWP_NOMOVE) != 0) {
        pos.x = current.x();
        pos.y = current.y();
    }
    if ((flags & SWP_NOSIZE) != 0) {
        pos.cx = current.width();
        pos.cy = current.height();
    }
    // The window may adjust the proposed place (docking, staying inside an area).
    SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    host = dynamic_cast<CWndHost*>(CHandleMap::Widget(hwnd));
    if (host == nullptr) {
        return FALSE;
    }
    const bool move = (pos.flags & SWP_NOMOVE) == 0 && (pos.x != current.x() || pos.y != current.y());
    const bool resize = (pos.flags & SWP_NOSIZE) == 0 && (pos.cx != current.width() || pos.cy != current.height());
    if (move) {
        host->move(pos.x, pos.y);
    }
    if (resize) {
        host->resize(std::max(0, pos.cx), std::max(0, pos.cy));
    }
    if ((pos.flags & SWP_NOZORDER) == 0) {
        if (host->isWindow() && (pos.hwndInsertAfter == HWND_TOPMOST || pos.hwndInsertAfter == HWND_NOTOPMOST)) {
            const bool topmost = pos.hwndInsertAfter == HWND_TOPMOST;
            if (host->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != topmost) {
                const bool visible = host->isVisible();
                host->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
                if (visible) {
                    host->show();
                }
            }
            host->SetExStyle(topmost ? (host->ExStyle() | WS_EX_TOPMOST) : (host->ExStyle() & ~WS_EX_TOPMOST));
        }
        if (pos.hwndInsertAfter == HWND_BOTTOM) {
            host->lower();
        } else {
            host->raise();
        }
    }
    CWnd* wnd = CHandleMap::Object(hwnd);
    if ((pos.flags & SWP_SHOWWINDOW) != 0 && wnd != nullptr) {
        wnd->ShowWindow(SW_SHOWNA);
    }
    if ((pos.flags & SWP_HIDEWINDOW) != 0 && wnd != nullptr) {
        wnd->ShowWindow(SW_HIDE);
    }
    WINDOWPOS done = pos;
    done.flags |= (move ? 0U : SWP_NOMOVE) | (resize ? 0U : SWP_NOSIZE);
    if (move || resize) {
        SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&done));
    }
    return TRUE;
}

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT track) {
    if (track == nullptr || !CMessagePump::IsUiThread()) {
        return FALSE;
    }
    CWndHost* host = CWndHost::FromHandle(track->hwndTrack);
    if ((track->dwFlags & TME_QUERY) != 0) {
        HWND tracked = nullptr;
        if (host != nullptr && host->TrackLeave()) {
            tracked = track->hwndTrack;
        }
        track->dwFlags = tracked != nullptr ? TME_LEAVE : 0;
        track->hwndTrack = tracked;
        return TRUE;
    }
    if (host == nullptr) {
        return FALSE;
    }
    if ((track->dwFlags & TME_LEAVE) != 0) {
        host->SetTrackLeave((track->dwFlags & TME_CANCEL) == 0);
    }
    return TRUE;
}

int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw) {
    (void)redraw;
    CWndHost* host = CWndHost::FromHandle(hwnd);
    if (host == nullptr || !CMessagePump::IsUiThread()) {
        return 0;
    }
    if (region == nullptr) {
        host->SetWindowRegion(std::nullopt);
    } else {
        host->SetWindowRegion(GdiRegion(region));
        // The window owns the region from now on.
        ::DeleteObject(region);
    }
    host->update();
    return 1;
}

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags) {
    CWndHost* host = CWndHost::FromHandle(hwnd);
    if (host == nullptr || (host->ExStyle() & WS_EX_LAYERED) == 0) {
        return FALSE;
    }
    if (!CMessagePump::IsUiThread()) {
        CMessagePump::PostTask([hwnd, key, alpha, flags] { SetLayeredWindowAttributes(hwnd, key, alpha, flags); });
        return TRUE;
    }
    host->SetLayered(key, alpha, flags);
    return TRUE;
}
