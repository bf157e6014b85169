#pragma once
// Where a page of either setup frame stands: a child of the frame at (197, 83), 403 x 417, its
// background stretched over the whole page. The page bases of both frames take these from here.

#include "platform/window/DialogTemplate.h"

#include <span>

struct FramePage {
    static constexpr int kLeft = 197;
    static constexpr int kTop = 83;
    static constexpr int kWidth = 403;
    static constexpr int kHeight = 417;

    // A page template: a child of the frame at (197, 83), 403 x 417, with these controls.
    static DialogTemplate PageTemplate(UINT id, std::span<const DialogItem> items) {
        return DialogTemplate{
            .id = id, .x = kLeft, .y = kTop, .cx = kWidth, .cy = kHeight, .style = WS_CHILD, .items = items};
    }
};
