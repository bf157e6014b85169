#include "GdiTestUtil.h"

#include "platform/gdi/DibFile.h"
#include "platform/gdi/Gdi.h"

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

namespace {

void Put32(std::vector<BYTE>& v, std::size_t at, std::uint32_t x) {
    for (int i = 0; i < 4; ++i)
        v[at + i] = BYTE(x >> (8 * i));
}

// A .bmp file of `bpp` bits with the given palette (for <= 8 bits) and raw rows as stored.
std::vector<BYTE> Bmp(int width, int height, int bpp, const std::vector<std::uint32_t>& palette,
                      const std::vector<BYTE>& rows, DWORD compression = BI_RGB,
                      const std::vector<std::uint32_t>& masks = {}) {
    const std::size_t headers = 14 + 40 + masks.size() * 4 + palette.size() * 4;
    std::vector<BYTE> f(headers + rows.size(), 0);
    f[0] = 'B';
    f[1] = 'M';
    Put32(f, 2, std::uint32_t(f.size()));
    Put32(f, 10, std::uint32_t(headers));
    Put32(f, 14, 40);
    Put32(f, 18, std::uint32_t(width));
    Put32(f, 22, std::uint32_t(height));
    f[26] = 1;
    f[28] = BYTE(bpp);
    Put32(f, 30, compression);
    Put32(f, 46, std::uint32_t(palette.size()));
    std::size_t at = 54;
    for (std::uint32_t m : masks)
        Put32(f, at, m), at += 4;
    for (std::uint32_t c : palette)
        Put32(f, at, c), at += 4;
    std::memcpy(f.data() + at, rows.data(), rows.size());
    return f;
}

TEST(DibFile, DecodesEveryDepthUpright) {
    // Two rows, bottom-up: the stored first row is the picture's bottom row.
    struct Case {
        const char* name;
        std::vector<BYTE> file;
        COLORREF topLeft, bottomRight;
    };
    const std::vector<std::uint32_t> pal = {0x000000, 0xFF0000 /* red */, 0x00FF00, 0x0000FF};
    const Case cases[] = {
        {"1 bit", Bmp(3, 2, 1, {0x000000, 0xFFFFFF}, {0b00100000, 0, 0, 0, 0b10000000, 0, 0, 0}), RGB(255, 255, 255),
         RGB(255, 255, 255)},
        {"4 bit", Bmp(3, 2, 4, pal, {0x00, 0x20, 0, 0, 0x10, 0x00, 0, 0}), RGB(255, 0, 0), RGB(0, 255, 0)},
        {"8 bit", Bmp(3, 2, 8, pal, {0, 0, 3, 0, 1, 0, 0, 0}), RGB(255, 0, 0), RGB(0, 0, 255)},
        {"24 bit", Bmp(1, 2, 24, {}, {0, 0, 255, 0, 255, 0, 0, 0}), RGB(0, 0, 255), RGB(255, 0, 0)},
        {"32 bit", Bmp(1, 2, 32, {}, {255, 0, 0, 0, 0, 0, 255, 0}), RGB(255, 0, 0), RGB(0, 0, 255)},
        {"16 bit 5-5-5", Bmp(1, 2, 16, {}, {0x1F, 0x00, 0, 0, 0x00, 0x7C, 0, 0}), RGB(255, 0, 0), RGB(0, 0, 255)},
        {"16 bit 5-6-5", Bmp(1, 2, 16, {}, {0xE0, 0x07, 0, 0, 0x00, 0xF8, 0, 0}, BI_BITFIELDS, {0xF800, 0x07E0, 0x1F}),
         RGB(255, 0, 0), RGB(0, 255, 0)},
    };
    for (const Case& c : cases) {
        QImage image = DecodeBmp(c.file.data(), c.file.size());
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(Px(image, 0, 0), c.topLeft);
        EXPECT_EQ(Px(image, image.width() - 1, 1), c.bottomRight);
    }
}

TEST(DibFile, TopDownFilesKeepTheirOrder) {
    std::vector<BYTE> f = Bmp(1, 2, 24, {}, {0, 0, 255, 0, 255, 0, 0, 0});
    Put32(f, 22, std::uint32_t(-2));
    QImage image = DecodeBmp(f.data(), f.size());
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(Px(image, 0, 0), RGB(255, 0, 0));
}

TEST(DibFile, RefusesDamagedOrExcessiveFiles) {
    const std::vector<BYTE> good = Bmp(2, 2, 24, {}, std::vector<BYTE>(16, 7));
    ASSERT_FALSE(DecodeBmp(good.data(), good.size()).isNull());
    struct Case {
        const char* name;
        std::size_t at;
        std::uint32_t value;
        int width; // 4 bytes written at `at`, or 2 when width is 2
    };
    const Case cases[] = {
        {"magic", 0, 0x4D43, 2},
        {"header size", 14, 12, 4},
        {"zero width", 18, 0, 4},
        {"negative width", 18, std::uint32_t(-2), 4},
        {"wide", 18, 20000, 4},
        {"many pixels", 18, 16384, 4},
        {"tall", 22, 16385, 4},
        {"most negative height", 22, 0x80000000u, 4},
        {"planes", 26, 2, 2},
        {"depth", 28, 7, 2},
        {"compressed", 30, BI_RLE8, 4},
        {"pixels past the end", 10, 60, 4},
        {"offset past the end", 10, 0x7FFFFFFF, 4},
    };
    for (const Case& c : cases) {
        std::vector<BYTE> f = good;
        if (c.width == 2) {
            f[c.at] = BYTE(c.value);
            f[c.at + 1] = BYTE(c.value >> 8);
        } else {
            Put32(f, c.at, c.value);
        }
        if (std::string(c.name) == "many pixels")
            Put32(f, 22, 4097);
        EXPECT_TRUE(DecodeBmp(f.data(), f.size()).isNull()) << c.name;
    }
    for (std::size_t cut : {std::size_t(0), std::size_t(13), std::size_t(53), good.size() - 1})
        EXPECT_TRUE(DecodeBmp(good.data(), cut).isNull()) << cut;
    // A palette index beyond the palette is black, not a read past it.
    std::vector<BYTE> shortPalette = Bmp(1, 1, 8, {0xFFFFFF}, {5, 0, 0, 0});
    QImage image = DecodeBmp(shortPalette.data(), shortPalette.size());
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(Px(image, 0, 0), RGB(0, 0, 0));
}

} // namespace
