// A download whose client dies: a child process writes a backup through the program's download
// writer and is killed (SIGKILL) at a random point. What it left must be found by the local search
// and play up to within a second of the last frame it wrote.
#include "archive/BackupSet.h"
#include "archive/RecordingScan.h"
#include "protocol/ByteOrder.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using kelotest::TempDir;

const DWORD kFirstTime = 1796896800; // 2026-12-10 10:00

std::uintmax_t VidBytes(const fs::path& folder) {
    std::error_code ec;
    std::uintmax_t total = 0;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (entry.path().extension() == ".vid") {
            total += entry.file_size(ec);
        }
    }
    return total;
}

// The time of the last whole frame record in the .vih, read from the raw file: the truth about
// what was written, independent of the index.
DWORD LastRecordTime(const fs::path& vih) {
    std::ifstream in(vih, std::ios::binary);
    std::vector<BYTE> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    DWORD last = 0;
    for (std::size_t at = kFirstRecordOffset; at + kFrameRecordSize <= bytes.size(); at += kFrameRecordSize) {
        if (std::string(reinterpret_cast<const char*>(bytes.data() + at), 8) != "kelo1040") {
            break;
        }
        last = std::max(last, ReadLE32(bytes.data() + at + 24));
    }
    return last;
}

// The last frame time the player can read whole, over every segment of the set.
DWORD LastPlayableTime(const std::string& idx, std::size_t& segments) {
    CBackupSet set;
    std::vector<BackupSegment> loaded;
    if (!set.Open(idx) || !set.LoadSegments(loaded)) {
        return 0;
    }
    segments = loaded.size();
    DWORD last = 0;
    std::vector<BYTE> buffer;
    for (const BackupSegment& segment : loaded) {
        for (DWORD at = segment.first_record; at < segment.end_record; at += kFrameRecordSize) {
            BackupFrame frame;
            if (!set.ReadFrame(at, frame)) {
                continue;
            }
            buffer.resize(frame.info.frame_length);
            if (set.ReadFrameBytes(frame.record.vid_offset, buffer.data(), buffer.size())) {
                last = std::max(last, DWORD(frame.record.frame_time));
            }
        }
    }
    return last;
}

} // namespace

TEST(DownloadCrash, ASetWrittenUntilTheWriterIsKilledIsFoundAndPlaysToItsLastSecond) {
    const unsigned seed = unsigned(std::chrono::steady_clock::now().time_since_epoch().count());
    std::mt19937 random(seed);
    for (int round = 0; round < 3; ++round) {
        // Killed after 4 to 60 MB of frames: between about one and twenty seconds of recording.
        const std::uintmax_t killAt = std::uniform_int_distribution<std::uintmax_t>(4, 60)(random) << 20;
        SCOPED_TRACE("seed " + std::to_string(seed) + ", killed after " + std::to_string(killAt >> 20) + " MB");
        TempDir location;
        const fs::path download = location.Path() / "Download";
        const std::string save = location.Path().string();
        const std::string first = std::to_string(kFirstTime);
        char* args[] = {const_cast<char*>(KELO_DOWNLOAD_WRITER_CHILD), const_cast<char*>(save.c_str()),
                        const_cast<char*>(first.c_str()), nullptr};
        pid_t child = 0;
        ASSERT_EQ(posix_spawn(&child, KELO_DOWNLOAD_WRITER_CHILD, nullptr, nullptr, args, environ), 0);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        int status = 0;
        bool exited = false;
        while (VidBytes(download) < killAt && std::chrono::steady_clock::now() < deadline) {
            if (waitpid(child, &status, WNOHANG) == child) {
                exited = true;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        ASSERT_FALSE(exited) << "the writer ended by itself, status " << status;
        ::kill(child, SIGKILL);
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));

        const std::vector<RecordingSetEntry> sets = CRecordingScan::FindSets(download.string() + "/");
        ASSERT_EQ(sets.size(), 1u);
        CRecordingScan scan;
        const std::vector<PlayListNode> nodes =
            scan.BuildPlayList(sets, LocalSearchKind::Range, kFirstTime, kFirstTime + 3600);
        EXPECT_FALSE(nodes.empty()) << "the local search finds no data";

        const DWORD written = LastRecordTime(fs::path(sets[0].idx_path).replace_extension(".vih"));
        std::size_t segments = 0;
        const DWORD playable = LastPlayableTime(sets[0].idx_path, segments);
        ASSERT_GE(written, kFirstTime);
        EXPECT_GE(segments, std::size_t((written - kFirstTime) / 20 + 1));
        EXPECT_GE(playable + 1, written) << "written up to " << written - kFirstTime << " s, playable up to "
                                         << (playable > kFirstTime ? playable - kFirstTime : 0) << " s";
    }
}
