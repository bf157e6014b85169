#pragma once
// A small disk for the tests of full disks: a tmpfs of a given size mounted over a folder for as long
// as the object lives. Mounting needs the right to mount (root on the machine, as CI runs); without it
// Mount says why, and the test skips with that message. Header-only.

#include <sys/mount.h>
#include <sys/statvfs.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace kelotest {

class SmallDisk {
public:
    SmallDisk() = default;
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    // Lazily unmounted: whatever still holds a file there lets go in its own time.
    ~SmallDisk() { Unmount(); }

    // Mounts a tmpfs of `megabytes` over `folder` (made when missing). False, with the reason in
    // `why`, when it cannot be mounted.
    bool Mount(const std::filesystem::path& folder, unsigned megabytes, std::string& why) {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        const std::string options = "size=" + std::to_string(megabytes) + "m";
        if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0) {
            why = "a small disk cannot be mounted here (" + std::string(std::strerror(errno)) +
                  "): a tmpfs needs the right to mount";
            return false;
        }
        m_folder = folder;
        return true;
    }

    // Fills the disk with a file of its own until nothing is left free.
    void Fill() {
        std::ofstream filler(m_folder / ".filler", std::ios::binary);
        const std::vector<char> block(4096, 'x');
        while (filler.write(block.data(), std::streamsize(block.size()))) {
        }
    }

    // The free space in bytes.
    unsigned long long FreeBytes() const {
        struct statvfs s {};
        return ::statvfs(m_folder.c_str(), &s) == 0 ? (unsigned long long)s.f_bavail * s.f_frsize : 0;
    }

    void Unmount() {
        if (!m_folder.empty()) {
            ::umount2(m_folder.c_str(), MNT_DETACH);
            m_folder.clear();
        }
    }

private:
    std::filesystem::path m_folder;
};

} // namespace kelotest
