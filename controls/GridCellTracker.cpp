#include "controls/GridCellTracker.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/Gdi.h"

CGridCellTracker::CGridCellTracker() = default;

void CGridCellTracker::Draw(CDC* pDC) const {
    if (pDC == nullptr)
        return;
    CGdiObject* oldPen = pDC->SelectStockObject(BLACK_PEN);
    CGdiObject* oldBrush = pDC->SelectStockObject(NULL_BRUSH);
    if ((m_nStyle & dottedLine) != 0) {
        CRect outline = m_rect;
        pDC->DrawFocusRect(&outline);
    } else {
        pDC->Rectangle(m_rect.left, m_rect.top, m_rect.right, m_rect.bottom);
    }
    if (oldPen != nullptr)
        pDC->SelectObject(oldPen);
    if (oldBrush != nullptr)
        pDC->SelectObject(oldBrush);
}

void CGridCellTracker::DrawBand(CDC* pDC) const {
    if (pDC == nullptr || m_pTrackWnd == nullptr)
        return;
    CRect band = m_band;
    band.NormalizeRect();
    if (!band.IsRectEmpty())
        pDC->DrawFocusRect(&band);
}

BOOL CGridCellTracker::TrackRubberBand(CWnd* pWnd, CPoint point) {
    if (pWnd == nullptr || m_pTrackWnd != nullptr || pWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    m_anchor = point;
    m_band = CRect(point, point);
    m_pTrackWnd = pWnd;
    pWnd->SetCapture();
    const int result = pWnd->RunModalLoop();
    m_pTrackWnd = nullptr;
    if (::GetCapture() == pWnd->GetSafeHwnd())
        ReleaseCapture();
    pWnd->Invalidate(FALSE);
    CRect band = m_band;
    band.NormalizeRect();
    if (result != 1 || band.IsRectEmpty())
        return FALSE;
    m_rect = band;
    return TRUE;
}

void CGridCellTracker::Finish(int result) {
    CWnd* wnd = m_pTrackWnd;
    if (wnd != nullptr)
        wnd->EndModalLoop(result);
}

BOOL CGridCellTracker::OnTrackingMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pTrackWnd == nullptr)
        return FALSE;
    const CPoint point(lParam);
    switch (message) {
    case WM_MOUSEMOVE:
        m_band = CRect(m_anchor, point);
        m_pTrackWnd->Invalidate(FALSE);
        return TRUE;
    case WM_LBUTTONUP:
        m_band = CRect(m_anchor, point);
        Finish(1);
        return TRUE;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
            Finish(0);
        return TRUE;
    case WM_RBUTTONDOWN:
    case WM_CAPTURECHANGED:
        Finish(0);
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_CHAR:
    case WM_KEYUP:
        return TRUE;
    default:
        return FALSE;
    }
}
