// kelo-skin-contact-sheet <libKeloRes.so> <picture.png>: a tool for looking at the whole skin in one
// picture: the main windows assembled from the skin bitmaps where the windows place them, then every
// skin bitmap with its id. Run by scripts/skin-contact-sheet.sh.

#include "res/BitmapIds.h"
#include "res/ResLibrary.h"
#include "res/SkinTable.h"
#include "res/TextIds.h"

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
        c.Cell(IDB_MAIN_WINDOW_FACE_TOP_LEFT + unsigned(i), faceX[i % 3], faceY[i / 3]);
    }
    c.Stretch(IDB_MAIN_WINDOW_FACE_CENTRE, QRect(86, 58, 755, 568));
    // Live video tiles of the 16-tile layout.
    for (int t = 0; t < 16; ++t) {
        const QRect tile(53 + 2 + (t % 4) * 203, 72 + 2 + (t / 4) * 136, 201, 134);
        c.Painter().fillRect(tile, QColor(0x26, 0x30, 0x3E));
        c.Caption(tile.adjusted(7, 3, 0, 0), QStringLiteral("CH%1 720x576").arg(t + 1, 2, 10, QLatin1Char('0')),
                  0x00FF00, Qt::AlignLeft | Qt::AlignTop, 13);
    }
    for (int i = 0; i < 9; ++i) {
        c.Cell(IDB_SPLIT_ONE_TILE + unsigned(i), 872, 73 + 34 * i, i == 8 ? 1 : 0);
    }
    c.Cell(IDB_FULL_SCREEN, 872, 379);
    const int right[6] = {413, 447, 481, 515, 549, 583};
    for (int i = 0; i < 6; ++i) {
        c.Cell(IDB_LIVE_VIEW + unsigned(i), 872, right[i], i == 1 ? 1 : i == 3 ? 2 : 0);
    }
    const int bar[7] = {264, 340, 390, 440, 490, 540, 590};
    const int barState[7] = {0, 0, 1, 0, 0, 2, 3};
    for (int i = 0; i < 7; ++i) {
        c.Cell(IDB_PLAY_BAR_STEP_BACKWARD + unsigned(i), bar[i], 649, barState[i]);
    }
    c.Cell(IDB_CONNECT_DISCONNECT, 53, 25, 1);
    for (int i = 0; i < 4; ++i) {
        c.Cell(IDB_SEARCH_RECORDER + unsigned(i), 90 + 37 * i, 25, i == 1 ? 2 : 0);
    }
    c.Cell(IDB_PAN_TILT_PAD, 238, 25, 1);
    c.Cell(IDB_ZOOM_FOCUS_PAD, 275, 25);
    c.Cell(IDB_FIRMWARE_UPGRADE_BUTTON, 312, 25);
    c.Cell(IDB_QUIT_PROGRAM, 349, 25);
    c.Cell(IDB_SOUND_ON_MUTED_SECOND_LOOKS, 712, 638);
    c.Slider(IDB_VOLUME_SLIDER_PART_ABOVE_POSITION, IDB_VOLUME_SLIDER_PART_BELOW_POSITION, 747, 647, 40000, 0, 65535);
    c.Cell(IDB_TALK_RECORDER, 857, 637);
    c.Cell(IDB_MINIMISE_MAIN_WINDOW, 870, 34);
    // Playback strip and the playback clock, 2024-05-17 12:05:09 AM.
    c.Cell(IDB_PLAYBACK_STRIP_UNDER_PLAY_BAR, 250, 630);
    c.Cell(IDB_PLAYBACK_AM_PM_MARKS, 518, 632, 0);
    const int pt[8] = {538, 545, 551, 557, 564, 570, 576, 583};
    const int ptCell[8] = {1, 2, 10, 0, 5, 10, 0, 9};
    for (int i = 0; i < 8; ++i) {
        c.Cell(IDB_PLAYBACK_TIME_DIGITS_0_9_COLON_BLANK, pt[i], 632, ptCell[i]);
    }
    const int pd[10] = {600, 607, 614, 621, 627, 633, 640, 646, 652, 659};
    const int pdCell[10] = {2, 0, 2, 4, 10, 0, 5, 10, 1, 7};
    for (int i = 0; i < 10; ++i) {
        c.Cell(IDB_PLAYBACK_DATE_DIGITS_0_9_SEPARATOR, pd[i], 632, pdCell[i]);
    }
    // Clock: 12:05:09 AM, 2024-05-17.
    const int tx[9] = {66, 79, 92, 105, 118, 131, 144, 157, 170};
    const int tCell[9] = {10, 1, 2, 12, 0, 5, 12, 0, 9};
    for (int i = 0; i < 9; ++i) {
        c.Cell(IDB_CLOCK_TIME_DIGITS_0_9_AM_PM, tx[i], 643, tCell[i]);
    }
    const int dCell[10] = {2, 0, 2, 4, 10, 0, 5, 10, 1, 7};
    for (int i = 0; i < 10; ++i) {
        c.Cell(IDB_CLOCK_DATE_DIGITS_0_9_SEPARATOR, 111 + 7 * i, 663, dCell[i]);
    }
    return Keyed(image, 0xFF3264AA);
}

QImage SetupFrame() {
    return Window(618, 546, 1650, true, [](Canvas& c) {
        const int tabState[4] = {1, 0, 2, 0};
        for (int i = 0; i < 4; ++i) {
            c.Cell(IDB_SETUP_FRAME_TAB_DISPLAY + unsigned(i), 22 + 71 * i, 1, tabState[i]);
        }
        c.Cell(IDB_FRAME_CLOSE, 580, 12);
        c.Cell(IDB_FRAME_MENU_TAB_PANEL, 14, 74);
        const unsigned menu[5] = {IDS_CAMERA, IDS_COVERT, IDS_CAMERA_NAME, IDS_SPOT_OUT, IDS_OSD};
        for (int i = 0; i < 5; ++i) {
            c.TextButton(IDB_DISPLAY_MENU_CAMERA_ADJUST + unsigned(i), 16, 75 + 40 * i,
                         i == 0   ? 1
                         : i == 1 ? 2
                                  : 0,
                         Text(menu[i]), kMenuColours, 34);
        }
        const int px = 197;
        const int py = 83;
        c.Cell(IDB_PAGE_COLUMN_BUTTONS_OVER_CHANNEL_ROWS, px, py);
        const unsigned columns[4] = {IDB_FOUR_COLUMN_BUTTONS_LEFT, IDB_FOUR_COLUMN_BUTTONS_MIDDLE,
                                     IDB_FOUR_COLUMN_BUTTONS_MIDDLE, IDB_FOUR_COLUMN_BUTTONS_RIGHT};
        for (int i = 0; i < 4; ++i) {
            c.TextButton(columns[i], px + 2 + 100 * i, py, i == 0 ? 1 : 0, Text(IDS_HUE + unsigned(i)), kColumnColours);
        }
        for (int r = 0; r < 16; ++r) {
            const int y = py + 30 + 23 * r;
            c.Cell(r % 5 == 0 ? IDB_CHECK_BOX_CHECKED : IDB_CHECK_BOX_NOT_CHECKED, px + 6, y);
            c.Label(QRect(px + 28, py + 32 + 23 * r, 50, 14), 0,
                    QStringLiteral("CH%1").arg(r + 1, 2, 10, QLatin1Char('0')), 0x785A5A);
            const int pos = (r * 37 + 20) % 101;
            c.Slider(IDB_SETUP_SLIDER_PART_ABOVE_POSITION, IDB_SETUP_SLIDER_PART_BELOW_POSITION, px + 103,
                     py + 33 + 23 * r, pos, 0, 100);
            c.Label(QRect(px + 315, py + 31 + 23 * r, 72, 14), IDB_VALUE_FIELD_BEHIND_LABELS_SELECTORS,
                    QString::number(pos), 0x783C3C);
        }
        c.TextButton(IDB_PAGE_BUTTONS, px + 2, py + 396, 0, Text(IDS_ALL_CHECK), kFrameColours);
        c.TextButton(IDB_PAGE_BUTTONS, px + 103, py + 396, 2, Text(IDS_RETURN_ALL), kFrameColours);
        c.TextButton(IDB_PAGE_BUTTONS, px + 304, py + 396, 3, Text(IDS_RESET), kFrameColours);
        c.TextButton(IDB_FRAME_OK_CANCEL, 400, 516, 0, Text(IDS_OK), kFrameColours);
        c.TextButton(IDB_FRAME_OK_CANCEL, 501, 516, 0, Text(IDS_CANCEL), kFrameColours);
    });
}

QImage MessageBox() {
    return Window(308, 136, 1640, true, [](Canvas& c) {
        const unsigned lines[2] = {IDS_CONNECTION_CLOSED, IDS_REASON_CLOSED_BY_THE_RECORDER};
        for (int i = 0; i < 2; ++i) {
            const QString text = Text(lines[i]);
            const int w = QFontMetrics(Bold(12)).horizontalAdvance(text) * 12 / 10;
            const QRect r((309 - w) / 2, 22 + 23 * i, w, 20);
            c.Stretch(IDB_NOTICE_BOX_PLATE_LINE_1 + unsigned(i), r);
            c.Caption(r, text, 0xFFFFFF);
        }
        c.TextButton(IDB_DIALOG_BUTTON, 50, 103, 0, Text(IDS_OK), kBoxColours);
        c.TextButton(IDB_DIALOG_BUTTON, 158, 103, 2, Text(IDS_CANCEL), kBoxColours);
    });
}

QImage ConnectDialog() {
    return Window(356, 182, 2000, true, [](Canvas& c) {
        const unsigned labels[5] = {IDS_IP_ADDRESS, IDS_PORT, IDS_ID, IDS_PASSWORD, IDS_DESCRIPTION};
        for (int i = 0; i < 5; ++i) {
            c.Cell(IDB_CONNECT_DIALOG_ADDRESS_LABEL + unsigned(i), 14, 24 + 23 * i);
            c.Caption(QRect(14, 24 + 23 * i, 106, 15), Text(labels[i]), 0xFFFFFF);
        }
        c.Edit(QRect(170, 23, 152, 16), QStringLiteral("192.168.0.20"));
        c.Edit(QRect(130, 46, 107, 16), QStringLiteral("2000"));
        c.Edit(QRect(130, 69, 210, 16), QStringLiteral("admin"));
        c.Edit(QRect(130, 92, 210, 16), QStringLiteral("****"));
        c.Edit(QRect(130, 115, 210, 16), QStringLiteral("Warehouse"));
        c.Cell(IDB_CONNECT_DIALOG_CONNECTION_HISTORY, 327, 20);
        c.TextButton(IDB_CONNECT_DIALOG_MODIFY_DEFAULT, 246, 41, 0, Text(IDS_DEFAULT), kBoxColours);
        c.TextButton(IDB_DIALOG_BUTTON, 138, 148, 0, Text(IDS_OK), kBoxColours);
        c.TextButton(IDB_DIALOG_BUTTON, 244, 148, 0, Text(IDS_CANCEL), kBoxColours);
    });
}

QImage ListPopup() {
    const int w = 150;
    const int count = 4;
    const int h = 21 * count;
    return Window(w, h + 10, 1710, true, [&](Canvas& c) {
        c.Stretch(IDB_POPUP_FRAME_TOP_EDGE, QRect(5, 0, w - 10, 5));
        c.Cell(IDB_POPUP_FRAME_TOP_RIGHT_CORNER, w - 5, 0);
        c.Stretch(IDB_POPUP_FRAME_LEFT_EDGE, QRect(0, 5, 5, h));
        c.Stretch(IDB_POPUP_FRAME_CENTRE, QRect(5, 5, w - 10, h));
        c.Stretch(IDB_POPUP_FRAME_RIGHT_EDGE, QRect(w - 5, 5, 5, h));
        c.Cell(IDB_POPUP_FRAME_BOTTOM_LEFT_CORNER, 0, h + 5);
        c.Stretch(IDB_POPUP_FRAME_BOTTOM_EDGE, QRect(5, h + 5, w - 10, 5));
        c.Cell(IDB_POPUP_FRAME_BOTTOM_RIGHT_CORNER, w - 5, h + 5);
        const QString items[count] = {Text(IDS_YYYY_MM_DD), Text(IDS_MM_DD_YYYY), Text(IDS_DD_MM_YYYY), Text(IDS_NONE)};
        for (int i = 0; i < count; ++i) {
            c.Cell(IDB_POPUP_ROW_LEFT_CAP, 5, 5 + 21 * i);
            c.Stretch(IDB_POPUP_ROW_MIDDLE, QRect(10, 5 + 21 * i, w - 21, 21));
            c.Cell(IDB_POPUP_ROW_RIGHT_CAP, w - 11, 5 + 21 * i);
            c.Label(QRect(w / 4, 9 + 21 * i, 5 * w / 8, 14), IDB_VALUE_FIELD_BEHIND_LABELS_SELECTORS, items[i],
                    i == 1 ? 0xE6D200 : 0x783C3C);
        }
    });
}

QImage PtzPads() {
    return Window(147 + 8 + 54 + 8 + 320, 200, 1730, true, [](Canvas& c) {
        c.Cell(IDB_PTZ_PAD_PAN_TILT_MODE, 5, 6, 1);
        c.Cell(IDB_PTZ_PAD_ZOOM_FOCUS_MODE, 100, 6);
        c.Cell(IDB_PTZ_PAD_CLOSE, 119, 143);
        c.Cell(IDB_PTZ_PAD_UP, 60, 47);
        c.Cell(IDB_PTZ_PAD_DOWN, 60, 124, 2);
        c.Cell(IDB_PTZ_PAD_LEFT, 21, 85);
        c.Cell(IDB_PTZ_PAD_RIGHT, 98, 85, 3);
        c.Cell(IDB_PTZ_PAD_CENTRE_PAN_TILT_MODE, 52, 78);
        const int mx = 155;
        c.Cell(1737, mx, 0);
        c.Cell(IDB_DOME_MENU_SELECT, mx + 9, 34);
        c.Cell(IDB_DOME_MENU_BACK, mx + 9, 78);
        c.Cell(IDB_DOME_MENU_CLOSE, mx + 9, 122);
        const int kx = 217;
        c.Cell(IDB_PTZ_KEYPAD, kx, 0);
        const int tx[6] = {6, 110, 215, 58, 162, 210};
        const int ty[6] = {25, 25, 26, 60, 60, 170};
        const unsigned caption[6] = {IDS_PRESET, IDS_LEARN, IDS_DOME, IDS_SET, IDS_CALL, IDS_OK};
        for (int i = 0; i < 6; ++i) {
            c.TextButton(IDB_PTZ_KEYPAD_TEXT_BUTTONS, kx + tx[i], ty[i], i == 0 || i == 4 ? 1 : 0, Text(caption[i]),
                         kFrameColours);
        }
        c.Cell(IDB_PTZ_KEYPAD_CLOSE, kx + 296, 2);
        c.Cell(IDB_PTZ_KEYPAD_0, kx + 75, 95);
        for (int i = 0; i < 4; ++i) {
            c.Cell(IDB_PTZ_KEYPAD_1 + unsigned(i), kx + 110 + 35 * i, 95, i == 2 ? 2 : 0);
        }
        for (int i = 0; i < 5; ++i) {
            c.Cell(IDB_PTZ_KEYPAD_5 + unsigned(i), kx + 75 + 35 * i, 124);
        }
        c.Cell(IDB_PTZ_KEYPAD_TOUR, kx + 250, 124);
        c.Caption(QRect(kx + 110, 173, 50, 20), QStringLiteral("234"), 0x505050);
    });
}

QImage CalendarPage() {
    return Window(403, 417, 1752, false, [](Canvas& c) {
        c.Caption(QRect(15, 9, 70, 14), Text(IDS_YEAR), 0x785A5A, Qt::AlignLeft | Qt::AlignTop);
        c.Caption(QRect(15, 32, 70, 14), Text(IDS_MONTH), 0x785A5A, Qt::AlignLeft | Qt::AlignTop);
        c.Label(QRect(140, 8, 70, 14), IDB_VALUE_FIELD_BEHIND_LABELS_SELECTORS, QStringLiteral("2008"), 0x783C3C);
        const unsigned monthColours[4] = {0x783C3C, 0xEFAE00, 0xEFAE00, 0xCDBCBC};
        for (int m = 0; m < 12; ++m) {
            const int state = m == 2 ? 1 : m > 5 ? 3 : 0;
            c.TextButton(IDB_CALENDAR_MONTH, 94 + 51 * (m % 6), m < 6 ? 28 : 51, state, Text(IDS_JAN + unsigned(m)),
                         monthColours);
        }
        for (int d = 0; d < 7; ++d) {
            c.Caption(QRect(14 + 57 * d, 89, 57, 14), Text(IDS_SUN + unsigned(d)), d == 0 ? 0x0000FF : 0x785A5A,
                      Qt::AlignLeft | Qt::AlignTop);
        }
        const unsigned dayColours[4] = {0x783C3C, 0xFFFFFF, 0x0000FF, 0xCDBCBC};
        for (int day = 0; day < 31; ++day) {
            const int cell = day + 6; // 1 March 2008 is a Saturday
            const int state = day == 4 ? 1 : (day % 3 == 0 || day == 17) ? 0 : 3;
            c.TextButton(IDB_CALENDAR_DAY, 4 + 57 * (cell % 7), 107 + 30 * (cell / 7), state, QString::number(day + 1),
                         dayColours);
        }
        c.TextButton(IDB_PAGE_BUTTONS, 2, 396, 0, Text(IDS_PREV), kFrameColours);
        c.TextButton(IDB_PAGE_BUTTONS, 304, 396, 0, Text(IDS_PLAY_BUTTON), kFrameColours);
    });
}

QImage TimelinePage() {
    return Window(403, 417, 1754, false, [](Canvas& c) {
        const int cursor = 113 + 7 * 12;
        c.Part(IDB_DAY_TIMELINE_CHART_GRID, QRect(cursor, 70, 402 - cursor, 305), cursor - 113);
        for (int n = 0; n < 16; ++n) {
            c.Caption(QRect(20, 70 + 19 * n, 80, 19), QStringLiteral("CH%1").arg(n + 1, 2, 10, QLatin1Char('0')),
                      0x785A5A, Qt::AlignLeft | Qt::AlignVCenter);
            for (int s = 0; s < 3; ++s) {
                const int type = (n + s) % 6;
                const int from = 113 + ((n * 5 + s * 7) % 20) * 12;
                const int to = std::min(401, from + 12 + (n * 13 + s * 29) % 60);
                c.Stretch(IDB_TIMELINE_BAR_RECORD_TYPE_0 + unsigned(type), QRect(from, 19 * n + 76, to - from, 8));
            }
        }
        c.Painter().setPen(QColor(0x00, 0xFF, 0xFF));
        c.Painter().drawLine(cursor, 70, cursor, 375);
        for (int k = 0; k < 6; ++k) {
            c.Cell(IDB_TIMELINE_LEGEND_RECORD_TYPE_0 + unsigned(k), 11 + 69 * k, 381);
        }
        c.Label(QRect(150, 8, 210, 14), IDB_VALUE_FIELD_BEHIND_LABELS_SELECTORS, QStringLiteral("2008-03-05"),
                0x783C3C);
        c.Label(QRect(150, 31, 210, 14), IDB_VALUE_FIELD_BEHIND_LABELS_SELECTORS, QStringLiteral("07 : 00 : 00"),
                0xE6D200);
        c.TextButton(IDB_PAGE_BUTTONS, 2, 396, 0, Text(IDS_PREV), kFrameColours);
        c.TextButton(IDB_PAGE_BUTTONS, 304, 396, 0, Text(IDS_PLAY_BUTTON), kFrameColours);
    });
}

QImage CityPage() {
    return Window(403, 417, 1810, false, [](Canvas& c) {
        c.TextButton(IDB_COLUMN_BUTTONS_LEFT_HALF, 2, 0, 0, Text(IDS_NTP), kColumnColours);
        c.TextButton(IDB_COLUMN_BUTTONS_RIGHT_HALF, 202, 0, 1, Text(IDS_CITY), kColumnColours);
        c.Label(QRect(50, 31, 300, 14), IDB_VALUE_FIELD_BEHIND_LABELS_SELECTORS, Text(IDS_GMT_PLUS_9_SEOUL_TOKYO),
                0xE6D200);
        c.Label(QRect(50, 54, 300, 14), IDB_VALUE_FIELD_BEHIND_LABELS_SELECTORS, QStringLiteral("2008-03-05  09:41:27"),
                0x783C3C);
        c.Cell(IDB_WORLD_MAP, 13, 97);
        c.Stretch(IDB_ZONE_HIGHLIGHT_UTC_PLUS_9, QRect(150, 97, 40, 200));
    });
}

QImage FirmwareDialog() {
    return Window(398, 222, 1646, true, [](Canvas& c) {
        const int percent[5] = {100, 64, 0, 0, 0};
        const QString status[5] = {Text(IDS_DONE), QString(), QString(), Text(IDS_REQUEST_REFUSED), QString()};
        for (int r = 0; r < 5; ++r) {
            const int y = 19 + 23 * r;
            c.Cell(r < 2 ? IDB_CHECK_BOX_CHECKED : IDB_CHECK_BOX_NOT_CHECKED, 18, y - 1);
            c.Label(QRect(38, y, 78, 14), IDB_VALUE_FIELD_BEHIND_LABELS_SELECTORS,
                    Text(r < 3 ? IDS_LOADER + unsigned(r) : IDS_KERNEL + unsigned(r)), 0x783C3C);
            c.Progress(IDB_FIRMWARE_ROW_PROGRESS_GROOVE, IDB_FIRMWARE_ROW_PROGRESS_FILL, 94, y, 140, percent[r]);
            c.Label(QRect(243, y, 132, 14), IDB_VALUE_FIELD_BEHIND_LABELS_SELECTORS, status[r], 0x783C3C);
        }
        c.Cell(IDB_FIRMWARE_UPGRADE_STATUS_STRIP, 19, 155);
        c.Caption(QRect(19, 155, 342, 22), Text(IDS_SENDING_THE_IMAGE), 0xFFFFFF);
        c.TextButton(IDB_FIRMWARE_UPGRADE_START_STOP_CLOSE, 220, 187, 0, Text(IDS_STOP), kBoxColours);
        c.TextButton(IDB_FIRMWARE_UPGRADE_START_STOP_CLOSE, 306, 187, 3, Text(IDS_CLOSE), kBoxColours);
    });
}

QImage Popups() {
    return Window(354, 44 + 8 + 40, IDB_FULL_SCREEN_ARRANGE_BAR, true, [](Canvas& c) {
        for (int i = 0; i < 9; ++i) {
            c.Cell(IDB_SPLIT_ONE_TILE + unsigned(i), 4 + 34 * i, 4, i == 8 ? 1 : 0);
        }
        c.Cell(IDB_ARRANGE_BAR_LEAVE_FULL_SCREEN, 310, 4);
        c.Cell(IDB_BACKUP_PROGRESS_POPUP, 0, 52);
        c.Progress(IDB_BACKUP_PROGRESS_BAR_GROOVE, IDB_BACKUP_PROGRESS_BAR_FILL, 20, 52 + 11, 280, 50);
        c.Caption(QRect(20, 52 + 11, 280, 18), QStringLiteral("50.0 %"), 0x00FEFE);
        c.Cell(IDB_BACKUP_PROGRESS_STOP, 320, 52 + 6);
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
