#pragma once
// Starts the recorder simulator program on an ephemeral loopback port for one test and ends it.

#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

class RecorderSimProcess {
public:
    static std::string Binary() {
        const char* dir = std::getenv("KELO_BIN_DIR");
        std::string folder = dir != nullptr && *dir != '\0' ? dir : ".";
        if (dir == nullptr || *dir == '\0') {
            char self[4096] = {};
            const ssize_t n = ::readlink("/proc/self/exe", self, sizeof(self) - 1);
            const std::string path(self, n > 0 ? std::size_t(n) : 0);
            const std::size_t slash = path.rfind('/');
            folder = slash == std::string::npos ? "." : path.substr(0, slash);
        }
        return folder + "/kelo-recorder-sim";
    }
    static bool Available() { return ::access(Binary().c_str(), X_OK) == 0; }

    ~RecorderSimProcess() { Stop(); }

    // Starts it with the options (and --port 0); true once it printed its port.
    bool Start(const std::vector<std::string>& options, int timeoutMs = 120000) {
        int out[2];
        if (::pipe(out) != 0) {
            return false;
        }
        std::vector<std::string> args = {Binary(), "--port", "0"};
        args.insert(args.end(), options.begin(), options.end());
        std::vector<char*> argv;
        for (std::string& a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        const int rc = ::posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        if (rc != 0) {
            ::close(out[0]);
            m_pid = -1;
            return false;
        }
        std::string line;
        while (line.find('\n') == std::string::npos) {
            pollfd p{out[0], POLLIN, 0};
            char buffer[64];
            if (::poll(&p, 1, timeoutMs) != 1) {
                break;
            }
            const ssize_t n = ::read(out[0], buffer, sizeof(buffer));
            if (n <= 0) {
                break;
            }
            line.append(buffer, std::size_t(n));
        }
        ::close(out[0]);
        if (line.rfind("port ", 0) != 0) {
            return false;
        }
        m_port = std::atoi(line.c_str() + 5);
        return m_port > 0;
    }

    void Stop() {
        if (m_pid <= 0) {
            return;
        }
        ::kill(m_pid, SIGTERM);
        int status = 0;
        for (int i = 0; i < 1000 && ::waitpid(m_pid, &status, WNOHANG) == 0; ++i) {
            ::usleep(10000);
        }
        if (::waitpid(m_pid, &status, WNOHANG) == 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, &status, 0);
        }
        m_pid = -1;
    }

    int Port() const { return m_port; }

private:
    pid_t m_pid = -1;
    int m_port = 0;
};
