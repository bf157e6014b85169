#pragma once
// A skinned button with a caption drawn over its picture in a colour that follows the state. It
// reports no presses to its parent: clicks reach the owner as plain BN_CLICKED.

#include "controls/SkinButton.h"
#include "platform/base/String.h"
#include "platform/gdi/Font.h"

class CSkinTextButton : public CSkinButton {
public:
    CSkinTextButton();

    // Builds the caption font from the control's current font (nothing happens when it has none):
    // height from the point size, the given width, weight and face, antialiased.
    void SetFont(int pointSize, int width, int weight, LPCSTR face);
    // The caption and its place: drawn from xOffset, centred in the rest when bCenter is set.
    void SetCaption(int xOffset, CString text, BOOL bCenter);

    // Caption colours by state 0 to 3; other states draw with colour 0.
    COLORREF m_clrText[4];

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
    int m_nOffsetX = 0;
    BOOL m_bCenter = FALSE;
    HCURSOR m_hCursorArrow = nullptr;
};
