#pragma once
// A decoded picture as the video window holds it, and the 32-bit image area it is drawn into.
//
// The two drawing modes keep their pictures differently:
// - Yuv420: planar 4:2:0 straight from the decoder, Y (w x h), then U, then V (w/2 x h/2 each), top
//   row first. A picture of 480 or 576 lines holds two fields one above the other; the first (upper)
//   one is shown. When the first field was already line-doubled in place, the rows say so.
// - Bgr24: 3 bytes per pixel (B, G, R), top row first, as the decoder writes it: for 480 and 576
//   lines the second (lower) field is the one shown, its lines doubled.
// - Bgr24Dib: the same pixels in device-independent-bitmap order, the bottom row first, as the row
//   reordering for drawing leaves it: for 480 and 576 lines the two fields are then interleaved and
//   the field in the even rows of the buffer (the second one) is the one shown. Still images and web
//   snapshots take RGB pictures in this form.
// Each mode shows a cropped part of the picture (GetPictureCrop): the recorder's pictures carry a few
// unused lines at the top and bottom, and a 352-wide picture a few unused columns at the side.

#include "platform/base/WinTypes.h"

#include <cstddef>

enum class PictureFormat { Yuv420, Bgr24, Bgr24Dib };

constexpr bool IsRgb(PictureFormat format) {
    return format != PictureFormat::Yuv420;
}

struct PictureSource {
    const BYTE* data = nullptr;
    std::size_t size = 0; // bytes readable at data
    int width = 0;
    int height = 0;
    PictureFormat format = PictureFormat::Yuv420;
    // Yuv420 with 480 or 576 lines only: the first field has been line-doubled in place, every
    // plane, so row 2i and 2i + 1 both hold its row i.
    bool firstFieldDoubled = false;
};

// 32-bit pixels with the bytes B, G, R, 0xFF in memory (a QImage of format RGB32), rows of `stride`
// bytes, top row first. `bits` points at the target rectangle's top-left pixel. `padded` says that
// the target is an image of its own laid out as CPictureScaler::PaddedStride gives, with the slack it
// names after every row, the last one included: the converter may then write into it straight.
struct VideoTarget {
    BYTE* bits = nullptr;
    int stride = 0;
    int width = 0;
    int height = 0;
    bool padded = false;
};

// True for the picture heights that hold two stacked fields.
constexpr bool HasStackedFields(int height) {
    return height == 480 || height == 576;
}

// Bytes of a whole picture of this size and format.
std::size_t PictureBytes(PictureFormat format, int width, int height);

// The part of a width x height picture that is shown, in full-picture coordinates with the top row
// as row 0 (right and bottom exclusive). Empty when nothing is left of the picture.
RECT GetPictureCrop(PictureFormat format, int width, int height);
