#include "res/gen/BackdropPainter.h"

#include "res/SkinTable.h"
#include "res/gen/GlyphPainter.h"
#include "res/gen/SkinDraw.h"
#include "res/gen/SkinPalette.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr int kFaceWidth = 928;
constexpr int kFaceHeight = 698;

// Places on the face that the main window fills with its controls.
const QRect kVideo(53, 72, 815, 548);
const QRect kClockPanel(56, 637, 137, 43);
const QRect kLogo(710, 23, 139, 34);

void Border(QImage& image, QPainter& p, int radius, QRgb key) {
    CSkinDraw::Outline(p, image.rect(), pal::ChromeEdge);
    p.end();
    CSkinDraw::CutCorners(image, image.rect(), radius, key);
}

// A light dialog body with a navy band on top and an outline.
void DialogBody(QPainter& p, const QRect& r, int band) {
    CSkinDraw::FillVertical(p, r, pal::Steel0, pal::Steel1);
    if (band > 0) {
        CSkinDraw::Fill(p, QRect(r.left(), r.top(), r.width(), band), pal::Chrome);
        CSkinDraw::HLine(p, r.left(), r.right(), r.top() + 1, pal::ChromeLine);
        CSkinDraw::HLine(p, r.left(), r.right(), r.top() + band - 1, pal::Cyan);
    }
}

void Separator(QPainter& p, int x0, int x1, int y) {
    CSkinDraw::HLine(p, x0, x1, y, pal::Steel3);
    CSkinDraw::HLine(p, x0, x1, y + 1, 0xFFFFFFFF);
}

void Recess(QPainter& p, const QRect& r, QRgb fill) {
    CSkinDraw::Fill(p, r, fill);
    CSkinDraw::HLine(p, r.left(), r.right(), r.top(), pal::Steel4);
    CSkinDraw::VLine(p, r.left(), r.top(), r.bottom(), pal::Steel4);
    CSkinDraw::HLine(p, r.left(), r.right(), r.bottom(), 0xFFFFFFFF);
    CSkinDraw::VLine(p, r.right(), r.top(), r.bottom(), 0xFFFFFFFF);
}

// Page pieces.
void PageBase(QPainter& p) {
    CSkinDraw::Fill(p, QRect(0, 0, 403, 417), pal::Steel0);
}

void HeaderBand(QPainter& p, int height) {
    CSkinDraw::Fill(p, QRect(0, 0, 403, height), pal::Steel1);
    CSkinDraw::HLine(p, 0, 402, height, pal::Steel3);
}

void BottomBar(QPainter& p) {
    CSkinDraw::Fill(p, QRect(0, 392, 403, 25), pal::Steel1);
    CSkinDraw::HLine(p, 0, 402, 391, pal::Steel3);
}

void Rows(QPainter& p, int top, int bottom, int pitch = 23) {
    for (int y = top, i = 0; y < bottom; y += pitch, ++i) {
        if (i % 2 == 1) {
            CSkinDraw::Fill(p, QRect(1, y, 401, std::min(pitch, bottom - y)), pal::RowTint);
        }
    }
}

void GroupBand(QPainter& p, int top) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(pal::Steel3), 1.0));
    p.setBrush(QColor(pal::RowTint));
    p.drawRoundedRect(QRectF(3.5, top + 0.5, 395, 25), 4, 4);
    p.restore();
}

void PageOutline(QPainter& p) {
    CSkinDraw::Outline(p, QRect(0, 0, 403, 417), pal::Steel3);
}

void Calendar(QPainter& p, bool titled) {
    PageBase(p);
    if (titled) {
        HeaderBand(p, 28);
    }
    CSkinDraw::Fill(p, QRect(1, 86, 401, 19), pal::Steel1);
    CSkinDraw::HLine(p, 1, 401, 85, pal::Steel3);
    CSkinDraw::HLine(p, 1, 401, 105, pal::Steel3);
    for (int row = 0; row < 6; ++row) {
        for (int col = 0; col < 7; ++col) {
            const QRect cell(4 + 57 * col, 107 + 30 * row, 52, 25);
            p.save();
            p.setRenderHint(QPainter::Antialiasing, true);
            p.setPen(QPen(QColor(pal::Steel2), 1.0));
            p.setBrush(QColor(pal::Steel1));
            p.drawRoundedRect(QRectF(cell).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
            p.restore();
        }
    }
    BottomBar(p);
}

void Timeline(QPainter& p) {
    PageBase(p);
    const QRect chart(113, 70, 289, 305);
    // Left of the chosen time the chart shows this quieter copy of the grid.
    CSkinDraw::Fill(p, chart, pal::Steel1);
    for (int n = 0; n < 16; ++n) {
        const int y = 70 + 19 * n;
        if (n % 2 == 1) {
            CSkinDraw::Fill(p, QRect(4, y, 108, 19), pal::RowTint);
        }
        CSkinDraw::HLine(p, 113, 401, y, pal::Steel2);
    }
    for (int hour = 0; hour <= 24; ++hour) {
        const int x = 113 + hour * 12;
        CSkinDraw::VLine(p, x, 64, hour % 3 == 0 ? 69 : 67, pal::Steel4);
        if (hour % 3 == 0) {
            CSkinDraw::Caption(p, QRect(x - 12, 52, 24, 11), QString::number(hour), pal::SlateText, 9);
        }
    }
    CSkinDraw::Outline(p, chart.adjusted(-1, -1, 1, 1), pal::Steel4);
    CSkinDraw::HLine(p, 4, 401, 378, pal::Steel2);
    BottomBar(p);
}

void Schedule(QPainter& p) {
    PageBase(p);
    CSkinDraw::Fill(p, QRect(1, 8, 401, 20), pal::Steel1);
    for (int hour = 0; hour < 24; ++hour) {
        const QRect label(4, 30 + 15 * hour, 44, 15);
        if (hour % 2 == 1) {
            CSkinDraw::Fill(p, label, pal::RowTint);
        }
        CSkinDraw::Caption(p, label.adjusted(0, 0, -4, 0), QString::asprintf("%02d", hour), pal::SlateText, 10,
                           Qt::AlignRight | Qt::AlignVCenter);
    }
    CSkinDraw::HLine(p, 52, 402, 29, pal::Steel4);
    CSkinDraw::VLine(p, 52, 29, 390, pal::Steel4);
    BottomBar(p);
}

void ChannelBand(QPainter& p) {
    CSkinDraw::Fill(p, QRect(0, 0, 403, 61), pal::Steel1);
    CSkinDraw::HLine(p, 0, 402, 61, pal::Steel3);
}

void EditorFrame(QPainter& p, const QRect& area) {
    const QRect frame = area.adjusted(-2, -2, 2, 2);
    CSkinDraw::Fill(p, frame, pal::Steel2);
    CSkinDraw::Outline(p, frame, pal::Steel4);
    CSkinDraw::Fill(p, area, pal::Video);
}

QImage Page(const SkinRow& row) {
    QImage image(row.cellWidth, row.height, QImage::Format_RGB32);
    QPainter p(&image);
    PageBase(p);
    switch (row.variant) {
    case backdrop::PageRows:
        Rows(p, 4, 391);
        BottomBar(p);
        break;
    case backdrop::PageColumns:
        Rows(p, 27, 391);
        HeaderBand(p, 25);
        BottomBar(p);
        break;
    case backdrop::PageNames:
        Rows(p, 4, 416);
        break;
    case backdrop::PageCaptions:
        Rows(p, 4, 391);
        BottomBar(p);
        break;
    case backdrop::PageModes:
        Rows(p, 27, 165);
        HeaderBand(p, 25);
        BottomBar(p);
        break;
    case backdrop::PageGroups4:
        HeaderBand(p, 25);
        for (int k = 0; k < 4; ++k) {
            GroupBand(p, 62 + 92 * k);
        }
        BottomBar(p);
        break;
    case backdrop::PageGroups8:
        HeaderBand(p, 25);
        for (int k = 0; k < 2; ++k) {
            GroupBand(p, 108 + 184 * k);
        }
        BottomBar(p);
        break;
    case backdrop::PagePlain:
        BottomBar(p);
        break;
    case backdrop::PageOpen:
        HeaderBand(p, 25);
        Rows(p, 27, 73);
        BottomBar(p);
        break;
    case backdrop::PageMotion:
        ChannelBand(p);
        EditorFrame(p, QRect(21, 72, 360, 288));
        BottomBar(p);
        break;
    case backdrop::PageRegion:
        ChannelBand(p);
        EditorFrame(p, QRect(25, 92, 356, 244));
        BottomBar(p);
        break;
    case backdrop::PagePreset:
        ChannelBand(p);
        Rows(p, 72, 165);
        BottomBar(p);
        break;
    case backdrop::PageSchedule:
        Schedule(p);
        break;
    case backdrop::PageCalendar:
        Calendar(p, false);
        break;
    case backdrop::PageBackupCalendar:
        Calendar(p, true);
        break;
    case backdrop::PageTimeline:
        Timeline(p);
        break;
    case backdrop::PageTimeServer:
        HeaderBand(p, 25);
        Rows(p, 27, row.id == 1809 ? 119 : 50);
        BottomBar(p);
        break;
    case backdrop::PageCity:
        HeaderBand(p, 25);
        Rows(p, 27, 73);
        EditorFrame(p, QRect(13, 97, 380, 200));
        BottomBar(p);
        break;
    default:
        break;
    }
    PageOutline(p);
    return image;
}

QImage Dialog(const SkinRow& row) {
    QImage image(row.cellWidth, row.height, QImage::Format_RGB32);
    image.fill(pal::Steel1);
    QPainter p(&image);
    const QRect all = image.rect();
    switch (row.variant) {
    case backdrop::Frame: {
        CSkinDraw::Fill(p, all, pal::Steel1);
        CSkinDraw::Fill(p, QRect(0, 0, 618, 66), pal::Chrome);
        CSkinDraw::HLine(p, 0, 617, 1, pal::ChromeLine);
        CSkinDraw::HLine(p, 0, 617, 65, pal::ChromeEdge);
        CSkinDraw::Caption(p, QRect(380, 18, 185, 30), QStringLiteral("KELO1000"), qRgb(0x6F, 0x88, 0xB4), 18,
                           Qt::AlignRight | Qt::AlignVCenter);
        Recess(p, QRect(13, 73, 176, 432), pal::Steel2);
        Recess(p, QRect(196, 82, 405, 419), pal::Steel0);
        CSkinDraw::Fill(p, QRect(1, 509, 616, 36), pal::Steel1);
        Separator(p, 1, 616, 508);
        Border(image, p, 10, pal::Transparent);
        return image;
    }
    case backdrop::MenuPanel:
        CSkinDraw::Fill(p, all, pal::Steel2);
        CSkinDraw::Outline(p, all, pal::Steel4);
        return image;
    case backdrop::MessageBox:
        DialogBody(p, all, 9);
        Separator(p, 1, 306, 95);
        Border(image, p, 8, pal::Transparent);
        return image;
    case backdrop::Firmware:
        DialogBody(p, all, 0);
        Recess(p, QRect(8, 8, 382, 134), pal::Steel0);
        for (int r = 0; r < 6; ++r) {
            if (r % 2 == 1) {
                CSkinDraw::Fill(p, QRect(9, 15 + 23 * r, 380, 23), pal::RowTint);
            }
        }
        Separator(p, 1, 396, 181);
        Border(image, p, 8, pal::Transparent);
        return image;
    case backdrop::Connect:
        DialogBody(p, all, 9);
        CSkinDraw::Fill(p, QRect(1, 10, 354, 131), pal::Steel1);
        Separator(p, 1, 354, 139);
        Border(image, p, 8, pal::Transparent);
        return image;
    case backdrop::Password:
        DialogBody(p, all, 9);
        CSkinDraw::Fill(p, QRect(1, 10, 354, 35), pal::Steel1);
        Separator(p, 1, 354, 45);
        Border(image, p, 8, pal::Transparent);
        return image;
    case backdrop::ConnectList:
        DialogBody(p, all, 0);
        Recess(p, QRect(9, 11, 416, 372), 0xFFFFFFFF);
        Separator(p, 1, 431, 386);
        Border(image, p, 8, pal::Transparent);
        return image;
    case backdrop::PtzPad: {
        CSkinDraw::Fill(p, all, pal::Chrome);
        CSkinDraw::HLine(p, 1, 145, 1, pal::ChromeLine);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(QColor(pal::ChromeLine), 1.0));
        p.setBrush(QColor(pal::Disc));
        p.drawEllipse(QPointF(74.5, 100.5), 57.5, 57.5);
        p.setPen(QPen(QColor(pal::ChromeLow), 2.0));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(74.5, 100.5), 26.0, 26.0);
        p.setRenderHint(QPainter::Antialiasing, false);
        Border(image, p, 10, pal::Transparent);
        return image;
    }
    case backdrop::MenuPad:
        CSkinDraw::Fill(p, all, pal::Chrome);
        CSkinDraw::HLine(p, 1, 52, 1, pal::ChromeLine);
        CSkinDraw::Caption(p, QRect(0, 8, 54, 18), QString::fromUtf8(row.label != nullptr ? row.label : ""),
                           pal::PaleText, 11);
        CSkinDraw::HLine(p, 10, 43, 27, pal::ChromeLine);
        Border(image, p, 8, pal::Transparent);
        return image;
    case backdrop::Keypad:
        // Flat, so the keys' rounded corners blend in everywhere.
        CSkinDraw::Fill(p, all, pal::Steel1);
        Separator(p, 1, 318, 88);
        Separator(p, 1, 318, 157);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(QColor(pal::Steel4), 1.0));
        p.setBrush(QColor(0xFFFFFFFF));
        p.drawRoundedRect(QRectF(104.5, 168.5, 61, 27), 3, 3);
        p.setRenderHint(QPainter::Antialiasing, false);
        Border(image, p, 8, pal::Transparent);
        return image;
    case backdrop::ArrangeBar:
    case backdrop::ProgressPopup:
        CSkinDraw::Fill(p, all, pal::Chrome);
        CSkinDraw::HLine(p, 1, all.width() - 2, 1, pal::ChromeLine);
        Border(image, p, 8, pal::Transparent);
        return image;
    default:
        p.end();
        return Page(row);
    }
}

} // namespace

const QImage& CBackdropPainter::MainFace() {
    static const QImage face = [] {
        QImage image(kFaceWidth, kFaceHeight, QImage::Format_RGB32);
        image.fill(pal::Chrome);
        QPainter p(&image);
        CSkinDraw::FillVertical(p, QRect(0, 0, kFaceWidth, 18), pal::ChromeHigh, pal::Chrome);
        CSkinDraw::HLine(p, 1, kFaceWidth - 2, 1, pal::ChromeLine);
        CSkinDraw::FillVertical(p, QRect(0, 684, kFaceWidth, 14), pal::Chrome, pal::ChromeLow);
        // Video area, sunk into the face.
        CSkinDraw::Fill(p, kVideo, pal::Video);
        CSkinDraw::HLine(p, kVideo.left() - 1, kVideo.right() + 1, kVideo.top() - 1, pal::ChromeEdge);
        CSkinDraw::VLine(p, kVideo.left() - 1, kVideo.top() - 1, kVideo.bottom() + 1, pal::ChromeEdge);
        CSkinDraw::HLine(p, kVideo.left() - 1, kVideo.right() + 1, kVideo.bottom() + 1, pal::ChromeLine);
        CSkinDraw::VLine(p, kVideo.right() + 1, kVideo.top() - 1, kVideo.bottom() + 1, pal::ChromeLine);
        // Clock panel: its colour is the digit strips' background.
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(QColor(pal::LcdEdge), 1.0));
        p.setBrush(QColor(pal::Lcd));
        p.drawRoundedRect(QRectF(kClockPanel).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
        p.setRenderHint(QPainter::Antialiasing, false);
        // Product name where the logo file goes; the logo covers it when present.
        CSkinDraw::Caption(p, kLogo, QStringLiteral("KELO1000"), qRgb(0x8F, 0xA8, 0xD0), 20,
                           Qt::AlignRight | Qt::AlignVCenter);
        CSkinDraw::Outline(p, image.rect(), pal::ChromeEdge);
        CSkinDraw::Outline(p, image.rect().adjusted(1, 1, -1, -1), qRgb(0x22, 0x31, 0x50));
        p.end();
        CSkinDraw::CutCorners(image, image.rect(), 12, pal::RegionKey);
        return image;
    }();
    return face;
}

QImage CBackdropPainter::FaceSlice(const SkinRow& row) {
    return MainFace().copy(row.variant, row.tone, row.cellWidth, row.height);
}

QImage CBackdropPainter::Backdrop(const SkinRow& row) {
    return Dialog(row);
}

QImage CBackdropPainter::Plate(const SkinRow& row) {
    QImage image(row.cellWidth, row.height, QImage::Format_RGB32);
    image.fill(pal::Steel0);
    QPainter p(&image);
    const QRect all = image.rect();
    const int w = all.width();
    const int h = all.height();
    switch (row.variant) {
    case plate::Field:
        CSkinDraw::FillVertical(p, all, 0xFFFFFFFF, qRgb(0xEC, 0xF0, 0xF6));
        CSkinDraw::HLine(p, 0, w - 1, 0, pal::Steel2);
        CSkinDraw::HLine(p, 0, w - 1, h - 1, pal::Steel4);
        break;
    case plate::FieldGroup4:
        CSkinDraw::FillVertical(p, all, qRgb(0xEC, 0xF4, 0xFC), qRgb(0xD2, 0xE4, 0xF6));
        CSkinDraw::HLine(p, 0, w - 1, 0, qRgb(0x9C, 0xBF, 0xE0));
        CSkinDraw::HLine(p, 0, w - 1, h - 1, qRgb(0xB8, 0xD3, 0xEC));
        break;
    case plate::FieldGroup8:
        CSkinDraw::FillVertical(p, all, qRgb(0xEA, 0xF7, 0xF5), qRgb(0xCF, 0xEB, 0xE7));
        CSkinDraw::HLine(p, 0, w - 1, 0, qRgb(0x8F, 0xCB, 0xC2));
        CSkinDraw::HLine(p, 0, w - 1, h - 1, qRgb(0xB2, 0xDE, 0xD8));
        break;
    case plate::NoticeLine:
        CSkinDraw::FillVertical(p, all, pal::ButtonTop, pal::ButtonBottom);
        CSkinDraw::HLine(p, 0, w - 1, 0, pal::ButtonShine);
        CSkinDraw::HLine(p, 0, w - 1, h - 1, pal::ButtonEdge);
        break;
    case plate::DialogLabel:
        image.fill(pal::Steel1);
        CSkinDraw::Cap(p, all, 3.0, {pal::ButtonTop, pal::ButtonBottom, pal::ButtonEdge, pal::ButtonShine});
        CGlyphPainter::Draw(p, row.tone, QRectF(3, 2, 11, 11), pal::LightCyan);
        break;
    case plate::StatusArea:
        image.fill(pal::Steel1);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(QColor(pal::LcdEdge), 1.0));
        p.setBrush(QColor(pal::Lcd));
        p.drawRoundedRect(QRectF(all).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
        p.setRenderHint(QPainter::Antialiasing, false);
        CSkinDraw::HLine(p, 5, w - 6, 1, qRgb(0x1C, 0x2C, 0x47));
        break;
    case plate::TitleBand:
        CSkinDraw::Cap(p, all, 3.0, {pal::ButtonTop, pal::ButtonBottom, pal::ButtonEdge, pal::ButtonShine});
        CSkinDraw::HLine(p, 4, w - 5, h - 2, pal::Cyan);
        break;
    case plate::RowBand:
        CSkinDraw::FillVertical(p, all, pal::RowTint, pal::Steel1);
        CSkinDraw::HLine(p, 0, w - 1, 0, 0xFFFFFFFF);
        CSkinDraw::HLine(p, 0, w - 1, h - 1, pal::Steel2);
        break;
    case plate::EventBand:
        CSkinDraw::Cap(p, all, 3.0,
                       {qRgb(0xEC, 0xF4, 0xFC), qRgb(0xDD, 0xEB, 0xF8), qRgb(0xB8, 0xD3, 0xEC), 0xFFFFFFFF});
        break;
    case plate::PlayStrip:
        image.fill(pal::Lcd);
        CSkinDraw::HLine(p, 0, w - 1, 0, pal::LcdEdge);
        CSkinDraw::HLine(p, 0, w - 1, h - 1, pal::LcdEdge);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(pal::GreenLamp));
        p.drawPolygon(QPolygonF(QList<QPointF>{{6, 3.5}, {12, 7}, {6, 10.5}}));
        p.setRenderHint(QPainter::Antialiasing, false);
        CSkinDraw::Caption(p, QRect(16, 0, 80, h), QStringLiteral("PLAYBACK"), pal::GreenLamp, 9,
                           Qt::AlignLeft | Qt::AlignVCenter);
        break;
    default:
        break;
    }
    return image;
}
