#include "controls/ColorListCtrl.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/Gdi.h"

#include <algorithm>
#include <cstring>

CColorListCtrl::CColorListCtrl()
    : m_clrText(GetSysColor(COLOR_WINDOWTEXT)), m_brush(GetSysColor(COLOR_BTNFACE)),
      m_brush2(GetSysColor(COLOR_BTNFACE)) {
    ::GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(m_lf), &m_lf);
    m_lf.lfHeight = -12;
    m_lf.lfWidth = 0;
    m_lf.lfWeight = FW_BOLD;
    m_lf.lfQuality = ANTIALIASED_QUALITY;
    std::memset(m_lf.lfFaceName, 0, sizeof(m_lf.lfFaceName));
    std::strncpy(m_lf.lfFaceName, "Arial Bold", LF_FACESIZE - 1);
    m_font.CreateFontIndirect(&m_lf);
}

CColorListCtrl::~CColorListCtrl() = default;

void CColorListCtrl::SetTextStyle(int columns, COLORREF textColour, BOOL bold, int height, const CString& face) {
    (void)bold;
    (void)height;
    (void)face;
    m_nColumns = columns;
    m_clrText = textColour;
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&m_lf);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

bool CColorListCtrl::IsHighlighted(UINT itemState, bool listHasFocus, DWORD listStyle) {
    if ((itemState & LVIS_FOCUSED) != 0)
        return true;
    if (listHasFocus)
        return false;
    if ((itemState & LVIS_DROPHILITED) != 0)
        return true;
    return (itemState & LVIS_SELECTED) != 0 && (listStyle & LVS_SHOWSELALWAYS) != 0;
}

void CColorListCtrl::FitColumnToTexts(int column, int minWidth) {
    // A little room after the text, as between the columns' texts elsewhere.
    constexpr int kRoom = 6;
    int widest = 0;
    if (CDC* dc = GetDC()) {
        CFont* old = dc->SelectObject(&m_font);
        for (int row = 0; row < GetItemCount(); ++row) {
            widest = std::max(widest, int(dc->GetTextExtent(GetItemText(row, column)).cx));
        }
        dc->SelectObject(old);
        ReleaseDC(dc);
    }
    SetColumnWidth(column, std::max(minWidth, widest + kRoom));
}

void CColorListCtrl::PreSubclassWindow() {
    ModifyStyle(0, LVS_OWNERDRAWFIXED);
    CListCtrl::PreSubclassWindow();
}

void CColorListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (lpDrawItemStruct == nullptr)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (pDC == nullptr)
        return;
    const int item = int(lpDrawItemStruct->itemID);
    LVITEM lvi{};
    lvi.mask = LVIF_STATE | LVIF_IMAGE;
    lvi.iItem = item;
    lvi.stateMask = 0xFFFF;
    GetItem(&lvi);

    const bool highlighted = IsHighlighted(lvi.state, GetFocus() == this, GetStyle());
    CFont* oldFont = pDC->SelectObject(&m_font);
    const CRect bounds(lpDrawItemStruct->rcItem);
    if (highlighted) {
        pDC->FillSolidRect(&bounds, GetSysColor(COLOR_ACTIVECAPTION));
        pDC->SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        pDC->FillSolidRect(&bounds, GetSysColor(COLOR_WINDOW));
        pDC->SetTextColor(m_clrText);
    }
    int left = bounds.left;
    for (int column = 0; column < m_nColumns; ++column) {
        LVCOLUMN lvc{};
        lvc.mask = LVCF_WIDTH;
        if (!GetColumn(column, &lvc))
            break;
        CRect cell(left, bounds.top, left + lvc.cx, bounds.bottom);
        const CString text = GetItemText(item, column);
        pDC->DrawText(text, &cell, DT_VCENTER | DT_SINGLELINE);
        left += lvc.cx;
    }
    if (oldFont != nullptr)
        pDC->SelectObject(oldFont);
}
