#include "platform/video/BgrScaler.h"

#include <algorithm>
#include <cstring>

namespace {

// Fixed-point steps: positions in 1/65536 of a pixel; a scaled row holds levels in 1/16 (from column
// weights in 1/256) and rows are mixed in 1/16 of a row, so that a mix of two rows fits 16 bits.
constexpr int kColumnBits = 8;
constexpr int kLevelBits = 4;
constexpr int kRowBits = 4;
constexpr int kOpaque = 255 << kLevelBits;

std::int64_t Increment(int from, int to) {
    return ((std::int64_t(from) << 16) + to / 2) / to;
}

// Bytes 0-3 of v in the 16-bit lanes 0-3.
[[gnu::always_inline]] inline std::uint64_t Spread(std::uint32_t v) {
    std::uint64_t x = v;
    x = (x | (x << 16)) & 0x0000FFFF0000FFFFull;
    return (x | (x << 8)) & 0x00FF00FF00FF00FFull;
}
constexpr std::uint64_t kLaneRound = 0x0001000100010001ull << (kColumnBits - kLevelBits - 1);
constexpr std::uint64_t kLaneMask = 0x0FFF0FFF0FFF0FFFull;

// Two pixels' lanes weighted (the right one by w in 1/256) into levels in 1/16, alpha lane opaque.
// Inlined into the row loops: as a call per pixel it is half of what a full-screen picture costs.
[[gnu::always_inline]] inline std::uint64_t Mix(std::uint32_t left, std::uint32_t right, std::uint64_t w) {
    std::uint64_t mixed = Spread(left) * ((1u << kColumnBits) - w) + Spread(right) * w;
    mixed = ((mixed + kLaneRound) >> (kColumnBits - kLevelBits)) & kLaneMask;
    return (mixed & 0x0000FFFFFFFFFFFFull) | (std::uint64_t(kOpaque) << 48);
}

// Sixteen values at a time in the compiler's portable vectors: a plain loop is left scalar at the
// normal optimisation level, and this mix is most of what a large tile costs.
using Levels = std::uint16_t __attribute__((vector_size(32)));
using Pixels = std::uint8_t __attribute__((vector_size(16)));
constexpr std::size_t kLanes = 16;

// out[i] = upper[i] * (1 - w) + lower[i] * w, rounded, w in 1/16 of a row.
void BlendRows(const std::uint16_t* upper, const std::uint16_t* lower, int weight, BYTE* out, std::size_t count) {
    constexpr int kShift = kLevelBits + kRowBits;
    const auto lowerWeight = std::uint16_t(weight);
    const auto upperWeight = std::uint16_t((1 << kRowBits) - weight);
    std::size_t i = 0;
    for (; i + kLanes <= count; i += kLanes) {
        Levels a;
        Levels b;
        std::memcpy(&a, upper + i, sizeof a);
        std::memcpy(&b, lower + i, sizeof b);
        const Levels v = (a * upperWeight + b * lowerWeight + (1 << (kShift - 1))) >> kShift;
        const Pixels p = __builtin_convertvector(v, Pixels);
        std::memcpy(out + i, &p, sizeof p);
    }
    for (; i < count; ++i) {
        out[i] = BYTE((upper[i] * upperWeight + lower[i] * lowerWeight + (1 << (kShift - 1))) >> kShift);
    }
}

} // namespace

void CBgrScaler::PrepareColumns(int width, int targetWidth) {
    if (m_columnsFrom == width && m_columnsTo == targetWidth) {
        return;
    }
    m_left.resize(std::size_t(targetWidth));
    m_step.resize(std::size_t(targetWidth));
    m_weight.resize(std::size_t(targetWidth));
    const std::int64_t step = Increment(width, targetWidth);
    for (int x = 0; x < targetWidth; ++x) {
        const std::int64_t position = x * step;
        const int column = int(position >> 16);
        const std::size_t i = std::size_t(x);
        if (column >= width - 1) {
            m_left[i] = (width - 1) * 3;
            m_step[i] = 0;
            m_weight[i] = 0;
            continue;
        }
        m_left[i] = column * 3;
        m_step[i] = 3;
        m_weight[i] = std::int16_t((position & 0xFFFF) >> (16 - kColumnBits));
    }
    // Columns whose right pixel's word (four bytes) ends inside the row; they come first.
    m_wordColumns = 0;
    while (m_wordColumns < m_left.size() && m_left[m_wordColumns] + m_step[m_wordColumns] + 4 <= width * 3) {
        ++m_wordColumns;
    }
    m_columnsFrom = width;
    m_columnsTo = targetWidth;
    m_rowOf[0] = m_rowOf[1] = -1;
}

const std::uint16_t* CBgrScaler::Row(const BYTE* first, std::ptrdiff_t stride, int y, int keep) {
    for (int slot = 0; slot < 2; ++slot) {
        if (m_rowOf[slot] == y) {
            return m_rows[slot].data();
        }
    }
    const int slot = m_rowOf[0] == keep ? 1 : 0;
    std::vector<std::uint16_t>& out = m_rows[slot];
    out.resize(m_left.size() * 4);
    const BYTE* row = first + std::ptrdiff_t(y) * stride;
    std::uint16_t* o = out.data();
    // A pixel's three bytes and the next one are read as one word and spread into four 16-bit lanes
    // of a 64-bit word, and both pixels are weighted at once: a lane never passes 255 * 256. The
    // last columns, where the fourth byte would lie past the row, take their three bytes alone.
    std::size_t x = 0;
    for (; x < m_wordColumns; ++x) {
        std::uint32_t left;
        std::uint32_t right;
        std::memcpy(&left, row + m_left[x], 4);
        std::memcpy(&right, row + m_left[x] + m_step[x], 4);
        const std::uint64_t mixed = Mix(left, right, m_weight[x]);
        std::memcpy(o + 4 * x, &mixed, sizeof mixed);
    }
    for (; x < m_left.size(); ++x) {
        std::uint32_t left = 0;
        std::uint32_t right = 0;
        std::memcpy(&left, row + m_left[x], 3);
        std::memcpy(&right, row + m_left[x] + m_step[x], 3);
        const std::uint64_t mixed = Mix(left, right, m_weight[x]);
        std::memcpy(o + 4 * x, &mixed, sizeof mixed);
    }
    m_rowOf[slot] = y;
    return out.data();
}

bool CBgrScaler::Draw(const BYTE* first, std::ptrdiff_t stride, int width, int height, const VideoTarget& target) {
    if (first == nullptr || width <= 0 || height <= 0 || target.bits == nullptr || target.width <= 0 ||
        target.height <= 0) {
        return false;
    }
    PrepareColumns(width, target.width);
    // Rows scaled for another picture are not reused.
    m_rowOf[0] = m_rowOf[1] = -1;
    const std::int64_t step = Increment(height, target.height);
    const std::size_t values = std::size_t(target.width) * 4;
    for (int y = 0; y < target.height; ++y) {
        // Row centres: target row y stands at source row (y + 1/2) * step - 1/2.
        const std::int64_t position = (2 * std::int64_t(y) + 1) * step / 2 - 0x8000;
        int top = position < 0 ? 0 : int(position >> 16);
        int weight = position < 0 ? 0 : int((position & 0xFFFF) >> (16 - kRowBits));
        if (top >= height - 1) {
            top = height - 1;
            weight = 0;
        }
        BYTE* out = target.bits + std::ptrdiff_t(y) * target.stride;
        const std::uint16_t* upper = Row(first, stride, top, weight != 0 ? top + 1 : -1);
        const std::uint16_t* lower = weight != 0 ? Row(first, stride, top + 1, top) : upper;
        BlendRows(upper, lower, weight, out, values);
    }
    return true;
}
