#pragma once
// A channel decoder's frame list: the socket thread (or a local player) appends, the decoder thread
// takes the oldest. It is bounded, so a decoder that stalls cannot make memory grow without end:
// once an item finds no room, everything that follows is dropped up to the next key picture, which
// starts the stream again cleanly when there is room for it.

#include "protocol/FrameItem.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>

class CDecoderQueue {
public:
    static constexpr std::size_t kDefaultMaxItems = 64;
    static constexpr std::size_t kDefaultMaxBytes = 16u << 20;

    using Clock = std::chrono::steady_clock;

    struct Entry {
        std::unique_ptr<FrameItem> item;
        Clock::time_point arrival{};
    };

    enum class AddResult {
        Queued,
        Refused, // the queue refuses items (teardown)
        Dropped, // no room, or waiting for a key picture after an overflow
    };

    explicit CDecoderQueue(std::size_t maxItems = kDefaultMaxItems, std::size_t maxBytes = kDefaultMaxBytes);
    CDecoderQueue(const CDecoderQueue&) = delete;
    CDecoderQueue& operator=(const CDecoderQueue&) = delete;

    AddResult Add(std::unique_ptr<FrameItem> item, Clock::time_point arrival = Clock::now());

    // Waits until an item is queued or Wake is called, at most `timeout`. On true, `out` holds the
    // oldest item and `count` the items queued before it was taken (itself included).
    bool Take(Entry& out, std::size_t& count, std::chrono::milliseconds timeout);
    // Ends a wait in Take at once (the consumer is stopping).
    void Wake();

    // Items queued.
    std::size_t GetCount() const;
    // Items dropped for want of room, including those dropped while waiting for the key picture.
    std::size_t GetDroppedCount() const;

    void SetRefuse(bool refuse);
    // Frees every queued item.
    void Clear();

private:
    const std::size_t m_maxItems;
    const std::size_t m_maxBytes;
    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    std::deque<Entry> m_items;
    std::size_t m_bytes = 0;
    std::size_t m_dropped = 0;
    bool m_refuse = false;
    bool m_dropToKey = false;
    bool m_woken = false;
};
