#pragma once
// One file of a backup set, written through its own descriptor with every result checked.
//
// Before each append the writer reserves the bytes it is about to write plus room for the file's
// trailer (fallocate without changing the size). When the disk fills up, the reservation fails
// before anything is written, and the trailer still fits in room taken earlier: the set can always
// be closed into a readable state.
//
// Results are 0 or an errno value. An allocation hook, when given, is told of every change in the
// bytes the file holds on disk and may refuse growth (tests use it as a small disk).

#include "platform/base/WinTypes.h"

#include <cstddef>
#include <filesystem>
#include <functional>

class CBackupFile {
public:
    using AllocationHook = std::function<int(LONGLONG delta)>;

    CBackupFile() = default;
    explicit CBackupFile(const AllocationHook* hook) : m_hook(hook) {}
    CBackupFile(const CBackupFile&) = delete;
    CBackupFile& operator=(const CBackupFile&) = delete;
    CBackupFile(CBackupFile&& other) noexcept;
    CBackupFile& operator=(CBackupFile&& other) noexcept;
    ~CBackupFile();

    // Creates the file, which must not exist yet (EEXIST then).
    int CreateNew(const std::filesystem::path& path);
    // Makes sure the next length bytes behind the end can be written without new disk space.
    int Reserve(std::size_t length);
    int Append(const void* data, std::size_t length);
    // Writes inside the file (or extends it) without moving its end for appends.
    int WriteAt(ULONGLONG offset, const void* data, std::size_t length);
    // Writes bytes just behind the end without moving it: the next append writes over them. A set
    // in progress keeps its trailer there, so that it reads as closed wherever the writing stops.
    int WriteBehindEnd(const void* data, std::size_t length);
    // Cuts the file back to length bytes (after a failed append).
    int Truncate(ULONGLONG length);
    int Close();

    bool IsOpen() const { return m_fd >= 0; }
    ULONGLONG Size() const { return m_size; }
    const std::filesystem::path& Path() const { return m_path; }

private:
    int Grow(ULONGLONG end);
    int WriteFully(ULONGLONG offset, const void* data, std::size_t length);

    const AllocationHook* m_hook = nullptr;
    std::filesystem::path m_path;
    int m_fd = -1;
    ULONGLONG m_size = 0;
    ULONGLONG m_allocated = 0; // bytes the file may hold without asking the disk again
};
