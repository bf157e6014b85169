#pragma once
// A minimal recorder side for tests: one loopback listener, one accepted client, and helpers that
// write messages and read the client's messages with time-outs. It writes its bytes by hand, not
// with the client's header code, so a layout mistake on either side shows.

#include "protocol/ByteOrder.h"
#include "tests/platform/net/LoopbackListener.h"

#include <chrono>
#include <cstdint>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

class ScriptedRecorder {
public:
    ~ScriptedRecorder() { CloseClient(); }

    unsigned short Port() const { return m_listener.Port(); }

    bool AcceptClient(int timeoutMs = 10000) {
        pollfd p{m_listener.Fd(), POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) != 1) {
            return false;
        }
        m_fd = m_listener.Accept();
        return m_fd >= 0;
    }
    void CloseClient() {
        if (m_fd >= 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    int Fd() const { return m_fd; }

    static void PutBE32(std::vector<std::uint8_t>& out, std::uint32_t v) {
        out.resize(out.size() + 4);
        WriteBE32(out.data() + out.size() - 4, v);
    }
    // Header bytes: id << 7 in word 0, length (and bit 30 when last) in word 1.
    static std::vector<std::uint8_t> Message(unsigned id, const std::vector<std::uint8_t>& payload, bool last = true,
                                             std::uint32_t lengthOverride = 0xFFFFFFFF) {
        std::vector<std::uint8_t> out;
        PutBE32(out, std::uint32_t(id) << 7);
        const std::uint32_t length = lengthOverride != 0xFFFFFFFF ? lengthOverride : std::uint32_t(payload.size());
        PutBE32(out, length | (last ? 0x40000000u : 0u));
        PutBE32(out, 0);
        PutBE32(out, 0);
        out.insert(out.end(), payload.begin(), payload.end());
        return out;
    }
    static std::vector<std::uint8_t> Reason(std::int32_t reason) {
        std::vector<std::uint8_t> out;
        PutBE32(out, static_cast<std::uint32_t>(reason));
        return out;
    }
    bool SendRaw(const std::vector<std::uint8_t>& bytes) const {
        return ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
    }
    bool Send(unsigned id, const std::vector<std::uint8_t>& payload, bool last = true) const {
        return SendRaw(Message(id, payload, last));
    }

    struct Received {
        unsigned id = 0;
        std::uint32_t w0 = 0, w1 = 0;
        std::vector<std::uint8_t> payload;
        bool ok = false;
    };
    // Reads one message from the client; ok is false on a time-out or end of stream.
    Received Read(int timeoutMs = 10000) const {
        Received r;
        std::vector<std::uint8_t> head;
        if (!ReadExact(head, 16, timeoutMs)) {
            return r;
        }
        r.w0 = ReadBE32(head.data());
        r.w1 = ReadBE32(head.data() + 4);
        r.id = (r.w0 & 0xFFFF) >> 7;
        r.ok = ReadExact(r.payload, r.w1 & 0xFFFF, timeoutMs);
        return r;
    }
    // Reads messages until one with `id` arrives (others are skipped).
    Received ReadUntil(unsigned id, int timeoutMs = 10000) const {
        for (;;) {
            Received r = Read(timeoutMs);
            if (!r.ok || r.id == id) {
                return r;
            }
        }
    }
    // True when the client closed its side (end of stream) within the time.
    bool WaitForClose(int timeoutMs = 10000) const {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        std::uint8_t buf[4096];
        while (std::chrono::steady_clock::now() < end) {
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, 50) == 1) {
                const ssize_t n = ::recv(m_fd, buf, sizeof buf, 0);
                if (n <= 0) {
                    return true;
                }
            }
        }
        return false;
    }

private:
    bool ReadExact(std::vector<std::uint8_t>& out, std::size_t len, int timeoutMs) const {
        out.resize(len);
        std::size_t got = 0;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (got < len) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            if (left.count() <= 0) {
                return false;
            }
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(left.count())) != 1) {
                return false;
            }
            const ssize_t n = ::recv(m_fd, out.data() + got, len - got, 0);
            if (n <= 0) {
                return false;
            }
            got += static_cast<std::size_t>(n);
        }
        return true;
    }

    LoopbackListener m_listener;
    int m_fd = -1;
};
