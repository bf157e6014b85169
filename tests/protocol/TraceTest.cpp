// The trace: silent unless KELO_TRACE=1, then one line per call on standard error with the local time
// and the calling thread. The variable is read once per process, so every case runs in a fresh child.

#include "protocol/Trace.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <thread>

namespace {

// In the child: sets the variable as given (null: unset), traces from this thread and from another,
// including a line written in two calls, and ends.
[[noreturn]] void TraceInChild(const char* value) {
    if (value == nullptr) {
        ::unsetenv("KELO_TRACE");
    } else {
        ::setenv("KELO_TRACE", value, 1);
    }
    Trace("Send...LIVE_STOP\n");
    std::thread other([] {
        Trace("Recv...DB_INFO_ACK...\n");
        Trace("Send... PLAY_ON_REQ...%02d:%02d ~ ", 9, 30);
        Trace("%02d:%02d\n", 10, 45);
    });
    other.join();
    std::_Exit(0);
}

// The thread ids of the lines of `err` that have the traced form, keyed by the traced text.
std::multimap<std::string, std::string> TracedLines(const std::string& err) {
    static const std::regex line(R"(^\d\d:\d\d:\d\d\.\d{3} \[(\d+)\] (.*)$)");
    std::multimap<std::string, std::string> found;
    std::istringstream in(err);
    for (std::string text; std::getline(in, text);) {
        std::smatch m;
        if (std::regex_match(text, m, line)) {
            found.emplace(m[2].str(), m[1].str());
        }
    }
    return found;
}

TEST(Trace, WritesStampedLinesOnlyWhenTheEnvironmentAsks) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    struct Case {
        const char* value;
        bool traced;
    } const cases[] = {{nullptr, false}, {"", false}, {"0", false}, {"yes", false}, {"1", true}};
    for (const Case& c : cases) {
        const std::string name = c.value == nullptr ? "unset" : std::string("\"") + c.value + "\"";
        if (!c.traced) {
            EXPECT_EXIT(TraceInChild(c.value), ::testing::ExitedWithCode(0),
                        ::testing::Not(
                            ::testing::AnyOf(::testing::HasSubstr("LIVE_STOP"), ::testing::HasSubstr("DB_INFO_ACK"))))
                << name;
            continue;
        }
        EXPECT_EXIT(TraceInChild(c.value), ::testing::ExitedWithCode(0), ::testing::Truly([](const std::string& err) {
                        const auto lines = TracedLines(err);
                        if (lines.size() != 3 || lines.count("Send...LIVE_STOP") != 1 ||
                            lines.count("Recv...DB_INFO_ACK...") != 1 ||
                            lines.count("Send... PLAY_ON_REQ...09:30 ~ 10:45") != 1) {
                            return false;
                        }
                        // The worker's two lines carry its id, which is not the first thread's.
                        const std::string first = lines.find("Send...LIVE_STOP")->second;
                        const std::string worker = lines.find("Recv...DB_INFO_ACK...")->second;
                        return first != worker && lines.find("Send... PLAY_ON_REQ...09:30 ~ 10:45")->second == worker;
                    }))
            << name;
    }
}

TEST(Trace, ConsolePrintfCutsLongTextAt1023Characters) {
    const std::string longText(3000, 'x');
    ::testing::internal::CaptureStderr();
    const int written = ConsolePrintf("%s", longText.c_str());
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(written, 1023);
    EXPECT_EQ(err, std::string(1023, 'x'));
}

} // namespace
