#include "archive/ReportList.h"

#include <algorithm>
#include <cstring>

void InitReportColumns(CListCtrl& list, int count, const int* widths) {
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    count = std::clamp(count, 0, 5);
    for (int i = 0; i < count; ++i) {
        LVCOLUMN column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = widths[i];
        char empty[1] = {};
        column.pszText = empty;
        column.iSubItem = i;
        list.InsertColumn(i, &column);
    }
}

void AddReportText(CListCtrl& list, int column, const char* text) {
    char buffer[128] = {};
    if (text != nullptr) {
        std::strncpy(buffer, text, sizeof buffer - 1);
    }
    if (column == 0) {
        list.InsertItem(list.GetItemCount(), buffer);
        return;
    }
    const int last = list.GetItemCount() - 1;
    if (last >= 0) {
        list.SetItemText(last, column, buffer);
    }
}
