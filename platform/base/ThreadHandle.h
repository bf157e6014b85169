#pragma once
// A thread the program started, owned by its handle. The handle waits for the thread with a
// time-out, gives its exit code, and joins it when closed or destroyed: a thread never outlives its
// handle unless Detach is called, so a thread body never runs on after the object it uses is gone.

#include "platform/base/WinTypes.h"

#include <functional>
#include <memory>
#include <thread>

class CThreadHandle {
public:
    using Body = std::function<unsigned()>;

    CThreadHandle() = default;
    ~CThreadHandle();
    CThreadHandle(CThreadHandle&& other) noexcept;
    CThreadHandle& operator=(CThreadHandle&& other) noexcept;
    CThreadHandle(const CThreadHandle&) = delete;
    CThreadHandle& operator=(const CThreadHandle&) = delete;

    // Starts body on a new thread at once. False (and an empty handle) when no thread could be made.
    bool Start(Body body);

    // True while a thread is attached to this handle (started and neither joined nor detached).
    bool IsValid() const { return m_thread.joinable(); }
    explicit operator bool() const { return IsValid(); }
    // True once the body has returned.
    bool IsFinished() const;
    // A process-wide id, never 0 and never reused; 0 for an empty handle.
    unsigned ThreadId() const { return m_id; }

    // WAIT_OBJECT_0 once the body has returned (the thread is then joined), WAIT_TIMEOUT otherwise,
    // WAIT_FAILED for an empty handle or a wait from the thread on itself.
    DWORD Wait(DWORD milliseconds);
    // The body's result once it has returned; false while it runs.
    bool GetExitCode(DWORD* code) const;
    // Waits for the thread to end and releases it. Does nothing on an empty handle; called from the
    // thread itself (its own handle going away inside it) it lets the thread run on alone.
    void Join();
    // Lets the thread run on alone; it must then own everything it uses.
    void Detach();

private:
    struct State;
    std::shared_ptr<State> m_state;
    std::thread m_thread;
    unsigned m_id = 0;
};

// The id of the calling thread in the same numbering as CThreadHandle::ThreadId (threads not started
// through this layer get an id of their own on first call).
unsigned GetCurrentThreadId();

// The start-call shape: start(arg) runs on a new thread at once (stack size and flags are ignored,
// the default stack is used). *threadId receives the id when the pointer is given. The returned handle
// is empty when no thread could be made.
CThreadHandle _beginthreadex(void* security, unsigned stackSize, unsigned (*start)(void*), void* arg,
                             unsigned initFlags, unsigned* threadId);

DWORD WaitForSingleObject(CThreadHandle& thread, DWORD milliseconds);
BOOL GetExitCodeThread(const CThreadHandle& thread, DWORD* code);
// Closing a thread handle waits for the thread to end and empties the handle (see above); call
// Detach first for a thread that must run on.
BOOL CloseHandle(CThreadHandle& thread);
