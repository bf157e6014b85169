#pragma once
// An event a thread can wait on with a time-out. A manual-reset event stays signalled until reset
// and releases every waiter; an auto-reset event releases one waiter and resets itself as it does.

#include "platform/base/WinTypes.h"

#include <condition_variable>
#include <mutex>

class CEvent {
public:
    explicit CEvent(bool manualReset = true, bool initiallySet = false);
    CEvent(const CEvent&) = delete;
    CEvent& operator=(const CEvent&) = delete;

    void Set();
    // WAIT_OBJECT_0 when signalled within the time (INFINITE waits for ever), else WAIT_TIMEOUT.
    DWORD Wait(DWORD milliseconds);

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    const bool m_manualReset;
    bool m_set;
};
