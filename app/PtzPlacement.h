#pragma once
// Where the PTZ pads may stand: inside the video window's display rectangle, snapping to an edge
// within 20 pixels; the dome menu pad also docks beside the control pad when moved near it.

#include "platform/window/WinUser.h"

constexpr int kPtzSnapDistance = 20;

// Adjusts a proposed place (screen coordinates). `video` is the video window's display rectangle;
// `pad` the control pad's window rectangle when the window being placed is the menu pad and the
// control pad exists, else null.
void PlacePtzWindow(const RECT& video, const RECT* pad, WINDOWPOS& pos);
