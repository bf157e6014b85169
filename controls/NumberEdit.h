#pragma once
// An edit that takes typed digits only (and the editing keys). Pasted text is not filtered.

#include "platform/gdi/Brush.h"
#include "platform/window/Edit.h"

class CDC;

class CNumberEdit : public CEdit {
public:
    CNumberEdit();
    ~CNumberEdit() override;

    void SetTextColor(COLORREF colour);
    // Whether a typed character reaches the edit.
    static bool IsAllowedChar(UINT nChar);
    // The reflected colour request: the text colour on the white brush.
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) override;

protected:
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;

private:
    CBrush m_brush;
    COLORREF m_clrText = 0;
};
