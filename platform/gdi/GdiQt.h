#pragma once
// Qt views of the drawing layer's objects, for the rest of the platform layer (windows, regions,
// layered windows, video). The program itself uses the GDI-shaped classes.

#include "platform/gdi/GdiTypes.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRegion>

inline QColor ColorFromRef(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}
inline COLORREF RefFromRgb(QRgb c) {
    return RGB(BYTE(qRed(c)), BYTE(qGreen(c)), BYTE(qBlue(c)));
}

// A new bitmap holding a copy of the image (converted to 32 bits). Null for a null image or sizes
// beyond the layer's limits.
HBITMAP GdiCreateBitmap(const QImage& image);
// A shallow copy of the bitmap's pixels (null image for an unknown handle). Pixels drawn later into
// the bitmap may or may not show in the copy: take it when drawing is done.
QImage GdiBitmapImage(HBITMAP bitmap);
// The region in device pixels (empty for an unknown handle).
QRegion GdiRegion(HRGN region);
HRGN GdiCreateRegion(const QRegion& region);
// The colour of a brush; false for an unknown handle, *isNull set for a null brush.
bool GdiBrushColor(HBRUSH brush, COLORREF* color, bool* isNull);
// The font a LOGFONT resolves to at that many device pixels per logical unit of height.
QFont GdiQFont(const LOGFONT& font, double scale = 1.0);
QFont GdiFont(HFONT font);
