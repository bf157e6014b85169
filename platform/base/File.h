#pragma once
// A file opened by the program, closed when the object goes. Offsets and lengths are 64-bit.
// Paths go through MapWindowsPath, so the program's backslash-separated paths work as they stand.
// Nothing throws: failures come back as false or -1.

#include "platform/base/WinTypes.h"

class CFile {
public:
    // Open flags: one access mode, optionally with creation and exclusive use.
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        // Creates the file when absent; an existing file is emptied unless modeNoTruncate is also given
        // (modeCreate alone is create-always, modeCreate | modeNoTruncate is open-always).
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        // No other open of the file may hold exclusive use at the same time (across processes too, and
        // across two opens within one process); the open fails when another holds it.
        shareExclusive = 0x0010,
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

    CFile() = default;
    ~CFile();
    CFile(CFile&& other) noexcept;
    CFile& operator=(CFile&& other) noexcept;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Closes what was open first. False when the file cannot be opened (or created).
    bool Open(const char* path, UINT flags);
    void Close();
    bool IsOpen() const { return m_fd >= 0; }

    // Reads up to count bytes at the current position; the number read, 0 at the end, -1 on failure.
    LONGLONG Read(void* buffer, UINT count);
    // Reads exactly count bytes or fails (a short file is a failure).
    bool ReadExact(void* buffer, UINT count);
    // The file's size, or -1 on failure.
    LONGLONG GetLength() const;

    // Positioned reads and writes; they leave the current position where it was. ReadAt gives the
    // number of bytes read (short at the end of the file) or -1; WriteAt writes all bytes or fails.
    LONGLONG ReadAt(ULONGLONG offset, void* buffer, UINT count);
    bool WriteAt(ULONGLONG offset, const void* buffer, UINT count);

private:
    bool Fail();

    int m_fd = -1;
    int m_error = 0;
};
