// Builds the recorder's frames around the pre-encoded pictures: the 40-byte little-endian
// FrameHeader, the access unit and, on frames that carry sound, the 2048-byte audio area whose
// last 512 bytes are one µ-law block of the channel's tone; and the 192-byte FrameRecord that
// precedes every backup (and, by default, playback) frame.
//
// Sound runs at 8000 samples per second, 512 per block, so frame n of a stream carries a block
// exactly when a block boundary falls within it: about 15.6 blocks per second whatever the
// frame rate.
#pragma once

#include "sim/SimWire.h"
#include "sim/StreamLibrary.h"

#include <string>

namespace ksim {

class CFrameBuilder {
public:
    static constexpr size_t kFrameHeaderSize = 40;
    static constexpr size_t kFrameRecordSize = 192;
    static constexpr size_t kAudioAreaSize = 2048;
    static constexpr size_t kAudioBlockSize = 512;

    explicit CFrameBuilder(const CStreamLibrary& library) : m_library(library) {}

    // Frame n (counted from an IDR) of the channel's stream, stamped with the given time.
    // withAudio: the audio area is attached when a sound block falls due in this frame.
    Bytes Frame(int channel, uint64_t n, uint32_t seconds, uint16_t milliseconds, bool withAudio) const;

    bool HasAudioBlock(uint64_t n) const;
    // Number of frames among [0, n) that carry a sound block.
    uint64_t AudioBlocksBefore(uint64_t n) const;
    static Bytes AudioBlock(int channel, uint64_t block); // 512 µ-law bytes

    static Bytes Record(uint32_t seconds, uint32_t segmentKey, uint8_t eventCode, const std::string& cameraName);

    static uint8_t MuLaw(int16_t sample);

private:
    const CStreamLibrary& m_library;
};

} // namespace ksim
