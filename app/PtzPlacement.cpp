#include "app/PtzPlacement.h"

namespace {

// Beside the control pad: snapped to its side when within reach, or moved off it when overlapping.
void DockBesidePad(const RECT& video, const RECT& pad, WINDOWPOS& pos) {
    const bool besideVertically = pos.y + pos.cy > pad.top && pos.y < pad.bottom;
    if (!besideVertically) {
        return;
    }
    if (pad.right < pos.x) {
        if (pos.x - pad.right < kPtzSnapDistance) {
            pos.x = pad.right;
            pos.y = pad.top;
        }
        return;
    }
    if (pos.x + pos.cx < pad.left) {
        if ((pad.left - pos.cx) - pos.x < kPtzSnapDistance) {
            pos.x = pad.left - pos.cx;
            pos.y = pad.top;
        }
        return;
    }
    const int centre = pos.x + pos.cx / 2;
    const int padCentre = (pad.left + pad.right) / 2;
    if (centre > padCentre) {
        pos.x = pad.right + pos.cx > video.right ? pad.left - pos.cx : pad.right;
    } else {
        pos.x = pad.left - pos.cx < video.left ? pad.right : pad.left - pos.cx;
    }
    pos.y = pad.top;
}

} // namespace

void PlacePtzWindow(const RECT& video, const RECT* pad, WINDOWPOS& pos) {
    if (pad != nullptr) {
        DockBesidePad(video, *pad, pos);
    }
    if (pos.x < video.left + kPtzSnapDistance) {
        pos.x = video.left;
    }
    if (pos.y < video.top + kPtzSnapDistance) {
        pos.y = video.top;
    }
    if (pos.x + pos.cx + kPtzSnapDistance > video.right) {
        pos.x = video.right - pos.cx;
    }
    if (pos.y + pos.cy + kPtzSnapDistance > video.bottom) {
        pos.y = video.bottom - pos.cy;
    }
}
