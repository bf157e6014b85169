#pragma once
// CDC's inside, shared by the files its members live in (DC.cpp: targets; DCState.cpp: objects,
// attributes, mapping, clipping; DCBlit.cpp; DCShapes.cpp; DCText.cpp). Only those files include it.

#include "platform/gdi/DC.h"
#include "platform/gdi/DrawRecorder.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjectTable.h"
#include "platform/gdi/GdiQt.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

enum class DcTarget { None, Memory, Image, Painter };

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
    int mapMode = MM_TEXT;
    POINT windowOrg{0, 0};
    POINT viewportOrg{0, 0};
    SIZE windowExt{1, 1};
    SIZE viewportExt{1, 1};
    std::optional<QRegion> clip; // device pixels; none: the whole target
    POINT position{0, 0};
};

template <class T>
std::shared_ptr<T> DcStock(int index, DWORD kind) {
    return CGdiObjectTable::FindAs<T>(CGdiObjectTable::Stock(index), kind);
}

inline QRect DcDeviceRect(double l, double t, double r, double b) {
    int left = int(std::lround(std::min(l, r)));
    int right = int(std::lround(std::max(l, r)));
    int top = int(std::lround(std::min(t, b)));
    int bottom = int(std::lround(std::max(t, b)));
    return QRect(left, top, right - left, bottom - top);
}

struct CDC::Impl {
    CDC* self = nullptr;
    DcTarget target = DcTarget::None;
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
    QRect MapRect(int l, int t, int r, int b) const { return DcDeviceRect(MapX(l), MapY(t), MapX(r), MapY(b)); }
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
    bool HasTarget() const { return target != DcTarget::None; }

    QImage* Readable() const {
        if (target == DcTarget::Painter)
            return extBacking;
        return image;
    }

    QRect Bounds() const {
        if (target == DcTarget::Painter)
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
        if (target == DcTarget::Painter && extPainter)
            extPainter->restore();
        extPainter = nullptr;
        extBacking = nullptr;
        image = nullptr;
        target = DcTarget::None;
        self->m_hDC = nullptr;
    }

    QPainter* Painter() {
        QPainter* p = nullptr;
        if (target == DcTarget::Painter) {
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
            if (target == DcTarget::Painter)
                area = area.intersected(extClip);
            p->setClipRegion(area);
            clipDirty = false;
        }
        return p;
    }

    // --- Objects -------------------------------------------------------------------------------
    QFont DeviceFont() {
        auto font = s.font ? s.font : DcStock<GdiFontData>(SYSTEM_FONT, OBJ_FONT);
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
        auto font = s.font ? s.font : DcStock<GdiFontData>(SYSTEM_FONT, OBJ_FONT);
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
