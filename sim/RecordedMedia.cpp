#include "sim/RecordedMedia.h"

namespace ksim {

CRecordedMedia::CRecordedMedia(const CSimArchive& archive, const CStreamLibrary& library)
    : m_archive(archive), m_library(library), m_builder(library) {}

uint32_t CRecordedMedia::Seconds(const RecordedFrame& f) const {
    return m_archive.Segments()[f.segment].start + uint32_t(f.index / uint64_t(Fps()));
}

uint16_t CRecordedMedia::Milliseconds(const RecordedFrame& f) const {
    return uint16_t((f.index % uint64_t(Fps())) * 1000 / uint64_t(Fps()));
}

bool CRecordedMedia::ForEachFrame(const std::vector<SimPiece>& pieces,
                                  const std::function<bool(const RecordedFrame&)>& fn) const {
    const uint64_t fps = uint64_t(Fps());
    for (const auto& p : pieces) {
        const SimSegment& s = m_archive.Segments()[p.segment];
        const uint64_t first = uint64_t(p.from - s.start) * fps;
        const uint64_t last = uint64_t(p.to - s.start) * fps;
        for (uint64_t i = first; i < last; ++i) {
            for (int ch = 0; ch < 16; ++ch) {
                if (!(p.mask & (1u << ch)))
                    continue;
                if (!fn(RecordedFrame{p.segment, ch, i}))
                    return false;
            }
        }
    }
    return true;
}

std::vector<RecordedFrame> CRecordedMedia::Frames(uint16_t mask, uint8_t typeMask, uint32_t start, uint32_t end) const {
    std::vector<RecordedFrame> frames;
    ForEachFrame(m_archive.Select(mask, typeMask, start, end), [&](const RecordedFrame& f) {
        frames.push_back(f);
        return true;
    });
    return frames;
}

Bytes CRecordedMedia::Frame(const RecordedFrame& f) const {
    return m_builder.Frame(f.channel, f.index, Seconds(f), Milliseconds(f), true);
}

Bytes CRecordedMedia::Block(const RecordedFrame& f, const std::string& cameraName) const {
    const SimSegment& s = m_archive.Segments()[f.segment];
    Bytes block = CFrameBuilder::Record(Seconds(f), s.start, s.eventCode, cameraName);
    const Bytes frame = Frame(f);
    block.insert(block.end(), frame.begin(), frame.end());
    return block;
}

uint64_t CRecordedMedia::RangeBytes(uint16_t mask, uint8_t typeMask, uint32_t start, uint32_t end) const {
    const uint64_t fps = uint64_t(Fps());
    uint64_t total = 0;
    for (const auto& p : m_archive.Select(mask, typeMask, start, end)) {
        const SimSegment& s = m_archive.Segments()[p.segment];
        const uint64_t first = uint64_t(p.from - s.start) * fps;
        const uint64_t last = uint64_t(p.to - s.start) * fps;
        const uint64_t audioFrames = m_builder.AudioBlocksBefore(last) - m_builder.AudioBlocksBefore(first);
        for (int ch = 0; ch < 16; ++ch) {
            if (!(p.mask & (1u << ch)))
                continue;
            total += (last - first) * (CFrameBuilder::kFrameRecordSize + CFrameBuilder::kFrameHeaderSize);
            total += m_library.StreamBytes(ch, last) - m_library.StreamBytes(ch, first);
            total += audioFrames * CFrameBuilder::kAudioAreaSize;
        }
    }
    return total;
}

std::vector<Bytes> CRecordedMedia::BackupBlocks(uint16_t mask, uint8_t typeMask, uint32_t start, uint32_t end,
                                                const std::vector<std::string>& cameraNames) const {
    std::vector<Bytes> blocks;
    ForEachFrame(m_archive.Select(mask, typeMask, start, end), [&](const RecordedFrame& f) {
        const size_t ch = size_t(f.channel);
        blocks.push_back(Block(f, ch < cameraNames.size() ? cameraNames[ch] : std::string()));
        return true;
    });
    return blocks;
}

} // namespace ksim
