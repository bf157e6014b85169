// Publishing a decoded picture into a channel's frame buffer gives the same rows as copying it and
// then reordering it in place the way each drawing mode does.
#include "media/PictureCopy.h"
#include "tests/support/PictureRows.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

std::vector<BYTE> Noise(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<BYTE> v(n);
    for (BYTE& b : v) {
        b = BYTE(rng());
    }
    return v;
}

constexpr std::size_t kBuffer = 720 * 576 * 3;

TEST(PublishPictureRows, RgbMatchesRowOrderThenLineDoubling) {
    for (const auto& [w, h] : {std::pair{704, 576}, std::pair{704, 480}, std::pair{352, 288}, std::pair{352, 240}}) {
        const std::size_t bytes = std::size_t(w) * h * 3;
        const std::vector<BYTE> decoded = Noise(bytes, unsigned(w + h));
        std::vector<BYTE> expected(bytes);
        CopyRowsForDib(decoded.data(), expected.data(), w, h);
        DeinterlaceRows(expected.data(), w, h, true, 0);
        if (h != 480 && h != 576) {
            // Other heights are only turned upside down.
            std::vector<BYTE> flipped(bytes);
            CopyRowsForDib(decoded.data(), flipped.data(), w, h);
            expected = flipped;
        }
        std::vector<BYTE> frame(kBuffer, 0xEE);
        PictureLayout layout;
        ASSERT_TRUE(PublishPictureRows(decoded.data(), decoded.size(), frame.data(), frame.size(), w, h,
                                       PictureFormat::Bgr24Dib, layout));
        EXPECT_EQ(0, std::memcmp(frame.data(), expected.data(), bytes)) << w << "x" << h;
        EXPECT_EQ(frame[bytes], 0xEE) << "nothing written past the picture";
        EXPECT_EQ(layout.format, PictureFormat::Bgr24Dib);
        EXPECT_EQ(layout.width, w);
        EXPECT_EQ(layout.height, h);
        EXPECT_FALSE(layout.firstFieldDoubled);
    }
}

TEST(PublishPictureRows, YuvKeepsTheFirstFieldDoubledInEveryPlane) {
    for (const auto& [w, h] : {std::pair{704, 576}, std::pair{704, 480}, std::pair{704, 288}, std::pair{352, 240}}) {
        const std::size_t bytes = PictureBytes(PictureFormat::Yuv420, w, h);
        const std::vector<BYTE> decoded = Noise(bytes, unsigned(w * h));
        std::vector<BYTE> expected = decoded;
        DoubleFirstField(expected.data(), w, h);
        std::vector<BYTE> frame(kBuffer, 0xEE);
        PictureLayout layout;
        ASSERT_TRUE(PublishPictureRows(decoded.data(), decoded.size(), frame.data(), frame.size(), w, h,
                                       PictureFormat::Yuv420, layout));
        EXPECT_EQ(0, std::memcmp(frame.data(), expected.data(), bytes)) << w << "x" << h;
        EXPECT_EQ(frame[bytes], 0xEE);
        EXPECT_EQ(layout.firstFieldDoubled, h == 480 || h == 576) << h;
    }
}

TEST(PublishPictureRows, RefusesWhatDoesNotFit) {
    const std::vector<BYTE> decoded(kBuffer, 1);
    std::vector<BYTE> frame(kBuffer, 0xEE);
    PictureLayout layout;
    // Larger than the frame buffer, odd sizes, a short source, nothing at all.
    EXPECT_FALSE(PublishPictureRows(decoded.data(), decoded.size(), frame.data(), frame.size(), 720, 578,
                                    PictureFormat::Bgr24Dib, layout));
    EXPECT_FALSE(PublishPictureRows(decoded.data(), decoded.size(), frame.data(), frame.size(), 703, 576,
                                    PictureFormat::Yuv420, layout));
    EXPECT_FALSE(
        PublishPictureRows(decoded.data(), 1000, frame.data(), frame.size(), 352, 288, PictureFormat::Yuv420, layout));
    EXPECT_FALSE(PublishPictureRows(nullptr, 0, frame.data(), frame.size(), 352, 288, PictureFormat::Yuv420, layout));
    EXPECT_EQ(frame[0], 0xEE);
}

} // namespace
