#pragma once
// A host for the local player in tests: decoders and an audio player that record what they are
// given, a video window and main window that record what they are told, and a clock that runs
// only when the player sleeps, so pacing is exact and playback takes no real time.

#include "archive/LocalPlayer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace playertest {

struct Queued {
    int channel = 0;
    DWORD time = 0; // seconds of the frame header
    DWORD ms = 0;
    bool key = false;
    DWORD generation = 0;
    std::string label;
    ULONGLONG tick = 0; // the host's clock when the frame was queued
    std::size_t bytes = 0;
};

class Host;

class Decoder : public IChannelDecoder {
public:
    Decoder(Host& host, int channel) : m_host(host), m_channel(channel) {}
    bool QueueFrame(std::unique_ptr<FrameItem> item) override;
    void SetRefuse(bool refuse) override { m_refuse = refuse; }
    std::size_t QueueLength() const override;
    void Stop() override;

private:
    Host& m_host;
    int m_channel;
    bool m_refuse = false;
};

class Audio : public IAudioPlayer {
public:
    explicit Audio(Host& host) : m_host(host) {}
    bool QueueBlock(const BYTE* block, std::size_t length) override;
    void Flush() override {}
    std::size_t QueuedBlocks() const override { return 0; }
    void Stop() override {}

private:
    Host& m_host;
};

class Host : public ILocalPlayerHost {
public:
    // ---- what the test sets
    std::atomic<WORD> visibleMask{0xFFFF};
    std::atomic<int> selectedChannel{-1}; // the channel shown alone, -1 none
    std::atomic<bool> waveOut{true};
    // Frames every decoder claims to hold (a decoder that stopped taking frames).
    std::atomic<std::size_t> decoderBacklog{0};

    // ---- what the player did (read under Lock())
    std::vector<Queued> frames;
    std::vector<std::size_t> audioBlocks;
    std::vector<int> layouts;      // SetPlayLayout with select
    std::vector<int> splitButtons; // SetSplitButtons
    std::vector<DWORD> logs;       // WriteLocalLog sub-kinds
    int playSource = 0;
    int buttons[3] = {};
    bool playBarEnabled = false;
    bool clock = false;
    DWORD clockTime = 0;
    int decodersStopped = 0;
    int audioPlayers = 0;
    int selectedAudio = -2;
    WORD availableMask = 0;
    std::atomic<bool> audioClosed{false};
    int sixteenSplits = 0;

    std::unique_lock<std::mutex> Lock() { return std::unique_lock<std::mutex>(m_lock); }

    // Holds the playback thread at its start until Release (so the test can set a mode first).
    void HoldStart() { m_hold = true; }
    void Release() {
        std::lock_guard lock(m_lock);
        m_hold = false;
        m_changed.notify_all();
    }

    // Waits (real time) until the condition holds, checked under the lock.
    // The player's own fields change without telling the host, so the condition is looked at
    // again every few milliseconds as well.
    template <typename Condition>
    bool WaitFor(Condition condition, std::chrono::seconds timeout = std::chrono::seconds(60)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        std::unique_lock lock(m_lock);
        while (!condition()) {
            if (std::chrono::steady_clock::now() >= deadline) {
                return false;
            }
            m_changed.wait_for(lock, std::chrono::milliseconds(5));
        }
        return true;
    }
    std::size_t FrameCount() {
        std::lock_guard lock(m_lock);
        return frames.size();
    }
    std::vector<Queued> Frames() {
        std::lock_guard lock(m_lock);
        return frames;
    }
    void Notify() { m_changed.notify_all(); }
    ULONGLONG Now() const { return m_now.load(); }

    // ---- ILocalPlayerHost
    std::unique_ptr<IChannelDecoder> CreateDecoder(int channel) override {
        return std::make_unique<Decoder>(*this, channel);
    }
    std::unique_ptr<IAudioPlayer> CreateAudioPlayer() override {
        std::lock_guard lock(m_lock);
        if (!waveOut) {
            return nullptr;
        }
        ++audioPlayers;
        return std::make_unique<Audio>(*this);
    }
    void SetPlaySource(int source) override { Set(playSource, source); }
    bool SetAvailableMask(WORD mask, bool) override {
        std::lock_guard lock(m_lock);
        const bool changed = mask != availableMask;
        availableMask = mask;
        return changed;
    }
    void DrawVideoLossExcept(WORD) override {}
    void ClearThirdMask() override {}
    void SetPlayLayout(int layout, const DWORD (&)[15], bool select) override {
        std::lock_guard lock(m_lock);
        if (select) {
            layouts.push_back(layout);
        }
    }
    WORD GetVisibleChannelMask() const override { return visibleMask; }
    bool IsSelectedChannel(int channel) const override { return channel == selectedChannel; }
    void RepaintVideo(DWORD) override {}
    void SetSplitButtons(int pressed) override {
        std::lock_guard lock(m_lock);
        splitButtons.push_back(pressed);
    }
    void SetPlayButtons(int reverse, int forward, int pause) override {
        std::lock_guard lock(m_lock);
        buttons[0] = reverse;
        buttons[1] = forward;
        buttons[2] = pause;
        m_changed.notify_all();
    }
    void EnablePlayBar(bool enable) override { Set(playBarEnabled, enable); }
    void InvalidatePlayBar() override {}
    void SelectSixteenSplit() override { Set(sixteenSplits, sixteenSplits + 1); }
    void ResetRememberedMask() override {}
    void WriteLocalLog(DWORD indexSub) override {
        std::unique_lock lock(m_lock);
        logs.push_back(indexSub);
        m_changed.notify_all();
        if (indexSub == 1) {
            m_changed.wait(lock, [&] { return !m_hold; });
        }
    }
    bool GetAudioClosed() const override { return audioClosed.load(); }
    void SetAudioClosed(bool closed) override { audioClosed.store(closed); }
    void SetSelectedAudioChannel(int channel) override { Set(selectedAudio, channel); }
    void CreatePlayClock() override { Set(clock, true); }
    void SetPlayClockTime(DWORD time) override { Set(clockTime, time); }
    void DestroyPlayClock() override { Set(clock, false); }
    ULONGLONG TickMs() override { return m_now.load(); }
    void SleepMs(DWORD ms) override {
        m_now.fetch_add(ms);
        // Waits for the UI (pauses, a held slider) take a little real time, so the test's thread
        // is not starved by a spinning player. The pacing's 1 ms steps take none: on a busy core
        // even a yield costs a time slice, and the thousands of steps of a few seconds played
        // would outlast any bound.
        if (ms >= 10) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    void Record(Queued q) {
        std::lock_guard lock(m_lock);
        q.tick = m_now.load();
        frames.push_back(std::move(q));
        m_changed.notify_all();
    }
    void RecordAudio(std::size_t length) {
        std::lock_guard lock(m_lock);
        audioBlocks.push_back(length);
    }
    void DecoderStopped() {
        std::lock_guard lock(m_lock);
        ++decodersStopped;
    }

private:
    template <typename T, typename V>
    void Set(T& field, V value) {
        std::lock_guard lock(m_lock);
        field = value;
        m_changed.notify_all();
    }

    std::mutex m_lock;
    std::condition_variable m_changed;
    std::atomic<ULONGLONG> m_now{1000000};
    bool m_hold = false;
};

inline bool Decoder::QueueFrame(std::unique_ptr<FrameItem> item) {
    if (m_refuse || !item) {
        return false;
    }
    Queued q;
    q.channel = m_channel;
    q.time = item->descriptor.frame_time;
    q.ms = item->descriptor.milliseconds;
    q.key = item->descriptor.key_mark == 1;
    q.generation = item->descriptor.generation;
    q.label = item->descriptor.label;
    q.bytes = item->data.size();
    EXPECT_EQ(item->descriptor.channel, m_channel);
    m_host.Record(std::move(q));
    return true;
}

inline std::size_t Decoder::QueueLength() const {
    return m_host.decoderBacklog.load();
}

inline void Decoder::Stop() {
    m_host.DecoderStopped();
}

inline bool Audio::QueueBlock(const BYTE*, std::size_t length) {
    m_host.RecordAudio(length);
    return true;
}

} // namespace playertest
