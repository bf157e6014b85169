#include "controls/GridAreaCtrlBase.h"

#include "controls/MemDC.h"
#include "platform/gdi/DC.h"
#include "platform/window/ClientDC.h"

CGridAreaCtrlBase::CGridAreaCtrlBase() = default;

CGridAreaCtrlBase::~CGridAreaCtrlBase() = default;

void CGridAreaCtrlBase::AddCell(int left, int top, int right, int bottom) {
    auto cell = std::make_unique<CGridAreaCell>();
    cell->m_rect.SetRect(left, top, right, bottom);
    m_cells.push_front(std::move(cell));
}

void CGridAreaCtrlBase::RemoveAllCells() {
    m_cells.clear();
    Invalidate();
}

void CGridAreaCtrlBase::SetCell(CGridAreaCell& cell, int value) {
    cell.m_nValue = value;
    WriteCell(cell);
}

void CGridAreaCtrlBase::SelectAll() {
    for (auto& cell : m_cells)
        SetCell(*cell, 1);
    Invalidate(FALSE);
}

void CGridAreaCtrlBase::ClearAll() {
    for (auto& cell : m_cells)
        SetCell(*cell, 0);
    Invalidate(FALSE);
}

int CGridAreaCtrlBase::GetCellValue(int left, int top, int right, int bottom) const {
    const CRect wanted(left, top, right, bottom);
    for (const auto& cell : m_cells) {
        if (cell->m_rect == wanted)
            return cell->m_nValue;
    }
    return -1;
}

CGridAreaCell* CGridAreaCtrlBase::CellAt(CPoint point) {
    for (auto& cell : m_cells) {
        if (cell->m_rect.PtInRect(point))
            return cell.get();
    }
    return nullptr;
}

CGridAreaCell* CGridAreaCtrlBase::CellEqual(const RECT& rect) {
    for (auto& cell : m_cells) {
        if (cell->m_rect == rect)
            return cell.get();
    }
    return nullptr;
}

void CGridAreaCtrlBase::ForEachIntersecting(const CRect& band, const std::function<void(CGridAreaCell&)>& action) {
    for (auto& cell : m_cells) {
        CRect overlap;
        if (overlap.IntersectRect(cell->m_rect, band))
            action(*cell);
    }
}

BOOL CGridAreaCtrlBase::LoadBitmapPair(HINSTANCE hResources, UINT idBackdrop, UINT idPicked) {
    (void)hResources;
    m_bmBackdrop.DeleteObject();
    m_bmPicked.DeleteObject();
    const BOOL backdrop = m_bmBackdrop.LoadBitmap(idBackdrop);
    const BOOL picked = m_bmPicked.LoadBitmap(idPicked);
    return backdrop && picked;
}

HBITMAP CGridAreaCtrlBase::CellBitmap(const CGridAreaCell& cell) const {
    return cell.m_nValue == 1 ? static_cast<HBITMAP>(m_bmPicked.GetSafeHandle()) : nullptr;
}

void CGridAreaCtrlBase::DrawOver(CDC*) {}

BOOL CGridAreaCtrlBase::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (m_tracker.IsTracking() && m_tracker.OnTrackingMessage(message, wParam, lParam)) {
        *pResult = 0;
        return TRUE;
    }
    return CStatic::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CGridAreaCtrlBase::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CGridAreaCtrlBase::OnLButtonUp(UINT nFlags, CPoint point) {
    Invalidate(FALSE);
    CStatic::OnLButtonUp(nFlags, point);
}

void CGridAreaCtrlBase::OnPaint() {
    CPaintDC dc(this);
    CMemDC memDC(&dc);
    Draw(&memDC);
}

void CGridAreaCtrlBase::Draw(CDC* pDC) {
    if (pDC == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, pDC->GetBkColor());
    CDC source;
    source.CreateCompatibleDC(pDC);
    CBitmap* old = nullptr;
    if (m_bmBackdrop.GetSafeHandle() != nullptr) {
        old = source.SelectObject(&m_bmBackdrop);
        pDC->BitBlt(0, 0, client.Width(), client.Height(), &source, 0, 0, SRCCOPY);
    }
    const int oldMode = pDC->SetStretchBltMode(COLORONCOLOR);
    for (const auto& cell : m_cells) {
        CBitmap* bitmap = CBitmap::FromHandle(CellBitmap(*cell));
        if (bitmap == nullptr)
            continue;
        CBitmap* previous = source.SelectObject(bitmap);
        if (old == nullptr)
            old = previous;
        const CRect& r = cell->m_rect;
        pDC->StretchBlt(r.left, r.top, r.Width(), r.Height(), &source, r.left, r.top, r.Width(), r.Height(), SRCCOPY);
    }
    pDC->SetStretchBltMode(oldMode);
    if (old != nullptr)
        source.SelectObject(old);
    DrawOver(pDC);
    m_tracker.DrawBand(pDC);
}
