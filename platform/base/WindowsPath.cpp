#include "platform/base/WindowsPath.h"

#include <cstdlib>
#include <pwd.h>
#include <strings.h>
#include <unistd.h>

namespace {

bool IsDriveStart(const std::string& p) {
    const bool letter = p.size() >= 3 && ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z'));
    return letter && p[1] == ':' && (p[2] == '\\' || p[2] == '/');
}

std::string CollapseSeparators(const std::string& p) {
    std::string out;
    out.reserve(p.size());
    for (char c : p) {
        if (c == '/' && !out.empty() && out.back() == '/') {
            continue;
        }
        out += c;
    }
    return out;
}

} // namespace

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    std::string h = (home && *home) ? home : "";
    if (h.empty()) {
        const passwd* pw = getpwuid(getuid());
        if (pw && pw->pw_dir && *pw->pw_dir) {
            h = pw->pw_dir;
        }
    }
    while (h.size() > 1 && h.back() == '/') {
        h.pop_back();
    }
    return h.empty() ? "/" : h;
}

std::string MapWindowsPath(const char* path) {
    if (!path) {
        return std::string();
    }
    std::string p(path);
    for (char& c : p) {
        if (c == '\\') {
            c = '/';
        }
    }
    if (strcasecmp(p.c_str(), "c:/windows/system32/ClientD1.bin") == 0) {
        return kSystemStartupFile;
    }
    if (IsDriveStart(p)) {
        p = HomeFolder() + "/" + p.substr(3);
    }
    return CollapseSeparators(p);
}

std::string DefaultSaveLocation(const char* folderName) {
    return JoinPath(HomeFolder(), folderName ? folderName : "");
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) {
        return name;
    }
    std::string out = folder;
    while (out.size() > 1 && out.back() == '/') {
        out.pop_back();
    }
    size_t start = 0;
    while (start < name.size() && name[start] == '/') {
        ++start;
    }
    if (out != "/") {
        out += '/';
    }
    out.append(name, start, std::string::npos);
    return out;
}
