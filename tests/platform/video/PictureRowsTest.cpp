// Row reordering, line doubling and blending on whole pictures.

#include "tests/support/PictureRows.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

// Each row of a picture is filled with a code of its row number (two bytes, so 576 rows stay distinct).
Bytes RowCodedRgb(int w, int h) {
    Bytes pic(std::size_t(w) * h * 3);
    for (int row = 0; row < h; ++row) {
        for (int i = 0; i < w * 3; ++i) {
            pic[std::size_t(row) * w * 3 + i] = BYTE(i % 2 ? row >> 8 : row & 0xFF);
        }
    }
    return pic;
}

int RowCode(const Bytes& pic, int rowBytes, int row) {
    return pic[std::size_t(row) * rowBytes] | (pic[std::size_t(row) * rowBytes + 1] << 8);
}

TEST(PictureRows, CopyRowsTurnsPicturesUpsideDownAndInterleavesStackedFields) {
    struct Case {
        int height;
        bool fields;
    } cases[] = {{288, false}, {240, false}, {576, true}, {480, true}, {6, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.height);
        const int w = 4;
        const Bytes src = RowCodedRgb(w, c.height);
        Bytes dst(src.size(), 0xEE);
        CopyRowsForDib(src.data(), dst.data(), w, c.height);
        for (int i = 0; i < c.height; ++i) {
            int expected;
            if (!c.fields) {
                expected = c.height - 1 - i; // buffer row i holds picture row height - 1 - i
            } else {
                // Buffer row height - 1 - 2k holds first-field row k, height - 2 - 2k second-field row k.
                const int k = (c.height - 1 - i) / 2;
                expected = (c.height - 1 - i) % 2 == 0 ? k : c.height / 2 + k;
            }
            ASSERT_EQ(RowCode(dst, w * 3, i), expected) << "buffer row " << i;
        }
    }
}

TEST(PictureRows, DeinterlaceDoublesOrBlendsLinesInRgbAndInEveryYuvPlane) {
    const int w = 8;
    const int h = 6;
    // RGB: rows 0..5 filled with 10, 20, ..., 60.
    Bytes rgb(std::size_t(w) * h * 3);
    for (int row = 0; row < h; ++row) {
        std::fill_n(rgb.begin() + row * w * 3, w * 3, BYTE(10 * (row + 1)));
    }
    Bytes doubled = rgb;
    DeinterlaceRows(doubled.data(), w, h, true, 0);
    Bytes blended = rgb;
    DeinterlaceRows(blended.data(), w, h, true, 1);
    Bytes untouched = rgb;
    DeinterlaceRows(untouched.data(), w, h, true, 2);
    const int wantDoubled[] = {10, 10, 30, 30, 50, 50};
    const int wantBlended[] = {10, 20, 30, 40, 50, 60}; // (10+30)/2, (30+50)/2; the last odd row has no row below
    for (int row = 0; row < h; ++row) {
        EXPECT_EQ(doubled[row * w * 3 + 5], wantDoubled[row]);
        EXPECT_EQ(blended[row * w * 3 + 5], wantBlended[row]);
    }
    EXPECT_EQ(untouched, rgb);

    // Blending uses both neighbours, rounding down.
    Bytes uneven = {0, 0, 0, 9, 9, 9, 7, 7, 7};
    DeinterlaceRows(uneven.data(), 1, 3, true, 1);
    EXPECT_EQ(uneven[3], 3);

    // YUV: the Y plane, then both chroma planes, each on its own rows.
    const int yw = 4;
    const int yh = 4;
    Bytes yuv = {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, // Y
                 5, 5, 6, 6,                                     // U
                 7, 7, 8, 8};                                    // V
    DeinterlaceRows(yuv.data(), yw, yh, false, 0);
    const Bytes want = {1, 1, 1, 1, 1, 1, 1, 1, 3, 3, 3, 3, 3, 3, 3, 3, 5, 5, 5, 5, 7, 7, 7, 7};
    EXPECT_EQ(yuv, want);
}

TEST(PictureRows, DoubleFirstFieldKeepsTheUpperFieldInEveryPlane) {
    const int w = 4;
    for (int h : {480, 576, 288}) {
        SCOPED_TRACE(h);
        const std::size_t luma = std::size_t(w) * h;
        const std::size_t chroma = std::size_t(w / 2) * (h / 2);
        Bytes yuv(luma + 2 * chroma);
        for (int row = 0; row < h; ++row) {
            std::fill_n(yuv.begin() + row * w, w, BYTE(row));
        }
        for (int row = 0; row < h / 2; ++row) {
            std::fill_n(yuv.begin() + luma + row * (w / 2), w / 2, BYTE(row));
            std::fill_n(yuv.begin() + luma + chroma + row * (w / 2), w / 2, BYTE(200 - row));
        }
        const Bytes before = yuv;
        DoubleFirstField(yuv.data(), w, h);
        if (h == 288) {
            EXPECT_EQ(yuv, before);
            continue;
        }
        for (int row = 0; row < h; ++row) {
            ASSERT_EQ(yuv[row * w + 3], BYTE(row / 2)) << row;
        }
        for (int row = 0; row < h / 2; ++row) {
            ASSERT_EQ(yuv[luma + row * (w / 2) + 1], BYTE(row / 2)) << row;
            ASSERT_EQ(yuv[luma + chroma + row * (w / 2) + 1], BYTE(200 - row / 2)) << row;
        }
    }
}

} // namespace
