#include "controls/BitmapProgressCtrl.h"

#include "controls/MemDC.h"
#include "controls/UiThreadCall.h"
#include "platform/gdi/DC.h"
#include "platform/window/ClientDC.h"

#include <algorithm>

CBitmapProgressCtrl::CBitmapProgressCtrl() = default;

CBitmapProgressCtrl::~CBitmapProgressCtrl() = default;

void CBitmapProgressCtrl::SetRange(int nMin, int nMax, BOOL bRedraw) {
    if (QueueToUiThread(*this, [=](CBitmapProgressCtrl& p) { p.SetRange(nMin, nMax, bRedraw); }))
        return;
    m_nMin = nMin;
    m_nMax = nMax;
    m_nPos = 0;
    m_fPercent = 0;
    m_strText = "0 %";
    if (bRedraw)
        Invalidate();
}

void CBitmapProgressCtrl::SetPos(int nPos) {
    if (QueueToUiThread(*this, [nPos](CBitmapProgressCtrl& p) { p.SetPos(nPos); }))
        return;
    if (nPos > m_nMax)
        nPos = m_nMax;
    if (nPos < m_nMin)
        nPos = m_nMin;
    m_nPos = nPos;
    if (m_bShowText) {
        // An empty range (a backup of nothing) has no fraction to show.
        const double span = double(m_nMax) - double(m_nMin);
        m_fPercent = span > 0 ? float((double(m_nPos) - double(m_nMin)) * 100.0 / span) : 0.0f;
        m_strText.Format("%.1f %%", double(m_fPercent));
    }
    Invalidate();
}

void CBitmapProgressCtrl::SetShowText(BOOL bShow, COLORREF clrText) {
    m_bShowText = bShow;
    m_clrText = clrText;
}

BOOL CBitmapProgressCtrl::LoadBackBitmap(UINT id) {
    m_bmBack.DeleteObject();
    m_sizeBack = SIZE{0, 0};
    if (!m_bmBack.LoadBitmap(id))
        return FALSE;
    m_sizeBack = m_bmBack.GetSize();
    return TRUE;
}

BOOL CBitmapProgressCtrl::LoadBarBitmap(UINT id) {
    m_bmBar.DeleteObject();
    return m_bmBar.LoadBitmap(id);
}

BOOL CBitmapProgressCtrl::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CBitmapProgressCtrl::OnPaint() {
    CPaintDC dc(this);
    CMemDC memDC(&dc);
    Draw(&memDC);
}

namespace {

// Cell `cell` of a strip of `cells` cells, into [left, right) of the destination, stretched to it.
void DrawCell(CDC* pDC, CDC* source, const CBitmap& strip, int cells, int cell, int left, int right, int height) {
    if (right <= left || strip.GetSafeHandle() == nullptr)
        return;
    const SIZE size = strip.GetSize();
    const int cellWidth = size.cx / cells;
    pDC->StretchBlt(left, 0, right - left, height, source, cellWidth * cell, 0, cellWidth, size.cy, SRCCOPY);
}

} // namespace

void CBitmapProgressCtrl::Draw(CDC* pDC) {
    if (pDC == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    const int width = client.Width();
    const int height = client.Height();
    const int cap = m_nCells > 0 ? m_sizeBack.cx / m_nCells : 0;

    CDC source;
    source.CreateCompatibleDC(pDC);
    if (m_bmBack.GetSafeHandle() != nullptr) {
        CBitmap* old = source.SelectObject(&m_bmBack);
        DrawCell(pDC, &source, m_bmBack, m_nCells, 0, 0, cap, height);
        DrawCell(pDC, &source, m_bmBack, m_nCells, 1, cap, width - cap, height);
        DrawCell(pDC, &source, m_bmBack, m_nCells, 2, width - cap, width, height);
        source.SelectObject(old);
    }
    if (m_bmBar.GetSafeHandle() != nullptr && m_nMax > m_nMin) {
        CBitmap* old = source.SelectObject(&m_bmBar);
        if (m_nPos > m_nMin)
            DrawCell(pDC, &source, m_bmBar, m_nCells, 0, 0, cap, height);
        if (m_nMin + 1 < m_nPos && m_nPos < m_nMax) {
            const double fraction = (double(m_nPos) - m_nMin) / (double(m_nMax) - m_nMin + 2);
            const int right = std::min(cap + static_cast<int>(fraction * (width - cap)), width - cap);
            DrawCell(pDC, &source, m_bmBar, m_nCells, 1, cap, right, height);
        }
        if (m_nPos == m_nMax) {
            DrawCell(pDC, &source, m_bmBar, m_nCells, 1, cap, width - cap, height);
            DrawCell(pDC, &source, m_bmBar, m_nCells, 2, width - cap, width, height);
        }
        source.SelectObject(old);
    }
    if (m_bShowText) {
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(m_clrText);
        CRect text = client;
        pDC->DrawText(m_strText, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}
