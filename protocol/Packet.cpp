#include "protocol/Packet.h"

#include "protocol/ByteOrder.h"
#include "protocol/Trace.h"

#include <cstring>
#include <vector>

int SendPacket(CTcpConnection* conn, const PacketHeader& header, const void* body, DWORD length) {
    if (conn == nullptr || length > kMaxPayloadLength || (length > 0 && body == nullptr)) {
        return 0;
    }
    std::vector<BYTE> buffer(kPacketHeaderSize + length);
    header.Encode(buffer.data());
    if (length > 0) {
        std::memcpy(buffer.data() + kPacketHeaderSize, body, length);
    }
    return SendAll(conn, buffer.data(), static_cast<DWORD>(buffer.size()));
}

int SendAll(CTcpConnection* conn, const void* buffer, DWORD len) {
    if (conn == nullptr) {
        return 0;
    }
    if (conn->Send(buffer, len) == SOCKET_ERROR) {
        Trace("nErr : %d... send error...socket closed\n", WSAGetLastError());
        return 0;
    }
    return static_cast<int>(len);
}

bool RecvAll(CTcpConnection& conn, void* buffer, std::size_t len, std::chrono::milliseconds deadline) {
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + deadline;
    auto* p = static_cast<BYTE*>(buffer);
    std::size_t got = 0;
    while (got < len) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0) {
            Trace("RecvAll... time-out after %d of %d bytes\n", int(got), int(len));
            return false;
        }
        const int n = conn.Recv(p + got, len - got);
        if (n > 0) {
            got += static_cast<std::size_t>(n);
            continue;
        }
        if (n == 0) {
            Trace("RecvAll... peer closed\n");
            return false;
        }
        if (WSAGetLastError() != WSAEWOULDBLOCK) {
            Trace("nErr : %d... receive error...socket closed\n", WSAGetLastError());
            return false;
        }
        conn.WaitReadable(static_cast<int>(left));
    }
    return true;
}

LONG ParseReply(const BYTE* payload, std::size_t length, BYTE* extra) {
    if (length == 0) {
        return Reason::EMPTY_PAYLOAD;
    }
    BYTE first[4] = {0, 0, 0, 0};
    std::memcpy(first, payload, length < 4 ? length : 4);
    if (length == 12 && extra != nullptr) {
        std::memcpy(extra, payload + 4, 8);
    }
    return static_cast<LONG>(ReadBE32(first));
}

LONG RecvReply(CTcpConnection& conn, const PacketHeader& header, BYTE* extra, std::chrono::milliseconds deadline) {
    const DWORD length = header.Length();
    if (length == 0) {
        return Reason::EMPTY_PAYLOAD;
    }
    std::vector<BYTE> payload(length, 0);
    if (!RecvAll(conn, payload.data(), payload.size(), deadline)) {
        return Reason::READ_FAILED;
    }
    return ParseReply(payload.data(), payload.size(), extra);
}
