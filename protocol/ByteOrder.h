#pragma once
// Reading and writing integers in a byte buffer in a stated byte order. Payload fields from the
// recorder are big-endian, frame headers and frame records little-endian; every conversion goes
// through these helpers, never through casts of the buffer.

#include "platform/base/WinTypes.h"

inline WORD ReadBE16(const BYTE* p) {
    return static_cast<WORD>((p[0] << 8) | p[1]);
}

inline DWORD ReadBE32(const BYTE* p) {
    return (DWORD(p[0]) << 24) | (DWORD(p[1]) << 16) | (DWORD(p[2]) << 8) | DWORD(p[3]);
}

inline WORD ReadLE16(const BYTE* p) {
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

inline DWORD ReadLE32(const BYTE* p) {
    return DWORD(p[0]) | (DWORD(p[1]) << 8) | (DWORD(p[2]) << 16) | (DWORD(p[3]) << 24);
}

inline void WriteBE32(BYTE* p, DWORD v) {
    p[0] = BYTE(v >> 24);
    p[1] = BYTE(v >> 16);
    p[2] = BYTE(v >> 8);
    p[3] = BYTE(v);
}

inline void WriteLE16(BYTE* p, WORD v) {
    p[0] = BYTE(v);
    p[1] = BYTE(v >> 8);
}

inline void WriteLE32(BYTE* p, DWORD v) {
    p[0] = BYTE(v);
    p[1] = BYTE(v >> 8);
    p[2] = BYTE(v >> 16);
    p[3] = BYTE(v >> 24);
}
