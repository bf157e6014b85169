#pragma once
// The left column of both search frames, where a tab opens its menu: 174 x 430 at (14, 74) in the
// frame, its buttons 170 x 35 at x = 2, one under another.

#include "platform/window/DialogTemplate.h"

#include <span>

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
