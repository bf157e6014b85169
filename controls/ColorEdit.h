#pragma once
// An edit that paints its text in a chosen colour on white, with no filter.

#include "platform/gdi/Brush.h"
#include "platform/window/Edit.h"

class CDC;

class CColorEdit : public CEdit {
public:
    CColorEdit();
    ~CColorEdit() override;

    void SetTextColor(COLORREF colour);
    // The reflected colour request: the text colour on the white brush.
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) override;

protected:
private:
    CBrush m_brush;
    COLORREF m_clrText = 0;
};
