#include "protocol/DvrClientReceiveBuffer.h"

#include "platform/net/TcpConnection.h"
#include "platform/net/WinSock.h"
#include "protocol/Packet.h"

#include <cstring>

CDvrClientReceiveBuffer::CDvrClientReceiveBuffer(std::size_t capacity)
    : m_bytes(capacity < kPacketHeaderSize + kMaxPayloadLength ? kPacketHeaderSize + kMaxPayloadLength : capacity) {}

CDvrClientReceiveBuffer::FillResult CDvrClientReceiveBuffer::Fill(CTcpConnection& conn) {
    // What is left of a message moves to the front, so that the room behind it is whole.
    if (m_begin > 0) {
        std::memmove(m_bytes.data(), m_bytes.data() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_end == m_bytes.size()) {
        return FillResult::Data; // full: the message at the front is whole
    }
    const int n = conn.Recv(m_bytes.data() + m_end, m_bytes.size() - m_end);
    if (n > 0) {
        m_end += static_cast<std::size_t>(n);
        return FillResult::Data;
    }
    if (n == 0) {
        return FillResult::Closed;
    }
    return WSAGetLastError() == WSAEWOULDBLOCK ? FillResult::WouldBlock : FillResult::Failed;
}

bool CDvrClientReceiveBuffer::Next(PacketHeader& header, const BYTE*& payload) {
    const std::size_t held = m_end - m_begin;
    if (held < kPacketHeaderSize) {
        return false;
    }
    const BYTE* start = m_bytes.data() + m_begin;
    const PacketHeader next = PacketHeader::Decode(start);
    const std::size_t whole = kPacketHeaderSize + next.Length();
    if (held < whole) {
        return false;
    }
    header = next;
    payload = start + kPacketHeaderSize;
    m_begin += whole;
    if (m_begin == m_end) {
        m_begin = m_end = 0;
    }
    return true;
}
