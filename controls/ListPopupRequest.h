#pragma once
// What a page hands to a list popup or item picker (the setup frame's list popup, the local setup's
// drop-down list and the search frames' pickers all take this one record): the items, the clicked
// field's place on the screen, the point where it was last pressed, and the popup's width. The
// popup keeps its own copy.

#include "platform/base/WinTypes.h"

constexpr int kListPopupItemCapacity = 100;
constexpr int kListPopupItemSize = 260;

struct ListPopupRequest {
    int count;                                              // items in use
    char items[kListPopupItemCapacity][kListPopupItemSize]; // zero-terminated within the slot
    RECT anchor;                                            // the field's window rectangle, screen coordinates
    int clickX; // the last left-button press on the field, its client coordinates
    int clickY;
    int width; // popup width in pixels
};
static_assert(sizeof(ListPopupRequest) == 4 + kListPopupItemCapacity * kListPopupItemSize + 16 + 12);
