#pragma once
// Recording stand-ins for the media workers and the video window the client feeds: decoders keep
// what they are given in a real frame queue, the audio player keeps its blocks, the video window
// records its calls. Logs outlive the workers, which the client deletes when a stream ends.

#include "protocol/FrameQueue.h"
#include "protocol/IMediaFactory.h"
#include "protocol/IVideoView.h"

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

struct DecoderLog {
    int channel = 0;
    int source = 0;
    CFrameQueue queue{1000, 512u << 20};
    std::atomic<bool> refusing{false};
    std::atomic<bool> stopped{false};
};

class FakeDecoder : public IChannelDecoder {
public:
    explicit FakeDecoder(std::shared_ptr<DecoderLog> log) : m_log(std::move(log)) {}
    bool QueueFrame(std::unique_ptr<FrameItem> item) override {
        return !m_log->refusing.load() && m_log->queue.Add(std::move(item));
    }
    void SetRefuse(bool refuse) override { m_log->refusing.store(refuse); }
    std::size_t QueueLength() const override { return m_log->queue.GetCount(); }
    void Stop() override { m_log->stopped.store(true); }

private:
    std::shared_ptr<DecoderLog> m_log;
};

struct AudioLog {
    int blocksPerChunk = 0;
    std::mutex lock;
    std::vector<std::vector<BYTE>> blocks;
    std::atomic<int> flushes{0};
    std::atomic<bool> stopped{false};
};

class FakeAudioPlayer : public IAudioPlayer {
public:
    explicit FakeAudioPlayer(std::shared_ptr<AudioLog> log) : m_log(std::move(log)) {}
    bool QueueBlock(const BYTE* block, std::size_t length) override {
        std::lock_guard lock(m_log->lock);
        m_log->blocks.emplace_back(block, block + length);
        return true;
    }
    void Flush() override { ++m_log->flushes; }
    std::size_t QueuedBlocks() const override { return 0; }
    void Stop() override { m_log->stopped.store(true); }

private:
    std::shared_ptr<AudioLog> m_log;
};

class FakeMediaFactory : public IMediaFactory {
public:
    std::unique_ptr<IChannelDecoder> CreateDecoder(int channel, int source) override {
        auto log = std::make_shared<DecoderLog>();
        log->channel = channel;
        log->source = source;
        {
            std::lock_guard lock(m_lock);
            m_decoders.push_back(log);
        }
        return std::make_unique<FakeDecoder>(log);
    }
    std::unique_ptr<IAudioPlayer> CreateAudioPlayer(int blocksPerChunk) override {
        auto log = std::make_shared<AudioLog>();
        log->blocksPerChunk = blocksPerChunk;
        std::lock_guard lock(m_lock);
        m_players.push_back(log);
        return std::make_unique<FakeAudioPlayer>(log);
    }

    std::vector<std::shared_ptr<DecoderLog>> Decoders() const {
        std::lock_guard lock(m_lock);
        return m_decoders;
    }
    // The newest decoder of a channel, or null.
    std::shared_ptr<DecoderLog> Decoder(int channel) const {
        std::lock_guard lock(m_lock);
        for (auto it = m_decoders.rbegin(); it != m_decoders.rend(); ++it) {
            if ((*it)->channel == channel) {
                return *it;
            }
        }
        return nullptr;
    }
    std::vector<std::shared_ptr<AudioLog>> Players() const {
        std::lock_guard lock(m_lock);
        return m_players;
    }

private:
    mutable std::mutex m_lock;
    std::vector<std::shared_ptr<DecoderLog>> m_decoders;
    std::vector<std::shared_ptr<AudioLog>> m_players;
};

class RecordingVideoView : public IVideoView {
public:
    void SetAvailableMask(DWORD mask, bool) override {
        std::lock_guard lock(m_lock);
        availableMasks.push_back(mask);
    }
    void SetLayout(int tiles) override {
        std::lock_guard lock(m_lock);
        layouts.push_back(tiles);
    }
    void SetChannelHidden(int channel, bool hidden) override {
        std::lock_guard lock(m_lock);
        this->hidden[channel & 15] = hidden;
    }
    void Redraw() override { ++redraws; }
    void ExitFullScreen() override {}
    void SetPlaySource(int source) override { playSource.store(source); }
    bool IsSelectedChannel(int channel) const override { return channel == selected.load(); }
    DWORD GetVisibleChannelMask() const override { return visible.load(); }

    std::vector<int> Layouts() const {
        std::lock_guard lock(m_lock);
        return layouts;
    }
    std::vector<DWORD> AvailableMasks() const {
        std::lock_guard lock(m_lock);
        return availableMasks;
    }
    bool Hidden(int channel) const {
        std::lock_guard lock(m_lock);
        return hidden[channel];
    }

    std::atomic<int> selected{-1};
    std::atomic<DWORD> visible{0xFFFF};
    std::atomic<int> playSource{0};
    std::atomic<int> redraws{0};

private:
    mutable std::mutex m_lock;
    std::vector<int> layouts;
    std::vector<DWORD> availableMasks;
    std::array<bool, 16> hidden{};
};

// Polls a condition until it holds or the time runs out (for state that has no notification).
inline bool Eventually(const std::function<bool()>& condition,
                       std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}
