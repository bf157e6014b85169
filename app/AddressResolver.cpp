#include "app/AddressResolver.h"

#include <arpa/inet.h>
#include <cstring>
#include <netdb.h>
#include <sys/socket.h>

bool CAddressResolver::ParseDotted(const char* text, CString& out) {
    if (!text) {
        return false;
    }
    unsigned parts[4] = {};
    int part = 0;
    int digits = 0;
    for (const char* p = text;; ++p) {
        const char c = *p;
        if (c >= '0' && c <= '9') {
            // Only the low 8 bits count, so keep the running value small without losing them.
            parts[part] = (parts[part] * 10 + unsigned(c - '0')) & 0xFFFFu;
            ++digits;
            continue;
        }
        if ((c == '.' || c == '\0') && digits > 0) {
            parts[part] &= 0xFFu;
            if (c == '\0') {
                break;
            }
            if (++part == 4) {
                return false;
            }
            digits = 0;
            continue;
        }
        return false;
    }
    if (part != 3) {
        return false;
    }
    if ((parts[0] | parts[1] | parts[2] | parts[3]) == 0) {
        out.Empty();
    } else {
        out.Format("%u.%u.%u.%u", parts[0], parts[1], parts[2], parts[3]);
    }
    return true;
}

bool CAddressResolver::Resolve(const char* name, CString& out) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* result = nullptr;
    if (getaddrinfo(name, nullptr, &hints, &result) != 0 || result == nullptr) {
        return false;
    }
    bool found = false;
    for (addrinfo* ai = result; ai != nullptr; ai = ai->ai_next) {
        if (ai->ai_family != AF_INET || ai->ai_addr == nullptr) {
            continue;
        }
        const auto* in = reinterpret_cast<const sockaddr_in*>(ai->ai_addr);
        const unsigned char* b = reinterpret_cast<const unsigned char*>(&in->sin_addr.s_addr);
        out.Format("%u.%u.%u.%u", b[0], b[1], b[2], b[3]);
        found = true;
        break;
    }
    freeaddrinfo(result);
    return found;
}

CString CAddressResolver::Normalize(const char* typed) {
    CString out;
    if (!typed || !*typed) {
        return out;
    }
    if (ParseDotted(typed, out)) {
        return out;
    }
    if (!Resolve(typed, out)) {
        out.Empty();
    }
    return out;
}
