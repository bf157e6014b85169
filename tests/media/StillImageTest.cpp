// Still images: the colour conversion, the shown part of the picture stretched to 800 x 600, the
// caption, the three file formats read back by independent readers, and the save thread's naming,
// folder and failures.

#include "media/ImageSaver.h"
#include "media/SaveImageThread.h"
#include "tests/media/StillTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <fstream>
#include <iterator>

namespace {

using namespace stilltest;

std::vector<BYTE> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

DWORD Le32(const std::vector<BYTE>& f, std::size_t at) {
    return DWORD(f[at]) | DWORD(f[at + 1]) << 8 | DWORD(f[at + 2]) << 16 | DWORD(f[at + 3]) << 24;
}

// The BMP's pixel (x, y from the top-left) as R, G, B.
Rgb BmpAt(const std::vector<BYTE>& f, int width, int height, int x, int y) {
    const std::size_t stride = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
    const BYTE* p = f.data() + 54 + std::size_t(height - 1 - y) * stride + std::size_t(x) * 3;
    return Rgb{p[2], p[1], p[0]};
}

// Where an output pixel comes from when source (sx, sy, sw, sh) is stretched over w x h.
Rgb Expected(int x, int y, int sx, int sy, int sw, int sh, int w, int h) {
    return Coordinates(sx + int(long(x) * sw / w), sy + int(long(y) * sh / h));
}

TEST(YuvToRgb24, IntegerConversionInDibOrder) {
    struct Case {
        BYTE y, u, v;
        std::array<BYTE, 3> bgr;
    };
    const Case cases[] = {
        {16, 128, 128, {0, 0, 0}},        // black
        {235, 128, 128, {253, 253, 253}}, // white as the six-bit arithmetic gives it
        {81, 90, 240, {0, 0, 253}},       // red: blue and green saturate at 0
        {235, 16, 16, {27, 255, 74}},     // green saturates above 255
    };
    for (const Case& c : cases) {
        BYTE out[3] = {1, 2, 3};
        YuvToRgb24(out, 1, &c.y, &c.u, &c.v, 1, 1, 3, 1);
        EXPECT_EQ(out[0], c.bgr[0]) << int(c.y);
        EXPECT_EQ(out[1], c.bgr[1]) << int(c.y);
        EXPECT_EQ(out[2], c.bgr[2]) << int(c.y);
    }
}

TEST(YuvToRgb24, ChromaServesTwoByTwoAndANegativeHeightFlips) {
    // 4 x 2 picture: left chroma sample neutral, right one blue-ish; rows of different brightness.
    const BYTE y[8] = {16, 16, 16, 16, 235, 235, 235, 235};
    const BYTE u[2] = {128, 240};
    const BYTE v[2] = {128, 128};
    BYTE down[24] = {};
    BYTE up[24] = {};
    YuvToRgb24(down, 4, y, u, v, 4, 2, 12, 2);
    YuvToRgb24(up, 4, y, u, v, 4, 2, 12, -2);
    EXPECT_EQ(down[0], 0);                           // top-left black
    EXPECT_EQ(down[3], down[0]);                     // its neighbour shares the chroma
    EXPECT_EQ(down[6], 225);                         // top row, right pair: blue from U (112 x 129 >> 6)
    EXPECT_EQ(down[12 + 2], 253);                    // bottom row white
    EXPECT_TRUE(std::equal(up, up + 12, down + 12)); // flipped: the last row first
    EXPECT_TRUE(std::equal(up + 12, up + 24, down));
}

TEST(StillImage, A704By576PictureBecomesAn800By600BmpFromItsShownPart) {
    TempDir dir;
    const std::vector<BYTE> picture = MakeDibPicture(704, 576, Coordinates);
    CImageSaver saver;
    saver.SetFont(16, 400, "Tahoma");
    EXPECT_EQ(saver.GetFontHeight(), -21);
    const std::string folder = dir.Path().string() + "/";
    ASSERT_TRUE(saver.SaveFrame(picture.data(), picture.size(), 704, 576, CImageSaver::kInputRgb24,
                                CImageSaver::kSaveBmp, folder, true, 800, 600, false, "", 0, "a.bmp",
                                RGB(0, 255, 255)));
    const std::vector<BYTE> f = ReadBytes(dir.Path() / "a.bmp");
    ASSERT_EQ(f.size(), 1440054u);
    EXPECT_EQ(f[0], 'B');
    EXPECT_EQ(f[1], 'M');
    EXPECT_EQ(Le32(f, 2), 1440054u);
    EXPECT_EQ(Le32(f, 10), 54u);
    EXPECT_EQ(Le32(f, 14), 40u);
    EXPECT_EQ(Le32(f, 18), 800u);
    EXPECT_EQ(Le32(f, 22), 600u); // positive: bottom row first
    EXPECT_EQ(f[26] | f[27] << 8, 1);
    EXPECT_EQ(f[28] | f[29] << 8, 24);
    EXPECT_EQ(Le32(f, 30), 0u);
    EXPECT_EQ(Le32(f, 34), 1440000u);
    // The source is (12, 12), 682 x 556, stretched: every pixel comes from where it should.
    for (int y = 0; y < 600; y += 7) {
        for (int x = 0; x < 800; x += 3) {
            const Rgb got = BmpAt(f, 800, 600, x, y);
            const Rgb want = Expected(x, y, 12, 12, 682, 556, 800, 600);
            ASSERT_TRUE(got.r == want.r && got.g == want.g && got.b == want.b) << x << "," << y;
        }
    }
    const Rgb last = BmpAt(f, 800, 600, 799, 599);
    EXPECT_EQ(last.r, (12 + 799 * 682 / 800) & 0xFF);
}

TEST(StillImage, NarrowPicturesShowFromSixPixelsInAndKeepTheirSizeWithoutResize) {
    TempDir dir;
    // 350 pixels make rows of 1050 bytes: each BMP row is padded to 1052.
    const std::vector<BYTE> picture = MakeDibPicture(350, 288, Coordinates);
    CImageSaver saver;
    const std::string folder = dir.Path().string() + "/";
    ASSERT_TRUE(saver.SaveFrame(picture.data(), picture.size(), 350, 288, CImageSaver::kInputRgb24,
                                CImageSaver::kSaveBmp, folder, false, 800, 600, false, "", 0, "n.bmp", 0));
    const std::vector<BYTE> f = ReadBytes(dir.Path() / "n.bmp");
    ASSERT_EQ(f.size(), 54u + 1052 * 288);
    EXPECT_EQ(Le32(f, 34), 1052u * 288);
    for (int y = 0; y < 288; y += 5) {
        for (int x = 0; x < 350; x += 5) {
            const Rgb got = BmpAt(f, 350, 288, x, y);
            const Rgb want = Expected(x, y, 6, 6, 339, 278, 350, 288);
            ASSERT_TRUE(got.r == want.r && got.g == want.g && got.b == want.b) << x << "," << y;
        }
    }
}

TEST(StillImage, JpegHoldsTrueColoursAndTheCaptionSitsUnderThePicture) {
    TempDir dir;
    // Red as planar YUV, as the decoder leaves it in the YUV drawing mode.
    const std::vector<BYTE> red = MakeYuvPicture(704, 576, 81, 90, 240);
    CImageSaver saver;
    saver.SetFont(16, 400, "Tahoma");
    const std::string folder = dir.Path().string() + "/";
    ASSERT_TRUE(saver.SaveFrame(red.data(), red.size(), 704, 576, CImageSaver::kInputYuv420, CImageSaver::kSaveJpeg,
                                folder, true, 800, 600, true, "2024-03-05  07:08:09", CImageSaver::kCaptionBottom,
                                "r.jpg", RGB(0, 255, 255)));
    const Image image = ReadJpeg(dir.Path() / "r.jpg");
    ASSERT_EQ(image.width, 800);
    ASSERT_EQ(image.height, 600);
    EXPECT_EQ(image.components, 3);
    const Rgb body = Mean(image, 100, 100, 700, 500);
    EXPECT_GT(body.r, 230);
    EXPECT_LT(body.b, 25); // red stays red: no swap of red and blue
    EXPECT_LT(body.g, 25);
    // The cyan caption lies in the band from y = 600 - 21 - 10 down: the band turns towards cyan.
    bool cyan = false;
    for (int y = 569; y < 592 && !cyan; ++y) {
        for (int x = 250; x < 550 && !cyan; ++x) {
            const Rgb c = image.At(x, y);
            cyan = c.g > 150 && c.b > 150 && c.r < 120;
        }
    }
    EXPECT_TRUE(cyan);
    const Rgb above = Mean(image, 250, 300, 550, 540);
    EXPECT_GT(above.r, 230);
}

TEST(StillImage, TiffIsPackBitsRgbOneRowPerStripAndLossless) {
    TempDir dir;
    const std::vector<BYTE> picture = MakeDibPicture(704, 480, Coordinates);
    CImageSaver saver;
    const std::string folder = dir.Path().string() + "/";
    ASSERT_TRUE(saver.SaveFrame(picture.data(), picture.size(), 704, 480, CImageSaver::kInputRgb24,
                                CImageSaver::kSaveTiff, folder, true, 800, 600, false, "", 0, "t.tif", 0));
    const std::vector<BYTE> raw = ReadBytes(dir.Path() / "t.tif");
    ASSERT_GE(raw.size(), 8u);
    EXPECT_EQ(raw[0], 'M'); // written big-endian
    TIFF* tiff = TIFFOpen((dir.Path() / "t.tif").c_str(), "r");
    ASSERT_NE(tiff, nullptr);
    uint32_t width = 0, height = 0, rowsPerStrip = 0;
    uint16_t bits = 0, compression = 0, photometric = 0, samples = 0, planar = 0, unit = 0, orientation = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    TIFFGetField(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetField(tiff, TIFFTAG_COMPRESSION, &compression);
    TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric);
    TIFFGetField(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetField(tiff, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
    TIFFGetField(tiff, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetField(tiff, TIFFTAG_RESOLUTIONUNIT, &unit);
    TIFFGetField(tiff, TIFFTAG_ORIENTATION, &orientation);
    EXPECT_EQ(width, 800u);
    EXPECT_EQ(height, 600u);
    EXPECT_EQ(bits, 8);
    EXPECT_EQ(compression, 32773);
    EXPECT_EQ(photometric, 2);
    EXPECT_EQ(samples, 3);
    EXPECT_EQ(rowsPerStrip, 1u);
    EXPECT_EQ(planar, 1);
    EXPECT_EQ(unit, 1);
    EXPECT_EQ(orientation, 1);
    std::vector<BYTE> row(800 * 3);
    for (uint32_t y = 0; y < 600; ++y) {
        ASSERT_EQ(TIFFReadScanline(tiff, row.data(), y, 0), 1);
        for (int x = 0; x < 800; x += 9) {
            const Rgb want = Expected(x, int(y), 12, 12, 682, 460, 800, 600);
            ASSERT_TRUE(row[3 * x] == want.r && row[3 * x + 1] == want.g && row[3 * x + 2] == want.b) << x << "," << y;
        }
    }
    TIFFClose(tiff);
}

TEST(StillImage, UnusablePicturesWriteNothing) {
    TempDir dir;
    const std::string folder = dir.Path().string() + "/";
    const std::vector<BYTE> big(1920 * 1080 * 3, 0x40);
    CImageSaver saver;
    struct Case {
        const char* what;
        int width, height, input, format;
        std::size_t bytes;
    };
    const Case cases[] = {
        {"odd width", 703, 576, CImageSaver::kInputRgb24, CImageSaver::kSaveBmp, big.size()},
        {"too wide", 1920, 1080, CImageSaver::kInputRgb24, CImageSaver::kSaveBmp, big.size()},
        {"short buffer", 704, 576, CImageSaver::kInputRgb24, CImageSaver::kSaveBmp, 704 * 576 * 3 - 1},
        {"short yuv", 704, 576, CImageSaver::kInputYuv420, CImageSaver::kSaveBmp, 704 * 576},
        {"input 2", 704, 576, 2, CImageSaver::kSaveBmp, big.size()},
        {"format 3", 704, 576, CImageSaver::kInputRgb24, 3, big.size()},
        {"too small to crop", 10, 10, CImageSaver::kInputRgb24, CImageSaver::kSaveBmp, big.size()},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(saver.SaveFrame(big.data(), c.bytes, c.width, c.height, c.input, c.format, folder, true, 800, 600,
                                     true, "x", 0, "u.bmp", 0))
            << c.what;
        EXPECT_FALSE(std::filesystem::exists(dir.Path() / "u.bmp")) << c.what;
    }
    EXPECT_FALSE(saver.SaveFrame(big.data(), big.size(), 704, 576, CImageSaver::kInputRgb24, CImageSaver::kSaveBmp,
                                 folder + "missing/", true, 800, 600, false, "", 0, "u.bmp", 0));
}

// A picture whose writing fails on a full device (its name leads to /dev/full) leaves no file behind,
// whatever the format, and the error says the disk is full.
TEST(StillImage, AWriteOntoAFullDiskLeavesNoFile) {
    TempDir dir;
    QImage image(800, 600, QImage::Format_RGB888);
    image.fill(QColor(40, 120, 200));
    for (int format : {CImageSaver::kSaveJpeg, CImageSaver::kSaveBmp, CImageSaver::kSaveTiff}) {
        SCOPED_TRACE(format);
        const std::filesystem::path path = dir.Path() / ("full" + std::to_string(format));
        std::filesystem::create_symlink("/dev/full", path);
        errno = 0;
        EXPECT_FALSE(CImageSaver::WriteFile(format, path.string(), image));
        EXPECT_EQ(errno, ENOSPC);
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(path))) << "a failed picture is left";
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 0);
}

StillImageRequest Request(int channel, int saveFormat) {
    StillImageRequest r;
    r.channel = channel;
    r.width = 352;
    r.height = 240;
    r.timeText = "2024-03-05  07:08:09";
    r.saveFormat = saveFormat;
    r.layout.format = PictureFormat::Bgr24Dib;
    r.layout.width = 352;
    r.layout.height = 240;
    r.picture = MakeDibPicture(352, 240, [](int, int) { return Rgb{0, 0, 200}; });
    return r;
}

bool WaitDone(const CSaveImageThread& thread) {
    for (int i = 0; i < 3000 && !thread.IsDone(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return thread.IsDone();
}

TEST(SaveImageThread, NamesTheFileByTimeAndChannelUnderSaved) {
    const SYSTEMTIME t{2024, 3, 2, 5, 7, 8, 9, 0};
    EXPECT_EQ(CSaveImageThread::MakeFileName(t, 10, CImageSaver::kSaveBmp), "20240305070809_0011.bmp");
    EXPECT_EQ(CSaveImageThread::MakeFileName(t, 0, CImageSaver::kSaveJpeg), "20240305070809_0001.jpg");
    EXPECT_EQ(CSaveImageThread::MakeFileName(t, 15, CImageSaver::kSaveTiff), "20240305070809_0016.tif");

    TempDir dir;
    const std::string location = (dir.Path() / "deep/H264").string();
    auto clock = [t] { return t; };
    std::uintmax_t firstSize = 0;
    {
        CSaveImageThread first(location, Request(2, CImageSaver::kSaveJpeg), clock);
        ASSERT_TRUE(WaitDone(first));
        EXPECT_TRUE(first.Saved());
        EXPECT_EQ(first.GetPath(), location + "/Saved/20240305070809_0003.jpg");
        firstSize = std::filesystem::file_size(first.GetPath());
    }
    // A second save in the same second has the same name and takes the first's place.
    StillImageRequest second = Request(2, CImageSaver::kSaveJpeg);
    second.picture = MakeDibPicture(352, 240, Coordinates);
    CSaveImageThread again(location, std::move(second), clock);
    again.Join();
    EXPECT_TRUE(again.IsDone());
    EXPECT_TRUE(again.Saved());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(location + "/Saved"), {}), 1);
    EXPECT_NE(std::filesystem::file_size(again.GetPath()), firstSize);
    const Image image = ReadJpeg(again.GetPath());
    EXPECT_EQ(image.width, 800);
    EXPECT_EQ(image.height, 600);
}

TEST(SaveImageThread, AFailedSaveEndsDoneAndSaysSo) {
    TempDir dir;
    // The save location is a file: no folder can be made under it.
    const auto blocker = dir.Path() / "file";
    std::ofstream(blocker) << "x";
    CSaveImageThread blocked(blocker.string(), Request(0, CImageSaver::kSaveBmp));
    blocked.Join();
    EXPECT_TRUE(blocked.IsDone());
    EXPECT_FALSE(blocked.Saved());
    // A picture that does not fit its buffer is refused the same way.
    StillImageRequest bad = Request(1, CImageSaver::kSaveBmp);
    bad.picture.resize(100);
    CSaveImageThread refused(dir.Path().string(), std::move(bad));
    refused.Join();
    EXPECT_TRUE(refused.IsDone());
    EXPECT_FALSE(refused.Saved());
}

} // namespace
