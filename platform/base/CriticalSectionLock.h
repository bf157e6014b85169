#pragma once
// Holds a critical section for the life of the guard: every path out of a block leaves it.

#include "platform/base/CriticalSection.h"

class CCriticalSectionLock {
public:
    explicit CCriticalSectionLock(CCriticalSection& cs) : m_cs(cs) { m_cs.Lock(); }
    ~CCriticalSectionLock() { m_cs.Unlock(); }
    CCriticalSectionLock(const CCriticalSectionLock&) = delete;
    CCriticalSectionLock& operator=(const CCriticalSectionLock&) = delete;

private:
    CCriticalSection& m_cs;
};
