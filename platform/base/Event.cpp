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

void CEvent::Reset() {
    std::lock_guard<std::mutex> lock(m_lock);
    m_set = false;
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

bool CEvent::IsSet() const {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_set;
}

EVENT_HANDLE CreateEvent(void*, BOOL manualReset, BOOL initialState, LPCSTR) {
    return std::make_unique<CEvent>(manualReset != FALSE, initialState != FALSE);
}

BOOL SetEvent(const EVENT_HANDLE& event) {
    if (!event) {
        return FALSE;
    }
    event->Set();
    return TRUE;
}

BOOL ResetEvent(const EVENT_HANDLE& event) {
    if (!event) {
        return FALSE;
    }
    event->Reset();
    return TRUE;
}

DWORD WaitForSingleObject(const EVENT_HANDLE& event, DWORD milliseconds) {
    return event ? event->Wait(milliseconds) : WAIT_FAILED;
}

BOOL CloseHandle(EVENT_HANDLE& event) {
    if (!event) {
        return FALSE;
    }
    event.reset();
    return TRUE;
}
