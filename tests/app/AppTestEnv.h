#pragma once
// A temporary home and settings folder for a test: HOME and XDG_CONFIG_HOME point into a fresh folder
// that is removed at the end; TZ can be set for the test's duration.

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
        }
        if (value) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
        ::tzset();
    }
    ~ScopedEnv() {
        if (m_old) {
            ::setenv(m_name.c_str(), m_old->c_str(), 1);
        } else {
            ::unsetenv(m_name.c_str());
        }
        ::tzset();
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

class AppTestEnv {
public:
    AppTestEnv()
        : m_root(MakeRoot()), m_home("HOME", (m_root / "home").c_str()),
          m_config("XDG_CONFIG_HOME", (m_root / "config").c_str()) {
        std::filesystem::create_directories(m_root / "home");
        std::filesystem::create_directories(m_root / "config");
    }
    ~AppTestEnv() {
        std::error_code ec;
        std::filesystem::remove_all(m_root, ec);
    }
    AppTestEnv(const AppTestEnv&) = delete;
    AppTestEnv& operator=(const AppTestEnv&) = delete;

    std::filesystem::path Root() const { return m_root; }
    std::filesystem::path Home() const { return m_root / "home"; }
    // A save location inside the temporary folder.
    std::string Location() const { return (m_root / "save").string(); }

    static void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary);
        out << bytes;
    }
    static std::vector<unsigned char> ReadBytes(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
    }

private:
    static std::filesystem::path MakeRoot() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kelo-app-XXXXXX").string();
        const char* made = ::mkdtemp(pattern.data());
        return made ? std::filesystem::path(made) : std::filesystem::temp_directory_path();
    }

    std::filesystem::path m_root;
    ScopedEnv m_home;
    ScopedEnv m_config;
};

inline unsigned ReadLe32(const std::vector<unsigned char>& b, std::size_t at) {
    return unsigned(b[at]) | (unsigned(b[at + 1]) << 8) | (unsigned(b[at + 2]) << 16) | (unsigned(b[at + 3]) << 24);
}
