#pragma once
// A size over SIZE (width cx, height cy).

#include "platform/base/WinTypes.h"

class CSize : public SIZE {
public:
    constexpr CSize() : SIZE{0, 0} {}
    constexpr CSize(LONG w, LONG h) : SIZE{w, h} {}
    constexpr CSize(const SIZE& s) : SIZE(s) {} // NOLINT: implicit, as in the program's calls

    constexpr CSize operator+(const SIZE& s) const { return CSize(cx + s.cx, cy + s.cy); }
    constexpr CSize operator-(const SIZE& s) const { return CSize(cx - s.cx, cy - s.cy); }
    constexpr CSize& operator+=(const SIZE& s) {
        cx += s.cx;
        cy += s.cy;
        return *this;
    }
    constexpr CSize& operator-=(const SIZE& s) {
        cx -= s.cx;
        cy -= s.cy;
        return *this;
    }
    friend constexpr bool operator==(const CSize& a, const CSize& b) { return a.cx == b.cx && a.cy == b.cy; }
    friend constexpr bool operator==(const CSize& a, const SIZE& b) { return a.cx == b.cx && a.cy == b.cy; }
};
