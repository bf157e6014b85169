#pragma once
// The optional start-up text file: up to four lines giving the window caption, the save-folder name
// and the default date and draw formats. A line ends at a carriage return or at the end of the file;
// line feeds are dropped wherever they stand, so a file written with line feeds only is one line.
// An empty line keeps its default; a line longer than 259 characters keeps its first 259.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

#include <cstddef>

struct StartupStrings {
    CString caption = "H264";
    CString folderName = "H264";
    CString dateFormatText = "YYYY-MM-DD";
    CString drawFormatText = "YUV";
};

class CStartupFile {
public:
    static constexpr int kMaxLineLength = 259;
    static constexpr const char* kFileName = "ClientD1.bin";

    // Applies the file's bytes to the strings (only non-empty lines replace a default).
    static void Parse(const BYTE* data, std::size_t size, StartupStrings& strings);
    // Reads the file at path; false (strings untouched) when it cannot be opened.
    static bool Read(const char* path, StartupStrings& strings);
    // The file in the current folder, else the system-wide copy; false when neither opens.
    static bool ReadFirstFound(StartupStrings& strings);

    // Line 3 upper-cased: "MM-DD-YYYY" 1, "DD-MM-YYYY" 2, anything else 0.
    static DWORD DateFormatFromText(const CString& text);
    // Line 4 upper-cased: "RGB" 1, anything else 0.
    static DWORD DrawModeFromText(const CString& text);
};
