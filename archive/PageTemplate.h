#pragma once
// Where the pages of both search frames lie: a content page 403 x 417 at (197, 83) in its frame; a
// menu in the left column, 174 x 430 at (14, 74), its buttons 170 x 35 at x = 2, one under another.

#include "platform/window/DialogTemplate.h"

#include <span>

// A child page's template at its place in the frame.
constexpr DialogTemplate FramePageTemplate(UINT idd, int x, int y, int cx, int cy, std::span<const DialogItem> items,
                                           LPCSTR fontFace, int fontPointSize) {
    return DialogTemplate{.id = idd,
                          .x = x,
                          .y = y,
                          .cx = cx,
                          .cy = cy,
                          .style = WS_CHILD,
                          .items = items,
                          .fontFace = fontFace,
                          .fontPointSize = fontPointSize};
}

// A content page's template; the report pages give the "System" face.
constexpr DialogTemplate ContentPageTemplate(UINT idd, std::span<const DialogItem> items, LPCSTR fontFace = nullptr,
                                             int fontPointSize = 0) {
    return FramePageTemplate(idd, 197, 83, 403, 417, items, fontFace, fontPointSize);
}

inline constexpr int kMenuColumnButtonWidth = 170;

// A menu button as its column's template lists it.
constexpr DialogItem MenuColumnButton(UINT id, int y, DWORD style) {
    return DialogItem{id, "BUTTON", 2, y, kMenuColumnButtonWidth, 35, style};
}

// A menu's template; the local frame's menus give the "System" face.
constexpr DialogTemplate MenuColumnTemplate(UINT idd, std::span<const DialogItem> items, LPCSTR fontFace = nullptr,
                                            int fontPointSize = 0) {
    return FramePageTemplate(idd, 14, 74, 174, 430, items, fontFace, fontPointSize);
}
