#pragma once
// The list operations of the log and information pages: columns without headings in the pages'
// text colour and styles, and rows filled column by column.

#include "platform/base/String.h"
#include "platform/window/ListCtrl.h"

#include <array>
#include <cstddef>

// Text colour 0x783C3C, grid lines, full-row select and flat scroll bars, then `count` (1-5)
// left-aligned columns with empty headings and the given widths.
void InitReportColumns(CListCtrl& list, int count, const int* widths);
// Column 0 appends a row; any other column sets that column of the last row. The text is cut to
// 127 characters.
void AddReportText(CListCtrl& list, int column, const char* text);
// A whole row: column 0 appends it, the others fill it in turn.
template <std::size_t N>
void AddReportRow(CListCtrl& list, const std::array<CString, N>& row) {
    for (std::size_t c = 0; c < N; ++c) {
        AddReportText(list, int(c), row[c]);
    }
}
