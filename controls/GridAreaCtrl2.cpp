#include "controls/GridAreaCtrl2.h"

#include "res/BitmapIds.h"

CGridAreaCtrl2::CGridAreaCtrl2() = default;

BOOL CGridAreaCtrl2::LoadBitmaps(HINSTANCE hResources) {
    return LoadBitmapPair(hResources, IDB_RECORD_REGION_CELLS_NOT_PICKED, IDB_RECORD_REGION_PICKED_CELLS);
}

void CGridAreaCtrl2::SelectCellsInRect(int left, int top, int right, int bottom) {
    const CRect area(left, top, right, bottom);
    for (auto& cell : m_cells) {
        const CRect& r = cell->m_rect;
        if (r.left >= area.left && r.top >= area.top && r.right <= area.right && r.bottom <= area.bottom)
            SetCell(*cell, 1);
    }
}

void CGridAreaCtrl2::UnselectCell(int left, int top, int right, int bottom) {
    if (CGridAreaCell* cell = CellEqual(CRect(left, top, right, bottom)))
        SetCell(*cell, 0);
}

void CGridAreaCtrl2::WriteCell(const CGridAreaCell& cell) {
    if (m_pData == nullptr || cell.m_rect.left < 0 || cell.m_rect.top < 0)
        return;
    const int col = cell.m_rect.left / kCellSize;
    const int row = cell.m_rect.top / kCellSize;
    if (col >= kColumns || row >= kRows || m_nBlock < 0 || m_nBlock >= kBlocks)
        return;
    m_pData[(m_nBlock * kRows + row) * kColumns + col] = cell.m_nValue == 1 ? 1 : 0;
}

void CGridAreaCtrl2::DrawOver(CDC*) {
    if (m_pRefreshWnd != nullptr) {
        const CRect strip(0, 350, 407, 370);
        m_pRefreshWnd->InvalidateRect(&strip);
    }
}

void CGridAreaCtrl2::WriteRegion(BYTE firstCol, BYTE lastCol, BYTE firstRow, BYTE lastRow) {
    if (m_pRectTable == nullptr || m_nBlock < 0 || m_nBlock >= kBlocks)
        return;
    m_pRectTable[m_nBlock] = firstCol;
    m_pRectTable[kBlocks + m_nBlock] = lastCol;
    m_pRectTable[2 * kBlocks + m_nBlock] = firstRow;
    m_pRectTable[3 * kBlocks + m_nBlock] = lastRow;
}

void CGridAreaCtrl2::StoreRegion() {
    if (m_pData == nullptr || m_nBlock < 0 || m_nBlock >= kBlocks)
        return;
    const BYTE* block = m_pData + m_nBlock * kBlockBytes;
    int first = -1;
    int last = -1;
    for (int i = 0; i < kBlockBytes; ++i) {
        if (block[i] == 1) {
            first = i;
            break;
        }
    }
    for (int i = kBlockBytes - 1; i >= 0; --i) {
        if (block[i] == 1) {
            last = i;
            break;
        }
    }
    // Nothing selected, or a single column or row: no region.
    if (first < 0 || first % kColumns == last % kColumns || first / kColumns == last / kColumns) {
        ClearAll();
        WriteRegion(0, 0, 0, 0);
        return;
    }
    WriteRegion(BYTE(first % kColumns), BYTE(last % kColumns), BYTE(first / kColumns), BYTE(last / kColumns));
}

void CGridAreaCtrl2::OnLButtonDown(UINT nFlags, CPoint point) {
    ClearAll();
    if (m_tracker.TrackRubberBand(this, point)) {
        ForEachIntersecting(m_tracker.m_rect, [this](CGridAreaCell& cell) { SetCell(cell, 1); });
    } else if (CGridAreaCell* cell = CellAt(point)) {
        SetCell(*cell, cell->m_nValue == 1 ? 0 : 1);
    }
    StoreRegion();
    Invalidate(FALSE);
    CGridAreaCtrlBase::OnLButtonDown(nFlags, point);
}
