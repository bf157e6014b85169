#include "controls/GridAreaCtrl.h"

#include "res/BitmapIds.h"

CGridAreaCtrl::CGridAreaCtrl() {
    m_tracker.m_nStyle = CGridCellTracker::solidLine;
}

BOOL CGridAreaCtrl::LoadBitmaps(HINSTANCE hResources) {
    return LoadBitmapPair(hResources, IDB_MOTION_AREA_CELLS_NOT_PICKED, IDB_MOTION_AREA_PICKED_CELLS);
}

void CGridAreaCtrl::SelectCell(int left, int top, int right, int bottom) {
    if (CGridAreaCell* cell = CellEqual(CRect(left, top, right, bottom)))
        SetCell(*cell, 1);
}

void CGridAreaCtrl::UnselectCell(int left, int top, int right, int bottom) {
    if (CGridAreaCell* cell = CellEqual(CRect(left, top, right, bottom)))
        SetCell(*cell, 0);
}

void CGridAreaCtrl::WriteCell(const CGridAreaCell& cell) {
    if (m_pData == nullptr || cell.m_rect.left < 0 || cell.m_rect.top < 0)
        return;
    const int col = cell.m_rect.left / kCellSize;
    const int row = cell.m_rect.top / kCellSize;
    if (col >= kColumns || row >= kRows || m_nBlock < 0 || m_nBlock >= kBlocks)
        return;
    m_pData[col + (row + m_nBlock * kRows) * kColumns] = cell.m_nValue == 1 ? 1 : 0;
}

void CGridAreaCtrl::DrawOver(CDC* pDC) {
    m_tracker.m_nStyle = CGridCellTracker::solidLine;
    for (const auto& cell : m_cells) {
        m_tracker.m_rect = cell->m_rect;
        m_tracker.Draw(pDC);
    }
}

void CGridAreaCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
    if (m_tracker.TrackRubberBand(this, point)) {
        ForEachIntersecting(m_tracker.m_rect, [this](CGridAreaCell& cell) { SetCell(cell, 1); });
    } else if (CGridAreaCell* cell = CellAt(point)) {
        SetCell(*cell, cell->m_nValue == 1 ? 0 : 1);
    }
    Invalidate(FALSE);
    CGridAreaCtrlBase::OnLButtonDown(nFlags, point);
}
