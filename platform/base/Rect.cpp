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

BOOL PtInRect(const RECT* r, POINT p) {
    return (r && CRect(*r).PtInRect(p)) ? TRUE : FALSE;
}
