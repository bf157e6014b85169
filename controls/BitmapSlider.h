#pragma once
// The bitmap slider of the play bar, the volume and the setup pages: a bar drawn from two bitmaps
// (left of the position the active one, the rest the channel), reporting presses, drags and releases
// to its parent with WM_SLIDER_DOWN / MOVE / UP (wParam the control id, lParam the position).

#include "platform/base/Rect.h"
#include "platform/gdi/Bitmap.h"
#include "platform/window/Static.h"

class CDC;

constexpr UINT WM_SLIDER_DOWN = 0xD60;
constexpr UINT WM_SLIDER_MOVE = 0xD61;
constexpr UINT WM_SLIDER_UP = 0xD62;

class CBitmapSlider : public CStatic {
public:
    CBitmapSlider();
    ~CBitmapSlider() override;

    // SetRange, SetPos and Enable may be called from any thread: off the UI thread they are queued
    // to it and take effect there.
    // The position is not clamped until the next SetPos.
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE);
    // Clamped to the range (above the maximum gives the maximum, then below the minimum the
    // minimum); posts nothing.
    void SetPos(int nPos);
    int GetPos() const { return m_nPos; }
    int GetRangeMin() const { return m_nMin; }
    int GetRangeMax() const { return m_nMax; }
    // Gives the previous page size (stored only).
    int SetPageSize(int nSize);
    void SetMargin(int nLeft, int nTop, int nRight, int nBottom);
    // Draw a focus rectangle while the slider has the focus.
    void SetDrawOption(BOOL bDrawFocusRect, BOOL bRedraw);
    // The active bitmap covers at least this many pixels from the start of the track, so that the
    // position still shows at the minimum (0 by default: nothing lit at the minimum).
    void SetLitMinimum(int nPixels);
    // Disabling during a drag ends the drag and releases the capture.
    void Enable(BOOL bEnable = TRUE);
    BOOL IsEnabled() const { return m_bEnable; }
    // idChannel 0 frees the channel bitmaps. Otherwise loads the channel and (when idActive is not 0)
    // the active bitmap and sizes the control to the channel, keeping its place and z-order. The
    // transparent mode and its key are kept but not drawn: nothing in the program asks for them.
    BOOL SetBitmapChannel(UINT idChannel, UINT idActive = 0, BOOL bTransparent = FALSE,
                          COLORREF clrTransColor = 0xFF000000, int iTransPixelX = 0, int iTransPixelY = 0);

    // Where a position lies along the track (pixels from the left edge) and which position a pixel
    // gives. An empty range (max <= min) or a track without room maps everything to the minimum.
    int Pos2Pixel(int nPos) const;
    int Pixel2Pos(int nPixel) const;

    // The current position, read by the owners.
    int m_nPos = 0;

protected:
    void PreSubclassWindow() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnPaint() override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnCaptureChanged(CWnd* pWnd) override;
    void OnSetFocus(CWnd* pOldWnd) override;
    void OnKillFocus(CWnd* pNewWnd) override;
    void OnSize(UINT nType, int cx, int cy) override;
    UINT OnGetDlgCode() override;

private:
    // The measures along the slider's axis.
    int TrackLength() const;
    int ThumbLength() const;
    int MarginBefore() const;
    int MarginAfter() const;
    // One drag step at a point along the axis: moves the position and posts WM_SLIDER_MOVE when it
    // changes.
    void DragTo(int along);
    void Notify(UINT message);
    void Draw(CDC* pDC);

    int m_nMax = 100;
    int m_nMin = 0;
    int m_nPage = 20;
    CRect m_rect;
    int m_nWidth = 0;
    int m_nHeight = 0;
    // No thumb bitmaps are used in this program: the thumb has no size and is not drawn.
    int m_nThumbWidth = 0;
    int m_nThumbHeight = 0;
    int m_nMarginLeft = 0;
    int m_nMarginRight = 0;
    int m_nMarginTop = 0;
    int m_nMarginBottom = 0;
    int m_nMouseOffset = 0;
    int m_nLitMinimum = 0;
    BOOL m_bVertical = FALSE;
    BOOL m_bChannelActive = FALSE;
    BOOL m_bTransparentChannel = FALSE;
    BOOL m_bChannel = FALSE;
    BOOL m_bLButtonDown = FALSE;
    BOOL m_bFocus = FALSE;
    BOOL m_bFocusRect = FALSE;
    BOOL m_bDrawFocusRect = FALSE;
    BOOL m_bEnable = TRUE;
    COLORREF m_clrTransColor = 0xFF000000;
    CBitmap m_bmChannel;
    CBitmap m_bmChannelActive;
};
