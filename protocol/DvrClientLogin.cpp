#include "protocol/DvrClientLogin.h"

#include "protocol/Trace.h"

#include <cctype>
#include <cstring>

namespace {

// Copies at most 16 characters, lower-cased (ASCII only, whatever the locale).
void CopyLower16(BYTE* out, const char* in) {
    for (int i = 0; i < 16 && in[i] != '\0'; ++i) {
        out[i] = static_cast<BYTE>(std::tolower(static_cast<unsigned char>(in[i])));
    }
}

void CopyBounded(char* out, std::size_t size, const char* in) {
    if (in == nullptr) {
        in = "";
    }
    std::size_t n = std::strlen(in);
    if (n >= size) {
        n = size - 1;
    }
    std::memcpy(out, in, n);
    out[n] = '\0';
}

// The recorder type a hello reply's product number gives.
DWORD RecorderType(BYTE productNumber) {
    switch (productNumber) {
    case 1:
        return 1;
    case 2:
    case 3:
        return 2;
    case 4:
        return 3;
    default:
        return 0;
    }
}

} // namespace

void CDvrClientLogin::SetConnectParams(const char* address, DWORD port, const char* userId, const char* password) {
    CopyBounded(m_szAddress, sizeof m_szAddress, address);
    m_nPort = port;
    CopyBounded(m_szUserId, sizeof m_szUserId, userId);
    CopyBounded(m_szPassword, sizeof m_szPassword, password);
}

std::string CDvrClientLogin::GetAddress() const {
    return std::string(m_szAddress, strnlen(m_szAddress, sizeof m_szAddress));
}

void CDvrClientLogin::MakeHelloRequest(BYTE (&body)[kHelloRequestSize]) const {
    std::memset(body, 0, sizeof body);
    CopyLower16(body, m_szUserId);
    CopyLower16(body + 16, m_szPassword);
}

DWORD CDvrClientLogin::KeepHello(const RecvMessage& m) {
    HelloInfo hello{};
    if (m.length == kHelloInfoSize) {
        hello = HelloInfo::FromWire(m.data);
    } else {
        Trace("hello size : %d, Payload size : %d\n", int(kHelloInfoSize), int(m.length));
    }
    const DWORD type = RecorderType(hello.product_number);
    if (type == kServedRecorderType && hello.channel_num != 4 && hello.channel_num != 8 && hello.channel_num != 16) {
        hello.channel_num = 16;
    }
    {
        std::lock_guard lock(m_infoLock);
        m_hello = hello;
    }
    if (type == kServedRecorderType) {
        const BYTE major = hello.product_major_ver;
        const BYTE minor = hello.product_minor_ver;
        m_bVersion11.store((major >= 2 || (major == 1 && minor >= 1)) ? 1 : 0);
        m_bVersion12.store((major >= 2 || (major == 1 && minor >= 2)) ? 1 : 0);
    }
    m_dvrType.store(type);
    m_bConnected.store(1);
    return type;
}

HelloInfo CDvrClientLogin::GetHello() const {
    std::lock_guard lock(m_infoLock);
    return m_hello;
}

int CDvrClientLogin::ChannelCount() const {
    int n = 0;
    {
        std::lock_guard lock(m_infoLock);
        n = m_hello.channel_num;
    }
    return (n == 4 || n == 8 || n == 16) ? n : 16;
}
