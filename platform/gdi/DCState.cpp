#include "platform/gdi/DCImpl.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Pen.h"
#include "platform/gdi/Rgn.h"

// --- Objects ------------------------------------------------------------------------------------

CPen* CDC::SelectObject(CPen* pen) {
    auto data = pen ? CGdiObjectTable::FindAs<GdiPenData>(pen->m_hObject, OBJ_PEN) : nullptr;
    if (!data)
        return nullptr;
    CPen* old = GetCurrentPen();
    m->s.pen = data;
    m->s.penHandle = static_cast<HPEN>(pen->m_hObject);
    return old;
}

CBrush* CDC::SelectObject(CBrush* brush) {
    auto data = brush ? CGdiObjectTable::FindAs<GdiBrushData>(brush->m_hObject, OBJ_BRUSH) : nullptr;
    if (!data)
        return nullptr;
    CBrush* old = GetCurrentBrush();
    m->s.brush = data;
    m->s.brushHandle = static_cast<HBRUSH>(brush->m_hObject);
    return old;
}

CFont* CDC::SelectObject(CFont* font) {
    auto data = font ? CGdiObjectTable::FindAs<GdiFontData>(font->m_hObject, OBJ_FONT) : nullptr;
    if (!data)
        return nullptr;
    CFont* old = GetCurrentFont();
    m->s.font = data;
    m->s.fontHandle = static_cast<HFONT>(font->m_hObject);
    return old;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    if (m->target != DcTarget::Memory || !bitmap)
        return nullptr;
    auto data = CGdiObjectTable::FindAs<GdiBitmapData>(bitmap->m_hObject, OBJ_BITMAP);
    if (!data)
        return nullptr;
    CBitmap* old = GetCurrentBitmap();
    m->EndOwnPainter();
    m->bitmap = data;
    m->image = &data->image;
    m->s.bitmapHandle = static_cast<HBITMAP>(bitmap->m_hObject);
    return old;
}

CGdiObject* CDC::SelectObject(CGdiObject* object) {
    if (!object)
        return nullptr;
    switch (object->GetObjectType()) {
    case OBJ_PEN:
        return SelectObject(static_cast<CPen*>(object));
    case OBJ_BRUSH:
        return SelectObject(static_cast<CBrush*>(object));
    case OBJ_FONT:
        return SelectObject(static_cast<CFont*>(object));
    case OBJ_BITMAP:
        return SelectObject(static_cast<CBitmap*>(object));
    default:
        return nullptr;
    }
}

HGDIOBJ CDC::SelectObject(HGDIOBJ object) {
    if (::GetObjectType(object) == OBJ_REGION) {
        SelectClipRgn(CRgn::FromHandle(static_cast<HRGN>(object)));
        return nullptr;
    }
    CGdiObject* old = SelectObject(CGdiObject::FromHandle(object));
    return old ? old->m_hObject : nullptr;
}

CGdiObject* CDC::SelectStockObject(int index) {
    return SelectObject(CGdiObject::FromHandle(GetStockObject(index)));
}

// The layer's wrappers for the selected handles: the caller's own objects may be gone by now, and
// the wrappers only serve to be selected back. Null once the object has been deleted.
CPen* CDC::GetCurrentPen() const {
    return CPen::FromHandle(m->s.penHandle);
}
CBrush* CDC::GetCurrentBrush() const {
    return CBrush::FromHandle(m->s.brushHandle);
}
CFont* CDC::GetCurrentFont() const {
    return CFont::FromHandle(m->s.fontHandle);
}
CBitmap* CDC::GetCurrentBitmap() const {
    return CBitmap::FromHandle(m->s.bitmapHandle);
}

// --- Attributes ---------------------------------------------------------------------------------

COLORREF CDC::SetTextColor(COLORREF color) {
    return std::exchange(m->s.textColor, color & 0xFFFFFF);
}
COLORREF CDC::GetTextColor() const {
    return m->s.textColor;
}
COLORREF CDC::SetBkColor(COLORREF color) {
    return std::exchange(m->s.bkColor, color & 0xFFFFFF);
}
COLORREF CDC::GetBkColor() const {
    return m->s.bkColor;
}

int CDC::SetBkMode(int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    return std::exchange(m->s.bkMode, mode);
}

int CDC::SetROP2(int mode) {
    if (mode < R2_BLACK || mode > R2_WHITE)
        return 0;
    return std::exchange(m->s.rop2, mode);
}

int CDC::SetStretchBltMode(int mode) {
    if (mode < BLACKONWHITE || mode > HALFTONE)
        return 0;
    return std::exchange(m->s.stretchMode, mode);
}

// --- Mapping ------------------------------------------------------------------------------------

int CDC::SetMapMode(int mode) {
    if (mode < MM_TEXT || mode > MM_ANISOTROPIC)
        return 0;
    int old = std::exchange(m->s.mapMode, mode);
    m->ApplyMapMode();
    return old;
}

int CDC::GetMapMode() const {
    return m->s.mapMode;
}
POINT CDC::SetWindowOrg(int x, int y) {
    return std::exchange(m->s.windowOrg, POINT{x, y});
}

SIZE CDC::SetWindowExt(int cx, int cy) {
    SIZE old = m->s.windowExt;
    if ((m->s.mapMode == MM_ISOTROPIC || m->s.mapMode == MM_ANISOTROPIC) && cx && cy)
        m->s.windowExt = SIZE{cx, cy};
    return old;
}

SIZE CDC::GetWindowExt() const {
    return m->s.windowExt;
}

SIZE CDC::SetViewportExt(int cx, int cy) {
    SIZE old = m->s.viewportExt;
    if (!(m->s.mapMode == MM_ISOTROPIC || m->s.mapMode == MM_ANISOTROPIC) || !cx || !cy)
        return old;
    if (m->s.mapMode == MM_ISOTROPIC) {
        // Equal units on both axes: the smaller scale wins, signs are kept.
        double sx = double(cx) / m->s.windowExt.cx, sy = double(cy) / m->s.windowExt.cy;
        double k = std::min(std::fabs(sx), std::fabs(sy));
        cx = int(std::lround(k * m->s.windowExt.cx * (sx < 0 ? -1 : 1)));
        cy = int(std::lround(k * m->s.windowExt.cy * (sy < 0 ? -1 : 1)));
    }
    m->s.viewportExt = SIZE{cx, cy};
    return old;
}

SIZE CDC::GetViewportExt() const {
    return m->s.viewportExt;
}

void CDC::LPtoDP(LPPOINT points, int count) const {
    for (int i = 0; points && i < count; ++i) {
        QPoint p = m->MapPoint(points[i].x, points[i].y);
        points[i] = POINT{p.x(), p.y()};
    }
}

void CDC::LPtoDP(LPRECT rect) const {
    if (!rect)
        return;
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    LPtoDP(corners, 2);
    *rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

void CDC::DPtoLP(LPPOINT points, int count) const {
    for (int i = 0; points && i < count; ++i)
        points[i] = POINT{LONG(std::lround(m->UnmapX(points[i].x))), LONG(std::lround(m->UnmapY(points[i].y)))};
}

// --- Clipping -----------------------------------------------------------------------------------

namespace {

int RegionType(const QRegion& region) {
    if (region.isEmpty())
        return NULLREGION;
    return region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

} // namespace

int CDC::GetClipBox(LPRECT rect) const {
    QRegion area = m->s.clip ? m->s.clip->intersected(m->Bounds()) : QRegion(m->Bounds());
    if (rect)
        *rect = m->UnmapRect(area.boundingRect());
    return RegionType(area);
}

int CDC::SelectClipRgn(CRgn* region) {
    if (region) {
        auto data = CGdiObjectTable::FindAs<GdiRegionData>(region->m_hObject, OBJ_REGION);
        if (!data)
            return ERROR;
        m->s.clip = data->region;
    } else {
        m->s.clip.reset();
    }
    m->clipDirty = true;
    return RegionType(m->s.clip ? *m->s.clip : QRegion(m->Bounds()));
}

int CDC::IntersectClipRect(int left, int top, int right, int bottom) {
    QRegion current = m->s.clip ? *m->s.clip : QRegion(m->Bounds());
    m->s.clip = current.intersected(m->MapRect(left, top, right, bottom));
    m->clipDirty = true;
    return RegionType(*m->s.clip);
}

int CDC::SaveDC() {
    m->saved.push_back(m->s);
    return int(m->saved.size());
}

BOOL CDC::RestoreDC(int savedDC) {
    int count = int(m->saved.size());
    int index = savedDC < 0 ? count + savedDC : savedDC - 1;
    if (index < 0 || index >= count)
        return FALSE;
    DcState state = m->saved[std::size_t(index)];
    m->saved.resize(std::size_t(index));
    HBITMAP bitmapHandle = state.bitmapHandle;
    m->s = std::move(state);
    m->clipDirty = true;
    if (m->target == DcTarget::Memory && bitmapHandle != nullptr) {
        auto data = CGdiObjectTable::FindAs<GdiBitmapData>(bitmapHandle, OBJ_BITMAP);
        if (data && data != m->bitmap) {
            m->EndOwnPainter();
            m->bitmap = data;
            m->image = &data->image;
        }
        m->s.bitmapHandle = bitmapHandle;
    }
    return TRUE;
}
