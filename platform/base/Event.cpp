#include "platform/base/Event.h"

#include <chrono>

CEvent::CEvent(bool manualReset, bool initiallySet) : m_manualReset(manualReset), m_set(initiallySet) {}

void CEvent::Set() {
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_set = true;
    }
    // Every waiter of a manual-reset event goes; an auto-reset event lets one through, and the first
    // to take the lock consumes the signal, so waking one is enough.
    if (m_manualReset) {
        m_changed.notify_all();
    } else {
        m_changed.notify_one();
    }
}

DWORD CEvent::Wait(DWORD milliseconds) {
    std::unique_lock<std::mutex> lock(m_lock);
    const auto isSet = [this] { return m_set; };
    if (milliseconds == INFINITE) {
        m_changed.wait(lock, isSet);
    } else if (!m_changed.wait_for(lock, std::chrono::milliseconds(milliseconds), isSet)) {
        return WAIT_TIMEOUT;
    }
    if (!m_manualReset) {
        m_set = false;
    }
    return WAIT_OBJECT_0;
}
