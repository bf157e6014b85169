#include "protocol/BackupFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using kelotest::TempDir;

// A disk of a given size, as the allocation hook sees it.
struct SmallDisk {
    explicit SmallDisk(LONGLONG size) : free(size) {}
    CBackupFile::AllocationHook Hook() {
        return [this](LONGLONG delta) {
            if (delta > free) {
                return ENOSPC;
            }
            free -= delta;
            ++asks;
            return 0;
        };
    }
    LONGLONG free;
    int asks = 0;
};

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

TEST(BackupFile, ReservesAStepAheadWhileTheDiskHasItAndOnlyWhatIsAskedNearItsEnd) {
    constexpr LONGLONG kStep = LONGLONG(CBackupFile::kReserveStep);
    struct Case {
        const char* name;
        LONGLONG disk;
        LONGLONG usedAfterFirst; // by a reservation of 1000 bytes
        int asksForTen;          // ten frames of 1000 bytes, each reserved before it is written
    };
    const Case cases[] = {
        {"ample disk", 4 * kStep, 1000 + kStep, 1},
        {"the step does not fit", kStep / 2, 1000, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir folder;
        SmallDisk disk(c.disk);
        const CBackupFile::AllocationHook hook = disk.Hook();
        CBackupFile file(&hook);
        ASSERT_EQ(file.CreateNew(folder.Path() / "a.vid"), 0);
        const std::vector<BYTE> frame(1000, 0x5A);
        for (int i = 0; i < 10; ++i) {
            ASSERT_EQ(file.Reserve(frame.size()), 0) << i;
            if (i == 0) {
                EXPECT_EQ(c.disk - disk.free, c.usedAfterFirst);
            }
            ASSERT_EQ(file.Append(frame.data(), frame.size()), 0) << i;
        }
        EXPECT_EQ(disk.asks, c.asksForTen);
        EXPECT_EQ(file.Close(), 0);
        EXPECT_EQ(c.disk - disk.free, 10000) << "what is written, no more, stays taken";
    }
}

TEST(BackupFile, AFullDiskRefusesAReservationBeforeAnythingIsWritten) {
    TempDir folder;
    SmallDisk disk(2500);
    const CBackupFile::AllocationHook hook = disk.Hook();
    CBackupFile file(&hook);
    ASSERT_EQ(file.CreateNew(folder.Path() / "a.vid"), 0);
    const std::vector<BYTE> frame(1000, 0x5A);
    ASSERT_EQ(file.Reserve(2000), 0);
    ASSERT_EQ(file.Append(frame.data(), frame.size()), 0);
    ASSERT_EQ(file.Append(frame.data(), frame.size()), 0);
    EXPECT_EQ(file.Reserve(1000), ENOSPC);
    EXPECT_EQ(file.Size(), 2000u);
    EXPECT_EQ(file.Reserve(500), 0) << "what is left still serves a smaller reservation";
}

TEST(BackupFile, ClosingGivesBackTheRoomNotWrittenAndKeepsATrailerBehindTheEnd) {
    TempDir folder;
    SmallDisk disk(4 * LONGLONG(CBackupFile::kReserveStep));
    const LONGLONG size = disk.free;
    const CBackupFile::AllocationHook hook = disk.Hook();
    CBackupFile file(&hook);
    const std::filesystem::path path = folder.Path() / "a.vih";
    ASSERT_EQ(file.CreateNew(path), 0);
    const std::string data(1000, 'd');
    const std::string trailer(64, 't');
    ASSERT_EQ(file.Reserve(data.size() + trailer.size()), 0);
    ASSERT_EQ(file.Append(data.data(), data.size()), 0);
    ASSERT_EQ(file.WriteBehindEnd(trailer.data(), trailer.size()), 0);
    EXPECT_EQ(file.Close(), 0);

    EXPECT_EQ(ReadAll(path), data + trailer) << "the trailer a cut set ends with stays";
    EXPECT_EQ(size - disk.free, LONGLONG(data.size() + trailer.size()));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_LT(info.st_blocks * 512, 64 * 1024) << "the step reserved ahead is given back to the disk";
}

TEST(BackupFile, GivingBackRoomKeepsTheRoomOfGatheredBytesAndEndsReservingAhead) {
    TempDir folder;
    SmallDisk disk(4 * LONGLONG(CBackupFile::kReserveStep));
    const LONGLONG size = disk.free;
    const CBackupFile::AllocationHook hook = disk.Hook();
    CBackupFile file(&hook);
    const std::filesystem::path path = folder.Path() / "a.vid";
    ASSERT_EQ(file.CreateNew(path), 0);
    const std::string data(1000, 'd');
    ASSERT_EQ(file.Reserve(data.size() + 64), 0);
    file.AppendLater(data.data(), data.size());

    ASSERT_EQ(file.GiveBackRoom(64), 0);
    EXPECT_EQ(size - disk.free, LONGLONG(data.size() + 64)) << "the gathered bytes and a trailer";
    ASSERT_EQ(file.Reserve(200), 0);
    EXPECT_EQ(size - disk.free, LONGLONG(data.size() + 200)) << "only what is asked for, no step";
    ASSERT_EQ(file.Flush(), 0);
    EXPECT_EQ(file.Close(), 0);
    EXPECT_EQ(ReadAll(path), data);
}
