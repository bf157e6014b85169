#include "sim/FrameBuilder.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace ksim {

namespace {
constexpr uint64_t kSampleRate = 8000;
constexpr double kPi = 3.14159265358979323846;
} // namespace

uint64_t CFrameBuilder::AudioBlocksBefore(uint64_t n) const {
    const uint64_t fps = uint64_t(m_library.Format().fps);
    return n * kSampleRate / (fps * kAudioBlockSize);
}

bool CFrameBuilder::HasAudioBlock(uint64_t n) const {
    return AudioBlocksBefore(n + 1) > AudioBlocksBefore(n);
}

Bytes CFrameBuilder::Frame(int channel, uint64_t n, uint32_t seconds, uint16_t milliseconds, bool withAudio) const {
    const Bytes& unit = m_library.AccessUnit(channel, n);
    const bool audio = withAudio && HasAudioBlock(n);
    const uint32_t videoSize = uint32_t(unit.size());
    const uint32_t audioValue = audio ? uint32_t(kAudioAreaSize) : 0;
    const uint32_t frameLength = uint32_t(kFrameHeaderSize) + videoSize + audioValue;
    const VideoFormat& f = m_library.Format();
    Bytes b(frameLength, 0);
    uint8_t* h = b.data();
    PutLe32(h, 0x000001FF);
    h[8] = uint8_t((channel & 0x0F) | (audio ? (channel & 0x0F) << 4 : 0));
    h[9] = uint8_t((f.resolutionCode & 0x0F) | (frameLength & 0x0F) << 4);
    h[10] = uint8_t(frameLength >> 4);
    h[11] = uint8_t(frameLength >> 12);
    PutLe32(h + 12, seconds);
    h[18] = f.pal ? 0x80 : 0x00;
    h[20] = uint8_t(videoSize);
    h[21] = uint8_t(videoSize >> 8);
    h[22] = uint8_t(((videoSize >> 16) & 0x0F) | (audioValue & 0x0F) << 4);
    h[23] = uint8_t(audioValue >> 4);
    if (audio) {
        h[24] = 1;
        h[25] = 0;
    }
    PutLe16(h + 26, milliseconds);
    h[28] = m_library.IsKey(n) ? 1 : 0;
    std::memcpy(h + kFrameHeaderSize, unit.data(), unit.size());
    if (audio) {
        const Bytes block = AudioBlock(channel, AudioBlocksBefore(n));
        std::memcpy(h + kFrameHeaderSize + videoSize + kAudioAreaSize - kAudioBlockSize, block.data(), block.size());
    }
    return b;
}

Bytes CFrameBuilder::AudioBlock(int channel, uint64_t block) {
    // A steady tone per channel: 400 Hz for channel 1, 100 Hz higher for each further channel.
    const double frequency = 400.0 + 100.0 * (channel & 15);
    Bytes b(kAudioBlockSize);
    const uint64_t first = block * kAudioBlockSize;
    for (size_t i = 0; i < kAudioBlockSize; ++i) {
        const uint64_t s = (first + i) % kSampleRate; // whole periods per second for these frequencies
        const double value = 8000.0 * std::sin(2.0 * kPi * frequency * double(s) / double(kSampleRate));
        b[i] = MuLaw(int16_t(std::lround(value)));
    }
    return b;
}

uint8_t CFrameBuilder::MuLaw(int16_t sample) {
    // G.711 µ-law, 14-bit magnitude with the usual bias.
    constexpr int kBias = 0x84;
    constexpr int kClip = 32635;
    int s = sample;
    const uint8_t sign = s < 0 ? 0x80 : 0x00;
    if (s < 0)
        s = -s;
    if (s > kClip)
        s = kClip;
    s += kBias;
    int exponent = 7;
    for (int mask = 0x4000; (s & mask) == 0 && exponent > 0; mask >>= 1)
        --exponent;
    const int mantissa = (s >> (exponent + 3)) & 0x0F;
    return uint8_t(~(sign | exponent << 4 | mantissa));
}

Bytes CFrameBuilder::Record(uint32_t seconds, uint32_t segmentKey, uint8_t eventCode, const std::string& cameraName) {
    Bytes r(kFrameRecordSize, 0);
    std::memcpy(r.data(), "kelo1040", 8);
    PutLe32(&r[20], 1);
    PutLe32(&r[24], seconds);
    PutLe32(&r[40], segmentKey);
    r[50] = eventCode;
    std::memcpy(&r[96], cameraName.data(), std::min<size_t>(cameraName.size(), 31));
    return r;
}

} // namespace ksim
