#pragma once
// Backup file sets for the local search and player tests, written by the client's own download
// writer from frames built byte by byte (tests/protocol/FrameBytes.h), so that the readers are
// tested against what a backup really leaves on disk.

#include "protocol/ClientMessages.h"
#include "protocol/DownloadWriter.h"
#include "protocol/FrameItem.h"
#include "tests/protocol/FrameBytes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <unistd.h>
#include <vector>

namespace backupmaker {

class TempFolder {
public:
    TempFolder() {
        char pattern[] = "/tmp/kelo-archive-XXXXXX";
        const char* made = ::mkdtemp(pattern);
        m_path = made != nullptr ? made : "/tmp";
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& Path() const { return m_path; }
    std::string Download() const { return (m_path / "Download").string() + "/"; }

private:
    std::filesystem::path m_path;
};

// One frame of a backup: its record's time and segment, its channel and what its header says.
struct Frame {
    DWORD time = 1000;
    WORD ms = 0;
    DWORD key = 1; // segment key: a new value starts a new index segment
    int channel = 0;
    bool keyFrame = true;
    BYTE eventType = 0;
    std::string name; // camera name in the record; empty: none
    std::size_t video = 64;
    std::size_t audio = 0; // audio area; 2048 carries a 512-byte block
    int audioChannel = 0;
};

class Owner : public IDownloadWriterOwner {
public:
    void PostWriterMessage(UINT message, WPARAM, LPARAM) override {
        std::lock_guard lock(m_lock);
        if (message == WM_KELO_BACKUP_CLOSE) {
            m_ended = true;
            m_changed.notify_all();
        }
    }
    void OnDownloadFailed(int) override {}
    bool WaitForEnd() {
        std::unique_lock lock(m_lock);
        return m_changed.wait_for(lock, std::chrono::seconds(60), [&] { return m_ended; });
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    bool m_ended = false;
};

inline std::vector<BYTE> BlockOf(const Frame& f) {
    framebytes::RecordShape r;
    r.time = f.time;
    r.segmentKey = f.key;
    r.eventType = f.eventType;
    r.cameraName = f.name;
    framebytes::FrameShape s;
    s.channel = f.channel;
    s.audioChannel = f.audioChannel;
    s.audioPresent = f.audio > 0;
    s.time = f.time;
    s.milliseconds = f.ms;
    s.keyMark = f.keyFrame ? 1 : 0;
    s.videoSize = f.video;
    s.audioValue = f.audio;
    s.fill = BYTE(f.time + f.channel);
    return framebytes::MakeBlock(r, s);
}

inline std::unique_ptr<FrameItem> WriterItem(const std::vector<BYTE>& block) {
    FrameInfo info;
    EXPECT_EQ(CheckFrame(block, 192, info), FrameCheck::Ok);
    FrameDescriptor descriptor;
    FillFrameDescriptor(info, descriptor);
    const DWORD header[4] = {DWORD(CDownloadWriter::kIdTransOnData) << 7, (1u << 30) | DWORD(block.size() & 0xFFFF), 0,
                             0};
    return MakeWriterItem(descriptor, header, block);
}

// Writes one backup of the frames into <location>/Download; the sets' names and split stamps come
// from `clock`, counting up from it. splitBlocks > 0 splits a set after that many frames. The .idx
// paths of the sets written, oldest first.
inline std::vector<std::filesystem::path> WriteBackup(const std::filesystem::path& location, DWORD clock,
                                                      const std::vector<Frame>& frames, int splitBlocks = 0) {
    Owner owner;
    DownloadWriterOptions options;
    options.saveLocation = location;
    auto counter = std::make_shared<DWORD>(clock);
    options.clock = [counter] { return (*counter)++; };
    if (splitBlocks > 0) {
        options.splitSize = ULONGLONG(splitBlocks) * BlockOf(frames.front()).size();
    }
    std::vector<std::filesystem::path> paths;
    {
        CDownloadWriter writer(owner, 1000, 1, 1, options);
        for (const Frame& f : frames) {
            EXPECT_TRUE(writer.QueueFrame(WriterItem(BlockOf(f)), std::chrono::seconds(30)));
        }
        auto end = std::make_unique<FrameItem>();
        end->header[0] = DWORD(CDownloadWriter::kIdTransOnDone) << 7;
        EXPECT_TRUE(writer.QueueFrame(std::move(end), std::chrono::seconds(30)));
        EXPECT_TRUE(owner.WaitForEnd());
        EXPECT_FALSE(writer.HasFailed());
        paths = writer.GetSetPaths();
    }
    return paths;
}

// One frame a second from `start` for `seconds` seconds on each channel of `channels` (in channel
// order within a second), every `keyEvery`-th second a key frame, all in segment `key`.
inline std::vector<Frame> Seconds(DWORD start, int seconds, std::initializer_list<int> channels, DWORD key = 1,
                                  int keyEvery = 1) {
    std::vector<Frame> frames;
    for (int s = 0; s < seconds; ++s) {
        for (int ch : channels) {
            Frame f;
            f.time = start + DWORD(s);
            f.key = key;
            f.channel = ch;
            f.keyFrame = s % keyEvery == 0;
            frames.push_back(f);
        }
    }
    return frames;
}

inline std::vector<BYTE> ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<BYTE>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteAll(const std::filesystem::path& path, const std::vector<BYTE>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline void PutLe32(std::vector<BYTE>& bytes, std::size_t at, DWORD value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + std::size_t(i)] = BYTE(value >> (8 * i));
    }
}

inline std::filesystem::path Sibling(std::filesystem::path idx, const char* extension) {
    return idx.replace_extension(extension);
}

} // namespace backupmaker
