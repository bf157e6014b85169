// The test picture of a channel: a flat channel-specific colour, the channel number and the loop
// clock (seconds and frame) in large digits, and a bright box that moves from frame to frame.
// Drawn straight into planar YUV 4:2:0. A full-height picture (480 or 576 lines) is sent as a
// recorder sends it: its two fields one above the other, the even lines in the top half and the
// odd lines in the bottom half.
#pragma once

#include <cstdint>
#include <vector>

namespace ksim {

struct ChannelColour {
    uint8_t y;
    uint8_t u;
    uint8_t v;
};

class CTestPattern {
public:
    CTestPattern(int width, int height, int fps);

    static ChannelColour Colour(int channel);

    // Fills the three planes (strides given) with picture n of the channel as the recorder sends it.
    void Draw(int channel, int n, uint8_t* y, int yStride, uint8_t* u, int uStride, uint8_t* v, int vStride) const;
    // Picture n of the channel as the camera sees it: progressive, whatever the height.
    void DrawPicture(int channel, int n, uint8_t* y, int yStride, uint8_t* u, int uStride, uint8_t* v,
                     int vStride) const;
    // True for the heights that carry two fields.
    bool Fields() const { return m_height == 480 || m_height == 576; }
    // Adds a grain to the luma plane of picture n that differs in every picture and channel and is
    // the same for the same seed.
    void AddGrain(uint64_t seed, int channel, int n, uint8_t* y, int yStride) const;

private:
    void DrawText(const char* text, int x, int y, int scale, uint8_t* plane, int stride) const;

    int m_width;
    int m_height;
    int m_fps;
};

} // namespace ksim
