#include "sim/SimSender.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <poll.h>
#include <sys/socket.h>

namespace ksim {

namespace {
constexpr size_t kBulkLimitBytes = 4u << 20;
constexpr size_t kBulkLimitItems = 256;
} // namespace

CSimSender::CSimSender(int fd, const CSimConfig& config, CSimJournal& journal)
    : m_fd(fd), m_config(config), m_journal(journal) {
    m_thread = std::thread([this] { Run(); });
}

CSimSender::~CSimSender() {
    Stop();
    if (m_thread.joinable())
        m_thread.join();
}

void CSimSender::Stop() {
    std::lock_guard lock(m_lock);
    m_stop = true;
    m_changed.notify_all();
}

OutItem CSimSender::Build(uint16_t id, Bytes payload, size_t fragmentSize, uint8_t speedCode, uint32_t word3) const {
    if (const SimFault* f = m_config.FindFault(FaultKind::Bytes, id))
        payload.resize(size_t(f->value), 0);
    if (const SimFault* f = m_config.FindFault(FaultKind::Size, id)) {
        const int64_t size = std::max<int64_t>(0, int64_t(payload.size()) + f->value);
        payload.resize(size_t(size), 0);
    }
    const bool suppressLast = m_config.FindFault(FaultKind::NoLast, id) != nullptr;
    fragmentSize = std::clamp<size_t>(fragmentSize, 1, kMaxPayload);
    OutItem item;
    size_t offset = 0;
    do {
        const size_t n = std::min(fragmentSize, payload.size() - offset);
        OutMessage m;
        m.header.id = id;
        m.header.length = uint32_t(n);
        m.header.speedCode = speedCode;
        m.header.word3 = word3;
        m.payload.assign(payload.begin() + long(offset), payload.begin() + long(offset + n));
        offset += n;
        m.endOfItem = offset >= payload.size();
        m.header.last = m.endOfItem && IsFragmenting(id) && !suppressLast;
        item.push_back(std::move(m));
    } while (offset < payload.size());
    return item;
}

void CSimSender::Send(uint16_t id, Bytes payload) {
    // A single message; its length field must fit, so anything longer is cut (the callers never
    // send that much unfragmented).
    if (payload.size() > kMaxPayload)
        payload.resize(kMaxPayload);
    SendItem(Build(id, std::move(payload), kMaxPayload));
}

void CSimSender::SendFragmented(uint16_t id, Bytes payload, size_t fragmentSize) {
    SendItem(Build(id, std::move(payload), fragmentSize));
}

void CSimSender::SendItem(OutItem item) {
    std::lock_guard lock(m_lock);
    if (m_stop)
        return;
    m_control.push_back(std::move(item));
    m_changed.notify_all();
}

void CSimSender::SendRaw(Bytes bytes) {
    OutMessage m;
    m.raw = true;
    m.payload = std::move(bytes);
    SendItem(OutItem{std::move(m)});
}

bool CSimSender::SendBulk(OutItem item, const std::atomic<bool>& abort) {
    size_t bytes = 0;
    for (const auto& m : item)
        bytes += kHeaderSize + m.payload.size();
    std::unique_lock lock(m_lock);
    while (!m_stop && !abort.load() && !m_bulk.empty() &&
           (m_bulkBytes + bytes > kBulkLimitBytes || m_bulk.size() >= kBulkLimitItems)) {
        m_changed.wait_for(lock, std::chrono::milliseconds(50));
    }
    if (m_stop || abort.load())
        return false;
    m_bulkBytes += bytes;
    m_bulk.push_back(std::move(item));
    m_changed.notify_all();
    return true;
}

bool CSimSender::Flush(int timeoutMs) {
    std::unique_lock lock(m_lock);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        return m_stop || (m_control.empty() && m_bulk.empty() && !m_busy);
    }) && !m_stop;
}

void CSimSender::SetLiveGeneration(uint64_t generation) {
    m_liveGeneration = generation;
}

void CSimSender::SetAudio(bool on, uint8_t channel) {
    m_audioChannel = channel & 7;
    m_audioOn = on;
}

bool CSimSender::Write(const uint8_t* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::send(m_fd, data, size, MSG_NOSIGNAL);
        if (n > 0) {
            data += n;
            size -= size_t(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd p{m_fd, POLLOUT, 0};
            ::poll(&p, 1, 100);
            std::lock_guard lock(m_lock);
            if (m_stop)
                return false;
            continue;
        }
        return false;
    }
    return true;
}

bool CSimSender::SendMessage(const OutMessage& m) {
    if (m_stalled)
        return true; // swallow everything: the client sees a connection that went quiet
    if (m.raw)
        return Write(m.payload.data(), m.payload.size());
    WireHeader h = m.header;
    h.audioOn = m_audioOn;
    h.audioChannel = h.audioOn ? m_audioChannel.load() : 0;
    uint8_t head[kHeaderSize];
    EncodeHeader(h, head);
    const bool first = m_onceDone.insert(h.id).second;
    const SimFault* closeMid = first ? m_config.FindFault(FaultKind::CloseMid, h.id) : nullptr;
    const SimFault* stallMid = first ? m_config.FindFault(FaultKind::StallMid, h.id) : nullptr;
    if (closeMid || stallMid) {
        if (!Write(head, kHeaderSize) || !Write(m.payload.data(), m.payload.size() / 2))
            return false;
        if (m_config.verbose)
            std::fprintf(stderr, "sim: fault: %s cut after %zu of %u bytes\n", MessageName(h.id, false).c_str(),
                         m.payload.size() / 2, h.length);
        if (closeMid) {
            ::shutdown(m_fd, SHUT_RDWR);
            return false;
        }
        m_stalled = true;
        return true;
    }
    const int copies = first && m_config.FindFault(FaultKind::Dup, h.id) ? 2 : 1;
    for (int c = 0; c < copies; ++c) {
        if (!Write(head, kHeaderSize) || !Write(m.payload.data(), m.payload.size()))
            return false;
        if (m_config.verbose)
            std::fprintf(stderr, "sim: send %s len=%u%s%s\n", MessageName(h.id, false).c_str(), h.length,
                         h.last ? " last" : "", h.audioOn ? " audio" : "");
        if (m.endOfItem)
            m_journal.AddSent(h.id);
    }
    return true;
}

bool CSimSender::SendWaitingControl() {
    while (true) {
        OutItem item;
        {
            std::lock_guard lock(m_lock);
            if (m_stop || m_control.empty())
                return true;
            item = std::move(m_control.front());
            m_control.pop_front();
            m_changed.notify_all();
        }
        for (const auto& m : item) {
            if (!SendMessage(m))
                return false;
        }
    }
}

void CSimSender::Run() {
    while (true) {
        OutItem item;
        bool bulk = false;
        {
            std::unique_lock lock(m_lock);
            m_busy = false;
            m_changed.notify_all();
            m_changed.wait(lock, [&] { return m_stop || !m_control.empty() || !m_bulk.empty(); });
            if (m_stop)
                return;
            if (!m_control.empty()) {
                item = std::move(m_control.front());
                m_control.pop_front();
            } else {
                item = std::move(m_bulk.front());
                m_bulk.pop_front();
                bulk = true;
                for (const auto& m : item)
                    m_bulkBytes -= kHeaderSize + m.payload.size();
            }
            m_busy = true;
            m_changed.notify_all();
        }
        if (!item.empty() && item.front().liveGeneration != 0 && item.front().liveGeneration != m_liveGeneration)
            continue;
        for (size_t i = 0; i < item.size(); ++i) {
            // A control answer that came while a frame goes out waits for the fragment in hand only,
            // not for the whole frame: the wire allows other messages between two fragments.
            const bool sent = SendMessage(item[i]) && (!bulk || i + 1 == item.size() || SendWaitingControl());
            if (!sent) {
                m_broken = true;
                ::shutdown(m_fd, SHUT_RDWR); // wakes the session's reader
                std::lock_guard lock(m_lock);
                m_stop = true;
                m_busy = false;
                m_control.clear();
                m_bulk.clear();
                m_bulkBytes = 0;
                m_changed.notify_all();
                return;
            }
        }
    }
}

} // namespace ksim
