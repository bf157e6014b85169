#include "platform/gdi/DC.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DrawRecorder.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjectTable.h"
#include "platform/gdi/GdiQt.h"
#include "platform/gdi/Pen.h"
#include "platform/gdi/Rgn.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {

enum class Target { None, Memory, Image, Painter };

// What SaveDC keeps.
struct DcState {
    // The selected objects: their data (kept alive while selected) and their handles.
    std::shared_ptr<GdiPenData> pen;
    HPEN penHandle = nullptr;
    std::shared_ptr<GdiBrushData> brush;
    HBRUSH brushHandle = nullptr;
    std::shared_ptr<GdiFontData> font;
    HFONT fontHandle = nullptr;
    HBITMAP bitmapHandle = nullptr;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    int stretchMode = BLACKONWHITE;
    UINT textAlign = TA_TOP | TA_LEFT;
    int mapMode = MM_TEXT;
    POINT windowOrg{0, 0};
    POINT viewportOrg{0, 0};
    SIZE windowExt{1, 1};
    SIZE viewportExt{1, 1};
    std::optional<QRegion> clip; // device pixels; none: the whole target
    POINT position{0, 0};
};

template <class T>
std::shared_ptr<T> Stock(int index, DWORD kind) {
    return CGdiObjectTable::FindAs<T>(CGdiObjectTable::Stock(index), kind);
}

QRect DeviceRect(double l, double t, double r, double b) {
    int left = int(std::lround(std::min(l, r)));
    int right = int(std::lround(std::max(l, r)));
    int top = int(std::lround(std::min(t, b)));
    int bottom = int(std::lround(std::max(t, b)));
    return QRect(left, top, right - left, bottom - top);
}

RECT ToRECT(const QRect& r) {
    if (r.isEmpty())
        return RECT{0, 0, 0, 0};
    return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

QString Utf8(LPCSTR text, int count) {
    if (!text)
        return QString();
    if (count < 0)
        return QString::fromUtf8(text);
    return QString::fromUtf8(text, count);
}

std::string Bytes(LPCSTR text, int count) {
    if (!text)
        return std::string();
    return count < 0 ? std::string(text) : std::string(text, std::size_t(count));
}

} // namespace

struct CDC::Impl {
    CDC* self = nullptr;
    Target target = Target::None;
    DcState s;
    std::vector<DcState> saved;

    // Memory context: the selected bitmap's data (kept alive while selected).
    std::shared_ptr<GdiBitmapData> bitmap;
    // Image target: the caller's image, or the selected bitmap's pixels.
    QImage* image = nullptr;
    std::unique_ptr<QPainter> ownPainter;
    // Painter target.
    QPainter* extPainter = nullptr;
    QRect extClip;
    QImage* extBacking = nullptr;
    QTransform toBacking;
    int dpiX = 96;
    int dpiY = 96;
    bool clipDirty = true;

    CDrawRecorder* recorder = nullptr;
    HWND recordWnd = nullptr;

    // Font cache for the current font and scale.
    std::shared_ptr<GdiFontData> cachedFontData;
    double cachedScale = 0;
    QFont cachedFont;

    // --- Mapping -----------------------------------------------------------------------------
    double ScaleX() const { return double(s.viewportExt.cx) / (s.windowExt.cx ? s.windowExt.cx : 1); }
    double ScaleY() const { return double(s.viewportExt.cy) / (s.windowExt.cy ? s.windowExt.cy : 1); }
    double MapX(double x) const { return (x - s.windowOrg.x) * ScaleX() + s.viewportOrg.x; }
    double MapY(double y) const { return (y - s.windowOrg.y) * ScaleY() + s.viewportOrg.y; }
    double UnmapX(double x) const { return (x - s.viewportOrg.x) / ScaleX() + s.windowOrg.x; }
    double UnmapY(double y) const { return (y - s.viewportOrg.y) / ScaleY() + s.windowOrg.y; }
    QPoint MapPoint(int x, int y) const { return QPoint(int(std::lround(MapX(x))), int(std::lround(MapY(y)))); }
    QRect MapRect(int l, int t, int r, int b) const { return DeviceRect(MapX(l), MapY(t), MapX(r), MapY(b)); }
    RECT UnmapRect(const QRect& device) const {
        if (device.isEmpty())
            return RECT{0, 0, 0, 0};
        double l = UnmapX(device.left()), r = UnmapX(device.left() + device.width());
        double t = UnmapY(device.top()), b = UnmapY(device.top() + device.height());
        return RECT{LONG(std::lround(std::min(l, r))), LONG(std::lround(std::min(t, b))),
                    LONG(std::lround(std::max(l, r))), LONG(std::lround(std::max(t, b)))};
    }

    void ApplyMapMode() {
        auto fixed = [this](int units) {
            s.windowExt = SIZE{units, units};
            s.viewportExt = SIZE{dpiX, -dpiY};
        };
        switch (s.mapMode) {
        case MM_TEXT:
            s.windowExt = SIZE{1, 1};
            s.viewportExt = SIZE{1, 1};
            break;
        case MM_LOMETRIC:
            fixed(254);
            break;
        case MM_HIMETRIC:
            fixed(2540);
            break;
        case MM_LOENGLISH:
            fixed(100);
            break;
        case MM_HIENGLISH:
            fixed(1000);
            break;
        case MM_TWIPS:
            fixed(1440);
            break;
        default:
            break; // the isotropic modes keep the extents they have
        }
    }

    // --- Target --------------------------------------------------------------------------------
    bool HasTarget() const { return target != Target::None; }

    QImage* Readable() const {
        if (target == Target::Painter)
            return extBacking;
        return image;
    }

    QRect Bounds() const {
        if (target == Target::Painter)
            return extClip;
        if (image)
            return image->rect();
        return QRect();
    }

    void EndOwnPainter() {
        if (ownPainter) {
            ownPainter->end();
            ownPainter.reset();
        }
        clipDirty = true;
    }

    void ReleaseTarget() {
        EndOwnPainter();
        if (target == Target::Painter && extPainter)
            extPainter->restore();
        extPainter = nullptr;
        extBacking = nullptr;
        image = nullptr;
        target = Target::None;
        self->m_hDC = nullptr;
    }

    QPainter* Painter() {
        QPainter* p = nullptr;
        if (target == Target::Painter) {
            p = extPainter;
        } else if (image && !image->isNull()) {
            if (!ownPainter) {
                ownPainter = std::make_unique<QPainter>();
                if (!ownPainter->begin(image)) {
                    ownPainter.reset();
                    return nullptr;
                }
                clipDirty = true;
            }
            p = ownPainter.get();
        }
        if (p && clipDirty) {
            QRegion area = s.clip ? *s.clip : QRegion(Bounds());
            if (target == Target::Painter)
                area = area.intersected(extClip);
            p->setClipRegion(area);
            clipDirty = false;
        }
        return p;
    }

    // --- Objects -------------------------------------------------------------------------------
    QFont DeviceFont() {
        auto font = s.font ? s.font : Stock<GdiFontData>(SYSTEM_FONT, OBJ_FONT);
        double scale = std::fabs(ScaleY());
        if (font != cachedFontData || scale != cachedScale) {
            cachedFont = GdiQFont(font->logFont, scale);
            cachedFontData = font;
            cachedScale = scale;
        }
        return cachedFont;
    }

    int PenWidth() const {
        if (!s.pen || s.pen->width <= 1)
            return 1;
        return std::max(1, int(std::lround(s.pen->width * std::fabs(ScaleX()))));
    }

    bool PenVisible() const { return s.pen && s.pen->style != PS_NULL && s.rop2 != R2_NOP; }
    bool BrushVisible() const { return s.brush && s.brush->style != BS_NULL && s.rop2 != R2_NOP; }

    QColor RopColor(COLORREF c) const {
        if (s.rop2 == R2_BLACK)
            return QColor(0, 0, 0);
        if (s.rop2 == R2_WHITE)
            return QColor(255, 255, 255);
        return ColorFromRef(c);
    }

    void SetRop2Mode(QPainter* p) const {
        switch (s.rop2) {
        case R2_XORPEN:
            p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            break;
        case R2_NOT:
            p->setCompositionMode(QPainter::RasterOp_NotDestination);
            break;
        default:
            p->setCompositionMode(QPainter::CompositionMode_SourceOver);
            break;
        }
    }

    // --- Recording -----------------------------------------------------------------------------
    CDrawRecorder* Recorder() const { return recorder ? recorder : CDrawRecorder::ThreadRecorder(); }

    // ownBrush: the record carries the colour filled (FillRect, SetPixel), not the selected brush's.
    void Record(DrawRecord r, bool ownBrush = false) {
        CDrawRecorder* rec = Recorder();
        if (!rec)
            return;
        r.wnd = recordWnd;
        r.textColor = s.textColor;
        r.bkColor = s.bkColor;
        r.bkMode = s.bkMode;
        if (s.pen) {
            r.penColor = s.pen->color;
            r.penStyle = s.pen->style;
            r.penWidth = s.pen->width;
        }
        if (s.brush) {
            if (!ownBrush) {
                r.brushColor = s.brush->color;
                r.nullBrush = s.brush->style == BS_NULL;
            }
        }
        r.rop2 = s.rop2;
        r.stretchMode = s.stretchMode;
        auto font = s.font ? s.font : Stock<GdiFontData>(SYSTEM_FONT, OBJ_FONT);
        r.fontFace = std::string(font->logFont.lfFaceName, strnlen(font->logFont.lfFaceName, LF_FACESIZE));
        r.fontHeight = font->logFont.lfHeight;
        r.fontWeight = font->logFont.lfWeight;
        rec->records.push_back(std::move(r));
    }

    // --- Drawing helpers -----------------------------------------------------------------------
    void FillDevice(const QRect& rect, const QColor& color, QPainter::CompositionMode mode) {
        QPainter* p = Painter();
        if (!p || rect.isEmpty())
            return;
        p->setCompositionMode(mode);
        p->fillRect(rect, color);
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }

    // A band `width` pixels wide just inside `outer`.
    void FillBand(QPainter* p, const QRect& outer, int width, const QColor& color) {
        if (outer.isEmpty())
            return;
        if (outer.width() <= 2 * width || outer.height() <= 2 * width) {
            p->fillRect(outer, color);
            return;
        }
        QRegion band = QRegion(outer).subtracted(QRegion(outer.adjusted(width, width, -width, -width)));
        for (const QRect& r : band)
            p->fillRect(r, color);
    }

    QPen CosmeticPen(const QColor& color) const {
        QPen pen(color);
        pen.setWidth(0);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        switch (s.pen ? s.pen->style : PS_SOLID) {
        case PS_DASH:
            pen.setStyle(Qt::DashLine);
            break;
        case PS_DOT:
            pen.setStyle(Qt::DotLine);
            break;
        case PS_DASHDOT:
            pen.setStyle(Qt::DashDotLine);
            break;
        case PS_DASHDOTDOT:
            pen.setStyle(Qt::DashDotDotLine);
            break;
        default:
            break;
        }
        return pen;
    }

    QPen WidePen(const QColor& color) const {
        QPen pen(color);
        pen.setWidth(PenWidth());
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        return pen;
    }

    // --- Text ----------------------------------------------------------------------------------
    struct Line {
        QString text;
        int width = 0;
    };

    static QString Elide(const QFontMetrics& fm, const QString& text, int width) {
        if (fm.horizontalAdvance(text) <= width)
            return text;
        QString cut = text;
        while (!cut.isEmpty() && fm.horizontalAdvance(cut + QStringLiteral("...")) > width)
            cut.chop(1);
        return cut + QStringLiteral("...");
    }

    std::vector<Line> LayOut(const QString& text, UINT format, int width, const QFontMetrics& fm) const {
        std::vector<Line> lines;
        QString clean = text;
        clean.remove(QLatin1Char('\r'));
        if (format & DT_SINGLELINE) {
            clean.replace(QLatin1Char('\n'), QLatin1Char(' '));
            lines.push_back({clean, 0});
        } else {
            for (const QString& para : clean.split(QLatin1Char('\n'))) {
                if (!(format & DT_WORDBREAK)) {
                    lines.push_back({para, 0});
                    continue;
                }
                QString current;
                for (const QString& word : para.split(QLatin1Char(' '))) {
                    QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
                    if (!current.isEmpty() && fm.horizontalAdvance(candidate) > width) {
                        lines.push_back({current, 0});
                        current = word;
                    } else {
                        current = candidate;
                    }
                }
                lines.push_back({current, 0});
            }
        }
        for (Line& line : lines) {
            if (format & DT_END_ELLIPSIS)
                line.text = Elide(fm, line.text, width);
            line.width = fm.horizontalAdvance(line.text);
        }
        return lines;
    }

    void DrawLine(QPainter* p, const QFont& font, const QFontMetrics& fm, int x, int top, const QString& text) {
        int width = fm.horizontalAdvance(text);
        int cell = fm.ascent() + fm.descent();
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        if (s.bkMode == OPAQUE && width > 0)
            p->fillRect(QRect(x, top, width, cell), ColorFromRef(s.bkColor));
        p->setFont(font);
        p->setPen(ColorFromRef(s.textColor));
        p->drawText(QPoint(x, top + fm.ascent()), text);
    }
};

// ============================================================================================

CDC::CDC() : m(std::make_unique<Impl>()) {
    m->self = this;
    m->s.penHandle = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    m->s.pen = CGdiObjectTable::FindAs<GdiPenData>(m->s.penHandle, OBJ_PEN);
    m->s.brushHandle = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    m->s.brush = CGdiObjectTable::FindAs<GdiBrushData>(m->s.brushHandle, OBJ_BRUSH);
    m->s.fontHandle = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    m->s.font = CGdiObjectTable::FindAs<GdiFontData>(m->s.fontHandle, OBJ_FONT);
}

CDC::~CDC() {
    m->ReleaseTarget();
}

CDC* CDC::FromHandle(HDC dc) {
    return reinterpret_cast<CDC*>(dc);
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
    m->ReleaseTarget();
    if (pDC) {
        m->dpiX = pDC->m->dpiX;
        m->dpiY = pDC->m->dpiY;
    }
    HBITMAP stock = CGdiObjectTable::DefaultBitmap();
    m->bitmap = CGdiObjectTable::FindAs<GdiBitmapData>(stock, OBJ_BITMAP);
    m->s.bitmapHandle = stock;
    m->image = &m->bitmap->image;
    m->target = Target::Memory;
    m_hDC = reinterpret_cast<HDC>(this);
    return TRUE;
}

BOOL CDC::AttachImage(QImage* image) {
    m->ReleaseTarget();
    if (!image || image->isNull())
        return FALSE;
    m->image = image;
    m->target = Target::Image;
    m_hDC = reinterpret_cast<HDC>(this);
    return TRUE;
}

BOOL CDC::AttachPainter(QPainter* painter, const QRect& deviceClip, QImage* backing) {
    m->ReleaseTarget();
    if (!painter || !painter->isActive())
        return FALSE;
    painter->save();
    m->extPainter = painter;
    m->extClip = deviceClip;
    m->extBacking = backing;
    m->toBacking = painter->combinedTransform();
    QPaintDevice* device = painter->device();
    if (device && device->devType() == QInternal::Printer) {
        m->dpiX = device->logicalDpiX();
        m->dpiY = device->logicalDpiY();
    }
    m->target = Target::Painter;
    m->clipDirty = true;
    m_hDC = reinterpret_cast<HDC>(this);
    return TRUE;
}

BOOL CDC::AttachSameTarget(CDC* other) {
    if (!other || other == this)
        return FALSE;
    QPainter* painter = other->GetPainter();
    if (!painter)
        return FALSE;
    QImage* backing = other->m->Readable();
    QRect bounds = other->m->Bounds();
    int dpiX = other->m->dpiX, dpiY = other->m->dpiY;
    DcState state = other->m->s;
    if (!AttachPainter(painter, bounds, backing))
        return FALSE;
    m->dpiX = dpiX;
    m->dpiY = dpiY;
    state.bitmapHandle = nullptr;
    m->s = state;
    m->clipDirty = true;
    m_bPrinting = other->m_bPrinting;
    return TRUE;
}

void CDC::ReleaseTarget() {
    m->ReleaseTarget();
}

BOOL CDC::DeleteDC() {
    bool had = m->HasTarget();
    m->ReleaseTarget();
    m->bitmap.reset();
    m->s.bitmapHandle = nullptr;
    return had ? TRUE : FALSE;
}

QImage* CDC::GetTargetImage() const {
    return m->Readable();
}

QPainter* CDC::GetPainter() {
    return m->Painter();
}

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
    if (m->target != Target::Memory || !bitmap)
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

int CDC::SelectObject(CRgn* region) {
    return SelectClipRgn(region);
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
HBITMAP CDC::GetCurrentBitmapHandle() const {
    return m->s.bitmapHandle;
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

int CDC::GetBkMode() const {
    return m->s.bkMode;
}

int CDC::SetROP2(int mode) {
    if (mode < R2_BLACK || mode > R2_WHITE)
        return 0;
    return std::exchange(m->s.rop2, mode);
}

int CDC::GetROP2() const {
    return m->s.rop2;
}

int CDC::SetStretchBltMode(int mode) {
    if (mode < BLACKONWHITE || mode > HALFTONE)
        return 0;
    return std::exchange(m->s.stretchMode, mode);
}

int CDC::GetStretchBltMode() const {
    return m->s.stretchMode;
}
UINT CDC::SetTextAlign(UINT flags) {
    return std::exchange(m->s.textAlign, flags);
}
UINT CDC::GetTextAlign() const {
    return m->s.textAlign;
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
POINT CDC::OffsetWindowOrg(int dx, int dy) {
    return SetWindowOrg(m->s.windowOrg.x + dx, m->s.windowOrg.y + dy);
}
POINT CDC::GetWindowOrg() const {
    return m->s.windowOrg;
}
POINT CDC::SetViewportOrg(int x, int y) {
    return std::exchange(m->s.viewportOrg, POINT{x, y});
}
POINT CDC::OffsetViewportOrg(int dx, int dy) {
    return SetViewportOrg(m->s.viewportOrg.x + dx, m->s.viewportOrg.y + dy);
}
POINT CDC::GetViewportOrg() const {
    return m->s.viewportOrg;
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

void CDC::DPtoLP(LPRECT rect) const {
    if (!rect)
        return;
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    DPtoLP(corners, 2);
    *rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

int CDC::GetDeviceCaps(int index) const {
    QRect bounds = m->Bounds();
    switch (index) {
    case TECHNOLOGY:
        return m_bPrinting ? DT_RASPRINTER : DT_RASDISPLAY;
    case HORZRES:
        return bounds.width();
    case VERTRES:
        return bounds.height();
    case HORZSIZE:
        return int(bounds.width() * 25.4 / m->dpiX);
    case VERTSIZE:
        return int(bounds.height() * 25.4 / m->dpiY);
    case BITSPIXEL:
        return 32;
    case PLANES:
        return 1;
    case LOGPIXELSX:
        return m->dpiX;
    case LOGPIXELSY:
        return m->dpiY;
    default:
        return 0;
    }
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

int CDC::IntersectClipRect(LPCRECT rect) {
    return rect ? IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom) : ERROR;
}

int CDC::ExcludeClipRect(int left, int top, int right, int bottom) {
    QRegion current = m->s.clip ? *m->s.clip : QRegion(m->Bounds());
    m->s.clip = current.subtracted(m->MapRect(left, top, right, bottom));
    m->clipDirty = true;
    return RegionType(*m->s.clip);
}

int CDC::ExcludeClipRect(LPCRECT rect) {
    return rect ? ExcludeClipRect(rect->left, rect->top, rect->right, rect->bottom) : ERROR;
}

BOOL CDC::PtVisible(int x, int y) const {
    QPoint p = m->MapPoint(x, y);
    QRegion area = m->s.clip ? m->s.clip->intersected(m->Bounds()) : QRegion(m->Bounds());
    return area.contains(p) ? TRUE : FALSE;
}

BOOL CDC::RectVisible(LPCRECT rect) const {
    if (!rect)
        return FALSE;
    QRegion area = m->s.clip ? m->s.clip->intersected(m->Bounds()) : QRegion(m->Bounds());
    return area.intersects(m->MapRect(rect->left, rect->top, rect->right, rect->bottom)) ? TRUE : FALSE;
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
    if (m->target == Target::Memory && bitmapHandle != nullptr) {
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

// --- Blits --------------------------------------------------------------------------------------

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop) {
    return StretchBlt(x, y, width, height, src, xSrc, ySrc, width, height, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth, int srcHeight,
                     DWORD rop) {
    const bool needsSource = rop != BLACKNESS && rop != WHITENESS && rop != DSTINVERT && rop != PATCOPY;
    if (!needsSource)
        return PatBlt(x, y, width, height, rop);
    if (!src)
        return FALSE;

    DrawRecord rec;
    rec.op = DrawRecord::Op::Blt;
    rec.rect = RECT{x, y, x + width, y + height};
    rec.src = RECT{xSrc, ySrc, xSrc + srcWidth, ySrc + srcHeight};
    rec.rop = rop;
    rec.bitmap = src->m->s.bitmapHandle;
    m->Record(rec);

    QImage* source = src->m->Readable();
    QPainter* p = m->Painter();
    if (!source || source->isNull() || !p)
        return FALSE;

    // Both rectangles in device pixels; the source one also in the source image's pixels.
    QRectF dst(m->MapX(x), m->MapY(y), m->MapX(x + width) - m->MapX(x), m->MapY(y + height) - m->MapY(y));
    QRectF from(src->m->MapX(xSrc), src->m->MapY(ySrc), src->m->MapX(xSrc + srcWidth) - src->m->MapX(xSrc),
                src->m->MapY(ySrc + srcHeight) - src->m->MapY(ySrc));
    if (src->m->target == Target::Painter)
        from = src->m->toBacking.mapRect(from);
    // A negative extent mirrors in GDI; nothing here asks for that, so normalise.
    dst = dst.normalized();
    from = from.normalized();
    if (dst.isEmpty() || from.isEmpty())
        return FALSE;

    // Only the part of the source that lies inside the source image is copied.
    QRectF inside = from.intersected(QRectF(source->rect()));
    if (inside.isEmpty())
        return TRUE;
    const double kx = dst.width() / from.width();
    const double ky = dst.height() / from.height();
    QRectF target(dst.left() + (inside.left() - from.left()) * kx, dst.top() + (inside.top() - from.top()) * ky,
                  inside.width() * kx, inside.height() * ky);

    QImage copy;
    const QImage* pixels = source;
    if (source == m->Readable() || source == m->image) {
        // Copying within one image: read a copy first.
        copy = source->copy(inside.toAlignedRect());
        inside.moveTopLeft(inside.topLeft() - QPointF(inside.toAlignedRect().topLeft()));
        pixels = &copy;
    }

    QPainter::CompositionMode mode = QPainter::CompositionMode_Source;
    switch (rop) {
    case SRCAND:
        mode = QPainter::RasterOp_SourceAndDestination;
        break;
    case SRCPAINT:
        mode = QPainter::RasterOp_SourceOrDestination;
        break;
    case SRCINVERT:
        mode = QPainter::RasterOp_SourceXorDestination;
        break;
    case NOTSRCCOPY:
        mode = QPainter::RasterOp_NotSource;
        break;
    default:
        break;
    }
    const bool exact = std::fabs(kx - 1.0) < 1e-9 && std::fabs(ky - 1.0) < 1e-9;
    p->setCompositionMode(mode);
    p->setRenderHint(QPainter::SmoothPixmapTransform, !exact && m->s.stretchMode == HALFTONE);
    p->drawImage(target, *pixels, inside);
    p->setRenderHint(QPainter::SmoothPixmapTransform, false);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return TRUE;
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop) {
    QRect rect = m->MapRect(x, y, x + width, y + height);
    DrawRecord rec;
    rec.op = DrawRecord::Op::FillRect;
    rec.rect = RECT{x, y, x + width, y + height};
    rec.rop = rop;
    switch (rop) {
    case BLACKNESS:
        m->Record(rec);
        m->FillDevice(rect, QColor(0, 0, 0), QPainter::CompositionMode_Source);
        return TRUE;
    case WHITENESS:
        m->Record(rec);
        m->FillDevice(rect, QColor(255, 255, 255), QPainter::CompositionMode_Source);
        return TRUE;
    case DSTINVERT:
        m->Record(rec);
        m->FillDevice(rect, QColor(255, 255, 255), QPainter::RasterOp_NotDestination);
        return TRUE;
    case PATCOPY:
        m->Record(rec);
        if (m->s.brush && m->s.brush->style != BS_NULL)
            m->FillDevice(rect, ColorFromRef(m->s.brush->color), QPainter::CompositionMode_Source);
        return TRUE;
    default:
        return FALSE;
    }
}

// --- Fills and shapes ---------------------------------------------------------------------------

void CDC::FillRect(LPCRECT rect, HBRUSH brush) {
    COLORREF color = 0;
    bool isNull = false;
    if (!rect || !GdiBrushColor(brush, &color, &isNull))
        return;
    DrawRecord rec;
    rec.op = DrawRecord::Op::FillRect;
    rec.rect = *rect;
    rec.brushColor = color;
    rec.nullBrush = isNull;
    rec.rop = PATCOPY;
    m->Record(rec, true);
    if (isNull)
        return;
    m->FillDevice(m->MapRect(rect->left, rect->top, rect->right, rect->bottom), ColorFromRef(color),
                  QPainter::CompositionMode_Source);
}

void CDC::FillRect(LPCRECT rect, CBrush* brush) {
    if (brush)
        FillRect(rect, static_cast<HBRUSH>(brush->m_hObject));
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
    if (!rect)
        return;
    SetBkColor(color);
    DrawRecord rec;
    rec.op = DrawRecord::Op::FillRect;
    rec.rect = *rect;
    rec.brushColor = color & 0xFFFFFF;
    rec.rop = PATCOPY;
    m->Record(rec, true);
    m->FillDevice(m->MapRect(rect->left, rect->top, rect->right, rect->bottom), ColorFromRef(color),
                  QPainter::CompositionMode_Source);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
    RECT rect{x, y, x + cx, y + cy};
    FillSolidRect(&rect, color);
}

void CDC::FrameRect(LPCRECT rect, CBrush* brush) {
    COLORREF color = 0;
    bool isNull = false;
    if (!rect || !brush || !GdiBrushColor(static_cast<HBRUSH>(brush->m_hObject), &color, &isNull) || isNull)
        return;
    QPainter* p = m->Painter();
    if (!p)
        return;
    p->setCompositionMode(QPainter::CompositionMode_Source);
    m->FillBand(p, m->MapRect(rect->left, rect->top, rect->right, rect->bottom), 1, ColorFromRef(color));
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void CDC::InvertRect(LPCRECT rect) {
    if (rect)
        m->FillDevice(m->MapRect(rect->left, rect->top, rect->right, rect->bottom), QColor(255, 255, 255),
                      QPainter::RasterOp_NotDestination);
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom) {
    DrawRecord rec;
    rec.op = DrawRecord::Op::Rectangle;
    rec.rect = RECT{left, top, right, bottom};
    m->Record(rec);
    QPainter* p = m->Painter();
    if (!p)
        return FALSE;
    QRect r = m->MapRect(left, top, right, bottom);
    if (r.isEmpty())
        return TRUE;
    m->SetRop2Mode(p);
    const int style = m->s.pen ? m->s.pen->style : PS_SOLID;
    const int pw = m->PenWidth();
    const QColor penColor = m->RopColor(m->s.pen ? m->s.pen->color : 0);
    QRect inner = r;
    QRect outer = r;
    if (!m->PenVisible()) {
        inner = r.adjusted(0, 0, -1, -1); // a null pen leaves the fill one pixel short, as in GDI
    } else if (style == PS_INSIDEFRAME || pw == 1) {
        inner = r.adjusted(pw, pw, -pw, -pw);
    } else {
        outer = QRect(r.left() - pw / 2, r.top() - pw / 2, r.width() - 1 + pw, r.height() - 1 + pw);
        inner = outer.adjusted(pw, pw, -pw, -pw);
    }
    if (m->BrushVisible() && !inner.isEmpty())
        p->fillRect(inner, m->RopColor(m->s.brush->color));
    if (m->PenVisible()) {
        if (pw == 1 && style != PS_SOLID && style != PS_INSIDEFRAME) {
            p->setPen(m->CosmeticPen(penColor));
            p->setBrush(Qt::NoBrush);
            p->drawRect(r.adjusted(0, 0, -1, -1));
        } else {
            m->FillBand(p, outer, pw, penColor);
        }
    }
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return TRUE;
}

BOOL CDC::Rectangle(LPCRECT rect) {
    return rect ? Rectangle(rect->left, rect->top, rect->right, rect->bottom) : FALSE;
}

BOOL CDC::Ellipse(int left, int top, int right, int bottom) {
    DrawRecord rec;
    rec.op = DrawRecord::Op::Ellipse;
    rec.rect = RECT{left, top, right, bottom};
    m->Record(rec);
    QPainter* p = m->Painter();
    if (!p)
        return FALSE;
    QRect r = m->MapRect(left, top, right, bottom);
    if (r.isEmpty())
        return TRUE;
    m->SetRop2Mode(p);
    p->setRenderHint(QPainter::Antialiasing, false);
    const int style = m->s.pen ? m->s.pen->style : PS_SOLID;
    const double pw = m->PenWidth();
    QRectF outer(r);
    if (m->PenVisible() && style != PS_INSIDEFRAME && pw > 1)
        outer.adjust(-pw / 2, -pw / 2, pw / 2, pw / 2);
    QRectF inner = m->PenVisible() ? outer.adjusted(pw, pw, -pw, -pw) : outer;
    if (m->BrushVisible() && inner.width() > 0 && inner.height() > 0) {
        QPainterPath fill;
        fill.addEllipse(inner);
        p->fillPath(fill, m->RopColor(m->s.brush->color));
    }
    if (m->PenVisible()) {
        QPainterPath ring;
        ring.setFillRule(Qt::OddEvenFill);
        ring.addEllipse(outer);
        if (inner.width() > 0 && inner.height() > 0)
            ring.addEllipse(inner);
        p->fillPath(ring, m->RopColor(m->s.pen->color));
    }
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return TRUE;
}

BOOL CDC::Ellipse(LPCRECT rect) {
    return rect ? Ellipse(rect->left, rect->top, rect->right, rect->bottom) : FALSE;
}

BOOL CDC::Polygon(const POINT* points, int count) {
    if (!points || count < 2)
        return FALSE;
    QPolygon polygon;
    for (int i = 0; i < count; ++i)
        polygon << m->MapPoint(points[i].x, points[i].y);
    DrawRecord rec;
    rec.op = DrawRecord::Op::Polyline;
    QRect box = polygon.boundingRect();
    rec.rect = ToRECT(box);
    m->Record(rec);
    QPainter* p = m->Painter();
    if (!p)
        return FALSE;
    m->SetRop2Mode(p);
    p->setRenderHint(QPainter::Antialiasing, false);
    p->setBrush(m->BrushVisible() ? QBrush(m->RopColor(m->s.brush->color)) : QBrush(Qt::NoBrush));
    if (m->PenVisible())
        p->setPen(m->PenWidth() > 1 ? m->WidePen(m->RopColor(m->s.pen->color))
                                    : m->CosmeticPen(m->RopColor(m->s.pen->color)));
    else
        p->setPen(Qt::NoPen);
    p->drawPolygon(polygon, Qt::OddEvenFill);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return TRUE;
}

POINT CDC::MoveTo(int x, int y) {
    return std::exchange(m->s.position, POINT{x, y});
}

POINT CDC::GetCurrentPosition() const {
    return m->s.position;
}

BOOL CDC::LineTo(int x, int y) {
    POINT from = m->s.position;
    m->s.position = POINT{x, y};
    DrawRecord rec;
    rec.op = DrawRecord::Op::Line;
    rec.rect = RECT{from.x, from.y, x, y};
    m->Record(rec);
    QPainter* p = m->Painter();
    if (!p || !m->PenVisible())
        return p ? TRUE : FALSE;
    QPoint a = m->MapPoint(from.x, from.y);
    QPoint b = m->MapPoint(x, y);
    if (a == b)
        return TRUE;
    m->SetRop2Mode(p);
    p->setRenderHint(QPainter::Antialiasing, false);
    QColor color = m->RopColor(m->s.pen->color);
    if (m->PenWidth() > 1) {
        p->setPen(m->WidePen(color));
        p->drawLine(a, b);
    } else if (m->s.pen->style == PS_SOLID || m->s.pen->style == PS_INSIDEFRAME) {
        // Every pixel from a up to, not including, b, each once (so exclusive-or lines undo exactly).
        QPolygon pixels;
        int dx = std::abs(b.x() - a.x()), dy = -std::abs(b.y() - a.y());
        int sx = a.x() < b.x() ? 1 : -1, sy = a.y() < b.y() ? 1 : -1;
        int err = dx + dy;
        QPoint q = a;
        while (q != b) {
            pixels << q;
            int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                q.rx() += sx;
            }
            if (e2 <= dx) {
                err += dx;
                q.ry() += sy;
            }
        }
        QPen pen(color);
        pen.setWidth(0);
        p->setPen(pen);
        p->drawPoints(pixels);
    } else {
        p->setPen(m->CosmeticPen(color));
        p->drawLine(a, b);
    }
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return TRUE;
}

BOOL CDC::Polyline(const POINT* points, int count) {
    if (!points || count < 2)
        return FALSE;
    POINT saved = m->s.position;
    MoveTo(points[0].x, points[0].y);
    for (int i = 1; i < count; ++i)
        LineTo(points[i].x, points[i].y);
    m->s.position = saved;
    return TRUE;
}

void CDC::DrawFocusRect(LPCRECT rect) {
    if (!rect)
        return;
    DrawRecord rec;
    rec.op = DrawRecord::Op::FocusRect;
    rec.rect = *rect;
    m->Record(rec);
    QPainter* p = m->Painter();
    QRect r = m->MapRect(rect->left, rect->top, rect->right, rect->bottom);
    if (!p || r.isEmpty())
        return;
    // Every other pixel of the outline, each once, inverted by exclusive-or.
    QPolygon dots;
    auto add = [&dots](int x, int y) {
        if (((x + y) & 1) == 0)
            dots << QPoint(x, y);
    };
    const int l = r.left(), t = r.top(), rr = r.left() + r.width() - 1, b = r.top() + r.height() - 1;
    for (int x = l; x <= rr; ++x) {
        add(x, t);
        if (b != t)
            add(x, b);
    }
    for (int y = t + 1; y < b; ++y) {
        add(l, y);
        if (rr != l)
            add(rr, y);
    }
    QPen pen(QColor(255, 255, 255));
    pen.setWidth(0);
    p->setPen(pen);
    p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p->drawPoints(dots);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

BOOL CDC::DrawEdge(LPRECT rect, UINT edge, UINT flags) {
    if (!rect)
        return FALSE;
    DrawRecord rec;
    rec.op = DrawRecord::Op::Edge;
    rec.rect = *rect;
    rec.format = edge;
    m->Record(rec);
    QPainter* p = m->Painter();
    QRect r = m->MapRect(rect->left, rect->top, rect->right, rect->bottom);
    // Outer ring then inner ring: top-left colour, bottom-right colour.
    struct Ring {
        UINT raised, sunken;
        int tlRaised, brRaised, tlSunken, brSunken;
    };
    const Ring rings[2] = {
        {BDR_RAISEDOUTER, BDR_SUNKENOUTER, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DSHADOW, COLOR_3DHILIGHT},
        {BDR_RAISEDINNER, BDR_SUNKENINNER, COLOR_3DHILIGHT, COLOR_3DSHADOW, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
    };
    int drawn = 0;
    for (const Ring& ring : rings) {
        int tl = -1, br = -1;
        if (edge & ring.raised) {
            tl = ring.tlRaised;
            br = ring.brRaised;
        } else if (edge & ring.sunken) {
            tl = ring.tlSunken;
            br = ring.brSunken;
        }
        if (tl < 0 || r.width() <= 0 || r.height() <= 0)
            continue;
        if (p) {
            p->setCompositionMode(QPainter::CompositionMode_Source);
            const QColor c1 = ColorFromRef(GetSysColor(tl)), c2 = ColorFromRef(GetSysColor(br));
            if (flags & BF_TOP)
                p->fillRect(QRect(r.left(), r.top(), r.width(), 1), c1);
            if (flags & BF_LEFT)
                p->fillRect(QRect(r.left(), r.top(), 1, r.height()), c1);
            if (flags & BF_BOTTOM)
                p->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), c2);
            if (flags & BF_RIGHT)
                p->fillRect(QRect(r.right(), r.top(), 1, r.height()), c2);
            p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
        r.adjust(flags & BF_LEFT ? 1 : 0, flags & BF_TOP ? 1 : 0, flags & BF_RIGHT ? -1 : 0,
                 flags & BF_BOTTOM ? -1 : 0);
        ++drawn;
    }
    if ((flags & BF_ADJUST) && drawn)
        *rect = m->UnmapRect(r);
    return TRUE;
}

COLORREF CDC::GetPixel(int x, int y) const {
    QImage* pixels = m->Readable();
    if (!pixels)
        return CLR_INVALID;
    QPoint p = m->MapPoint(x, y);
    if (m->target == Target::Painter) {
        if (!m->extClip.contains(p))
            return CLR_INVALID;
        p = m->toBacking.map(p);
    }
    if (!pixels->rect().contains(p))
        return CLR_INVALID;
    return RefFromRgb(pixels->pixel(p));
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color) {
    DrawRecord rec;
    rec.op = DrawRecord::Op::Pixel;
    rec.rect = RECT{x, y, x + 1, y + 1};
    rec.brushColor = color & 0xFFFFFF;
    m->Record(rec, true);
    QPainter* p = m->Painter();
    if (!p)
        return CLR_INVALID;
    m->FillDevice(QRect(m->MapPoint(x, y), QSize(1, 1)), ColorFromRef(color), QPainter::CompositionMode_Source);
    return color & 0xFFFFFF;
}

// --- Text ---------------------------------------------------------------------------------------

BOOL CDC::TextOut(int x, int y, LPCSTR text, int count) {
    if (!text)
        return FALSE;
    DrawRecord rec;
    rec.op = DrawRecord::Op::Text;
    rec.rect = RECT{x, y, x, y};
    rec.text = Bytes(text, count);
    rec.format = m->s.textAlign;
    QFont font = m->DeviceFont();
    QFontMetrics fm(font);
    QString str = Utf8(text, count);
    const int width = fm.horizontalAdvance(str);
    const bool updateCp = (m->s.textAlign & TA_UPDATECP) != 0;
    if (updateCp) {
        x = m->s.position.x;
        y = m->s.position.y;
        rec.rect = RECT{x, y, x, y};
    }
    m->Record(rec);
    QPoint at = m->MapPoint(x, y);
    int left = at.x();
    const UINT horizontal = m->s.textAlign & TA_CENTER;
    if (horizontal == TA_CENTER)
        left -= width / 2;
    else if (horizontal == TA_RIGHT)
        left -= width;
    int top = at.y();
    const UINT vertical = m->s.textAlign & TA_BASELINE;
    if (vertical == TA_BASELINE)
        top -= fm.ascent();
    else if (vertical == TA_BOTTOM)
        top -= fm.ascent() + fm.descent();
    if (updateCp && horizontal == TA_LEFT)
        m->s.position.x = LONG(std::lround(m->UnmapX(at.x() + width)));
    QPainter* p = m->Painter();
    if (!p)
        return FALSE;
    m->DrawLine(p, font, fm, left, top, str);
    return TRUE;
}

BOOL CDC::TextOut(int x, int y, LPCSTR text) {
    return TextOut(x, y, text, -1);
}

int CDC::DrawText(LPCSTR text, int count, LPRECT rect, UINT format) {
    if (!text || !rect)
        return 0;
    QFont font = m->DeviceFont();
    QFontMetrics fm(font);
    QRect box = m->MapRect(rect->left, rect->top, rect->right, rect->bottom);
    const int cell = fm.ascent() + fm.descent();
    std::vector<Impl::Line> lines = m->LayOut(Utf8(text, count), format, box.width(), fm);
    const int height = cell * int(lines.size());
    const double sy = std::fabs(m->ScaleY());
    const int logicalHeight = int(std::lround(height / (sy > 0 ? sy : 1)));

    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const auto& line : lines)
            widest = std::max(widest, line.width);
        if (!(format & DT_WORDBREAK) || widest > box.width())
            rect->right = rect->left + LONG(std::lround(widest / std::fabs(m->ScaleX())));
        rect->bottom = rect->top + (m->ScaleY() < 0 ? -logicalHeight : logicalHeight);
        return logicalHeight;
    }

    DrawRecord rec;
    rec.op = DrawRecord::Op::Text;
    rec.rect = *rect;
    rec.text = Bytes(text, count);
    rec.format = format;
    m->Record(rec);

    QPainter* p = m->Painter();
    if (!p)
        return logicalHeight;
    int top = box.top();
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            top = box.top() + (box.height() - cell) / 2;
        else if (format & DT_BOTTOM)
            top = box.top() + box.height() - cell;
    }
    const bool clip = !(format & DT_NOCLIP);
    if (clip) {
        p->save();
        p->setClipRect(box, Qt::IntersectClip);
    }
    for (const auto& line : lines) {
        int left = box.left();
        if (format & DT_CENTER)
            left = box.left() + (box.width() - line.width) / 2;
        else if (format & DT_RIGHT)
            left = box.left() + box.width() - line.width;
        m->DrawLine(p, font, fm, left, top, line.text);
        top += cell;
    }
    if (clip)
        p->restore();
    return logicalHeight;
}

int CDC::DrawText(LPCSTR text, LPRECT rect, UINT format) {
    return DrawText(text, -1, rect, format);
}

SIZE CDC::GetTextExtent(LPCSTR text, int count) const {
    QFont font = m->DeviceFont();
    QFontMetrics fm(font);
    const int width = fm.horizontalAdvance(Utf8(text, count));
    const int height = fm.ascent() + fm.descent();
    const double sx = std::fabs(m->ScaleX()), sy = std::fabs(m->ScaleY());
    return SIZE{LONG(std::lround(width / (sx > 0 ? sx : 1))), LONG(std::lround(height / (sy > 0 ? sy : 1)))};
}

SIZE CDC::GetTextExtent(LPCSTR text) const {
    return GetTextExtent(text, -1);
}

BOOL CDC::GetTextExtentPoint32(LPCSTR text, int count, SIZE* size) const {
    if (!size)
        return FALSE;
    *size = GetTextExtent(text, count);
    return TRUE;
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* metrics) const {
    if (!metrics)
        return FALSE;
    QFont font = m->DeviceFont();
    QFontMetrics fm(font);
    const double sy = std::fabs(m->ScaleY()) > 0 ? std::fabs(m->ScaleY()) : 1;
    const double sx = std::fabs(m->ScaleX()) > 0 ? std::fabs(m->ScaleX()) : 1;
    auto ly = [sy](int v) { return LONG(std::lround(v / sy)); };
    *metrics = TEXTMETRIC{};
    metrics->tmAscent = ly(fm.ascent());
    metrics->tmDescent = ly(fm.descent());
    metrics->tmHeight = ly(fm.ascent() + fm.descent());
    metrics->tmInternalLeading = ly(fm.ascent() + fm.descent() - font.pixelSize());
    metrics->tmExternalLeading = ly(std::max(0, fm.leading()));
    metrics->tmAveCharWidth = LONG(std::lround(fm.averageCharWidth() / sx));
    metrics->tmMaxCharWidth = LONG(std::lround(fm.maxWidth() / sx));
    metrics->tmWeight = font.weight();
    return TRUE;
}

void CDC::SetRecorder(CDrawRecorder* recorder) {
    m->recorder = recorder;
}

void CDC::SetRecordWindow(HWND wnd) {
    m->recordWnd = wnd;
}
