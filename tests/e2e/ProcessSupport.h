#pragma once
// Child processes of the end-to-end tests: a virtual X server on a free display, and the client
// program with an environment of the test's choosing.

#include "tests/support/SimProcess.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

// Where the build put the programs (KELO_BIN_DIR, else the current folder).
inline std::string BinDir() {
    const char* dir = std::getenv("KELO_BIN_DIR");
    return dir != nullptr ? dir : ".";
}

// A whole file (a program's log); empty when it cannot be read.
inline std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class XvfbProcess {
public:
    static bool Available() { return ::access("/usr/bin/Xvfb", X_OK) == 0; }

    // Starts Xvfb on a display it picks itself; false when it did not come up in time.
    bool Start(int timeoutMs = 30000) {
        int fds[2];
        if (::pipe(fds) != 0) {
            return false;
        }
        const std::string fd = std::to_string(fds[1]);
        std::vector<std::string> args = {"/usr/bin/Xvfb", "-displayfd", fd,   "-screen", "0",
                                         "1280x1024x24",  "-nolisten",  "tcp"};
        std::vector<char*> argv = kelotest::ArgvOf(args);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        const int rc = ::posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        if (rc != 0) {
            ::close(fds[0]);
            m_pid = -1;
            return false;
        }
        std::string number;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < end) {
            pollfd p{fds[0], POLLIN, 0};
            if (::poll(&p, 1, 100) != 1) {
                continue;
            }
            char c = 0;
            if (::read(fds[0], &c, 1) != 1 || c == '\n') {
                break;
            }
            number.push_back(c);
        }
        ::close(fds[0]);
        if (number.empty()) {
            return false;
        }
        m_display = ":" + number;
        return true;
    }
    ~XvfbProcess() { Stop(); }
    void Stop() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            if (kelotest::WaitForExit(m_pid, 5000) < 0) {
                m_pid = -1;
            }
            m_pid = -1;
        }
    }
    const std::string& Display() const { return m_display; }

private:
    pid_t m_pid = -1;
    std::string m_display;
};

// The current environment changed by `env` (an empty value removes the name), as NAME=value
// entries for posix_spawn (see kelotest::ArgvOf).
inline std::vector<std::string> EnvironmentWith(const std::map<std::string, std::string>& env) {
    std::map<std::string, std::string> merged;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry(*e);
        const std::size_t eq = entry.find('=');
        if (eq != std::string::npos) {
            merged[entry.substr(0, eq)] = entry.substr(eq + 1);
        }
    }
    for (const auto& [name, value] : env) {
        if (value.empty()) {
            merged.erase(name);
        } else {
            merged[name] = value;
        }
    }
    std::vector<std::string> entries;
    for (const auto& [name, value] : merged) {
        entries.push_back(name + "=" + value);
    }
    return entries;
}

// Starts a program with the current environment changed by `env` (see EnvironmentWith); its output
// goes to `logPath`. -1 when it could not be started.
inline pid_t SpawnWithEnv(const std::string& program, const std::map<std::string, std::string>& env,
                          const std::string& logPath) {
    std::vector<std::string> entries = EnvironmentWith(env);
    std::vector<char*> envp = kelotest::ArgvOf(entries);
    std::string path = program;
    char* argv[] = {path.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t pid = -1;
    const int rc = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

// The environment of the client program on the X server `display`, told to connect to the simulator
// at `simPort` by itself: no sound device, no removable media, no desktop service.
inline std::map<std::string, std::string> ClientEnvOn(const std::string& display, int simPort) {
    return {{"DISPLAY", display},
            {"QT_QPA_PLATFORM", "xcb"},
            {"KELO_MIXER_DEVICE", "none"},
            {"KELO_REMOVABLE_MEDIA", "0"},
            {"DBUS_SESSION_BUS_ADDRESS", "disabled:"},
            // The X keyboard library hands strndup unterminated names, which the strict string
            // checks of the test runs take for overflows.
            {"ASAN_OPTIONS", "detect_leaks=1:abort_on_error=0"},
            {"KELO_TEST_CONNECT", "127.0.0.1:" + std::to_string(simPort) + ":admin:1234"}};
}
