#include "media/DecoderQueue.h"

CDecoderQueue::CDecoderQueue(std::size_t maxItems, std::size_t maxBytes)
    : m_maxItems(maxItems > 0 ? maxItems : 1), m_maxBytes(maxBytes) {}

CDecoderQueue::AddResult CDecoderQueue::Add(std::unique_ptr<FrameItem> item, Clock::time_point arrival) {
    if (!item) {
        return AddResult::Dropped;
    }
    std::unique_ptr<FrameItem> freed; // freed outside the lock
    {
        std::lock_guard lock(m_lock);
        if (m_refuse) {
            freed = std::move(item);
            return AddResult::Refused;
        }
        const bool key = item->descriptor.key_mark == 1;
        // One item always fits, however large, so that a huge key picture cannot block the stream.
        const bool room = m_items.size() < m_maxItems && (m_items.empty() || m_bytes + item->data.size() <= m_maxBytes);
        if (!room || (m_dropToKey && !key)) {
            m_dropToKey = true;
            ++m_dropped;
            freed = std::move(item);
            return AddResult::Dropped;
        }
        m_dropToKey = false;
        m_bytes += item->data.size();
        m_items.push_back(Entry{std::move(item), arrival});
    }
    // Woken after the lock is let go, so that the decoder does not wake only to wait for it.
    m_changed.notify_one();
    return AddResult::Queued;
}

bool CDecoderQueue::Take(Entry& out, std::size_t& count, std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_lock);
    m_changed.wait_for(lock, timeout, [&] { return !m_items.empty() || m_woken; });
    m_woken = false;
    if (m_items.empty()) {
        return false;
    }
    count = m_items.size();
    out = std::move(m_items.front());
    m_items.pop_front();
    m_bytes -= out.item->data.size();
    return true;
}

void CDecoderQueue::Wake() {
    std::lock_guard lock(m_lock);
    m_woken = true;
    m_changed.notify_all();
}

std::size_t CDecoderQueue::GetCount() const {
    std::lock_guard lock(m_lock);
    return m_items.size();
}

std::size_t CDecoderQueue::GetDroppedCount() const {
    std::lock_guard lock(m_lock);
    return m_dropped;
}

void CDecoderQueue::SetRefuse(bool refuse) {
    std::lock_guard lock(m_lock);
    m_refuse = refuse;
}

void CDecoderQueue::Clear() {
    std::deque<Entry> freed;
    std::lock_guard lock(m_lock);
    freed.swap(m_items);
    m_bytes = 0;
}
