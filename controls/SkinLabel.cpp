#include "controls/SkinLabel.h"

#include "controls/SkinFont.h"
#include "controls/SkinHelper.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Gdi.h"

#include <cstring>

namespace {

// The label font: the default GUI font's description with the skin's face, weight and quality.
LOGFONT LabelFont(LONG height) {
    LOGFONT lf{};
    ::GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    lf.lfHeight = height;
    lf.lfWidth = 0;
    lf.lfWeight = FW_BOLD;
    lf.lfQuality = ANTIALIASED_QUALITY;
    std::memset(lf.lfFaceName, 0, sizeof(lf.lfFaceName));
    std::strncpy(lf.lfFaceName, "Arial Bold", LF_FACESIZE - 1);
    return lf;
}

} // namespace

CSkinLabel::CSkinLabel()
    : m_clrHover(GetSysColor(COLOR_WINDOWTEXT)), m_clrNormal(GetSysColor(COLOR_WINDOWTEXT)),
      m_brush(GetSysColor(COLOR_BTNFACE)), m_brush2(GetSysColor(COLOR_BTNFACE)), m_lf(LabelFont(-12)) {
    m_font.CreateFontIndirect(&m_lf);
}

CSkinLabel::~CSkinLabel() = default;

void CSkinLabel::SetTextStyle(COLORREF hoverColour, COLORREF normalColour, int reserved, BYTE hoverBitmaps, BOOL bold,
                              int pointSize, const CString& face) {
    (void)reserved;
    (void)bold;
    (void)face;
    m_clrHover = hoverColour;
    m_clrNormal = normalColour;
    m_bHoverBitmaps = hoverBitmaps;
    m_lf = LabelFont(SkinFontHeight(pointSize));
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&m_lf);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CSkinLabel::SetTextStyle2(COLORREF hoverColour, COLORREF normalColour, int reserved, BYTE hoverBitmaps, BOOL bold,
                               int pointSize, const CString& face) {
    SetTextStyle(hoverColour, normalColour, reserved, hoverBitmaps, bold, pointSize, face);
}

BOOL CSkinLabel::LoadBitmap(int slot, UINT id) {
    if (slot < 0 || slot > 1)
        return FALSE;
    m_bitmap[slot].DeleteObject();
    m_hBitmap[slot] = nullptr;
    if (!m_bitmap[slot].LoadBitmap(id))
        return FALSE;
    m_hBitmap[slot] = static_cast<HBITMAP>(m_bitmap[slot].GetSafeHandle());
    if (GetSafeHwnd() != nullptr) {
        const SIZE size = m_bitmap[slot].GetSize();
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

void CSkinLabel::SetText(LPCSTR text) {
    m_strText = text != nullptr ? text : "";
    SetWindowText(m_strText);
    Invalidate();
}

void CSkinLabel::PreSubclassWindow() {
    ModifyStyle(0, SS_SIMPLE);
    CStatic::PreSubclassWindow();
}

HBRUSH CSkinLabel::CtlColor(CDC* pDC, UINT nCtlColor) {
    if (pDC != nullptr && nCtlColor == CTLCOLOR_STATIC) {
        pDC->SelectObject(&m_font);
        pDC->SetTextColor(m_bHover ? m_clrHover : m_clrNormal);
        pDC->SetBkMode(TRANSPARENT);
    }
    return static_cast<HBRUSH>(m_brush.GetSafeHandle());
}

// The background bitmaps, if any; the background counts as not erased.
BOOL CSkinLabel::OnEraseBkgnd(CDC* pDC) {
    if (pDC == nullptr || m_hBitmap[0] == nullptr)
        return FALSE;
    CRect client;
    GetClientRect(&client);
    if (m_bHoverBitmaps && m_bHover) {
        const int edge = client.right - 9;
        CSkinHelper::DrawBitmap(pDC, m_hBitmap[0], 0, 0, edge, client.bottom, TRUE, 0);
        CSkinHelper::DrawBitmap(pDC, m_hBitmap[1], edge, 0, client.right, client.bottom, FALSE, 0);
        return FALSE;
    }
    CSkinHelper::DrawBitmap(pDC, m_hBitmap[0], 0, 0, client.right, client.bottom, TRUE, 0);
    return FALSE;
}

void CSkinLabel::OnMouseMove(UINT nFlags, CPoint point) {
    m_bHover = TRUE;
    Invalidate();
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, GetSafeHwnd(), 0};
    TrackMouseEvent(&track);
    CStatic::OnMouseMove(nFlags, point);
}

void CSkinLabel::OnMouseLeave() {
    m_bHover = FALSE;
    Invalidate();
    CStatic::OnMouseLeave();
}

void CSkinLabel::OnLButtonDown(UINT nFlags, CPoint point) {
    m_nClickX = point.x;
    m_nClickY = point.y;
    CStatic::OnLButtonDown(nFlags, point);
}
