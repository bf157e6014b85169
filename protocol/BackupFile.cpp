#include "protocol/BackupFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

CBackupFile::CBackupFile(CBackupFile&& other) noexcept
    : m_hook(other.m_hook), m_path(std::move(other.m_path)), m_fd(std::exchange(other.m_fd, -1)), m_size(other.m_size),
      m_allocated(other.m_allocated) {}

CBackupFile& CBackupFile::operator=(CBackupFile&& other) noexcept {
    if (this != &other) {
        Close();
        m_hook = other.m_hook;
        m_path = std::move(other.m_path);
        m_fd = std::exchange(other.m_fd, -1);
        m_size = other.m_size;
        m_allocated = other.m_allocated;
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
    const ULONGLONG end = m_size + length;
    if (end <= m_allocated) {
        return 0;
    }
    if (m_hook && *m_hook) {
        const int error = (*m_hook)(LONGLONG(end - m_allocated));
        if (error != 0) {
            return error;
        }
    }
    int result = ::fallocate(m_fd, FALLOC_FL_KEEP_SIZE, off_t(m_size), off_t(length));
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
    const BYTE* p = static_cast<const BYTE*>(data);
    while (length > 0) {
        const ssize_t n = ::pwrite(m_fd, p, length, off_t(offset));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return errno;
        }
        if (n == 0) {
            return EIO;
        }
        p += n;
        offset += ULONGLONG(n);
        length -= std::size_t(n);
    }
    return 0;
}

int CBackupFile::Append(const void* data, std::size_t length) {
    const int error = WriteAt(m_size, data, length);
    return error;
}

int CBackupFile::WriteAt(ULONGLONG offset, const void* data, std::size_t length) {
    if (m_fd < 0) {
        return EBADF;
    }
    const ULONGLONG end = offset + length;
    int error = Grow(end);
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
    const int error = Grow(m_size + length);
    return error != 0 ? error : WriteFully(m_size, data, length);
}

int CBackupFile::Truncate(ULONGLONG length) {
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
    return 0;
}

int CBackupFile::Close() {
    if (m_fd < 0) {
        return 0;
    }
    const int fd = std::exchange(m_fd, -1);
    return ::close(fd) == 0 ? 0 : errno;
}
