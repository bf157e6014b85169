#pragma once
// Pictures to save and the files read back: the JPEG and TIFF files are decoded with the libraries
// themselves, so the writers are checked against an independent reader.

#include "platform/base/WinTypes.h"
#include "tests/support/TempDir.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <tiffio.h>

namespace stilltest {

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
};

// A picture of the size as a channel's RGB24 frame buffer holds it (bottom row first, B, G, R), with
// the colour of each visual pixel (x, y from the top-left) given by the function.
inline std::vector<BYTE> MakeDibPicture(int width, int height, const std::function<Rgb(int, int)>& colour) {
    std::vector<BYTE> buffer(std::size_t(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        BYTE* row = buffer.data() + std::size_t(height - 1 - y) * width * 3;
        for (int x = 0; x < width; ++x) {
            const Rgb c = colour(x, y);
            row[3 * x] = BYTE(c.b);
            row[3 * x + 1] = BYTE(c.g);
            row[3 * x + 2] = BYTE(c.r);
        }
    }
    return buffer;
}

// Planar 4:2:0 of one colour.
inline std::vector<BYTE> MakeYuvPicture(int width, int height, BYTE y, BYTE u, BYTE v) {
    std::vector<BYTE> buffer(std::size_t(width) * height * 3 / 2, y);
    std::fill(buffer.begin() + long(width) * height, buffer.begin() + long(width) * height * 5 / 4, u);
    std::fill(buffer.begin() + long(width) * height * 5 / 4, buffer.end(), v);
    return buffer;
}

// Every pixel a colour of its own: where a rendered pixel came from can be told exactly.
inline Rgb Coordinates(int x, int y) {
    return Rgb{x & 0xFF, y & 0xFF, ((x >> 8) & 0x0F) | ((y >> 8) << 4)};
}

struct Image {
    int width = 0;
    int height = 0;
    int components = 0;
    std::vector<BYTE> rgb; // R, G, B, top row first
    Rgb At(int x, int y) const {
        const BYTE* p = rgb.data() + (std::size_t(y) * width + x) * 3;
        return Rgb{p[0], p[1], p[2]};
    }
};

inline Image ReadJpeg(const std::filesystem::path& path) {
    Image image;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return image;
    }
    jpeg_decompress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image.width = int(info.output_width);
    image.height = int(info.output_height);
    image.components = info.num_components;
    image.rgb.resize(std::size_t(image.width) * image.height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.rgb.data() + std::size_t(info.output_scanline) * image.width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    return image;
}

// The mean colour of a rectangle.
inline Rgb Mean(const Image& image, int x0, int y0, int x1, int y1) {
    long r = 0, g = 0, b = 0, n = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const Rgb c = image.At(x, y);
            r += c.r;
            g += c.g;
            b += c.b;
            ++n;
        }
    }
    return n == 0 ? Rgb{} : Rgb{int(r / n), int(g / n), int(b / n)};
}

using kelotest::TempDir;

} // namespace stilltest
