#include "res/gen/GlyphPainter.h"

#include "res/SkinTable.h"
#include "res/gen/SkinDraw.h"
#include "res/gen/SkinPalette.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <array>
#include <cmath>
#include <initializer_list>

namespace {

struct Tile {
    int x0, y0, x1, y1; // in twelfths of the screen
};

// The split layouts as the video window lays them out.
const std::initializer_list<Tile>& LayoutTiles(int g) {
    static const std::initializer_list<Tile> l1 = {{0, 0, 12, 12}};
    static const std::initializer_list<Tile> l4 = {{0, 0, 6, 6}, {6, 0, 12, 6}, {0, 6, 6, 12}, {6, 6, 12, 12}};
    static const std::initializer_list<Tile> l6 = {{0, 0, 8, 8},  {8, 0, 12, 4}, {8, 4, 12, 8},
                                                   {0, 8, 4, 12}, {4, 8, 8, 12}, {8, 8, 12, 12}};
    static const std::initializer_list<Tile> l7 = {{0, 0, 6, 6},  {6, 0, 12, 6}, {0, 6, 6, 12}, {6, 6, 9, 9},
                                                   {9, 6, 12, 9}, {6, 9, 9, 12}, {9, 9, 12, 12}};
    static const std::initializer_list<Tile> l8 = {{0, 0, 9, 9},  {9, 0, 12, 3}, {9, 3, 12, 6}, {9, 6, 12, 9},
                                                   {0, 9, 3, 12}, {3, 9, 6, 12}, {6, 9, 9, 12}, {9, 9, 12, 12}};
    static const std::initializer_list<Tile> l9 = {{0, 0, 4, 4},  {4, 0, 8, 4},  {8, 0, 12, 4},
                                                   {0, 4, 4, 8},  {4, 4, 8, 8},  {8, 4, 12, 8},
                                                   {0, 8, 4, 12}, {4, 8, 8, 12}, {8, 8, 12, 12}};
    static const std::initializer_list<Tile> l10 = {{0, 0, 6, 6},  {6, 0, 12, 6}, {0, 6, 3, 9},  {3, 6, 6, 9},
                                                    {6, 6, 9, 9},  {9, 6, 12, 9}, {0, 9, 3, 12}, {3, 9, 6, 12},
                                                    {6, 9, 9, 12}, {9, 9, 12, 12}};
    static const std::initializer_list<Tile> l13 = {
        {0, 0, 3, 3},  {3, 0, 6, 3},  {6, 0, 9, 3},  {9, 0, 12, 3}, {0, 3, 3, 6},  {0, 6, 3, 9},  {3, 3, 9, 9},
        {9, 3, 12, 6}, {9, 6, 12, 9}, {0, 9, 3, 12}, {3, 9, 6, 12}, {6, 9, 9, 12}, {9, 9, 12, 12}};
    static const std::initializer_list<Tile> l16 = {{0, 0, 3, 3},  {3, 0, 6, 3},  {6, 0, 9, 3},  {9, 0, 12, 3},
                                                    {0, 3, 3, 6},  {3, 3, 6, 6},  {6, 3, 9, 6},  {9, 3, 12, 6},
                                                    {0, 6, 3, 9},  {3, 6, 6, 9},  {6, 6, 9, 9},  {9, 6, 12, 9},
                                                    {0, 9, 3, 12}, {3, 9, 6, 12}, {6, 9, 9, 12}, {9, 9, 12, 12}};
    switch (g) {
    case glyph::Layout1:
        return l1;
    case glyph::Layout4:
        return l4;
    case glyph::Layout6:
        return l6;
    case glyph::Layout7:
        return l7;
    case glyph::Layout8:
        return l8;
    case glyph::Layout9:
        return l9;
    case glyph::Layout10:
        return l10;
    case glyph::Layout13:
        return l13;
    default:
        return l16;
    }
}

QPolygonF Poly(std::initializer_list<QPointF> points) {
    return QPolygonF(QList<QPointF>(points));
}

class Pen {
public:
    Pen(QPainter& p, QRgb ink) : m_p(p), m_ink(ink) {}
    void Stroke(qreal width = 2.0) {
        m_p.setPen(QPen(QColor(m_ink), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        m_p.setBrush(Qt::NoBrush);
    }
    void Solid() {
        m_p.setPen(Qt::NoPen);
        m_p.setBrush(QColor(m_ink));
    }
    void Both(qreal width = 1.5) {
        m_p.setPen(QPen(QColor(m_ink), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        m_p.setBrush(QColor(m_ink));
    }
    QRgb Ink() const { return m_ink; }

private:
    QPainter& m_p;
    QRgb m_ink;
};

void Speaker(QPainter& p, Pen& pen, qreal dx = 0) {
    pen.Both(1.2);
    p.drawPolygon(Poly({{3 + dx, 9}, {7 + dx, 9}, {12 + dx, 5}, {12 + dx, 19}, {7 + dx, 15}, {3 + dx, 15}}));
}

void Magnifier(QPainter& p, Pen& pen, QPointF centre, qreal r) {
    pen.Stroke(2.2);
    p.drawEllipse(centre, r, r);
    const qreal d = r * 0.72;
    p.drawLine(QPointF(centre.x() + d, centre.y() + d), QPointF(centre.x() + d + 5.5, centre.y() + d + 5.5));
}

void Gear(QPainter& p, Pen& pen, QPointF c, qreal r) {
    QPainterPath teeth;
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        QTransform t;
        t.translate(c.x(), c.y());
        t.rotateRadians(a);
        QPainterPath tooth;
        tooth.addRect(QRectF(-1.8, -r - 2.2, 3.6, 4.0));
        teeth = teeth.united(t.map(tooth));
    }
    QPainterPath body;
    body.addEllipse(c, r, r);
    QPainterPath hole;
    hole.addEllipse(c, r * 0.42, r * 0.42);
    pen.Solid();
    p.drawPath(body.united(teeth).subtracted(hole));
}

void Monitor(QPainter& p, Pen& pen) {
    pen.Stroke(2.0);
    p.drawRoundedRect(QRectF(3, 4, 18, 12), 1.5, 1.5);
    p.drawLine(QPointF(12, 16), QPointF(12, 20));
    p.drawLine(QPointF(8, 20.5), QPointF(16, 20.5));
}

void Document(QPainter& p, Pen& pen) {
    pen.Stroke(1.8);
    p.drawPolygon(Poly({{6, 3}, {15, 3}, {19, 7}, {19, 21}, {6, 21}}));
    p.drawLine(QPointF(9, 10), QPointF(16, 10));
    p.drawLine(QPointF(9, 14), QPointF(16, 14));
    p.drawLine(QPointF(9, 18), QPointF(14, 18));
}

void CalendarPicture(QPainter& p, Pen& pen) {
    pen.Stroke(1.8);
    p.drawRoundedRect(QRectF(3.5, 5, 17, 15.5), 1.5, 1.5);
    p.drawLine(QPointF(3.5, 9.5), QPointF(20.5, 9.5));
    p.drawLine(QPointF(8, 3), QPointF(8, 6.5));
    p.drawLine(QPointF(16, 3), QPointF(16, 6.5));
    pen.Solid();
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 3; ++c) {
            p.drawRect(QRectF(6.5 + c * 4, 12 + r * 4, 2.4, 2.4));
        }
    }
}

void ClockPicture(QPainter& p, Pen& pen) {
    pen.Stroke(2.0);
    p.drawEllipse(QPointF(12, 12), 8.5, 8.5);
    p.drawLine(QPointF(12, 12), QPointF(12, 6.5));
    p.drawLine(QPointF(12, 12), QPointF(16, 14));
}

void Bell(QPainter& p, Pen& pen) {
    pen.Both(1.2);
    QPainterPath bell;
    bell.moveTo(5, 17);
    bell.cubicTo(7, 15, 6.5, 6, 12, 5);
    bell.cubicTo(17.5, 6, 17, 15, 19, 17);
    bell.closeSubpath();
    p.drawPath(bell);
    p.drawEllipse(QPointF(12, 19.5), 2, 2);
}

void Person(QPainter& p, Pen& pen, QPointF at, qreal scale) {
    pen.Solid();
    p.drawEllipse(QPointF(at.x(), at.y() - 4.5 * scale), 3.4 * scale, 3.4 * scale);
    QPainterPath body;
    body.moveTo(at.x() - 6.5 * scale, at.y() + 8 * scale);
    body.cubicTo(at.x() - 6.5 * scale, at.y() + 0.5 * scale, at.x() + 6.5 * scale, at.y() + 0.5 * scale,
                 at.x() + 6.5 * scale, at.y() + 8 * scale);
    body.closeSubpath();
    p.drawPath(body);
}

void Sliders(QPainter& p, Pen& pen) {
    pen.Stroke(2.0);
    for (int i = 0; i < 3; ++i) {
        const qreal y = 6 + i * 6;
        p.drawLine(QPointF(4, y), QPointF(20, y));
    }
    pen.Solid();
    p.drawEllipse(QPointF(15, 6), 2.6, 2.6);
    p.drawEllipse(QPointF(8, 12), 2.6, 2.6);
    p.drawEllipse(QPointF(13, 18), 2.6, 2.6);
}

void Triangle(QPainter& p, Pen& pen, qreal x, qreal dir) {
    // dir +1 points right, -1 points left; base at x.
    pen.Both(1.0);
    p.drawPolygon(Poly({{x, 6}, {x + dir * 9, 12}, {x, 18}}));
}

// A glyph and its opposite are one picture, mirrored about the grid's middle.
template <class Draw>
void Mirrored(QPainter& p, Draw draw) {
    p.save();
    p.translate(24, 0);
    p.scale(-1, 1);
    draw();
    p.restore();
}

void StepForward(QPainter& p, Pen& pen) {
    Triangle(p, pen, 6.5, 1);
    pen.Solid();
    p.drawRect(QRectF(16, 6, 2.6, 12));
}

void Chevron(QPainter& p, Pen& pen, qreal angle) {
    p.save();
    p.translate(12, 12);
    p.rotate(angle);
    pen.Both(1.0);
    p.drawPolygon(Poly({{-6.5, 3.5}, {0, -4}, {6.5, 3.5}}));
    p.restore();
}

void PanArrows(QPainter& p, Pen& pen, qreal size) {
    pen.Solid();
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(12, 12);
        p.rotate(90.0 * i);
        p.drawPolygon(Poly({{-3.2 * size, -5.5 * size}, {0, -9.5 * size}, {3.2 * size, -5.5 * size}}));
        p.restore();
    }
    p.drawEllipse(QPointF(12, 12), 2.4 * size, 2.4 * size);
}

void ZoomPicture(QPainter& p, Pen& pen) {
    Magnifier(p, pen, QPointF(10, 10), 6.5);
    pen.Stroke(1.8);
    p.drawLine(QPointF(7, 10), QPointF(13, 10));
    p.drawLine(QPointF(10, 7), QPointF(10, 13));
}

void Layout(QPainter& p, Pen& pen, int g) {
    const QRectF area(3, 5, 18, 14);
    pen.Solid();
    for (const Tile& t : LayoutTiles(g)) {
        const QRectF r(area.left() + area.width() * t.x0 / 12.0, area.top() + area.height() * t.y0 / 12.0,
                       area.width() * (t.x1 - t.x0) / 12.0, area.height() * (t.y1 - t.y0) / 12.0);
        p.drawRect(r.adjusted(0.45, 0.45, -0.45, -0.45));
    }
}

void Brackets(QPainter& p, Pen& pen, bool inward) {
    pen.Stroke(2.2);
    // One L per corner: its elbow at the corner (outward) or toward the middle (inward).
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(12, 12);
        p.rotate(90.0 * i);
        if (inward) {
            p.drawPolyline(Poly({{-8.5, -3.5}, {-3.5, -3.5}, {-3.5, -8.5}}));
        } else {
            p.drawPolyline(Poly({{-8.5, -4}, {-8.5, -8.5}, {-4, -8.5}}));
        }
        p.restore();
    }
}

void Network(QPainter& p, Pen& pen) {
    pen.Stroke(1.8);
    p.drawEllipse(QPointF(12, 12), 8.5, 8.5);
    p.drawEllipse(QRectF(8, 3.5, 8, 17));
    p.drawLine(QPointF(3.5, 12), QPointF(20.5, 12));
    p.drawLine(QPointF(5, 7.5), QPointF(19, 7.5));
    p.drawLine(QPointF(5, 16.5), QPointF(19, 16.5));
}

void Text(QPainter& p, const QRectF& box, const QString& text, QRgb ink, double sizeOfBox) {
    const int px = std::max(7, int(std::lround(box.height() * sizeOfBox)));
    CSkinDraw::Caption(p, box.toAlignedRect(), text, ink, px);
}

} // namespace

void CGlyphPainter::Draw(QPainter& p, int g, const QRectF& box, QRgb ink, bool alt, bool accent) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    if (g >= glyph::Key1 && g <= glyph::Key0) {
        const int digit = g == glyph::Key0 ? 0 : g - glyph::Key1 + 1;
        Text(p, box, QString::number(digit), ink, 0.95);
        p.restore();
        return;
    }
    p.translate(box.topLeft());
    p.scale(box.width() / 24.0, box.height() / 24.0);
    Pen pen(p, ink);
    switch (g) {
    case glyph::Layout1:
    case glyph::Layout4:
    case glyph::Layout6:
    case glyph::Layout7:
    case glyph::Layout8:
    case glyph::Layout9:
    case glyph::Layout10:
    case glyph::Layout13:
    case glyph::Layout16:
        Layout(p, pen, g);
        break;
    case glyph::FullScreen:
        Brackets(p, pen, false);
        break;
    case glyph::LeaveFullScreen:
        Brackets(p, pen, true);
        break;
    case glyph::Live: {
        Pen red(p, accent ? pal::Red : ink);
        red.Solid();
        p.drawEllipse(QPointF(12, 12), 3.2, 3.2);
        pen.Stroke(2.0);
        p.drawArc(QRectF(5.5, 5.5, 13, 13), 135 * 16, 90 * 16);
        p.drawArc(QRectF(5.5, 5.5, 13, 13), -45 * 16, 90 * 16);
        p.drawArc(QRectF(1.5, 1.5, 21, 21), 140 * 16, 80 * 16);
        p.drawArc(QRectF(1.5, 1.5, 21, 21), -40 * 16, 80 * 16);
        break;
    }
    case glyph::Osd:
        pen.Stroke(1.8);
        p.drawRoundedRect(QRectF(3, 4.5, 18, 15), 1.5, 1.5);
        pen.Solid();
        p.drawRect(QRectF(5.5, 7, 7, 2));
        p.drawRect(QRectF(5.5, 15, 10, 2));
        break;
    case glyph::Arrange:
        pen.Solid();
        p.drawRect(QRectF(4, 4, 6.5, 6.5));
        p.drawRect(QRectF(13.5, 4, 6.5, 6.5));
        p.drawRect(QRectF(4, 13.5, 6.5, 6.5));
        pen.Stroke(2.0);
        p.drawArc(QRectF(12.5, 12.5, 8, 8), 90 * 16, 270 * 16);
        pen.Solid();
        p.drawPolygon(Poly({{16.5, 10.5}, {19.5, 12.5}, {16.5, 14.8}}));
        break;
    case glyph::Snapshot:
    case glyph::Camera:
        pen.Stroke(1.9);
        p.drawRoundedRect(QRectF(3, 7.5, 18, 12.5), 2, 2);
        p.drawEllipse(QPointF(12, 13.6), 3.6, 3.6);
        pen.Solid();
        p.drawRect(QRectF(8, 4.5, 6, 3));
        break;
    case glyph::OpenImage:
        pen.Stroke(1.8);
        p.drawRoundedRect(QRectF(3, 4.5, 18, 15), 1.5, 1.5);
        pen.Both(1.0);
        p.drawPolygon(Poly({{4.5, 18}, {9.5, 11.5}, {13, 15}, {15.5, 12.5}, {19.5, 18}}));
        p.drawEllipse(QPointF(16, 8.5), 1.8, 1.8);
        break;
    case glyph::AudioOut:
    case glyph::Sound:
        Speaker(p, pen);
        pen.Stroke(1.8);
        if (alt) {
            Pen warn(p, accent ? pal::InkAlt : ink);
            warn.Stroke(2.0);
            p.drawLine(QPointF(15, 9), QPointF(21, 15));
            p.drawLine(QPointF(21, 9), QPointF(15, 15));
        } else {
            p.drawArc(QRectF(10, 8, 8, 8), -60 * 16, 120 * 16);
            p.drawArc(QRectF(8, 5, 13, 14), -60 * 16, 120 * 16);
        }
        break;
    case glyph::AudioChannel:
        pen.Stroke(2.0);
        p.drawArc(QRectF(4, 4, 16, 16), 0, 180 * 16);
        pen.Solid();
        p.drawRoundedRect(QRectF(3.5, 12, 4.5, 8), 1.2, 1.2);
        p.drawRoundedRect(QRectF(16, 12, 4.5, 8), 1.2, 1.2);
        break;
    case glyph::Mike:
        pen.Solid();
        p.drawRoundedRect(QRectF(9, 3, 6, 11), 3, 3);
        pen.Stroke(1.8);
        p.drawArc(QRectF(6, 6, 12, 11), 180 * 16, 180 * 16);
        p.drawLine(QPointF(12, 17), QPointF(12, 20.5));
        p.drawLine(QPointF(8.5, 20.5), QPointF(15.5, 20.5));
        break;
    case glyph::Play:
        Triangle(p, pen, 8, 1);
        break;
    case glyph::Reverse:
        Mirrored(p, [&] { Triangle(p, pen, 8, 1); });
        break;
    case glyph::Pause:
        pen.Solid();
        p.drawRoundedRect(QRectF(7, 6, 3.6, 12), 0.8, 0.8);
        p.drawRoundedRect(QRectF(13.4, 6, 3.6, 12), 0.8, 0.8);
        break;
    case glyph::Record: {
        Pen red(p, accent ? pal::Red : ink);
        red.Solid();
        p.drawEllipse(QPointF(12, 12), 5.5, 5.5);
        break;
    }
    case glyph::Stop:
        pen.Solid();
        p.drawRoundedRect(QRectF(7, 7, 10, 10), 1, 1);
        break;
    case glyph::Step:
        StepForward(p, pen);
        break;
    case glyph::StepBack:
        Mirrored(p, [&] { StepForward(p, pen); });
        break;
    case glyph::PanTilt:
        PanArrows(p, pen, 1.0);
        break;
    case glyph::Zoom:
        ZoomPicture(p, pen);
        break;
    case glyph::Close:
        pen.Stroke(2.4);
        p.drawLine(QPointF(6.5, 6.5), QPointF(17.5, 17.5));
        p.drawLine(QPointF(17.5, 6.5), QPointF(6.5, 17.5));
        break;
    case glyph::ArrowUp:
        Chevron(p, pen, 0);
        break;
    case glyph::ArrowRight:
        Chevron(p, pen, 90);
        break;
    case glyph::ArrowDown:
        Chevron(p, pen, 180);
        break;
    case glyph::ArrowLeft:
        Chevron(p, pen, 270);
        break;
    case glyph::CentrePan:
        pen.Stroke(1.6);
        p.drawEllipse(QPointF(12, 12), 10, 10);
        PanArrows(p, pen, 0.75);
        break;
    case glyph::CentreZoom:
        pen.Stroke(1.6);
        p.drawEllipse(QPointF(12, 12), 10, 10);
        p.save();
        p.translate(12, 12);
        p.scale(0.72, 0.72);
        p.translate(-11, -11);
        ZoomPicture(p, pen);
        p.restore();
        break;
    case glyph::Firmware:
        pen.Stroke(1.8);
        p.drawRoundedRect(QRectF(6, 6, 12, 12), 1.5, 1.5);
        for (int i = 0; i < 3; ++i) {
            const qreal at = 8.5 + i * 3.5;
            p.drawLine(QPointF(at, 3), QPointF(at, 6));
            p.drawLine(QPointF(at, 18), QPointF(at, 21));
            p.drawLine(QPointF(3, at), QPointF(6, at));
            p.drawLine(QPointF(18, at), QPointF(21, at));
        }
        pen.Both(1.0);
        p.drawPolygon(Poly({{9, 12.5}, {12, 9}, {15, 12.5}}));
        p.drawRect(QRectF(11, 12, 2, 3.5));
        break;
    case glyph::Quit:
    case glyph::Power:
        pen.Stroke(2.2);
        p.drawArc(QRectF(4.5, 5, 15, 15), 125 * 16, 290 * 16);
        p.drawLine(QPointF(12, 3), QPointF(12, 11.5));
        break;
    case glyph::Minimize:
        pen.Solid();
        p.drawRect(QRectF(5, 16, 14, 3));
        break;
    case glyph::RemoteSearch:
    case glyph::Search:
        Magnifier(p, pen, QPointF(10, 10), 6.5);
        break;
    case glyph::RemoteSetup:
    case glyph::System:
        Gear(p, pen, QPointF(12, 12), 6.8);
        break;
    case glyph::LocalSearch:
    case glyph::Folder:
        pen.Stroke(1.8);
        p.drawPolygon(Poly({{3, 6}, {9, 6}, {11, 8.5}, {21, 8.5}, {21, 19}, {3, 19}}));
        if (g == glyph::LocalSearch) {
            Magnifier(p, pen, QPointF(12, 13.5), 3.2);
        }
        break;
    case glyph::LocalSetup:
    case glyph::Setup:
    case glyph::Options:
        Sliders(p, pen);
        break;
    case glyph::Connect:
        pen.Stroke(2.0);
        p.save();
        p.translate(12, 12);
        p.rotate(-45);
        p.drawRoundedRect(QRectF(-9.5, -3.2, 9, 6.4), 3.2, 3.2);
        p.drawRoundedRect(QRectF(0.5, -3.2, 9, 6.4), 3.2, 3.2);
        p.drawLine(QPointF(-3, 0), QPointF(3, 0));
        p.restore();
        break;
    case glyph::MenuSelect:
        pen.Stroke(2.6);
        p.drawPolyline(Poly({{5, 12.5}, {10, 17.5}, {19, 7}}));
        break;
    case glyph::MenuBack:
        pen.Stroke(2.2);
        p.drawArc(QRectF(6, 7, 13, 12), 90 * 16, -200 * 16);
        pen.Solid();
        p.drawPolygon(Poly({{12.5, 3.5}, {7, 7}, {12.5, 10.5}}));
        break;
    case glyph::Tour:
        pen.Stroke(2.0);
        p.drawArc(QRectF(5, 5, 14, 14), 60 * 16, 290 * 16);
        pen.Solid();
        p.drawPolygon(Poly({{15.5, 2.5}, {19.5, 7}, {14, 8.8}}));
        break;
    case glyph::Chevron:
        pen.Stroke(2.4);
        p.drawPolyline(Poly({{9, 6}, {15, 12}, {9, 18}}));
        break;
    case glyph::Display:
        Monitor(p, pen);
        break;
    case glyph::RecordMode: {
        pen.Stroke(1.8);
        p.drawEllipse(QPointF(12, 12), 8.5, 8.5);
        Pen red(p, accent ? pal::Red : ink);
        red.Solid();
        p.drawEllipse(QPointF(12, 12), 4.5, 4.5);
        break;
    }
    case glyph::Event:
    case glyph::AlarmOut:
        pen.Both(1.0);
        p.drawPolygon(Poly({{13.5, 2.5}, {5.5, 13.5}, {11, 13.5}, {9.5, 21.5}, {18.5, 10}, {13, 10}}));
        break;
    case glyph::Backup:
        pen.Stroke(2.0);
        p.drawLine(QPointF(12, 3), QPointF(12, 14));
        p.drawPolyline(Poly({{7.5, 10}, {12, 14.5}, {16.5, 10}}));
        p.drawPolyline(Poly({{4, 14}, {4, 20}, {20, 20}, {20, 14}}));
        break;
    case glyph::Log:
    case glyph::Note:
        Document(p, pen);
        break;
    case glyph::Info:
        pen.Stroke(1.8);
        p.drawEllipse(QPointF(12, 12), 9, 9);
        pen.Solid();
        p.drawEllipse(QPointF(12, 7.5), 1.5, 1.5);
        p.drawRect(QRectF(10.8, 10.5, 2.4, 7.5));
        break;
    case glyph::Covert:
        pen.Stroke(1.8);
        p.drawEllipse(QRectF(3, 7, 18, 10));
        p.drawEllipse(QPointF(12, 12), 2.6, 2.6);
        p.drawLine(QPointF(4.5, 19.5), QPointF(19.5, 4.5));
        break;
    case glyph::Name:
        pen.Stroke(1.8);
        p.drawPolygon(Poly({{3, 7}, {15, 7}, {21, 12}, {15, 17}, {3, 17}}));
        pen.Solid();
        p.drawEllipse(QPointF(7.5, 12), 1.6, 1.6);
        break;
    case glyph::Spot:
        Monitor(p, pen);
        pen.Solid();
        p.drawPolygon(Poly({{10, 7}, {15, 10}, {10, 13}}));
        break;
    case glyph::Clock:
    case glyph::Schedule:
        ClockPicture(p, pen);
        break;
    case glyph::Calendar:
    case glyph::Days:
        CalendarPicture(p, pen);
        break;
    case glyph::Channels:
        pen.Stroke(1.8);
        p.drawRect(QRectF(3.5, 4.5, 7, 6.5));
        p.drawRect(QRectF(13.5, 4.5, 7, 6.5));
        p.drawRect(QRectF(3.5, 13.5, 7, 6.5));
        p.drawPolyline(Poly({{13.5, 16.5}, {16, 19}, {21, 13.5}}));
        break;
    case glyph::Alarm:
        pen.Stroke(1.9);
        p.drawPolygon(Poly({{12, 3.5}, {21, 20}, {3, 20}}));
        pen.Solid();
        p.drawRect(QRectF(11, 9, 2, 6));
        p.drawEllipse(QPointF(12, 17.3), 1.2, 1.2);
        break;
    case glyph::Motion:
        pen.Solid();
        p.drawEllipse(QPointF(15, 12), 4, 4);
        pen.Stroke(1.8);
        p.drawLine(QPointF(3, 8.5), QPointF(9, 8.5));
        p.drawLine(QPointF(2, 12), QPointF(9, 12));
        p.drawLine(QPointF(3, 15.5), QPointF(9, 15.5));
        break;
    case glyph::Holiday: {
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const double a = -M_PI / 2 + i * M_PI / 5;
            const double r = i % 2 == 0 ? 9.5 : 4.0;
            star << QPointF(12 + r * std::cos(a), 12.5 + r * std::sin(a));
        }
        pen.Both(1.0);
        p.drawPolygon(star);
        break;
    }
    case glyph::Slots:
        pen.Solid();
        for (int i = 0; i < 4; ++i) {
            p.drawRoundedRect(QRectF(4, 4 + i * 4.5, 16 - i * 3, 3), 1, 1);
        }
        break;
    case glyph::Users:
        Person(p, pen, QPointF(9, 12), 0.8);
        Person(p, pen, QPointF(16.5, 13), 0.7);
        break;
    case glyph::Person:
        Person(p, pen, QPointF(12, 12), 0.9);
        break;
    case glyph::Keyboard:
        pen.Stroke(1.8);
        p.drawRoundedRect(QRectF(2.5, 6.5, 19, 11), 1.5, 1.5);
        pen.Solid();
        for (int r = 0; r < 2; ++r) {
            for (int c = 0; c < 5; ++c) {
                p.drawRect(QRectF(5 + c * 3, 9 + r * 3, 1.8, 1.8));
            }
        }
        break;
    case glyph::Globe:
    case glyph::Address:
        Network(p, pen);
        break;
    case glyph::Mail:
        pen.Stroke(1.8);
        p.drawRect(QRectF(3, 6, 18, 12));
        p.drawPolyline(Poly({{3, 6}, {12, 13}, {21, 6}}));
        break;
    case glyph::Buzzer:
        Bell(p, pen);
        break;
    case glyph::Popup:
        pen.Stroke(1.8);
        p.drawRect(QRectF(3, 4, 18, 15));
        pen.Solid();
        p.drawRect(QRectF(3, 4, 18, 3.5));
        p.drawRect(QRectF(9, 11, 9, 5));
        break;
    case glyph::Operation:
        pen.Stroke(2.6);
        p.drawLine(QPointF(5, 19), QPointF(13, 11));
        pen.Stroke(2.0);
        p.drawArc(QRectF(11, 3.5, 10, 10), -45 * 16, 270 * 16);
        break;
    case glyph::Client:
        pen.Stroke(1.8);
        p.drawRoundedRect(QRectF(5, 5, 14, 10), 1.2, 1.2);
        p.drawLine(QPointF(2.5, 18.5), QPointF(21.5, 18.5));
        break;
    case glyph::List:
        pen.Solid();
        for (int i = 0; i < 4; ++i) {
            p.drawEllipse(QPointF(5, 5.5 + i * 4.5), 1.4, 1.4);
            p.drawRect(QRectF(8.5, 4.6 + i * 4.5, 12, 1.9));
        }
        break;
    case glyph::Status:
        pen.Stroke(2.0);
        p.drawPolyline(Poly({{2.5, 13}, {7, 13}, {9.5, 6}, {13.5, 19}, {16, 11}, {21.5, 11}}));
        break;
    case glyph::Opacity:
        pen.Stroke(1.8);
        p.drawEllipse(QPointF(12, 12), 8.5, 8.5);
        pen.Solid();
        p.drawPie(QRectF(3.5, 3.5, 17, 17), 90 * 16, 180 * 16);
        break;
    case glyph::Buffer:
        pen.Stroke(1.8);
        p.drawPolygon(Poly({{12, 4}, {21, 8.5}, {12, 13}, {3, 8.5}}));
        p.drawPolyline(Poly({{3, 12.5}, {12, 17}, {21, 12.5}}));
        p.drawPolyline(Poly({{3, 16.5}, {12, 21}, {21, 16.5}}));
        break;
    case glyph::Port:
        pen.Stroke(1.8);
        p.drawRoundedRect(QRectF(6, 8, 12, 9), 1.5, 1.5);
        pen.Solid();
        p.drawRect(QRectF(8.5, 4, 2, 4));
        p.drawRect(QRectF(13.5, 4, 2, 4));
        p.drawRect(QRectF(11, 17, 2, 4));
        break;
    case glyph::Key:
        pen.Stroke(2.0);
        p.drawEllipse(QPointF(8, 12), 4.2, 4.2);
        p.drawLine(QPointF(12.2, 12), QPointF(21, 12));
        p.drawLine(QPointF(18, 12), QPointF(18, 15.5));
        p.drawLine(QPointF(21, 12), QPointF(21, 15));
        break;
    default:
        break;
    }
    p.restore();
}
