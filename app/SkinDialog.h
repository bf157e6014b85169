#pragma once
// What the shell's skinned dialogs share: the keys that would close a dialog go by the dialog's key
// policy (by default Enter and Escape reach the focused control without dialog processing, and Alt+F4
// and a window manager's close request are swallowed), the body drags the window, and the face is
// painted in the erase step.

#include "controls/KeyPolicy.h"
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
    // What Enter, Escape and Alt+F4 do here; each kind of dialog sets its own in its constructor.
    KeyPolicy m_keys = KeyPolicies::kSkinnedWindow;
};
