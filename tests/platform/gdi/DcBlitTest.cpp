#include "GdiTestUtil.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Gdi.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

// A memory context holding a bitmap made from an image.
struct Source {
    CBitmap bitmap;
    CDC dc;
    explicit Source(const QImage& image) {
        bitmap.Attach(GdiCreateBitmap(image));
        dc.CreateCompatibleDC(nullptr);
        dc.SelectObject(&bitmap);
    }
};

TEST(DcBlit, RasterOperationsCombineSourceAndDestinationPerChannel) {
    const COLORREF dst = RGB(0xF0, 0x0F, 0x55);
    const COLORREF src = RGB(0x3C, 0xFF, 0x0F);
    struct Case {
        DWORD rop;
        COLORREF expected;
    };
    const Case cases[] = {
        {SRCCOPY, src},
        {SRCAND, RGB(0xF0 & 0x3C, 0x0F & 0xFF, 0x55 & 0x0F)},
        {SRCPAINT, RGB(0xF0 | 0x3C, 0x0F | 0xFF, 0x55 | 0x0F)},
        {SRCINVERT, RGB(0xF0 ^ 0x3C, 0x0F ^ 0xFF, 0x55 ^ 0x0F)},
        {NOTSRCCOPY, RGB(0xFF - 0x3C, 0x00, 0xFF - 0x0F)},
        {DSTINVERT, RGB(0x0F, 0xF0, 0xAA)},
        {BLACKNESS, RGB(0, 0, 0)},
        {WHITENESS, RGB(255, 255, 255)},
    };
    Source source(Canvas(4, 4, src));
    for (const Case& c : cases) {
        QImage target = Canvas(8, 8, dst);
        CDC dc;
        ASSERT_TRUE(dc.AttachImage(&target));
        EXPECT_TRUE(dc.BitBlt(2, 2, 4, 4, &source.dc, 0, 0, c.rop));
        dc.ReleaseTarget();
        SCOPED_TRACE(c.rop);
        EXPECT_EQ(Px(target, 2, 2), c.expected);
        EXPECT_EQ(Px(target, 5, 5), c.expected);
        EXPECT_EQ(Px(target, 1, 1), dst); // outside the rectangle
        EXPECT_EQ(Px(target, 6, 6), dst);
        EXPECT_EQ(qAlpha(target.pixel(3, 3)), 255); // raster operations keep pixels opaque
    }
}

TEST(DcBlit, MaskThenImageBlitDrawsOnlyTheGlyph) {
    // The pair of blits that puts an icon over video: the mask is black where the glyph is, white
    // elsewhere; the image is the glyph on black.
    QImage mask = Canvas(2, 1, RGB(255, 255, 255));
    mask.setPixel(0, 0, qRgb(0, 0, 0));
    QImage image = Canvas(2, 1, RGB(0, 0, 0));
    image.setPixel(0, 0, qRgb(255, 0, 0));
    Source maskSrc(mask), imageSrc(image);
    QImage target = Canvas(2, 1, RGB(10, 200, 30));
    CDC dc;
    dc.AttachImage(&target);
    dc.BitBlt(0, 0, 2, 1, &maskSrc.dc, 0, 0, SRCAND);
    dc.BitBlt(0, 0, 2, 1, &imageSrc.dc, 0, 0, SRCPAINT);
    dc.ReleaseTarget();
    EXPECT_EQ(Px(target, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(Px(target, 1, 0), RGB(10, 200, 30));
}

TEST(DcBlit, SourceBeyondTheBitmapCopiesOnlyWhatLiesInside) {
    Source source(Canvas(10, 4, RGB(0, 0, 255)));
    QImage target = Canvas(20, 4, RGB(0, 255, 0));
    CDC dc;
    dc.AttachImage(&target);
    // Columns 6..15 of a 10-wide bitmap: only 6..9 exist.
    dc.BitBlt(0, 0, 10, 4, &source.dc, 6, 0, SRCCOPY);
    dc.ReleaseTarget();
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(Px(target, x, 1), RGB(0, 0, 255)) << x;
    for (int x = 4; x < 20; ++x)
        EXPECT_EQ(Px(target, x, 1), RGB(0, 255, 0)) << x;
}

TEST(DcBlit, StretchIsNearestPixelUnlessHalftone) {
    QImage checker = Canvas(2, 1, RGB(0, 0, 0));
    checker.setPixel(1, 0, qRgb(255, 255, 255));
    Source source(checker);

    QImage nearest = Canvas(8, 2);
    CDC dc;
    dc.AttachImage(&nearest);
    EXPECT_EQ(dc.SetStretchBltMode(COLORONCOLOR), BLACKONWHITE);
    dc.StretchBlt(0, 0, 8, 2, &source.dc, 0, 0, 2, 1, SRCCOPY);
    dc.ReleaseTarget();
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(Px(nearest, x, 1), x < 4 ? RGB(0, 0, 0) : RGB(255, 255, 255)) << x;

    QImage smooth = Canvas(8, 2);
    dc.AttachImage(&smooth);
    dc.SetStretchBltMode(HALFTONE);
    dc.StretchBlt(0, 0, 8, 2, &source.dc, 0, 0, 2, 1, SRCCOPY);
    dc.ReleaseTarget();
    int between = 0;
    for (int x = 0; x < 8; ++x) {
        BYTE v = GetRValue(Px(smooth, x, 1));
        between += v > 20 && v < 235;
    }
    EXPECT_GT(between, 0);
}

TEST(DcBlit, OverlappingCopyWithinOneBitmapReadsTheOldPixels) {
    QImage strip = Canvas(6, 1);
    for (int x = 0; x < 6; ++x)
        strip.setPixel(x, 0, qRgb(x * 40, 0, 0));
    CBitmap bitmap;
    bitmap.Attach(GdiCreateBitmap(strip));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&bitmap);
    dc.BitBlt(1, 0, 5, 1, &dc, 0, 0, SRCCOPY); // shift right by one
    for (int x = 1; x < 6; ++x)
        EXPECT_EQ(dc.GetPixel(x, 0), RGB((x - 1) * 40, 0, 0)) << x;
}

TEST(DcBlit, BlitsFromAndToAPainterTargetUseItsBackingImage) {
    QImage backing = Canvas(20, 20, RGB(1, 2, 3));
    backing.setPixel(12, 11, qRgb(200, 100, 50));
    QPainter painter(&backing);
    painter.translate(10, 10); // a child drawn at (10, 10) of its window's back buffer
    CDC windowDc;
    ASSERT_TRUE(windowDc.AttachPainter(&painter, QRect(0, 0, 10, 10), &backing));
    EXPECT_EQ(windowDc.GetPixel(2, 1), RGB(200, 100, 50));
    EXPECT_EQ(windowDc.GetPixel(11, 1), CLR_INVALID); // outside the painted area

    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&windowDc, 4, 4);
    CDC mem;
    mem.CreateCompatibleDC(&windowDc);
    mem.SelectObject(&bitmap);
    mem.BitBlt(0, 0, 4, 4, &windowDc, 0, 0, SRCCOPY);
    EXPECT_EQ(mem.GetPixel(2, 1), RGB(200, 100, 50));

    mem.FillSolidRect(0, 0, 4, 4, RGB(9, 9, 9));
    windowDc.BitBlt(6, 6, 4, 4, &mem, 0, 0, SRCCOPY);
    windowDc.ReleaseTarget();
    painter.end();
    EXPECT_EQ(Px(backing, 17, 17), RGB(9, 9, 9));
    EXPECT_EQ(Px(backing, 15, 15), RGB(1, 2, 3));
}

} // namespace
