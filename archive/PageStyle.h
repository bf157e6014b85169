#pragma once
// The look the archive's pages give their controls: the lower text buttons, caption labels, value
// fields, and the way a field's text is replaced.

#include "platform/base/WinTypes.h"

class CSkinTextButton;
class CSkinLabel;

// The captions of the lower buttons of the pages, by skinned state.
extern const COLORREF kPageButtonColours[4];

// A text button: strip, caption text, place; "Arial Bold" 9 point weight 700.
void SetUpTextButton(CSkinTextButton& button, UINT strip, UINT textId, int x, int y, int cx, int cy,
                     const COLORREF colours[4] = kPageButtonColours, int xOffset = 0, BOOL center = TRUE);
// A caption label: no bitmap, one colour, bold 9 point.
void SetUpCaption(CSkinLabel& label, UINT textId, int x, int y, int cx, int cy, COLORREF colour = 0x785A5A);
// A value field: bitmap 1700, the value colour under the mouse when `clickable`, bold 9 point.
void SetUpField(CSkinLabel& label, int x, int y, int cx, int cy, bool clickable);
// Replaces a label's text the way the pages do: hidden, given the text, shown again.
void ReplaceText(CSkinLabel& label, LPCSTR text);
