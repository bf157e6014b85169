#pragma once
// The standard behaviour of BUTTON windows (see Button.h).

#include "platform/window/WndClassProc.h"

class CButtonProc : public CWndClassProc {
public:
    void Attach(CWndHost& host) override;
    LRESULT DefProc(CWndHost& host, CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    void SetPushed(CWndHost& host, bool pushed);
    void Click(CWndHost& host, CWnd& wnd);
    void Paint(CWndHost& host, CWnd& wnd);
    UINT Kind(const CWndHost& host) const;

    bool m_pushed = false;
    bool m_checked = false;
    bool m_focus = false;
    bool m_spaceDown = false;
};
