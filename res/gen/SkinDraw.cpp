#include "res/gen/SkinDraw.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

QRgb CSkinDraw::Mix(QRgb a, QRgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto lerp = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return qRgb(lerp(qRed(a), qRed(b)), lerp(qGreen(a), qGreen(b)), lerp(qBlue(a), qBlue(b)));
}

void CSkinDraw::FillVertical(QPainter& p, const QRect& r, QRgb top, QRgb bottom) {
    const int h = r.height();
    for (int i = 0; i < h; ++i) {
        const double t = h > 1 ? double(i) / (h - 1) : 0.0;
        p.fillRect(QRect(r.left(), r.top() + i, r.width(), 1), QColor(Mix(top, bottom, t)));
    }
}

void CSkinDraw::Fill(QPainter& p, const QRect& r, QRgb colour) {
    p.fillRect(r, QColor(colour));
}

void CSkinDraw::Outline(QPainter& p, const QRect& r, QRgb colour) {
    HLine(p, r.left(), r.right(), r.top(), colour);
    HLine(p, r.left(), r.right(), r.bottom(), colour);
    VLine(p, r.left(), r.top(), r.bottom(), colour);
    VLine(p, r.right(), r.top(), r.bottom(), colour);
}

void CSkinDraw::HLine(QPainter& p, int x0, int x1, int y, QRgb colour) {
    if (x1 < x0) {
        std::swap(x0, x1);
    }
    p.fillRect(QRect(x0, y, x1 - x0 + 1, 1), QColor(colour));
}

void CSkinDraw::VLine(QPainter& p, int x, int y0, int y1, QRgb colour) {
    if (y1 < y0) {
        std::swap(y0, y1);
    }
    p.fillRect(QRect(x, y0, 1, y1 - y0 + 1), QColor(colour));
}

QPainterPath CSkinDraw::Rounded(const QRectF& r, qreal radius, int corners) {
    const qreal d = radius * 2;
    auto has = [corners](int c) { return (corners & c) != 0; };
    QPainterPath path;
    if (has(corner::TopLeft)) {
        path.moveTo(r.left(), r.top() + radius);
        path.arcTo(QRectF(r.left(), r.top(), d, d), 180, -90);
    } else {
        path.moveTo(r.topLeft());
    }
    if (has(corner::TopRight)) {
        path.lineTo(r.right() - radius, r.top());
        path.arcTo(QRectF(r.right() - d, r.top(), d, d), 90, -90);
    } else {
        path.lineTo(r.topRight());
    }
    if (has(corner::BottomRight)) {
        path.lineTo(r.right(), r.bottom() - radius);
        path.arcTo(QRectF(r.right() - d, r.bottom() - d, d, d), 0, -90);
    } else {
        path.lineTo(r.bottomRight());
    }
    if (has(corner::BottomLeft)) {
        path.lineTo(r.left() + radius, r.bottom());
        path.arcTo(QRectF(r.left(), r.bottom() - d, d, d), 270, -90);
    } else {
        path.lineTo(r.bottomLeft());
    }
    path.closeSubpath();
    return path;
}

void CSkinDraw::Cap(QPainter& p, const QRect& r, qreal radius, const CapLook& look, int corners) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF outer(r.x(), r.y(), r.width(), r.height());
    QLinearGradient fill(outer.topLeft(), outer.bottomLeft());
    fill.setColorAt(0, QColor(look.top));
    fill.setColorAt(1, QColor(look.bottom));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(Rounded(outer, radius, corners));
    // Shine just inside the top edge, kept clear of the rounded corners.
    const int inset = (corners & corner::Top) != 0 ? int(std::ceil(radius)) : 1;
    p.setRenderHint(QPainter::Antialiasing, false);
    if (r.width() > 2 * inset && r.height() > 3) {
        HLine(p, r.left() + inset, r.right() - inset, r.top() + 1, look.shine);
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(look.edge), 1.0));
    p.drawPath(Rounded(outer.adjusted(0.5, 0.5, -0.5, -0.5), std::max<qreal>(0, radius - 0.5), corners));
    p.restore();
}

void CSkinDraw::CutCorners(QImage& image, const QRect& r, int radius, QRgb key, int corners) {
    if (radius <= 0) {
        return;
    }
    // Distance test against the corner circle's centre, taken at pixel centres.
    auto cut = [&](int cx, int cy, int xFrom, int xTo, int yFrom, int yTo) {
        for (int y = yFrom; y <= yTo; ++y) {
            for (int x = xFrom; x <= xTo; ++x) {
                const double dx = x + 0.5 - cx;
                const double dy = y + 0.5 - cy;
                if (dx * dx + dy * dy > double(radius) * radius && image.rect().contains(x, y)) {
                    image.setPixel(x, y, key);
                }
            }
        }
    };
    const int l = r.left();
    const int t = r.top();
    const int rr = r.right();
    const int b = r.bottom();
    if ((corners & corner::TopLeft) != 0) {
        cut(l + radius, t + radius, l, l + radius - 1, t, t + radius - 1);
    }
    if ((corners & corner::TopRight) != 0) {
        cut(rr + 1 - radius, t + radius, rr + 1 - radius, rr, t, t + radius - 1);
    }
    if ((corners & corner::BottomLeft) != 0) {
        cut(l + radius, b + 1 - radius, l, l + radius - 1, b + 1 - radius, b);
    }
    if ((corners & corner::BottomRight) != 0) {
        cut(rr + 1 - radius, b + 1 - radius, rr + 1 - radius, rr, b + 1 - radius, b);
    }
}

QFont CSkinDraw::Font(int pixelSize, bool bold) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void CSkinDraw::Caption(QPainter& p, const QRect& r, const QString& text, QRgb colour, int pixelSize, int flags,
                        bool bold) {
    p.save();
    p.setFont(Font(pixelSize, bold));
    p.setPen(QColor(colour));
    p.drawText(r, flags, text);
    p.restore();
}
