#include "platform/window/RectTracker.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Pen.h"
#include "platform/window/TrackerLoop.h"
#include "platform/window/Wnd.h"

CRectTracker::CRectTracker(LPCRECT rect, UINT style) : m_nStyle(style) {
    if (rect != nullptr) {
        m_rect = *rect;
    }
}

void CRectTracker::Draw(CDC* pDC) const {
    if (pDC == nullptr || (m_nStyle & (solidLine | dottedLine)) == 0) {
        return;
    }
    const int saved = pDC->SaveDC();
    CPen pen((m_nStyle & dottedLine) != 0 ? PS_DOT : PS_SOLID, 1, RGB(0, 0, 0));
    pDC->SelectObject(&pen);
    pDC->SelectStockObject(NULL_BRUSH);
    pDC->SetROP2(R2_COPYPEN);
    CRect outline = m_rect;
    outline.NormalizeRect();
    pDC->Rectangle(&outline);
    pDC->RestoreDC(saved);
}

BOOL CRectTracker::TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert) {
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr) {
        return FALSE;
    }
    const CRect start(point.x, point.y, point.x, point.y);
    m_rect = start;
    CTrackerLoop loop(pWnd->GetSafeHwnd(), point);
    if (!loop.Run()) {
        m_rect = start;
        return FALSE;
    }
    const POINT end = loop.EndPoint();
    CRect band(point.x, point.y, end.x, end.y);
    if (!bAllowInvert) {
        band.right = std::max(band.right, band.left);
        band.bottom = std::max(band.bottom, band.top);
    }
    band.NormalizeRect();
    m_rect = band;
    return band == start ? FALSE : TRUE;
}
