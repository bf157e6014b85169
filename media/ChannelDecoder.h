#pragma once
// One channel's decoder: a thread that takes the frames queued for the channel, decodes them with
// the decoder library into a buffer of its own, and hands each picture to the video window, which
// copies it into the channel's frame buffer and draws the channel's tile under the channel's lock.
//
// The thread follows the stream's generation and picture size: a new generation, or a new size
// within one, waits for a key picture before anything is decoded again. A backlog of more than 28
// frames skips predicted pictures up to the next key picture, and so does a queue that overflowed.

#include "decoder/H264_D1.h"
#include "media/DecoderHost.h"
#include "media/DecoderQueue.h"
#include "media/PictureDecoder.h"
#include "platform/base/WinTypes.h"
#include "protocol/IChannelDecoder.h"
#include "res/TextIds.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class CPictureScaler;

struct ChannelDecoderOptions {
    std::size_t maxQueueItems = CDecoderQueue::kDefaultMaxItems;
    std::size_t maxQueueBytes = CDecoderQueue::kDefaultMaxBytes;
    // Calls of the library per frame that "call again" (1) and "re-initialise" (-5) may ask for.
    int maxDecodeAttempts = 8;
};

class CChannelDecoder final : public IChannelDecoder {
public:
    // Labels of the three play sources' pictures (resource texts).
    static constexpr UINT kLabelLive = IDS_LIVE;
    static constexpr UINT kLabelRemote = IDS_PLAYBACK;
    static constexpr UINT kLabelLocal = IDS_LOCAL_PLAY;
    // More frames than this waiting (the one being taken included) make a backlog.
    static constexpr std::size_t kBacklogFrames = 28;
    static constexpr COLORREF kTopColour = RGB(0, 255, 0);
    static constexpr COLORREF kBottomColour = RGB(0, 255, 255);

    // Starts the thread. `source` is the play source whose frames it decodes (1 live, 2 remote
    // playback, 3 local playback). Host and decoder must outlive this object.
    CChannelDecoder(IDecoderHost& host, IPictureDecoder& decoder, int channel, int source,
                    const ChannelDecoderOptions& options = {});
    ~CChannelDecoder() override;
    CChannelDecoder(const CChannelDecoder&) = delete;
    CChannelDecoder& operator=(const CChannelDecoder&) = delete;

    // IChannelDecoder
    bool QueueFrame(std::unique_ptr<FrameItem> item) override;
    void SetRefuse(bool refuse) override;
    std::size_t QueueLength() const override;
    // Ends the thread (it finishes the frame in hand) and frees every queued frame. Safe to repeat.
    void Stop() override;

    // While set, every frame taken from the queue is freed unseen.
    void SetDiscard(bool discard) { m_discard.store(discard); }
    int GetChannel() const { return m_channel; }
    // Frames the full queue turned away.
    std::size_t GetDroppedCount() const { return m_queue.GetDroppedCount(); }

private:
    enum class Step { Next, Decode };

    void DecodeThread();
    void StartDecoder();
    void EndDecoder();
    // Steps of one frame; Next drops it.
    Step CheckStream(const FrameItem& item, std::size_t count);
    bool Decode(const FrameItem& item, int& width, int& height);
    void Show(const FrameItem& item, int width, int height, std::chrono::steady_clock::time_point arrival);
    void PrepareOsd(const FrameItem& item, int width, int height);
    void HandOff(const FrameItem& item, int width, int height);
    DWORD PictureTime(const FrameItem& item) const;
    void ReportInitError();

    IDecoderHost& m_host;
    IPictureDecoder& m_decoder;
    const int m_channel;
    const int m_source;
    const ChannelDecoderOptions m_options;
    std::string m_labels[3];

    CDecoderQueue m_queue;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_discard{false};
    std::thread m_thread;

    // ---- decoder thread only
    PT_H264DEC_CONTEXT m_ctx{};
    std::vector<BYTE> m_picture; // the library's output, before it is published
    std::unique_ptr<CPictureScaler> m_scaler;
    bool m_waitForKey = true;
    bool m_backlog = false; // wait-for-key was set by a backlog
    DWORD m_lastGeneration = 0;
    int m_lastWidth = 352;
    int m_lastHeight = 240;
    bool m_resynchronised = false;
    int m_charWidth = 0;
    bool m_initErrorReported = false;
    int m_fitWidth = -1;
    std::string m_rawName;
    std::string m_name;
    std::chrono::steady_clock::time_point m_lastWebSave{};
};
