#include "res/gen/WidgetPainter.h"

#include "res/SkinTable.h"
#include "res/gen/SkinDraw.h"
#include "res/gen/SkinPalette.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <array>
#include <functional>

namespace {

// Seven-segment digits: segment bits a b c d e f g from bit 0.
constexpr std::array<int, 10> kSegments = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

void SevenSegments(QPainter& p, const QRect& box, int t, int bits, QRgb on, QRgb ghost) {
    const int x0 = box.left();
    const int w = box.width();
    const int top = box.top();
    const int mid = box.top() + (box.height() - t) / 2;
    const int bot = box.top() + box.height() - t;
    const std::array<QRect, 7> seg = {
        QRect(x0 + t, top, w - 2 * t, t),
        QRect(x0 + w - t, top + t, t, mid - top - t),
        QRect(x0 + w - t, mid + t, t, bot - mid - t),
        QRect(x0 + t, bot, w - 2 * t, t),
        QRect(x0, mid + t, t, bot - mid - t),
        QRect(x0, top + t, t, mid - top - t),
        QRect(x0 + t, mid, w - 2 * t, t),
    };
    for (int i = 0; i < 7; ++i) {
        p.fillRect(seg[size_t(i)], QColor((bits & (1 << i)) != 0 ? on : ghost));
    }
}

void Dots(QPainter& p, const QRect& box, int t, QRgb on) {
    const int x = box.left() + (box.width() - t) / 2;
    p.fillRect(QRect(x, box.top() + box.height() / 3 - t / 2, t, t), QColor(on));
    p.fillRect(QRect(x, box.top() + 2 * box.height() / 3 - t / 2, t, t), QColor(on));
}

// A pixel shape painted hard (no smoothing), so masks and pictures match exactly.
QImage HardShape(int w, int h, const std::function<void(QPainter&)>& draw) {
    QImage shape(w, h, QImage::Format_RGB32);
    shape.fill(0xFFFFFFFF);
    QPainter p(&shape);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    draw(p);
    return shape;
}

// Every pixel inside a rounded rectangle of radius r is fill, its rim border, the rest outside.
QImage HardRoundedFrame(int w, int h, int radius, QRgb fill, QRgb border, QRgb outside) {
    QImage image(w, h, QImage::Format_RGB32);
    auto inside = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h) {
            return false;
        }
        const int cx = x < radius ? radius : x >= w - radius ? w - radius : x;
        const int cy = y < radius ? radius : y >= h - radius ? h - radius : y;
        const double dx = x + 0.5 - cx;
        const double dy = y + 0.5 - cy;
        return (x >= radius && x < w - radius) || (y >= radius && y < h - radius) ||
               dx * dx + dy * dy <= double(radius) * radius;
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            QRgb c = outside;
            if (inside(x, y)) {
                const bool rim = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
                c = rim ? border : fill;
            }
            image.setPixel(x, y, c);
        }
    }
    return image;
}

QRgb TypeColour(int type) {
    constexpr std::array<QRgb, 6> colours = {qRgb(0x4C, 0xB0, 0x4C), qRgb(0xE2, 0x4C, 0x3B), qRgb(0xF0, 0xA0, 0x1E),
                                             qRgb(0x3B, 0x8F, 0xD9), qRgb(0x9B, 0x6B, 0xD6), qRgb(0x26, 0xB0, 0xA5)};
    return colours[size_t(std::clamp(type, 0, 5))];
}

QRgb ScheduleColour(int value) {
    switch (value) {
    case 1:
        return qRgb(0x5C, 0xB8, 0x4A);
    case 2:
        return qRgb(0xF0, 0xA0, 0x1E);
    case 3:
        return qRgb(0x3B, 0x8F, 0xD9);
    default:
        return 0xFFFFFFFF;
    }
}

} // namespace

QImage CWidgetPainter::Digits(const SkinRow& row) {
    QImage image(row.cellWidth * row.cells, row.height, QImage::Format_RGB32);
    image.fill(pal::Lcd);
    QPainter p(&image);
    const int w = row.cellWidth;
    const int h = row.height;
    const bool large = row.variant == digits::Large;
    const bool date = row.variant == digits::Small || row.variant == digits::PlayDate;
    const QRgb on = date ? qRgb(0x9A, 0xDF, 0xEA) : pal::LcdDigit;
    const int t = large ? 2 : 1;
    for (int cell = 0; cell < row.cells; ++cell) {
        const QRect r(cell * w, 0, w, h);
        if (row.variant == digits::PlayMark) {
            CSkinDraw::Caption(p, r, cell == 0 ? QStringLiteral("AM") : QStringLiteral("PM"), on, 8);
            continue;
        }
        const QRect box = large ? QRect(r.left() + 2, 2, 9, 14) : QRect(r.left() + 1, 1, 5, h - 2);
        if (cell < 10) {
            SevenSegments(p, box, t, kSegments[size_t(cell)], on, pal::LcdGhost);
        } else if (large && (cell == 10 || cell == 11)) {
            CSkinDraw::Caption(p, r.adjusted(0, 1, 0, 0), cell == 10 ? QStringLiteral("AM") : QStringLiteral("PM"), on,
                               7);
        } else if ((large && cell == 12) || (row.variant == digits::PlayTime && cell == 10)) {
            Dots(p, box, t, on);
        } else if (date && cell == 10) {
            p.fillRect(QRect(box.left() + 1, box.top() + (box.height() - 1) / 2, box.width() - 2, 1), QColor(on));
        } else {
            SevenSegments(p, box, t, 0, on, pal::LcdGhost); // blank: the unlit segments only
        }
    }
    return image;
}

QImage CWidgetPainter::Track(const SkinRow& row) {
    const int w = row.cellWidth;
    const int h = row.height;
    QImage image(w, h, QImage::Format_RGB32);
    const bool volume = row.variant == track::VolumeNormal || row.variant == track::VolumeActive;
    image.fill(volume ? pal::Chrome : pal::Steel0);
    QPainter p(&image);
    if (volume) {
        // A rising row of bars; the part below the volume lights up.
        const bool lit = row.variant == track::VolumeActive;
        for (int i = 0; i < 16; ++i) {
            const int x = 3 + 4 * i;
            const int bar = 3 + (i * 10) / 15;
            const QRect r(x, h - 2 - bar, 3, bar);
            const QRgb colour =
                lit ? CSkinDraw::Mix(pal::Cyan, qRgb(0x2E, 0x98, 0xD8), i / 15.0) : qRgb(0x34, 0x46, 0x69);
            p.fillRect(r, QColor(colour));
        }
        return image;
    }
    CapLook look{pal::Steel2, pal::Steel1, pal::Steel4, pal::Steel3};
    if (row.variant == track::Active) {
        look = {qRgb(0x52, 0xC3, 0xEE), qRgb(0x1C, 0x74, 0xB0), qRgb(0x15, 0x5A, 0x8A), qRgb(0x8C, 0xDD, 0xF7)};
    } else if (row.variant == track::Sensitivity) {
        look = {qRgb(0xF9, 0xC4, 0x5A), qRgb(0xDD, 0x8A, 0x12), qRgb(0xA8, 0x66, 0x0C), qRgb(0xFC, 0xDF, 0x9F)};
    }
    CSkinDraw::Cap(p, image.rect(), h / 2.0, look);
    return image;
}

QImage CWidgetPainter::Progress(const SkinRow& row) {
    const int cap = row.cellWidth;
    const int h = row.height;
    const bool dark = row.tone == surface::Chrome;
    // Paint one long pill and cut its two ends and a middle slice from it.
    QImage pill(cap * 3 + 16, h, QImage::Format_RGB32);
    pill.fill(dark ? pal::Chrome : pal::Steel0);
    {
        QPainter p(&pill);
        CapLook look = dark ? CapLook{pal::Lcd, qRgb(0x12, 0x1D, 0x33), pal::ChromeEdge, qRgb(0x07, 0x0D, 0x18)}
                            : CapLook{pal::Steel2, pal::Steel1, pal::Steel4, pal::Steel3};
        if (row.variant == 1) {
            look = {qRgb(0x5B, 0xD0, 0xF2), qRgb(0x1B, 0x78, 0xB6), qRgb(0x12, 0x55, 0x86), qRgb(0xA0, 0xE6, 0xFA)};
        }
        CSkinDraw::Cap(p, pill.rect(), std::min(cap, h / 2) - 0.5, look);
    }
    QImage image(cap * 3, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.drawImage(QPoint(0, 0), pill, QRect(0, 0, cap, h));
    p.drawImage(QPoint(cap, 0), pill, QRect(cap + 8, 0, cap, h));
    p.drawImage(QPoint(2 * cap, 0), pill, QRect(pill.width() - cap, 0, cap, h));
    return image;
}

QImage CWidgetPainter::CheckBox(const SkinRow& row) {
    const int w = row.cellWidth;
    const int h = row.height;
    if (row.variant == 2) {
        return HardRoundedFrame(w, h, 3, 0xFF000000, 0xFF000000, 0xFFFFFFFF);
    }
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(pal::Steel0);
    QPainter p(&image);
    if (row.variant == 0) {
        CSkinDraw::Cap(p, image.rect(), 3.0, {0xFFFFFFFF, pal::Steel1, pal::Steel5, 0xFFFFFFFF});
        return image;
    }
    CSkinDraw::Cap(p, image.rect(), 3.0, {pal::OnTop, pal::OnBottom, pal::OnEdge, pal::OnShine});
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF(QList<QPointF>{{3.6, 7.6}, {6.3, 10.3}, {11.4, 4.6}}));
    return image;
}

QImage CWidgetPainter::PopupFrame(const SkinRow& row) {
    // A small rounded frame cut into its nine pieces; see-through outside the corners.
    const QImage frame = HardRoundedFrame(15, 15, 5, pal::Steel0, pal::ButtonTop, pal::Transparent);
    const int piece = std::clamp(row.variant, 0, 8);
    const int xs[3] = {0, 5, 10};
    return frame.copy(xs[piece % 3], xs[piece / 3], row.cellWidth, row.height);
}

QImage CWidgetPainter::PopupRow(const SkinRow& row) {
    // Rows are quiet bands with a hairline under each; the caps end the hairline short of the frame.
    QImage image(row.cellWidth, row.height, QImage::Format_RGB32);
    image.fill(pal::Steel0);
    QPainter p(&image);
    const int last = row.height - 1;
    switch (std::clamp(row.variant, 0, 2)) {
    case 0:
        CSkinDraw::HLine(p, 3, row.cellWidth - 1, last, pal::Steel2);
        break;
    case 1:
        CSkinDraw::HLine(p, 0, row.cellWidth - 1, last, pal::Steel2);
        break;
    default:
        CSkinDraw::HLine(p, 0, row.cellWidth - 4, last, pal::Steel2);
        break;
    }
    return image;
}

QImage CWidgetPainter::AreaGrid(const SkinRow& row) {
    const int w = row.cellWidth;
    const int h = row.height;
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    switch (row.variant) {
    case grid::MotionBackdrop:
    case grid::MotionPicked: {
        const bool picked = row.variant == grid::MotionPicked;
        image.fill(picked ? qRgb(0x8C, 0x3A, 0x2E) : qRgb(0x1C, 0x25, 0x37));
        for (int y = 0; y < h; y += 36) {
            for (int x = 0; x < w; x += 36) {
                const QRect cell(x + 2, y + 2, 32, 32);
                if (picked) {
                    CSkinDraw::FillVertical(p, cell, qRgb(0xE8, 0x6A, 0x4A), qRgb(0xC4, 0x44, 0x32));
                } else {
                    CSkinDraw::FillVertical(p, cell, qRgb(0x26, 0x31, 0x48), qRgb(0x1F, 0x29, 0x3D));
                }
            }
        }
        break;
    }
    case grid::RegionBackdrop:
    case grid::RegionPicked: {
        const bool picked = row.variant == grid::RegionPicked;
        image.fill(picked ? qRgb(0x1F, 0x86, 0xC0) : qRgb(0x1C, 0x25, 0x37));
        const QRgb dot = picked ? qRgb(0x6C, 0xC8, 0xF0) : qRgb(0x2E, 0x3B, 0x55);
        for (int y = 0; y < h; y += 4) {
            for (int x = 0; x < w; x += 4) {
                image.setPixel(x, y, dot);
            }
        }
        break;
    }
    case grid::TimelineGrid:
        image.fill(0xFFFFFFFF);
        for (int n = 0; n < 16; ++n) {
            if (n % 2 == 1) {
                p.fillRect(QRect(0, 19 * n, w, 19), QColor(qRgb(0xF4, 0xF7, 0xFB)));
            }
            CSkinDraw::HLine(p, 0, w - 1, 19 * n, pal::Steel2);
        }
        for (int hour = 0; hour <= 24; ++hour) {
            const QRgb line = hour % 6 == 0 ? pal::Steel4 : hour % 3 == 0 ? pal::Steel3 : pal::Steel2;
            CSkinDraw::VLine(p, hour * 12, 0, h - 1, line);
        }
        break;
    default: { // schedule values: every 50 x 15 cell in the value's colour, the grid around them
        const int value = row.variant - grid::ScheduleValue0;
        image.fill(pal::Steel3);
        for (int y = 0; y < h; y += 15) {
            for (int x = 0; x < w; x += 50) {
                const QRect cell(x + 1, y + 1, 49, 14);
                if (value == 0) {
                    p.fillRect(cell, QColor((y / 15) % 2 == 0 ? 0xFFFFFFFF : qRgb(0xF4, 0xF7, 0xFB)));
                } else {
                    const QRgb c = ScheduleColour(value);
                    CSkinDraw::FillVertical(p, cell, CSkinDraw::Mix(c, 0xFFFFFFFF, 0.25), c);
                }
            }
        }
        break;
    }
    }
    return image;
}

QImage CWidgetPainter::TimelineBar(const SkinRow& row) {
    QImage image(row.cellWidth, row.height, QImage::Format_RGB32);
    const QRgb colour = TypeColour(row.variant);
    QPainter p(&image);
    if (row.tone == 0) {
        CSkinDraw::FillVertical(p, image.rect(), CSkinDraw::Mix(colour, 0xFFFFFFFF, 0.3), colour);
        CSkinDraw::HLine(p, 0, row.cellWidth - 1, row.height - 1, CSkinDraw::Mix(colour, 0xFF000000, 0.3));
        return image;
    }
    image.fill(pal::Steel0);
    CSkinDraw::Cap(p, image.rect(), 3.0,
                   {CSkinDraw::Mix(colour, 0xFFFFFFFF, 0.3), colour, CSkinDraw::Mix(colour, 0xFF000000, 0.35),
                    CSkinDraw::Mix(colour, 0xFFFFFFFF, 0.5)});
    return image;
}

QImage CWidgetPainter::OsdIcon(const SkinRow& row) {
    const int w = row.cellWidth;
    const int h = row.height;
    QRgb colour = qRgb(0x00, 0xFF, 0x7F);
    const QImage shape = HardShape(w, h, [&](QPainter& p) {
        switch (row.variant) {
        case osd::Pause:
            colour = qRgb(0xFF, 0xD0, 0x30);
            p.drawRect(QRect(4, 3, 3, 10));
            p.drawRect(QRect(9, 3, 3, 10));
            break;
        case osd::Forward:
            p.drawPolygon(QPolygon(QList<QPoint>{{4, 3}, {12, 8}, {4, 13}}));
            break;
        case osd::ForwardSteps:
            for (int k = 0; k < 5; ++k) {
                const int x = 5 + 7 * k;
                p.drawPolygon(QPolygon(QList<QPoint>{{x, 3}, {x + 5, 8}, {x, 13}}));
            }
            break;
        case osd::Backward:
            p.drawPolygon(QPolygon(QList<QPoint>{{12, 3}, {4, 8}, {12, 13}}));
            break;
        case osd::Audio:
        case osd::AudioSilent:
            colour = row.variant == osd::Audio ? qRgb(0x00, 0xFF, 0x7F) : qRgb(0xB0, 0xB8, 0xC4);
            p.drawPolygon(QPolygon(QList<QPoint>{{2, 6}, {5, 6}, {9, 2}, {9, 14}, {5, 10}, {2, 10}}));
            if (row.variant == osd::Audio) {
                p.drawRect(QRect(11, 6, 1, 4));
                p.drawRect(QRect(13, 4, 1, 8));
            } else {
                for (int i = 0; i < 5; ++i) {
                    p.drawRect(QRect(10 + i, 5 + i, 1, 1));
                    p.drawRect(QRect(14 - i, 5 + i, 1, 1));
                }
            }
            break;
        case osd::PtzReady:
        case osd::PtzUnavailable:
            colour = row.variant == osd::PtzReady ? qRgb(0x00, 0xE6, 0xFF) : qRgb(0x90, 0x98, 0xA6);
            p.drawPolygon(QPolygon(QList<QPoint>{{8, 1}, {11, 4}, {5, 4}}));
            p.drawPolygon(QPolygon(QList<QPoint>{{8, 15}, {5, 12}, {11, 12}}));
            p.drawPolygon(QPolygon(QList<QPoint>{{1, 8}, {4, 5}, {4, 11}}));
            p.drawPolygon(QPolygon(QList<QPoint>{{15, 8}, {12, 5}, {12, 11}}));
            p.drawRect(QRect(6, 6, 4, 4));
            break;
        default:
            break;
        }
    });
    if (row.tone == 0) {
        return shape;
    }
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            image.setPixel(x, y, qRed(shape.pixel(x, y)) < 128 ? colour : 0xFF000000);
        }
    }
    return image;
}
