#include "platform/base/WindowsPath.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

class HomeGuard {
public:
    explicit HomeGuard(const char* home) {
        const char* old = std::getenv("HOME");
        m_had = old != nullptr;
        m_old = old ? old : "";
        if (home) {
            setenv("HOME", home, 1);
        } else {
            unsetenv("HOME");
        }
    }
    ~HomeGuard() {
        if (m_had) {
            setenv("HOME", m_old.c_str(), 1);
        } else {
            unsetenv("HOME");
        }
    }

private:
    bool m_had;
    std::string m_old;
};

TEST(WindowsPathTest, MapsTheProgramsPaths) {
    HomeGuard home("/home/tester/");
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"C:\\H264", "/home/tester/H264"},
        {"c:\\H264\\Log\\", "/home/tester/H264/Log/"},
        {"D:/Archive/x.idx", "/home/tester/Archive/x.idx"},
        {"c:\\windows\\system32\\ClientD1.bin", "/etc/ClientD1.bin"},
        {"C:\\WINDOWS\\System32\\clientd1.BIN", "/etc/ClientD1.bin"},
        {"C:\\windows\\system32\\other.bin", "/home/tester/windows/system32/other.bin"},
        {"/srv/H264\\Log\\", "/srv/H264/Log/"},
        {"/srv/H264/\\Download\\", "/srv/H264/Download/"},
        {"ClientD1.bin", "ClientD1.bin"},
        {".\\Download\\", "./Download/"},
        {"C:", "C:"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MapWindowsPath(c.in), c.out) << c.in;
    }
    EXPECT_EQ(MapWindowsPath(nullptr), "");
    EXPECT_EQ(DefaultSaveLocation("H264"), "/home/tester/H264");
    EXPECT_EQ(HomeFolder(), "/home/tester");
}

TEST(WindowsPathTest, HomeWithoutTheEnvironment) {
    HomeGuard home(nullptr);
    const std::string h = HomeFolder();
    EXPECT_FALSE(h.empty());
    EXPECT_EQ(h[0], '/');
}

TEST(WindowsPathTest, JoinsWithOneSeparator) {
    EXPECT_EQ(JoinPath("/a", "b"), "/a/b");
    EXPECT_EQ(JoinPath("/a/", "b"), "/a/b");
    EXPECT_EQ(JoinPath("/a//", "/b"), "/a/b");
    EXPECT_EQ(JoinPath("/", "b"), "/b");
    EXPECT_EQ(JoinPath("", "b"), "b");
}

} // namespace
