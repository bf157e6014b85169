#pragma once
// A size over SIZE (width cx, height cy).

#include "platform/base/WinTypes.h"

class CSize : public SIZE {
public:
    constexpr CSize() : SIZE{0, 0} {}
    constexpr CSize(LONG w, LONG h) : SIZE{w, h} {}
    constexpr CSize(const SIZE& s) : SIZE(s) {} // NOLINT: implicit, as in the program's calls
};
