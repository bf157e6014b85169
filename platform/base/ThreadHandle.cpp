#include "platform/base/ThreadHandle.h"

#include <atomic>
#include <system_error>

namespace {

std::atomic<unsigned> g_nextThreadId{1};

unsigned NewThreadId() {
    unsigned id = g_nextThreadId.fetch_add(1);
    // After 2^32 threads the count wraps; 0 stays reserved for "no thread".
    if (id == 0) {
        id = g_nextThreadId.fetch_add(1);
    }
    return id;
}

} // namespace

CThreadHandle::~CThreadHandle() {
    Join();
}

CThreadHandle::CThreadHandle(CThreadHandle&& other) noexcept : m_thread(std::move(other.m_thread)), m_id(other.m_id) {
    other.m_id = 0;
}

CThreadHandle& CThreadHandle::operator=(CThreadHandle&& other) noexcept {
    if (this != &other) {
        Join();
        m_thread = std::move(other.m_thread);
        m_id = other.m_id;
        other.m_id = 0;
    }
    return *this;
}

bool CThreadHandle::Start(Body body) {
    Join();
    const unsigned id = NewThreadId();
    try {
        m_thread = std::thread([body = std::move(body)]() {
            if (body) {
                body();
            }
        });
    } catch (const std::system_error&) {
        // The system refused a new thread: report it as a failed start, as the start call would.
        return false;
    }
    m_id = id;
    return true;
}

void CThreadHandle::Join() {
    if (!m_thread.joinable()) {
        return;
    }
    // A thread cannot wait for itself: when its own handle goes from inside it, it runs on alone.
    if (m_thread.get_id() == std::this_thread::get_id()) {
        m_thread.detach();
        return;
    }
    m_thread.join();
}

CThreadHandle _beginthreadex(void*, unsigned, unsigned (*start)(void*), void* arg, unsigned, unsigned* threadId) {
    CThreadHandle handle;
    if (!start || !handle.Start([start, arg] { return start(arg); })) {
        if (threadId) {
            *threadId = 0;
        }
        return handle;
    }
    if (threadId) {
        *threadId = handle.ThreadId();
    }
    return handle;
}
