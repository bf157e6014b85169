#pragma once
// H.264 streams made on the spot with the encoder of libavcodec, and an independent plain decode of
// them, for the decoder library's tests and benchmarks.

#include <cstdint>
#include <functional>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// One source picture in planar 4:2:0 (Y, then U, then V), tightly packed.
struct TestPicture {
    int width = 0;
    int height = 0;
    Bytes yuv;
};

// Fills picture n of a stream; the default draws a moving pattern with some noise, so every
// picture really differs and costs bits.
using PicturePainter = std::function<void(TestPicture& picture, int n)>;

struct StreamSpec {
    int width = 352;
    int height = 288;
    int frames = 10;
    int gop = 5;                      // an IDR picture every gop pictures
    std::int64_t bitRate = 0;         // 0: constant quality
    PicturePainter painter = nullptr; // null: the moving pattern
};

struct EncodedStream {
    std::vector<Bytes> units; // one Annex B access unit per picture, in decoding order
    std::vector<bool> key;    // unit i starts with an IDR picture
};

// Empty when the encoder is missing or fails.
EncodedStream EncodeStream(const StreamSpec& wanted);

void PaintMovingPattern(TestPicture& picture, int n);
// A flat picture of one colour.
PicturePainter FlatColour(std::uint8_t y, std::uint8_t u, std::uint8_t v);

enum class ReferenceFormat { I420, Bgr24 };
// Decodes the units with a fresh default decoder (draining it at the end) and returns every
// picture in the given layout, tightly packed, top row first.
std::vector<Bytes> ReferenceDecode(const std::vector<Bytes>& units, ReferenceFormat format);

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size);
