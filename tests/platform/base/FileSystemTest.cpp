#include "platform/base/FileSystem.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using kelotest::TempDir;

TEST(FileSystemTest, FoldersAndFiles) {
    TempDir dir;
    const std::string nested = dir / "H264\\Log\\deep/";
    EXPECT_TRUE(CreateDirectories(nested.c_str()));
    EXPECT_TRUE(DirectoryExists((dir / "H264/Log/deep").c_str()));
    // Already there: still a success.
    EXPECT_TRUE(CreateDirectories(nested.c_str()));
    EXPECT_FALSE(CreateDirectories(""));

    dir.WriteFile("H264/file.bin", "12345");
    const std::string file = dir / "H264/file.bin";
    EXPECT_TRUE(FileExists(file.c_str()));
    EXPECT_FALSE(FileExists((dir / "H264").c_str()));
    EXPECT_FALSE(DirectoryExists(file.c_str()));
    // A file where a folder should be made.
    EXPECT_FALSE(CreateDirectories((file + "/sub").c_str()));
}

TEST(FileSystemTest, FreeSpaceOfAFolderNotMadeYet) {
    TempDir dir;
    ULONGLONG freeHere = 0;
    ULONGLONG totalHere = 0;
    ASSERT_TRUE(GetDiskFreeSpace(dir.Path().c_str(), &freeHere, &totalHere));
    EXPECT_GT(totalHere, 0u);
    EXPECT_LE(freeHere, totalHere);

    ULONGLONG freeLater = 0;
    ULONGLONG totalLater = 0;
    ASSERT_TRUE(GetDiskFreeSpace((dir / "H264/Download/").c_str(), &freeLater, &totalLater));
    EXPECT_EQ(totalLater, totalHere);

    // Failure leaves the outputs as they were.
    ULONGLONG untouched = 77;
    EXPECT_FALSE(GetDiskFreeSpace("", &untouched, &untouched));
    EXPECT_FALSE(GetDiskFreeSpace(nullptr, &untouched, nullptr));
    EXPECT_EQ(untouched, 77u);
}

} // namespace
