#include "platform/gdi/DCImpl.h"

#include "platform/gdi/Brush.h"

#include <QPainterPath>
#include <QPolygon>

namespace {} // namespace

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

POINT CDC::MoveTo(int x, int y) {
    return std::exchange(m->s.position, POINT{x, y});
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
    if (m->target == DcTarget::Painter) {
        if (!m->extClip.contains(p))
            return CLR_INVALID;
        p = m->toBacking.map(p);
    }
    if (!pixels->rect().contains(p))
        return CLR_INVALID;
    return RefFromRgb(pixels->pixel(p));
}
