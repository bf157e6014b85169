#pragma once
// The area editors' tracker: outlines cells and follows a rubber band from a press until the button
// is released. While a band is being tracked the window passes its mouse and key messages here
// (OnTrackingMessage); the band is drawn by the window's paint (DrawBand).

#include "platform/base/Point.h"
#include "platform/base/Rect.h"
#include "platform/base/Size.h"
#include "platform/window/Wnd.h"

class CDC;

class CGridCellTracker {
public:
    enum Style { solidLine = 1, dottedLine = 2 };

    CGridCellTracker();

    // Outlines m_rect in the current style.
    void Draw(CDC* pDC) const;
    // Follows the mouse from point (client coordinates of pWnd) until the left button is released;
    // TRUE when a band was dragged out, which is then in m_rect, normalised. Escape, the right
    // button or the loss of the capture cancel (FALSE).
    BOOL TrackRubberBand(CWnd* pWnd, CPoint point);
    bool IsTracking() const { return m_pTrackWnd != nullptr; }
    // TRUE when the message belonged to the band being tracked.
    BOOL OnTrackingMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Draws the band being tracked, if any.
    void DrawBand(CDC* pDC) const;

    CRect m_rect;
    CSize m_sizeMin{10, 10};
    int m_nHandleSize = 8;
    UINT m_nStyle = solidLine;

private:
    void Finish(int result);

    CWnd* m_pTrackWnd = nullptr;
    CPoint m_anchor;
    CRect m_band;
};
