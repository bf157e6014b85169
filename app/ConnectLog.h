#pragma once
// The connection history: <save location>/Log/ConnectInfo100.log, an 8-byte head (wrapped flag,
// next slot) and up to 100 records of 532 bytes. A known address and port is refreshed in place; a
// new one goes to the next slot until the ring is full, then replaces the oldest record. Records read
// back are sorted newest first, empty slots last.

#include "platform/base/WinTypes.h"
#include "protocol/LeField.h"

#include <array>
#include <ctime>
#include <string>

struct ConnectLogRecord {
    char address[260]; // as the operator typed it
    LeU32 port;
    LeU32 time;
    LeU32 slot;
    char description[260];

    bool IsEmpty() const { return address[0] == '\0'; }
};
static_assert(sizeof(ConnectLogRecord) == 532);

struct ConnectLogHead {
    LeU32 wrapped;
    LeU32 next;
};
static_assert(sizeof(ConnectLogHead) == 8);

constexpr int kConnectLogSlots = 100;
// The longest address the connect dialog takes.
constexpr std::size_t kMaxAddressLength = 120;
using ConnectLogTable = std::array<ConnectLogRecord, kConnectLogSlots>;

class CConnectLog {
public:
    static constexpr const char* kFileName = "ConnectInfo100.log";

    static std::string PathOf(const char* location);

    // Reads the records (at most 100, up to a short read) into the table, the rest zero, and sorts
    // them newest first. Strings are terminated within their fields. Only acceptable records are
    // kept (a damaged file yields what it still holds, silently). Returns the number of slots read.
    static int Load(const char* location, ConnectLogTable& table);
    // A record the connect dialog could have written: an address of 1 to 120 characters of typed
    // text (no control characters, whole UTF-8) and a port of 1 to 65535.
    static bool IsAcceptable(const ConnectLogRecord& record);
    // Records a connection at time now. An empty address is not recorded.
    static void Add(const char* location, const char* address, DWORD port, const char* description, DWORD now);
    // Writes the table from offset 8, stopping after the first record without an address (that one
    // is written too), and the head (0, n) or (1, 0) for n records with an address. The file keeps
    // its length.
    static bool Save(const char* location, const ConnectLogTable& table);

    // Orders records by time, newest first, by the exchange sort the list has always used (records
    // of equal time keep an order that later tools rely on only loosely).
    static void SortNewestFirst(ConnectLogTable& table);
    // Builds a record; texts are cut to 259 characters.
    static ConnectLogRecord MakeRecord(const char* address, DWORD port, const char* description);
    // The head to use when the stored one is out of range: rebuilt from the records present.
    static ConnectLogHead RepairHead(bool headRead, DWORD wrapped, DWORD next, int recordsPresent);
};
