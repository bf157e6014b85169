#include "platform/window/ListCtrl.h"

#include "platform/window/ListViewProc.h"
#include "platform/window/WndHost.h"

#include <cstring>

namespace {

void CopyText(const CString& text, LPSTR buffer, int size) {
    if (buffer == nullptr || size <= 0) {
        return;
    }
    int count = std::min(size - 1, text.GetLength());
    // Never cut a UTF-8 character in two.
    while (count > 0 && count < text.GetLength() && (static_cast<unsigned char>(text.GetAt(count)) & 0xC0) == 0x80) {
        --count;
    }
    std::memcpy(buffer, text.GetString(), std::size_t(count));
    buffer[count] = '\0';
}

} // namespace

CListViewProc* CListCtrl::Proc() const {
    CWndHost* host = GetHost();
    return host != nullptr ? dynamic_cast<CListViewProc*>(host->ClassProc()) : nullptr;
}

DWORD CListCtrl::SetExtendedStyle(DWORD exStyle) {
    CListViewProc* proc = Proc();
    return proc != nullptr ? proc->SetExtendedStyle(*GetHost(), exStyle) : 0;
}

DWORD CListCtrl::GetExtendedStyle() const {
    CListViewProc* proc = Proc();
    return proc != nullptr ? proc->ExtendedStyle() : 0;
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR heading, int nFormat, int nWidth, int nSubItem) {
    CListViewProc* proc = Proc();
    if (proc == nullptr) {
        return -1;
    }
    CListViewProc::Column column;
    column.heading = heading != nullptr ? heading : "";
    column.format = nFormat;
    column.width = nWidth < 0 ? 100 : nWidth;
    column.subItem = nSubItem < 0 ? nCol : nSubItem;
    return proc->InsertColumn(*GetHost(), nCol, column);
}

int CListCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn) {
    if (pColumn == nullptr) {
        return -1;
    }
    return InsertColumn(nCol, (pColumn->mask & LVCF_TEXT) != 0 ? pColumn->pszText : "",
                        (pColumn->mask & LVCF_FMT) != 0 ? pColumn->fmt : LVCFMT_LEFT,
                        (pColumn->mask & LVCF_WIDTH) != 0 ? pColumn->cx : -1,
                        (pColumn->mask & LVCF_SUBITEM) != 0 ? pColumn->iSubItem : -1);
}

BOOL CListCtrl::DeleteColumn(int nCol) {
    CListViewProc* proc = Proc();
    return proc != nullptr ? proc->DeleteColumn(*GetHost(), nCol) : FALSE;
}

BOOL CListCtrl::SetColumnWidth(int nCol, int cx) {
    CListViewProc* proc = Proc();
    return proc != nullptr ? proc->SetColumnWidth(*GetHost(), nCol, cx) : FALSE;
}

BOOL CListCtrl::GetColumn(int nCol, LVCOLUMN* pColumn) const {
    CListViewProc* proc = Proc();
    const CListViewProc::Column* column = proc != nullptr ? proc->GetColumn(nCol) : nullptr;
    if (column == nullptr || pColumn == nullptr) {
        return FALSE;
    }
    if ((pColumn->mask & LVCF_WIDTH) != 0) {
        pColumn->cx = column->width;
    }
    if ((pColumn->mask & LVCF_FMT) != 0) {
        pColumn->fmt = column->format;
    }
    if ((pColumn->mask & LVCF_SUBITEM) != 0) {
        pColumn->iSubItem = column->subItem;
    }
    if ((pColumn->mask & LVCF_TEXT) != 0) {
        CopyText(column->heading, pColumn->pszText, pColumn->cchTextMax);
    }
    return TRUE;
}

int CListCtrl::InsertItem(int nItem, LPCTSTR text) {
    CListViewProc* proc = Proc();
    return proc != nullptr ? proc->InsertRow(*GetHost(), nItem, text != nullptr ? text : "", 0, 0, 0) : -1;
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR text) {
    CListViewProc* proc = Proc();
    return proc != nullptr ? proc->SetText(*GetHost(), nItem, nSubItem, text != nullptr ? text : "") : FALSE;
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
    CListViewProc* proc = Proc();
    return proc != nullptr ? proc->GetText(nItem, nSubItem) : CString();
}

BOOL CListCtrl::DeleteItem(int nItem) {
    CListViewProc* proc = Proc();
    return proc != nullptr ? proc->DeleteRow(*GetHost(), nItem) : FALSE;
}

BOOL CListCtrl::DeleteAllItems() {
    CListViewProc* proc = Proc();
    return proc != nullptr ? proc->DeleteAllRows(*GetHost()) : FALSE;
}

int CListCtrl::GetItemCount() const {
    CListViewProc* proc = Proc();
    return proc != nullptr ? proc->RowCount() : 0;
}

BOOL CListCtrl::GetItem(LVITEM* pItem) const {
    CListViewProc* proc = Proc();
    const CListViewProc::Row* row = proc != nullptr && pItem != nullptr ? proc->GetRow(pItem->iItem) : nullptr;
    if (row == nullptr) {
        return FALSE;
    }
    if ((pItem->mask & LVIF_STATE) != 0) {
        pItem->state = row->state & pItem->stateMask;
    }
    if ((pItem->mask & LVIF_PARAM) != 0) {
        pItem->lParam = row->data;
    }
    if ((pItem->mask & LVIF_IMAGE) != 0) {
        pItem->iImage = row->image;
    }
    if ((pItem->mask & LVIF_TEXT) != 0) {
        CopyText(proc->GetText(pItem->iItem, pItem->iSubItem), pItem->pszText, pItem->cchTextMax);
    }
    return TRUE;
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
    CListViewProc* proc = Proc();
    return proc != nullptr ? proc->SetState(*GetHost(), nItem, nState, nMask) : FALSE;
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR data) {
    CListViewProc* proc = Proc();
    return proc != nullptr ? proc->SetData(nItem, LPARAM(data)) : FALSE;
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const {
    CListViewProc* proc = Proc();
    const CListViewProc::Row* row = proc != nullptr ? proc->GetRow(nItem) : nullptr;
    return row != nullptr ? DWORD_PTR(row->data) : 0;
}

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    (void)lpDrawItemStruct;
}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        if (pResult != nullptr) {
            *pResult = TRUE;
        }
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
