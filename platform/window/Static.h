#pragma once
// A STATIC window: text, owner-drawn or empty. Without SS_NOTIFY it is transparent to the mouse
// (presses fall to the window beneath, so a dialog can be dragged over its labels); with SS_NOTIFY it
// takes the mouse and a left press sends STN_CLICKED to the parent. Painting asks the parent for
// colours with WM_CTLCOLORSTATIC (passed back to the control's CtlColor), fills with the brush it
// gets (SS_SIMPLE statics fill nothing: their text lies on what is beneath) and draws the text.

#include "platform/window/Wnd.h"

class CStatic : public CWnd {
public:
    // Owner drawing of an SS_OWNERDRAW static; the default draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
