#pragma once
// The Time Protocol client (RFC 868 over TCP): connect to a time server, read its four-byte
// big-endian count of seconds since 1900, close. Nothing is sent.
//
// The query never runs on the UI thread: Start hands it to a worker thread and reports the result
// through a callback on that thread (the time-server page posts it to its own window). Connecting and
// reading each wait at most their time-out. Cancel (and the destructor) closes a connection in
// progress at once and guarantees that the callback has either finished or will never run; a worker
// still waiting for the name service, which cannot be interrupted, is left to end on its own.

#include "platform/base/WinTypes.h"

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class CTcpConnection;

// Seconds between 1900-01-01 and 1970-01-01.
constexpr DWORD kTimeProtocolEpochOffset = 2208988800u;

struct TimeServerOptions {
    // Tried in order; the first name that resolves is asked.
    std::vector<std::string> hosts;
    // 0: the port of the "time" service over TCP, else 37.
    WORD port = 0;
    int connectTimeoutMs = 5000;
    int readTimeoutMs = 5000;
};

struct TimeQueryResult {
    // 0 answered; -1 no name resolved, -2 no socket, -3 no connection, -4 no full four-byte answer.
    LONG code = 0;
    // The answer as seconds since 1970 (modulo 2^32), when code is 0.
    DWORD seconds = 0;
};

class CTimeProtocolClient {
public:
    // The two public time servers the client asks.
    static TimeServerOptions BuiltInServers();

    explicit CTimeProtocolClient(TimeServerOptions options = BuiltInServers());
    ~CTimeProtocolClient();
    CTimeProtocolClient(const CTimeProtocolClient&) = delete;
    CTimeProtocolClient& operator=(const CTimeProtocolClient&) = delete;

    // Starts a query on a worker thread, cancelling one that still runs; `done` is called on the
    // worker with the result unless the query is cancelled first. False when no thread could start.
    bool Start(std::function<void(const TimeQueryResult&)> done);
    void Cancel();

    // The query itself, blocking the calling thread for at most the time-outs after the name lookup.
    // `connection`, when given, receives the socket while it is in use (so another thread can close
    // it) and is emptied afterwards.
    static TimeQueryResult QueryTimeServer(const TimeServerOptions& options,
                                           const std::function<void(std::shared_ptr<CTcpConnection>)>& connection = {});
    // The port asked: the options' port, else the "time" service's, else 37.
    static WORD ServerPort(const TimeServerOptions& options);

private:
    struct Query;

    TimeServerOptions m_options;
    std::shared_ptr<Query> m_query;
    std::thread m_thread;
};
