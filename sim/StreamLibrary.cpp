#include "sim/StreamLibrary.h"

#include "sim/TestPattern.h"

#include <algorithm>
#include <memory>
#include <thread>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/frame.h>
#include <libavutil/opt.h>
}

namespace ksim {

namespace {

struct CodecContextDeleter {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameDeleter {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketDeleter {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};

} // namespace

CStreamLibrary::CStreamLibrary(const VideoFormat& format, int channels, int loopFrames, const StreamRate& rate)
    : m_format(format), m_rate(rate), m_loopFrames(loopFrames) {
    channels = std::clamp(channels, 1, 16);
    // The loop must end on a GOP boundary so that it wraps onto its own IDR.
    m_loopFrames = std::max(Gop(), loopFrames - loopFrames % Gop());
    m_units.resize(size_t(channels));
    std::vector<std::string> errors(static_cast<size_t>(channels));
    // One encoder per channel, single-threaded each (deterministic output); a few channels at a
    // time so that start-up stays short without taking the whole machine.
    const int workers = std::clamp(int(std::thread::hardware_concurrency()), 1, 4);
    for (int first = 0; first < channels; first += workers) {
        std::vector<std::thread> threads;
        for (int ch = first; ch < std::min(channels, first + workers); ++ch) {
            threads.emplace_back([this, ch, &errors] { EncodeChannel(ch, m_units[size_t(ch)], errors[size_t(ch)]); });
        }
        for (auto& t : threads)
            t.join();
    }
    for (const auto& e : errors) {
        if (!e.empty() && m_error.empty())
            m_error = e;
    }
    m_prefix.resize(m_units.size());
    for (size_t ch = 0; ch < m_units.size(); ++ch) {
        auto& p = m_prefix[ch];
        p.assign(m_units[ch].size() + 1, 0);
        for (size_t k = 0; k < m_units[ch].size(); ++k)
            p[k + 1] = p[k] + m_units[ch][k].size();
    }
}

bool CStreamLibrary::EncodeChannel(int channel, std::vector<Bytes>& out, std::string& error) const {
    const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
    if (!codec) {
        error = "the libx264 encoder is not available in libavcodec";
        return false;
    }
    std::unique_ptr<AVCodecContext, CodecContextDeleter> ctx(avcodec_alloc_context3(codec));
    if (!ctx) {
        error = "cannot allocate the encoder";
        return false;
    }
    ctx->width = m_format.width;
    ctx->height = m_format.height;
    ctx->pix_fmt = AV_PIX_FMT_YUV420P;
    ctx->time_base = AVRational{1, m_format.fps};
    ctx->framerate = AVRational{m_format.fps, 1};
    ctx->gop_size = m_format.fps;
    ctx->keyint_min = m_format.fps;
    ctx->max_b_frames = 0;
    ctx->thread_count = 1;
    // No global header: parameter sets then travel in band in front of every IDR.
    av_opt_set(ctx->priv_data, "preset", "ultrafast", 0);
    av_opt_set(ctx->priv_data, "tune", "zerolatency", 0);
    av_opt_set(ctx->priv_data, "profile", "baseline", 0);
    if (m_rate.bitrateKbps > 0) {
        // Average rate held by a half-second buffer: a longer one lets the short loop overshoot.
        ctx->bit_rate = int64_t(m_rate.bitrateKbps) * 1000;
        ctx->rc_max_rate = ctx->bit_rate;
        ctx->rc_buffer_size = int(ctx->bit_rate / 2);
    } else {
        av_opt_set(ctx->priv_data, "crf", "26", 0);
    }
    av_opt_set(ctx->priv_data, "forced-idr", "1", 0);
    const std::string params = "keyint=" + std::to_string(m_format.fps) +
                               ":min-keyint=" + std::to_string(m_format.fps) +
                               ":scenecut=0:repeat-headers=1:aud=0:log=-1";
    av_opt_set(ctx->priv_data, "x264-params", params.c_str(), 0);
    if (avcodec_open2(ctx.get(), codec, nullptr) < 0) {
        error = "cannot open the libx264 encoder";
        return false;
    }
    std::unique_ptr<AVFrame, FrameDeleter> frame(av_frame_alloc());
    std::unique_ptr<AVPacket, PacketDeleter> packet(av_packet_alloc());
    if (!frame || !packet) {
        error = "out of memory";
        return false;
    }
    frame->format = AV_PIX_FMT_YUV420P;
    frame->width = m_format.width;
    frame->height = m_format.height;
    if (av_frame_get_buffer(frame.get(), 0) < 0) {
        error = "cannot allocate a picture";
        return false;
    }
    const CTestPattern pattern(m_format.width, m_format.height, m_format.fps);
    auto drain = [&]() {
        while (true) {
            const int r = avcodec_receive_packet(ctx.get(), packet.get());
            if (r != 0)
                return r == AVERROR(EAGAIN) || r == AVERROR_EOF;
            out.emplace_back(packet->data, packet->data + packet->size);
            av_packet_unref(packet.get());
        }
    };
    for (int n = 0; n < m_loopFrames; ++n) {
        if (av_frame_make_writable(frame.get()) < 0) {
            error = "cannot write a picture";
            return false;
        }
        pattern.Draw(channel, n, frame->data[0], frame->linesize[0], frame->data[1], frame->linesize[1], frame->data[2],
                     frame->linesize[2]);
        if (m_rate.bitrateKbps > 0)
            pattern.AddGrain(m_rate.seed, channel, n, frame->data[0], frame->linesize[0]);
        frame->pts = n;
        // Every GOP boundary is an IDR, whatever the encoder would decide.
        frame->pict_type = n % m_format.fps == 0 ? AV_PICTURE_TYPE_I : AV_PICTURE_TYPE_NONE;
        frame->key_frame = n % m_format.fps == 0;
        if (avcodec_send_frame(ctx.get(), frame.get()) < 0 || !drain()) {
            error = "encoding failed";
            return false;
        }
    }
    if (avcodec_send_frame(ctx.get(), nullptr) < 0 || !drain()) {
        error = "encoding failed at the end";
        return false;
    }
    if (int(out.size()) != m_loopFrames) {
        error = "the encoder gave " + std::to_string(out.size()) + " pictures for " + std::to_string(m_loopFrames);
        return false;
    }
    return true;
}

const Bytes& CStreamLibrary::AccessUnit(int channel, uint64_t n) const {
    const auto& units = m_units[size_t(channel) % m_units.size()];
    return units[size_t(n % units.size())];
}

uint64_t CStreamLibrary::StreamBytes(int channel, uint64_t n) const {
    const auto& p = m_prefix[size_t(channel) % m_prefix.size()];
    const uint64_t loop = uint64_t(p.size() - 1);
    return (n / loop) * p.back() + p[size_t(n % loop)];
}

} // namespace ksim
