// The pre-encoded pictures: per channel a loop of H.264 access units (Annex-B, SPS and PPS in
// front of every IDR, no B-frames, an IDR every second), encoded once at start-up and shared by
// every session, live, playback and backup alike. Encoding is deterministic: the same format,
// channel count, loop length, rate and seed give the same bytes.
#pragma once

#include "sim/SimConfig.h"
#include "sim/SimWire.h"

#include <string>
#include <vector>

namespace ksim {

// A target rate makes the pictures carry a moving grain drawn from the seed, so that the encoder
// has detail to spend the bits on, as a camera's noisy picture has.
struct StreamRate {
    int bitrateKbps = 0; // 0: the plain picture at constant quality
    uint64_t seed = 1;
};

class CStreamLibrary {
public:
    CStreamLibrary(const VideoFormat& format, int channels, int loopFrames, const StreamRate& rate = {});

    bool Ok() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }

    const VideoFormat& Format() const { return m_format; }
    int Channels() const { return int(m_units.size()); }
    int LoopFrames() const { return m_loopFrames; }
    int Gop() const { return m_format.fps; }

    // Access unit n of the channel's endless stream (n counts from an IDR; the loop repeats).
    const Bytes& AccessUnit(int channel, uint64_t n) const;
    static bool IsKey(uint64_t n, int gop) { return n % uint64_t(gop) == 0; }
    bool IsKey(uint64_t n) const { return IsKey(n, Gop()); }
    // Total size of access units [0, n) of the channel's stream.
    uint64_t StreamBytes(int channel, uint64_t n) const;

private:
    bool EncodeChannel(int channel, std::vector<Bytes>& out, std::string& error) const;

    VideoFormat m_format;
    StreamRate m_rate;
    int m_loopFrames;
    std::vector<std::vector<Bytes>> m_units;     // [channel][loop frame]
    std::vector<std::vector<uint64_t>> m_prefix; // [channel][k] = bytes of frames [0, k)
    std::string m_error;
};

} // namespace ksim
