#include "protocol/PacketHeader.h"

#include "protocol/ByteOrder.h"

PacketHeader PacketHeader::Request(WORD id, DWORD length, bool lastFragment) {
    PacketHeader h;
    h.w0 = DWORD(id & 0x1FF) << 7;
    h.w1 = (length & kMaxPayloadLength) | (lastFragment ? kLastFragmentBit : 0);
    return h;
}

PacketHeader PacketHeader::Decode(const BYTE* bytes) {
    PacketHeader h;
    h.w0 = ReadBE32(bytes);
    h.w1 = ReadBE32(bytes + 4);
    h.w2 = ReadBE32(bytes + 8);
    h.w3 = ReadBE32(bytes + 12);
    return h;
}

void PacketHeader::Encode(BYTE* bytes) const {
    WriteBE32(bytes, w0);
    WriteBE32(bytes + 4, w1);
    WriteBE32(bytes + 8, w2);
    WriteBE32(bytes + 12, w3);
}
