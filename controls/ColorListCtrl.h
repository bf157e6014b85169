#pragma once
// The owner-drawn report list of the archive's event, log and information lists and of the connection
// history: a fixed bold font, one text colour, and only the first columns drawn.

#include "platform/base/String.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/Font.h"
#include "platform/window/ListCtrl.h"

class CDC;

class CColorListCtrl : public CListCtrl {
public:
    CColorListCtrl();
    ~CColorListCtrl() override;

    // Only the column count and the colour take effect: the font stays "Arial Bold" 700, height -12,
    // whatever bold, height and face say. Redraws at once.
    void SetTextStyle(int columns, COLORREF textColour, BOOL bold, int height, const CString& face);

    // Whether an item is drawn highlighted: the focus item always; when the list does not have the
    // keyboard focus, also a drop target, or a selected item of a list that shows its selection
    // always.
    static bool IsHighlighted(UINT itemState, bool listHasFocus, DWORD listStyle);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    // Widens a column, when needed, so that the widest text of its rows fits in it whole in the
    // list's font; never narrower than `minWidth`.
    void FitColumnToTexts(int column, int minWidth);

protected:
    void PreSubclassWindow() override;

private:
    COLORREF m_clrText;
    CBrush m_brush;
    CBrush m_brush2;
    LOGFONT m_lf{};
    CFont m_font;
    int m_nColumns = 0;
};
