#pragma once
// The base of a worker object: a body that runs on its own thread until asked to stop, and is joined.
// A derived class implements Run, which loops until IsStopping() is true (waiting with WaitForStop
// between rounds, so a stop is seen at once), and calls Stop() in its own destructor: the base's
// destructor also stops and joins, but by then the derived members are already gone.

#include "platform/base/Event.h"
#include "platform/base/ThreadHandle.h"
#include "platform/base/WinTypes.h"

#include <atomic>

class CWorkerThread {
public:
    CWorkerThread();
    virtual ~CWorkerThread();
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // Clears the stop flag and starts Run on a new thread. False when already running or no thread could be made.
    bool Start();
    // Sets the stop flag and wakes WaitForStop; does not wait.
    void RequestStop();
    // Requests the stop and waits up to the given time for the body to return. True when it has ended
    // (or never ran); false on time-out, the thread then still runs and a later Stop may join it.
    bool Stop(DWORD milliseconds = INFINITE);

    bool IsStopping() const { return m_stop.load(); }
    bool IsRunning() const;
    unsigned ThreadId() const { return m_thread.ThreadId(); }
    // Run's result once it has returned; false before.
    bool GetExitCode(DWORD* code) const { return m_thread.GetExitCode(code); }

protected:
    virtual unsigned Run() = 0;
    // Sleeps up to the given time, returning early (true) when a stop was requested.
    bool WaitForStop(DWORD milliseconds);

private:
    std::atomic<bool> m_stop{false};
    CEvent m_stopEvent{true, false};
    CThreadHandle m_thread;
};
