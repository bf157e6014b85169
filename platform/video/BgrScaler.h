#pragma once
// Draws BGR24 rows scaled into a 32-bit target, staying in RGB: each target pixel is the bilinear mix
// of the two nearest columns (taken as the fast bilinear filter takes them, from the left edge) of
// the two nearest rows (centre to centre). The general converter scales RGB by way of a YUV form of
// its own, which costs twice as much for a tile and moves colours by a step or two; this keeps
// pixels of an unscaled picture exact.
//
// One object per drawing thread: it keeps the column table and two scaled rows between calls.

#include "platform/video/VideoPicture.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CBgrScaler {
public:
    // `first` is the first shown row's first shown pixel; shown rows are `stride` bytes apart (negative
    // when they go upwards in memory). Writes the target's width x height pixels and no byte beside
    // them. False, with the target untouched, when either size is empty.
    bool Draw(const BYTE* first, std::ptrdiff_t stride, int width, int height, const VideoTarget& target);

private:
    void PrepareColumns(int width, int targetWidth);
    // The scaled row of source row y, kept in a slot other than the one holding row `keep`.
    const std::uint16_t* Row(const BYTE* first, std::ptrdiff_t stride, int y, int keep);

    // Per target column: byte offset of the left source pixel, byte step to the right one (0 at the
    // last column), and the right one's weight in 1/256.
    std::vector<int> m_left;
    std::vector<std::uint8_t> m_step;
    std::vector<std::int16_t> m_weight;
    std::size_t m_wordColumns = 0; // the first columns, whose pixels can be read as 4-byte words
    int m_columnsFrom = 0;
    int m_columnsTo = 0;
    // Two source rows scaled to the target's width: B, G, R and a constant for the alpha byte, in
    // 1/16 steps.
    std::vector<std::uint16_t> m_rows[2];
    int m_rowOf[2] = {-1, -1};
};
