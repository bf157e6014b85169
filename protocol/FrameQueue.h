#pragma once
// A bounded queue of frame items between one producer thread (the socket thread) and one consumer
// thread (a channel decoder or the download writer), with the consumer's manual-reset event.
//
// The bound protects memory when a consumer stalls: items beyond it are refused, never queued.

#include "protocol/FrameItem.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

class CFrameQueue {
public:
    static constexpr std::size_t kDefaultMaxItems = 64;

    explicit CFrameQueue(std::size_t maxItems = kDefaultMaxItems, std::size_t maxBytes = SIZE_MAX);
    CFrameQueue(const CFrameQueue&) = delete;
    CFrameQueue& operator=(const CFrameQueue&) = delete;

    // Appends an item behind the others and signals the event. False (the item is freed) while the
    // queue refuses items or is full.
    bool Add(std::unique_ptr<FrameItem> item);
    // As Add, but waits up to timeout for room instead of refusing a full queue. On false the item
    // stays with the caller.
    bool AddWait(std::unique_ptr<FrameItem>& item, std::chrono::milliseconds timeout);

    // Takes the oldest item out of the list; null when there is none.
    std::unique_ptr<FrameItem> Take();
    // Takes every item, oldest first, appending them to items.
    void TakeAll(std::vector<std::unique_ptr<FrameItem>>& items);

    // Items in the list.
    std::size_t GetCount() const;
    std::size_t GetBytes() const;
    // Items refused because the queue was full or refusing.
    std::size_t GetRefusedCount() const;

    // While refusing, Add frees every item it is given (teardown).
    void SetRefuse(bool refuse);

    // Frees every item.
    void Clear();

    // The consumer's manual-reset event.
    void SetEvent();
    void ResetEvent();
    // True when the event is set, waiting up to timeout for it.
    bool WaitEvent(std::chrono::milliseconds timeout);
    // Waits up to timeout until the list holds at most count items; true when it does.
    bool WaitCountAtMost(std::size_t count, std::chrono::milliseconds timeout);

private:
    bool HasRoomLocked(const FrameItem& item) const;
    void PushLocked(std::unique_ptr<FrameItem> item);

    const std::size_t m_maxItems;
    const std::size_t m_maxBytes;
    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    std::deque<std::unique_ptr<FrameItem>> m_list;
    std::size_t m_bytes = 0;
    std::size_t m_refused = 0;
    bool m_refuse = false;
    bool m_event = false;
};
