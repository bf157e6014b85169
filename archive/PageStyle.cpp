#include "archive/PageStyle.h"

#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"

const COLORREF kPageButtonColours[4] = {0xFFFFFF, 0xF1EB62, 0xF1EB62, 0xBEB9B3};

void SetUpTextButton(CSkinTextButton& button, UINT strip, UINT textId, int x, int y, int cx, int cy,
                     const COLORREF colours[4], int xOffset, BOOL center) {
    button.LoadBitmap(strip);
    for (int i = 0; i < 4; ++i) {
        button.m_clrText[i] = colours[i];
    }
    button.SetFont(9, 0, 700, "Arial Bold");
    button.SetCaption(xOffset, LoadResString(textId), center);
    button.MoveWindow(x, y, cx, cy);
}

void SetUpCaption(CSkinLabel& label, UINT textId, int x, int y, int cx, int cy, COLORREF colour) {
    label.SetTextStyle2(colour, colour, 0, 0, TRUE, 9, "Arial Bold");
    label.SetText(textId != 0 ? LoadResString(textId).GetString() : "");
    label.MoveWindow(x, y, cx, cy);
}

void SetUpField(CSkinLabel& label, int x, int y, int cx, int cy, bool clickable) {
    label.LoadBitmap(0, IDB_VALUE_FIELD_BEHIND_LABELS_SELECTORS);
    if (clickable) {
        label.SetTextStyle(0xE6D200, 0x783C3C, 0, 1, TRUE, 9, "Arial Bold");
    } else {
        label.SetTextStyle(0x783C3C, 0x783C3C, 0, 0, TRUE, 9, "Arial Bold");
    }
    label.MoveWindow(x, y, cx, cy);
}

void ReplaceText(CSkinLabel& label, LPCSTR text) {
    label.ShowWindow(SW_HIDE);
    label.SetText(text);
    label.ShowWindow(SW_SHOW);
}
