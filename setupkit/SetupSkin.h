#pragma once
// The skin values and control set-ups every setup window repeats: captioned buttons, fixed captions,
// value selectors and row check boxes, all in "Arial Bold" 9 points.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"
#include "res/BitmapIds.h"

class CSkinButton;
class CSkinCheckButton;
class CSkinLabel;
class CSkinTextButton;

class CSetupSkin {
public:
    // Caption colours by button state (normal, on, on under the mouse, disabled).
    static constexpr COLORREF kPageButtonColours[4] = {0xFFFFFF, 0xF1EB62, 0xF1EB62, 0xBEB9B3};
    static constexpr COLORREF kMenuButtonColours[4] = {0xFBF1D8, 0xF1EB62, 0xF1EB62, 0xFBF1D8};
    static constexpr COLORREF kColumnButtonColours[4] = {0xFFFFFF, 0x0DB861, 0x0DB861, 0xB2AEAB};
    static constexpr COLORREF kCaptionColour = 0x785A5A;
    static constexpr COLORREF kValueColour = 0x783C3C;
    static constexpr COLORREF kHoverColour = 0xE6D200;
    // Bitmaps shared by the pages.
    static constexpr UINT kSelectorBitmap = IDB_VALUE_FIELD_BEHIND_LABELS_SELECTORS;
    static constexpr UINT kPageButtonBitmap = IDB_PAGE_BUTTONS;
    static constexpr UINT kWideButtonBitmap = IDB_WIDE_PAGE_BUTTONS;
    static constexpr UINT kOnButtonBitmap = IDB_ON_YES_BUTTONS;
    static constexpr UINT kOffButtonBitmap = IDB_OFF_NO_BUTTONS;

    static RECT At(int x, int y, int cx, int cy) { return RECT{x, y, x + cx, y + cy}; }

    // A strip button placed at rect (the strip would size it to the whole bitmap).
    static void SetUpButton(CSkinButton& button, UINT bitmap, const RECT& rect);
    // A captioned button: "Arial Bold" 9 weight 700, the caption centred or drawn from xOffset.
    static void SetUpTextButton(CSkinTextButton& button, UINT bitmap, const RECT& rect, const CString& caption,
                                const COLORREF (&colours)[4], int xOffset = 0, BOOL centre = TRUE);
    // A fixed caption in one colour, no background of its own.
    static void SetUpCaption(CSkinLabel& label, const RECT& rect, const CString& text,
                             COLORREF colour = kCaptionColour);
    // A fixed text on the value-field bitmap.
    static void SetUpValueText(CSkinLabel& label, const RECT& rect, const CString& text);
    // A clickable value selector: value-field bitmap, hover colour and hover bitmap.
    static void SetUpSelector(CSkinLabel& label, const RECT& rect);
    // A 15 x 15 row check box.
    static void SetUpRowBox(CSkinCheckButton& box, int x, int y);
    static bool IsTicked(const CSkinCheckButton& box);
    static void Tick(CSkinCheckButton& box, bool tick);
    // Whether a label shows any text (selectors open only then).
    static bool HasText(const CSkinLabel& label);
};
