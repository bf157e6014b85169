#include "controls/SkinHelper.h"
#include "controls/MemDC.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/DrawRecorder.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiQt.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

constexpr QRgb kBack = 0xFF102030u;

QRgb Column(int x) {
    return qRgb(x, 255 - x, 7);
}

// A strip whose every column has its own colour.
HBITMAP Strip(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, Column(x));
    return GdiCreateBitmap(image);
}

struct Target {
    QImage image{100, 30, QImage::Format_RGB32};
    CDC dc;
    Target() {
        image.fill(kBack);
        dc.AttachImage(&image);
    }
    const QImage& Done() {
        dc.ReleaseTarget();
        return image;
    }
};

TEST(SkinHelper, CellOfAStripIsCopiedUnscaledFromCellTimesWidth) {
    CBitmap strip;
    strip.Attach(Strip(160, 10));
    Target t;
    CSkinHelper::DrawBitmap(&t.dc, strip, 10, 5, 50, 15, FALSE, 2);
    const QImage& img = t.Done();
    for (int i = 0; i < 40; ++i)
        for (int y = 5; y < 15; ++y)
            ASSERT_EQ(img.pixel(10 + i, y), Column(80 + i)) << i << "," << y; // source columns 80-119
    EXPECT_EQ(img.pixel(9, 5), kBack);
    EXPECT_EQ(img.pixel(50, 5), kBack);
    EXPECT_EQ(img.pixel(10, 4), kBack);
    EXPECT_EQ(img.pixel(10, 15), kBack);
    EXPECT_EQ(GetObjectType(strip), OBJ_BITMAP); // the caller's bitmap is left alone
}

TEST(SkinHelper, StretchedDrawScalesTheWholeBitmap) {
    QImage quad(4, 2, QImage::Format_RGB32);
    const QRgb colours[4] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            quad.setPixel(x, y, colours[(x / 2) + 2 * y]);
    CBitmap bitmap;
    bitmap.Attach(GdiCreateBitmap(quad));
    Target t;
    t.dc.SetStretchBltMode(COLORONCOLOR);
    CSkinHelper::DrawBitmap(&t.dc, bitmap, 20, 0, 60, 20, TRUE, 7); // the index plays no part
    const QImage& img = t.Done();
    EXPECT_EQ(img.pixel(20, 0), colours[0]);
    EXPECT_EQ(img.pixel(39, 9), colours[0]);
    EXPECT_EQ(img.pixel(40, 0), colours[1]);
    EXPECT_EQ(img.pixel(59, 9), colours[1]);
    EXPECT_EQ(img.pixel(20, 10), colours[2]);
    EXPECT_EQ(img.pixel(59, 19), colours[3]);
    EXPECT_EQ(img.pixel(60, 10), kBack);
    EXPECT_EQ(img.pixel(19, 10), kBack);
}

TEST(SkinHelper, NothingIsDrawnForAMissingBitmapOrACellBeyondTheStrip) {
    CBitmap strip;
    strip.Attach(Strip(160, 10));
    HBITMAP gone = Strip(40, 10);
    DeleteObject(gone);
    Target t;
    CSkinHelper::DrawBitmap(&t.dc, nullptr, 0, 0, 40, 10, FALSE, 0);
    CSkinHelper::DrawBitmap(&t.dc, gone, 0, 0, 40, 10, TRUE, 0);
    CSkinHelper::DrawBitmap(&t.dc, strip, 0, 0, 40, 10, FALSE, 4); // cells 0-3 only
    CSkinHelper::DrawBitmap(nullptr, strip, 0, 0, 40, 10, FALSE, 0);
    const QImage& img = t.Done();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(img.pixel(x, y), kBack) << x << "," << y;
}

TEST(SkinHelper, DrawingIsRecordedAsOneBlitOfTheCell) {
    CBitmap strip;
    strip.Attach(Strip(160, 10));
    CDrawRecorder rec;
    CDrawRecorder::ThreadCapture capture(rec);
    Target t;
    CSkinHelper::DrawBitmap(&t.dc, strip, 0, 0, 40, 10, FALSE, 3);
    auto blits = rec.Of(DrawRecord::Op::Blt);
    ASSERT_EQ(blits.size(), 1u);
    EXPECT_EQ(blits[0].bitmap, static_cast<HBITMAP>(strip));
    EXPECT_EQ(blits[0].src.left, 120);
    EXPECT_EQ(blits[0].src.right, 160);
    EXPECT_EQ(blits[0].rect.right, 40);
}

TEST(MemDC, DrawsOffScreenAndCopiesTheClipBoxBackAtTheSameCoordinates) {
    QImage backing(60, 60, QImage::Format_RGB32);
    backing.fill(kBack);
    QPainter painter(&backing);
    CDC windowDc;
    windowDc.AttachPainter(&painter, QRect(10, 20, 30, 20), &backing); // the area being painted
    {
        CMemDC mem(&windowDc);
        RECT box{};
        mem.GetClipBox(&box);
        EXPECT_EQ(box.left, 10);
        EXPECT_EQ(box.top, 20);
        EXPECT_EQ(box.right, 40);
        EXPECT_EQ(box.bottom, 40);
        mem.FillSolidRect(0, 0, 60, 60, RGB(0, 0, 0));
        mem.FillSolidRect(15, 25, 2, 2, RGB(255, 255, 255));
        EXPECT_EQ(mem.GetPixel(15, 25), RGB(255, 255, 255));
        EXPECT_EQ(backing.pixel(15, 25), kBack); // not on screen yet
    }
    windowDc.ReleaseTarget();
    painter.end();
    EXPECT_EQ(backing.pixel(15, 25), qRgb(255, 255, 255));
    EXPECT_EQ(backing.pixel(10, 20), qRgb(0, 0, 0));
    EXPECT_EQ(backing.pixel(39, 39), qRgb(0, 0, 0));
    EXPECT_EQ(backing.pixel(9, 20), kBack); // outside the clip box nothing changed
    EXPECT_EQ(backing.pixel(40, 39), kBack);
    EXPECT_EQ(backing.pixel(20, 40), kBack);
}

TEST(MemDC, KeepsTheTargetsMapping) {
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(kBack);
    CDC dc;
    dc.AttachImage(&image);
    dc.SetWindowOrg(-5, -5); // logical (0, 0) is pixel (5, 5)
    dc.IntersectClipRect(0, 0, 10, 10);
    {
        CMemDC mem(&dc);
        mem.FillSolidRect(0, 0, 1, 1, RGB(255, 0, 0));
        mem.FillSolidRect(9, 9, 1, 1, RGB(0, 255, 0));
    }
    dc.ReleaseTarget();
    EXPECT_EQ(image.pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(14, 14), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(4, 4), kBack);
}

TEST(MemDC, PrintingContextsAreDrawnDirectly) {
    QImage page(20, 20, QImage::Format_RGB32);
    page.fill(kBack);
    CDC printer;
    printer.AttachImage(&page);
    printer.m_bPrinting = TRUE;
    {
        CMemDC mem(&printer);
        EXPECT_TRUE(mem.IsPrinting());
        mem.FillSolidRect(1, 1, 2, 2, RGB(0, 0, 255));
        EXPECT_EQ(printer.GetPixel(1, 1), RGB(0, 0, 255));
    }
    printer.FillSolidRect(5, 5, 1, 1, RGB(255, 0, 0)); // the printer context still works after
    printer.ReleaseTarget();
    EXPECT_EQ(page.pixel(5, 5), qRgb(255, 0, 0));
}

} // namespace
