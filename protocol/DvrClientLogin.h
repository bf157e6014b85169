#pragma once
// Who logs in where, and what the recorder said of itself in its hello reply.
// Threads: the UI thread stores the connect parameters before the connection starts (they stay
// unchanged while it runs) and the connect and socket threads read them; the socket thread keeps
// the hello reply once a connection, under m_infoLock, and then sets the flags; any thread reads
// the reply and the flags.

#include "platform/base/WinTypes.h"
#include "protocol/HelloInfo.h"
#include "protocol/RecvMessage.h"

#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>

// Recorder types from the hello reply's product number; only kServedRecorderType is served.
constexpr DWORD kServedRecorderType = 3;

// The HELLO request's body: user id and password, 16 bytes each.
constexpr std::size_t kHelloRequestSize = 32;

class CDvrClientLogin {
public:
    CDvrClientLogin() = default;
    CDvrClientLogin(const CDvrClientLogin&) = delete;
    CDvrClientLogin& operator=(const CDvrClientLogin&) = delete;

    // Dotted IPv4 address, port, user id and password (at most 16 bytes each of the last two are sent).
    void SetConnectParams(const char* address, DWORD port, const char* userId, const char* password);
    std::string GetAddress() const;
    const char* GetAddressText() const { return m_szAddress; }
    DWORD GetPort() const { return m_nPort; }
    const char* GetUserId() const { return m_szUserId; }
    // User id and password as HELLO carries them: at most 16 characters each, lower-cased.
    void MakeHelloRequest(BYTE (&body)[kHelloRequestSize]) const;

    // Keeps a hello reply (all zero when its size is wrong), sets the version flags (of a served
    // recorder) and then the connected flag, so that whoever sees the login sees the reply whole.
    // Returns the recorder type its product number gives (0 for none the client knows).
    DWORD KeepHello(const RecvMessage& m);
    // The recorder said goodbye or the connection ended: no longer logged in.
    void SetLoggedOut() { m_bConnected.store(0); }

    // A copy of the hello reply (all zero before it arrives).
    HelloInfo GetHello() const;
    // The channels of the hello reply: 4, 8 or 16.
    int ChannelCount() const;
    // The recorder type of the hello reply (0 before it).
    DWORD GetDvrType() const { return m_dvrType.load(); }
    bool IsConnected() const { return m_bConnected.load() != 0; }
    bool IsVersion11() const { return m_bVersion11.load() != 0; }
    bool IsVersion12() const { return m_bVersion12.load() != 0; }

private:
    friend struct DvrClientTestPeer;

    char m_szAddress[128] = {};
    DWORD m_nPort = 0;
    char m_szUserId[17] = {}; // 16 characters and a terminator
    char m_szPassword[17] = {};

    mutable std::mutex m_infoLock; // guards m_hello
    HelloInfo m_hello{};
    std::atomic<DWORD> m_dvrType{0};
    std::atomic<BYTE> m_bConnected{0};
    std::atomic<BYTE> m_bVersion11{0};
    std::atomic<BYTE> m_bVersion12{0};
};
