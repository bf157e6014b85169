#pragma once
// One file of a backup set, written through its own descriptor with every result checked.
//
// Before each append the writer reserves the bytes it is about to write plus room for the file's
// trailer (fallocate without changing the size). When the disk fills up, the reservation fails
// before anything is written, and the trailer still fits in room taken earlier: the set can always
// be closed into a readable state. Room is taken a step ahead of what is asked, so that the file
// system allocates once in many frames instead of once a frame; near a full disk only the room
// asked for is taken. Closing gives back what was taken and not written.
//
// Appends may be gathered and written together (AppendLater, Flush): one system call for many
// frames. Every other operation writes what was gathered first, so the file's bytes come in the
// same order as with one write each.
//
// Results are 0 or an errno value. An allocation hook, when given, is told of every change in the
// bytes the file holds on disk and may refuse growth (tests use it as a small disk).

#include "platform/base/WinTypes.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <sys/uio.h>
#include <vector>

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
    // Room taken beyond what a reservation asks for, when the disk has it.
    static constexpr ULONGLONG kReserveStep = 1 << 20;

    // Makes sure the next length bytes behind the end can be written without new disk space.
    int Reserve(std::size_t length);
    // Gives the disk back the room taken ahead, keeping room for what was appended and not yet
    // written and for keepBehindEnd bytes behind the end (near a full disk, for another file).
    // From then on the file takes only the room asked for.
    int GiveBackRoom(std::size_t keepBehindEnd);
    int Append(const void* data, std::size_t length);
    // Appends without writing yet: the bytes must stay where they are until they are written. Size()
    // counts them.
    void AppendLater(const void* data, std::size_t length);
    // Writes what AppendLater gathered. On failure what was gathered is dropped (part of it may be in
    // the file; Truncate cuts it off).
    int Flush();
    // Writes inside the file (or extends it) without moving its end for appends.
    int WriteAt(ULONGLONG offset, const void* data, std::size_t length);
    // Writes bytes just behind the end without moving it: the next append writes over them. A set
    // in progress keeps its trailer there, so that it reads as closed wherever the writing stops.
    int WriteBehindEnd(const void* data, std::size_t length);
    // Cuts the file back to length bytes (after a failed append), dropping what was gathered.
    int Truncate(ULONGLONG length);
    int Close();

    bool IsOpen() const { return m_fd >= 0; }
    ULONGLONG Size() const { return m_size + m_gatheredBytes; }
    const std::filesystem::path& Path() const { return m_path; }

private:
    int Grow(ULONGLONG end);
    int Allocate(ULONGLONG end);
    void ReleaseUnwritten();
    int WriteFully(ULONGLONG offset, const void* data, std::size_t length);
    // Writes the buffers from offset on, in as many calls as it takes; done counts what was written.
    int WriteBuffers(ULONGLONG offset, iovec* buffers, std::size_t count, ULONGLONG& done);

    const AllocationHook* m_hook = nullptr;
    std::filesystem::path m_path;
    int m_fd = -1;
    ULONGLONG m_size = 0;
    ULONGLONG m_allocated = 0; // bytes the file may hold without asking the disk again
    bool m_reserveAhead = true;
    ULONGLONG m_written = 0; // end of the bytes written, the trailer behind the end included
    std::vector<iovec> m_gathered;
    std::size_t m_gatheredBytes = 0;
};
