#include "sim/SimServer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace ksim {

CSimServer::CSimServer(CSimRecorder& recorder) : m_recorder(recorder) {}

CSimServer::~CSimServer() {
    Stop();
    if (m_listenFd >= 0)
        ::close(m_listenFd);
}

bool CSimServer::Listen(std::string& error) {
    const CSimConfig& config = m_recorder.Config();
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(config.port);
    if (inet_pton(AF_INET, config.address.c_str(), &addr.sin_addr) != 1) {
        error = "not an IPv4 address: " + config.address;
        return false;
    }
    m_listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listenFd < 0) {
        error = std::string("socket: ") + std::strerror(errno);
        return false;
    }
    const int on = 1;
    ::setsockopt(m_listenFd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof(on));
    if (::bind(m_listenFd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0 || ::listen(m_listenFd, 8) != 0) {
        error = "cannot listen on " + config.address + ":" + std::to_string(config.port) + ": " + std::strerror(errno);
        ::close(m_listenFd);
        m_listenFd = -1;
        return false;
    }
    socklen_t len = sizeof(addr);
    ::getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&addr), &len);
    m_port = ntohs(addr.sin_port);
    return true;
}

void CSimServer::Start() {
    m_thread = std::thread([this] { Run(); });
}

void CSimServer::Run() {
    while (!m_stop) {
        pollfd p{m_listenFd, POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0)
            continue;
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        const int on = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof(on));
        auto session = std::make_unique<CSimSession>(m_recorder, fd, m_stop);
        {
            std::lock_guard lock(m_lock);
            m_session = session.get();
        }
        session->Run();
        {
            std::lock_guard lock(m_lock);
            m_session = nullptr;
        }
        session.reset();
    }
}

void CSimServer::Stop() {
    m_stop = true;
    CloseSession();
    if (m_thread.joinable())
        m_thread.join();
}

bool CSimServer::Inject(Bytes raw) {
    std::lock_guard lock(m_lock);
    if (!m_session)
        return false;
    m_session->Inject(std::move(raw));
    return true;
}

bool CSimServer::InjectMessage(uint16_t id, Bytes payload, bool last) {
    std::lock_guard lock(m_lock);
    if (!m_session)
        return false;
    m_session->InjectMessage(id, std::move(payload), last);
    return true;
}

bool CSimServer::PushSetupChanges() {
    std::lock_guard lock(m_lock);
    if (!m_session)
        return false;
    m_session->PushSetupChanges();
    return true;
}

bool CSimServer::CloseSession() {
    std::lock_guard lock(m_lock);
    if (!m_session)
        return false;
    m_session->Close();
    return true;
}

} // namespace ksim
