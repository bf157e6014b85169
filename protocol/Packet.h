#pragma once
// The wire primitives every sender and the socket thread use.

#include "platform/base/WinTypes.h"
#include "platform/net/TcpConnection.h"
#include "protocol/PacketHeader.h"
#include "protocol/ReasonCodes.h"

#include <chrono>
#include <cstddef>

// How long RecvAll waits for the whole count, measured from its entry.
constexpr std::chrono::milliseconds kRecvAllDeadline{20000};

// Sends header and body as one message. The caller's header stays in host order (it is encoded into
// the send buffer). Returns the bytes sent (16 + length) or 0 when the message did not go out
// (no connection, a length over 65,535, a closed or broken connection, or the send deadline).
int SendPacket(CTcpConnection* conn, const PacketHeader& header, const void* body, DWORD length);

// Sends the whole buffer as one message: partial sends are continued and a full socket is waited for
// up to the connection's send deadline; a failure breaks the connection so that its reader ends.
// Returns len, or 0 on failure.
int SendAll(CTcpConnection* conn, const void* buffer, DWORD len);

// Receives exactly len bytes. Fails when the peer closes (at once), on a receive error, or when the
// bytes have not all arrived `deadline` after entry.
bool RecvAll(CTcpConnection& conn, void* buffer, std::size_t len,
             std::chrono::milliseconds deadline = kRecvAllDeadline);

// The reason of a refusal whose payload is already in memory: Reason::EMPTY_PAYLOAD for no bytes, else
// the first four bytes as a big-endian u32, a shorter payload padded with zero bytes. A payload of
// exactly 12 bytes copies bytes 4-11 unchanged into extra (8 bytes); other lengths leave it alone.
LONG ParseReply(const BYTE* payload, std::size_t length, BYTE* extra);

// Reads the payload that `header` announces and returns its reason as ParseReply does, or
// Reason::READ_FAILED when the read fails.
LONG RecvReply(CTcpConnection& conn, const PacketHeader& header, BYTE* extra,
               std::chrono::milliseconds deadline = kRecvAllDeadline);
