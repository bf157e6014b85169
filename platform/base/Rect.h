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
    constexpr CSize Size() const { return CSize(Width(), Height()); }
    constexpr CPoint TopLeft() const { return CPoint(left, top); }
    constexpr CPoint BottomRight() const { return CPoint(right, bottom); }
    // Rounds toward zero, as the program's centring arithmetic expects.
    constexpr CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    constexpr bool PtInRect(const POINT& p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }

    constexpr void SetRect(LONG l, LONG t, LONG r, LONG b) {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    constexpr void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    constexpr void CopyRect(const RECT& r) { SetRect(r.left, r.top, r.right, r.bottom); }
    constexpr bool EqualRect(const RECT& r) const {
        return left == r.left && top == r.top && right == r.right && bottom == r.bottom;
    }

    constexpr void OffsetRect(LONG dx, LONG dy) { SetRect(left + dx, top + dy, right + dx, bottom + dy); }
    constexpr void OffsetRect(const POINT& d) { OffsetRect(d.x, d.y); }
    constexpr void MoveToXY(LONG x, LONG y) { OffsetRect(x - left, y - top); }
    constexpr void MoveToX(LONG x) { OffsetRect(x - left, 0); }
    constexpr void MoveToY(LONG y) { OffsetRect(0, y - top); }
    constexpr void InflateRect(LONG dx, LONG dy) { SetRect(left - dx, top - dy, right + dx, bottom + dy); }
    constexpr void InflateRect(LONG l, LONG t, LONG r, LONG b) { SetRect(left - l, top - t, right + r, bottom + b); }
    constexpr void DeflateRect(LONG dx, LONG dy) { InflateRect(-dx, -dy); }
    constexpr void DeflateRect(LONG l, LONG t, LONG r, LONG b) { InflateRect(-l, -t, -r, -b); }
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
    // The smallest rectangle holding both; an empty operand is ignored. False when both are empty.
    bool UnionRect(const RECT& a, const RECT& b);

    CRect& operator+=(const POINT& d) {
        OffsetRect(d);
        return *this;
    }
    CRect& operator-=(const POINT& d) {
        OffsetRect(-d.x, -d.y);
        return *this;
    }
    CRect& operator&=(const RECT& r);
    CRect& operator|=(const RECT& r);
    CRect operator+(const POINT& d) const;
    CRect operator-(const POINT& d) const;
    CRect operator&(const RECT& r) const;
    CRect operator|(const RECT& r) const;
    friend constexpr bool operator==(const CRect& a, const CRect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    friend constexpr bool operator==(const CRect& a, const RECT& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }

    operator LPRECT() { return this; }        // NOLINT: the program passes rectangles as LPRECT
    operator LPCRECT() const { return this; } // NOLINT
};

// The free RECT functions for code written against plain RECTs. Null pointers give FALSE.
BOOL SetRect(LPRECT r, int left, int top, int right, int bottom);
BOOL SetRectEmpty(LPRECT r);
BOOL CopyRect(LPRECT dst, const RECT* src);
BOOL IsRectEmpty(const RECT* r);
BOOL EqualRect(const RECT* a, const RECT* b);
BOOL PtInRect(const RECT* r, POINT p);
BOOL OffsetRect(LPRECT r, int dx, int dy);
BOOL InflateRect(LPRECT r, int dx, int dy);
BOOL IntersectRect(LPRECT dst, const RECT* a, const RECT* b);
BOOL UnionRect(LPRECT dst, const RECT* a, const RECT* b);
