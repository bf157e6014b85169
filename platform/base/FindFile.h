#pragma once
// Directory search by pattern: "<folder>/<name pattern>", where the name pattern may hold '*' (any
// run of characters) and '?' (one character). Names match without regard to ASCII case, as on the
// system the program was written for ("*.idx" finds "A.IDX"), and a pattern ending in ".*" also finds
// names without a dot. Matches come in name order (case folded), "." and ".." never. The folder is
// read once when the search starts.

#include "platform/base/WinTypes.h"

#include <memory>
#include <string>
#include <vector>

constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

struct WIN32_FIND_DATA {
    DWORD dwFileAttributes;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    std::int64_t lastWriteTime; // seconds since 1970
    char cFileName[MAX_PATH];   // the name alone, without the folder
};

class CFindFile {
public:
    struct Entry {
        std::string name;
        ULONGLONG size = 0;
        bool directory = false;
        bool readOnly = false;
        std::int64_t lastWriteTime = 0;
    };

    // Starts a search; false when the folder cannot be read or nothing matches.
    bool FindFirst(const char* pattern);
    // Steps to the next match; false when there is none. The first match is current after FindFirst.
    bool FindNext();
    void Close();

    // The current match; an empty entry once the search has run out (or before it started).
    const Entry& Current() const;
    std::string GetFileName() const { return Current().name; }
    bool IsDirectory() const { return Current().directory; }
    void Fill(WIN32_FIND_DATA* out) const;

    // The pattern rule on its own, for names that do not come from a folder.
    static bool MatchesPattern(const char* name, const char* pattern);

private:
    std::string m_folder;
    std::vector<Entry> m_entries;
    size_t m_index = 0;
};

// The handle-shaped calls over CFindFile: FindFirstFile gives a null handle when nothing matches.
using FIND_HANDLE = std::unique_ptr<CFindFile>;

FIND_HANDLE FindFirstFile(const char* pattern, WIN32_FIND_DATA* data);
BOOL FindNextFile(const FIND_HANDLE& find, WIN32_FIND_DATA* data);
