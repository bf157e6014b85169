// The frames of the simulated recordings. Every recording segment holds, for each of its
// channels, frames at the video rate from its first second on; frame i of a segment is picture i
// of the channel's stream, so every whole second starts with an IDR. Everything here is a pure
// function of the archive and the picture library, so that a test can regenerate exactly what a
// playback or backup sent.
#pragma once

#include "sim/FrameBuilder.h"
#include "sim/SimArchive.h"
#include "sim/StreamLibrary.h"

#include <functional>
#include <string>
#include <vector>

namespace ksim {

struct RecordedFrame {
    size_t segment = 0;
    int channel = 0;
    uint64_t index = 0; // frame number within the segment
};

class CRecordedMedia {
public:
    CRecordedMedia(const CSimArchive& archive, const CStreamLibrary& library);

    int Fps() const { return m_library.Format().fps; }
    const CSimArchive& Archive() const { return m_archive; }
    const CFrameBuilder& Builder() const { return m_builder; }

    uint32_t Seconds(const RecordedFrame& f) const;
    uint16_t Milliseconds(const RecordedFrame& f) const;
    bool IsKey(const RecordedFrame& f) const { return m_library.IsKey(f.index); }

    // Every frame of the pieces in time order (by frame time, then channel); stops early when the
    // callback returns false. Returns false when it was stopped.
    bool ForEachFrame(const std::vector<SimPiece>& pieces, const std::function<bool(const RecordedFrame&)>& fn) const;
    std::vector<RecordedFrame> Frames(uint16_t mask, uint8_t typeMask, uint32_t start, uint32_t end) const;

    // FrameHeader + picture + sound of a recorded frame.
    Bytes Frame(const RecordedFrame& f) const;
    // The backup block: FrameRecord (with the camera name) + frame.
    Bytes Block(const RecordedFrame& f, const std::string& cameraName) const;
    // Sum of (192 + frame length) over the range: what a backup of it sends.
    uint64_t RangeBytes(uint16_t mask, uint8_t typeMask, uint32_t start, uint32_t end) const;

    // The exact TRANS_ON_DATA blocks a backup of the range sends, given the camera names (16).
    std::vector<Bytes> BackupBlocks(uint16_t mask, uint8_t typeMask, uint32_t start, uint32_t end,
                                    const std::vector<std::string>& cameraNames) const;

private:
    const CSimArchive& m_archive;
    const CStreamLibrary& m_library;
    CFrameBuilder m_builder;
};

} // namespace ksim
