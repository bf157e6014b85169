#include "platform/base/File.h"

#include "platform/base/WindowsPath.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int OpenFlagsFor(UINT flags) {
    int access = O_RDONLY;
    if (flags & CFile::modeReadWrite) {
        access = O_RDWR;
    } else if (flags & CFile::modeWrite) {
        access = O_WRONLY;
    }
    int f = access | O_CLOEXEC;
    if (flags & CFile::modeCreate) {
        f |= O_CREAT;
        if (!(flags & CFile::modeNoTruncate)) {
            f |= O_TRUNC;
        }
    }
    return f;
}

// Writes all `count` bytes through `writeSome(bytes, length, written so far)`, again after an
// interrupted call: 0 once everything is written, else the errno that stopped it.
template <typename WriteSome>
int WriteFully(const void* buffer, UINT count, WriteSome writeSome) {
    const auto* p = static_cast<const BYTE*>(buffer);
    UINT done = 0;
    while (done < count) {
        const ssize_t n = writeSome(p + done, count - done, done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (n == 0) {
            // Nothing taken for a non-empty write: the device is full; never spin on it.
            return ENOSPC;
        }
        done += UINT(n);
    }
    return 0;
}

} // namespace

CFile::~CFile() {
    Close();
}

CFile::CFile(CFile&& other) noexcept : m_fd(other.m_fd), m_error(other.m_error) {
    other.m_fd = -1;
}

CFile& CFile::operator=(CFile&& other) noexcept {
    if (this != &other) {
        Close();
        m_fd = other.m_fd;
        m_error = other.m_error;
        other.m_fd = -1;
    }
    return *this;
}

bool CFile::Fail() {
    m_error = errno;
    return false;
}

bool CFile::Open(const char* path, UINT flags) {
    Close();
    m_error = 0;
    if (!path || !*path) {
        m_error = ENOENT;
        return false;
    }
    const std::string mapped = MapWindowsPath(path);
    const bool exclusive = (flags & shareExclusive) != 0;
    // Exclusive use is tested before a create-always open may empty a file someone else is using.
    int f = OpenFlagsFor(flags);
    const bool truncate = (f & O_TRUNC) != 0;
    if (exclusive && truncate) {
        f &= ~O_TRUNC;
    }
    const int fd = ::open(mapped.c_str(), f, 0666);
    if (fd < 0) {
        return Fail();
    }
    m_fd = fd;
    if (exclusive && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        Fail();
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    if (exclusive && truncate && ::ftruncate(fd, 0) != 0) {
        Fail();
        Close();
        return false;
    }
    return true;
}

void CFile::Close() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

LONGLONG CFile::Read(void* buffer, UINT count) {
    if (m_fd < 0 || (!buffer && count)) {
        m_error = EBADF;
        return -1;
    }
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, count);
        if (n >= 0) {
            return n;
        }
        if (errno != EINTR) {
            Fail();
            return -1;
        }
    }
}

bool CFile::ReadExact(void* buffer, UINT count) {
    auto* p = static_cast<BYTE*>(buffer);
    UINT done = 0;
    while (done < count) {
        const LONGLONG n = Read(p + done, count - done);
        if (n < 0) {
            return false;
        }
        if (n == 0) {
            m_error = 0;
            return false;
        }
        done += UINT(n);
    }
    return true;
}

LONGLONG CFile::GetLength() const {
    struct stat st {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0) {
        return -1;
    }
    return st.st_size;
}

LONGLONG CFile::ReadAt(ULONGLONG offset, void* buffer, UINT count) {
    if (m_fd < 0 || (!buffer && count)) {
        m_error = EBADF;
        return -1;
    }
    auto* p = static_cast<BYTE*>(buffer);
    UINT done = 0;
    while (done < count) {
        const ssize_t n = ::pread(m_fd, p + done, count - done, off_t(offset + done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            Fail();
            return -1;
        }
        if (n == 0) {
            break;
        }
        done += UINT(n);
    }
    return done;
}

bool CFile::WriteAt(ULONGLONG offset, const void* buffer, UINT count) {
    if (m_fd < 0 || (!buffer && count)) {
        m_error = EBADF;
        return false;
    }
    const int fd = m_fd;
    const int error = WriteFully(buffer, count, [fd, offset](const BYTE* p, UINT n, UINT done) {
        return ::pwrite(fd, p, n, off_t(offset + done));
    });
    if (error != 0) {
        m_error = error;
        return false;
    }
    return true;
}
