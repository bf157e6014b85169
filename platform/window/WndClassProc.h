#pragma once
// The default behaviour of a window class (push button, static, edit, report list, dialog): what
// DefWindowProc does for a window of that class before the behaviour all windows share.

#include "platform/base/WinTypes.h"

class CWnd;
class CWndHost;
class QEvent;

class CWndClassProc {
public:
    virtual ~CWndClassProc() = default;
    // Sets up the widget once the window has its handle (inner widgets, focus policy, attributes).
    virtual void Attach(CWndHost& host) { (void)host; }
    // Called when the window's style changes, to follow bits with behaviour attached.
    virtual void StyleChanged(CWndHost& host) { (void)host; }
    virtual void Resized(CWndHost& host) { (void)host; }
    // Events of the inner widget other than keys and focus; true consumes the event.
    virtual bool InnerEvent(CWndHost& host, QEvent* event) {
        (void)host;
        (void)event;
        return false;
    }
    // handled = false passes the message on to the shared behaviour.
    virtual LRESULT DefProc(CWndHost& host, CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) = 0;
};
