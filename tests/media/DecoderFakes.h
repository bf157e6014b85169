#pragma once
// A scripted decoder library and a recording decoder host for the channel decoder's tests.
//
// Frames carry a tag in the first byte of their picture data; the scripted decoder answers each call
// from the tag's script (a picture by default), writes the tag into the picture and reports the
// picture size written in bytes 1-4 (or the framing's size). Tag 255 ends a script: the test waits
// until that frame was shown.

#include "media/DecoderHost.h"
#include "media/PictureDecoder.h"
#include "media/VideoStats.h"
#include "protocol/FrameItem.h"
#include "res/TextIds.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

constexpr int kEndTag = 255;

// A queued frame as the client makes it: descriptor, header, frame header + picture + 32 bytes.
inline std::unique_ptr<FrameItem> MakeFrame(int tag, BYTE type, DWORD generation, int width = 704, int height = 576,
                                            int decodedWidth = 0, int decodedHeight = 0) {
    auto item = std::make_unique<FrameItem>();
    const DWORD video = 64;
    item->descriptor.channel = 3;
    item->descriptor.key_mark = type;
    item->descriptor.item_length = video + 72;
    item->descriptor.video_size = video;
    item->descriptor.width = WORD(width);
    item->descriptor.height = WORD(height);
    item->descriptor.generation = generation;
    item->header[3] = 1300000000;
    item->data.assign(video + 72, 0);
    BYTE* picture = item->data.data() + 40;
    picture[0] = BYTE(tag);
    picture[1] = BYTE(decodedWidth & 0xFF);
    picture[2] = BYTE(decodedWidth >> 8);
    picture[3] = BYTE(decodedHeight & 0xFF);
    picture[4] = BYTE(decodedHeight >> 8);
    return item;
}

class ScriptedDecoder : public IPictureDecoder {
public:
    bool IsPresent() const override { return present; }

    int Init(PT_H264DEC_CONTEXT* ctx) override {
        std::lock_guard lock(m_lock);
        ++inits;
        if (initResult == 0) {
            ctx->initialised = 1;
        }
        return initResult;
    }

    int Uninit(PT_H264DEC_CONTEXT* ctx) override {
        std::lock_guard lock(m_lock);
        if (ctx->initialised != 0) {
            ++uninits;
        }
        ctx->initialised = 0;
        return 0;
    }

    int GetOneFrame(PT_H264DEC_CONTEXT* ctx, const BYTE* data, int len, BYTE* dst) override {
        const int tag = len > 0 ? data[0] : -1;
        {
            std::unique_lock lock(m_lock);
            calls.push_back(tag);
            formats.push_back(ctx->output_format);
            m_changed.notify_all();
            m_changed.wait(lock, [&] { return tag != gateTag || gateOpen; });
        }
        std::lock_guard lock(m_lock);
        int result = 0;
        auto it = script.find(tag);
        if (it != script.end() && !it->second.empty()) {
            result = it->second.front();
            if (it->second.size() > 1) {
                it->second.pop_front(); // the last result repeats
            }
        }
        if (result == 0 || result == 5) {
            const int w = len >= 5 ? data[1] | data[2] << 8 : 0;
            const int h = len >= 5 ? data[3] | data[4] << 8 : 0;
            ctx->width = uint32_t(w);
            ctx->height = uint32_t(h);
            dst[0] = BYTE(tag);
        }
        return result;
    }

    // Waits until the decoder has been called for the tag (and is held at the gate, if it is the gate).
    bool WaitCalled(int tag, std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        std::unique_lock lock(m_lock);
        return m_changed.wait_for(lock, timeout, [&] {
            for (int t : calls) {
                if (t == tag) {
                    return true;
                }
            }
            return false;
        });
    }
    void OpenGate() {
        std::lock_guard lock(m_lock);
        gateOpen = true;
        m_changed.notify_all();
    }
    int CallsFor(int tag) {
        std::lock_guard lock(m_lock);
        int n = 0;
        for (int t : calls) {
            n += t == tag ? 1 : 0;
        }
        return n;
    }

    // Set before the decoder starts.
    bool present = true;
    int initResult = 0;
    std::map<int, std::deque<int>> script;
    int gateTag = -1; // calls for this tag wait until OpenGate
    bool gateOpen = false;

    // Read after the run (or under WaitCalled's lock).
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<int> calls;
    std::vector<uint32_t> formats;
    int inits = 0;
    int uninits = 0;
};

class RecordingHost : public IDecoderHost {
public:
    struct Published {
        int tag;
        int width;
        int height;
        PictureFormat format;
    };

    // ---- the window
    int GetPlaySource() const override { return 1; }
    int GetOsdPointSize() const override { return 13; }
    bool DrawsYuv() const override { return yuv; }
    void ClearDoubleClickView() override { ++viewClears; }
    SIZE GetTileSize(int) const override {
        std::lock_guard lock(m_lock);
        return tileSize;
    }
    std::string FitText(int, int tileWidth, std::string_view name) override {
        std::lock_guard lock(m_lock);
        fits.push_back(std::to_string(tileWidth) + ":" + std::string(name));
        return std::string(name.substr(0, 5));
    }
    DWORD GetFrameRate(int) const override { return frameRate; }
    void CountFrame(int) override { ++counted; }
    void SetOsdText(int, std::string_view t, std::string_view b, COLORREF tc, COLORREF bc) override {
        std::lock_guard lock(m_lock);
        top = std::string(t);
        bottom = std::string(b);
        topColour = tc;
        bottomColour = bc;
    }
    void SetOsdTextWidth(int, int width, int) override { indicatorX = width; }
    void SetChannelParam(int, int state, int x, int) override {
        std::lock_guard lock(m_lock);
        iconStates.push_back(state);
        iconX = x;
    }
    bool IsChannelRestricted(int) const override {
        std::lock_guard lock(m_lock);
        if (restrictedSequence.empty()) {
            return false;
        }
        const bool hidden = restrictedSequence.front();
        if (restrictedSequence.size() > 1) {
            restrictedSequence.pop_front();
        }
        return hidden;
    }
    void ResyncChannel(int, int width, int height) override {
        std::lock_guard lock(m_lock);
        resyncs.push_back(std::to_string(width) + "x" + std::to_string(height));
    }
    bool PublishPicture(int, const DecodedPicture& picture, CPictureScaler&) override {
        std::unique_lock lock(m_lock);
        published.push_back(Published{picture.data[0], picture.width, picture.height, picture.format});
        m_changed.notify_all();
        return true;
    }
    bool TakeSnapshotRequest(int) override { return snapshotRequest.exchange(false); }
    bool CopyFrameBuffer(int, std::vector<BYTE>& picture, PictureLayout& layout) override {
        picture.assign(16, 7);
        layout.width = 704;
        return true;
    }
    CVideoStats* GetStats() override { return &stats; }

    // ---- client and main window
    bool IsLive() const override { return live; }
    DWORD GetVideoLossMask() const override {
        std::lock_guard lock(m_lock);
        if (lossSequence.empty()) {
            return 0;
        }
        const DWORD mask = lossSequence.front();
        if (lossSequence.size() > 1) {
            lossSequence.pop_front();
        }
        return mask;
    }
    bool SeesHiddenChannels() const override { return seesHidden; }
    std::string GetCameraName(int) const override {
        std::lock_guard lock(m_lock);
        return cameraName;
    }
    DWORD GetPlayClock(int) const override { return 1200000000; }
    int GetAudioIconState(int, int) const override { return 0; }
    std::string LoadLabel(UINT id) const override {
        return id == IDS_LIVE ? "Live" : id == IDS_PLAYBACK ? "Playback" : id == IDS_LOCAL_PLAY ? "Local Play" : "?";
    }
    int GetDateFormat() const override { return 0; }
    int GetSaveFormat() const override { return 2; }
    WebExportSettings GetWebExport() const override { return web; }
    void ReportInitError() override { ++initErrors; }
    void StartStillImage(StillImageRequest request) override {
        std::lock_guard lock(m_lock);
        stills.push_back(std::move(request));
        m_changed.notify_all();
    }
    void PutWebSnapshot(WebSnapshotRequest request) override {
        std::lock_guard lock(m_lock);
        webShots.push_back(std::move(request));
        m_changed.notify_all();
    }

    // Waits until the condition (checked under the records' lock) holds.
    bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        std::unique_lock lock(m_lock);
        return m_changed.wait_for(lock, timeout, done);
    }

    // Waits until a picture with the tag was published.
    bool WaitPublished(int tag, std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        std::unique_lock lock(m_lock);
        return m_changed.wait_for(lock, timeout, [&] {
            for (const Published& p : published) {
                if (p.tag == tag) {
                    return true;
                }
            }
            return false;
        });
    }
    std::vector<int> PublishedTags() {
        std::lock_guard lock(m_lock);
        std::vector<int> tags;
        for (const Published& p : published) {
            tags.push_back(p.tag);
        }
        return tags;
    }

    // Settings, set before the decoder starts (or under the lock).
    bool yuv = true;
    SIZE tileSize{200, 134};
    DWORD frameRate = 12;
    bool live = true;
    mutable std::deque<DWORD> lossSequence;
    mutable std::deque<bool> restrictedSequence;
    bool seesHidden = false;
    std::string cameraName = "Front door";
    WebExportSettings web;
    std::atomic<bool> snapshotRequest{false};

    // Records.
    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<Published> published;
    std::vector<std::string> resyncs;
    std::vector<std::string> fits;
    std::vector<int> iconStates;
    std::vector<StillImageRequest> stills;
    std::vector<WebSnapshotRequest> webShots;
    std::string top;
    std::string bottom;
    COLORREF topColour = 0;
    COLORREF bottomColour = 0;
    std::atomic<int> indicatorX{0};
    std::atomic<int> iconX{0};
    std::atomic<int> counted{0};
    std::atomic<int> viewClears{0};
    std::atomic<int> initErrors{0};
    CVideoStats stats;
};
