#pragma once
// A report list view ("SysListView32" with LVS_REPORT): columns, rows of texts, row states
// (LVIS_SELECTED, LVIS_FOCUSED), single selection by click or arrow keys, a vertical scroll bar.
// Every change of a row's state, by the user or by SetItemState, sends WM_NOTIFY LVN_ITEMCHANGED
// (NMLISTVIEW with uChanged LVIF_STATE, the old and new state) to the parent; a click selects and
// focuses the row under the pointer. With LVS_OWNERDRAWFIXED every visible row is drawn by
// DrawItem (reached through the parent's WM_DRAWITEM), with rcItem the row's bounds (all columns);
// without it rows are drawn plainly (selected rows highlighted while the list has the focus, or
// always with LVS_SHOWSELALWAYS). LVS_NOCOLUMNHEADER hides the header.

#include "platform/window/Wnd.h"

class CListViewProc;

class CListCtrl : public CWnd {
public:
    DWORD SetExtendedStyle(DWORD exStyle);
    DWORD GetExtendedStyle() const;

    int InsertColumn(int nCol, LPCTSTR heading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1);
    int InsertColumn(int nCol, const LVCOLUMN* pColumn);
    BOOL DeleteColumn(int nCol);
    BOOL SetColumnWidth(int nCol, int cx);
    // LVCF_WIDTH, LVCF_FMT, LVCF_SUBITEM, LVCF_TEXT (into pszText, cchTextMax bytes).
    BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const;

    int InsertItem(int nItem, LPCTSTR text);
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR text);
    CString GetItemText(int nItem, int nSubItem) const;
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    // LVIF_TEXT, LVIF_STATE (masked by stateMask), LVIF_PARAM, LVIF_IMAGE.
    BOOL GetItem(LVITEM* pItem) const;
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    BOOL SetItemData(int nItem, DWORD_PTR data);
    DWORD_PTR GetItemData(int nItem) const;

    // Owner drawing of one row (LVS_OWNERDRAWFIXED); the default draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    CListViewProc* Proc() const;
};
