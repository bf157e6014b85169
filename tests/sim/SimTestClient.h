// A minimal recorder client for the simulator's tests, written from the wire description with
// its own byte handling (it shares nothing with the simulator or with the client's protocol code).
#pragma once

#include <arpa/inet.h>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <memory>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>
#include <zlib.h>

#include "sim/SimConfig.h"
#include "sim/SimRecorder.h"
#include "sim/SimServer.h"
#include "sim/SimWire.h"

namespace simtest {

using Bytes = std::vector<uint8_t>;

// Byte order through the simulator's own helpers.
namespace msg = ksim::msg;
using ksim::Be32Payload;
using ksim::GetBe32;
using ksim::GetLe32;
using ksim::PutBe32;

// A case's text as a test name: every character that is not a letter or digit becomes '_'.
inline std::string CaseName(std::string text) {
    for (char& ch : text) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) {
            ch = '_';
        }
    }
    return text;
}

struct Message {
    uint32_t w0 = 0;
    uint32_t w1 = 0;
    uint32_t w2 = 0;
    uint32_t w3 = 0;
    Bytes payload;
    uint16_t Id() const { return uint16_t((w0 & 0xFFFF) >> 7); }
    uint32_t Length() const { return w1 & 0xFFFF; }
    bool Last() const { return (w1 & (1u << 30)) != 0; }
    uint8_t Speed() const { return uint8_t((w1 >> 16) & 0x3F); }
    bool AudioOn() const { return (w0 & 8) != 0; }
    uint32_t Reason() const { return payload.size() >= 4 ? GetBe32(payload.data()) : 0xFFFFFFFF; }
};

class TestClient {
public:
    // receiveBuffer > 0: the socket's receive buffer in bytes, small to make a sender wait soon.
    explicit TestClient(uint16_t port, int receiveBuffer = 0) {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        if (receiveBuffer > 0) {
            ::setsockopt(m_fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
        }
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(port);
        inet_pton(AF_INET, "127.0.0.1", &a.sin_addr);
        m_connected = ::connect(m_fd, reinterpret_cast<sockaddr*>(&a), sizeof(a)) == 0;
    }
    ~TestClient() { ::close(m_fd); }
    TestClient(const TestClient&) = delete;
    TestClient& operator=(const TestClient&) = delete;

    bool Connected() const { return m_connected; }

    bool Send(uint16_t id, const Bytes& payload = {}, uint32_t extraW0 = 0, bool last = false) {
        Bytes b(16 + payload.size(), 0);
        PutBe32(&b[0], uint32_t(id) << 7 | extraW0);
        PutBe32(&b[4], uint32_t(payload.size()) | (last ? 1u << 30 : 0));
        if (!payload.empty())
            std::memcpy(b.data() + 16, payload.data(), payload.size());
        return SendRaw(b);
    }
    bool SendRaw(const Bytes& b) {
        size_t off = 0;
        while (off < b.size()) {
            const ssize_t n = ::send(m_fd, b.data() + off, b.size() - off, MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            off += size_t(n);
        }
        return true;
    }
    bool Hello(const std::string& user = "admin", const std::string& password = "1234") {
        Bytes p(32, 0);
        std::memcpy(p.data(), user.data(), std::min<size_t>(16, user.size()));
        std::memcpy(p.data() + 16, password.data(), std::min<size_t>(16, password.size()));
        return Send(msg::HELLO, p);
    }

    // Reads exactly n bytes within the deadline; false on close, error or time-out.
    bool ReadExact(uint8_t* p, size_t n, int timeoutMs) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (n > 0) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count();
            if (left <= 0)
                return false;
            pollfd pf{m_fd, POLLIN, 0};
            if (::poll(&pf, 1, int(left)) <= 0)
                continue;
            const ssize_t r = ::recv(m_fd, p, n, 0);
            if (r <= 0)
                return false;
            p += r;
            n -= size_t(r);
        }
        return true;
    }

    std::optional<Message> Recv(int timeoutMs = 10000) {
        uint8_t h[16];
        if (!ReadExact(h, 16, timeoutMs))
            return std::nullopt;
        Message m;
        m.w0 = GetBe32(h);
        m.w1 = GetBe32(h + 4);
        m.w2 = GetBe32(h + 8);
        m.w3 = GetBe32(h + 12);
        m.payload.resize(m.Length());
        if (!ReadExact(m.payload.data(), m.payload.size(), timeoutMs))
            return std::nullopt;
        return m;
    }

    // Skips other messages until one with the id arrives.
    std::optional<Message> RecvId(uint16_t id, int timeoutMs = 10000) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < end) {
            auto m = Recv(timeoutMs);
            if (!m)
                return std::nullopt;
            if (m->Id() == id)
                return m;
        }
        return std::nullopt;
    }

    // Gathers one fragmented reply: every fragment of the id up to the one with bit 30.
    std::optional<std::vector<Message>> RecvFragments(uint16_t id, int timeoutMs = 10000) {
        std::vector<Message> parts;
        while (true) {
            auto m = RecvId(id, timeoutMs);
            if (!m)
                return std::nullopt;
            parts.push_back(*m);
            if (m->Last())
                return parts;
        }
    }

    // True when the peer closed (or reset) the connection within the time.
    bool WaitClosed(int timeoutMs) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        uint8_t buf[4096];
        while (std::chrono::steady_clock::now() < end) {
            pollfd pf{m_fd, POLLIN, 0};
            if (::poll(&pf, 1, 100) <= 0)
                continue;
            const ssize_t r = ::recv(m_fd, buf, sizeof(buf), 0);
            if (r <= 0)
                return true;
        }
        return false;
    }

private:
    int m_fd = -1;
    bool m_connected = false;
};

inline Bytes Joined(const std::vector<Message>& parts) {
    Bytes all;
    for (const auto& m : parts)
        all.insert(all.end(), m.payload.begin(), m.payload.end());
    return all;
}

// A small, fast simulator in this process: CIF pictures, one-second loops, a fixed clock.
inline ksim::CSimConfig SmallConfig() {
    ksim::CSimConfig c;
    c.port = 0;
    c.resolution = ksim::Resolution::Cif;
    c.loopSeconds = 1;
    c.clock = 1215000000; // 2008-07-02 12:00:00
    c.channels = 4;
    return c;
}

class SimInstance {
public:
    explicit SimInstance(const ksim::CSimConfig& config)
        : recorder(std::make_unique<ksim::CSimRecorder>(config)),
          server(std::make_unique<ksim::CSimServer>(*recorder)) {
        std::string error;
        listening = recorder->Ok() && server->Listen(error);
        if (listening)
            server->Start();
    }
    ~SimInstance() { server->Stop(); }
    uint16_t Port() const { return server->Port(); }

    std::unique_ptr<ksim::CSimRecorder> recorder;
    std::unique_ptr<ksim::CSimServer> server;
    bool listening = false;
};

// Logs in and reads the six pushes; returns the ids seen in order (HELLO48_ACK first).
// HELLO48_ACK and the pushes that follow it: RIGHT_CHANGE, DB_CHANGE, SYS_ETC_INFO, SYS_ETC_INFO_EX,
// DST_INFO, REC_STATUS and MESSAGE_257.
constexpr size_t kLoginMessages = 8;

inline std::vector<uint16_t> LoginAndPushes(TestClient& c) {
    std::vector<uint16_t> ids;
    if (!c.Hello())
        return ids;
    for (size_t i = 0; i < kLoginMessages; ++i) {
        auto m = c.Recv();
        if (!m)
            break;
        ids.push_back(m->Id());
    }
    return ids;
}

} // namespace simtest
