#include "controls/MemDC.h"

CMemDC::CMemDC(CDC* pDC) : m_pDC(pDC) {
    if (!pDC)
        return;
    m_bMemDC = !pDC->IsPrinting();
    if (!m_bMemDC) {
        // A printer gets the drawing directly.
        AttachSameTarget(pDC);
        m_bPrinting = TRUE;
        return;
    }
    CreateCompatibleDC(pDC);
    pDC->GetClipBox(&m_rect);
    RECT device = m_rect;
    pDC->LPtoDP(&device);
    const int width = device.right > device.left ? device.right - device.left : device.left - device.right;
    const int height = device.bottom > device.top ? device.bottom - device.top : device.top - device.bottom;
    if (m_bitmap.CreateCompatibleBitmap(pDC, width, height))
        m_oldBitmap = SelectObject(&m_bitmap);
    SetMapMode(pDC->GetMapMode());
    SetWindowExt(pDC->GetWindowExt());
    SetViewportExt(pDC->GetViewportExt());
    // The logical point at the clip box's top-left device corner lands on the bitmap's origin.
    POINT origin{device.left < device.right ? device.left : device.right,
                 device.top < device.bottom ? device.top : device.bottom};
    pDC->DPtoLP(&origin);
    SetWindowOrg(origin.x, origin.y);
}

CMemDC::~CMemDC() {
    if (!m_pDC)
        return;
    if (!m_bMemDC) {
        ReleaseTarget();
        return;
    }
    if (m_oldBitmap) {
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top, this,
                      m_rect.left, m_rect.top, SRCCOPY);
        SelectObject(m_oldBitmap);
    }
}
