#pragma once

#include "platform/gdi/GdiObject.h"

class CBitmap;

// A region in device pixels.
class CRgn : public CGdiObject {
public:
    BOOL CreateRectRgn(int left, int top, int right, int bottom);
    // The layer's own shortcut for mask bitmaps: the pixels of the bitmap whose colour is not
    // `transparent` (or, with keepMatching, exactly those that are), as one region. FALSE for an
    // unknown bitmap.
    BOOL CreateFromMask(HBITMAP mask, COLORREF transparent, bool keepMatching = false);

    // Sets this region (which must exist) to src1 <mode> src2 (src2 ignored for RGN_COPY). Returns
    // NULLREGION, SIMPLEREGION, COMPLEXREGION or ERROR.
    int CombineRgn(const CRgn* src1, const CRgn* src2, int mode);
    int CopyRgn(const CRgn* src);
    BOOL PtInRegion(int x, int y) const;
    BOOL PtInRegion(POINT point) const { return PtInRegion(point.x, point.y); }

    operator HRGN() const { return static_cast<HRGN>(m_hObject); } // NOLINT
    static CRgn* FromHandle(HRGN region);
};
