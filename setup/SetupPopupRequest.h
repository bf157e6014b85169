#pragma once
// What a setup page hands to the list popup and to the slider popup. The page zeroes the request,
// fills it and passes it by pointer; the popup keeps its own copy.

#include "platform/base/WinTypes.h"

constexpr int kListPopupItemCapacity = 100;
constexpr int kListPopupItemSize = 260;
// The list popup has this many item labels; a request with more items shows none of them.
constexpr int kListPopupMaxItems = 31;

struct ListPopupRequest {
    int count; // 1..31
    char items[kListPopupItemCapacity][kListPopupItemSize];
    RECT anchor; // the selector's window rectangle, screen coordinates
    int clickX;  // the last left-button press on the selector, its client coordinates
    int clickY;
    int width; // popup width in pixels
};

struct SliderPopupRequest {
    int count;    // 1 or 2 sliders
    int value[3]; // mode 0: position, minimum, maximum; mode 1: hour, minute, unused
    RECT anchor;
    int clickX;
    int clickY;
    int width;
};

// The slider popup's modes.
constexpr int kSliderModeValue = 0;
constexpr int kSliderModeClock = 1;
