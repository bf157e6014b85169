#pragma once
// Device contexts tied to a window.
//
// CPaintDC (in a WM_PAINT handler) draws on the window's face being painted, the same target as the
// context WM_ERASEBKGND got. CClientDC measures (fonts, text extents) anywhere; it draws only while
// its window is being painted (on the paint target), because a window is drawn in its paint handlers
// and nowhere else: code that must show something new invalidates the window and draws it there.

#include "platform/gdi/DC.h"
#include "platform/window/WinUser.h"

class CWnd;

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps{};

protected:
    HWND m_hWnd;
};
