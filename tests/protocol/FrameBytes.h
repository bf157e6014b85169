#pragma once
// Frames and frame records written byte by byte from the wire layout, without the client's record
// definitions, so that a layout mistake in either shows up in the tests.

#include "platform/base/WinTypes.h"
#include "protocol/ByteOrder.h"

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

namespace framebytes {

struct FrameShape {
    int channel = 0;
    int audioChannel = 0;
    bool audioPresent = false;
    int resolutionCode = 1;
    bool pal = true;
    DWORD time = 1000000;
    WORD milliseconds = 0;
    int keyMark = 1;
    std::size_t videoSize = 100;
    std::size_t audioValue = 0;
    BYTE fill = 0; // first picture byte; the rest count up from it
};

inline void PutLe32(std::vector<BYTE>& v, std::size_t at, DWORD x) {
    WriteLE32(v.data() + at, x);
}

inline DWORD GetLe32(const BYTE* p) {
    return ReadLE32(p);
}

// FrameHeader + picture + audio area.
inline std::vector<BYTE> MakeFrame(const FrameShape& s) {
    const std::size_t length = 40 + s.videoSize + s.audioValue;
    std::vector<BYTE> f(length, 0);
    f[0] = 0xFF;
    f[1] = 0x01;
    f[8] = BYTE((s.channel & 0x0F) | ((s.audioChannel & 0x0F) << 4));
    f[9] = BYTE((s.resolutionCode & 0x0F) | ((length & 0x0F) << 4));
    f[10] = BYTE(length >> 4);
    f[11] = BYTE(length >> 12);
    PutLe32(f, 12, s.time);
    f[18] = s.pal ? 0x80 : 0x00;
    f[20] = BYTE(s.videoSize);
    f[21] = BYTE(s.videoSize >> 8);
    f[22] = BYTE(((s.videoSize >> 16) & 0x0F) | ((s.audioValue & 0x0F) << 4));
    f[23] = BYTE(s.audioValue >> 4);
    f[24] = s.audioPresent ? 1 : 0;
    f[26] = BYTE(s.milliseconds);
    f[27] = BYTE(s.milliseconds >> 8);
    f[28] = BYTE(s.keyMark & 0x03);
    for (std::size_t i = 0; i < s.videoSize; ++i) {
        f[40 + i] = BYTE(s.fill + i);
    }
    for (std::size_t i = 0; i < s.audioValue; ++i) {
        f[40 + s.videoSize + i] = BYTE(0x80 + i * 7);
    }
    return f;
}

struct RecordShape {
    DWORD time = 1000000;
    DWORD segmentKey = 1;
    BYTE eventType = 0;
    std::string cameraName;
};

// The 192-byte frame record as the recorder sends it.
inline std::vector<BYTE> MakeRecord(const RecordShape& s) {
    std::vector<BYTE> r(192, 0);
    std::memcpy(r.data(), "kelo1040", 8);
    PutLe32(r, 20, s.cameraName.empty() ? 0 : 1);
    PutLe32(r, 24, s.time);
    PutLe32(r, 40, s.segmentKey);
    r[50] = s.eventType;
    std::memcpy(r.data() + 96, s.cameraName.data(), s.cameraName.size() < 31 ? s.cameraName.size() : 31);
    return r;
}

// A backup block: frame record then frame.
inline std::vector<BYTE> MakeBlock(const RecordShape& r, const FrameShape& f) {
    std::vector<BYTE> block = MakeRecord(r);
    const std::vector<BYTE> frame = MakeFrame(f);
    block.insert(block.end(), frame.begin(), frame.end());
    return block;
}

} // namespace framebytes
