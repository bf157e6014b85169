#pragma once
// What the shell's skinned dialogs share: Enter and Escape reach the focused control without dialog
// processing (neither closes the dialog) unless the dialog takes them as dialog keys, Alt+F4 and a
// window manager's close request are swallowed, the body drags the window, and the face is painted
// in the erase step.

#include "controls/SkinHelper.h"
#include "platform/base/Rect.h"
#include "platform/window/Dialog.h"

class CDC;
class CFont;
class CSkinTextButton;

class CSkinDialog : public CDialog, public CSkinHelper {
public:
    CSkinDialog(UINT nIDTemplate, CWnd* pParent);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Whether a key message is one the shell's dialogs keep from dialog processing or swallow:
    // 1 pass on (Enter, Escape), 2 swallow (Alt+F4), 0 neither.
    static int KeyDisposition(const MSG& msg);

    // The captioned buttons of the shell's dialogs: a strip, "Arial Bold" 9 points weight 700, white
    // captions turning yellow under the mouse, centred caption text of the resource library.
    static void SetUpTextButton(CSkinTextButton& button, UINT strip, UINT captionId, COLORREF disabledColour);
    // A font by the skin's point-size rule.
    static void MakeSkinFont(CFont& font, int pointSize, int weight = 700, LPCSTR face = "Arial Bold");
    // Text of the resource library drawn white and centred on one line over a rectangle.
    static void DrawLabelText(CDC* pDC, UINT textId, const RECT& rect);

protected:
    LRESULT OnNcHitTest(CPoint point) override;
    // Paints the face; TRUE reports the background erased.
    BOOL OnEraseBkgnd(CDC* pDC) override;

    // Client hits inside this rectangle drag the window (empty: none do).
    CRect m_rcDrag;
    // Enter presses the default button (OK) and Escape Cancel, as in any dialog; the small modal
    // dialogs (connect, history, password, notice) set it, the frames and pads keep the keys.
    bool m_bDialogKeys = false;
};
