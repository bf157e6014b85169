#pragma once
// Drawing helpers shared by the skin painters: crisp fills and lines, rounded caps, hard corner keys,
// fonts and captions.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QRect>
#include <QString>

class QPainter;

namespace corner {
enum : int { TopLeft = 1, TopRight = 2, BottomLeft = 4, BottomRight = 8, Top = 3, Bottom = 12, All = 15 };
} // namespace corner

struct CapLook {
    QRgb top;    // fill at the top
    QRgb bottom; // fill at the bottom
    QRgb edge;   // one-pixel outline
    QRgb shine;  // one-pixel line just inside the top edge
};

class CSkinDraw {
public:
    static QRgb Mix(QRgb a, QRgb b, double t);
    // Row by row (or column by column) colour ramps without dithering.
    static void FillVertical(QPainter& p, const QRect& r, QRgb top, QRgb bottom);
    static void Fill(QPainter& p, const QRect& r, QRgb colour);
    // One-pixel outline just inside r.
    static void Outline(QPainter& p, const QRect& r, QRgb colour);
    static void HLine(QPainter& p, int x0, int x1, int y, QRgb colour);
    static void VLine(QPainter& p, int x, int y0, int y1, QRgb colour);

    static QPainterPath Rounded(const QRectF& r, qreal radius, int corners = corner::All);
    // A rounded, outlined button body filling r.
    static void Cap(QPainter& p, const QRect& r, qreal radius, const CapLook& look, int corners = corner::All);

    // Sets every pixel of r outside a rounded rectangle of that radius to key, with hard edges, so
    // that colour keys cut clean outlines.
    static void CutCorners(QImage& image, const QRect& r, int radius, QRgb key, int corners = corner::All);

    static QFont Font(int pixelSize, bool bold = true);
    static void Caption(QPainter& p, const QRect& r, const QString& text, QRgb colour, int pixelSize,
                        int flags = Qt::AlignCenter, bool bold = true);
    // A soft shadow line under a raised edge and a highlight above a sunken one.
};
