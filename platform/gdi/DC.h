#pragma once
// A device context: GDI-shaped drawing over a QPainter. The target is a bitmap selected into a memory
// context (CreateCompatibleDC + SelectObject), an image someone else owns (AttachImage), or a painter
// the window layer is painting a widget with (AttachPainter). A context without a target draws
// nothing but still selects objects, measures text and records (a metrics context).
//
// Coordinates are logical and mapped to device pixels by the mapping mode, window and viewport
// origins and extents, as GDI maps them; fonts and wide pens scale with the mapping, text is never
// mirrored. Rectangles exclude their right and bottom edges. A context is used by one thread at a
// time.

#include "platform/gdi/GdiTypes.h"

#include <memory>

class CGdiObject;
class CPen;
class CBrush;
class CFont;
class CBitmap;
class CRgn;
class CDrawRecorder;
class QPainter;
class QImage;
class QRect;

class CDC {
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Non-null once the context has a target (memory context, image or painter).
    HDC m_hDC = nullptr;
    BOOL m_bPrinting = FALSE;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; } // NOLINT
    // The context behind a handle given out by GetSafeHdc (valid while that context lives).
    static CDC* FromHandle(HDC dc);
    BOOL IsPrinting() const { return m_bPrinting; }

    // --- Targets -------------------------------------------------------------------------------
    // A memory context: its target is the bitmap selected into it (at first a 1 x 1 stock bitmap).
    // pDC may be null; the new context takes its resolution from it.
    BOOL CreateCompatibleDC(CDC* pDC);
    // Draws into an image owned by the caller, which must outlive the attachment (32-bit formats).
    BOOL AttachImage(QImage* image);
    // Draws with a painter the caller has begun (a widget's paint event). deviceClip is the area
    // being painted in the painter's device pixels (the clip box); backing, if given, is the image
    // the painter draws into, which makes GetPixel and blits from this context possible. The
    // painter's state is saved here and restored by ReleaseTarget.
    BOOL AttachPainter(QPainter* painter, const QRect& deviceClip, QImage* backing = nullptr);
    // Draws onto the same target as another context (a printing memory context); attributes are
    // copied from it.
    BOOL AttachSameTarget(CDC* other);
    // Ends drawing on the current target (restores an attached painter). Objects stay selected.
    void ReleaseTarget();
    BOOL DeleteDC();

    // The painter drawing on the target, begun on first use (null without a target). For the rest
    // of the platform layer (video drawing); it is in device pixels, with the context's clip.
    QPainter* GetPainter();

    // --- Objects -------------------------------------------------------------------------------
    // Each returns the object previously selected of that kind (a stock wrapper at first), to be
    // selected back. Null objects or handles change nothing and return null.
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap); // memory contexts only
    CGdiObject* SelectObject(CGdiObject* object);
    HGDIOBJ SelectObject(HGDIOBJ object);
    CGdiObject* SelectStockObject(int index);
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;

    // --- Attributes ----------------------------------------------------------------------------
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode);         // TRANSPARENT or OPAQUE
    int SetROP2(int mode);           // R2_COPYPEN, R2_XORPEN, R2_NOT, R2_NOP, R2_BLACK, R2_WHITE
    int SetStretchBltMode(int mode); // COLORONCOLOR: nearest pixel; HALFTONE: smoothed

    // --- Mapping -------------------------------------------------------------------------------
    int SetMapMode(int mode);
    int GetMapMode() const;
    POINT SetWindowOrg(int x, int y);
    // Extents matter in MM_ISOTROPIC and MM_ANISOTROPIC only, as in GDI.
    SIZE SetWindowExt(int cx, int cy);
    SIZE SetWindowExt(SIZE size) { return SetWindowExt(size.cx, size.cy); }
    SIZE GetWindowExt() const;
    SIZE SetViewportExt(int cx, int cy);
    SIZE SetViewportExt(SIZE size) { return SetViewportExt(size.cx, size.cy); }
    SIZE GetViewportExt() const;
    void LPtoDP(LPPOINT points, int count = 1) const;
    void LPtoDP(LPRECT rect) const;
    void DPtoLP(LPPOINT points, int count = 1) const;

    // --- Clipping (kept in device pixels, as GDI keeps it) -------------------------------------
    // The logical bounding box of what may be drawn: the painted area of an attached painter or the
    // whole target, narrowed by the clip region. Returns the region type.
    int GetClipBox(LPRECT rect) const;
    int SelectClipRgn(CRgn* region); // null: no clip region; the region is copied
    int IntersectClipRect(int left, int top, int right, int bottom);
    // Saves attributes, selected objects, mapping and clip; RestoreDC(-1) takes back the last save.
    int SaveDC();
    BOOL RestoreDC(int savedDC);

    // --- Blits ---------------------------------------------------------------------------------
    // SRCCOPY, SRCAND, SRCPAINT, SRCINVERT, NOTSRCCOPY, DSTINVERT, BLACKNESS, WHITENESS, PATCOPY.
    // A source rectangle reaching past the source bitmap copies only the part that lies inside it.
    BOOL BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth, int srcHeight,
                    DWORD rop);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);

    // --- Fills and shapes ----------------------------------------------------------------------
    void FillRect(LPCRECT rect, CBrush* brush);
    void FillRect(LPCRECT rect, HBRUSH brush);
    // Sets the background colour to `color`, and leaves it set, then fills.
    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    // Outline with the pen, inside filled with the brush. PS_INSIDEFRAME keeps a wide pen inside the
    // rectangle; other wide pens straddle the outline.
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(LPCRECT rect);
    BOOL Ellipse(int left, int top, int right, int bottom);
    BOOL Ellipse(LPCRECT rect);
    // Lines leave out their last pixel; the pen's ROP2 applies (R2_XORPEN for rubber bands).
    POINT MoveTo(int x, int y);
    BOOL LineTo(int x, int y);
    // A dotted rectangle drawn by exclusive-or: drawing it twice restores the pixels.
    void DrawFocusRect(LPCRECT rect);
    // EDGE_RAISED / EDGE_SUNKEN ... with BF_RECT or single sides; BF_ADJUST shrinks rect.
    BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags);
    // CLR_INVALID (0xFFFFFFFF) outside the target or without readable pixels.
    COLORREF GetPixel(int x, int y) const;

    // --- Text ----------------------------------------------------------------------------------
    // Texts are UTF-8; count is in bytes, -1 up to the terminating zero. TextOut places the top of
    // the character cell at y (with TA_TOP), as GDI does.
    BOOL TextOut(int x, int y, LPCSTR text, int count);
    BOOL TextOut(int x, int y, LPCSTR text);
    // DT_LEFT/CENTER/RIGHT, DT_TOP/VCENTER/BOTTOM (vertical placement with DT_SINGLELINE),
    // DT_SINGLELINE, DT_WORDBREAK, DT_NOCLIP, DT_CALCRECT (measures, sets rect's right and bottom,
    // draws nothing), DT_END_ELLIPSIS. Text is clipped to rect unless DT_NOCLIP. Returns the height
    // of the text drawn.
    int DrawText(LPCSTR text, int count, LPRECT rect, UINT format);
    int DrawText(LPCSTR text, LPRECT rect, UINT format);
    SIZE GetTextExtent(LPCSTR text, int count) const;
    SIZE GetTextExtent(LPCSTR text) const;
    BOOL GetTextExtentPoint32(LPCSTR text, int count, SIZE* size) const;
    BOOL GetTextMetrics(TEXTMETRIC* metrics) const;

    // --- Recording (tests) ---------------------------------------------------------------------
    void SetRecorder(CDrawRecorder* recorder);
    // The window this context paints, stamped on its records.
    void SetRecordWindow(HWND wnd);

private:
    struct Impl;
    std::unique_ptr<Impl> m;
    friend struct CDCAccess;
};

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
