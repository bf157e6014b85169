#include "platform/audio/MuLaw.h"

#include <array>

namespace {

// The codec works on magnitudes offset by the bias, so that each segment spans a power of two.
constexpr int kBias = 0x84;
constexpr int kClip = 32635;

constexpr SHORT Decode(BYTE code) {
    const int u = static_cast<BYTE>(~code);
    const int exponent = (u >> 4) & 0x07;
    const int mantissa = u & 0x0F;
    const int magnitude = (((mantissa << 3) + kBias) << exponent) - kBias;
    return static_cast<SHORT>((u & 0x80) != 0 ? -magnitude : magnitude);
}

constexpr std::array<SHORT, 256> MakeTable() {
    std::array<SHORT, 256> table{};
    for (int i = 0; i < 256; ++i) {
        table[std::size_t(i)] = Decode(BYTE(i));
    }
    return table;
}

constexpr std::array<SHORT, 256> kDecodeTable = MakeTable();

} // namespace

SHORT MuLawToLinear(BYTE code) {
    return kDecodeTable[code];
}

BYTE LinearToMuLaw(SHORT sample) {
    int value = sample;
    const int sign = value < 0 ? 0x80 : 0x00;
    if (value < 0) {
        value = -value;
    }
    if (value > kClip) {
        value = kClip;
    }
    value += kBias;
    int exponent = 7;
    for (int mask = 0x4000; exponent > 0 && (value & mask) == 0; mask >>= 1) {
        --exponent;
    }
    const int mantissa = (value >> (exponent + 3)) & 0x0F;
    return static_cast<BYTE>(~(sign | (exponent << 4) | mantissa));
}

void MuLawDecode(const BYTE* codes, SHORT* samples, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        samples[i] = kDecodeTable[codes[i]];
    }
}

void MuLawEncode(const SHORT* samples, BYTE* codes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        codes[i] = LinearToMuLaw(samples[i]);
    }
}
