#include "platform/gdi/DCImpl.h"

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
    if (src->m->target == DcTarget::Painter)
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
