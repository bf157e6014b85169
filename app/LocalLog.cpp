#include "app/LocalLog.h"

#include "platform/base/Clock.h"
#include "platform/base/File.h"
#include "platform/base/FileSystem.h"
#include "platform/base/WindowsPath.h"

#include <cstring>
#include <mutex>

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
    LocalLogHeader header =
        length == 0 ? LocalLogHeader{} : RepairHeader(headerRead, stored.wrapped, stored.next, length);

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
}
