#include "controls/LoadImageFile.h"

#include "platform/gdi/DibFile.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiQt.h"

#include <QImage>

#include <jpeglib.h>
#include <tiffio.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

// Largest picture file read, whatever its kind.
constexpr std::size_t kMaxFileBytes = kDibFileMaxBytes;

bool SizeAllowed(std::uint64_t width, std::uint64_t height) {
    return width > 0 && height > 0 && width <= std::uint64_t(kGdiMaxBitmapSide) &&
           height <= std::uint64_t(kGdiMaxBitmapSide) && width * height <= std::uint64_t(kGdiMaxBitmapPixels);
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool ReadAll(std::FILE* file, std::vector<BYTE>* out) {
    if (std::fseek(file, 0, SEEK_END) != 0)
        return false;
    long length = std::ftell(file);
    if (length <= 0 || std::size_t(length) > kMaxFileBytes || std::fseek(file, 0, SEEK_SET) != 0)
        return false;
    out->resize(std::size_t(length));
    return std::fread(out->data(), 1, out->size(), file) == out->size();
}

// --- TIFF ---------------------------------------------------------------------------------------

int QuietTiff(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

struct TiffCloser {
    void operator()(TIFF* t) const { TIFFClose(t); }
};
struct OptionsFree {
    void operator()(TIFFOpenOptions* o) const { TIFFOpenOptionsFree(o); }
};

HBITMAP LoadTiff(const char* path) {
    struct stat st {};
    if (stat(path, &st) != 0 || !S_ISREG(st.st_mode) || std::uint64_t(st.st_size) > kMaxFileBytes)
        return nullptr;
    std::unique_ptr<TIFFOpenOptions, OptionsFree> options(TIFFOpenOptionsAlloc());
    if (!options)
        return nullptr;
    // Damaged files are an expected input: their diagnostics stay out of the program's output.
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), QuietTiff, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), QuietTiff, nullptr);
    std::unique_ptr<TIFF, TiffCloser> tif(TIFFOpenExt(path, "r", options.get()));
    if (!tif)
        return nullptr;
    std::uint32_t width = 0, height = 0;
    std::uint16_t samples = 0;
    TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &height);
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_SAMPLESPERPIXEL, &samples);
    if (!SizeAllowed(width, height))
        return nullptr;

    // The picture as a 24-bit bottom-up DIB, rows padded to 4 bytes.
    const std::size_t stride = (std::size_t(width) * 3 + 3) / 4 * 4;
    std::vector<BYTE> dib(stride * height, 0);
    // The RGBA reader gives rows bottom-up, as the DIB wants them.
    std::vector<std::uint32_t> raster(std::size_t(width) * height);
    if (!TIFFReadRGBAImage(tif.get(), width, height, raster.data(), 0))
        return nullptr;
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::uint32_t* in = raster.data() + std::size_t(y) * width;
        BYTE* out = dib.data() + stride * y;
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::uint32_t p = in[x];
            const std::uint32_t a = TIFFGetA(p);
            // Colours are multiplied by alpha, rounded as (c x A + 1) >> 8.
            out[3 * x] = BYTE((TIFFGetB(p) * a + 1) >> 8);
            out[3 * x + 1] = BYTE((TIFFGetG(p) * a + 1) >> 8);
            out[3 * x + 2] = BYTE((TIFFGetR(p) * a + 1) >> 8);
        }
    }
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = LONG(width);
    header.biHeight = LONG(height);
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    return CreateDIBitmapChecked(header, dib.data(), dib.size());
}

// --- JPEG ---------------------------------------------------------------------------------------

struct JpegError {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void JpegFail(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}
void JpegQuiet(j_common_ptr) {}

// No object with a destructor lives in this function's frame across the jump: the picture is
// written through `out`, which the caller owns.
bool DecodeJpegInto(const BYTE* data, std::size_t size, QImage* out) {
    jpeg_decompress_struct info;
    JpegError error;
    info.err = jpeg_std_error(&error.pub);
    error.pub.error_exit = JpegFail;
    error.pub.output_message = JpegQuiet;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK || !SizeAllowed(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_EXT_BGRA; // the memory order of 32-bit image pixels
    jpeg_start_decompress(&info);
    *out = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
    if (out->isNull()) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out->scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

HBITMAP DecodePicture(const std::vector<BYTE>& bytes) {
    // The picture loader goes by content, not by name.
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        return GdiCreateBitmap(DecodeBmp(bytes.data(), bytes.size()));
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) {
        QImage image;
        if (!DecodeJpegInto(bytes.data(), bytes.size(), &image))
            return nullptr;
        return GdiCreateBitmap(image);
    }
    return nullptr;
}

} // namespace

HBITMAP LoadImageFile(LPCSTR path) {
    if (!path)
        return nullptr;
    File file(std::fopen(path, "rb"));
    if (!file)
        return nullptr;
    std::string lower(path);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    if (lower.find(".tif") != std::string::npos) {
        file.reset();
        return LoadTiff(path);
    }
    if (lower.find(".bmp") == std::string::npos && lower.find(".jpg") == std::string::npos)
        return nullptr;
    std::vector<BYTE> bytes;
    if (!ReadAll(file.get(), &bytes))
        return nullptr;
    file.reset();
    return DecodePicture(bytes);
}
