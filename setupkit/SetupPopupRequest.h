#pragma once
// What a setup page hands to the list popup and to the slider popup. The page zeroes the request,
// fills it and passes it by pointer; the popup keeps its own copy.

#include "controls/ListPopupRequest.h"
#include "platform/base/WinTypes.h"

// A one-column list shows at most this many items.
constexpr int kListPopupMaxItems = 31;
// A longer list, up to everything a request holds, opens in four columns: a recorder may name up to
// 64 languages or protocols.
constexpr int kListPopupLongItems = kListPopupItemCapacity;

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
