#include "sim/SimArchive.h"

#include "sim/SimRandom.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>

namespace ksim {

namespace {

constexpr uint32_t kDay = 86400;

struct Date {
    int year;
    int month; // 0-11
    int day;   // 0-30
};

Date DateOf(uint32_t t) {
    const std::time_t tt = std::time_t(t);
    std::tm tm{};
    gmtime_r(&tt, &tm);
    return Date{tm.tm_year + 1900, tm.tm_mon, tm.tm_mday - 1};
}

uint32_t DayStart(uint32_t year, int month, int day) {
    std::tm tm{};
    tm.tm_year = int(year) - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    const std::time_t t = timegm(&tm);
    return t < 0 ? 0 : uint32_t(t);
}

void PutText(uint8_t* p, size_t size, const char* text) {
    const size_t n = std::min(std::strlen(text), size - 1);
    std::memcpy(p, text, n);
}

Bytes SegmentRecord(uint16_t mask, uint8_t type, uint32_t start, uint32_t end) {
    Bytes r(CSimArchive::kSegmentRecordSize, 0);
    PutBe32(&r[0], mask);
    r[4] = type;
    PutBe32(&r[16], start);
    PutBe32(&r[20], end);
    return r;
}

} // namespace

CSimArchive::CSimArchive(uint64_t seed, int channels, int days, uint32_t now, int logEntries) {
    channels = std::clamp(channels, 1, 16);
    m_allChannels = uint16_t((1u << channels) - 1);
    Generate(seed, channels, days, now);
    GenerateLog(seed ^ 0x10C0FFEEull, channels, logEntries);
}

void CSimArchive::Generate(uint64_t seed, int channels, int days, uint32_t now) {
    CSimRandom rnd(seed);
    if (days <= 0)
        return;
    const uint32_t today = now - now % kDay;
    const uint32_t first = today - uint32_t(days - 1) * kDay;
    for (uint32_t day = first; day <= today; day += kDay) {
        uint32_t t = day + rnd.Range(0, 2 * 3600);
        while (true) {
            const uint32_t length = rnd.Range(5 * 60, 40 * 60);
            if (t + length > day + kDay || t + length > now)
                break;
            SimSegment s;
            s.start = t;
            s.end = t + length;
            const uint32_t kind = rnd.Range(0, 9);
            if (kind < 4) {
                s.mask = m_allChannels;
                s.typeBits = uint8_t(1u << kContinuous);
            } else if (kind < 8) {
                // An event recording of one or two channels: an event of type t (1 alarm, 2 motion,
                // 4 audio) is recorded as record type t, bit 1 << t of a type mask.
                static constexpr uint8_t kCodes[3] = {kAlarm, kMotion, kAudio};
                const uint32_t which = rnd.Range(0, 2);
                s.eventCode = kCodes[which];
                s.typeBits = uint8_t(1u << s.eventCode);
                s.mask = uint16_t(1u << rnd.Range(0, uint32_t(channels - 1)));
                if (channels > 1 && rnd.Range(0, 1) == 1)
                    s.mask |= uint16_t(1u << rnd.Range(0, uint32_t(channels - 1)));
            } else {
                s.typeBits = rnd.Range(0, 1) == 0 ? uint8_t(1u << kManual) : uint8_t(1u << kScheduled);
                s.mask = uint16_t(rnd.Range(1, m_allChannels));
            }
            m_segments.push_back(s);
            t = s.end + rnd.Range(10 * 60, 150 * 60);
        }
    }
}

void CSimArchive::GenerateLog(uint64_t seed, int channels, int entries) {
    CSimRandom rnd(seed);
    m_log.assign(size_t(entries) * kLogRecordSize, 0);
    if (entries <= 0)
        return;
    const uint32_t first = m_segments.empty() ? 1199145600u : m_segments.front().start;
    const uint32_t last = m_segments.empty() ? first + kDay : m_segments.back().end;
    const uint32_t step = std::max<uint32_t>(1, (last - first) / uint32_t(entries));
    for (int i = 0; i < entries; ++i) {
        uint8_t* e = &m_log[size_t(i) * kLogRecordSize];
        const uint32_t time = first + uint32_t(i) * step + rnd.Range(0, step - 1);
        uint32_t main = 0;
        uint32_t sub = 0;
        uint32_t value = 0;
        char shortText[32] = "";
        char longText[128] = "";
        switch (rnd.Range(0, 4)) {
        case 0: // power
            main = 1;
            sub = 1u << rnd.Range(0, 2);
            std::snprintf(shortText, sizeof(shortText), "SYSTEM");
            std::snprintf(longText, sizeof(longText), "Power event %d", int(rnd.Range(1, 9)));
            break;
        case 1: // record
            main = 2;
            sub = 1u << rnd.Range(0, 4);
            std::snprintf(shortText, sizeof(shortText), "RECORD");
            std::snprintf(longText, sizeof(longText), "Recording state %d", int(rnd.Range(1, 9)));
            break;
        case 2: { // operation, some with details
            main = 4;
            const uint32_t bit = rnd.Range(0, 13);
            sub = 1u << bit;
            std::snprintf(shortText, sizeof(shortText), "admin");
            std::snprintf(longText, sizeof(longText), "Operation %d", int(bit));
            if (bit == 4) {
                for (int g = 0; g < 5; ++g)
                    e[184 + g] = uint8_t(rnd.Range(0, 255));
            } else if (bit == 9) {
                e[184] = uint8_t(rnd.Range(0, 9));
                e[185] = uint8_t(rnd.Range(0, 2));
                e[186] = uint8_t(rnd.Range(1, 255));
                e[187] = channels > 8 ? uint8_t(rnd.Range(0, 255)) : 0;
                PutBe32(e + 192, time > 3600 ? time - 3600 : 0);
                PutBe32(e + 196, time);
            } else if (bit == 13) {
                value = rnd.Range(1, uint32_t(channels));
                std::memset(longText, 0, sizeof(longText));
            }
            break;
        }
        case 3: // client
            main = 8;
            sub = 1u << rnd.Range(0, 7);
            std::snprintf(shortText, sizeof(shortText), "admin");
            std::snprintf(longText, sizeof(longText), "192.168.0.%d", int(rnd.Range(2, 250)));
            break;
        default: // event
            main = 16;
            sub = 1u << rnd.Range(0, 4);
            value = rnd.Range(1, m_allChannels);
            std::snprintf(shortText, sizeof(shortText), "EVENT");
            break;
        }
        PutBe32(e + 0, uint32_t(i + 1));
        PutBe32(e + 4, uint32_t(kLogRecordSize));
        PutBe32(e + 8, main);
        PutBe32(e + 12, sub);
        PutBe32(e + 16, time);
        PutBe32(e + 20, value);
        PutText(e + 24, 128, longText);
        PutText(e + 152, 32, shortText);
        if (main == 4 && sub == (1u << 13)) {
            char before[32];
            char after[32];
            std::snprintf(before, sizeof(before), "CAMERA%02u", value);
            std::snprintf(after, sizeof(after), "GATE %u", value);
            PutText(e + 88, 32, before);
            PutText(e + 120, 32, after);
        }
    }
}

Bytes CSimArchive::MonthRecords() const {
    std::map<int, Bytes> years;
    for (const auto& s : m_segments) {
        for (uint32_t t = s.start - s.start % kDay; t < s.end; t += kDay) {
            const Date d = DateOf(t);
            auto it = years.find(d.year);
            if (it == years.end()) {
                it = years.emplace(d.year, Bytes(kMonthRecordSize, 0)).first;
                PutBe32(it->second.data(), uint32_t(d.year));
            }
            it->second[4 + size_t(d.month) * 31 + size_t(d.day)] = 1;
        }
    }
    Bytes out;
    for (const auto& [year, record] : years)
        out.insert(out.end(), record.begin(), record.end());
    return out;
}

Bytes CSimArchive::DayRecords(uint32_t year, int month, int day) const {
    Bytes out;
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return out;
    const uint32_t from = DayStart(year, month, day);
    for (const auto& s : m_segments) {
        if (s.end <= from || s.start >= from + kDay)
            continue;
        const Bytes r = SegmentRecord(s.mask, s.typeBits, s.start, s.end);
        out.insert(out.end(), r.begin(), r.end());
    }
    return out;
}

Bytes CSimArchive::EventRecords() const {
    Bytes out;
    for (const auto& s : m_segments) {
        if (s.eventCode == 0)
            continue;
        const Bytes r = SegmentRecord(s.mask, s.eventCode, s.start, s.end);
        out.insert(out.end(), r.begin(), r.end());
    }
    return out;
}

Bytes CSimArchive::LogRecords() const {
    return m_log;
}

Bytes CSimArchive::StatusRecord() const {
    Bytes b(16, 0);
    PutBe32(&b[0], m_allChannels);
    PutBe32(&b[4], 1);
    PutBe32(&b[8], 1907729); // 2 TB disk, in MByte
    PutBe32(&b[12], 1204224);
    return b;
}

std::vector<SimPiece> CSimArchive::Select(uint16_t mask, uint8_t typeMask, uint32_t start, uint32_t end) const {
    std::vector<SimPiece> pieces;
    for (size_t i = 0; i < m_segments.size(); ++i) {
        const SimSegment& s = m_segments[i];
        if (typeMask != 0 && (s.typeBits & typeMask) == 0)
            continue;
        const uint16_t channels = s.mask & mask;
        if (channels == 0)
            continue;
        const uint32_t from = std::max(start, s.start);
        const uint32_t to = end == 0 ? s.end : std::min(end, s.end);
        if (from >= to)
            continue;
        pieces.push_back(SimPiece{i, channels, from, to});
    }
    return pieces;
}

} // namespace ksim
