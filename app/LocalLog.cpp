#include "app/LocalLog.h"

#include "platform/base/Clock.h"
#include "platform/base/File.h"
#include "platform/base/FileSystem.h"
#include "platform/base/WindowsPath.h"

#include "protocol/ByteOrder.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

std::mutex& WriteLock() {
    static std::mutex lock;
    return lock;
}

void CopyText(char* out, std::size_t size, const char* text) {
    std::memset(out, 0, size);
    if (text) {
        std::strncpy(out, text, size - 1);
    }
}

// The usual case, checked without reading the ring: the slot before next holds a record, and the
// file ends behind it (a ring not yet wrapped) or holds every slot (a wrapped one).
bool HeaderFitsFile(CFile& file, bool headerRead, const LocalLogHeader& h, LONGLONG length) {
    const DWORD wrapped = h.wrapped;
    const DWORD next = h.next;
    if (!headerRead || wrapped > 1 || next >= CLocalLog::kSlots || (next == 0 && wrapped == 0)) {
        return false;
    }
    const LONGLONG full = 8 + LONGLONG(CLocalLog::kSlots) * CLocalLog::kRecordSize;
    const LONGLONG end = 8 + LONGLONG(next) * CLocalLog::kRecordSize;
    if (wrapped == 1 ? length < full : (length < end || length - end >= LONGLONG(CLocalLog::kRecordSize))) {
        return false;
    }
    const DWORD before = next > 0 ? next - 1 : CLocalLog::kSlots - 1;
    BYTE record[CLocalLog::kRecordSize];
    if (file.ReadAt(8 + ULONGLONG(before) * CLocalLog::kRecordSize, record, sizeof record) != LONGLONG(sizeof record)) {
        return false;
    }
    return CLocalLog::IsRecordAt(std::span<const BYTE>(record, sizeof record), 0);
}

// Readers stride through the ring by the record size slot 0 gives: slot 0 with any other size (random
// bytes over the start of the file, or a hole) would hide every record. Such a slot 0 holds nothing
// worth showing, so it becomes an empty record of the right size, which no reader shows as a row.
// Done once the record is written, so that where the record goes is decided as before.
void RepairFirstSlot(CFile& file, LONGLONG length) {
    if (length < LONGLONG(8 + CLocalLog::kRecordSize)) {
        return;
    }
    LocalLogRecord first{};
    if (file.ReadAt(8, &first, sizeof first) != LONGLONG(sizeof first)) {
        return;
    }
    if (first.slot == 0 && first.size == CLocalLog::kRecordSize) {
        return;
    }
    LocalLogRecord empty{};
    empty.size = CLocalLog::kRecordSize;
    file.WriteAt(8, &empty, sizeof empty);
}

} // namespace

std::string CLocalLog::FolderOf(const char* location) {
    return JoinPath(MapWindowsPath(location), kLocalLogFolderName);
}

std::string CLocalLog::PathOf(const char* location) {
    return JoinPath(FolderOf(location), kFileName);
}

DWORD CLocalLog::LocalWallClockNow() {
    const std::time_t now = std::time(nullptr);
    return DWORD(LONGLONG(now) + GetLocalZoneOffsetAt(now));
}

LocalLogHeader CLocalLog::RepairHeader(bool headerRead, DWORD wrapped, DWORD next, LONGLONG fileLength) {
    LocalLogHeader h{};
    if (headerRead && wrapped <= 1 && next < kSlots) {
        h.wrapped = wrapped;
        h.next = next;
        return h;
    }
    const LONGLONG slots = fileLength > 8 ? (fileLength - 8) / LONGLONG(kRecordSize) : 0;
    if (slots >= LONGLONG(kSlots)) {
        h.wrapped = 1;
        h.next = 0;
    } else {
        h.wrapped = 0;
        h.next = DWORD(slots);
    }
    return h;
}

bool CLocalLog::IsRecordAt(std::span<const BYTE> slots, DWORD slot) {
    const std::size_t at = std::size_t(slot) * kRecordSize;
    if (slot >= kSlots || at + kRecordSize > slots.size()) {
        return false;
    }
    const auto record = slots.subspan(at, kRecordSize);
    return std::any_of(record.begin(), record.end(), [](BYTE b) { return b != 0; });
}

LocalLogHeader CLocalLog::CheckHeader(bool headerRead, DWORD wrapped, DWORD next, LONGLONG fileLength,
                                      std::span<const BYTE> slots) {
    const DWORD whole = DWORD(std::min<std::size_t>(slots.size() / kRecordSize, kSlots));
    DWORD records = 0;
    DWORD newest = 0;
    DWORD newestTime = 0;
    DWORD lastRecord = 0;
    for (DWORD s = 0; s < whole; ++s) {
        if (!IsRecordAt(slots, s)) {
            continue;
        }
        const DWORD time = ReadLE32(slots.data() + std::size_t(s) * kRecordSize + offsetof(LocalLogRecord, time));
        // The last of equal times is the newest, so records written within one second stay in order.
        if (records == 0 || time >= newestTime) {
            newest = s;
            newestTime = time;
        }
        lastRecord = s;
        ++records;
    }
    if (records == 0) {
        // Nothing worth keeping: only the header's range decides.
        return RepairHeader(headerRead, wrapped, next, fileLength);
    }
    if (headerRead && wrapped <= 1 && next < kSlots) {
        const DWORD before = next > 0 ? next - 1 : kSlots - 1;
        const bool lastWritten = (next > 0 || wrapped == 1) && IsRecordAt(slots, before);
        const bool fits = wrapped == 1 ? whole == kSlots : lastRecord < next;
        if (lastWritten && fits) {
            return LocalLogHeader{wrapped, next};
        }
    }
    // The header does not describe the records. A ring not yet full and filled from slot 0 without
    // a gap goes on behind its last record; any other goes on behind its newest record by time.
    LocalLogHeader h{};
    const DWORD after = (records < kSlots && lastRecord == records - 1) ? lastRecord : newest;
    h.next = after + 1 < kSlots ? after + 1 : 0;
    h.wrapped = (h.next == 0 || IsRecordAt(slots, h.next)) ? 1 : 0;
    return h;
}

void CLocalLog::Write(const char* location, bool removable, DWORD indexMain, DWORD indexSub, const char* userId,
                      const char* address) {
    WriteAt(location, removable, indexMain, indexSub, userId, address, LocalWallClockNow());
}

void CLocalLog::WriteAt(const char* location, bool removable, DWORD indexMain, DWORD indexSub, const char* userId,
                        const char* address, DWORD localTime) {
    if (removable || !location) {
        return;
    }
    std::lock_guard<std::mutex> guard(WriteLock());
    const std::string folder = FolderOf(location);
    CreateDirectories(folder.c_str());
    CFile file;
    if (!file.Open(PathOf(location).c_str(),
                   CFile::modeReadWrite | CFile::modeCreate | CFile::modeNoTruncate | CFile::shareExclusive)) {
        return;
    }
    LocalLogRecord record{};
    record.size = kRecordSize;
    record.index_main = indexMain;
    record.index_sub = indexSub;
    record.time = localTime;
    CopyText(record.address, sizeof record.address, address);
    CopyText(record.user_id, sizeof record.user_id, userId);

    const LONGLONG length = file.GetLength();
    LocalLogHeader stored{};
    const bool headerRead = length == 0 || file.ReadAt(0, &stored, sizeof stored) == LONGLONG(sizeof stored);
    LocalLogHeader header{};
    if (length > 0 && HeaderFitsFile(file, headerRead, stored, length)) {
        header = stored;
    } else if (length > 0) {
        std::vector<BYTE> slots(std::size_t(std::clamp<LONGLONG>(length - 8, 0, LONGLONG(kSlots) * kRecordSize)));
        const LONGLONG read = slots.empty() ? 0 : file.ReadAt(8, slots.data(), UINT(slots.size()));
        slots.resize(std::size_t(std::max<LONGLONG>(read, 0)));
        header = CheckHeader(headerRead, stored.wrapped, stored.next, length, slots);
    }

    DWORD next = header.next;
    record.slot = next;
    if (header.wrapped == 0 && next >= kSlots - 1) {
        header.wrapped = 1;
    }
    if (!file.WriteAt(8 + ULONGLONG(next) * kRecordSize, &record, sizeof record)) {
        return;
    }
    header.next = next < kSlots - 1 ? next + 1 : 0;
    file.WriteAt(0, &header, sizeof header);
    RepairFirstSlot(file, file.GetLength());
}
