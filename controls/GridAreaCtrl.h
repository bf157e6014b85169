#pragma once
// The motion grid: 36 x 36 pixel cells, 11 columns by 9 rows per channel. A band selects every cell
// it overlaps (never unselects); a click toggles the cell under the pointer.

#include "controls/GridAreaCtrlBase.h"

class CGridAreaCtrl : public CGridAreaCtrlBase {
public:
    static constexpr int kCellSize = 36;
    static constexpr int kColumns = 11;
    static constexpr int kRows = 9;
    static constexpr int kBlocks = 16;

    CGridAreaCtrl();

    // Backdrop 1662, picked cells 1663.
    BOOL LoadBitmaps(HINSTANCE hResources);
    // Select / unselect the cell whose rectangle equals the given one, written through.
    void SelectCell(int left, int top, int right, int bottom);
    void UnselectCell(int left, int top, int right, int bottom);

    // The channel's bytes: data[col + (row + block x 9) x 11] for blocks 0 to 15.
    BYTE* m_pData = nullptr;
    int m_nBlock = 0;

protected:
    void WriteCell(const CGridAreaCell& cell) override;
    void DrawOver(CDC* pDC) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
};
