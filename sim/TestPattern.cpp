#include "sim/TestPattern.h"

#include "sim/SimRandom.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <tuple>

namespace ksim {

namespace {

struct Glyph {
    char c;
    uint8_t rows[7]; // 5 columns, bit 4 = leftmost
};

constexpr Glyph kGlyphs[] = {
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}}, {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}}, {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}}, {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}}, {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}}, {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}}, {'H', {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {':', {0x00, 0x0C, 0x0C, 0x00, 0x0C, 0x0C, 0x00}}, {' ', {0, 0, 0, 0, 0, 0, 0}},
};

const Glyph* Find(char c) {
    for (const auto& g : kGlyphs) {
        if (g.c == c)
            return &g;
    }
    return nullptr;
}

// Amplitude of the grain in luma steps: enough detail for several Mbit/s at d1.
constexpr int kGrain = 12;

constexpr ChannelColour kColours[16] = {
    {81, 90, 240},  {145, 54, 34},  {41, 240, 110}, {170, 166, 16},  {106, 202, 222}, {210, 16, 146},
    {60, 150, 200}, {120, 80, 80},  {90, 200, 60},  {160, 100, 180}, {70, 110, 150},  {135, 170, 120},
    {100, 60, 160}, {180, 140, 60}, {55, 180, 170}, {150, 120, 210},
};

} // namespace

CTestPattern::CTestPattern(int width, int height, int fps) : m_width(width), m_height(height), m_fps(fps) {}

ChannelColour CTestPattern::Colour(int channel) {
    return kColours[channel & 15];
}

void CTestPattern::DrawText(const char* text, int x, int y, int scale, uint8_t* plane, int stride) const {
    for (; *text; ++text, x += 6 * scale) {
        const Glyph* g = Find(*text);
        if (!g)
            continue;
        for (int row = 0; row < 7; ++row) {
            for (int col = 0; col < 5; ++col) {
                if (!(g->rows[row] & (0x10 >> col)))
                    continue;
                for (int dy = 0; dy < scale; ++dy) {
                    const int py = y + row * scale + dy;
                    if (py < 0 || py >= m_height)
                        continue;
                    const int px0 = std::max(0, x + col * scale);
                    const int px1 = std::min(m_width, x + (col + 1) * scale);
                    if (px1 > px0)
                        std::memset(plane + py * stride + px0, 235, size_t(px1 - px0));
                }
            }
        }
    }
}

void CTestPattern::Draw(int channel, int n, uint8_t* y, int yStride, uint8_t* u, int uStride, uint8_t* v,
                        int vStride) const {
    if (!Fields()) {
        DrawPicture(channel, n, y, yStride, u, uStride, v, vStride);
        return;
    }
    const int cw = m_width / 2;
    const int ch = m_height / 2;
    std::vector<uint8_t> py(size_t(m_width * m_height));
    std::vector<uint8_t> pu(size_t(cw * ch));
    std::vector<uint8_t> pv(size_t(cw * ch));
    DrawPicture(channel, n, py.data(), m_width, pu.data(), cw, pv.data(), cw);
    // Line 2r of the picture is line r of the first field, line 2r + 1 line r of the second.
    const int half = m_height / 2;
    for (int r = 0; r < half; ++r) {
        std::memcpy(y + r * yStride, &py[size_t(2 * r * m_width)], size_t(m_width));
        std::memcpy(y + (half + r) * yStride, &py[size_t((2 * r + 1) * m_width)], size_t(m_width));
    }
    const int quarter = ch / 2;
    for (int r = 0; r < quarter; ++r) {
        for (const auto& [out, stride, in] : {std::tuple{u, uStride, &pu}, std::tuple{v, vStride, &pv}}) {
            std::memcpy(out + r * stride, &(*in)[size_t(2 * r * cw)], size_t(cw));
            std::memcpy(out + (quarter + r) * stride, &(*in)[size_t((2 * r + 1) * cw)], size_t(cw));
        }
    }
}

void CTestPattern::DrawPicture(int channel, int n, uint8_t* y, int yStride, uint8_t* u, int uStride, uint8_t* v,
                               int vStride) const {
    const ChannelColour c = Colour(channel);
    for (int row = 0; row < m_height; ++row)
        std::memset(y + row * yStride, c.y, size_t(m_width));
    for (int row = 0; row < m_height / 2; ++row) {
        std::memset(u + row * uStride, c.u, size_t(m_width / 2));
        std::memset(v + row * vStride, c.v, size_t(m_width / 2));
    }
    // The moving box: one sweep across the picture per second.
    const int box = std::max(8, m_height / 8) & ~1;
    const int travel = std::max(1, m_width - box);
    const int bx = ((n % m_fps) * travel / m_fps) & ~1;
    const int by = (m_height - box) / 2 & ~1;
    for (int row = by; row < by + box && row < m_height; ++row)
        std::memset(y + row * yStride + bx, 16, size_t(std::min(box, m_width - bx)));

    const int scale = std::max(2, m_height / 40);
    char text[16];
    std::snprintf(text, sizeof(text), "CH%02d", channel + 1);
    DrawText(text, scale * 2, scale * 2, scale, y, yStride);
    std::snprintf(text, sizeof(text), "%02d:%02d", (n / m_fps) % 100, n % m_fps);
    DrawText(text, scale * 2, m_height - scale * 9, scale, y, yStride);
}

void CTestPattern::AddGrain(uint64_t seed, int channel, int n, uint8_t* y, int yStride) const {
    CSimRandom rnd(seed ^ (uint64_t(channel) << 56) ^ (uint64_t(uint32_t(n)) << 20) ^ 0x6EA1A5EEDull);
    for (int row = 0; row < m_height; ++row) {
        uint8_t* p = y + row * yStride;
        for (int x = 0; x < m_width; x += 8) {
            uint64_t bits = rnd.Next();
            for (int k = 0; k < 8 && x + k < m_width; ++k, bits >>= 8) {
                // -kGrain..kGrain, clamped to the video range.
                const int delta = int(bits & 0xFF) % (2 * kGrain + 1) - kGrain;
                p[x + k] = uint8_t(std::clamp(int(p[x + k]) + delta, 16, 235));
            }
        }
    }
}

} // namespace ksim
