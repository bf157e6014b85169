#pragma once
// One decoder behind a PT_H264DEC_CONTEXT: an H.264 decoder that works on the calling thread only
// (one stream per channel already keeps the cores busy, and frame threading would delay every
// picture by a frame per thread), outputs each picture as soon as it is complete, and writes it in
// the caller's format into the caller's frame buffer after checking that it fits.

#include "decoder/H264_D1.h"

#include <cstdint>
#include <memory>

struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;

class CH264Session {
public:
    // Largest access unit taken; the recorder's video size field has 20 bits.
    static constexpr int kMaxAccessUnit = 1 << 24;

    struct Picture {
        int width = 0; // size of the last picture decoded, 0 when none was
        int height = 0;
    };

    // Null when no H.264 decoder is available or memory ran out.
    static std::unique_ptr<CH264Session> Create();
    ~CH264Session();
    CH264Session(const CH264Session&) = delete;
    CH264Session& operator=(const CH264Session&) = delete;

    // Decodes one access unit and writes its picture into dst (PT_H264DEC_FRAME_BUFFER_SIZE bytes).
    // Returns one of the PT_H264DEC_* results; `picture` gets the decoded size whenever a picture came out.
    int Decode(const std::uint8_t* data, int len, std::uint32_t format, std::uint8_t* dst, Picture& picture);

private:
    CH264Session() = default;
    bool Open();
    // Takes every picture the decoder has ready and keeps the newest in m_ready. A negative AVERROR
    // when the decoder failed before giving any picture, else the count of pictures taken.
    int ReceiveNewest();
    int Deliver(const AVFrame& frame, std::uint32_t format, std::uint8_t* dst);
    bool Convert(const AVFrame& frame, int dstFormat, std::uint8_t* dst);

    struct CodecFree {
        void operator()(AVCodecContext* p) const;
    };
    struct FrameFree {
        void operator()(AVFrame* p) const;
    };
    struct PacketFree {
        void operator()(AVPacket* p) const;
    };
    struct SwsFree {
        void operator()(SwsContext* p) const;
    };

    std::unique_ptr<AVCodecContext, CodecFree> m_codec;
    std::unique_ptr<AVPacket, PacketFree> m_packet;
    std::unique_ptr<AVFrame, FrameFree> m_received;
    std::unique_ptr<AVFrame, FrameFree> m_ready;
    // Conversion for RGB output and for pictures that are not plain 4:2:0, kept while the input
    // size and format stay the same.
    std::unique_ptr<SwsContext, SwsFree> m_sws;
    int m_swsWidth = 0;
    int m_swsHeight = 0;
    int m_swsSrcFormat = -1;
    int m_swsDstFormat = -1;
    int m_swsFullRange = -1;
};
