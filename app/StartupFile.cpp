#include "app/StartupFile.h"

#include "platform/base/File.h"
#include "platform/base/WindowsPath.h"

#include <string>
#include <vector>

void CStartupFile::Parse(const BYTE* data, std::size_t size, StartupStrings& strings) {
    CString* const lines[] = {&strings.caption, &strings.folderName, &strings.dateFormatText, &strings.drawFormatText};
    std::size_t line = 0;
    std::string text;
    auto finishLine = [&] {
        if (!text.empty()) {
            *lines[line] = CString(std::string_view(text));
        }
        text.clear();
        ++line;
    };
    for (std::size_t i = 0; i < size && line < std::size(lines); ++i) {
        const BYTE c = data[i];
        if (c == '\r') {
            finishLine();
        } else if (c != '\n' && text.size() < std::size_t(kMaxLineLength)) {
            text.push_back(char(c));
        }
    }
    if (line < std::size(lines)) {
        finishLine();
    }
}

bool CStartupFile::Read(const char* path, StartupStrings& strings) {
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareExclusive)) {
        return false;
    }
    // Four lines of at most 259 characters with their ends; anything beyond is never used, but a
    // long line is skipped to its end, so read in pieces up to a generous bound.
    constexpr std::size_t kLimit = 1 << 20;
    std::vector<BYTE> bytes;
    BYTE chunk[4096];
    for (;;) {
        const LONGLONG n = file.Read(chunk, sizeof chunk);
        if (n <= 0) {
            break;
        }
        bytes.insert(bytes.end(), chunk, chunk + n);
        if (bytes.size() >= kLimit) {
            break;
        }
    }
    Parse(bytes.data(), bytes.size(), strings);
    return true;
}

bool CStartupFile::ReadFirstFound(StartupStrings& strings) {
    return Read(kFileName, strings) || Read(kSystemStartupFile, strings);
}

DWORD CStartupFile::DateFormatFromText(const CString& text) {
    CString upper = text;
    upper.MakeUpper();
    if (upper == "MM-DD-YYYY") {
        return 1;
    }
    if (upper == "DD-MM-YYYY") {
        return 2;
    }
    return 0;
}

DWORD CStartupFile::DrawModeFromText(const CString& text) {
    CString upper = text;
    upper.MakeUpper();
    return upper == "RGB" ? 1 : 0;
}
