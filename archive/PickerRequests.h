#pragma once
// What a page hands to a picker popup: the items or initial time, the clicked field's place on the
// screen and the point where it was pressed, and the popup's width. The picker keeps its own copy.

#include "controls/ListPopupRequest.h"
#include "platform/base/WinTypes.h"

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
