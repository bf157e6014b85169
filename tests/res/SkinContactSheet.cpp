// kelo-skin-contact-sheet <libKeloRes.so> <picture.png>: a tool for looking at the whole skin in one
// picture: the main windows assembled from the skin bitmaps where the windows place them, then every
// skin bitmap with its id. Run by scripts/skin-contact-sheet.sh.

#include "res/ResLibrary.h"
#include "res/SkinTable.h"

#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

CResLibrary g_library;

const CResLibrary& Library() {
    return g_library;
}

constexpr QRgb kBackdrop = 0xFF9EA6B0;

// A COLORREF (0x00BBGGRR) as the windows give their text colours.
QColor Ref(unsigned colorref) {
    return QColor(int(colorref & 0xFF), int((colorref >> 8) & 0xFF), int(colorref >> 16));
}

QString Text(unsigned id) {
    return QString::fromUtf8(Library().LoadText(id).GetString());
}

QFont Bold(int px) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(px);
    font.setBold(true);
    return font;
}

class Canvas {
public:
    explicit Canvas(QImage& image) : m_p(&image) { m_p.setRenderHint(QPainter::TextAntialiasing, true); }

    // One cell of a strip, unscaled, as CSkinHelper::DrawBitmap draws it.
    void Cell(unsigned id, int x, int y, int cell = 0) {
        const SkinRow* row = FindSkinRow(id);
        if (row == nullptr) {
            return;
        }
        m_p.drawImage(QPoint(x, y), Library().LoadBitmap(id),
                      QRect(cell * row->cellWidth, 0, row->cellWidth, row->height));
    }
    // Part of a cell (a button narrower than its strip's cells draws from x = width x state).
    void Part(unsigned id, const QRect& target, int sourceX) {
        m_p.drawImage(target.topLeft(), Library().LoadBitmap(id), QRect(sourceX, 0, target.width(), target.height()));
    }
    void Stretch(unsigned id, const QRect& r) { m_p.drawImage(r, Library().LoadBitmap(id)); }
    void Caption(const QRect& r, const QString& text, unsigned colorref, int flags = Qt::AlignCenter, int px = 12) {
        m_p.setFont(Bold(px));
        m_p.setPen(Ref(colorref));
        m_p.drawText(r, flags | Qt::TextSingleLine, text);
    }
    // A text button: strip cell plus caption in the state's colour.
    void TextButton(unsigned id, int x, int y, int state, const QString& text, const unsigned colours[4],
                    int offset = 0) {
        const SkinRow* row = FindSkinRow(id);
        Cell(id, x, y, state);
        const QRect r(x + offset, y, row->cellWidth - offset, row->height);
        Caption(r, text, colours[state], offset == 0 ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignVCenter));
    }
    void Label(const QRect& r, unsigned field, const QString& text, unsigned colorref) {
        if (field != 0) {
            Stretch(field, r);
        }
        Caption(r.adjusted(2, 0, 0, 0), text, colorref, Qt::AlignLeft | Qt::AlignTop);
    }
    void Slider(unsigned channel, unsigned active, int x, int y, int pos, int min, int max) {
        const QImage ch = Library().LoadBitmap(channel);
        const int px = ch.width() * (pos - min) / std::max(1, max - min);
        m_p.drawImage(QPoint(x, y), Library().LoadBitmap(active), QRect(0, 0, px, ch.height()));
        m_p.drawImage(QPoint(x + px, y), ch, QRect(px, 0, ch.width() - px, ch.height()));
    }
    void Progress(unsigned back, unsigned bar, int x, int y, int width, int percent) {
        const QImage b = Library().LoadBitmap(back);
        const QImage f = Library().LoadBitmap(bar);
        const int cap = b.width() / 3;
        const int h = b.height();
        m_p.drawImage(QPoint(x, y), b, QRect(0, 0, cap, h));
        m_p.drawImage(QRect(x + cap, y, width - 2 * cap, h), b, QRect(cap, 0, cap, h));
        m_p.drawImage(QPoint(x + width - cap, y), b, QRect(2 * cap, 0, cap, h));
        if (percent <= 0) {
            return;
        }
        m_p.drawImage(QPoint(x, y), f, QRect(0, 0, cap, h));
        const int end = std::min(cap + (width - cap) * percent / 102, width - cap);
        m_p.drawImage(QRect(x + cap, y, end - cap, h), f, QRect(cap, 0, cap, h));
        if (percent >= 100) {
            m_p.drawImage(QRect(x + cap, y, width - 2 * cap, h), f, QRect(cap, 0, cap, h));
            m_p.drawImage(QPoint(x + width - cap, y), f, QRect(2 * cap, 0, cap, h));
        }
    }
    void Edit(const QRect& r, const QString& text) {
        m_p.fillRect(r, Qt::white);
        m_p.setPen(QColor(0x91, 0xA1, 0xB8));
        m_p.drawRect(r.adjusted(0, 0, -1, -1));
        Caption(r.adjusted(3, 0, 0, 0), text, 0x783C3C, Qt::AlignLeft | Qt::AlignVCenter);
    }
    QPainter& Painter() { return m_p; }

private:
    QPainter m_p;
};

const unsigned kFrameColours[4] = {0xFFFFFF, 0xF1EB62, 0xF1EB62, 0xBEB9B3};
const unsigned kMenuColours[4] = {0xFBF1D8, 0xF1EB62, 0xF1EB62, 0xFBF1D8};
const unsigned kBoxColours[4] = {0xFFFFFF, 0xFFFFFF, 0xFFFF00, 0xA6A6A6};
const unsigned kColumnColours[4] = {0xFFFFFF, 0x0DB861, 0x0DB861, 0xB2AEAB};

// Key colours shown as what lies behind the window.
QImage Keyed(QImage image, QRgb key) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == key) {
                image.setPixel(x, y, kBackdrop);
            }
        }
    }
    return image;
}

constexpr QRgb kWindowKey = 0xFFFF00FF;

// A window of cx x cy drawn over its background bitmap by `draw`; a keyed window shows its key
// colour as what lies behind it, as does any part of the picture the window leaves undrawn.
QImage Window(int cx, int cy, unsigned background, bool keyed, const std::function<void(Canvas&)>& draw) {
    QImage image(cx, cy, QImage::Format_RGB32);
    image.fill(kBackdrop);
    {
        Canvas c(image);
        c.Cell(background, 0, 0);
        draw(c);
    }
    return keyed ? Keyed(image, kWindowKey) : image;
}

QImage MainWindow() {
    QImage image(928, 698, QImage::Format_RGB32);
    Canvas c(image);
    const int faceX[3] = {0, 86, 841};
    const int faceY[3] = {0, 58, 626};
    for (int i = 0; i < 9; ++i) {
        c.Cell(1500 + unsigned(i), faceX[i % 3], faceY[i / 3]);
    }
    c.Stretch(1504, QRect(86, 58, 755, 568));
    // Live video tiles of the 16-tile layout.
    for (int t = 0; t < 16; ++t) {
        const QRect tile(53 + 2 + (t % 4) * 203, 72 + 2 + (t / 4) * 136, 201, 134);
        c.Painter().fillRect(tile, QColor(0x26, 0x30, 0x3E));
        c.Caption(tile.adjusted(7, 3, 0, 0), QStringLiteral("CH%1 720x576").arg(t + 1, 2, 10, QLatin1Char('0')),
                  0x00FF00, Qt::AlignLeft | Qt::AlignTop, 13);
    }
    for (int i = 0; i < 9; ++i) {
        c.Cell(1510 + unsigned(i), 872, 73 + 34 * i, i == 8 ? 1 : 0);
    }
    c.Cell(1538, 872, 379);
    const int right[6] = {413, 447, 481, 515, 549, 583};
    for (int i = 0; i < 6; ++i) {
        c.Cell(1541 + unsigned(i), 872, right[i], i == 1 ? 1 : i == 3 ? 2 : 0);
    }
    const int bar[7] = {264, 340, 390, 440, 490, 540, 590};
    const int barState[7] = {0, 0, 1, 0, 0, 2, 3};
    for (int i = 0; i < 7; ++i) {
        c.Cell(1550 + unsigned(i), bar[i], 649, barState[i]);
    }
    c.Cell(1624, 53, 25, 1);
    for (int i = 0; i < 4; ++i) {
        c.Cell(1620 + unsigned(i), 90 + 37 * i, 25, i == 1 ? 2 : 0);
    }
    c.Cell(1564, 238, 25, 1);
    c.Cell(1565, 275, 25);
    c.Cell(1566, 312, 25);
    c.Cell(1569, 349, 25);
    c.Cell(1570, 712, 638);
    c.Slider(1575, 1574, 747, 647, 40000, 0, 65535);
    c.Cell(1573, 870, 34);
    // Playback strip and the playback clock, 2024-05-17 12:05:09 AM.
    c.Cell(1584, 250, 630);
    c.Cell(1594, 518, 632, 0);
    const int pt[8] = {538, 545, 551, 557, 564, 570, 576, 583};
    const int ptCell[8] = {1, 2, 10, 0, 5, 10, 0, 9};
    for (int i = 0; i < 8; ++i) {
        c.Cell(1593, pt[i], 632, ptCell[i]);
    }
    const int pd[10] = {600, 607, 614, 621, 627, 633, 640, 646, 652, 659};
    const int pdCell[10] = {2, 0, 2, 4, 10, 0, 5, 10, 1, 7};
    for (int i = 0; i < 10; ++i) {
        c.Cell(1592, pd[i], 632, pdCell[i]);
    }
    // Clock: 12:05:09 AM, 2024-05-17.
    const int tx[9] = {66, 79, 92, 105, 118, 131, 144, 157, 170};
    const int tCell[9] = {10, 1, 2, 12, 0, 5, 12, 0, 9};
    for (int i = 0; i < 9; ++i) {
        c.Cell(1591, tx[i], 643, tCell[i]);
    }
    const int dCell[10] = {2, 0, 2, 4, 10, 0, 5, 10, 1, 7};
    for (int i = 0; i < 10; ++i) {
        c.Cell(1590, 111 + 7 * i, 663, dCell[i]);
    }
    return Keyed(image, 0xFF3264AA);
}

QImage SetupFrame() {
    return Window(618, 546, 1650, true, [](Canvas& c) {
        const int tabState[4] = {1, 0, 2, 0};
        for (int i = 0; i < 4; ++i) {
            c.Cell(2020 + unsigned(i), 22 + 71 * i, 1, tabState[i]);
        }
        c.Cell(1651, 580, 12);
        c.Cell(1652, 14, 74);
        const unsigned menu[5] = {5660, 5661, 5452, 5662, 5663};
        for (int i = 0; i < 5; ++i) {
            c.TextButton(2030 + unsigned(i), 16, 75 + 40 * i,
                         i == 0   ? 1
                         : i == 1 ? 2
                                  : 0,
                         Text(menu[i]), kMenuColours, 34);
        }
        const int px = 197;
        const int py = 83;
        c.Cell(1720, px, py);
        const unsigned columns[4] = {2255, 2256, 2256, 2257};
        for (int i = 0; i < 4; ++i) {
            c.TextButton(columns[i], px + 2 + 100 * i, py, i == 0 ? 1 : 0, Text(5664 + unsigned(i)), kColumnColours);
        }
        for (int r = 0; r < 16; ++r) {
            const int y = py + 30 + 23 * r;
            c.Cell(r % 5 == 0 ? 1692 : 1693, px + 6, y);
            c.Label(QRect(px + 28, py + 32 + 23 * r, 50, 14), 0,
                    QStringLiteral("CH%1").arg(r + 1, 2, 10, QLatin1Char('0')), 0x785A5A);
            const int pos = (r * 37 + 20) % 101;
            c.Slider(1695, 1696, px + 103, py + 33 + 23 * r, pos, 0, 100);
            c.Label(QRect(px + 315, py + 31 + 23 * r, 72, 14), 1700, QString::number(pos), 0x783C3C);
        }
        c.TextButton(2258, px + 2, py + 396, 0, Text(5640), kFrameColours);
        c.TextButton(2258, px + 103, py + 396, 2, Text(5641), kFrameColours);
        c.TextButton(2258, px + 304, py + 396, 3, Text(5642), kFrameColours);
        c.TextButton(2260, 400, 516, 0, Text(5541), kFrameColours);
        c.TextButton(2260, 501, 516, 0, Text(5542), kFrameColours);
    });
}

QImage MessageBox() {
    return Window(308, 136, 1640, true, [](Canvas& c) {
        const unsigned lines[2] = {5079, 5082};
        for (int i = 0; i < 2; ++i) {
            const QString text = Text(lines[i]);
            const int w = QFontMetrics(Bold(12)).horizontalAdvance(text) * 12 / 10;
            const QRect r((309 - w) / 2, 22 + 23 * i, w, 20);
            c.Stretch(1641 + unsigned(i), r);
            c.Caption(r, text, 0xFFFFFF);
        }
        c.TextButton(2009, 50, 103, 0, Text(5541), kBoxColours);
        c.TextButton(2009, 158, 103, 2, Text(5542), kBoxColours);
    });
}

QImage ConnectDialog() {
    return Window(356, 182, 2000, true, [](Canvas& c) {
        const unsigned labels[5] = {5497, 5540, 5486, 5487, 5881};
        for (int i = 0; i < 5; ++i) {
            c.Cell(2001 + unsigned(i), 14, 24 + 23 * i);
            c.Caption(QRect(14, 24 + 23 * i, 106, 15), Text(labels[i]), 0xFFFFFF);
        }
        c.Edit(QRect(170, 23, 152, 16), QStringLiteral("192.168.0.20"));
        c.Edit(QRect(130, 46, 107, 16), QStringLiteral("2000"));
        c.Edit(QRect(130, 69, 210, 16), QStringLiteral("admin"));
        c.Edit(QRect(130, 92, 210, 16), QStringLiteral("****"));
        c.Edit(QRect(130, 115, 210, 16), QStringLiteral("Warehouse"));
        c.Cell(2014, 327, 20);
        c.TextButton(2010, 246, 41, 0, Text(5495), kBoxColours);
        c.TextButton(2009, 138, 148, 0, Text(5541), kBoxColours);
        c.TextButton(2009, 244, 148, 0, Text(5542), kBoxColours);
    });
}

QImage ListPopup() {
    const int w = 150;
    const int count = 4;
    const int h = 21 * count;
    return Window(w, h + 10, 1710, true, [&](Canvas& c) {
        c.Stretch(1711, QRect(5, 0, w - 10, 5));
        c.Cell(1712, w - 5, 0);
        c.Stretch(1713, QRect(0, 5, 5, h));
        c.Stretch(1714, QRect(5, 5, w - 10, h));
        c.Stretch(1715, QRect(w - 5, 5, 5, h));
        c.Cell(1716, 0, h + 5);
        c.Stretch(1717, QRect(5, h + 5, w - 10, 5));
        c.Cell(1718, w - 5, h + 5);
        const QString items[count] = {Text(5381), Text(5382), Text(5383), Text(5243)};
        for (int i = 0; i < count; ++i) {
            c.Cell(1654, 5, 5 + 21 * i);
            c.Stretch(1655, QRect(10, 5 + 21 * i, w - 21, 21));
            c.Cell(1656, w - 11, 5 + 21 * i);
            c.Label(QRect(w / 4, 9 + 21 * i, 5 * w / 8, 14), 1700, items[i], i == 1 ? 0xE6D200 : 0x783C3C);
        }
    });
}

QImage PtzPads() {
    return Window(147 + 8 + 54 + 8 + 320, 200, 1730, true, [](Canvas& c) {
        c.Cell(1557, 5, 6, 1);
        c.Cell(1558, 100, 6);
        c.Cell(1559, 119, 143);
        c.Cell(1560, 60, 47);
        c.Cell(1562, 60, 124, 2);
        c.Cell(1563, 21, 85);
        c.Cell(1561, 98, 85, 3);
        c.Cell(1731, 52, 78);
        const int mx = 155;
        c.Cell(1737, mx, 0);
        c.Cell(1739, mx + 9, 34);
        c.Cell(1740, mx + 9, 78);
        c.Cell(1741, mx + 9, 122);
        const int kx = 217;
        c.Cell(1821, kx, 0);
        const int tx[6] = {6, 110, 215, 58, 162, 210};
        const int ty[6] = {25, 25, 26, 60, 60, 170};
        const unsigned caption[6] = {5760, 5761, 5831, 5686, 5762, 5541};
        for (int i = 0; i < 6; ++i) {
            c.TextButton(2232, kx + tx[i], ty[i], i == 0 || i == 4 ? 1 : 0, Text(caption[i]), kFrameColours);
        }
        c.Cell(1822, kx + 296, 2);
        c.Cell(1839, kx + 75, 95);
        for (int i = 0; i < 4; ++i) {
            c.Cell(1830 + unsigned(i), kx + 110 + 35 * i, 95, i == 2 ? 2 : 0);
        }
        for (int i = 0; i < 5; ++i) {
            c.Cell(1834 + unsigned(i), kx + 75 + 35 * i, 124);
        }
        c.Cell(1840, kx + 250, 124);
        c.Caption(QRect(kx + 110, 173, 50, 20), QStringLiteral("234"), 0x505050);
    });
}

QImage CalendarPage() {
    return Window(403, 417, 1752, false, [](Canvas& c) {
        c.Caption(QRect(15, 9, 70, 14), Text(5424), 0x785A5A, Qt::AlignLeft | Qt::AlignTop);
        c.Caption(QRect(15, 32, 70, 14), Text(5425), 0x785A5A, Qt::AlignLeft | Qt::AlignTop);
        c.Label(QRect(140, 8, 70, 14), 1700, QStringLiteral("2008"), 0x783C3C);
        const unsigned monthColours[4] = {0x783C3C, 0xEFAE00, 0xEFAE00, 0xCDBCBC};
        for (int m = 0; m < 12; ++m) {
            const int state = m == 2 ? 1 : m > 5 ? 3 : 0;
            c.TextButton(2212, 94 + 51 * (m % 6), m < 6 ? 28 : 51, state, Text(5290 + unsigned(m)), monthColours);
        }
        for (int d = 0; d < 7; ++d) {
            c.Caption(QRect(14 + 57 * d, 89, 57, 14), Text(5426 + unsigned(d)), d == 0 ? 0x0000FF : 0x785A5A,
                      Qt::AlignLeft | Qt::AlignTop);
        }
        const unsigned dayColours[4] = {0x783C3C, 0xFFFFFF, 0x0000FF, 0xCDBCBC};
        for (int day = 0; day < 31; ++day) {
            const int cell = day + 6; // 1 March 2008 is a Saturday
            const int state = day == 4 ? 1 : (day % 3 == 0 || day == 17) ? 0 : 3;
            c.TextButton(1753, 4 + 57 * (cell % 7), 107 + 30 * (cell / 7), state, QString::number(day + 1), dayColours);
        }
        c.TextButton(2258, 2, 396, 0, Text(5583), kFrameColours);
        c.TextButton(2258, 304, 396, 0, Text(5563), kFrameColours);
    });
}

QImage TimelinePage() {
    return Window(403, 417, 1754, false, [](Canvas& c) {
        const int cursor = 113 + 7 * 12;
        c.Part(1755, QRect(cursor, 70, 402 - cursor, 305), cursor - 113);
        for (int n = 0; n < 16; ++n) {
            c.Caption(QRect(20, 70 + 19 * n, 80, 19), QStringLiteral("CH%1").arg(n + 1, 2, 10, QLatin1Char('0')),
                      0x785A5A, Qt::AlignLeft | Qt::AlignVCenter);
            for (int s = 0; s < 3; ++s) {
                const int type = (n + s) % 6;
                const int from = 113 + ((n * 5 + s * 7) % 20) * 12;
                const int to = std::min(401, from + 12 + (n * 13 + s * 29) % 60);
                c.Stretch(1760 + unsigned(type), QRect(from, 19 * n + 76, to - from, 8));
            }
        }
        c.Painter().setPen(QColor(0x00, 0xFF, 0xFF));
        c.Painter().drawLine(cursor, 70, cursor, 375);
        for (int k = 0; k < 6; ++k) {
            c.Cell(1704 + unsigned(k), 11 + 69 * k, 381);
        }
        c.Label(QRect(150, 8, 210, 14), 1700, QStringLiteral("2008-03-05"), 0x783C3C);
        c.Label(QRect(150, 31, 210, 14), 1700, QStringLiteral("07 : 00 : 00"), 0xE6D200);
        c.TextButton(2258, 2, 396, 0, Text(5583), kFrameColours);
        c.TextButton(2258, 304, 396, 0, Text(5563), kFrameColours);
    });
}

QImage CityPage() {
    return Window(403, 417, 1810, false, [](Canvas& c) {
        c.TextButton(2250, 2, 0, 0, Text(5713), kColumnColours);
        c.TextButton(2251, 202, 0, 1, Text(5714), kColumnColours);
        c.Label(QRect(50, 31, 300, 14), 1700, Text(5789), 0xE6D200);
        c.Label(QRect(50, 54, 300, 14), 1700, QStringLiteral("2008-03-05  09:41:27"), 0x783C3C);
        c.Cell(1782, 13, 97);
        c.Stretch(1792, QRect(150, 97, 40, 200));
    });
}

QImage FirmwareDialog() {
    return Window(398, 222, 1646, true, [](Canvas& c) {
        const int percent[5] = {100, 64, 0, 0, 0};
        const QString status[5] = {Text(5194), QString(), QString(), Text(5083), QString()};
        for (int r = 0; r < 5; ++r) {
            const int y = 19 + 23 * r;
            c.Cell(r < 2 ? 1692 : 1693, 18, y - 1);
            c.Label(QRect(38, y, 78, 14), 1700, Text(r < 3 ? 5180 + unsigned(r) : 5181 + unsigned(r)), 0x783C3C);
            c.Progress(1644, 1645, 94, y, 140, percent[r]);
            c.Label(QRect(243, y, 132, 14), 1700, status[r], 0x783C3C);
        }
        c.Cell(2011, 19, 155);
        c.Caption(QRect(19, 155, 342, 22), Text(5186), 0xFFFFFF);
        c.TextButton(2012, 220, 187, 0, Text(5027), kBoxColours);
        c.TextButton(2012, 306, 187, 3, Text(5188), kBoxColours);
    });
}

QImage Popups() {
    return Window(354, 44 + 8 + 40, 1536, true, [](Canvas& c) {
        for (int i = 0; i < 9; ++i) {
            c.Cell(1510 + unsigned(i), 4 + 34 * i, 4, i == 8 ? 1 : 0);
        }
        c.Cell(1537, 310, 4);
        c.Cell(1634, 0, 52);
        c.Progress(1635, 1636, 20, 52 + 11, 280, 50);
        c.Caption(QRect(20, 52 + 11, 280, 18), QStringLiteral("50.0 %"), 0x00FEFE);
        c.Cell(1625, 320, 52 + 6);
    });
}

struct Placed {
    QImage image;
    QString title;
};

// Lays pictures out left to right, wrapping at the sheet width; returns the height used.
int Flow(QPainter* p, const std::vector<Placed>& items, int top, int width, int gap, int labelHeight) {
    int x = gap;
    int y = top;
    int rowHeight = 0;
    for (const Placed& item : items) {
        const int w = std::max(item.image.width(), 40);
        if (x + w > width - gap && x > gap) {
            x = gap;
            y += rowHeight + labelHeight + gap;
            rowHeight = 0;
        }
        if (p != nullptr) {
            p->drawImage(x, y, item.image);
            p->setPen(QColor(0x14, 0x1C, 0x2B));
            p->setFont(Bold(11));
            p->drawText(QRect(x, y + item.image.height() + 1, std::max(w, 200), labelHeight),
                        Qt::AlignLeft | Qt::AlignTop, item.title);
        }
        x += w + gap;
        rowHeight = std::max(rowHeight, item.image.height());
    }
    return y + rowHeight + labelHeight + gap - top;
}

// The sheet, or a null image when a bitmap of the table is missing from the library.
QImage ContactSheet() {
    const std::vector<Placed> windows = {
        {MainWindow(), QStringLiteral("main window (1500-1624)")},
        {SetupFrame(), QStringLiteral("setup frame, camera page (1650-2260)")},
        {MessageBox(), QStringLiteral("notice box")},
        {ConnectDialog(), QStringLiteral("connect dialog")},
        {ListPopup(), QStringLiteral("list popup")},
        {PtzPads(), QStringLiteral("PTZ pad, dome menu, keypad")},
        {FirmwareDialog(), QStringLiteral("firmware upgrade")},
        {Popups(), QStringLiteral("arrange bar, backup progress")},
        {CalendarPage(), QStringLiteral("calendar page")},
        {TimelinePage(), QStringLiteral("day timeline page")},
        {CityPage(), QStringLiteral("time-server city page")},
    };
    std::vector<Placed> bitmaps;
    for (const SkinRow& row : SkinRows()) {
        QImage image = Library().LoadBitmap(row.id);
        if (image.isNull()) {
            std::fprintf(stderr, "bitmap %u is missing\n", row.id);
            return {};
        }
        // Tiny pictures are shown four times as large as well.
        if (image.width() < 24 && image.height() < 24) {
            image = image.scaled(image.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        }
        bitmaps.push_back({image, QString::number(row.id)});
    }
    const int width = 2000;
    const int gap = 14;
    const int windowsHeight = Flow(nullptr, windows, gap, width, gap, 16);
    const int bitmapsHeight = Flow(nullptr, bitmaps, 0, width, gap, 14);
    QImage sheet(width, gap + windowsHeight + 30 + bitmapsHeight, QImage::Format_RGB32);
    sheet.fill(kBackdrop);
    QPainter p(&sheet);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    Flow(&p, windows, gap, width, gap, 16);
    const int line = gap + windowsHeight + 10;
    p.fillRect(QRect(gap, line, width - 2 * gap, 2), QColor(0x5A, 0x63, 0x70));
    Flow(&p, bitmaps, line + 16, width, gap, 14);
    return sheet;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <libKeloRes.so> <picture.png>\n", argv[0]);
        return 2;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QGuiApplication app(argc, argv);
    if (!g_library.LoadFrom(argv[1])) {
        return 1;
    }
    const QImage sheet = ContactSheet();
    const QString path = QString::fromLocal8Bit(argv[2]);
    QFile::remove(path);
    if (sheet.isNull() || !sheet.save(path)) {
        std::fprintf(stderr, "%s was not written\n", argv[2]);
        return 1;
    }
    std::printf("%s\n", argv[2]);
    return 0;
}
