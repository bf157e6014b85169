#include "platform/net/WinSock.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace {
thread_local int t_lastError = 0;
}

int WSAGetLastError() {
    return t_lastError;
}

void WSASetLastError(int error) {
    t_lastError = error;
}

int WSAErrorFromErrno(int err) {
    switch (err) {
    case 0:
        return 0;
    case EINTR:
        return WSAEINTR;
    case EBADF:
        return WSAEBADF;
    case EACCES:
    case EPERM:
        return WSAEACCES;
    case EFAULT:
        return WSAEFAULT;
    case EMFILE:
    case ENFILE:
        return WSAEMFILE;
    case EAGAIN:
#if EWOULDBLOCK != EAGAIN
    case EWOULDBLOCK:
#endif
        return WSAEWOULDBLOCK;
    case EINPROGRESS:
        return WSAEINPROGRESS;
    case EALREADY:
        return WSAEALREADY;
    case ENOTSOCK:
        return WSAENOTSOCK;
    case EMSGSIZE:
        return WSAEMSGSIZE;
    case EAFNOSUPPORT:
        return WSAEAFNOSUPPORT;
    case EADDRINUSE:
        return WSAEADDRINUSE;
    case EADDRNOTAVAIL:
        return WSAEADDRNOTAVAIL;
    case ENETDOWN:
        return WSAENETDOWN;
    case ENETUNREACH:
        return WSAENETUNREACH;
    case ENETRESET:
        return WSAENETRESET;
    case ECONNABORTED:
        return WSAECONNABORTED;
    case ECONNRESET:
    case EPIPE:
        return WSAECONNRESET;
    case ENOBUFS:
    case ENOMEM:
        return WSAENOBUFS;
    case EISCONN:
        return WSAEISCONN;
    case ENOTCONN:
        return WSAENOTCONN;
    case ESHUTDOWN:
        return WSAESHUTDOWN;
    case ETIMEDOUT:
        return WSAETIMEDOUT;
    case ECONNREFUSED:
        return WSAECONNREFUSED;
    case EHOSTDOWN:
        return WSAEHOSTDOWN;
    case EHOSTUNREACH:
        return WSAEHOSTUNREACH;
    default:
        return WSAEINVAL;
    }
}

int WSAStartup(WORD) {
    return 0;
}

int WSACleanup() {
    return 0;
}

bool InetPton4(const char* text, DWORD* addressNetOrder) {
    if (text == nullptr || addressNetOrder == nullptr) {
        WSASetLastError(WSAEFAULT);
        return false;
    }
    in_addr addr{};
    if (inet_pton(AF_INET, text, &addr) != 1) {
        WSASetLastError(WSAEINVAL);
        return false;
    }
    *addressNetOrder = addr.s_addr;
    return true;
}

bool ResolveHostToDotted(const char* name, char* dotted, std::size_t size) {
    if (name == nullptr || dotted == nullptr || size < INET_ADDRSTRLEN) {
        WSASetLastError(WSAEFAULT);
        return false;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* result = nullptr;
    if (getaddrinfo(name, nullptr, &hints, &result) != 0 || result == nullptr) {
        WSASetLastError(WSAHOST_NOT_FOUND);
        return false;
    }
    bool ok = false;
    for (addrinfo* it = result; it != nullptr && !ok; it = it->ai_next) {
        if (it->ai_family != AF_INET || it->ai_addr == nullptr) {
            continue;
        }
        const auto* sin = reinterpret_cast<const sockaddr_in*>(it->ai_addr);
        ok = inet_ntop(AF_INET, &sin->sin_addr, dotted, static_cast<socklen_t>(size)) != nullptr;
    }
    freeaddrinfo(result);
    if (!ok) {
        WSASetLastError(WSAHOST_NOT_FOUND);
    }
    return ok;
}
