#pragma once
// An event a thread can wait on with a time-out. A manual-reset event stays signalled until reset
// and releases every waiter; an auto-reset event releases one waiter and resets itself as it does.

#include "platform/base/WinTypes.h"

#include <condition_variable>
#include <memory>
#include <mutex>

class CEvent {
public:
    explicit CEvent(bool manualReset = true, bool initiallySet = false);
    CEvent(const CEvent&) = delete;
    CEvent& operator=(const CEvent&) = delete;

    void Set();
    void Reset();
    // WAIT_OBJECT_0 when signalled within the time (INFINITE waits for ever), else WAIT_TIMEOUT.
    DWORD Wait(DWORD milliseconds);
    // The state without waiting or consuming it.
    bool IsSet() const;

private:
    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    const bool m_manualReset;
    bool m_set;
};

// The handle-shaped calls. An event handle owns its event; closing it (or letting it go) frees it.
// A null handle makes every call fail (FALSE, WAIT_FAILED).
using EVENT_HANDLE = std::unique_ptr<CEvent>;

EVENT_HANDLE CreateEvent(void* security, BOOL manualReset, BOOL initialState, LPCSTR name);
BOOL SetEvent(const EVENT_HANDLE& event);
BOOL ResetEvent(const EVENT_HANDLE& event);
DWORD WaitForSingleObject(const EVENT_HANDLE& event, DWORD milliseconds);
BOOL CloseHandle(EVENT_HANDLE& event);
