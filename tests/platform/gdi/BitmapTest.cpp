#include "GdiTestUtil.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Rgn.h"

#include <vector>

#include <gtest/gtest.h>

namespace {

BITMAPINFOHEADER Header(LONG w, LONG h, WORD bpp = 24) {
    BITMAPINFOHEADER bi{};
    bi.biSize = sizeof(bi);
    bi.biWidth = w;
    bi.biHeight = h;
    bi.biPlanes = 1;
    bi.biBitCount = bpp;
    bi.biCompression = BI_RGB;
    return bi;
}

TEST(Bitmap, CompatibleBitmapsAreBlackAndReportTheirSize) {
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(nullptr, 7, 3));
    BITMAP bm{};
    EXPECT_EQ(bitmap.GetBitmap(&bm), int(sizeof(BITMAP)));
    EXPECT_EQ(bm.bmWidth, 7);
    EXPECT_EQ(bm.bmHeight, 3);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_EQ(GdiBitmapImage(bitmap).pixel(6, 2), qRgb(0, 0, 0));
    struct Bad {
        int w, h;
    };
    for (Bad bad : {Bad{0, 5}, Bad{5, -1}, Bad{16385, 1}, Bad{16384, 4097}}) {
        CBitmap b;
        EXPECT_FALSE(b.CreateCompatibleBitmap(nullptr, bad.w, bad.h)) << bad.w << "x" << bad.h;
    }
}

TEST(Bitmap, DibImportAndExportKeepRowsUprightAtEveryPadding) {
    for (LONG width = 1; width <= 5; ++width) {
        const LONG height = 3;
        const std::size_t stride = (std::size_t(width) * 3 + 3) / 4 * 4;
        std::vector<BYTE> bits(stride * height, 0xEE); // padding must not matter
        for (LONG row = 0; row < height; ++row)
            for (LONG x = 0; x < width; ++x) {
                BYTE* p = &bits[stride * row + 3 * x];
                p[0] = BYTE(10 * x);   // blue
                p[1] = BYTE(50 * row); // green: row 0 is the bottom row
                p[2] = 200;            // red
            }
        BITMAPINFOHEADER bi = Header(width, height);
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.Attach(CreateDIBitmapChecked(bi, bits.data(), bits.size())));
        QImage image = GdiBitmapImage(bitmap);
        SCOPED_TRACE(width);
        EXPECT_EQ(Px(image, width - 1, height - 1), RGB(200, 0, BYTE(10 * (width - 1))));
        EXPECT_EQ(Px(image, 0, 0), RGB(200, 100, 0));

        BITMAPINFOHEADER out{};
        std::vector<BYTE> exported;
        ASSERT_TRUE(bitmap.GetDib24(&out, &exported));
        EXPECT_EQ(out.biWidth, width);
        EXPECT_EQ(out.biHeight, height);
        EXPECT_EQ(out.biBitCount, 24);
        ASSERT_EQ(exported.size(), bits.size());
        for (LONG row = 0; row < height; ++row) {
            for (std::size_t i = 0; i < std::size_t(width) * 3; ++i)
                EXPECT_EQ(exported[stride * row + i], bits[stride * row + i]);
            for (std::size_t i = std::size_t(width) * 3; i < stride; ++i)
                EXPECT_EQ(exported[stride * row + i], 0); // padding written as zeros
        }
    }
    // Negative height: rows top-down.
    BYTE topDown[2 * 4] = {0, 0, 255, 0, 255, 0, 0, 0};
    CBitmap td;
    ASSERT_TRUE(td.Attach(CreateDIBitmapChecked(Header(1, -2), topDown, sizeof topDown)));
    EXPECT_EQ(Px(GdiBitmapImage(td), 0, 0), RGB(255, 0, 0));
}

TEST(Bitmap, DibImportRefusesWhatItCannotHoldOrWhatIsShort) {
    std::vector<BYTE> bits(64, 0);
    struct Case {
        BITMAPINFOHEADER header;
        std::size_t size;
    };
    BITMAPINFOHEADER rle = Header(2, 2);
    rle.biCompression = BI_RLE8;
    const Case cases[] = {
        {Header(2, 2), 15},         // needs 16 bytes
        {Header(0, 2), 64},         // empty
        {Header(2, 0), 64},         // empty
        {Header(20000, 1), 64},     // side beyond the limit
        {Header(16384, 16384), 64}, // beyond 64 megapixels
        {Header(2, 2, 8), 64},      // palettes are not DIB sections here
        {rle, 64},                  // compressed
        {Header(2, -16385), 64},    // beyond the limit, top-down
    };
    for (const Case& c : cases)
        EXPECT_EQ(CreateDIBitmapChecked(c.header, bits.data(), c.size), nullptr)
            << c.header.biWidth << "x" << c.header.biHeight;
}

// The picture control's call for a TIFF picture: with CBM_INIT the bits are taken as the checked
// variant takes them; without it the bitmap has the size and stays black.
TEST(Bitmap, CreateDIBitmapCopiesTheBitsOnlyWithInit) {
    const LONG width = 3;
    const LONG height = 2;
    std::vector<BYTE> bits(12 * height, 0);
    for (std::size_t i = 0; i < bits.size(); i += 3) {
        bits[i] = 40;      // blue
        bits[i + 1] = 90;  // green
        bits[i + 2] = 220; // red
    }
    const BITMAPINFOHEADER bi = Header(width, height);
    CBitmap withInit;
    ASSERT_TRUE(withInit.Attach(CreateDIBitmap(nullptr, &bi, CBM_INIT, bits.data(), nullptr, DIB_RGB_COLORS)));
    const QImage picture = GdiBitmapImage(withInit);
    ASSERT_EQ(picture.size(), QSize(3, 2));
    EXPECT_EQ(Px(picture, 2, 1), RGB(220, 90, 40));
    CBitmap withoutInit;
    ASSERT_TRUE(withoutInit.Attach(CreateDIBitmap(nullptr, &bi, 0, bits.data(), nullptr, DIB_RGB_COLORS)));
    EXPECT_EQ(Px(GdiBitmapImage(withoutInit), 2, 1), RGB(0, 0, 0));
    EXPECT_EQ(CreateDIBitmap(nullptr, nullptr, CBM_INIT, bits.data(), nullptr, DIB_RGB_COLORS), nullptr);
}

TEST(Bitmap, ResourceLoaderSuppliesBitmapsById) {
    CBitmap::SetResourceLoader(
        [](UINT id) -> HBITMAP { return id == 1500 ? GdiCreateBitmap(Canvas(86, 58, RGB(1, 2, 3))) : nullptr; });
    CBitmap skin, missing;
    EXPECT_TRUE(skin.LoadBitmap(1500));
    EXPECT_EQ(skin.GetSize().cx, 86);
    EXPECT_FALSE(missing.LoadBitmap(1501));
    EXPECT_EQ(missing.m_hObject, nullptr);
    CBitmap::SetResourceLoader(nullptr);
    CBitmap none;
    EXPECT_FALSE(none.LoadBitmap(1500));
}

TEST(Region, MaskRegionsAndCombinations) {
    // A mask: white outside, anything else inside.
    QImage mask = Canvas(6, 3, RGB(255, 255, 255));
    mask.setPixel(1, 0, qRgb(0, 0, 0));
    mask.setPixel(2, 0, qRgb(10, 10, 10));
    mask.setPixel(5, 2, qRgb(0, 0, 0)); // a run that reaches the right edge
    CBitmap bitmap;
    bitmap.Attach(GdiCreateBitmap(mask));
    CRgn shape;
    ASSERT_TRUE(shape.CreateFromMask(bitmap, RGB(255, 255, 255)));
    EXPECT_TRUE(shape.PtInRegion(1, 0));
    EXPECT_TRUE(shape.PtInRegion(2, 0));
    EXPECT_TRUE(shape.PtInRegion(5, 2));
    EXPECT_FALSE(shape.PtInRegion(3, 0));
    EXPECT_FALSE(shape.PtInRegion(0, 1));

    // The window minus its key-coloured corner pixels: key pixels XOR the client rectangle.
    CRgn keys, client, window;
    keys.CreateFromMask(bitmap, RGB(255, 255, 255));
    client.CreateRectRgn(0, 0, 6, 3);
    window.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(window.CombineRgn(&keys, &client, RGN_XOR), COMPLEXREGION);
    EXPECT_FALSE(window.PtInRegion(1, 0));
    EXPECT_TRUE(window.PtInRegion(0, 0));
    EXPECT_FALSE(window.PtInRegion(6, 0));
    CRgn one;
    one.CreateRectRgn(2, 2, 3, 3);
    EXPECT_EQ(window.CombineRgn(&one, nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_EQ(window.CombineRgn(&one, &client, RGN_DIFF), NULLREGION);
    EXPECT_EQ(window.CombineRgn(&one, &client, 99), ERROR);
}

} // namespace
