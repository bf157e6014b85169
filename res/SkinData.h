#pragma once
// The skin bitmaps as the generator packs them into the resource library: per bitmap its size and a
// zlib stream of its rows. A row is width x 3 bytes (red, green, blue), each byte stored as the
// difference to the same byte of the pixel on its left (the first pixel as it is), so flat and
// vertically shaded art packs small. Icons are packed the same way with a fourth byte, alpha, per
// pixel (not premultiplied); an icon has one entry per size, smallest first.

#include <cstdint>

struct SkinDataEntry {
    uint32_t id;
    uint32_t width; // whole strip, all cells
    uint32_t height;
    uint32_t offset; // of the zlib stream in the blob
    uint32_t size;   // of the zlib stream
};

extern const SkinDataEntry kSkinDataEntries[];
extern const uint32_t kSkinDataEntryCount;
extern const unsigned char kSkinDataBlob[];
extern const uint32_t kSkinDataBlobSize;

struct IconDataEntry {
    uint32_t id;
    uint32_t side; // width and height
    uint32_t offset;
    uint32_t size;
};

extern const IconDataEntry kIconDataEntries[];
extern const uint32_t kIconDataEntryCount;
