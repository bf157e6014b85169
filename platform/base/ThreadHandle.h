#pragma once
// A thread the program started, owned by its handle. The handle joins it when emptied or destroyed:
// a thread never outlives its handle (unless the handle goes from inside the thread itself), so a
// thread body never runs on after the object it uses is gone.

#include "platform/base/WinTypes.h"

#include <functional>
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

    // True while a thread is attached to this handle (started and not yet joined).
    bool IsValid() const { return m_thread.joinable(); }
    explicit operator bool() const { return IsValid(); }
    // A process-wide id, never 0 and never reused; 0 for an empty handle.
    unsigned ThreadId() const { return m_id; }

    // Waits for the thread to end and releases it. Does nothing on an empty handle; called from the
    // thread itself (its own handle going away inside it) it lets the thread run on alone.
    void Join();

private:
    std::thread m_thread;
    unsigned m_id = 0;
};

// The start-call shape: start(arg) runs on a new thread at once (stack size and flags are ignored,
// the default stack is used). *threadId receives the id when the pointer is given. The returned handle
// is empty when no thread could be made.
CThreadHandle _beginthreadex(void* security, unsigned stackSize, unsigned (*start)(void*), void* arg,
                             unsigned initFlags, unsigned* threadId);
