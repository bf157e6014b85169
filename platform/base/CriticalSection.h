#pragma once
// A lock guarding data shared between threads. The owning thread may enter again (each Enter needs
// its Leave), as a thread that already holds the lock is let through.

#include "platform/base/WinTypes.h"

#include <mutex>

class CCriticalSection {
public:
    CCriticalSection() = default;
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    void Lock() { m_mutex.lock(); }
    void Unlock() { m_mutex.unlock(); }
    bool TryLock() { return m_mutex.try_lock(); }

    // For std::lock_guard / std::unique_lock.
    void lock() { Lock(); }
    void unlock() { Unlock(); }
    bool try_lock() { return TryLock(); }

private:
    std::recursive_mutex m_mutex;
};

// The plain-call shape. Initialise and delete have nothing to do: the object's life is its own.
using CRITICAL_SECTION = CCriticalSection;
using LPCRITICAL_SECTION = CCriticalSection*;

inline void InitializeCriticalSection(LPCRITICAL_SECTION) {}
inline void DeleteCriticalSection(LPCRITICAL_SECTION) {}
inline void EnterCriticalSection(LPCRITICAL_SECTION cs) {
    cs->Lock();
}
inline void LeaveCriticalSection(LPCRITICAL_SECTION cs) {
    cs->Unlock();
}
inline BOOL TryEnterCriticalSection(LPCRITICAL_SECTION cs) {
    return cs->TryLock() ? TRUE : FALSE;
}
