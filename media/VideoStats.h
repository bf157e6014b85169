#pragma once
// Counters of the live video path, per channel, for measurements: what the decoders decoded and
// drew, what the backlog rule and the bounded queues dropped, what reached the screen and how long
// after the frame arrived. Every counter is a relaxed atomic; reading them never stops the video.

#include "platform/base/WinTypes.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>

class CVideoStats {
public:
    static constexpr int kChannels = 16;
    // Latencies in 1 ms buckets; the last bucket holds everything longer.
    static constexpr int kLatencyBuckets = 2000;
    // From a frame's arrival until its picture is drawn into the tile (queue, decoding, drawing: the
    // decoder thread's part), and until the tile reaches the screen (the UI thread's paint after it).
    enum class Stage { Drawn, Painted };

    struct Channel {
        std::atomic<std::uint64_t> decoded{0};        // pictures the decoder delivered
        std::atomic<std::uint64_t> drawn{0};          // pictures drawn into the channel's tile
        std::atomic<std::uint64_t> painted{0};        // drawn pictures that reached the screen
        std::atomic<std::uint64_t> backlogSkipped{0}; // predicted pictures skipped for a backlog
        std::atomic<std::uint64_t> queueDropped{0};   // frames the full queue turned away
        std::atomic<std::uint64_t> oversized{0};      // pictures too large for the frame buffer
    };

    Channel& Of(int channel) { return m_channels[std::size_t(channel & (kChannels - 1))]; }
    const Channel& Of(int channel) const { return m_channels[std::size_t(channel & (kChannels - 1))]; }

    // CPU time of the calling thread: what publishing and painting are measured in, so that a busy
    // machine taking the core away in between does not count.
    static std::chrono::nanoseconds ThreadCpuTime();

    // CPU time spent publishing pictures (into the frame buffer and drawing the tile, decoder
    // threads) and painting the window (UI thread), and the number of paints.
    void AddPublishTime(std::chrono::steady_clock::duration time) {
        m_publishNanos.fetch_add(Nanos(time), std::memory_order_relaxed);
    }
    void AddPaintTime(std::chrono::steady_clock::duration time) {
        m_paintNanos.fetch_add(Nanos(time), std::memory_order_relaxed);
        m_paints.fetch_add(1, std::memory_order_relaxed);
    }
    double PublishSeconds() const { return double(m_publishNanos.load()) / 1e9; }
    double PaintSeconds() const { return double(m_paintNanos.load()) / 1e9; }
    std::uint64_t Paints() const { return m_paints.load(); }

    void AddLatency(std::chrono::steady_clock::duration latency, Stage stage = Stage::Painted);
    // The latency below which the given share (0..1) of the samples lie, in milliseconds; -1 when
    // there are none.
    int LatencyPercentileMs(double share, Stage stage = Stage::Painted) const;
    std::uint64_t LatencySamples(Stage stage = Stage::Painted) const;
    void Reset();

private:
    static std::uint64_t Nanos(std::chrono::steady_clock::duration d) {
        return std::uint64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(d).count());
    }

    std::array<Channel, kChannels> m_channels;
    std::atomic<std::uint64_t> m_publishNanos{0};
    std::atomic<std::uint64_t> m_paintNanos{0};
    std::atomic<std::uint64_t> m_paints{0};
    using Histogram = std::array<std::atomic<std::uint64_t>, kLatencyBuckets>;
    const Histogram& HistogramOf(Stage stage) const { return m_latency[stage == Stage::Drawn ? 0 : 1]; }
    Histogram& HistogramOf(Stage stage) { return m_latency[stage == Stage::Drawn ? 0 : 1]; }

    std::array<Histogram, 2> m_latency{};
};
