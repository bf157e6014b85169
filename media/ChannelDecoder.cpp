#include "media/ChannelDecoder.h"

#include "media/ChannelDecoderInitLatch.h"
#include "media/OsdText.h"
#include "media/VideoStats.h"
#include "platform/video/PictureScaler.h"
#include "protocol/FrameDescriptor.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <pthread.h>
#include <unistd.h>

namespace {

constexpr DWORD kNoGeneration = 0xFFFFFFFF;
constexpr std::size_t kFrameBufferSize = PT_H264DEC_FRAME_BUFFER_SIZE;
// The wait for frames only bounds how long a lost wake-up could go unnoticed; Stop wakes the thread.
constexpr std::chrono::milliseconds kIdleWait{500};

bool IsPredicted(BYTE type) {
    return type == 0 || type == 2;
}

} // namespace

CChannelDecoder::CChannelDecoder(IDecoderHost& host, IPictureDecoder& decoder, int channel, int source,
                                 const ChannelDecoderOptions& options)
    : m_host(host), m_decoder(decoder), m_channel(channel & 0x0F), m_source(source), m_options(options),
      m_queue(options.maxQueueItems, options.maxQueueBytes) {
    m_labels[0] = host.LoadLabel(kLabelLive);
    m_labels[1] = host.LoadLabel(kLabelRemote);
    m_labels[2] = host.LoadLabel(kLabelLocal);
    CChannelDecoderInitLatch::Instance().Join(&m_host);
    m_thread = std::thread([this] { DecodeThread(); });
}

CChannelDecoder::~CChannelDecoder() {
    Stop();
    CChannelDecoderInitLatch::Instance().Leave(&m_host);
}

bool CChannelDecoder::QueueFrame(std::unique_ptr<FrameItem> item) {
    const CDecoderQueue::AddResult result = m_queue.Add(std::move(item));
    if (result == CDecoderQueue::AddResult::Dropped) {
        if (CVideoStats* stats = m_host.GetStats()) {
            stats->Of(m_channel).queueDropped.fetch_add(1, std::memory_order_relaxed);
        }
    }
    return result == CDecoderQueue::AddResult::Queued;
}

void CChannelDecoder::SetRefuse(bool refuse) {
    m_queue.SetRefuse(refuse);
}

std::size_t CChannelDecoder::QueueLength() const {
    return m_queue.GetCount();
}

void CChannelDecoder::Stop() {
    m_stop.store(true);
    m_queue.Wake();
    if (m_thread.joinable()) {
        m_thread.join();
    }
    m_queue.Clear();
}

void CChannelDecoder::ReportInitError() {
    // The other channels started with this one share its report: one notice, not one per channel.
    if (!m_initErrorReported) {
        m_initErrorReported = true;
        if (CChannelDecoderInitLatch::Instance().FirstReport(&m_host)) {
            m_host.ReportInitError();
        }
    }
}

void CChannelDecoder::StartDecoder() {
    std::memset(&m_ctx, 0, sizeof m_ctx);
    m_ctx.mode = 1;
    m_ctx.output_format = m_host.DrawsYuv() ? PT_H264DEC_FORMAT_YUV420 : PT_H264DEC_FORMAT_RGB24;
    if (m_decoder.IsPresent()) {
        m_decoder.Uninit(&m_ctx);
        if (m_decoder.Init(&m_ctx) != 0) {
            ReportInitError();
        }
    }
    m_discard.store(false);
    m_scaler = std::make_unique<CPictureScaler>();
    m_charWidth = int(m_host.GetOsdPointSize() * 0.85);
    m_waitForKey = true;
    m_lastGeneration = 0;
    m_lastWidth = 352;
    m_lastHeight = 240;
    m_resynchronised = false;
    m_host.ClearDoubleClickView();
    m_lastWebSave = std::chrono::steady_clock::now();
}

void CChannelDecoder::EndDecoder() {
    if (m_decoder.IsPresent() && m_ctx.initialised != 0) {
        m_decoder.Uninit(&m_ctx);
    }
    m_host.SetChannelParam(m_channel, -1, 0, 0);
    m_scaler.reset();
    std::vector<BYTE>().swap(m_picture);
}

void CChannelDecoder::DecodeThread() {
    // Named for profilers and the process listing.
    char name[16];
    std::snprintf(name, sizeof name, "kelo-dec-%02d", (m_channel & 0x0F) + 1);
    pthread_setname_np(pthread_self(), name);
    StartDecoder();
    while (!m_stop.load()) {
        CDecoderQueue::Entry entry;
        std::size_t count = 0;
        if (!m_queue.Take(entry, count, kIdleWait)) {
            continue;
        }
        if (m_discard.load()) {
            continue;
        }
        const FrameItem& item = *entry.item;
        if (CheckStream(item, count) != Step::Decode) {
            continue;
        }
        int width = 0;
        int height = 0;
        if (Decode(item, width, height)) {
            Show(item, width, height, entry.arrival);
        }
    }
    EndDecoder();
}

CChannelDecoder::Step CChannelDecoder::CheckStream(const FrameItem& item, std::size_t count) {
    const FrameDescriptor& d = item.descriptor;
    const DWORD bit = DWORD(1) << m_channel;
    // Live pictures of a channel without camera, or hidden from the account, are not shown.
    if (m_source == kSourceLive && ((m_host.IsLive() && (m_host.GetVideoLossMask() & bit) != 0) ||
                                    (m_host.IsChannelRestricted(m_channel) && !m_host.SeesHiddenChannels()))) {
        m_resynchronised = false;
        return Step::Next;
    }
    const BYTE type = d.key_mark;
    const bool steady =
        d.generation == m_lastGeneration && d.width == m_lastWidth && d.height == m_lastHeight && m_resynchronised;
    if (!steady) {
        if (d.generation == m_lastGeneration) {
            if (d.width != m_lastWidth || d.height != m_lastHeight) {
                // The next generation check fails too, so the new size is taken up at a key picture
                // once more before predicted pictures are decoded again.
                m_lastGeneration = kNoGeneration;
            }
        } else {
            m_lastGeneration = d.generation;
        }
        m_lastWidth = d.width;
        m_lastHeight = d.height;
        m_resynchronised = false;
        if (type != 1) {
            m_waitForKey = true;
            return Step::Next;
        }
        m_waitForKey = false;
        m_backlog = false;
        m_resynchronised = true;
        m_host.ResyncChannel(m_channel, d.width, d.height);
    }
    if (count > kBacklogFrames) {
        m_waitForKey = true;
        m_backlog = true;
    }
    if (type == 1) {
        m_waitForKey = false;
        m_backlog = false;
        return Step::Decode;
    }
    if (!IsPredicted(type)) {
        return Step::Next;
    }
    if (m_waitForKey) {
        if (m_backlog) {
            if (CVideoStats* stats = m_host.GetStats()) {
                stats->Of(m_channel).backlogSkipped.fetch_add(1, std::memory_order_relaxed);
            }
        }
        return Step::Next;
    }
    return Step::Decode;
}

bool CChannelDecoder::Decode(const FrameItem& item, int& width, int& height) {
    if (!m_decoder.IsPresent()) {
        return false;
    }
    const DWORD length = item.descriptor.item_length;
    // The item's bytes start with the frame header; the picture follows it, and the queued length
    // is the picture's plus 72 (the header and what trails the picture).
    if (length < kFrameItemExtra || item.data.size() < length || length - kFrameItemExtra > DWORD(INT_MAX)) {
        return false;
    }
    const BYTE* data = item.data.data() + kFrameHeaderSize;
    const int len = int(length - kFrameItemExtra);
    // The output buffer is made for the first picture (and again after the video window took it).
    if (m_picture.size() != kFrameBufferSize) {
        m_picture.resize(kFrameBufferSize);
    }
    int result = 0;
    for (int attempt = 1;; ++attempt) {
        result = m_decoder.GetOneFrame(&m_ctx, data, len, m_picture.data());
        if (attempt >= m_options.maxDecodeAttempts || (result != 1 && result != PT_H264DEC_REINIT)) {
            break;
        }
        if (result == PT_H264DEC_REINIT) {
            m_decoder.Uninit(&m_ctx);
            if (m_decoder.Init(&m_ctx) != 0) {
                ReportInitError();
            }
        }
    }
    if (result != 0 && result != 5) {
        return false;
    }
    // The size comes from the bitstream, as the library found it; the framing's size only stands in
    // for a library that does not say.
    width = m_ctx.width != 0 ? int(m_ctx.width) : item.descriptor.width;
    height = m_ctx.height != 0 ? int(m_ctx.height) : item.descriptor.height;
    const PictureFormat format = m_host.DrawsYuv() ? PictureFormat::Yuv420 : PictureFormat::Bgr24;
    if (width <= 0 || height <= 0 || width > PT_H264DEC_MAX_WIDTH || height > PT_H264DEC_MAX_HEIGHT || (width & 1) ||
        (height & 1) || PictureBytes(format, width, height) > m_picture.size()) {
        if (CVideoStats* stats = m_host.GetStats()) {
            stats->Of(m_channel).oversized.fetch_add(1, std::memory_order_relaxed);
        }
        return false;
    }
    if (CVideoStats* stats = m_host.GetStats()) {
        stats->Of(m_channel).decoded.fetch_add(1, std::memory_order_relaxed);
    }
    return true;
}

void CChannelDecoder::PrepareOsd(const FrameItem& item, int width, int height) {
    const int tileWidth = int(m_host.GetTileSize(m_channel).cx);
    const std::string raw = m_source == kSourceLive ? m_host.GetCameraName(m_channel)
                                                    : BoundedName(item.descriptor.label, sizeof item.descriptor.label);
    if (tileWidth != m_fitWidth || raw != m_rawName) {
        m_fitWidth = tileWidth;
        m_rawName = raw;
        m_name = m_host.FitText(m_channel, tileWidth, raw);
    }
    const int labelIndex = m_source >= kSourceLive && m_source <= kSourceLocal ? m_source - 1 : 0;
    const std::string top = FormatTopLine(m_name, ShownWidth(width), height);
    const std::string bottom = FormatBottomLine(m_labels[labelIndex], m_host.GetFrameRate(m_channel));
    m_host.CountFrame(m_channel);
    m_host.SetOsdText(m_channel, top, bottom, kTopColour, kBottomColour);
    const int bottomWidth = int(bottom.size()) * m_charWidth;
    m_host.SetOsdTextWidth(m_channel, bottomWidth + 5, 0);
    if (m_source >= kSourceLive && m_source <= kSourceLocal) {
        m_host.SetChannelParam(m_channel, m_host.GetAudioIconState(m_source, m_channel), bottomWidth + 40, 0);
    } else {
        m_host.SetChannelParam(m_channel, -1, 0, 0);
    }
}

void CChannelDecoder::Show(const FrameItem& item, int width, int height,
                           std::chrono::steady_clock::time_point arrival) {
    PrepareOsd(item, width, height);
    DecodedPicture picture;
    picture.data = m_picture.data();
    picture.size = m_picture.size();
    picture.buffer = &m_picture;
    picture.width = width;
    picture.height = height;
    picture.format = m_ctx.output_format == PT_H264DEC_FORMAT_YUV420 ? PictureFormat::Yuv420 : PictureFormat::Bgr24;
    picture.arrival = arrival;
    if (!m_host.PublishPicture(m_channel, picture, *m_scaler)) {
        return;
    }
    HandOff(item, width, height);
}

DWORD CChannelDecoder::PictureTime(const FrameItem& item) const {
    if (m_source == kSourceLive) {
        return item.header[3];
    }
    return m_host.GetPlayClock(m_source);
}

void CChannelDecoder::HandOff(const FrameItem& item, int width, int height) {
    if (m_source == kSourceLive) {
        const WebExportSettings web = m_host.GetWebExport();
        const auto now = std::chrono::steady_clock::now();
        // The interval is set in seconds.
        const auto interval = std::chrono::seconds(web.interval > 0 ? web.interval : 0);
        if (web.active && !web.location.empty() && now - m_lastWebSave >= interval) {
            m_lastWebSave = now;
            WebSnapshotRequest request;
            request.channel = m_channel;
            request.width = width;
            request.height = height;
            if (m_host.CopyFrameBuffer(m_channel, request.picture, request.layout)) {
                m_host.PutWebSnapshot(std::move(request));
            }
        }
    }
    if (m_host.TakeSnapshotRequest(m_channel)) {
        StillImageRequest request;
        request.channel = m_channel;
        request.width = width;
        request.height = height;
        // The clock word is unsigned on the wire but read as a signed time, as the recorder's clock is.
        request.timeText =
            FormatPictureTime(static_cast<long long>(static_cast<int32_t>(PictureTime(item))), m_host.GetDateFormat());
        request.saveFormat = m_host.GetSaveFormat();
        if (m_host.CopyFrameBuffer(m_channel, request.picture, request.layout)) {
            m_host.StartStillImage(std::move(request));
        }
    }
}
