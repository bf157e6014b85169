#include "setup/TimeProtocolClient.h"

#include "platform/net/TcpConnection.h"
#include "platform/net/WinSock.h"

#include <netdb.h>

#include <atomic>
#include <chrono>
#include <mutex>

namespace {

constexpr WORD kTimePort = 37;

DWORD ReadBigEndian32(const BYTE* p) {
    return DWORD(p[0]) << 24 | DWORD(p[1]) << 16 | DWORD(p[2]) << 8 | DWORD(p[3]);
}

bool ResolveFirst(const std::vector<std::string>& hosts, DWORD& address) {
    for (const std::string& host : hosts) {
        char dotted[64] = {};
        if (ResolveHostToDotted(host.c_str(), dotted, sizeof dotted) && InetPton4(dotted, &address)) {
            return true;
        }
    }
    return false;
}

// Reads until four bytes are in, the peer closes or the deadline passes; the count read.
int ReadAnswer(CTcpConnection& conn, BYTE answer[4], int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    int got = 0;
    while (got < 4) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0 || !conn.WaitReadable(int(left))) {
            break;
        }
        const int n = conn.Recv(answer + got, std::size_t(4 - got));
        if (n > 0) {
            got += n;
        } else if (n == 0 || WSAGetLastError() != WSAEWOULDBLOCK || conn.IsClosed()) {
            break;
        }
    }
    return got;
}

} // namespace

struct CTimeProtocolClient::Query {
    std::mutex lock;
    bool cancelled = false;
    std::shared_ptr<CTcpConnection> connection;
    std::function<void(const TimeQueryResult&)> done;
    // Set while the worker waits for the name service, which nothing can interrupt.
    std::atomic<bool> resolving{true};
};

TimeServerOptions CTimeProtocolClient::BuiltInServers() {
    TimeServerOptions options;
    options.hosts = {"time.nist.gov", "time-a-g.nist.gov"};
    return options;
}

CTimeProtocolClient::CTimeProtocolClient(TimeServerOptions options) : m_options(std::move(options)) {}

CTimeProtocolClient::~CTimeProtocolClient() {
    Cancel();
}

WORD CTimeProtocolClient::ServerPort(const TimeServerOptions& options) {
    if (options.port != 0) {
        return options.port;
    }
    servent entry{};
    servent* found = nullptr;
    char buffer[1024];
    if (getservbyname_r("time", "tcp", &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr) {
        return WORD(ntohs(WORD(found->s_port)));
    }
    return kTimePort;
}

TimeQueryResult
CTimeProtocolClient::QueryTimeServer(const TimeServerOptions& options,
                                     const std::function<void(std::shared_ptr<CTcpConnection>)>& connection) {
    TimeQueryResult result;
    DWORD address = 0;
    if (!ResolveFirst(options.hosts, address)) {
        result.code = -1;
        return result;
    }
    const WORD port = ServerPort(options);
    std::shared_ptr<CTcpConnection> conn = CTcpConnection::Create();
    if (!conn) {
        result.code = -2;
        return result;
    }
    if (connection) {
        connection(conn);
    }
    BYTE answer[4] = {};
    if (conn->Connect(address, port, options.connectTimeoutMs) != 0) {
        result.code = -3;
    } else if (ReadAnswer(*conn, answer, options.readTimeoutMs) != 4) {
        result.code = -4;
    } else {
        result.seconds = ReadBigEndian32(answer) - kTimeProtocolEpochOffset;
    }
    conn->Close();
    if (connection) {
        connection(nullptr);
    }
    return result;
}

bool CTimeProtocolClient::Start(std::function<void(const TimeQueryResult&)> done) {
    Cancel();
    auto query = std::make_shared<Query>();
    query->done = std::move(done);
    const TimeServerOptions options = m_options;
    std::thread worker([query, options] {
        const TimeQueryResult result = QueryTimeServer(options, [&query](std::shared_ptr<CTcpConnection> conn) {
            query->resolving.store(false);
            std::lock_guard<std::mutex> lock(query->lock);
            query->connection = std::move(conn);
            if (query->cancelled && query->connection) {
                query->connection->Close();
            }
        });
        query->resolving.store(false);
        std::lock_guard<std::mutex> lock(query->lock);
        if (!query->cancelled && query->done) {
            query->done(result);
        }
        query->done = nullptr;
    });
    m_query = std::move(query);
    m_thread = std::move(worker);
    return m_thread.joinable();
}

void CTimeProtocolClient::Cancel() {
    if (!m_query) {
        return;
    }
    {
        std::lock_guard<std::mutex> lock(m_query->lock);
        m_query->cancelled = true;
        m_query->done = nullptr;
        if (m_query->connection) {
            m_query->connection->Close();
        }
    }
    if (m_thread.joinable()) {
        // A worker in the name lookup holds only its own query state; let it finish alone rather
        // than hold the UI thread for the name service's own time-outs.
        if (m_query->resolving.load()) {
            m_thread.detach();
        } else {
            m_thread.join();
        }
    }
    m_query.reset();
}
