#pragma once
// A rectangle tracker: the outline of a rectangle (Draw) and a rubber band dragged with the mouse
// (TrackRubberBand). Only the outline styles are drawn (no handles or hatching).

#include "platform/base/Point.h"
#include "platform/base/Rect.h"
#include "platform/base/Size.h"

class CDC;
class CWnd;

class CRectTracker {
public:
    enum StyleFlags {
        solidLine = 1,
        dottedLine = 2,
        hatchedBorder = 4,
        resizeInside = 8,
        resizeOutside = 16,
        hatchInside = 32,
    };

    CRectTracker() = default;
    CRectTracker(LPCRECT rect, UINT style);
    virtual ~CRectTracker() = default;

    // The outline of m_rect: a 1-pixel black line, solid or dotted by m_nStyle.
    void Draw(CDC* pDC) const;
    // Captures the mouse for pWnd and follows it from point (client coordinates) until the left
    // button is released, showing the band as it goes; Escape or losing the window cancels. TRUE when
    // the band moved: m_rect is then the band, normalised (right >= left, bottom >= top).
    BOOL TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert = TRUE);

    CRect m_rect;
    UINT m_nStyle = solidLine;
    int m_nHandleSize = 8;
    CSize m_sizeMin{10, 10};
};
