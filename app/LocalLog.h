#pragma once
// The client's own event log: a ring of 2500 records of 184 bytes after an 8-byte header (wrapped
// flag, next slot), in <save location>/Log/KELO1000.log. The file is opened and closed for every
// record; writers on any thread are serialised by one process-wide lock, and a file held open by
// another process skips the record.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"
#include "protocol/LocalLogRecord.h"

#include <ctime>
#include <span>
#include <string>

class CLocalLog {
public:
    static constexpr DWORD kSlots = DWORD(kLocalLogSlots);
    static constexpr DWORD kRecordSize = sizeof(LocalLogRecord);
    static constexpr const char* kFileName = kLocalLogFileName;

    // <location>/Log/ and the file in it.
    static std::string FolderOf(const char* location);
    static std::string PathOf(const char* location);

    // Appends one record (nothing when running from removable media, or when the file cannot be
    // opened). Texts are copied bounded: at most 31 characters of user id, 127 of address.
    static void Write(const char* location, bool removable, DWORD indexMain, DWORD indexSub, const char* userId,
                      const char* address);
    // The same with the time given (seconds since 1970 as the local wall clock shows them).
    static void WriteAt(const char* location, bool removable, DWORD indexMain, DWORD indexSub, const char* userId,
                        const char* address, DWORD localTime);

    // The header to use for a file of this length whose stored header reads (wrapped, next): kept
    // when in range, else rebuilt from the number of slots the file holds.
    static LocalLogHeader RepairHeader(bool headerRead, DWORD wrapped, DWORD next, LONGLONG fileLength);
    // The header to use, checked against the records behind it (slots: the file's bytes after the
    // header). A header is kept when the slot before its next one holds a record and it agrees with
    // the records present (nothing behind next in a ring not yet wrapped; every slot there in a
    // wrapped one). Otherwise the next slot is the one after the last record of a ring filled from
    // slot 0 without gaps, else after the newest record by time. All-zero and cut records are not
    // records; a file without any falls back to RepairHeader.
    static LocalLogHeader CheckHeader(bool headerRead, DWORD wrapped, DWORD next, LONGLONG fileLength,
                                      std::span<const BYTE> slots);
    // True when the slot lies wholly within slots and is not all zero.
    static bool IsRecordAt(std::span<const BYTE> slots, DWORD slot);

    // The current time as the local wall clock shows it, counted as seconds since 1970 (daylight
    // saving included when in force).
    static DWORD LocalWallClockNow();
};
