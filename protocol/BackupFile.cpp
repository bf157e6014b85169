#include "protocol/BackupFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

CBackupFile::CBackupFile(CBackupFile&& other) noexcept
    : m_hook(other.m_hook), m_path(std::move(other.m_path)), m_fd(std::exchange(other.m_fd, -1)), m_size(other.m_size),
      m_allocated(other.m_allocated), m_reserveAhead(other.m_reserveAhead), m_written(other.m_written),
      m_gathered(std::move(other.m_gathered)), m_gatheredBytes(std::exchange(other.m_gatheredBytes, 0)) {}

CBackupFile& CBackupFile::operator=(CBackupFile&& other) noexcept {
    if (this != &other) {
        Close();
        m_hook = other.m_hook;
        m_path = std::move(other.m_path);
        m_fd = std::exchange(other.m_fd, -1);
        m_size = other.m_size;
        m_allocated = other.m_allocated;
        m_reserveAhead = other.m_reserveAhead;
        m_written = other.m_written;
        m_gathered = std::move(other.m_gathered);
        m_gatheredBytes = std::exchange(other.m_gatheredBytes, 0);
    }
    return *this;
}

CBackupFile::~CBackupFile() {
    Close();
}

int CBackupFile::CreateNew(const std::filesystem::path& path) {
    Close();
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return errno;
    }
    m_fd = fd;
    m_path = path;
    m_size = 0;
    m_allocated = 0;
    m_written = 0;
    m_reserveAhead = true;
    return 0;
}

int CBackupFile::Grow(ULONGLONG end) {
    if (end <= m_allocated) {
        return 0;
    }
    if (m_hook && *m_hook) {
        const int error = (*m_hook)(LONGLONG(end - m_allocated));
        if (error != 0) {
            return error;
        }
    }
    m_allocated = end;
    return 0;
}

int CBackupFile::Reserve(std::size_t length) {
    if (m_fd < 0) {
        return EBADF;
    }
    const ULONGLONG end = Size() + length;
    if (end <= m_allocated) {
        return 0;
    }
    if (m_reserveAhead && Allocate(end + kReserveStep) == 0) {
        return 0;
    }
    return Allocate(end);
}

int CBackupFile::GiveBackRoom(std::size_t keepBehindEnd) {
    if (m_fd < 0) {
        return EBADF;
    }
    m_reserveAhead = false;
    ReleaseUnwritten();
    const ULONGLONG end = Size() + keepBehindEnd;
    return end <= m_allocated ? 0 : Allocate(end);
}

int CBackupFile::Allocate(ULONGLONG end) {
    if (m_hook && *m_hook) {
        const int error = (*m_hook)(LONGLONG(end - m_allocated));
        if (error != 0) {
            return error;
        }
    }
    int result = ::fallocate(m_fd, FALLOC_FL_KEEP_SIZE, off_t(m_size), off_t(end - m_size));
    if (result != 0 && (errno == EOPNOTSUPP || errno == ENOSYS)) {
        // The file system cannot reserve; the writes themselves will report a full disk.
        result = 0;
    } else if (result != 0) {
        const int error = errno;
        if (m_hook && *m_hook) {
            (*m_hook)(-LONGLONG(end - m_allocated));
        }
        return error;
    }
    m_allocated = end;
    return 0;
}

int CBackupFile::WriteFully(ULONGLONG offset, const void* data, std::size_t length) {
    iovec buffer{const_cast<void*>(data), length};
    ULONGLONG done = 0;
    return WriteBuffers(offset, &buffer, 1, done);
}

int CBackupFile::WriteBuffers(ULONGLONG offset, iovec* buffers, std::size_t count, ULONGLONG& done) {
    std::size_t first = 0;
    for (;;) {
        while (first < count && buffers[first].iov_len == 0) {
            ++first;
        }
        if (first == count) {
            return 0;
        }
        const int some = int(std::min<std::size_t>(count - first, IOV_MAX));
        const ssize_t n = ::pwritev(m_fd, buffers + first, some, off_t(offset + done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return errno;
        }
        if (n == 0) {
            return EIO;
        }
        done += ULONGLONG(n);
        m_written = std::max(m_written, offset + done);
        // Step over what was written, which may end inside a buffer.
        std::size_t left = std::size_t(n);
        while (left > 0 && left >= buffers[first].iov_len) {
            left -= buffers[first].iov_len;
            ++first;
        }
        if (left > 0) {
            buffers[first].iov_base = static_cast<BYTE*>(buffers[first].iov_base) + left;
            buffers[first].iov_len -= left;
        }
    }
}

int CBackupFile::Append(const void* data, std::size_t length) {
    const int error = Flush();
    return error != 0 ? error : WriteAt(m_size, data, length);
}

void CBackupFile::AppendLater(const void* data, std::size_t length) {
    if (length == 0) {
        return;
    }
    m_gathered.push_back({const_cast<void*>(data), length});
    m_gatheredBytes += length;
}

int CBackupFile::Flush() {
    if (m_gathered.empty()) {
        return 0;
    }
    int error = m_fd < 0 ? EBADF : Grow(m_size + m_gatheredBytes);
    if (error == 0) {
        ULONGLONG done = 0;
        error = WriteBuffers(m_size, m_gathered.data(), m_gathered.size(), done);
        m_size += done;
    }
    m_gathered.clear();
    m_gatheredBytes = 0;
    return error;
}

int CBackupFile::WriteAt(ULONGLONG offset, const void* data, std::size_t length) {
    if (m_fd < 0) {
        return EBADF;
    }
    int error = Flush();
    if (error != 0) {
        return error;
    }
    const ULONGLONG end = offset + length;
    error = Grow(end);
    if (error == 0) {
        error = WriteFully(offset, data, length);
    }
    if (error != 0) {
        return error;
    }
    if (end > m_size) {
        m_size = end;
    }
    return 0;
}

int CBackupFile::WriteBehindEnd(const void* data, std::size_t length) {
    if (m_fd < 0) {
        return EBADF;
    }
    int error = Flush();
    if (error == 0) {
        error = Grow(m_size + length);
    }
    return error != 0 ? error : WriteFully(m_size, data, length);
}

int CBackupFile::Truncate(ULONGLONG length) {
    m_gathered.clear();
    m_gatheredBytes = 0;
    if (m_fd < 0) {
        return EBADF;
    }
    if (::ftruncate(m_fd, off_t(length)) != 0) {
        return errno;
    }
    // Truncation also drops what was reserved beyond the new end.
    if (m_allocated > length && m_hook && *m_hook) {
        (*m_hook)(-LONGLONG(m_allocated - length));
    }
    m_size = length;
    m_allocated = length;
    m_written = length;
    return 0;
}

void CBackupFile::ReleaseUnwritten() {
    // Cutting at the end written frees the blocks reserved beyond it and changes no byte; a failure
    // only leaves them reserved.
    if (m_allocated <= m_written || ::ftruncate(m_fd, off_t(m_written)) != 0) {
        return;
    }
    if (m_hook && *m_hook) {
        (*m_hook)(-LONGLONG(m_allocated - m_written));
    }
    m_allocated = m_written;
}

int CBackupFile::Close() {
    if (m_fd < 0) {
        return 0;
    }
    const int error = Flush();
    ReleaseUnwritten();
    const int fd = std::exchange(m_fd, -1);
    const int closeError = ::close(fd) == 0 ? 0 : errno;
    return error != 0 ? error : closeError;
}
