#pragma once
// The standard behaviour and data of report list views ("SysListView32", see ListCtrl.h).

#include "platform/base/String.h"
#include "platform/window/WinUser.h"
#include "platform/window/WndClassProc.h"

#include <QPointer>

#include <vector>

class QScrollBar;

class CListViewProc : public CWndClassProc {
public:
    struct Column {
        CString heading;
        int format = LVCFMT_LEFT;
        int width = 0;
        int subItem = 0;
    };
    struct Row {
        std::vector<CString> texts;
        UINT state = 0;
        LPARAM data = 0;
        int image = 0;
    };

    void Attach(CWndHost& host) override;
    void Resized(CWndHost& host) override;
    LRESULT DefProc(CWndHost& host, CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

    // Data, for CListCtrl. Row and column indexes are checked; out of range gives -1 / FALSE / empty.
    int InsertColumn(CWndHost& host, int index, const Column& column);
    BOOL DeleteColumn(CWndHost& host, int index);
    BOOL SetColumnWidth(CWndHost& host, int index, int width);
    const Column* GetColumn(int index) const;
    int ColumnCount() const { return int(m_columns.size()); }
    int InsertRow(CWndHost& host, int index, const CString& text, UINT state, LPARAM data, int image);
    BOOL DeleteRow(CWndHost& host, int index);
    BOOL DeleteAllRows(CWndHost& host);
    int RowCount() const { return int(m_rows.size()); }
    const Row* GetRow(int index) const;
    BOOL SetText(CWndHost& host, int row, int subItem, const CString& text);
    CString GetText(int row, int subItem) const;
    BOOL SetData(int row, LPARAM data);
    // Changes the state bits of one row (row -1: every row) and sends LVN_ITEMCHANGED for each row
    // that changed.
    BOOL SetState(CWndHost& host, int row, UINT state, UINT mask);
    int NextItem(int start, UINT flags) const;
    DWORD ExtendedStyle() const { return m_exStyle; }
    DWORD SetExtendedStyle(CWndHost& host, DWORD exStyle);

    // Geometry in client coordinates.
    int RowHeight(CWndHost& host) const;
    int HeaderHeight(CWndHost& host) const;
    int TotalWidth() const;
    BOOL ItemRect(CWndHost& host, int row, UINT code, RECT* rect) const;
    int HitTest(CWndHost& host, const POINT& point) const;
    int CountPerPage(CWndHost& host) const;
    BOOL EnsureVisible(CWndHost& host, int row);

private:
    void Paint(CWndHost& host);
    void SelectOnly(CWndHost& host, int row);
    void ScrollTo(CWndHost& host, int top);
    void ScrollLeftTo(CWndHost& host, int left);
    void UpdateScrollBar(CWndHost& host);
    // Which bars the list needs: a horizontal bar takes rows away, a vertical one width.
    void PlaceBars(CWndHost& host, bool& vertical, bool& horizontal) const;
    int BarHeight() const;
    int BarWidth() const;
    void Notify(CWndHost& host, UINT code, int row, UINT newState, UINT oldState);

    std::vector<Column> m_columns;
    std::vector<Row> m_rows;
    DWORD m_exStyle = 0;
    int m_top = 0;
    int m_left = 0;
    bool m_horizontal = false; // the horizontal bar is placed
    bool m_vertical = false;
    QPointer<QScrollBar> m_scroll;
    QPointer<QScrollBar> m_hscroll;
};
