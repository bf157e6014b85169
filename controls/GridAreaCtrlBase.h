#pragma once
// What the three area editors share: a list of cells over a backdrop bitmap, the cells drawn from a
// second bitmap by value, a rubber band or a click to change them, and every change written straight
// into the owner's byte array (each editor has its own layout, WriteCell).

#include "controls/GridAreaCell.h"
#include "controls/GridCellTracker.h"
#include "platform/gdi/Bitmap.h"
#include "platform/window/Static.h"
#include "platform/window/WinUser.h"

#include <functional>
#include <list>
#include <memory>

class CDC;

class CGridAreaCtrlBase : public CStatic {
public:
    CGridAreaCtrlBase();
    ~CGridAreaCtrlBase() override;

    // A new unselected cell, at the head of the list.
    void AddCell(int left, int top, int right, int bottom);
    void RemoveAllCells();
    // Every cell 1 / 0, written through.
    void SelectAll();
    void ClearAll();

    int GetCellCount() const { return int(m_cells.size()); }
    // The value of the cell whose rectangle equals the given one, or -1 when there is none.
    int GetCellValue(int left, int top, int right, int bottom) const;

    // Draws backdrop and cells into pDC (the editor's paint, buffered by the caller).
    void Draw(CDC* pDC);

protected:
    // Writes a cell's value into the owner's bytes; cells outside the grid write nothing.
    virtual void WriteCell(const CGridAreaCell& cell) = 0;
    // The bitmap a cell is drawn from (its value's), or null for none.
    virtual HBITMAP CellBitmap(const CGridAreaCell& cell) const;
    // Drawn after the cells.
    virtual void DrawOver(CDC* pDC);

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnPaint() override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;

    void SetCell(CGridAreaCell& cell, int value);
    // The first cell in list order containing the point, or null.
    CGridAreaCell* CellAt(CPoint point);
    CGridAreaCell* CellEqual(const RECT& rect);
    // Every cell whose rectangle overlaps the band (a non-empty intersection).
    void ForEachIntersecting(const CRect& band, const std::function<void(CGridAreaCell&)>& action);
    // Loads the backdrop and picked bitmaps. The resource library is the one loader of bitmaps on
    // this platform, so the module handle the owner passes needs no switching.
    BOOL LoadBitmapPair(HINSTANCE hResources, UINT idBackdrop, UINT idPicked);

    CGridCellTracker m_tracker;
    std::list<std::unique_ptr<CGridAreaCell>> m_cells;
    CBitmap m_bmBackdrop;
    CBitmap m_bmPicked;
};
