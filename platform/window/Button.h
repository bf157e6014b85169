#pragma once
// A BUTTON window: push button, check box, radio button, group box or owner-drawn button. The
// standard behaviour (ButtonProc): a left press captures the mouse and pushes the button, moving off
// and on again follows with the pushed look, a release inside sends BN_CLICKED to the parent (after
// the capture is released), a release outside sends nothing; a double click counts as a press;
// Space down and up click too. Owner-drawn buttons (BS_OWNERDRAW) are drawn by DrawItem, reached
// through the parent's WM_DRAWITEM; they keep no check state of their own.

#include "platform/window/Wnd.h"

class CButton : public CWnd {
public:
    // BM_GETCHECK / BM_SETCHECK, sent to the window (so a subclass can answer them).
    int GetCheck() const;
    void SetCheck(int nCheck);
    // BM_GETSTATE (BST_PUSHED, BST_CHECKED, BST_FOCUS) / BM_SETSTATE (the pushed look).
    UINT GetState() const;
    void SetState(BOOL bHighlight);

    // Owner drawing of a BS_OWNERDRAW button; the default draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
