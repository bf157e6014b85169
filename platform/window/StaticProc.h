#pragma once
// The standard behaviour of STATIC windows (see Static.h).

#include "platform/window/WndClassProc.h"

class CStaticProc : public CWndClassProc {
public:
    void StyleChanged(CWndHost& host) override;
    LRESULT DefProc(CWndHost& host, CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    void Paint(CWndHost& host, CWnd& wnd);
};
