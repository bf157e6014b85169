#pragma once
// The socket thread's read-ahead: one receive takes whatever the recorder has sent so far (while
// video streams, many messages at a time) instead of one read for each header and one for each
// payload, and the messages are then taken out of it whole, in order. Bytes of a message that has
// not fully arrived stay at the front until the rest comes.

#include "platform/base/WinTypes.h"
#include "protocol/PacketHeader.h"

#include <cstddef>
#include <vector>

class CTcpConnection;

class CDvrClientReceiveBuffer {
public:
    enum class FillResult {
        Data,       // bytes were read
        WouldBlock, // nothing to read yet
        Closed,     // the recorder ended the stream
        Failed,     // a receive error
    };

    // capacity holds at least one whole message (a header and the largest payload).
    explicit CDvrClientReceiveBuffer(std::size_t capacity);

    // Reads what the connection has into the free room, without waiting.
    FillResult Fill(CTcpConnection& conn);
    // The oldest message when it is whole: its header, and its payload in this buffer, valid until
    // the next call of Fill or Next.
    bool Next(PacketHeader& header, const BYTE*& payload);
    // Bytes of a message whose end has not arrived yet.
    bool HasPartial() const { return m_end > m_begin; }

private:
    std::vector<BYTE> m_bytes;
    std::size_t m_begin = 0; // first byte not yet taken
    std::size_t m_end = 0;   // one past the last byte read
};
