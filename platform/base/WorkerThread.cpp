#include "platform/base/WorkerThread.h"

CWorkerThread::CWorkerThread() = default;

CWorkerThread::~CWorkerThread() {
    Stop();
}

bool CWorkerThread::Start() {
    if (IsRunning()) {
        return false;
    }
    m_thread.Join();
    m_stop.store(false);
    m_stopEvent.Reset();
    return m_thread.Start([this] { return Run(); });
}

void CWorkerThread::RequestStop() {
    m_stop.store(true);
    m_stopEvent.Set();
}

bool CWorkerThread::Stop(DWORD milliseconds) {
    RequestStop();
    if (!m_thread.IsValid()) {
        return true;
    }
    const DWORD result = m_thread.Wait(milliseconds);
    if (result == WAIT_FAILED) {
        // Stop called by the body itself: the thread ends when Run returns.
        return false;
    }
    return result == WAIT_OBJECT_0;
}

bool CWorkerThread::IsRunning() const {
    return m_thread.IsValid() && !m_thread.IsFinished();
}

bool CWorkerThread::WaitForStop(DWORD milliseconds) {
    return m_stopEvent.Wait(milliseconds) == WAIT_OBJECT_0;
}
