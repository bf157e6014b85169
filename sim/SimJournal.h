// What the simulator received (every message, with its payload) and how many messages of each id
// it sent, for tests that assert on the bytes the client produced.
#pragma once

#include "sim/SimWire.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <vector>

namespace ksim {

struct JournalEntry {
    WireHeader header;
    Bytes payload; // empty once the journal's payload budget is used up
    int64_t timeMs = 0;
};

class CSimJournal {
public:
    void AddReceived(const WireHeader& header, const Bytes& payload, int64_t timeMs);
    void AddSent(uint16_t id);
    void AddSession();

    std::vector<JournalEntry> Received() const;
    std::vector<JournalEntry> Received(uint16_t id) const;
    size_t Sessions() const;

    // Waits until at least count messages with this id were received; false at the time-out.
    bool WaitReceived(uint16_t id, size_t count, int timeoutMs) const;
    bool WaitSessions(size_t count, int timeoutMs) const;
    void Clear();

private:
    static constexpr size_t kPayloadBudget = 64u << 20;

    mutable std::mutex m_lock;
    mutable std::condition_variable m_changed;
    std::vector<JournalEntry> m_received;
    std::map<uint16_t, size_t> m_receivedCount;
    std::map<uint16_t, size_t> m_sentCount;
    size_t m_payloadBytes = 0;
    size_t m_sessions = 0;
};

} // namespace ksim
