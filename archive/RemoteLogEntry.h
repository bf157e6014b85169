#pragma once
// One record of the recorder's log (the LOG_INFO_ACK reply), 200 bytes. On the wire its integers are
// big-endian; a loaded entry holds its first six fields in host order and its texts and detail
// bytes as received.

#include "platform/base/WinTypes.h"

#include <cstddef>
#include <span>
#include <vector>

// Kind bits of index_main.
enum RemoteLogKind : int {
    kLogPower = 0,
    kLogRecord = 1,
    kLogOperation = 2,
    kLogClient = 3,
    kLogEvent = 4,
};

// Operation sub-kinds that carry details for the detail page.
constexpr int kLogSubSettingsChange = 4;
constexpr int kLogSubBackup = 9;
constexpr int kLogSubCameraName = 13;

struct RemoteLogEntry {
    DWORD number;
    DWORD record_size;
    DWORD index_main; // kind bits
    DWORD index_sub;  // sub-kind bits, by kind
    DWORD time;       // the recorder's wall clock as seconds since 1970
    DWORD value;      // Event: channel mask; camera name change: camera number
    char long_text[128];
    char short_text[32];
    BYTE detail[16];
};
static_assert(sizeof(RemoteLogEntry) == 200);
static_assert(offsetof(RemoteLogEntry, long_text) == 24 && offsetof(RemoteLogEntry, short_text) == 152);
static_assert(offsetof(RemoteLogEntry, detail) == 184);

// The entry table and the log cache hold at most this many entries.
constexpr std::size_t kMaxRemoteLogEntries = 2500;

// The entries of a reply. Records are as long as the first record's record_size says; a size of 0
// or above 200 is not a log reply and gives no entries, a trailing part of a record is left out,
// and at most 2500 entries are taken.
std::vector<RemoteLogEntry> LoadRemoteLogReply(std::span<const BYTE> reply);

// The lowest set bit of value among bits 0 to lastBit, or -1.
int LowestBit(DWORD value, int lastBit);
