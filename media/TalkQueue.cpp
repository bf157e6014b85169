#include "media/TalkQueue.h"

#include <algorithm>
#include <cstring>

void CTalkQueue::Push(const BYTE* captured, std::size_t length) {
    Body body{};
    if (captured != nullptr) {
        std::memcpy(body.data() + kAudioOffset, captured, std::min(length, kCaptureBytes));
    }
    std::lock_guard lock(m_lock);
    if (m_messages.size() >= kMaxMessages) {
        m_messages.pop_front();
    }
    m_messages.push_back(body);
}

std::vector<CTalkQueue::Body> CTalkQueue::TakeAll() {
    std::lock_guard lock(m_lock);
    std::vector<Body> taken(m_messages.begin(), m_messages.end());
    m_messages.clear();
    return taken;
}

void CTalkQueue::Clear() {
    std::lock_guard lock(m_lock);
    m_messages.clear();
}

std::size_t CTalkQueue::Count() const {
    std::lock_guard lock(m_lock);
    return m_messages.size();
}
