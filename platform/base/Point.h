#pragma once
// A point over POINT with the arithmetic the windows use for mouse positions and offsets.

#include "platform/base/WinTypes.h"

class CPoint : public POINT {
public:
    constexpr CPoint() : POINT{0, 0} {}
    constexpr CPoint(LONG px, LONG py) : POINT{px, py} {}
    constexpr CPoint(const POINT& p) : POINT(p) {} // NOLINT: implicit, as in the program's calls
    // A point packed as in a mouse message's lParam: x in the low word, y in the high word, both signed.
    constexpr explicit CPoint(LPARAM packed)
        : POINT{SHORT(LOWORD(DWORD_PTR(packed))), SHORT(HIWORD(DWORD_PTR(packed)))} {}

    friend constexpr bool operator==(const CPoint& a, const CPoint& b) { return a.x == b.x && a.y == b.y; }
};
