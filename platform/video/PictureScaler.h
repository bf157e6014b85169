#pragma once
// Draws a channel's decoded picture into a rectangle of a 32-bit image in one pass: the shown part
// of the picture (crop and field), colour conversion and scaling to the rectangle's size together.
// This stands where the overlay-free YV12 surface blit and the DIB stretch-blit stood; the picture
// buffer is only read.
//
// RGB pictures are scaled in RGB by CBgrScaler; planar ones by the converter.
//
// One object per drawing thread (a channel's decoder, the UI thread): it keeps the conversion set-up
// of the last few sizes, so a picture of a size and format seen before costs no set-up. The
// converter's vector code writes whole blocks of pixels, past the end of a row when the width is not
// a multiple of the block. A target laid out with that slack (a tile image of its own, see
// PaddedStride) is written straight; any other target (a rectangle of a larger image) is drawn into a
// padded image of the scaler's own and only the rectangle copied, so that neighbouring tiles and the
// end of the image are never touched.

#include "platform/video/BgrScaler.h"
#include "platform/video/VideoPicture.h"

#include <memory>
#include <vector>

struct SwsContext;

class CPictureScaler {
public:
    CPictureScaler();
    ~CPictureScaler();
    CPictureScaler(const CPictureScaler&) = delete;
    CPictureScaler& operator=(const CPictureScaler&) = delete;

    // False, with the target untouched, when the picture or the target is unusable: no data, a size
    // that is odd or leaves nothing after the crop, fewer bytes than the picture needs, or a target
    // without pixels.
    bool Draw(const PictureSource& source, const VideoTarget& target);

    // How many conversion set-ups are kept.
    static constexpr std::size_t kCachedSetups = 4;
    // Rows of a padded target: 64-byte aligned, with room for the widest block the converter writes
    // past a row's end. A padded target's buffer starts on a kPaddedAlign boundary and holds
    // PaddedBytes(width, height).
    static constexpr int kPaddedAlign = 64;
    static int PaddedStride(int width) { return (((width + 63) & ~63) + 64) * 4; }
    static std::size_t PaddedBytes(int width, int height) { return std::size_t(PaddedStride(width)) * height + 256; }

private:
    struct Key {
        int srcWidth;
        int srcHeight;
        int srcFormat;
        int dstWidth;
        int dstHeight;
        bool oddChroma; // the crop starts at an odd column, half-way into a chroma sample
        bool operator==(const Key&) const = default;
    };
    struct SwsFree {
        void operator()(SwsContext* p) const;
    };
    struct Setup {
        Key key;
        std::unique_ptr<SwsContext, SwsFree> sws;
    };

    SwsContext* Find(const Key& key);
    // The padded work image for a target of this size; null when it cannot be had.
    BYTE* Scratch(int width, int height, int& stride);

    CBgrScaler m_bgr;            // RGB pictures
    std::vector<Setup> m_setups; // planar pictures' set-ups, most recently used last
    std::vector<BYTE> m_scratch;
};
