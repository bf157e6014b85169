#include "tests/decoder/TestStream.h"

#include <cstring>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/crc.h>
#include <libavutil/frame.h>
#include <libavutil/log.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace {

struct CodecFree {
    void operator()(AVCodecContext* p) const { avcodec_free_context(&p); }
};
struct FrameFree {
    void operator()(AVFrame* p) const { av_frame_free(&p); }
};
struct PacketFree {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
using CodecPtr = std::unique_ptr<AVCodecContext, CodecFree>;
using FramePtr = std::unique_ptr<AVFrame, FrameFree>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFree>;

void TakePackets(AVCodecContext* codec, AVPacket* packet, EncodedStream& out) {
    while (avcodec_receive_packet(codec, packet) == 0) {
        out.units.emplace_back(packet->data, packet->data + packet->size);
        out.key.push_back((packet->flags & AV_PKT_FLAG_KEY) != 0);
        av_packet_unref(packet);
    }
}

Bytes PackFrame(const AVFrame& frame, ReferenceFormat format) {
    const int w = frame.width;
    const int h = frame.height;
    if (format == ReferenceFormat::I420) {
        Bytes out(std::size_t(w) * h * 3 / 2);
        std::uint8_t* dst = out.data();
        for (int plane = 0; plane < 3; ++plane) {
            const int pw = plane ? w / 2 : w;
            const int ph = plane ? h / 2 : h;
            for (int y = 0; y < ph; ++y, dst += pw) {
                std::memcpy(dst, frame.data[plane] + std::ptrdiff_t(y) * frame.linesize[plane], pw);
            }
        }
        return out;
    }
    Bytes out(std::size_t(w) * h * 3);
    SwsContext* sws = sws_getContext(w, h, AVPixelFormat(frame.format), w, h, AV_PIX_FMT_BGR24, SWS_BILINEAR, nullptr,
                                     nullptr, nullptr);
    std::uint8_t* planes[4] = {out.data()};
    int strides[4] = {w * 3};
    sws_scale(sws, frame.data, frame.linesize, 0, h, planes, strides);
    sws_freeContext(sws);
    return out;
}

} // namespace

static EncodedStream Encode(const StreamSpec& wanted);

void PaintMovingPattern(TestPicture& picture, int n) {
    const int w = picture.width;
    const int h = picture.height;
    std::uint8_t* y = picture.yuv.data();
    std::uint8_t* u = y + std::size_t(w) * h;
    std::uint8_t* v = u + std::size_t(w / 2) * (h / 2);
    std::uint32_t seed = 0x9E3779B9u * std::uint32_t(n + 1);
    for (int row = 0; row < h; ++row) {
        for (int col = 0; col < w; ++col) {
            seed = seed * 1664525u + 1013904223u;
            const bool box = col >= (n * 8) % w && col < (n * 8) % w + 64 && row >= 32 && row < 96;
            y[row * w + col] = std::uint8_t(box ? 220 : ((col + row + n * 3) & 0x7F) + 40 + ((seed >> 28) & 7));
        }
    }
    for (int row = 0; row < h / 2; ++row) {
        for (int col = 0; col < w / 2; ++col) {
            u[row * (w / 2) + col] = std::uint8_t(96 + ((col + n) & 63));
            v[row * (w / 2) + col] = std::uint8_t(96 + ((row * 2 + n) & 63));
        }
    }
}

PicturePainter FlatColour(std::uint8_t y, std::uint8_t u, std::uint8_t v) {
    return [=](TestPicture& picture, int) {
        const std::size_t luma = std::size_t(picture.width) * picture.height;
        std::memset(picture.yuv.data(), y, luma);
        std::memset(picture.yuv.data() + luma, u, luma / 4);
        std::memset(picture.yuv.data() + luma + luma / 4, v, luma / 4);
    };
}

EncodedStream EncodeStream(const StreamSpec& wanted) {
    // The encoder's statistics would fill every test log.
    const int logLevel = av_log_get_level();
    av_log_set_level(AV_LOG_ERROR);
    EncodedStream out = Encode(wanted);
    av_log_set_level(logLevel);
    return out;
}

static EncodedStream Encode(const StreamSpec& wanted) {
    EncodedStream out;
    const AVCodec* encoder = avcodec_find_encoder_by_name("libx264");
    if (!encoder) {
        return out;
    }
    CodecPtr codec(avcodec_alloc_context3(encoder));
    codec->width = wanted.width;
    codec->height = wanted.height;
    codec->pix_fmt = AV_PIX_FMT_YUV420P;
    codec->time_base = AVRational{1, 25};
    codec->framerate = AVRational{25, 1};
    codec->gop_size = wanted.gop;
    codec->max_b_frames = 0;
    codec->thread_count = 1;
    if (wanted.bitRate > 0) {
        codec->bit_rate = wanted.bitRate;
        codec->rc_max_rate = wanted.bitRate;
        codec->rc_buffer_size = int(wanted.bitRate);
    }
    av_opt_set(codec->priv_data, "preset", "veryfast", 0);
    av_opt_set(codec->priv_data, "tune", "zerolatency", 0);
    const std::string params = "keyint=" + std::to_string(wanted.gop) + ":min-keyint=" + std::to_string(wanted.gop) +
                               ":scenecut=0:bframes=0:threads=1:sliced-threads=0";
    av_opt_set(codec->priv_data, "x264-params", params.c_str(), 0);
    if (wanted.bitRate <= 0) {
        av_opt_set(codec->priv_data, "crf", "23", 0);
    }
    if (avcodec_open2(codec.get(), encoder, nullptr) < 0) {
        return out;
    }
    FramePtr frame(av_frame_alloc());
    PacketPtr packet(av_packet_alloc());
    TestPicture picture{wanted.width, wanted.height, Bytes(std::size_t(wanted.width) * wanted.height * 3 / 2)};
    for (int n = 0; n < wanted.frames; ++n) {
        if (wanted.painter) {
            wanted.painter(picture, n);
        } else {
            PaintMovingPattern(picture, n);
        }
        frame->format = AV_PIX_FMT_YUV420P;
        frame->width = wanted.width;
        frame->height = wanted.height;
        std::uint8_t* y = picture.yuv.data();
        frame->data[0] = y;
        frame->data[1] = y + std::size_t(wanted.width) * wanted.height;
        frame->data[2] = frame->data[1] + std::size_t(wanted.width / 2) * (wanted.height / 2);
        frame->linesize[0] = wanted.width;
        frame->linesize[1] = frame->linesize[2] = wanted.width / 2;
        frame->pts = n;
        if (avcodec_send_frame(codec.get(), frame.get()) < 0) {
            return EncodedStream{};
        }
        TakePackets(codec.get(), packet.get(), out);
    }
    avcodec_send_frame(codec.get(), nullptr);
    TakePackets(codec.get(), packet.get(), out);
    return out;
}

std::vector<Bytes> ReferenceDecode(const std::vector<Bytes>& units, ReferenceFormat format) {
    std::vector<Bytes> pictures;
    const AVCodec* decoder = avcodec_find_decoder(AV_CODEC_ID_H264);
    CodecPtr codec(avcodec_alloc_context3(decoder));
    if (avcodec_open2(codec.get(), decoder, nullptr) < 0) {
        return pictures;
    }
    FramePtr frame(av_frame_alloc());
    PacketPtr packet(av_packet_alloc());
    auto take = [&] {
        while (avcodec_receive_frame(codec.get(), frame.get()) == 0) {
            pictures.push_back(PackFrame(*frame, format));
            av_frame_unref(frame.get());
        }
    };
    for (const Bytes& unit : units) {
        packet->data = const_cast<std::uint8_t*>(unit.data());
        packet->size = int(unit.size());
        avcodec_send_packet(codec.get(), packet.get());
        take();
    }
    avcodec_send_packet(codec.get(), nullptr);
    take();
    return pictures;
}

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
    return av_crc(av_crc_get_table(AV_CRC_32_IEEE_LE), 0xFFFFFFFFu, data, size) ^ 0xFFFFFFFFu;
}
