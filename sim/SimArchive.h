// The simulated recordings, events, log and status of the recorder, generated from a seed: a few
// days of recording segments ending at the recorder's clock, every one whole seconds long.
#pragma once

#include "sim/SimWire.h"

#include <cstdint>
#include <vector>

namespace ksim {

// Record types 0..5; a type mask has bit t for type t. Events are listed by their type number.
constexpr uint8_t kContinuous = 0;
constexpr uint8_t kAlarm = 1;
constexpr uint8_t kMotion = 2;
constexpr uint8_t kManual = 3;
constexpr uint8_t kAudio = 4;
constexpr uint8_t kScheduled = 5;

struct SimSegment {
    uint32_t start = 0;    // recorder seconds, inclusive
    uint32_t end = 0;      // exclusive
    uint16_t mask = 0;     // bit n = channel n+1 recorded
    uint8_t typeBits = 0;  // one of the record types 0..5 as a bit
    uint8_t eventCode = 0; // 0, or 1 alarm, 2 motion, 4 audio for event recordings
};

// A part of one segment selected by a time range: seconds [from, to) of the channels in mask.
struct SimPiece {
    size_t segment = 0;
    uint16_t mask = 0;
    uint32_t from = 0;
    uint32_t to = 0;
};

class CSimArchive {
public:
    static constexpr size_t kMonthRecordSize = 376;
    static constexpr size_t kSegmentRecordSize = 24;
    static constexpr size_t kLogRecordSize = 200;

    CSimArchive(uint64_t seed, int channels, int days, uint32_t now, int logEntries);

    const std::vector<SimSegment>& Segments() const { return m_segments; }

    Bytes MonthRecords() const;                                // RecMonthInfo, one per year
    Bytes DayRecords(uint32_t year, int month, int day) const; // RecSegment of that day
    Bytes EventRecords() const;                                // RecSegment with event codes
    Bytes LogRecords() const;                                  // RemoteLogEntry records
    Bytes StatusRecord() const;                                // StatusInfoRecord

    // Pieces of the recordings within [start, end) (end 0 = to the end), limited to the channels
    // of mask and the record types of typeMask (0 = every type), in time order.
    std::vector<SimPiece> Select(uint16_t mask, uint8_t typeMask, uint32_t start, uint32_t end) const;

private:
    void Generate(uint64_t seed, int channels, int days, uint32_t now);
    void GenerateLog(uint64_t seed, int channels, int entries);

    std::vector<SimSegment> m_segments;
    Bytes m_log;
    uint16_t m_allChannels = 0;
};

} // namespace ksim
