#include "protocol/PlayPacer.h"

#include <pthread.h>

CPlayPacer::CPlayPacer(Release release, std::size_t maxPending)
    : m_release(std::move(release)), m_maxPending(maxPending), m_thread([this] { Run(); }) {}

CPlayPacer::~CPlayPacer() {
    Stop();
}

bool CPlayPacer::IsIdle() const {
    std::lock_guard lock(m_lock);
    return m_pending.empty() && !m_releasing;
}

void CPlayPacer::Push(PacedPlayFrame entry, const std::atomic<bool>& abort) {
    std::unique_lock lock(m_lock);
    while (m_pending.size() >= m_maxPending && !m_stop && !abort.load()) {
        m_changed.wait_for(lock, std::chrono::milliseconds(10));
    }
    if (m_stop || abort.load()) {
        return;
    }
    m_pending.push_back(std::move(entry));
    m_changed.notify_all();
}

bool CPlayPacer::WaitIdle(std::chrono::milliseconds limit) const {
    std::unique_lock lock(m_lock);
    return m_changed.wait_for(lock, limit, [this] { return m_stop || (m_pending.empty() && !m_releasing); });
}

void CPlayPacer::Stop() {
    {
        std::lock_guard lock(m_lock);
        m_stop = true;
        m_pending.clear();
        m_changed.notify_all();
    }
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id()) {
        m_thread.join();
    }
}

void CPlayPacer::Run() {
    pthread_setname_np(pthread_self(), "kelo-play-clock");
    std::unique_lock lock(m_lock);
    while (true) {
        m_changed.wait(lock, [this] { return m_stop || !m_pending.empty(); });
        if (m_stop) {
            break;
        }
        PacedPlayFrame entry = std::move(m_pending.front());
        m_pending.pop_front();
        m_releasing = true;
        m_changed.notify_all();
        lock.unlock();
        m_release(entry);
        lock.lock();
        m_releasing = false;
        m_changed.notify_all();
    }
    m_releasing = false;
    m_changed.notify_all();
}
