#include "app/TimeServices.h"

#include "platform/base/FileSystem.h"
#include "platform/base/Time.h"
#include "platform/base/WindowsPath.h"

#include <string>
#include <sys/statfs.h>

namespace {

constexpr long kIso9660Magic = 0x9660;
constexpr long kUdfMagic = 0x15013346;

// The nearest existing folder of a path (the path itself when it exists).
std::string NearestExisting(std::string path) {
    while (!path.empty() && !DirectoryExists(path.c_str()) && !FileExists(path.c_str())) {
        const std::size_t slash = path.find_last_of('/');
        if (slash == std::string::npos) {
            return ".";
        }
        path.erase(slash == 0 ? 1 : slash);
        if (path == "/") {
            break;
        }
    }
    return path.empty() ? "." : path;
}

} // namespace

ZoneOffset ZoneOffset::FromSeconds(LONG total) {
    ZoneOffset z;
    z.hours = total / 3600;
    z.minutes = (total % 3600) / 60;
    z.seconds = total % 60;
    return z;
}

void TimeToUserTime(LONGLONG t, int out[6]) {
    if (t < 0 || out == nullptr) {
        return;
    }
    const std::time_t tt = std::time_t(t);
    std::tm tm{};
    if (gmtime_r(&tt, &tm) == nullptr) {
        return;
    }
    out[0] = tm.tm_year + 1900;
    out[1] = tm.tm_mon;
    out[2] = tm.tm_mday - 1;
    out[3] = tm.tm_hour;
    out[4] = tm.tm_min;
    out[5] = tm.tm_sec;
}

DWORD TimeToCTime(const ZoneOffset& zone, const int fields[6]) {
    const CTime local(fields[0], fields[1] + 1, fields[2] + 1, fields[3], fields[4], fields[5]);
    LONGLONG t = LONGLONG(local.GetTime()) + zone.TotalSeconds();
    if (local.IsDaylightSaving()) {
        t += 3600;
    }
    return DWORD(t);
}

bool GetDiskFreeText(const char* location, DWORD* freeMByte, DWORD* totalMByte) {
    if (location == nullptr || *location == '\0') {
        return false;
    }
    const std::string path = NearestExisting(MapWindowsPath(location));
    struct statfs fs {};
    if (statfs(path.c_str(), &fs) == 0 && (long(fs.f_type) == kIso9660Magic || long(fs.f_type) == kUdfMagic)) {
        return false;
    }
    ULONGLONG freeBytes = 0;
    ULONGLONG totalBytes = 0;
    if (!GetDiskFreeSpace(path.c_str(), &freeBytes, &totalBytes)) {
        return false;
    }
    if (freeMByte) {
        *freeMByte = DWORD(freeBytes / 1048576);
    }
    if (totalMByte) {
        *totalMByte = DWORD(totalBytes / 1048576);
    }
    return true;
}
