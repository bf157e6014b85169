#pragma once
// Where the pages of both search frames lie: a content page 403 x 417 at (197, 83) in its frame; a
// menu in the left column, 174 x 430 at (14, 74), its buttons 170 x 35 at x = 2, one under another.

#include "platform/window/DialogTemplate.h"

#include <span>

// A content page's template; the report pages give the "System" face.
constexpr DialogTemplate ContentPageTemplate(UINT idd, std::span<const DialogItem> items, LPCSTR fontFace = nullptr,
                                             int fontPointSize = 0) {
    return DialogTemplate{.id = idd,
                          .x = 197,
                          .y = 83,
                          .cx = 403,
                          .cy = 417,
                          .style = WS_CHILD,
                          .items = items,
                          .fontFace = fontFace,
                          .fontPointSize = fontPointSize};
}

inline constexpr int kMenuColumnButtonWidth = 170;

// A menu button as its column's template lists it.
constexpr DialogItem MenuColumnButton(UINT id, int y, DWORD style) {
    return DialogItem{id, "BUTTON", 2, y, kMenuColumnButtonWidth, 35, style};
}

// A menu's template; the local frame's menus give the "System" face.
constexpr DialogTemplate MenuColumnTemplate(UINT idd, std::span<const DialogItem> items, LPCSTR fontFace = nullptr,
                                            int fontPointSize = 0) {
    return DialogTemplate{.id = idd,
                          .x = 14,
                          .y = 74,
                          .cx = 174,
                          .cy = 430,
                          .style = WS_CHILD,
                          .items = items,
                          .fontFace = fontFace,
                          .fontPointSize = fontPointSize};
}
