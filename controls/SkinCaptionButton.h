#pragma once
// A skinned button with a centred caption, state colours and up to three coloured marker dots: the
// day cell of the archive calendars. The owner writes the colours and flags directly.

#include "controls/SkinButton.h"
#include "platform/base/String.h"
#include "platform/gdi/Font.h"

class CSkinCaptionButton : public CSkinButton {
public:
    CSkinCaptionButton();

    void SetFont(int pointSize, int weight, LPCSTR face);
    void SetCaption(CString text);

    // Caption colours by state 0 to 3 (0 normal, 1 on, 2 on under the mouse, 3 disabled). Owners
    // set all four before use; until then every state draws in the labels' default text colour.
    COLORREF m_clrText[4];
    // A marked button (1) has a hover look and shows its dots.
    BYTE m_bMarked = 0;
    BYTE m_bMarkRed = 0;
    BYTE m_bMarkGreen = 0;
    BYTE m_bMarkBlue = 0;

protected:
    void PaintFace(CDC* pDC) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnMouseLeave() override;

private:
    CFont m_font;
    int m_nFontHeight = 0;
    CString m_strCaption;
    HCURSOR m_hCursorHand = nullptr;
    HCURSOR m_hCursorArrow = nullptr;
};
