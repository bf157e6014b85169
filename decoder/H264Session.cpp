#include "decoder/H264Session.h"

#include <cerrno>
#include <cstring>
#include <new>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/frame.h>
#include <libavutil/imgutils.h>
#include <libavutil/pixfmt.h>
#include <libswscale/swscale.h>
}

namespace {

struct NalScan {
    bool startCode = false;
    bool slice = false; // a coded picture, not only parameter sets or messages
    bool idr = false;
};

// Finds the Annex B start codes of the access unit and what its units carry.
NalScan ScanNalUnits(const std::uint8_t* data, int len) {
    NalScan scan;
    for (int i = 0; i + 3 < len; ++i) {
        if (data[i] != 0 || data[i + 1] != 0 || data[i + 2] != 1) {
            continue;
        }
        scan.startCode = true;
        const int type = data[i + 3] & 0x1F;
        scan.slice = scan.slice || (type >= 1 && type <= 5);
        if (type == 5) {
            scan.idr = true;
            return scan;
        }
        i += 2;
    }
    return scan;
}

bool IsPlain420(int format) {
    return format == AV_PIX_FMT_YUV420P || format == AV_PIX_FMT_YUVJ420P;
}

// The full-range 4:2:0 format is the plain one with another range; telling swscale so keeps it
// from warning about a deprecated format on every new context.
int PlainFormat(int format) {
    return format == AV_PIX_FMT_YUVJ420P ? AV_PIX_FMT_YUV420P : format;
}

bool IsFullRange(const AVFrame& frame) {
    return frame.format == AV_PIX_FMT_YUVJ420P || frame.color_range == AVCOL_RANGE_JPEG;
}

void CopyPlane(std::uint8_t* dst, int dstStride, const std::uint8_t* src, int srcStride, int width, int rows) {
    for (int y = 0; y < rows; ++y) {
        std::memcpy(dst + std::size_t(y) * dstStride, src + std::size_t(y) * srcStride, width);
    }
}

} // namespace

void CH264Session::CodecFree::operator()(AVCodecContext* p) const {
    avcodec_free_context(&p);
}
void CH264Session::FrameFree::operator()(AVFrame* p) const {
    av_frame_free(&p);
}
void CH264Session::PacketFree::operator()(AVPacket* p) const {
    av_packet_free(&p);
}
void CH264Session::SwsFree::operator()(SwsContext* p) const {
    sws_freeContext(p);
}

std::unique_ptr<CH264Session> CH264Session::Create() {
    std::unique_ptr<CH264Session> session(new (std::nothrow) CH264Session());
    if (!session || !session->Open()) {
        return nullptr;
    }
    return session;
}

CH264Session::~CH264Session() = default;

bool CH264Session::Open() {
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_H264);
    if (!codec) {
        return false;
    }
    m_codec.reset(avcodec_alloc_context3(codec));
    m_packet.reset(av_packet_alloc());
    m_received.reset(av_frame_alloc());
    m_ready.reset(av_frame_alloc());
    if (!m_codec || !m_packet || !m_received || !m_ready) {
        return false;
    }
    m_codec->thread_count = 1;
    m_codec->thread_type = 0;
    m_codec->flags |= AV_CODEC_FLAG_LOW_DELAY;
    // A stream announcing a picture far larger than the frame buffer holds is refused before the
    // decoder allocates its pictures, so a hostile size costs neither memory nor decoding time. The
    // limit counts the decoder's aligned picture size, hence the margin; what passes it and still does
    // not fit is dropped after decoding.
    m_codec->max_pixels = 2 * PT_H264DEC_MAX_WIDTH * PT_H264DEC_MAX_HEIGHT;
    return avcodec_open2(m_codec.get(), codec, nullptr) >= 0;
}

int CH264Session::Decode(const std::uint8_t* data, int len, std::uint32_t format, std::uint8_t* dst, Picture& picture) {
    picture = Picture{};
    if (!data || !dst || len <= 0 || len > kMaxAccessUnit) {
        return PT_H264DEC_ERR_PARAM;
    }
    if (format != PT_H264DEC_FORMAT_YUV420 && format != PT_H264DEC_FORMAT_RGB24) {
        return PT_H264DEC_ERR_PARAM;
    }
    const NalScan scan = ScanNalUnits(data, len);
    if (!scan.startCode) {
        return PT_H264DEC_ERR_DATA;
    }
    // An IDR picture is where a stream is picked up again after frames were skipped: start it from a
    // clean decoder, without half-decoded fields or pictures of the skipped frames.
    if (scan.idr) {
        avcodec_flush_buffers(m_codec.get());
    }

    // The packet does not own the bytes; the decoder copies them with the padding it needs.
    m_packet->data = const_cast<std::uint8_t*>(data);
    m_packet->size = len;
    int sent = avcodec_send_packet(m_codec.get(), m_packet.get());
    if (sent == AVERROR(EAGAIN)) {
        ReceiveNewest();
        sent = avcodec_send_packet(m_codec.get(), m_packet.get());
    }
    m_packet->data = nullptr;
    m_packet->size = 0;
    if (sent == AVERROR_EOF || sent == AVERROR(ENOMEM) || sent == AVERROR(EAGAIN)) {
        return PT_H264DEC_REINIT;
    }
    if (sent < 0) {
        // A unit of parameter sets alone is taken although the decoder finds no picture in it.
        return scan.slice ? PT_H264DEC_ERR_DATA : PT_H264DEC_NO_PICTURE;
    }

    const int received = ReceiveNewest();
    if (received == AVERROR_EOF || received == AVERROR(ENOMEM)) {
        return PT_H264DEC_REINIT;
    }
    if (received < 0) {
        return PT_H264DEC_ERR_DATA;
    }
    if (received == 0) {
        return PT_H264DEC_NO_PICTURE;
    }
    picture.width = m_ready->width;
    picture.height = m_ready->height;
    const int result = Deliver(*m_ready, format, dst);
    av_frame_unref(m_ready.get());
    return result;
}

int CH264Session::ReceiveNewest() {
    int count = 0;
    for (;;) {
        const int r = avcodec_receive_frame(m_codec.get(), m_received.get());
        if (r < 0) {
            if (r == AVERROR(EAGAIN) || count > 0) {
                return count;
            }
            return r;
        }
        av_frame_unref(m_ready.get());
        av_frame_move_ref(m_ready.get(), m_received.get());
        ++count;
    }
}

int CH264Session::Deliver(const AVFrame& frame, std::uint32_t format, std::uint8_t* dst) {
    const int w = frame.width;
    const int h = frame.height;
    if (w <= 0 || h <= 0 || w > PT_H264DEC_MAX_WIDTH || h > PT_H264DEC_MAX_HEIGHT || (w & 1) || (h & 1)) {
        return PT_H264DEC_DROPPED;
    }
    if (format == PT_H264DEC_FORMAT_YUV420 && IsPlain420(frame.format)) {
        const int cw = w / 2;
        const int ch = h / 2;
        std::uint8_t* u = dst + std::size_t(w) * h;
        std::uint8_t* v = u + std::size_t(cw) * ch;
        CopyPlane(dst, w, frame.data[0], frame.linesize[0], w, h);
        CopyPlane(u, cw, frame.data[1], frame.linesize[1], cw, ch);
        CopyPlane(v, cw, frame.data[2], frame.linesize[2], cw, ch);
        return PT_H264DEC_OK;
    }
    const int dstFormat = format == PT_H264DEC_FORMAT_RGB24 ? AV_PIX_FMT_BGR24 : AV_PIX_FMT_YUV420P;
    return Convert(frame, dstFormat, dst) ? PT_H264DEC_OK : PT_H264DEC_DROPPED;
}

bool CH264Session::Convert(const AVFrame& frame, int dstFormat, std::uint8_t* dst) {
    const int w = frame.width;
    const int h = frame.height;
    const int srcFormat = PlainFormat(frame.format);
    const int fullRange = IsFullRange(frame) ? 1 : 0;
    if (!m_sws || m_swsWidth != w || m_swsHeight != h || m_swsSrcFormat != srcFormat || m_swsDstFormat != dstFormat ||
        m_swsFullRange != fullRange) {
        m_swsSrcFormat = -1;
        m_sws.reset();
        if (!sws_isSupportedInput(AVPixelFormat(srcFormat))) {
            return false;
        }
        m_sws.reset(sws_getContext(w, h, AVPixelFormat(srcFormat), w, h, AVPixelFormat(dstFormat), SWS_BILINEAR,
                                   nullptr, nullptr, nullptr));
        if (!m_sws) {
            return false;
        }
        const int* coefficients = sws_getCoefficients(SWS_CS_DEFAULT);
        sws_setColorspaceDetails(m_sws.get(), coefficients, fullRange, coefficients, 0, 0, 1 << 16, 1 << 16);
        m_swsWidth = w;
        m_swsHeight = h;
        m_swsSrcFormat = srcFormat;
        m_swsDstFormat = dstFormat;
        m_swsFullRange = fullRange;
    }
    std::uint8_t* planes[4] = {};
    int strides[4] = {};
    if (dstFormat == AV_PIX_FMT_BGR24) {
        planes[0] = dst;
        strides[0] = w * 3;
    } else {
        planes[0] = dst;
        planes[1] = dst + std::size_t(w) * h;
        planes[2] = planes[1] + std::size_t(w / 2) * (h / 2);
        strides[0] = w;
        strides[1] = strides[2] = w / 2;
    }
    return sws_scale(m_sws.get(), frame.data, frame.linesize, 0, h, planes, strides) == h;
}
