#include "res/gen/ButtonPainter.h"

#include "res/SkinTable.h"
#include "res/gen/GlyphPainter.h"
#include "res/gen/SkinDraw.h"
#include "res/gen/SkinPalette.h"

#include <QPainter>

#include <algorithm>

namespace {

// The four looks of every strip, in state order.
enum Look { Normal, On, Hover, Disabled };

constexpr CapLook kNavy[4] = {
    {pal::ButtonTop, pal::ButtonBottom, pal::ButtonEdge, pal::ButtonShine},
    {pal::OnTop, pal::OnBottom, pal::OnEdge, pal::OnShine},
    {pal::HoverTop, pal::HoverBottom, pal::HoverEdge, qRgb(0x6A, 0x86, 0xBA)},
    {qRgb(0x25, 0x31, 0x4B), qRgb(0x1F, 0x29, 0x40), qRgb(0x17, 0x20, 0x33), qRgb(0x2C, 0x39, 0x56)},
};

constexpr QRgb kInk[4] = {pal::Ink, pal::InkBright, pal::InkBright, pal::InkOff};

QRgb SurfaceColour(int tone) {
    switch (tone) {
    case surface::Disc:
        return pal::Disc;
    case surface::Light:
        return pal::Steel1;
    default:
        return pal::Chrome;
    }
}

QImage Strip(const SkinRow& row, QRgb fill) {
    QImage image(row.cellWidth * row.cells, row.height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QRectF GlyphBox(const QRect& cell, double share) {
    const double side = std::min(cell.width(), cell.height()) * share;
    return {cell.center().x() + 0.5 - side / 2, cell.center().y() + 0.5 - side / 2, side, side};
}

} // namespace

QImage CButtonPainter::IconButton(const SkinRow& row) {
    QImage image = Strip(row, SurfaceColour(row.tone));
    QPainter p(&image);
    const int w = row.cellWidth;
    const int h = row.height;
    const qreal radius = std::min(w, h) >= 30 ? 5.0 : 3.5;
    for (int cell = 0; cell < row.cells; ++cell) {
        const int look = cell % 4;
        const bool alt = cell >= 4;
        const QRect r(cell * w, 0, w, h);
        CSkinDraw::Cap(p, r.adjusted(1, 1, -1, -1), radius, kNavy[look]);
        const double share = row.variant >= glyph::Key1 && row.variant <= glyph::Key0 ? 0.72 : 0.62;
        CGlyphPainter::Draw(p, row.variant, GlyphBox(r, share), kInk[look], alt, look != Disabled);
    }
    return image;
}

QImage CButtonPainter::BarSegment(const SkinRow& row) {
    QImage image = Strip(row, pal::Chrome);
    QPainter p(&image);
    const int w = row.cellWidth;
    const int corners = row.tone == 0   ? (corner::TopLeft | corner::BottomLeft)
                        : row.tone == 2 ? (corner::TopRight | corner::BottomRight)
                                        : 0;
    for (int cell = 0; cell < row.cells; ++cell) {
        const int look = cell % 4;
        const QRect r(cell * w, 0, w, row.height);
        CSkinDraw::Cap(p, r, 7.0, kNavy[look], corners);
        // The play bar reads as one control: a dark seam and a light one between segments.
        if (row.tone != 0) {
            CSkinDraw::VLine(p, r.left(), r.top(), r.bottom(), pal::ButtonEdge);
        }
        const QRect glyphArea(r.left() + (row.tone == 0 ? 3 : 0), r.top(), r.width() - (row.tone == 2 ? 3 : 0),
                              r.height());
        CGlyphPainter::Draw(p, row.variant, GlyphBox(glyphArea, 0.64), kInk[look], false, look != Disabled);
    }
    return image;
}

QImage CButtonPainter::TabButton(const SkinRow& row) {
    QImage image = Strip(row, pal::Chrome);
    QPainter p(&image);
    const CapLook looks[4] = {
        {pal::ChromeHigh, qRgb(0x22, 0x31, 0x50), pal::ChromeEdge, qRgb(0x3A, 0x4E, 0x76)},
        {pal::Steel0, pal::Steel1, pal::Steel3, pal::Steel0},
        {pal::HoverTop, pal::HoverBottom, pal::HoverEdge, qRgb(0x6A, 0x86, 0xBA)},
        {qRgb(0x21, 0x2D, 0x46), qRgb(0x1D, 0x28, 0x3E), qRgb(0x15, 0x1E, 0x31), qRgb(0x27, 0x34, 0x50)},
    };
    const QRgb ink[4] = {pal::Ink, pal::NavyText, pal::InkBright, pal::InkOff};
    const int w = row.cellWidth;
    for (int cell = 0; cell < row.cells; ++cell) {
        const int look = cell % 4;
        const QRect r(cell * w, 0, w, row.height);
        // The tab's body runs to the bottom edge, where a chosen tab meets the light frame body.
        const QRect body = r.adjusted(1, 2, -1, 0);
        CSkinDraw::Cap(p, body, 7.0, looks[look], corner::Top);
        if (look == On) {
            CSkinDraw::Fill(p, QRect(body.left() + 1, body.bottom(), body.width() - 2, 1), pal::Steel1);
            CSkinDraw::Fill(p, QRect(body.left() + 6, body.top() + 1, body.width() - 12, 2), pal::Cyan);
        }
        CGlyphPainter::Draw(p, row.variant, QRectF(r.left() + 22.5, 9, 26, 26), ink[look], false, look != Disabled);
        if (row.label != nullptr) {
            CSkinDraw::Caption(p, QRect(r.left(), 38, w, 18), QString::fromUtf8(row.label), ink[look], 12);
        }
    }
    return image;
}

QImage CButtonPainter::TextButton(const SkinRow& row) {
    // Each style blends into the panel it sits on: switches on page rows, menu entries on the menu
    // panel, the others on dialog bodies and page button bars.
    const bool onRow = row.variant == button::SwitchOn || row.variant == button::SwitchChoice;
    QImage image = Strip(row, onRow ? pal::Steel0 : row.variant == button::Menu ? pal::Steel2 : pal::Steel1);
    QPainter p(&image);
    const int w = row.cellWidth;
    const int h = row.height;
    for (int cell = 0; cell < row.cells; ++cell) {
        const int look = cell % 4;
        const QRect r(cell * w, 0, w, h);
        switch (row.variant) {
        case button::Secondary: {
            const CapLook looks[4] = {
                {pal::SecondTop, pal::SecondBottom, qRgb(0x2F, 0x45, 0x68), qRgb(0x7A, 0x96, 0xC2)},
                {qRgb(0x35, 0x4D, 0x75), qRgb(0x2E, 0x44, 0x69), qRgb(0x1F, 0x30, 0x4D), qRgb(0x45, 0x5E, 0x88)},
                {qRgb(0x68, 0x8A, 0xBB), qRgb(0x4F, 0x6F, 0x9E), pal::HoverEdge, qRgb(0x8F, 0xAB, 0xD4)},
                {pal::OffTop, pal::OffBottom, pal::OffEdge, qRgb(0x73, 0x7E, 0x93)},
            };
            CSkinDraw::Cap(p, r, 3.5, looks[look]);
            break;
        }
        case button::Menu: {
            const CapLook looks[4] = {
                kNavy[Normal],
                {pal::PressTop, pal::PressBottom, pal::ButtonEdge, qRgb(0x24, 0x33, 0x52)},
                kNavy[Hover],
                {pal::OffTop, pal::OffBottom, pal::OffEdge, qRgb(0x73, 0x7E, 0x93)},
            };
            const QRgb ink[4] = {pal::PaleText, pal::LightCyan, pal::InkBright, qRgb(0xA9, 0xB1, 0xBD)};
            CSkinDraw::Cap(p, r, 4.0, looks[look]);
            if (look == On) {
                CSkinDraw::Fill(p, QRect(r.left() + 2, r.top() + 5, 3, h - 10), pal::Cyan);
            }
            CGlyphPainter::Draw(p, row.tone, QRectF(r.left() + 9, r.top() + 8.5, 18, 18), ink[look], false,
                                look != Disabled);
            CSkinDraw::VLine(p, r.left() + 32, r.top() + 7, r.bottom() - 7,
                             look == Disabled ? pal::OffEdge : pal::ButtonEdge);
            break;
        }
        case button::ColumnLeft:
        case button::ColumnMiddle:
        case button::ColumnRight: {
            const int corners = row.variant == button::ColumnLeft    ? (corner::TopLeft | corner::BottomLeft)
                                : row.variant == button::ColumnRight ? (corner::TopRight | corner::BottomRight)
                                                                     : 0;
            const CapLook looks[4] = {
                kNavy[Normal],
                {pal::PressTop, pal::PressBottom, pal::ButtonEdge, qRgb(0x24, 0x33, 0x52)},
                kNavy[Hover],
                {qRgb(0x4B, 0x54, 0x67), qRgb(0x42, 0x4A, 0x5B), qRgb(0x35, 0x3C, 0x4A), qRgb(0x58, 0x62, 0x76)},
            };
            CSkinDraw::Cap(p, r, 4.0, looks[look], corners);
            if (look == On) {
                CSkinDraw::Fill(p, QRect(r.left() + 3, r.bottom() - 2, w - 6, 2), pal::Green);
            }
            break;
        }
        case button::SwitchOn:
        case button::SwitchChoice: {
            // The captions are light (white, light cyan when chosen or under the mouse, light grey
            // when disabled), so every plate is dark enough to keep them at 3:1 or better.
            const CapLook looks[4] = {
                kNavy[Normal],
                {pal::PressTop, pal::PressBottom, pal::ButtonEdge, qRgb(0x24, 0x33, 0x52)},
                kNavy[Hover],
                {qRgb(0x4B, 0x54, 0x67), qRgb(0x42, 0x4A, 0x5B), qRgb(0x35, 0x3C, 0x4A), qRgb(0x58, 0x62, 0x76)},
            };
            CSkinDraw::Cap(p, r, 3.0, looks[look]);
            const QRgb lit = row.variant == button::SwitchOn ? pal::GreenLamp : pal::Blue;
            const QRgb lamp = look == On ? lit : look == Disabled ? pal::Steel5 : pal::Steel4;
            p.save();
            p.setRenderHint(QPainter::Antialiasing, true);
            const QPointF centre(r.left() + 14.5, r.top() + h / 2.0);
            if (look == On) {
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(qRed(lit), qGreen(lit), qBlue(lit), 70));
                p.drawEllipse(centre, 6.0, 6.0);
            }
            p.setPen(QPen(QColor(look == On ? CSkinDraw::Mix(lit, 0xFF000000, 0.35) : pal::Steel4), 1.0));
            p.setBrush(QColor(lamp));
            p.drawEllipse(centre, 3.8, 3.8);
            p.restore();
            break;
        }
        default: { // Dialog and Channel
            const CapLook looks[4] = {
                kNavy[Normal],
                {pal::PressTop, pal::PressBottom, pal::ButtonEdge, qRgb(0x24, 0x33, 0x52)},
                kNavy[Hover],
                {pal::OffTop, pal::OffBottom, pal::OffEdge, qRgb(0x73, 0x7E, 0x93)},
            };
            CSkinDraw::Cap(p, r, h >= 22 ? 3.5 : 3.0, looks[look]);
            if (look == On) {
                CSkinDraw::Fill(p, QRect(r.left() + 4, r.bottom() - 2, w - 8, 1), pal::Cyan);
            }
            break;
        }
        }
    }
    return image;
}

QImage CButtonPainter::CaptionCell(const SkinRow& row) {
    QImage image = Strip(row, pal::Steel0);
    QPainter p(&image);
    const int w = row.cellWidth;
    const int h = row.height;
    const bool day = row.variant == 1;
    for (int cell = 0; cell < row.cells; ++cell) {
        const int look = cell % 4;
        const QRect r(cell * w, 0, w, h);
        if (!day) {
            const CapLook looks[4] = {
                {0xFFFFFFFF, pal::Steel1, pal::Steel3, 0xFFFFFFFF},
                {qRgb(0xF0, 0xF9, 0xFF), qRgb(0xDC, 0xF0, 0xFC), pal::Blue, 0xFFFFFFFF},
                {0xFFFFFFFF, qRgb(0xE8, 0xF5, 0xFD), qRgb(0x7F, 0xCB, 0xF0), 0xFFFFFFFF},
                {pal::Steel1, pal::Steel1, pal::Steel2, pal::Steel1},
            };
            CSkinDraw::Cap(p, r, 3.0, looks[look]);
            continue;
        }
        const CapLook looks[4] = {
            {0xFFFFFFFF, pal::Steel0, pal::Steel3, 0xFFFFFFFF},
            {pal::ButtonTop, pal::ButtonBottom, pal::ButtonEdge, pal::ButtonShine},
            {pal::HoverTop, pal::HoverBottom, pal::HoverEdge, qRgb(0x6A, 0x86, 0xBA)},
            {pal::Steel1, pal::Steel1, pal::Steel2, pal::Steel1},
        };
        CSkinDraw::Cap(p, r, 3.0, looks[look]);
        // Days with recordings carry a marker line.
        if (look != Disabled) {
            CSkinDraw::Fill(p, QRect(r.left() + 6, r.bottom() - 3, w - 12, 2), look == Normal ? pal::Blue : pal::Cyan);
        }
    }
    return image;
}
