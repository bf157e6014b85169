#include "controls/LoadImageFile.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiQt.h"
#include "tests/support/TempDir.h"

#include <jpeglib.h>
#include <tiffio.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// A folder of the test program's own, so that test runs of several builds at once never share a file.
std::string TempPath(const std::string& name) {
    static const kelotest::TempDir dir;
    return dir / name;
}

void WriteFile(const std::string& path, const std::vector<BYTE>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::vector<BYTE> ReadFile(const std::string& path) {
    std::vector<BYTE> bytes;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return bytes;
    int c;
    while ((c = std::fgetc(f)) != EOF)
        bytes.push_back(BYTE(c));
    std::fclose(f);
    return bytes;
}

// A pixel colour that tells position: no two pixels of a small picture share it.
QRgb At(int x, int y) {
    return qRgb(20 * x + 5, 30 * y + 5, 100);
}

// An 8-bit RGB (or RGBA with associated alpha, which the RGBA reader passes through) TIFF, one strip
// per row.
void WriteTiff(const std::string& path, int width, int height, bool alpha, QRgb (*colour)(int, int),
               BYTE alphaValue = 255) {
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tif, nullptr);
    const int samples = alpha ? 4 : 3;
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, samples);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 1);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_PACKBITS);
    if (alpha) {
        uint16_t extra = EXTRASAMPLE_ASSOCALPHA;
        TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, &extra);
    }
    std::vector<BYTE> row(std::size_t(width) * samples);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            QRgb c = colour(x, y);
            BYTE* p = &row[std::size_t(x) * samples];
            p[0] = BYTE(qRed(c));
            p[1] = BYTE(qGreen(c));
            p[2] = BYTE(qBlue(c));
            if (alpha)
                p[3] = alphaValue;
        }
        ASSERT_EQ(TIFFWriteScanline(tif, row.data(), uint32_t(y), 0), 1);
    }
    TIFFClose(tif);
}

void WriteJpeg(const std::string& path, int width, int height, QRgb (*colour)(int, int)) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, f);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<BYTE> row(std::size_t(width) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            QRgb c = colour(x, y);
            row[3 * x] = BYTE(qRed(c));
            row[3 * x + 1] = BYTE(qGreen(c));
            row[3 * x + 2] = BYTE(qBlue(c));
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&info, &r, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(f);
}

// Takes ownership of a loaded bitmap.
struct Loaded {
    CBitmap bitmap;
    explicit Loaded(const std::string& path) { bitmap.Attach(LoadImageFile(path.c_str())); }
    bool ok() const { return bitmap.m_hObject != nullptr; }
    QImage image() const { return GdiBitmapImage(bitmap); }
};

TEST(LoadImageFile, TiffOfOddWidthIsUprightAndUnsheared) {
    for (int width : {5, 6, 7, 8}) {
        const std::string path = TempPath("odd.tif");
        WriteTiff(path, width, 3, false, At);
        Loaded loaded(path);
        ASSERT_TRUE(loaded.ok()) << width;
        QImage image = loaded.image();
        ASSERT_EQ(image.size(), QSize(width, 3));
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < width; ++x) {
                // Colours go through the alpha multiply: an opaque channel c becomes (255c + 1) >> 8.
                QRgb want = At(x, y);
                auto mul = [](int c) { return (c * 255 + 1) >> 8; };
                ASSERT_EQ(image.pixel(x, y), qRgb(mul(qRed(want)), mul(qGreen(want)), mul(qBlue(want))))
                    << width << ": " << x << "," << y;
            }
        std::remove(path.c_str());
    }
}

TEST(LoadImageFile, TiffColoursAreMultipliedByAlpha) {
    const std::string white = TempPath("white.tif");
    WriteTiff(white, 2, 2, false, [](int, int) { return qRgb(255, 255, 255); });
    Loaded w(white);
    ASSERT_TRUE(w.ok());
    EXPECT_EQ(w.image().pixel(1, 1), qRgb(254, 254, 254));

    const std::string half = TempPath("half.tif");
    WriteTiff(
        half, 1, 1, true, [](int, int) { return qRgb(120, 60, 0); }, 128);
    Loaded h(half);
    ASSERT_TRUE(h.ok());
    EXPECT_EQ(h.image().pixel(0, 0), qRgb(60, 30, 0)); // (c x 128 + 1) >> 8
    std::remove(white.c_str());
    std::remove(half.c_str());
}

TEST(LoadImageFile, KindComesFromTheNameIgnoringCaseAndPosition) {
    const std::string tiff = TempPath("src.tif");
    WriteTiff(tiff, 3, 2, false, At);
    const std::vector<BYTE> tiffBytes = ReadFile(tiff);
    const std::string jpeg = TempPath("src.jpg");
    WriteJpeg(jpeg, 8, 8, At);
    const std::vector<BYTE> jpegBytes = ReadFile(jpeg);
    struct Case {
        const char* name;
        const std::vector<BYTE>* bytes;
        bool loads;
    };
    const Case cases[] = {
        {"upper.TIF", &tiffBytes, true},
        {"Shot.TiF.backup", &tiffBytes, true}, // ".tif" before another ending still counts
        {"shot.tiff", &tiffBytes, true},
        {"tiff_in.tIf.jpg", &tiffBytes, true}, // TIFF wins over ".jpg"
        {"photo.JPG", &jpegBytes, true},
        {"photo.jpeg", &jpegBytes, false}, // neither ".jpg" nor ".bmp" nor ".tif"
        {"photo.png", &jpegBytes, false},
        {"jpeg_named.bmp", &jpegBytes, true}, // BMP and JPEG names are read by content
        {"tiff_named.jpg", &tiffBytes, false},
    };
    for (const Case& c : cases) {
        const std::string path = TempPath(c.name);
        WriteFile(path, *c.bytes);
        Loaded loaded(path);
        EXPECT_EQ(loaded.ok(), c.loads) << c.name;
        std::remove(path.c_str());
    }
    EXPECT_EQ(LoadImageFile(nullptr), nullptr);
    EXPECT_EQ(LoadImageFile(TempPath("missing.tif").c_str()), nullptr);
    EXPECT_EQ(LoadImageFile(TempPath("missing.bmp").c_str()), nullptr);
    std::remove(tiff.c_str());
    std::remove(jpeg.c_str());
}

// A classic little-endian TIFF with one IFD of the given entries (tag, type, count, value).
std::vector<BYTE> TinyTiff(const std::vector<std::array<std::uint32_t, 4>>& entries) {
    std::vector<BYTE> f = {'I', 'I', 42, 0, 8, 0, 0, 0};
    auto put16 = [&f](std::uint32_t v) {
        f.push_back(BYTE(v));
        f.push_back(BYTE(v >> 8));
    };
    auto put32 = [&](std::uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    put16(std::uint32_t(entries.size()));
    for (const auto& e : entries) {
        put16(e[0]);
        put16(e[1]);
        put32(e[2]);
        if (e[1] == 3) {
            put16(e[3]);
            put16(0);
        } else {
            put32(e[3]);
        }
    }
    put32(0);
    f.resize(f.size() + 64, 0x55); // some "pixel" bytes
    return f;
}

TEST(LoadImageFile, DamagedOrHugeTiffGivesNull) {
    // Tags: width 256, length 257, bits 258, compression 259, photometric 262, strip offsets 273,
    // samples 277, rows per strip 278, strip byte counts 279.
    auto tiffOf = [](std::uint32_t w, std::uint32_t h) {
        return TinyTiff({{256, 4, 1, w},
                         {257, 4, 1, h},
                         {258, 3, 1, 8},
                         {259, 3, 1, 1},
                         {262, 3, 1, 1},
                         {273, 4, 1, 8},
                         {277, 3, 1, 1},
                         {278, 4, 1, h},
                         {279, 4, 1, w * h}});
    };
    const std::vector<BYTE> small = tiffOf(4, 4);
    {
        const std::string path = TempPath("small.tif");
        WriteFile(path, small);
        Loaded sane(path);
        EXPECT_TRUE(sane.ok()); // the fixture itself is a valid picture
        std::remove(path.c_str());
    }
    struct Case {
        const char* name;
        std::vector<BYTE> bytes;
    };
    const Case cases[] = {
        {"wide.tif", tiffOf(20000, 1)},
        {"tall.tif", tiffOf(1, 16385)},
        {"megapixels.tif", tiffOf(9000, 9000)},
        {"zero.tif", tiffOf(0, 4)},
        {"garbage.tif", std::vector<BYTE>(100, 0xA7)},
        {"header_only.tif", std::vector<BYTE>(small.begin(), small.begin() + 8)},
        {"empty.tif", {}},
        {"cut_ifd.tif", std::vector<BYTE>(small.begin(), small.begin() + 40)},
    };
    for (const Case& c : cases) {
        const std::string path = TempPath(c.name);
        WriteFile(path, c.bytes);
        Loaded loaded(path);
        EXPECT_FALSE(loaded.ok()) << c.name;
        std::remove(path.c_str());
    }
}

TEST(LoadImageFile, JpegRoundTripKeepsColoursClose) {
    const std::string path = TempPath("round.jpg");
    WriteJpeg(path, 32, 16, [](int x, int) { return x < 16 ? qRgb(220, 30, 40) : qRgb(20, 60, 230); });
    Loaded loaded(path);
    ASSERT_TRUE(loaded.ok());
    QImage image = loaded.image();
    ASSERT_EQ(image.size(), QSize(32, 16));
    auto near = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) <= 12 && std::abs(qGreen(a) - qGreen(b)) <= 12 &&
               std::abs(qBlue(a) - qBlue(b)) <= 12;
    };
    EXPECT_TRUE(near(image.pixel(4, 8), qRgb(220, 30, 40)));
    EXPECT_TRUE(near(image.pixel(28, 8), qRgb(20, 60, 230)));
    std::remove(path.c_str());
}

TEST(LoadImageFile, JpegWithAbsurdSizeOrNoDataGivesNull) {
    const std::string src = TempPath("base.jpg");
    WriteJpeg(src, 8, 8, At);
    std::vector<BYTE> bytes = ReadFile(src);
    std::remove(src.c_str());
    // The frame header (FFC0): length, precision, height, width.
    std::size_t sof = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
            sof = i;
            break;
        }
    ASSERT_NE(sof, 0u);
    std::vector<BYTE> huge = bytes;
    huge[sof + 5] = 0x4E; // height 20000
    huge[sof + 6] = 0x20;
    huge[sof + 7] = 0x4E; // width 20000
    huge[sof + 8] = 0x20;
    std::vector<BYTE> headOnly(bytes.begin(), bytes.begin() + 4);
    for (const auto& [name, data] : {std::pair{"huge.jpg", huge}, std::pair{"head.jpg", headOnly}}) {
        const std::string path = TempPath(name);
        WriteFile(path, data);
        Loaded loaded(path);
        EXPECT_FALSE(loaded.ok()) << name;
        std::remove(path.c_str());
    }
}

TEST(LoadImageFile, BmpRoundTripIsExact) {
    QImage source(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            source.setPixel(x, y, At(x, y));
    CBitmap bitmap;
    bitmap.Attach(GdiCreateBitmap(source));
    BITMAPINFOHEADER info{};
    std::vector<BYTE> bits;
    ASSERT_TRUE(bitmap.GetDib24(&info, &bits));
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = DWORD(file.bfOffBits + bits.size());
    std::vector<BYTE> bytes(file.bfSize);
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
    std::memcpy(bytes.data() + file.bfOffBits, bits.data(), bits.size());
    const std::string path = TempPath("round.bmp");
    WriteFile(path, bytes);
    Loaded loaded(path);
    ASSERT_TRUE(loaded.ok());
    EXPECT_EQ(loaded.image(), source);
    std::remove(path.c_str());
}

} // namespace
