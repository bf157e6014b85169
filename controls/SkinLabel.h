#pragma once
// The coloured text label of the dialogs: one line of text in one colour, another under the mouse,
// over optional background bitmaps (a second one lighting the right edge under the mouse). It sends
// nothing itself; a template label with SS_NOTIFY reaches its owner as STN_CLICKED.

#include "platform/base/String.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/Font.h"
#include "platform/window/Static.h"

class CDC;

class CSkinLabel : public CStatic {
public:
    CSkinLabel();
    ~CSkinLabel() override;

    // The font is always "Arial Bold", weight 700, antialiased: only pointSize changes it; bold and
    // face are taken for the callers' sake. Redraws at once.
    void SetTextStyle(COLORREF hoverColour, COLORREF normalColour, int reserved, BYTE hoverBitmaps, BOOL bold,
                      int pointSize, const CString& face);
    // The same, under the second name some pages call it by.
    void SetTextStyle2(COLORREF hoverColour, COLORREF normalColour, int reserved, BYTE hoverBitmaps, BOOL bold,
                       int pointSize, const CString& face);
    // Loads background bitmap 0 or 1 and sizes the window to it, keeping its top-left corner.
    BOOL LoadBitmap(int slot, UINT id);
    void SetText(LPCSTR text);

    // The reflected colour request: font, text colour (hover or normal), transparent text; gives
    // the background brush.
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) override;
    const LOGFONT& GetLogFont() const { return m_lf; }

    // Where the last left-button press fell, in client coordinates; pages anchor popups there.
    int m_nClickX = 0;
    int m_nClickY = 0;

protected:
    void PreSubclassWindow() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnMouseLeave() override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;

private:
    COLORREF m_clrHover;
    COLORREF m_clrNormal;
    CBrush m_brush;
    CBrush m_brush2;
    LOGFONT m_lf{};
    CFont m_font;
    CString m_strText;
    CBitmap m_bitmap[2];
    HBITMAP m_hBitmap[2] = {nullptr, nullptr};
    BOOL m_bHover = FALSE;
    BYTE m_bHoverBitmaps = 0;
};
