#pragma once
// The region grid: 4 x 4 pixel cells, 89 columns by 61 rows per channel, holding one rectangle per
// channel. Each press starts the channel's region afresh; the region's first and last columns and
// rows go to the owner's rectangle table, and anything narrower than two cells either way clears it.

#include "controls/GridAreaCtrlBase.h"

class CGridAreaCtrl2 : public CGridAreaCtrlBase {
public:
    static constexpr int kCellSize = 4;
    static constexpr int kColumns = 89;
    static constexpr int kRows = 61;
    static constexpr int kBlocks = 16;
    static constexpr int kBlockBytes = kColumns * kRows;

    CGridAreaCtrl2();

    // Backdrop 1668, picked cells 1669.
    BOOL LoadBitmaps(HINSTANCE hResources);
    // Selects every cell lying wholly inside the rectangle, written through.
    void SelectCellsInRect(int left, int top, int right, int bottom);
    void UnselectCell(int left, int top, int right, int bottom);

    // The bytes of 16 blocks: data[(block x 61 + row) x 89 + col].
    BYTE* m_pData = nullptr;
    int m_nBlock = 0;
    // Four arrays of 16 bytes: first column, last column, first row, last row, by block.
    BYTE* m_pRectTable = nullptr;
    // Its strip (0, 350)-(407, 370) is repainted after each paint of the grid.
    CWnd* m_pRefreshWnd = nullptr;

protected:
    void WriteCell(const CGridAreaCell& cell) override;
    void DrawOver(CDC* pDC) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;

private:
    // Reads the block's region back from its bytes into the rectangle table.
    void StoreRegion();
    void WriteRegion(BYTE firstCol, BYTE lastCol, BYTE firstRow, BYTE lastRow);
};
