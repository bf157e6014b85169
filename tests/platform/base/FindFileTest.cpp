#include "platform/base/FindFile.h"
#include "platform/base/FileSystem.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using kelotest::TempDir;

TEST(FindFileTest, PatternRule) {
    struct Case {
        const char* name;
        const char* pattern;
        bool matches;
    };
    const Case cases[] = {
        {"64a1b2c3.idx", "*.idx", true},
        {"64A1B2C3.IDX", "*.idx", true}, // case does not matter, as on Windows
        {"a.Idx", "*.IDX", true},
        {"a.idx.bak", "*.idx", false},
        {"a.idxx", "*.idx", false},
        {".idx", "*.idx", true},
        {"idx", "*.idx", false},
        {"a.vid", "*.idx", false},
        {"ab.bin", "a?.bin", true},
        {"a.bin", "a?.bin", false},
        {"abc.bin", "a?.bin", false},
        {"ConnectInfo100.log", "*Info*.log", true},
        {"ConnectInfo100.log", "*Info*.txt", false},
        {"aaab", "*a*b", true}, // needs backtracking over several stars
        {"aaac", "*a*b", false},
        {"anything", "*", true},
        {"noext", "*.*", true}, // ".*" also takes names without a dot
        {"with.ext", "*.*", true},
        {"noext", "noext.*", true},
        {"exact", "exact", true},
        {"exact", "exac", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CFindFile::MatchesPattern(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
    }
}

class FindFileFolder : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"b.idx", "A.IDX", "c.vid", "d.idx.bak", "x1.idx"}) {
            dir.WriteFile(name, name);
        }
        ASSERT_TRUE(CreateDirectories((dir / "e.idx").c_str()));
    }

    std::vector<std::string> Names(const std::string& pattern) {
        std::vector<std::string> names;
        WIN32_FIND_DATA data{};
        FIND_HANDLE find = FindFirstFile(pattern.c_str(), &data);
        if (!find) {
            return names;
        }
        do {
            names.push_back(data.cFileName);
        } while (FindNextFile(find, &data));
        return names;
    }

    TempDir dir;
};

TEST_F(FindFileFolder, FindsMatchesInNameOrder) {
    const std::vector<std::string> expected = {"A.IDX", "b.idx", "e.idx", "x1.idx"};
    EXPECT_EQ(Names(dir / "*.idx"), expected);
    // The program's own separator works too.
    EXPECT_EQ(Names(dir.Path().string() + "\\*.idx"), expected);
    EXPECT_EQ(Names(dir / "?.vid"), std::vector<std::string>{"c.vid"});
    EXPECT_TRUE(Names(dir / "*.jpg").empty());
    EXPECT_TRUE(Names(dir / "missing/*.idx").empty());
}

TEST_F(FindFileFolder, ReportsKindAndSize) {
    CFindFile find;
    ASSERT_TRUE(find.FindFirst((dir / "*.idx").c_str()));
    EXPECT_EQ(find.GetFileName(), "A.IDX");
    EXPECT_FALSE(find.IsDirectory());
    ASSERT_TRUE(find.FindNext());
    ASSERT_TRUE(find.FindNext());
    EXPECT_EQ(find.GetFileName(), "e.idx");
    EXPECT_TRUE(find.IsDirectory());
    WIN32_FIND_DATA data{};
    find.Fill(&data);
    EXPECT_TRUE(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    ASSERT_TRUE(find.FindNext());
    find.Fill(&data);
    EXPECT_STREQ(data.cFileName, "x1.idx");
    EXPECT_EQ(data.nFileSizeLow, 6u);
    EXPECT_EQ(data.nFileSizeHigh, 0u);
    EXPECT_FALSE(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    // Past the last match nothing is current, and asking stays safe.
    EXPECT_FALSE(find.FindNext());
    EXPECT_FALSE(find.FindNext());
    EXPECT_EQ(find.GetFileName(), "");
}

} // namespace
