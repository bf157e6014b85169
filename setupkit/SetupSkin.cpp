#include "setupkit/SetupSkin.h"

#include "controls/SkinButton.h"
#include "controls/SkinCheckButton.h"
#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "res/BitmapIds.h"

void CSetupSkin::SetUpButton(CSkinButton& button, UINT bitmap, const RECT& rect) {
    button.LoadBitmap(bitmap);
    button.MoveWindow(&rect);
}

void CSetupSkin::SetUpTextButton(CSkinTextButton& button, UINT bitmap, const RECT& rect, const CString& caption,
                                 const COLORREF (&colours)[4], int xOffset, BOOL centre) {
    button.LoadBitmap(bitmap);
    button.MoveWindow(&rect);
    button.SetFont(9, 0, 700, "Arial Bold");
    for (int i = 0; i < 4; ++i) {
        button.m_clrText[i] = colours[i];
    }
    button.SetCaption(xOffset, caption, centre);
}

void CSetupSkin::SetUpCaption(CSkinLabel& label, const RECT& rect, const CString& text, COLORREF colour) {
    label.MoveWindow(&rect);
    label.SetTextStyle2(colour, colour, 0, 0, TRUE, 9, "Arial Bold");
    label.SetText(text);
}

void CSetupSkin::SetUpValueText(CSkinLabel& label, const RECT& rect, const CString& text) {
    label.LoadBitmap(0, kSelectorBitmap);
    label.MoveWindow(&rect);
    label.SetTextStyle2(kValueColour, kValueColour, 0, 0, TRUE, 9, "Arial Bold");
    label.SetText(text);
}

void CSetupSkin::SetUpSelector(CSkinLabel& label, const RECT& rect) {
    label.LoadBitmap(0, kSelectorBitmap);
    label.MoveWindow(&rect);
    label.SetTextStyle2(kHoverColour, kValueColour, 0, 1, TRUE, 9, "Arial Bold");
}

void CSetupSkin::SetUpRowBox(CSkinCheckButton& box, int x, int y) {
    box.SetBitmaps(IDB_CHECK_BOX_NOT_CHECKED, IDB_CHECK_BOX_CHECKED, IDB_CHECK_BOX_NOT_CHECKED,
                   IDB_CHECK_BOX_NOT_CHECKED, IDB_CHECK_BOX_NOT_CHECKED, IDB_CHECK_BOX_SHAPE, 0, 0, 0);
    box.MoveWindow(x, y, 15, 15);
}

bool CSetupSkin::IsTicked(const CSkinCheckButton& box) {
    return box.GetCheck() == int(BST_CHECKED);
}

void CSetupSkin::Tick(CSkinCheckButton& box, bool tick) {
    box.SetCheck(tick ? int(BST_CHECKED) : int(BST_UNCHECKED));
}

bool CSetupSkin::HasText(const CSkinLabel& label) {
    return label.GetWindowTextLength() > 0;
}
