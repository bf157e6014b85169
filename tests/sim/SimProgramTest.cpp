// The program itself: its options, the "port N" line, serving a login, and a clean stop on
// SIGINT and SIGTERM.
#include "tests/sim/SimTestClient.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <sys/wait.h>

using namespace simtest;

namespace {

std::string Program() {
    const char* dir = std::getenv("KELO_BIN_DIR");
    return std::string(dir ? dir : ".") + "/kelo-recorder-sim";
}

// Runs the program with its stdout on a pipe.
struct Child {
    pid_t pid = -1;
    int out = -1;

    explicit Child(std::vector<std::string> args) {
        int pipeFds[2];
        if (::pipe(pipeFds) != 0)
            return;
        args.insert(args.begin(), Program());
        pid = ::fork();
        if (pid == 0) {
            ::dup2(pipeFds[1], 1);
            ::close(pipeFds[0]);
            ::close(pipeFds[1]);
            std::vector<char*> argv;
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(pipeFds[1]);
        out = pipeFds[0];
    }
    ~Child() {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
        if (out >= 0)
            ::close(out);
    }
    std::string ReadLine(int timeoutMs) {
        std::string line;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < end) {
            pollfd p{out, POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0)
                continue;
            char ch = 0;
            if (::read(out, &ch, 1) != 1)
                break;
            if (ch == '\n')
                return line;
            line += ch;
        }
        return line;
    }
    std::string ReadAll() {
        std::string all;
        char buf[4096];
        ssize_t n = 0;
        while ((n = ::read(out, buf, sizeof(buf))) > 0)
            all.append(buf, size_t(n));
        return all;
    }
    // Exit status, or -1 if it did not end within the time.
    int Wait(int timeoutMs) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < end) {
            int status = 0;
            if (::waitpid(pid, &status, WNOHANG) == pid) {
                pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return -1;
    }
};

TEST(SimProgram, HelpListsEveryOptionAndBadOptionsFail) {
    Child help({"--help"});
    const std::string text = help.ReadAll();
    EXPECT_EQ(help.Wait(10000), 0);
    for (const char* option : {"--address",
                               "--port",
                               "--product",
                               "--channels",
                               "--account",
                               "--hello-account",
                               "--protocol-version",
                               "--product-version",
                               "--front-version",
                               "--sub-product",
                               "--mac",
                               "--firmware-time",
                               "--login-fail-reason",
                               "--standard",
                               "--resolution",
                               "--loop-seconds",
                               "--seed",
                               "--clock",
                               "--days",
                               "--log-entries",
                               "--fragment",
                               "--video-loss",
                               "--play-plain",
                               "--save-setup",
                               "--bitrate",
                               "--refuse",
                               "close-mid",
                               "stall-mid",
                               "size:",
                               "bytes:",
                               "no-last",
                               "dup:",
                               "garbage",
                               "crc",
                               "bye:",
                               "drop:",
                               "delay:",
                               "--verbose",
                               "--lenient",
                               "--setup-version",
                               "protocol-violation",
                               "port N"}) {
        EXPECT_NE(text.find(option), std::string::npos) << option;
    }
    Child bad({"--channels", "many"});
    EXPECT_EQ(bad.Wait(10000), 2);
}

TEST(SimProgram, PrintsItsPortServesALoginAndStopsCleanlyOnSignals) {
    for (int signal : {SIGTERM, SIGINT}) {
        Child sim({"--port", "0", "--resolution", "cif", "--loop-seconds", "1", "--channels", "4"});
        const std::string line = sim.ReadLine(60000);
        ASSERT_EQ(line.rfind("port ", 0), 0u) << line;
        const int port = std::stoi(line.substr(5));
        ASSERT_GT(port, 0);
        {
            TestClient c(static_cast<uint16_t>(port));
            ASSERT_TRUE(c.Connected());
            EXPECT_EQ(LoginAndPushes(c).size(), kLoginMessages);
            ASSERT_TRUE(c.Send(msg::LIVE_REQ, Be32Payload(0xF)));
            EXPECT_TRUE(c.RecvId(msg::LIVE_DATA)); // streaming while the signal comes
            ::kill(sim.pid, signal);
            EXPECT_EQ(sim.Wait(20000), 0);
        }
    }
}

} // namespace
