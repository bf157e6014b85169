#include "app/RemovableMedia.h"

#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

constexpr long kIso9660Magic = 0x9660;
constexpr long kUdfMagic = 0x15013346;

bool ReadFlag(const std::string& path) {
    std::ifstream in(path);
    int value = 0;
    return (in >> value) && value == 1;
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

// The sysfs folder of the block device holding the file, resolved through its links.
std::string BlockDeviceFolder(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return std::string();
    }
    const std::string link =
        "/sys/dev/block/" + std::to_string(major(st.st_dev)) + ":" + std::to_string(minor(st.st_dev));
    char* resolved = ::realpath(link.c_str(), nullptr);
    if (resolved == nullptr) {
        return std::string();
    }
    std::string folder(resolved);
    std::free(resolved);
    return folder;
}

} // namespace

std::string CRemovableMedia::ProgramPath() {
    char self[4096] = {};
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    return n > 0 ? std::string(self, std::size_t(n)) : std::string();
}

std::string CRemovableMedia::ProgramFolder() {
    const std::string path = ProgramPath();
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool CRemovableMedia::IsOnRemovableMedia(const std::string& path) {
    struct statfs fs {};
    if (::statfs(path.c_str(), &fs) == 0 && (long(fs.f_type) == kIso9660Magic || long(fs.f_type) == kUdfMagic)) {
        return true;
    }
    const std::string device = BlockDeviceFolder(path);
    if (device.empty()) {
        return false; // no block device (network, memory or overlay file systems): not removable
    }
    if (Exists(device + "/removable")) {
        return ReadFlag(device + "/removable");
    }
    // A partition: its disk is the folder above it.
    if (Exists(device + "/partition")) {
        const std::size_t slash = device.rfind('/');
        return slash != std::string::npos && ReadFlag(device.substr(0, slash) + "/removable");
    }
    return false;
}

bool CRemovableMedia::IsProgramOnRemovableMedia() {
    if (const char* forced = std::getenv("KELO_REMOVABLE_MEDIA"); forced != nullptr && *forced != '\0') {
        return forced[0] == '1';
    }
    const std::string program = ProgramPath();
    return !program.empty() && IsOnRemovableMedia(program);
}
