#pragma once
// The standard behaviour of dialog windows ("#32770"): the face is filled with the brush the dialog
// gives itself for WM_CTLCOLORDLG, WM_CLOSE becomes the Cancel command (IDCANCEL), and the focus
// given to the dialog goes to its first tab stop.

#include "platform/window/WndClassProc.h"

class CDialogProc : public CWndClassProc {
public:
    LRESULT DefProc(CWndHost& host, CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
};
