#pragma once
// A single-line EDIT window over a Qt line editor. Typing arrives as WM_KEYDOWN then WM_CHAR per
// character (so a subclass filters characters in OnChar by not passing them on); editing keys
// (arrows, Home, End, Delete, Ctrl+A/C/X/V/Z) act in WM_KEYDOWN's default, so pasting is not
// filtered but is held to the limit. EN_CHANGE goes to the parent on every change of the text,
// typed, pasted or set with SetWindowText. EM_LIMITTEXT limits typing and pasting (characters).
// ES_PASSWORD masks, ES_READONLY refuses changes by the user, ES_NUMBER takes digits only.
// Colours come from the parent's WM_CTLCOLOREDIT (WM_CTLCOLORSTATIC when read-only or disabled):
// the text colour and the brush colour as background.

#include "platform/window/Wnd.h"

class CEdit : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* pParent, UINT nID);
    void SetLimitText(UINT nMax);
    void LimitText(int nChars = 0) { SetLimitText(UINT(nChars)); }
    UINT GetLimitText() const;
    // Characters from start up to (not including) end; end -1 selects to the end.
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    void GetSel(int& nStartChar, int& nEndChar) const;
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
};
