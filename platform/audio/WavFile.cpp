#include "platform/audio/WavFile.h"

#include "platform/audio/WaveTypes.h"

#include <cstring>

namespace {

DWORD ReadLe32(const BYTE* p) {
    return DWORD(p[0]) | (DWORD(p[1]) << 8) | (DWORD(p[2]) << 16) | (DWORD(p[3]) << 24);
}

WORD ReadLe16(const BYTE* p) {
    return WORD(p[0] | (p[1] << 8));
}

void WriteLe32(BYTE* p, DWORD v) {
    p[0] = BYTE(v);
    p[1] = BYTE(v >> 8);
    p[2] = BYTE(v >> 16);
    p[3] = BYTE(v >> 24);
}

void WriteLe16(BYTE* p, WORD v) {
    p[0] = BYTE(v);
    p[1] = BYTE(v >> 8);
}

constexpr std::size_t kChunkHeader = 8;
constexpr std::size_t kFmtMinimum = 16;

bool Accepted(const WavInfo& info) {
    if (info.channels != 1 || info.samplesPerSec == 0) {
        return false;
    }
    if (info.formatTag == WAVE_FORMAT_PCM) {
        return info.bitsPerSample == 16 && info.blockAlign == 2;
    }
    if (info.formatTag == WAVE_FORMAT_MULAW) {
        return info.bitsPerSample == 8 && info.blockAlign == 1;
    }
    return false;
}

} // namespace

bool ParseWav(const BYTE* bytes, std::size_t size, WavInfo& info) {
    if (bytes == nullptr || size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) {
        return false;
    }
    WavInfo found;
    bool haveFormat = false;
    std::size_t at = 12;
    while (size - at >= kChunkHeader) {
        const BYTE* chunk = bytes + at;
        const std::size_t length = ReadLe32(chunk + 4);
        const std::size_t body = at + kChunkHeader;
        const std::size_t present = size - body;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (length < kFmtMinimum || length > present) {
                return false;
            }
            const BYTE* f = bytes + body;
            found.formatTag = ReadLe16(f);
            found.channels = ReadLe16(f + 2);
            found.samplesPerSec = ReadLe32(f + 4);
            found.blockAlign = ReadLe16(f + 12);
            found.bitsPerSample = ReadLe16(f + 14);
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat || !Accepted(found)) {
                return false;
            }
            const std::size_t data = length < present ? length : present;
            found.dataOffset = body;
            found.dataSize = data - data % found.blockAlign;
            info = found;
            return true;
        }
        // Chunks are padded to an even length.
        const std::size_t step = length + (length & 1);
        if (step > present) {
            return false;
        }
        at = body + step;
    }
    return false;
}

std::array<BYTE, kWavHeaderSize> MakeWavHeader(DWORD samplesPerSec, DWORD dataBytes) {
    std::array<BYTE, kWavHeaderSize> h{};
    BYTE* p = h.data();
    std::memcpy(p, "RIFF", 4);
    WriteLe32(p + 4, 36 + dataBytes);
    std::memcpy(p + 8, "WAVEfmt ", 8);
    WriteLe32(p + 16, 16);
    WriteLe16(p + 20, WAVE_FORMAT_PCM);
    WriteLe16(p + 22, 1);
    WriteLe32(p + 24, samplesPerSec);
    WriteLe32(p + 28, samplesPerSec * 2);
    WriteLe16(p + 32, 2);
    WriteLe16(p + 34, 16);
    std::memcpy(p + 36, "data", 4);
    WriteLe32(p + 40, dataBytes);
    return h;
}
