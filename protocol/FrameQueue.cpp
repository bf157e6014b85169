#include "protocol/FrameQueue.h"

CFrameQueue::CFrameQueue(std::size_t maxItems, std::size_t maxBytes)
    : m_maxItems(maxItems > 0 ? maxItems : 1), m_maxBytes(maxBytes) {}

bool CFrameQueue::HasRoomLocked(const FrameItem& item) const {
    const std::size_t items = m_list.size();
    if (items >= m_maxItems) {
        return false;
    }
    // One item always fits, however large, so that a huge frame cannot block the queue for ever.
    return items == 0 || m_bytes + item.data.size() <= m_maxBytes;
}

void CFrameQueue::PushLocked(std::unique_ptr<FrameItem> item) {
    m_bytes += item->data.size();
    m_list.push_back(std::move(item));
    m_event = true;
    m_changed.notify_all();
}

bool CFrameQueue::Add(std::unique_ptr<FrameItem> item) {
    if (!item) {
        return false;
    }
    std::lock_guard lock(m_lock);
    if (m_refuse || !HasRoomLocked(*item)) {
        ++m_refused;
        return false;
    }
    PushLocked(std::move(item));
    return true;
}

bool CFrameQueue::AddWait(std::unique_ptr<FrameItem>& item, std::chrono::milliseconds timeout) {
    if (!item) {
        return false;
    }
    std::unique_lock lock(m_lock);
    const bool room = m_changed.wait_for(lock, timeout, [&] { return m_refuse || HasRoomLocked(*item); });
    if (!room || m_refuse) {
        ++m_refused;
        return false;
    }
    PushLocked(std::move(item));
    return true;
}

std::unique_ptr<FrameItem> CFrameQueue::Take() {
    std::lock_guard lock(m_lock);
    if (m_list.empty()) {
        return nullptr;
    }
    std::unique_ptr<FrameItem> item = std::move(m_list.front());
    m_list.pop_front();
    m_bytes -= item->data.size();
    m_changed.notify_all();
    return item;
}

void CFrameQueue::TakeAll(std::vector<std::unique_ptr<FrameItem>>& items) {
    std::lock_guard lock(m_lock);
    if (m_list.empty()) {
        return;
    }
    for (std::unique_ptr<FrameItem>& item : m_list) {
        items.push_back(std::move(item));
    }
    m_list.clear();
    m_bytes = 0;
    m_changed.notify_all();
}

std::size_t CFrameQueue::GetCount() const {
    std::lock_guard lock(m_lock);
    return m_list.size();
}

std::size_t CFrameQueue::GetBytes() const {
    std::lock_guard lock(m_lock);
    return m_bytes;
}

std::size_t CFrameQueue::GetRefusedCount() const {
    std::lock_guard lock(m_lock);
    return m_refused;
}

void CFrameQueue::SetRefuse(bool refuse) {
    std::lock_guard lock(m_lock);
    m_refuse = refuse;
    m_changed.notify_all();
}

void CFrameQueue::Clear() {
    std::deque<std::unique_ptr<FrameItem>> freed;
    {
        std::lock_guard lock(m_lock);
        freed.swap(m_list);
        m_bytes = 0;
        m_changed.notify_all();
    }
}

void CFrameQueue::SetEvent() {
    std::lock_guard lock(m_lock);
    m_event = true;
    m_changed.notify_all();
}

void CFrameQueue::ResetEvent() {
    std::lock_guard lock(m_lock);
    m_event = false;
}

bool CFrameQueue::WaitEvent(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_lock);
    return m_changed.wait_for(lock, timeout, [&] { return m_event; });
}

bool CFrameQueue::WaitCountAtMost(std::size_t count, std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_lock);
    return m_changed.wait_for(lock, timeout, [&] { return m_list.size() <= count; });
}
