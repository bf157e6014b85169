#pragma once
// Winsock-shaped names over POSIX sockets: the handle type, the error codes the program tests and the
// address helpers. Errors are kept per thread, as WSAGetLastError gives them.

#include "platform/base/WinTypes.h"

#include <cstddef>

using SOCKET = int;
constexpr SOCKET INVALID_SOCKET = -1;
constexpr int SOCKET_ERROR = -1;

// The error codes, numbered as the program compares them.
constexpr int WSAEINTR = 10004;
constexpr int WSAEBADF = 10009;
constexpr int WSAEACCES = 10013;
constexpr int WSAEFAULT = 10014;
constexpr int WSAEINVAL = 10022;
constexpr int WSAEMFILE = 10024;
constexpr int WSAEWOULDBLOCK = 10035;
constexpr int WSAEINPROGRESS = 10036;
constexpr int WSAEALREADY = 10037;
constexpr int WSAENOTSOCK = 10038;
constexpr int WSAEMSGSIZE = 10040;
constexpr int WSAEAFNOSUPPORT = 10047;
constexpr int WSAEADDRINUSE = 10048;
constexpr int WSAEADDRNOTAVAIL = 10049;
constexpr int WSAENETDOWN = 10050;
constexpr int WSAENETUNREACH = 10051;
constexpr int WSAENETRESET = 10052;
constexpr int WSAECONNABORTED = 10053;
constexpr int WSAECONNRESET = 10054;
constexpr int WSAENOBUFS = 10055;
constexpr int WSAEISCONN = 10056;
constexpr int WSAENOTCONN = 10057;
constexpr int WSAESHUTDOWN = 10058;
constexpr int WSAETIMEDOUT = 10060;
constexpr int WSAECONNREFUSED = 10061;
constexpr int WSAEHOSTDOWN = 10064;
constexpr int WSAEHOSTUNREACH = 10065;
constexpr int WSAHOST_NOT_FOUND = 11001;

// Network events, as the event-select wait reports them.
constexpr long FD_READ = 0x01;
constexpr long FD_WRITE = 0x02;
constexpr long FD_CLOSE = 0x20;
constexpr DWORD WSA_WAIT_EVENT_0 = 0;
constexpr DWORD WSA_WAIT_TIMEOUT = 258;

// shutdown() directions.
constexpr int SD_RECEIVE = 0;
constexpr int SD_SEND = 1;
constexpr int SD_BOTH = 2;

int WSAGetLastError();
void WSASetLastError(int error);
// The WSA code for a POSIX errno value; unknown values map to WSAEINVAL.
int WSAErrorFromErrno(int err);

// Start-up and clean-up have nothing to do on POSIX; kept so callers keep their shape.
int WSAStartup(WORD version);
int WSACleanup();

// Dotted IPv4 text to an address in network order. Unlike inet_addr, invalid text is refused instead
// of becoming the broadcast address.
bool InetPton4(const char* text, DWORD* addressNetOrder);

// Resolves a host name (or dotted text) to dotted IPv4 text through getaddrinfo. False when the name
// does not resolve to an IPv4 address; WSAGetLastError is WSAHOST_NOT_FOUND then.
bool ResolveHostToDotted(const char* name, char* dotted, std::size_t size);
