#include "media/VideoStats.h"

#include <ctime>

std::chrono::nanoseconds CVideoStats::ThreadCpuTime() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

void CVideoStats::AddLatency(std::chrono::steady_clock::duration latency, Stage stage) {
    long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(latency).count();
    if (ms < 0) {
        ms = 0;
    }
    const std::size_t bucket = ms >= kLatencyBuckets ? kLatencyBuckets - 1 : std::size_t(ms);
    HistogramOf(stage)[bucket].fetch_add(1, std::memory_order_relaxed);
}

std::uint64_t CVideoStats::LatencySamples(Stage stage) const {
    std::uint64_t total = 0;
    for (const auto& b : HistogramOf(stage)) {
        total += b.load(std::memory_order_relaxed);
    }
    return total;
}

int CVideoStats::LatencyPercentileMs(double share, Stage stage) const {
    const std::uint64_t total = LatencySamples(stage);
    if (total == 0) {
        return -1;
    }
    const double wanted = share * double(total);
    std::uint64_t seen = 0;
    for (int ms = 0; ms < kLatencyBuckets; ++ms) {
        seen += HistogramOf(stage)[std::size_t(ms)].load(std::memory_order_relaxed);
        if (double(seen) >= wanted) {
            return ms;
        }
    }
    return kLatencyBuckets - 1;
}

void CVideoStats::Reset() {
    for (auto& c : m_channels) {
        c.decoded = 0;
        c.drawn = 0;
        c.painted = 0;
        c.backlogSkipped = 0;
        c.queueDropped = 0;
        c.oversized = 0;
    }
    for (auto& histogram : m_latency) {
        for (auto& b : histogram) {
            b = 0;
        }
    }
    m_publishNanos = 0;
    m_paintNanos = 0;
    m_paints = 0;
}
