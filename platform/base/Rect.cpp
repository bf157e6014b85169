#include "platform/base/Rect.h"

#include <algorithm>

bool CRect::IntersectRect(const RECT& a, const RECT& b) {
    const CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                  std::min(a.bottom, b.bottom));
    if (r.IsRectEmpty()) {
        SetRectEmpty();
        return false;
    }
    *this = r;
    return true;
}

bool CRect::UnionRect(const RECT& a, const RECT& b) {
    const bool aEmpty = CRect(a).IsRectEmpty();
    const bool bEmpty = CRect(b).IsRectEmpty();
    if (aEmpty && bEmpty) {
        SetRectEmpty();
        return false;
    }
    if (aEmpty || bEmpty) {
        // Copy through a temporary: a or b may be this very rectangle.
        const RECT keep = aEmpty ? b : a;
        CopyRect(keep);
        return true;
    }
    SetRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom));
    return true;
}

CRect& CRect::operator&=(const RECT& r) {
    IntersectRect(*this, r);
    return *this;
}

CRect& CRect::operator|=(const RECT& r) {
    UnionRect(*this, r);
    return *this;
}

CRect CRect::operator+(const POINT& d) const {
    CRect r(*this);
    r.OffsetRect(d);
    return r;
}

CRect CRect::operator-(const POINT& d) const {
    CRect r(*this);
    r.OffsetRect(-d.x, -d.y);
    return r;
}

CRect CRect::operator&(const RECT& other) const {
    CRect r;
    r.IntersectRect(*this, other);
    return r;
}

CRect CRect::operator|(const RECT& other) const {
    CRect r;
    r.UnionRect(*this, other);
    return r;
}

BOOL SetRect(LPRECT r, int left, int top, int right, int bottom) {
    if (!r) {
        return FALSE;
    }
    *r = RECT{left, top, right, bottom};
    return TRUE;
}

BOOL SetRectEmpty(LPRECT r) {
    return SetRect(r, 0, 0, 0, 0);
}

BOOL CopyRect(LPRECT dst, const RECT* src) {
    if (!dst || !src) {
        return FALSE;
    }
    *dst = *src;
    return TRUE;
}

BOOL IsRectEmpty(const RECT* r) {
    return (!r || CRect(*r).IsRectEmpty()) ? TRUE : FALSE;
}

BOOL EqualRect(const RECT* a, const RECT* b) {
    return (a && b && CRect(*a).EqualRect(*b)) ? TRUE : FALSE;
}

BOOL PtInRect(const RECT* r, POINT p) {
    return (r && CRect(*r).PtInRect(p)) ? TRUE : FALSE;
}

BOOL OffsetRect(LPRECT r, int dx, int dy) {
    if (!r) {
        return FALSE;
    }
    CRect c(*r);
    c.OffsetRect(dx, dy);
    *r = c;
    return TRUE;
}

BOOL InflateRect(LPRECT r, int dx, int dy) {
    if (!r) {
        return FALSE;
    }
    CRect c(*r);
    c.InflateRect(dx, dy);
    *r = c;
    return TRUE;
}

BOOL IntersectRect(LPRECT dst, const RECT* a, const RECT* b) {
    if (!dst || !a || !b) {
        return FALSE;
    }
    CRect c;
    const bool any = c.IntersectRect(*a, *b);
    *dst = c;
    return any ? TRUE : FALSE;
}

BOOL UnionRect(LPRECT dst, const RECT* a, const RECT* b) {
    if (!dst || !a || !b) {
        return FALSE;
    }
    CRect c;
    const bool any = c.UnionRect(*a, *b);
    *dst = c;
    return any ? TRUE : FALSE;
}
