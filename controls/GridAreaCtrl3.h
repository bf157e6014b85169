#pragma once
// The weekly schedule grid: 50 x 15 pixel cells, 7 days by 24 hours, each holding a value (0 to 3 on
// recorders of type 3, else 0 or 1) drawn from that value's bitmap. A band paints every cell it
// overlaps; a click steps the cell under the pointer to its next value.

#include "controls/GridAreaCtrlBase.h"

class CGridAreaCtrl3 : public CGridAreaCtrlBase {
public:
    static constexpr int kCellWidth = 50;
    static constexpr int kCellHeight = 15;
    static constexpr int kColumns = 7;
    static constexpr int kRows = 24;

    CGridAreaCtrl3();

    // Type 3: bitmaps 1772 to 1775 for values 0 to 3; any other type: 1771 (value 0, the backdrop)
    // and 1770 (value 1). The type is kept: it decides the values a click steps through.
    BOOL LoadBitmaps(HINSTANCE hResources, int nType);
    // Sets the value of the cell whose rectangle equals the given one, written through.
    void SetCellValue(int left, int top, int right, int bottom, int value);

    // The schedule's bytes: data[col x 24 + row].
    BYTE* m_pData = nullptr;
    // The value a band paints on type-3 recorders.
    int m_nPaintValue = 1;
    int m_nType = 0;

protected:
    void WriteCell(const CGridAreaCell& cell) override;
    HBITMAP CellBitmap(const CGridAreaCell& cell) const override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;

private:
    CBitmap m_bmValue2;
    CBitmap m_bmValue3;
};
