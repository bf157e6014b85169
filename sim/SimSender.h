// The writing half of a session: one thread that owns all sends on the socket, so that the
// session's reader never blocks on a client that does not read (it keeps reading requests while
// a backup or a stream waits on TCP back-pressure). Control replies go ahead of queued bulk data
// (frames), and a control reply that comes while a frame is going out is sent between two of the
// frame's fragments, so it never waits for more than one fragment. A control item always goes out
// whole, and so do the fragments of one bulk item among themselves (in order, none left out).
#pragma once

#include "sim/SimConfig.h"
#include "sim/SimJournal.h"
#include "sim/SimWire.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <set>
#include <thread>

namespace ksim {

struct OutMessage {
    WireHeader header; // audio bits are filled in when it is sent
    Bytes payload;
    bool raw = false;            // payload goes out as it stands, without a header
    bool endOfItem = false;      // the last message of one logical payload
    uint64_t liveGeneration = 0; // live data: dropped unless it is still the current generation
};

using OutItem = std::vector<OutMessage>;

class CSimSender {
public:
    CSimSender(int fd, const CSimConfig& config, CSimJournal& journal);
    ~CSimSender();
    CSimSender(const CSimSender&) = delete;
    CSimSender& operator=(const CSimSender&) = delete;

    // Builds the messages of one logical payload: the payload-shaping faults applied, split into
    // fragments of at most fragmentSize bytes, bit 30 on the last unless a fault suppresses it.
    OutItem Build(uint16_t id, Bytes payload, size_t fragmentSize, uint8_t speedCode = 0, uint32_t word3 = 0) const;

    void Send(uint16_t id, Bytes payload = {});
    void SendFragmented(uint16_t id, Bytes payload, size_t fragmentSize);
    void SendItem(OutItem item);
    void SendRaw(Bytes bytes);
    // Queues bulk data; waits while the bulk queue is full. False once the sender has stopped
    // or abort becomes true.
    bool SendBulk(OutItem item, const std::atomic<bool>& abort);
    // Waits until every queued item has been written; false when the sender stopped first.
    bool Flush(int timeoutMs);

    // Live items of older generations still queued are dropped instead of sent, so that a new
    // LIVE_CHANNEL_INFO is never followed by frames of the streams it replaced.
    void SetLiveGeneration(uint64_t generation);

    void SetAudio(bool on, uint8_t channel);
    bool AudioOn() const { return m_audioOn.load(); }
    bool Broken() const { return m_broken.load(); }
    void Stop();

private:
    void Run();
    bool Write(const uint8_t* data, size_t size);
    bool SendMessage(const OutMessage& m);
    // Sends every control item queued now (between two fragments of a bulk item); false when the
    // connection broke.
    bool SendWaitingControl();

    int m_fd;
    const CSimConfig& m_config;
    CSimJournal& m_journal;
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::deque<OutItem> m_control;
    std::deque<OutItem> m_bulk;
    size_t m_bulkBytes = 0;
    bool m_busy = false;
    bool m_stop = false;
    std::atomic<bool> m_broken{false};
    std::atomic<bool> m_stalled{false};
    std::atomic<bool> m_audioOn{false};
    std::atomic<uint8_t> m_audioChannel{0};
    std::atomic<uint64_t> m_liveGeneration{0};
    std::set<uint16_t> m_onceDone; // ids whose one-shot fault has fired
    std::thread m_thread;
};

} // namespace ksim
