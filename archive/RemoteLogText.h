#pragma once
// The texts of the recorder's log as the lists, the print-outs and the detail page show them: five
// column texts per entry (number, date and time, kind, short text, long text or channels), and the
// detail rows of the Operation entries that carry more than fits a row.

#include "archive/RemoteLogEntry.h"
#include "platform/base/String.h"

#include <array>
#include <functional>
#include <vector>

// A resource text by id (the program passes LoadResString).
using TextSource = std::function<CString(UINT id)>;

using LogRow = std::array<CString, 5>;

// Every column text is cut to this many characters.
constexpr int kLogColumnChars = 127;

// A time (taken as signed; negative counts as 0) broken down as UTC in the date format: 0
// YYYY-MM-DD, 1 MM-DD-YYYY, any other DD-MM-YYYY; then the time of day.
CString FormatLogDateTime(DWORD time, int dateFormat);

// The row of an entry. kind -1 takes the lowest kind bit of index_main (the All page), and an entry
// with none gets only its number and date; a filtered page passes its own kind.
LogRow FormatRemoteLogRow(const RemoteLogEntry& entry, int kind, int dateFormat, const TextSource& text);

// The sub-kind whose details the detail page shows for an Operation entry (4, 9 or 13), or -1.
int DetailKindOf(const RemoteLogEntry& entry);
// Whether Play may start at an Event entry: its sub-kind is 0, 1 or 2, or it has none of bits 0-4.
bool IsPlayableEvent(const RemoteLogEntry& entry);

// The rows of the detail page: the entry's own row (as on the Operation page), an empty row, then
// the rows of the detail kind (column 1 a label, column 2 a value).
std::vector<LogRow> FormatRemoteLogDetail(const RemoteLogEntry& entry, int detailKind, int dateFormat,
                                          const TextSource& text);
