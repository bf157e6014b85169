#include "archive/RemoteLogEntry.h"

#include <algorithm>
#include <cstring>

namespace {

DWORD BigEndian32(const BYTE* p) {
    return (DWORD(p[0]) << 24) | (DWORD(p[1]) << 16) | (DWORD(p[2]) << 8) | DWORD(p[3]);
}

} // namespace

std::vector<RemoteLogEntry> LoadRemoteLogReply(std::span<const BYTE> reply) {
    std::vector<RemoteLogEntry> entries;
    if (reply.size() < 8) {
        return entries;
    }
    const DWORD recordSize = BigEndian32(reply.data() + 4);
    if (recordSize == 0 || recordSize > sizeof(RemoteLogEntry)) {
        return entries;
    }
    const std::size_t count = std::min<std::size_t>(reply.size() / recordSize, kMaxRemoteLogEntries);
    entries.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        BYTE raw[sizeof(RemoteLogEntry)] = {};
        std::memcpy(raw, reply.data() + i * recordSize, recordSize);
        RemoteLogEntry& entry = entries[i];
        std::memcpy(&entry, raw, sizeof raw);
        DWORD* fields[6] = {&entry.number,    &entry.record_size, &entry.index_main,
                            &entry.index_sub, &entry.time,        &entry.value};
        for (int f = 0; f < 6; ++f) {
            *fields[f] = BigEndian32(raw + 4 * f);
        }
    }
    return entries;
}

int LowestBit(DWORD value, int lastBit) {
    for (int bit = 0; bit <= lastBit; ++bit) {
        if ((value & (1u << bit)) != 0) {
            return bit;
        }
    }
    return -1;
}
