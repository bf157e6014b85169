#include "sim/SimJournal.h"

#include <chrono>

namespace ksim {

void CSimJournal::AddReceived(const WireHeader& header, const Bytes& payload, int64_t timeMs) {
    std::lock_guard lock(m_lock);
    JournalEntry e;
    e.header = header;
    e.timeMs = timeMs;
    if (m_payloadBytes + payload.size() <= kPayloadBudget) {
        e.payload = payload;
        m_payloadBytes += payload.size();
    }
    m_received.push_back(std::move(e));
    ++m_receivedCount[header.id];
    m_changed.notify_all();
}

void CSimJournal::AddSent(uint16_t id) {
    std::lock_guard lock(m_lock);
    ++m_sentCount[id];
    m_changed.notify_all();
}

void CSimJournal::AddSession() {
    std::lock_guard lock(m_lock);
    ++m_sessions;
    m_changed.notify_all();
}

std::vector<JournalEntry> CSimJournal::Received() const {
    std::lock_guard lock(m_lock);
    return m_received;
}

std::vector<JournalEntry> CSimJournal::Received(uint16_t id) const {
    std::lock_guard lock(m_lock);
    std::vector<JournalEntry> out;
    for (const auto& e : m_received) {
        if (e.header.id == id)
            out.push_back(e);
    }
    return out;
}

size_t CSimJournal::Sessions() const {
    std::lock_guard lock(m_lock);
    return m_sessions;
}

bool CSimJournal::WaitReceived(uint16_t id, size_t count, int timeoutMs) const {
    std::unique_lock lock(m_lock);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        const auto it = m_receivedCount.find(id);
        return it != m_receivedCount.end() && it->second >= count;
    });
}

bool CSimJournal::WaitSessions(size_t count, int timeoutMs) const {
    std::unique_lock lock(m_lock);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return m_sessions >= count; });
}

void CSimJournal::Clear() {
    std::lock_guard lock(m_lock);
    m_received.clear();
    m_receivedCount.clear();
    m_sentCount.clear();
    m_payloadBytes = 0;
}

} // namespace ksim
