#include "platform/base/FileSystem.h"

#include "platform/base/WindowsPath.h"

#include <filesystem>
#include <sys/statvfs.h>
#include <system_error>

namespace fs = std::filesystem;

namespace {

fs::path Mapped(const char* path) {
    return fs::path(MapWindowsPath(path));
}

} // namespace

BOOL CreateDirectories(const char* path) {
    if (!path || !*path) {
        return FALSE;
    }
    const fs::path p = Mapped(path);
    std::error_code ec;
    fs::create_directories(p, ec);
    return fs::is_directory(p, ec) ? TRUE : FALSE;
}

BOOL FileExists(const char* path) {
    if (!path || !*path) {
        return FALSE;
    }
    std::error_code ec;
    return fs::is_regular_file(Mapped(path), ec) ? TRUE : FALSE;
}

BOOL DirectoryExists(const char* path) {
    if (!path || !*path) {
        return FALSE;
    }
    std::error_code ec;
    return fs::is_directory(Mapped(path), ec) ? TRUE : FALSE;
}

BOOL GetDiskFreeSpace(const char* path, ULONGLONG* freeBytes, ULONGLONG* totalBytes) {
    if (!path || !*path) {
        return FALSE;
    }
    fs::path p = Mapped(path);
    std::error_code ec;
    // A save folder not made yet is answered by the folder it will be made in.
    while (!fs::exists(p, ec)) {
        if (!p.has_relative_path()) {
            break;
        }
        const fs::path parent = p.parent_path();
        if (parent == p || parent.empty()) {
            p = fs::path(".");
            break;
        }
        p = parent;
    }
    struct statvfs st {};
    if (::statvfs(p.c_str(), &st) != 0 || st.f_frsize == 0) {
        return FALSE;
    }
    if (freeBytes) {
        *freeBytes = ULONGLONG(st.f_bavail) * st.f_frsize;
    }
    if (totalBytes) {
        *totalBytes = ULONGLONG(st.f_blocks) * st.f_frsize;
    }
    return TRUE;
}
