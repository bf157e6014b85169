#include "platform/base/ThreadHandle.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>

namespace {

std::atomic<unsigned> g_nextThreadId{1};
thread_local unsigned t_threadId = 0;

unsigned NewThreadId() {
    unsigned id = g_nextThreadId.fetch_add(1);
    // After 2^32 threads the count wraps; 0 stays reserved for "no thread".
    if (id == 0) {
        id = g_nextThreadId.fetch_add(1);
    }
    return id;
}

} // namespace

struct CThreadHandle::State {
    std::mutex lock;
    std::condition_variable finishedChanged;
    bool finished = false;
    DWORD exitCode = 0;
};

CThreadHandle::~CThreadHandle() {
    Join();
}

CThreadHandle::CThreadHandle(CThreadHandle&& other) noexcept
    : m_state(std::move(other.m_state)), m_thread(std::move(other.m_thread)), m_id(other.m_id) {
    other.m_id = 0;
}

CThreadHandle& CThreadHandle::operator=(CThreadHandle&& other) noexcept {
    if (this != &other) {
        Join();
        m_state = std::move(other.m_state);
        m_thread = std::move(other.m_thread);
        m_id = other.m_id;
        other.m_id = 0;
    }
    return *this;
}

bool CThreadHandle::Start(Body body) {
    Join();
    auto state = std::make_shared<State>();
    const unsigned id = NewThreadId();
    try {
        m_thread = std::thread([state, id, body = std::move(body)]() {
            t_threadId = id;
            const unsigned code = body ? body() : 0;
            std::lock_guard<std::mutex> lock(state->lock);
            state->exitCode = code;
            state->finished = true;
            state->finishedChanged.notify_all();
        });
    } catch (const std::system_error&) {
        // The system refused a new thread: report it as a failed start, as the start call would.
        return false;
    }
    m_state = std::move(state);
    m_id = id;
    return true;
}

bool CThreadHandle::IsFinished() const {
    if (!m_state) {
        return false;
    }
    std::lock_guard<std::mutex> lock(m_state->lock);
    return m_state->finished;
}

DWORD CThreadHandle::Wait(DWORD milliseconds) {
    if (!m_state) {
        return WAIT_FAILED;
    }
    if (m_thread.joinable() && m_thread.get_id() == std::this_thread::get_id()) {
        return WAIT_FAILED;
    }
    {
        std::unique_lock<std::mutex> lock(m_state->lock);
        const auto finished = [this] { return m_state->finished; };
        if (milliseconds == INFINITE) {
            m_state->finishedChanged.wait(lock, finished);
        } else if (!m_state->finishedChanged.wait_for(lock, std::chrono::milliseconds(milliseconds), finished)) {
            return WAIT_TIMEOUT;
        }
    }
    // The body has returned; what is left of the thread ends at once.
    if (m_thread.joinable()) {
        m_thread.join();
    }
    return WAIT_OBJECT_0;
}

bool CThreadHandle::GetExitCode(DWORD* code) const {
    if (!m_state || !code) {
        return false;
    }
    std::lock_guard<std::mutex> lock(m_state->lock);
    if (!m_state->finished) {
        return false;
    }
    *code = m_state->exitCode;
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

void CThreadHandle::Detach() {
    if (m_thread.joinable()) {
        m_thread.detach();
    }
}

unsigned GetCurrentThreadId() {
    if (t_threadId == 0) {
        t_threadId = NewThreadId();
    }
    return t_threadId;
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

DWORD WaitForSingleObject(CThreadHandle& thread, DWORD milliseconds) {
    return thread.Wait(milliseconds);
}

BOOL GetExitCodeThread(const CThreadHandle& thread, DWORD* code) {
    return thread.GetExitCode(code) ? TRUE : FALSE;
}

BOOL CloseHandle(CThreadHandle& thread) {
    if (thread.ThreadId() == 0) {
        return FALSE;
    }
    thread = CThreadHandle();
    return TRUE;
}
