#pragma once
// What a page hands to a picker popup: the items or initial time, the clicked field's place on the
// screen and the point where it was pressed, and the popup's width. The picker keeps its own copy.

#include "platform/base/WinTypes.h"

constexpr int kListPopupMaxItems = 100;
constexpr int kListPopupTextSize = 260;

struct ListPopupRequest {
    DWORD count;
    char texts[kListPopupMaxItems][kListPopupTextSize]; // zero-terminated within the slot
    RECT anchor;                                        // the field's window rectangle, screen coordinates
    LONG clickX;                                        // the last press inside the field, its client coordinates
    LONG clickY;
    DWORD width;
};
static_assert(sizeof(ListPopupRequest) == 4 + 100 * 260 + 16 + 12);

struct TimePickerRequest {
    DWORD rows; // 1 hour, 2 and minute, 3 and second
    DWORD hour;
    DWORD minute;
    DWORD second;
    RECT anchor;
    LONG clickX;
    LONG clickY;
    LONG width;
};
static_assert(sizeof(TimePickerRequest) == 44);
