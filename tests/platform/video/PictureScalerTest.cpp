// Drawing a decoded picture into a 32-bit image rectangle: which columns, lines and field are shown,
// colours, scaling to tile and full-screen sizes, and that nothing outside the rectangle is touched.

#include "platform/video/PictureScaler.h"
#include "tests/support/PictureRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

struct Rgb {
    BYTE r, g, b;
};

// Shown-area markers and their planar 4:2:0 levels (BT.601, limited range).
enum class Mark { White, Black, Grey, OtherField };

struct Yuv {
    BYTE y, u, v;
};

Yuv YuvOf(Mark m) {
    switch (m) {
    case Mark::White:
        return {235, 128, 128};
    case Mark::Black:
        return {16, 128, 128};
    case Mark::Grey:
        return {128, 128, 128};
    case Mark::OtherField:
        return {81, 90, 240}; // red
    }
    return {};
}

Rgb RgbOf(Mark m) {
    switch (m) {
    case Mark::White:
        return {255, 255, 255};
    case Mark::Black:
        return {0, 0, 0};
    case Mark::Grey:
        return {128, 128, 128};
    case Mark::OtherField:
        return {255, 0, 0};
    }
    return {};
}

// A picture as the decoder gives it: top row first, fields stacked for 480 and 576 lines. The
// painter is asked per pixel (row, column) of the whole picture.
template <typename Painter>
Bytes MakeYuvPicture(int w, int h, Painter paint) {
    Bytes pic(std::size_t(w) * h * 3 / 2);
    BYTE* u = pic.data() + w * h;
    BYTE* v = u + (w / 2) * (h / 2);
    for (int row = 0; row < h; ++row) {
        for (int col = 0; col < w; ++col) {
            const Yuv c = YuvOf(paint(row, col));
            pic[row * w + col] = c.y;
            if (!(row & 1) && !(col & 1)) {
                u[(row / 2) * (w / 2) + col / 2] = c.u;
                v[(row / 2) * (w / 2) + col / 2] = c.v;
            }
        }
    }
    return pic;
}

template <typename Painter>
Bytes MakeRgbPicture(int w, int h, Painter paint) {
    Bytes pic(std::size_t(w) * h * 3);
    for (int row = 0; row < h; ++row) {
        for (int col = 0; col < w; ++col) {
            const Rgb c = RgbOf(paint(row, col));
            BYTE* p = &pic[(std::size_t(row) * w + col) * 3];
            p[0] = c.b;
            p[1] = c.g;
            p[2] = c.r;
        }
    }
    return pic;
}

// What the RGB drawing path holds: the decoder's rows in bitmap order and, for two fields, doubled.
Bytes ToDib(const Bytes& topDown, int w, int h, bool deinterlace = true) {
    Bytes dib(topDown.size());
    CopyRowsForDib(topDown.data(), dib.data(), w, h);
    if (deinterlace && HasStackedFields(h)) {
        DeinterlaceRows(dib.data(), w, h, true, 0);
    }
    return dib;
}

// A 32-bit image with a guard band around the target rectangle, prefilled so that any pixel the
// drawing writes outside the rectangle, or fails to write inside it, shows.
class Canvas {
public:
    static constexpr int kGuard = 5;
    static constexpr DWORD kSentinel = 0x12345678;

    Canvas(int w, int h)
        : m_w(w), m_h(h), m_stride((w + 2 * kGuard) * 4), m_pixels((h + 2 * kGuard) * (w + 2 * kGuard), kSentinel) {}

    VideoTarget Target() {
        return VideoTarget{reinterpret_cast<BYTE*>(&m_pixels[kGuard * (m_w + 2 * kGuard) + kGuard]), m_stride, m_w,
                           m_h};
    }
    DWORD At(int x, int y) const { return m_pixels[(y + kGuard) * (m_w + 2 * kGuard) + x + kGuard]; }
    Rgb RgbAt(int x, int y) const {
        const DWORD p = At(x, y);
        return {BYTE(p >> 16), BYTE(p >> 8), BYTE(p)};
    }
    int GuardPixelsChanged() const {
        int changed = 0;
        for (int y = -kGuard; y < m_h + kGuard; ++y) {
            for (int x = -kGuard; x < m_w + kGuard; ++x) {
                const bool inside = x >= 0 && x < m_w && y >= 0 && y < m_h;
                changed += !inside && At(x, y) != kSentinel;
            }
        }
        return changed;
    }
    int InsidePixelsNotOpaque() const {
        int count = 0;
        for (int y = 0; y < m_h; ++y) {
            for (int x = 0; x < m_w; ++x) {
                count += (At(x, y) >> 24) != 0xFF;
            }
        }
        return count;
    }
    int Width() const { return m_w; }
    int Height() const { return m_h; }
    const std::vector<DWORD>& Pixels() const { return m_pixels; }

private:
    int m_w;
    int m_h;
    int m_stride;
    std::vector<DWORD> m_pixels;
};

Mark Classify(Rgb c) {
    auto near = [](int a, int b) { return a - b < 24 && b - a < 24; };
    if (near(c.r, 0) && near(c.g, 0) && near(c.b, 0)) {
        return Mark::Black;
    }
    if (near(c.r, 255) && near(c.g, 255) && near(c.b, 255)) {
        return Mark::White;
    }
    if (near(c.r, c.g) && near(c.g, c.b) && c.r > 100 && c.r < 160) {
        return Mark::Grey;
    }
    return Mark::OtherField;
}

bool Near(Rgb c, Rgb want, int tolerance = 24) {
    auto near = [&](int a, int b) { return a - b < tolerance && b - a < tolerance; };
    return near(c.r, want.r) && near(c.g, want.g) && near(c.b, want.b);
}

// One crop case: the picture's size and mode, and the columns and field rows that must be shown
// (right and bottom exclusive; rows count within the shown field for 480 and 576 lines).
struct CropCase {
    const char* name;
    PictureFormat format;
    int width;
    int height;
    int left, right, top, bottom;
};

void PrintTo(const CropCase& c, std::ostream* os) {
    *os << c.name;
}

class PictureCrop : public ::testing::TestWithParam<CropCase> {};

// A tile image of its own in the layout CPictureScaler::PaddedStride gives, with guard bytes after
// the buffer that layout asks for.
class PaddedTile {
public:
    static constexpr std::size_t kGuardBytes = 4096;
    static constexpr BYTE kSentinel = 0xA5;

    PaddedTile(int w, int h)
        : m_w(w), m_h(h), m_stride(CPictureScaler::PaddedStride(w)),
          m_bytes(CPictureScaler::PaddedBytes(w, h) + CPictureScaler::kPaddedAlign + kGuardBytes, kSentinel) {
        const auto address = reinterpret_cast<std::uintptr_t>(m_bytes.data());
        m_start =
            (CPictureScaler::kPaddedAlign - address % CPictureScaler::kPaddedAlign) % CPictureScaler::kPaddedAlign;
    }
    VideoTarget Target() { return VideoTarget{m_bytes.data() + m_start, m_stride, m_w, m_h, true}; }
    DWORD At(int x, int y) const {
        DWORD p = 0;
        std::memcpy(&p, m_bytes.data() + m_start + std::size_t(y) * m_stride + std::size_t(x) * 4, 4);
        return p;
    }
    int GuardBytesChanged() const {
        int changed = 0;
        for (std::size_t i = 0; i < m_start; ++i) {
            changed += m_bytes[i] != kSentinel;
        }
        for (std::size_t i = m_start + CPictureScaler::PaddedBytes(m_w, m_h); i < m_bytes.size(); ++i) {
            changed += m_bytes[i] != kSentinel;
        }
        return changed;
    }

private:
    int m_w;
    int m_h;
    int m_stride;
    std::vector<BYTE> m_bytes;
    std::size_t m_start = 0;
};

// The picture is painted so that the shown area has a black frame one pixel wide around grey, everything
// cropped away is white and the field that is not shown is red. Drawn at the shown size (no scaling),
// the target must be exactly frame and grey.
TEST_P(PictureCrop, ShowsExactlyTheSpecifiedColumnsLinesAndField) {
    const CropCase c = GetParam();
    const bool fields = HasStackedFields(c.height);
    const int fieldRows = fields ? c.height / 2 : c.height;
    // The YUV path shows the first (upper) field, the RGB path the second.
    const int shownFieldStart = fields && c.format == PictureFormat::Bgr24Dib ? fieldRows : 0;
    auto paint = [&](int row, int col) {
        if (row < shownFieldStart || row >= shownFieldStart + fieldRows) {
            return Mark::OtherField;
        }
        const int fr = row - shownFieldStart;
        if (col < c.left || col >= c.right || fr < c.top || fr >= c.bottom) {
            return Mark::White;
        }
        if (col == c.left || col == c.right - 1 || fr == c.top || fr == c.bottom - 1) {
            return Mark::Black;
        }
        return Mark::Grey;
    };

    std::vector<std::pair<std::string, PictureSource>> sources;
    Bytes yuv, yuvDoubled, rgb, dib, dibUndoubled;
    if (c.format == PictureFormat::Yuv420) {
        yuv = MakeYuvPicture(c.width, c.height, paint);
        sources.push_back({"as decoded", {yuv.data(), yuv.size(), c.width, c.height, c.format, false}});
        if (fields) {
            yuvDoubled = yuv;
            DoubleFirstField(yuvDoubled.data(), c.width, c.height);
            sources.push_back(
                {"first field doubled", {yuvDoubled.data(), yuvDoubled.size(), c.width, c.height, c.format, true}});
        }
    } else {
        rgb = MakeRgbPicture(c.width, c.height, paint);
        sources.push_back({"as decoded", {rgb.data(), rgb.size(), c.width, c.height, PictureFormat::Bgr24}});
        dib = ToDib(rgb, c.width, c.height);
        sources.push_back({"rows reordered and doubled", {dib.data(), dib.size(), c.width, c.height, c.format}});
        if (fields) {
            dibUndoubled = ToDib(rgb, c.width, c.height, false);
            sources.push_back(
                {"rows reordered", {dibUndoubled.data(), dibUndoubled.size(), c.width, c.height, c.format}});
        }
    }

    for (const auto& [what, source] : sources) {
        SCOPED_TRACE(what);
        Canvas canvas(c.right - c.left, c.bottom - c.top);
        CPictureScaler scaler;
        ASSERT_TRUE(scaler.Draw(source, canvas.Target()));
        EXPECT_EQ(canvas.GuardPixelsChanged(), 0);
        EXPECT_EQ(canvas.InsidePixelsNotOpaque(), 0);
        int wrong = 0;
        for (int y = 0; y < canvas.Height(); ++y) {
            for (int x = 0; x < canvas.Width(); ++x) {
                const bool frame = x == 0 || y == 0 || x == canvas.Width() - 1 || y == canvas.Height() - 1;
                const Mark got = Classify(canvas.RgbAt(x, y));
                if (got != (frame ? Mark::Black : Mark::Grey) && wrong++ < 5) {
                    ADD_FAILURE() << "pixel " << x << "," << y << " is " << int(got);
                }
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PictureCrop,
    ::testing::Values(
        // 352 wide: three columns off on the left in RGB, on both sides in YUV; 8 lines off at the top, 4 at the
        // bottom.
        CropCase{"Yuv352x288", PictureFormat::Yuv420, 352, 288, 3, 349, 8, 284},
        CropCase{"Rgb352x288", PictureFormat::Bgr24Dib, 352, 288, 3, 352, 8, 284},
        CropCase{"Yuv352x240", PictureFormat::Yuv420, 352, 240, 3, 349, 8, 236},
        CropCase{"Rgb704x240", PictureFormat::Bgr24Dib, 704, 240, 0, 704, 8, 236},
        // Two fields: 16 lines off at the top and 8 at the bottom of the doubled picture, so 8 and 4 of the field.
        CropCase{"Yuv704x576", PictureFormat::Yuv420, 704, 576, 0, 704, 8, 284},
        CropCase{"Rgb704x576", PictureFormat::Bgr24Dib, 704, 576, 0, 704, 8, 284},
        CropCase{"Yuv704x480", PictureFormat::Yuv420, 704, 480, 0, 704, 8, 236},
        CropCase{"Rgb704x480", PictureFormat::Bgr24Dib, 704, 480, 0, 704, 8, 236},
        CropCase{"Yuv352x576", PictureFormat::Yuv420, 352, 576, 3, 349, 8, 284},
        CropCase{"Rgb352x480", PictureFormat::Bgr24Dib, 352, 480, 3, 352, 8, 236},
        CropCase{"Yuv720x576", PictureFormat::Yuv420, 720, 576, 0, 720, 8, 284}),
    [](const ::testing::TestParamInfo<CropCase>& info) { return std::string(info.param.name); });

struct TileSize {
    const char* name;
    int width;
    int height;
};

void PrintTo(const TileSize& t, std::ostream* os) {
    *os << t.name;
}

class ScaledPicture : public ::testing::TestWithParam<TileSize> {};

// A D1 picture whose first field is green and second red: the YUV path fills the whole tile green,
// the RGB path red, every pixel written, nothing outside the tile.
TEST_P(ScaledPicture, FillsTheTileWithTheShownField) {
    const TileSize tile = GetParam();
    const int w = 704;
    const int h = 576;
    auto greenOverRed = [&](int row, int) { return row < h / 2 ? Mark::Grey : Mark::OtherField; };
    Bytes yuv = MakeYuvPicture(w, h, [&](int row, int col) { return greenOverRed(row, col); });
    // Grey stands in for green here: paint the first field green directly.
    BYTE* u = yuv.data() + w * h;
    BYTE* v = u + (w / 2) * (h / 2);
    std::memset(yuv.data(), 145, std::size_t(w) * h / 2);
    std::memset(u, 54, std::size_t(w / 2) * (h / 4));
    std::memset(v, 34, std::size_t(w / 2) * (h / 4));
    Bytes rgb = MakeRgbPicture(w, h, greenOverRed);
    for (std::size_t i = 0; i < rgb.size() / 2; i += 3) {
        rgb[i] = 0;
        rgb[i + 1] = 255;
        rgb[i + 2] = 0;
    }
    const Bytes dib = ToDib(rgb, w, h);

    const struct {
        PictureSource source;
        Rgb expected;
    } runs[] = {{{yuv.data(), yuv.size(), w, h, PictureFormat::Yuv420}, {0, 255, 0}},
                {{rgb.data(), rgb.size(), w, h, PictureFormat::Bgr24}, {255, 0, 0}},
                {{dib.data(), dib.size(), w, h, PictureFormat::Bgr24Dib}, {255, 0, 0}}};
    CPictureScaler scaler;
    for (const auto& run : runs) {
        SCOPED_TRACE(int(run.source.format));
        Canvas canvas(tile.width, tile.height);
        ASSERT_TRUE(scaler.Draw(run.source, canvas.Target()));
        EXPECT_EQ(canvas.GuardPixelsChanged(), 0);
        EXPECT_EQ(canvas.InsidePixelsNotOpaque(), 0);
        int wrong = 0;
        for (int y = 0; y < tile.height; ++y) {
            for (int x = 0; x < tile.width; ++x) {
                wrong += !Near(canvas.RgbAt(x, y), run.expected, 8);
            }
        }
        EXPECT_EQ(wrong, 0);

        // Drawn straight into a tile image of its own: the same picture, and nothing written past
        // the buffer the padded layout asks for.
        PaddedTile padded(tile.width, tile.height);
        ASSERT_TRUE(scaler.Draw(run.source, padded.Target()));
        EXPECT_EQ(padded.GuardBytesChanged(), 0);
        int differ = 0;
        for (int y = 0; y < tile.height; ++y) {
            for (int x = 0; x < tile.width; ++x) {
                differ += padded.At(x, y) != canvas.At(x, y);
            }
        }
        EXPECT_EQ(differ, 0);
    }
}

// A 16-split tile and a full-screen tile of the main window's video area and of a 1920 x 1080 monitor.
INSTANTIATE_TEST_SUITE_P(Tiles, ScaledPicture,
                         ::testing::Values(TileSize{"SixteenSplit", 200, 134}, TileSize{"Single", 811, 544},
                                           TileSize{"FullScreen", 1916, 1076}, TileSize{"OddSize", 101, 67}),
                         [](const ::testing::TestParamInfo<TileSize>& info) { return std::string(info.param.name); });

// Three of the four columns of the 16-split layout, and the single tile, are an odd number of pixels
// wide. A D1 picture black on its left half, white on its right and grey in its last eight columns
// keeps its edge in the middle and its grey at the tile's right edge, in its own tile image and in a
// rectangle of a larger one alike, with nothing written outside either.
TEST(PictureScaler, OddWidthTilesShowThePictureToItsRightEdge) {
    const int w = 704;
    const int h = 576;
    const Bytes yuv = MakeYuvPicture(
        w, h, [&](int, int col) { return col < w / 2 ? Mark::Black : (col < w - 8 ? Mark::White : Mark::Grey); });
    const PictureSource source{yuv.data(), yuv.size(), w, h, PictureFormat::Yuv420};
    CPictureScaler scaler;
    for (const TileSize tile : {TileSize{"small", 101, 67}, TileSize{"second column", 201, 135},
                                TileSize{"fourth column", 203, 134}, TileSize{"single", 811, 544}}) {
        SCOPED_TRACE(tile.name);
        Canvas canvas(tile.width, tile.height);
        ASSERT_TRUE(scaler.Draw(source, canvas.Target()));
        EXPECT_EQ(canvas.GuardPixelsChanged(), 0);
        PaddedTile padded(tile.width, tile.height);
        ASSERT_TRUE(scaler.Draw(source, padded.Target()));
        EXPECT_EQ(padded.GuardBytesChanged(), 0);
        const int middle = tile.width / 2;
        const int greyFrom = tile.width * (w - 8) / w;
        for (int y : {0, tile.height / 2, tile.height - 1}) {
            std::ostringstream row;
            for (int x = 0; x < tile.width; ++x) {
                const Mark want = x < middle - 1
                                      ? Mark::Black
                                      : (x > middle + 1 && x < greyFrom - 1 ? Mark::White : Mark::OtherField);
                const Mark seen = Classify(canvas.RgbAt(x, y));
                if (want != Mark::OtherField && seen != want) {
                    row << " x " << x;
                }
                if (padded.At(x, y) != canvas.At(x, y)) {
                    row << " x " << x << " differs";
                }
            }
            EXPECT_EQ(Classify(canvas.RgbAt(tile.width - 1, y)), Mark::Grey) << "row " << y;
            EXPECT_EQ(row.str(), "") << "row " << y;
        }
    }
}

// Scaling keeps the picture's geometry: a picture split into a left and a right half shows the
// split in the middle of the tile, and the top rows of the shown area at the top.
TEST(PictureScaler, KeepsOrientationWhenScaling) {
    const int w = 704;
    const int h = 288;
    auto paint = [&](int row, int col) {
        if (row < h / 2) {
            return col < w / 2 ? Mark::Black : Mark::White;
        }
        return Mark::Grey;
    };
    const Bytes yuv = MakeYuvPicture(w, h, paint);
    const Bytes dib = ToDib(MakeRgbPicture(w, h, paint), w, h);
    CPictureScaler scaler;
    for (const PictureSource& source : {PictureSource{yuv.data(), yuv.size(), w, h, PictureFormat::Yuv420},
                                        PictureSource{dib.data(), dib.size(), w, h, PictureFormat::Bgr24Dib}}) {
        Canvas canvas(400, 300);
        ASSERT_TRUE(scaler.Draw(source, canvas.Target()));
        EXPECT_EQ(Classify(canvas.RgbAt(20, 20)), Mark::Black);
        EXPECT_EQ(Classify(canvas.RgbAt(380, 20)), Mark::White);
        EXPECT_EQ(Classify(canvas.RgbAt(20, 280)), Mark::Grey);
        EXPECT_EQ(Classify(canvas.RgbAt(380, 280)), Mark::Grey);
    }
}

// A 352-wide picture loses three columns on the left, half-way into a chroma sample: colour edges
// must stay where the luma puts them. Two colours of equal luma meet at column 100; drawn twice as
// wide, the edge lies at (100 - 3) * 2 = 194.
TEST(PictureScaler, ColourEdgesStayInPlaceAfterAnOddCrop) {
    const int w = 352;
    const int h = 288;
    Bytes yuv(std::size_t(w) * h * 3 / 2, 128);
    BYTE* u = yuv.data() + w * h;
    BYTE* v = u + (w / 2) * (h / 2);
    for (int row = 0; row < h / 2; ++row) {
        for (int col = 0; col < w / 2; ++col) {
            u[row * (w / 2) + col] = col < 50 ? 64 : 192;
            v[row * (w / 2) + col] = col < 50 ? 192 : 64;
        }
    }
    Canvas canvas(692, 276);
    CPictureScaler scaler;
    ASSERT_TRUE(scaler.Draw({yuv.data(), yuv.size(), w, h, PictureFormat::Yuv420}, canvas.Target()));
    for (int y : {10, 138, 265}) {
        const Rgb left = canvas.RgbAt(189, y);
        const Rgb right = canvas.RgbAt(199, y);
        EXPECT_GT(left.r, left.b + 100) << y;
        EXPECT_GT(right.b, right.r + 100) << y;
    }
}

// RGB pictures are scaled in RGB: red rises from left to right, green from top to bottom of the shown
// field, blue stays 77. In every tile size and in both row orders the constant stays exact, the
// ramps keep rising without a jump (each target pixel is a blend of its neighbours in the picture,
// in the right place) and reach from one end to the other.
TEST(PictureScaler, RgbPicturesKeepTheirColoursAndRampsWhenScaled) {
    const int w = 704;
    const int h = 576;
    const RECT crop = GetPictureCrop(PictureFormat::Bgr24, w, h);
    const int fieldTop = h / 2 + crop.top / 2;
    const int fieldRows = (crop.bottom - crop.top) / 2;
    Bytes rgb(std::size_t(w) * h * 3);
    for (int row = 0; row < h; ++row) {
        const int shown = std::clamp(row - fieldTop, 0, fieldRows - 1);
        for (int col = 0; col < w; ++col) {
            BYTE* p = &rgb[(std::size_t(row) * w + col) * 3];
            p[0] = 77;
            p[1] = BYTE(row < h / 2 ? 0 : shown * 255 / (fieldRows - 1));
            p[2] = BYTE(col * 255 / (w - 1));
        }
    }
    const Bytes dib = ToDib(rgb, w, h);
    CPictureScaler scaler;
    for (const PictureSource& source : {PictureSource{rgb.data(), rgb.size(), w, h, PictureFormat::Bgr24},
                                        PictureSource{dib.data(), dib.size(), w, h, PictureFormat::Bgr24Dib}}) {
        for (const auto& size : {std::pair{200, 134}, std::pair{101, 67}, std::pair{1916, 1076}}) {
            SCOPED_TRACE(std::to_string(int(source.format)) + ": " + std::to_string(size.first) + "x" +
                         std::to_string(size.second));
            Canvas canvas(size.first, size.second);
            ASSERT_TRUE(scaler.Draw(source, canvas.Target()));
            ASSERT_EQ(canvas.GuardPixelsChanged(), 0);
            ASSERT_EQ(canvas.InsidePixelsNotOpaque(), 0);
            // Steps of the ramps between neighbouring target pixels, at most what one scaled source
            // step gives, plus rounding.
            const int maxRedStep = 255 * w / (w - 1) / size.first + 2;
            const int maxGreenStep = 255 * 2 / size.second + 3;
            int wrong = 0;
            for (int y = 0; y < size.second; ++y) {
                for (int x = 0; x < size.first; ++x) {
                    const Rgb c = canvas.RgbAt(x, y);
                    wrong += c.b != 77;
                    if (x > 0) {
                        const int step = c.r - canvas.RgbAt(x - 1, y).r;
                        wrong += step < 0 || step > maxRedStep;
                    }
                    if (y > 0) {
                        const int step = c.g - canvas.RgbAt(x, y - 1).g;
                        wrong += step < 0 || step > maxGreenStep;
                    }
                }
            }
            EXPECT_EQ(wrong, 0);
            const int midY = size.second / 2;
            const int midX = size.first / 2;
            EXPECT_LE(canvas.RgbAt(0, midY).r, 2);
            EXPECT_GE(canvas.RgbAt(size.first - 1, midY).r, 250);
            EXPECT_LE(canvas.RgbAt(midX, 0).g, 2 * 255 / fieldRows + 2);
            EXPECT_GE(canvas.RgbAt(midX, size.second - 1).g, 250);
        }
    }
}

// The conversion set-ups are kept per source size, target size and format: drawing to alternating
// sizes and formats gives exactly what a fresh scaler gives every time.
TEST(PictureScaler, CachedSetUpsGiveTheSameResultAsFreshOnes) {
    auto paint = [](int row, int col) { return (row / 7 + col / 5) % 3 ? Mark::Grey : Mark::Black; };
    const Bytes d1 = MakeYuvPicture(704, 576, paint);
    const Bytes cif = MakeYuvPicture(352, 288, paint);
    const Bytes dib = ToDib(MakeRgbPicture(704, 576, paint), 704, 576);
    const PictureSource sources[] = {{d1.data(), d1.size(), 704, 576, PictureFormat::Yuv420},
                                     {cif.data(), cif.size(), 352, 288, PictureFormat::Yuv420},
                                     {dib.data(), dib.size(), 704, 576, PictureFormat::Bgr24Dib}};
    const int sizes[][2] = {{200, 134}, {811, 544}, {270, 180}};
    CPictureScaler reused;
    for (int round = 0; round < 3; ++round) {
        for (const PictureSource& source : sources) {
            for (const auto& size : sizes) {
                Canvas a(size[0], size[1]);
                Canvas b(size[0], size[1]);
                ASSERT_TRUE(reused.Draw(source, a.Target()));
                CPictureScaler fresh;
                ASSERT_TRUE(fresh.Draw(source, b.Target()));
                ASSERT_EQ(a.Pixels(), b.Pixels());
            }
        }
    }
}

TEST(PictureScaler, RefusesUnusablePicturesAndTargetsWithoutTouchingTheTarget) {
    const Bytes yuv = MakeYuvPicture(352, 288, [](int, int) { return Mark::Grey; });
    const PictureSource good{yuv.data(), yuv.size(), 352, 288, PictureFormat::Yuv420};
    PictureSource shortBuffer = good;
    shortBuffer.size = yuv.size() - 1;
    PictureSource rgbTooBig = good; // the same bytes read as RGB would need twice as many
    rgbTooBig.format = PictureFormat::Bgr24Dib;
    PictureSource odd = good;
    odd.width = 351;
    PictureSource tiny = good;
    tiny.height = 12; // nothing is left after the crop
    PictureSource noData = good;
    noData.data = nullptr;

    CPictureScaler scaler;
    for (const PictureSource& bad : {shortBuffer, rgbTooBig, odd, tiny, noData}) {
        Canvas canvas(100, 80);
        EXPECT_FALSE(scaler.Draw(bad, canvas.Target()));
        EXPECT_EQ(canvas.InsidePixelsNotOpaque(), 100 * 80);
    }
    Canvas canvas(100, 80);
    VideoTarget narrowStride = canvas.Target();
    narrowStride.stride = 399;
    VideoTarget empty = canvas.Target();
    empty.height = 0;
    VideoTarget noBits = canvas.Target();
    noBits.bits = nullptr;
    for (const VideoTarget& bad : {narrowStride, empty, noBits}) {
        EXPECT_FALSE(scaler.Draw(good, bad));
    }
    EXPECT_EQ(canvas.InsidePixelsNotOpaque(), 100 * 80);
    EXPECT_TRUE(scaler.Draw(good, canvas.Target()));
}

} // namespace
