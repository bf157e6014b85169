#pragma once
// A rectangle over RECT. Right and bottom are exclusive: a point on them lies outside, and a
// rectangle with width or height 0 or less is empty.

#include "platform/base/Point.h"
#include "platform/base/Size.h"
#include "platform/base/WinTypes.h"

class CRect : public RECT {
public:
    constexpr CRect() : RECT{0, 0, 0, 0} {}
    constexpr CRect(LONG l, LONG t, LONG r, LONG b) : RECT{l, t, r, b} {}
    constexpr CRect(const RECT& r) : RECT(r) {} // NOLINT: implicit, as in the program's calls
    constexpr CRect(const POINT& topLeft, const SIZE& size)
        : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}
    constexpr CRect(const POINT& topLeft, const POINT& bottomRight)
        : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    constexpr LONG Width() const { return right - left; }
    constexpr LONG Height() const { return bottom - top; }
    constexpr CPoint TopLeft() const { return CPoint(left, top); }

    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool PtInRect(const POINT& p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }

    constexpr void SetRect(LONG l, LONG t, LONG r, LONG b) {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    constexpr void SetRectEmpty() { SetRect(0, 0, 0, 0); }

    constexpr void OffsetRect(LONG dx, LONG dy) { SetRect(left + dx, top + dy, right + dx, bottom + dy); }
    constexpr void InflateRect(LONG dx, LONG dy) { SetRect(left - dx, top - dy, right + dx, bottom + dy); }
    constexpr void DeflateRect(LONG dx, LONG dy) { InflateRect(-dx, -dy); }
    // Swaps the edges of a rectangle given with right < left or bottom < top.
    constexpr void NormalizeRect() {
        if (left > right) {
            LONG t = left;
            left = right;
            right = t;
        }
        if (top > bottom) {
            LONG t = top;
            top = bottom;
            bottom = t;
        }
    }

    // The overlap of a and b; when they do not overlap the result is (0,0,0,0) and the call gives false.
    bool IntersectRect(const RECT& a, const RECT& b);

    friend constexpr bool operator==(const CRect& a, const CRect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    friend constexpr bool operator==(const CRect& a, const RECT& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }

    operator LPRECT() { return this; }        // NOLINT: the program passes rectangles as LPRECT
    operator LPCRECT() const { return this; } // NOLINT
};

// The free RECT call for code written against plain RECTs. A null pointer gives FALSE.
BOOL PtInRect(const RECT* r, POINT p);
