#pragma once
// One received message as the handlers see it: the header in host order and its whole payload.

#include "platform/base/WinTypes.h"
#include "protocol/PacketHeader.h"

struct RecvMessage {
    PacketHeader header;
    const BYTE* data;
    DWORD length;
};
