#include "controls/GridAreaCtrl3.h"

#include "res/BitmapIds.h"

CGridAreaCtrl3::CGridAreaCtrl3() = default;

BOOL CGridAreaCtrl3::LoadBitmaps(HINSTANCE hResources, int nType) {
    m_nType = nType;
    m_bmValue2.DeleteObject();
    m_bmValue3.DeleteObject();
    if (nType != 3)
        return LoadBitmapPair(hResources, IDB_SCHEDULE_HOURS_VALUE_0_BACKDROP, IDB_SCHEDULE_HOURS_VALUE_1);
    const BOOL pair = LoadBitmapPair(hResources, IDB_SCHEDULE3_VALUE_0_BACKDROP, IDB_SCHEDULE3_VALUE_1);
    const BOOL two = m_bmValue2.LoadBitmap(IDB_SCHEDULE3_VALUE_2);
    const BOOL three = m_bmValue3.LoadBitmap(IDB_SCHEDULE3_VALUE_3);
    return pair && two && three;
}

void CGridAreaCtrl3::SetCellValue(int left, int top, int right, int bottom, int value) {
    if (CGridAreaCell* cell = CellEqual(CRect(left, top, right, bottom)))
        SetCell(*cell, value);
}

void CGridAreaCtrl3::WriteCell(const CGridAreaCell& cell) {
    if (m_pData == nullptr || cell.m_rect.left < 0 || cell.m_rect.top < 0)
        return;
    const int col = cell.m_rect.left / kCellWidth;
    const int row = cell.m_rect.top / kCellHeight;
    if (col >= kColumns || row >= kRows)
        return;
    m_pData[col * kRows + row] = BYTE(cell.m_nValue);
}

HBITMAP CGridAreaCtrl3::CellBitmap(const CGridAreaCell& cell) const {
    const CBitmap* bitmap = nullptr;
    switch (cell.m_nValue) {
    case 0:
        bitmap = &m_bmBackdrop;
        break;
    case 1:
        bitmap = &m_bmPicked;
        break;
    case 2:
        bitmap = &m_bmValue2;
        break;
    case 3:
        bitmap = &m_bmValue3;
        break;
    default:
        return nullptr;
    }
    return static_cast<HBITMAP>(bitmap->GetSafeHandle());
}

void CGridAreaCtrl3::OnLButtonDown(UINT nFlags, CPoint point) {
    if (m_tracker.TrackRubberBand(this, point)) {
        const int value = m_nType == 3 ? m_nPaintValue : 1;
        ForEachIntersecting(m_tracker.m_rect, [this, value](CGridAreaCell& cell) { SetCell(cell, value); });
    } else if (CGridAreaCell* cell = CellAt(point)) {
        const int values = m_nType == 3 ? 4 : 2;
        SetCell(*cell, (cell->m_nValue + 1) % values);
    }
    Invalidate(FALSE);
    CGridAreaCtrlBase::OnLButtonDown(nFlags, point);
}
