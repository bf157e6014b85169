#pragma once
// The 16-byte header in front of every message: four u32 words, big-endian on the wire, kept in
// host order in memory. Word 0: audio channel (bits 0-2), audio on (bit 3), message id (bits 7-15).
// Word 1: payload length (bits 0-15), the recorder's speed code on playback data (bits 16-21),
// last fragment (bit 30). Word 2: 0. Word 3: 0 on requests, the recorder's clock on live data.

#include "platform/base/WinTypes.h"

constexpr DWORD kPacketHeaderSize = 16;
constexpr DWORD kMaxPayloadLength = 0xFFFF;
constexpr DWORD kLastFragmentBit = 1u << 30;
constexpr DWORD kAudioOnBit = 1u << 3;

struct PacketHeader {
    DWORD w0 = 0;
    DWORD w1 = 0;
    DWORD w2 = 0;
    DWORD w3 = 0;

    // A request header: id << 7 and the payload length; bit 30 only on the last chunk of a
    // fragmented upload.
    static PacketHeader Request(WORD id, DWORD length, bool lastFragment = false);
    // The header as received: four big-endian words.
    static PacketHeader Decode(const BYTE* bytes);
    // Writes the four words big-endian into 16 bytes; the header itself is left as it is.
    void Encode(BYTE* bytes) const;

    // Bits 16-31 of word 0 never change the id.
    WORD Id() const { return static_cast<WORD>((w0 & 0xFFFF) >> 7); }
    DWORD Length() const { return w1 & 0xFFFF; }
    bool IsLastFragment() const { return (w1 & kLastFragmentBit) != 0; }
    bool AudioOn() const { return (w0 & kAudioOnBit) != 0; }
    DWORD AudioChannel() const { return w0 & 0x7; }
    DWORD SpeedCode() const { return (w1 >> 16) & 0x3F; }
};

static_assert(sizeof(PacketHeader) == kPacketHeaderSize);
