#pragma once
// The program's side of the resource library: opens libKeloRes.so by name, hands out its texts and
// skin bitmaps by numeric id, and frees it. Without the library every text is empty and every bitmap
// null, and the program keeps running; one line on stderr says what is missing.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

#include <QImage>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CResLibrary {
public:
    static constexpr const char* kFileName = "libKeloRes.so";

    CResLibrary() = default;
    ~CResLibrary();
    CResLibrary(const CResLibrary&) = delete;
    CResLibrary& operator=(const CResLibrary&) = delete;

    // Opens the library from the program's own folder, else through the system's library search.
    bool Load();
    // Opens exactly this file.
    bool LoadFrom(const std::string& path);
    void Free();
    bool IsLoaded() const { return m_handle != nullptr; }

    // Empty when the library is not loaded or has no such text.
    CString LoadText(UINT id) const;
    // A 32-bit picture, or a null image when the library is not loaded or has no such bitmap.
    QImage LoadBitmap(UINT id) const;
    // Every picture of an icon, smallest first, 32-bit with alpha; empty when there is none.
    std::vector<QImage> LoadIcon(UINT id) const;

    // The library that the program's windows load from: texts (ResStrings.h) and every
    // CBitmap::LoadBitmap. The main window sets it while it holds the library and clears it before
    // freeing it; null when there is none.
    static void SetCurrent(CResLibrary* library);
    static CResLibrary* Current();

private:
    using GetTextFn = const char* (*)(unsigned);
    using GetBitmapFn = int (*)(unsigned, int*, int*, uint32_t*, size_t);
    using GetIconFn = int (*)(unsigned, int, int*, int*, uint32_t*, size_t);

    bool Open(const std::string& path, std::string* error);
    void Report(const std::string& what) const;

    void* m_handle = nullptr;
    GetTextFn m_getText = nullptr;
    GetBitmapFn m_getBitmap = nullptr;
    GetIconFn m_getIcon = nullptr;
};
