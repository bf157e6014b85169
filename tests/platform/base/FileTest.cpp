#include "platform/base/File.h"
#include "platform/base/FileSystem.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>

namespace {

using kelotest::TempDir;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Files and folders the program makes take their modes from the user's umask, as every program's do.
TEST(FileTest, CreatedFilesAndFoldersFollowTheUmask) {
    struct Case {
        mode_t umask, file, folder;
    };
    const Case cases[] = {{077, 0600, 0700}, {002, 0664, 0775}, {022, 0644, 0755}, {0, 0666, 0777}};
    for (const Case& c : cases) {
        TempDir dir;
        const std::string folder = dir / "Log/Saved";
        const std::string path = folder + "/KELO1000.log";
        const mode_t saved = ::umask(c.umask);
        const BOOL made = CreateDirectories(folder.c_str());
        CFile f;
        const bool opened = made && f.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite);
        f.Close();
        ::umask(saved);
        ASSERT_TRUE(made);
        ASSERT_TRUE(opened);
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, c.file) << "umask " << std::oct << c.umask;
        ASSERT_EQ(::stat(folder.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, c.folder) << "umask " << std::oct << c.umask;
        ASSERT_EQ(::stat((dir / "Log").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, c.folder) << "a missing parent, umask " << std::oct << c.umask;
    }
}

TEST(FileTest, CreateWithoutTruncateKeepsWhatIsThere) {
    TempDir dir;
    const std::string path = dir / "KELO1000.log";
    dir.WriteFile("KELO1000.log", "hello world");

    CFile f;
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite));
    EXPECT_EQ(f.GetLength(), 11);
    char head[5] = {};
    EXPECT_EQ(f.Read(head, 5), 5);
    EXPECT_EQ(std::string(head, 5), "hello");
    f.Close();
    EXPECT_EQ(Slurp(path), "hello world");

    // Create-always empties an existing file.
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite));
    EXPECT_EQ(f.GetLength(), 0);
    f.Close();

    // Open-always makes a missing file.
    const std::string fresh = dir / "new.bin";
    ASSERT_TRUE(f.Open(fresh.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite));
    EXPECT_TRUE(f.WriteAt(0, "abc", 3));
    f.Close();
    EXPECT_EQ(Slurp(fresh), "abc");
}

TEST(FileTest, PositionedReadsAndWritesLeaveThePositionAlone) {
    TempDir dir;
    const std::string path = dir / "ring.bin";
    CFile f;
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite));

    // A record written past the end: the gap reads back as zeros.
    const char record[] = "slot-3";
    const ULONGLONG at = 8 + 3 * 184;
    ASSERT_TRUE(f.WriteAt(at, record, sizeof record));
    EXPECT_EQ(f.GetLength(), LONGLONG(at + sizeof record));

    char back[sizeof record] = {};
    EXPECT_EQ(f.ReadAt(at, back, sizeof back), LONGLONG(sizeof back));
    EXPECT_STREQ(back, record);
    char gap[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    EXPECT_EQ(f.ReadAt(0, gap, sizeof gap), 8);
    EXPECT_EQ(std::memcmp(gap, "\0\0\0\0\0\0\0\0", 8), 0);

    // A read across the end is short; one past the end reads nothing.
    char tail[64] = {};
    EXPECT_EQ(f.ReadAt(at + 2, tail, sizeof tail), LONGLONG(sizeof record - 2));
    EXPECT_EQ(f.ReadAt(at + 1000, tail, sizeof tail), 0);

    // A plain read still starts where the file was opened.
    ASSERT_TRUE(f.WriteAt(0, "HDR", 3));
    char two[2] = {};
    EXPECT_EQ(f.Read(two, 2), 2);
    EXPECT_EQ(std::string(two, 2), "HD");
}

TEST(FileTest, OffsetsBeyondFourGigabytes) {
    TempDir dir;
    const std::string path = dir / "big.vid";
    CFile f;
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite));
    const ULONGLONG at = 5ull << 30;
    ASSERT_TRUE(f.WriteAt(at, "tail", 4));
    EXPECT_EQ(f.GetLength(), LONGLONG(at + 4));
    char back[4] = {};
    EXPECT_EQ(f.ReadAt(at, back, 4), 4);
    EXPECT_EQ(std::string(back, 4), "tail");
    EXPECT_EQ(f.ReadAt(at + 4, back, 1), 0);
}

TEST(FileTest, FailuresAreReportedNotHidden) {
    TempDir dir;
    const std::string missing = dir / "none.bin";
    CFile f;
    EXPECT_FALSE(f.Open(missing.c_str(), CFile::modeRead));
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(f.Read(nullptr, 0), -1);
    EXPECT_FALSE(f.WriteAt(0, "x", 1));
    EXPECT_EQ(f.GetLength(), -1);

    dir.WriteFile("ro.bin", "data");
    const std::string ro = dir / "ro.bin";
    ASSERT_TRUE(f.Open(ro.c_str(), CFile::modeRead));
    EXPECT_FALSE(f.WriteAt(0, "x", 1));
    EXPECT_EQ(Slurp(ro), "data");

    // A folder in the way of a file.
    const std::string sub = dir / "sub";
    ASSERT_TRUE(CreateDirectories(sub.c_str()));
    EXPECT_FALSE(f.Open(sub.c_str(), CFile::modeCreate | CFile::modeReadWrite));
}

TEST(FileTest, ExclusiveUseShutsOutASecondOpen) {
    TempDir dir;
    const std::string path = dir / "KELO1000.log";
    dir.WriteFile("KELO1000.log", "ring");

    CFile first;
    ASSERT_TRUE(first.Open(path.c_str(),
                           CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite | CFile::shareExclusive));
    CFile second;
    EXPECT_FALSE(second.Open(path.c_str(), CFile::modeReadWrite | CFile::shareExclusive));
    // A create-always open that is refused must not have emptied the file the holder is using.
    EXPECT_FALSE(second.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive));
    EXPECT_EQ(Slurp(path), "ring");

    first.Close();
    EXPECT_TRUE(second.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive));
    EXPECT_EQ(second.GetLength(), 0);
}

TEST(FileTest, WindowsShapedPathsAndMoves) {
    TempDir dir;
    const std::string windowsShaped = dir.Path().string() + "\\Download\\\\a.idx";
    ASSERT_TRUE(CreateDirectories((dir.Path().string() + "\\Download\\").c_str()));
    CFile f;
    ASSERT_TRUE(f.Open(windowsShaped.c_str(), CFile::modeCreate | CFile::modeWrite));
    ASSERT_TRUE(f.WriteAt(0, "x", 1));
    CFile moved(std::move(f));
    EXPECT_FALSE(f.IsOpen());
    EXPECT_TRUE(moved.IsOpen());
    moved.Close();
    EXPECT_EQ(Slurp(dir / "Download/a.idx"), "x");
}

} // namespace
