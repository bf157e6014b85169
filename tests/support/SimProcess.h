#pragma once
// Runs the recorder simulator for a test: started on an ephemeral loopback port (its "port N" line is
// read from its standard output), its standard error kept in a file, stopped with SIGTERM at the end.
// Header-only, so test programs that do not link the support library can use it too.
// The simulator checks every request of the client; a test whose simulator logged a
// "protocol-violation" line fails when the simulator is stopped (programs without Google Test
// define KELO_SIM_PROCESS_NO_GTEST and get the lines on their standard error instead).

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#ifndef KELO_SIM_PROCESS_NO_GTEST
#include <gtest/gtest.h>
#endif

extern char** environ;

namespace kelotest {

// Waits for a child to end; the exit status, or -1 on time-out (the child is then killed).
inline int WaitForExit(pid_t pid, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    int status = 0;
    while (std::chrono::steady_clock::now() < end) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    return -1;
}

// The argument vector of posix_spawn over `args` (which must outlive it), ended by a null.
inline std::vector<char*> ArgvOf(std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    return argv;
}

} // namespace kelotest

class SimProcess {
public:
    // Logged: the simulator writes a line per message (-v) to the log that Log() and WaitLog() read.
    // Quiet: it doesn't, which keeps many busy streams from spending their time on the log.
    enum class Messages { Logged, Quiet };

    explicit SimProcess(Messages messages = Messages::Logged) : m_messages(messages) {}
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // KELO_BIN_DIR, or else the folder of the test program itself (programs share one bin folder).
    static std::string Binary() {
        const char* dir = std::getenv("KELO_BIN_DIR");
        if (dir != nullptr && *dir != '\0') {
            return std::string(dir) + "/kelo-recorder-sim";
        }
        char self[4096] = {};
        const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
        std::string path(self, n > 0 ? static_cast<std::size_t>(n) : 0);
        const std::size_t slash = path.rfind('/');
        return (slash == std::string::npos ? std::string(".") : path.substr(0, slash)) + "/kelo-recorder-sim";
    }
    static bool Available() { return ::access(Binary().c_str(), X_OK) == 0; }

    // Starts the simulator with the given options (besides --port 0, and -v when messages are logged);
    // false when it did not come up within the time (encoding its pictures takes a while under the
    // sanitizers).
    bool Start(const std::vector<std::string>& options, int timeoutMs = 120000) {
        char logName[] = "/tmp/kelo-sim-log-XXXXXX";
        const int logFd = ::mkstemp(logName);
        if (logFd < 0) {
            return false;
        }
        m_logPath = logName;
        int out[2];
        if (::pipe(out) != 0) {
            ::close(logFd);
            return false;
        }
        std::vector<std::string> args = {Binary(), "--port", "0"};
        if (m_messages == Messages::Logged) {
            args.push_back("-v");
        }
        args.insert(args.end(), options.begin(), options.end());
        std::vector<char*> argv = kelotest::ArgvOf(args);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, logFd, STDERR_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        const int rc = ::posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        ::close(logFd);
        if (rc != 0) {
            ::close(out[0]);
            m_pid = -1;
            return false;
        }
        m_stdout = out[0];
        return ReadPort(timeoutMs);
    }

    ~SimProcess() { Stop(); }

    void Stop() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            kelotest::WaitForExit(m_pid, 5000);
            m_pid = -1;
        }
        if (!m_logPath.empty()) {
            ReportViolations();
        }
        if (m_stdout >= 0) {
            ::close(m_stdout);
            m_stdout = -1;
        }
        if (!m_logPath.empty()) {
            ::unlink(m_logPath.c_str());
            m_logPath.clear();
        }
    }

    int Port() const { return m_port; }

    std::string Log() const {
        std::ifstream in(m_logPath);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // Waits until the simulator's log holds `text`.
    bool WaitLog(const std::string& text, int timeoutMs = 60000) const {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < end) {
            if (Log().find(text) != std::string::npos) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }

    // The simulator's "protocol-violation" lines: requests of the client that broke their layout.
    std::vector<std::string> Violations() const {
        std::vector<std::string> lines;
        std::istringstream in(Log());
        std::string line;
        while (std::getline(in, line)) {
            if (line.rfind("protocol-violation ", 0) == 0) {
                lines.push_back(line);
            }
        }
        return lines;
    }

private:
    void ReportViolations() const {
        const std::vector<std::string> lines = Violations();
        if (lines.empty()) {
            return;
        }
        std::string text;
        for (const std::string& line : lines) {
            text += line + "\n";
        }
#ifndef KELO_SIM_PROCESS_NO_GTEST
        ADD_FAILURE() << "the simulator refused requests of the client:\n" << text;
#else
        std::fprintf(stderr, "the simulator refused requests of the client:\n%s", text.c_str());
#endif
    }

    bool ReadPort(int timeoutMs) {
        std::string line;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < end) {
            pollfd p{m_stdout, POLLIN, 0};
            if (::poll(&p, 1, 100) != 1) {
                continue;
            }
            char c = 0;
            if (::read(m_stdout, &c, 1) != 1) {
                return false;
            }
            if (c != '\n') {
                line.push_back(c);
                continue;
            }
            if (line.rfind("port ", 0) == 0) {
                m_port = std::atoi(line.c_str() + 5);
                return m_port > 0;
            }
            line.clear();
        }
        return false;
    }

    Messages m_messages;
    pid_t m_pid = -1;
    int m_stdout = -1;
    int m_port = 0;
    std::string m_logPath;
};
