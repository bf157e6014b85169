#include "platform/base/FindFile.h"

#include "platform/base/WindowsPath.h"

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

char Fold(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool Match(const char* name, const char* pattern) {
    // Iterative wildcard match with one backtrack point for the last '*'.
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name) {
        if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (*pattern == '?' || (*pattern && Fold(*pattern) == Fold(*name))) {
            ++pattern;
            ++name;
        } else if (star) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*') {
        ++pattern;
    }
    return *pattern == '\0';
}

bool CaseFoldedLess(const CFindFile::Entry& a, const CFindFile::Entry& b) {
    const size_t n = std::min(a.name.size(), b.name.size());
    for (size_t i = 0; i < n; ++i) {
        const char x = Fold(a.name[i]);
        const char y = Fold(b.name[i]);
        if (x != y) {
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        }
    }
    if (a.name.size() != b.name.size()) {
        return a.name.size() < b.name.size();
    }
    return a.name < b.name;
}

} // namespace

bool CFindFile::MatchesPattern(const char* name, const char* pattern) {
    if (!name || !pattern) {
        return false;
    }
    if (Match(name, pattern)) {
        return true;
    }
    // "name.*" also finds "name": a missing extension counts as an empty one.
    const size_t len = std::strlen(pattern);
    if (len >= 2 && pattern[len - 2] == '.' && pattern[len - 1] == '*' && !std::strchr(name, '.')) {
        const std::string stem(pattern, len - 2);
        return Match(name, stem.c_str());
    }
    return false;
}

bool CFindFile::FindFirst(const char* pattern) {
    Close();
    if (!pattern || !*pattern) {
        return false;
    }
    const std::string mapped = MapWindowsPath(pattern);
    const size_t slash = mapped.rfind('/');
    std::string namePattern = slash == std::string::npos ? mapped : mapped.substr(slash + 1);
    m_folder = slash == std::string::npos ? std::string() : mapped.substr(0, slash == 0 ? 1 : slash);
    if (namePattern.empty()) {
        return false;
    }

    DIR* dir = ::opendir(m_folder.empty() ? "." : m_folder.c_str());
    if (!dir) {
        return false;
    }
    while (const dirent* e = ::readdir(dir)) {
        const char* name = e->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0 || !MatchesPattern(name, namePattern.c_str())) {
            continue;
        }
        Entry entry;
        entry.name = name;
        struct stat st {};
        const std::string full = JoinPath(m_folder, entry.name);
        if (::stat(full.c_str(), &st) == 0) {
            entry.directory = S_ISDIR(st.st_mode);
            entry.size = entry.directory ? 0 : ULONGLONG(st.st_size);
            entry.readOnly = ::access(full.c_str(), W_OK) != 0;
            entry.lastWriteTime = st.st_mtim.tv_sec;
        }
        m_entries.push_back(std::move(entry));
    }
    ::closedir(dir);
    std::sort(m_entries.begin(), m_entries.end(), CaseFoldedLess);
    m_index = 0;
    return !m_entries.empty();
}

bool CFindFile::FindNext() {
    if (m_index + 1 >= m_entries.size()) {
        m_index = m_entries.size();
        return false;
    }
    ++m_index;
    return true;
}

void CFindFile::Close() {
    m_entries.clear();
    m_folder.clear();
    m_index = 0;
}

const CFindFile::Entry& CFindFile::Current() const {
    static const Entry none;
    return m_index < m_entries.size() ? m_entries[m_index] : none;
}

void CFindFile::Fill(WIN32_FIND_DATA* out) const {
    if (!out || m_index >= m_entries.size()) {
        return;
    }
    const Entry& e = Current();
    std::memset(out, 0, sizeof(*out));
    out->dwFileAttributes = e.directory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    if (e.readOnly) {
        out->dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
    }
    out->nFileSizeHigh = DWORD(e.size >> 32);
    out->nFileSizeLow = DWORD(e.size & 0xFFFFFFFFu);
    out->lastWriteTime = e.lastWriteTime;
    // Names on this system are at most 255 bytes, so they always fit with their terminator.
    std::strncpy(out->cFileName, e.name.c_str(), MAX_PATH - 1);
}

FIND_HANDLE FindFirstFile(const char* pattern, WIN32_FIND_DATA* data) {
    auto find = std::make_unique<CFindFile>();
    if (!find->FindFirst(pattern)) {
        return nullptr;
    }
    find->Fill(data);
    return find;
}

BOOL FindNextFile(const FIND_HANDLE& find, WIN32_FIND_DATA* data) {
    if (!find || !find->FindNext()) {
        return FALSE;
    }
    find->Fill(data);
    return TRUE;
}
