#pragma once
// A decoded picture in the form still images and web snapshots take it. The channel's frame buffer
// keeps each picture as the decoder wrote it; the copy handed to those savers puts the rows into the
// order the drawing mode keeps them in, so the picture is reordered for free while it is copied:
// - planar 4:2:0 pictures of 480 and 576 lines keep their first field with its lines doubled, in
//   every plane (what an in-place doubling would leave);
// - RGB24 pictures (top row first from the decoder) become bottom-up rows; for 480 and 576 lines the
//   stacked fields are interleaved and the even rows copied onto the odd ones, which leaves only the
//   second field, line-doubled (what the row reordering followed by line doubling would leave).

#include "platform/base/WinTypes.h"
#include "platform/video/VideoPicture.h"

#include <cstddef>

// How a channel's frame buffer holds its picture.
struct PictureLayout {
    PictureFormat format = PictureFormat::Yuv420;
    int width = 0;
    int height = 0;
    bool firstFieldDoubled = false; // planar pictures of 480 and 576 lines
};

// Copies a width x height picture of the decoder's output (planar 4:2:0, or top-down BGR24 for
// either RGB format tag) from src into dst, reordered as above. False, with dst untouched, when the size is odd or
// either buffer is too small for it.
bool PublishPictureRows(const BYTE* src, std::size_t srcSize, BYTE* dst, std::size_t dstSize, int width, int height,
                        PictureFormat format, PictureLayout& layout);
