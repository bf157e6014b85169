#include "res/gen/AppIconArt.h"

#include "res/gen/SkinPalette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kSizes[] = {16, 32, 48, 64, 128, 256};
constexpr qreal kUnits = 256.0;

// A rounded rectangle (radius > 0), a rectangle, or a circle (circle: the rectangle is its box),
// filled top to bottom from `top` to `bottom`, with an optional outline of `strokeWidth` units.
struct Shape {
    enum class Kind { Box, Circle } kind;
    QRectF rect;
    qreal radius;
    QRgb top;
    QRgb bottom;
    QRgb stroke;
    qreal strokeWidth; // 0: none
    int alpha;         // of the whole shape, 0-255
};

// Four live tiles of a split view on the navy chrome of the main window, a camera lens in front of
// them and the red lamp of a recording.
const Shape kShapes[] = {
    {Shape::Kind::Box, {12, 12, 232, 232}, 48, pal::ChromeHigh, pal::ChromeLow, pal::ChromeEdge, 6, 255},
    {Shape::Kind::Box, {44, 50, 80, 58}, 8, pal::Blue, pal::OnBottom, 0, 0, 255},
    {Shape::Kind::Box, {132, 50, 80, 58}, 8, pal::Green, qRgb(0x3C, 0x7A, 0x08), 0, 0, 255},
    {Shape::Kind::Box, {44, 116, 80, 58}, 8, pal::Amber, qRgb(0xB0, 0x6E, 0x0C), 0, 0, 255},
    {Shape::Kind::Box, {132, 116, 80, 58}, 8, pal::SecondTop, pal::ButtonBottom, 0, 0, 255},
    {Shape::Kind::Circle, {78, 118, 100, 100}, 0, pal::ButtonTop, pal::ChromeLow, pal::LightCyan, 10, 255},
    {Shape::Kind::Circle, {104, 144, 48, 48}, 0, pal::Video, pal::Lcd, 0, 0, 255},
    {Shape::Kind::Circle, {114, 154, 14, 14}, 0, pal::InkBright, pal::InkBright, 0, 0, 200},
    {Shape::Kind::Circle, {184, 24, 36, 36}, 0, pal::Red, qRgb(0xA8, 0x1E, 0x1E), pal::ChromeEdge, 4, 255},
};

QPainterPath PathOf(const Shape& s) {
    QPainterPath path;
    if (s.kind == Shape::Kind::Circle) {
        path.addEllipse(s.rect);
    } else {
        path.addRoundedRect(s.rect, s.radius, s.radius);
    }
    return path;
}

QByteArray Hex(QRgb c) {
    return "#" + QByteArray::number(c & 0xFFFFFF, 16).rightJustified(6, '0');
}

QByteArray Num(qreal v) {
    return QByteArray::number(v, 'g', 6);
}

} // namespace

std::span<const int> CAppIconArt::Sizes() {
    return kSizes;
}

QImage CAppIconArt::Paint(int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / kUnits, side / kUnits);
    for (const Shape& s : kShapes) {
        QLinearGradient fill(s.rect.topLeft(), s.rect.bottomLeft());
        fill.setColorAt(0, QColor(s.top));
        fill.setColorAt(1, QColor(s.bottom));
        p.setOpacity(s.alpha / 255.0);
        p.setBrush(fill);
        p.setPen(s.strokeWidth > 0 ? QPen(QColor(s.stroke), s.strokeWidth) : QPen(Qt::NoPen));
        p.drawPath(PathOf(s));
    }
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray CAppIconArt::Svg() {
    QByteArray defs;
    QByteArray body;
    int n = 0;
    for (const Shape& s : kShapes) {
        const QByteArray id = "fill" + QByteArray::number(n++);
        // In the drawing's own units, from the top to the bottom of the shape, as the painter fills it.
        defs += "    <linearGradient id=\"" + id + "\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"" +
                Num(s.rect.top()) + "\" x2=\"0\" y2=\"" + Num(s.rect.bottom()) + "\"><stop offset=\"0\" stop-color=\"" +
                Hex(s.top) + "\"/><stop offset=\"1\" stop-color=\"" + Hex(s.bottom) + "\"/></linearGradient>\n";
        QByteArray paint = "fill=\"url(#" + id + ")\"";
        if (s.strokeWidth > 0) {
            paint += " stroke=\"" + Hex(s.stroke) + "\" stroke-width=\"" + Num(s.strokeWidth) + "\"";
        }
        if (s.alpha < 255) {
            paint += " opacity=\"" + Num(s.alpha / 255.0) + "\"";
        }
        if (s.kind == Shape::Kind::Circle) {
            body += "  <circle cx=\"" + Num(s.rect.center().x()) + "\" cy=\"" + Num(s.rect.center().y()) + "\" r=\"" +
                    Num(s.rect.width() / 2) + "\" " + paint + "/>\n";
        } else {
            body += "  <rect x=\"" + Num(s.rect.x()) + "\" y=\"" + Num(s.rect.y()) + "\" width=\"" +
                    Num(s.rect.width()) + "\" height=\"" + Num(s.rect.height()) + "\" rx=\"" + Num(s.radius) + "\" " +
                    paint + "/>\n";
        }
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
           "  <defs>\n" +
           defs + "  </defs>\n" + body + "</svg>\n";
}
