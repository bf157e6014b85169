// Full screen on a guard station's desktop: the real program under a virtual X server, with no window
// manager and with one, driven with the X test extension as a mouse and a keyboard drive it. Full
// makes the full-screen window the one that receives the keyboard, so Escape and Enter bring it back.
#include "tests/app/AppTestEnv.h"
#include "tests/e2e/ProcessSupport.h"
#include "tests/support/Prerequisite.h"
#include "tests/support/SimProcess.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

// What a command prints on the given display.
std::string XRun(const std::string& display, const std::string& command) {
    const std::string line = "DISPLAY=" + display + " " + command + " 2>/dev/null";
    std::string out;
    if (FILE* pipe = ::popen(line.c_str(), "r")) {
        std::array<char, 4096> buffer{};
        for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
            out.append(buffer.data(), n);
        }
        ::pclose(pipe);
    }
    return out;
}

struct TopWindow {
    std::string id; // as xdotool writes it, in decimal
    int width = 0;
    int height = 0;
};

// The program's visible windows, with or without a window manager around them.
std::vector<TopWindow> TopWindows(const std::string& display) {
    std::vector<TopWindow> windows;
    std::istringstream ids(XRun(display, "xdotool search --onlyvisible --class kelo1000"));
    for (std::string id; std::getline(ids, id);) {
        TopWindow w;
        w.id = id;
        std::istringstream shell(XRun(display, "xdotool getwindowgeometry --shell " + id));
        for (std::string line; std::getline(shell, line);) {
            std::sscanf(line.c_str(), "WIDTH=%d", &w.width);
            std::sscanf(line.c_str(), "HEIGHT=%d", &w.height);
        }
        windows.push_back(w);
    }
    return windows;
}

// The visible window of this size, or "".
std::string WindowOfSize(const std::string& display, int width, int height) {
    for (const TopWindow& w : TopWindows(display)) {
        if (w.width == width && w.height == height) {
            return w.id;
        }
    }
    return {};
}

// The window that has the keyboard focus.
std::string FocusWindow(const std::string& display) {
    std::string id = XRun(display, "xdotool getwindowfocus -f");
    while (!id.empty() && (id.back() == '\n' || id.back() == ' ')) {
        id.pop_back();
    }
    return id;
}

// The top-level window under the pointer, as xdotool writes it: a program's window, or a window
// manager's frame.
std::string WindowUnderPointer(const std::string& display) {
    std::istringstream shell(XRun(display, "xdotool getmouselocation --shell"));
    for (std::string line; std::getline(shell, line);) {
        if (line.rfind("WINDOW=", 0) == 0) {
            return line.substr(7);
        }
    }
    return {};
}

// The window that holds the given one on the screen: the window manager's frame, or the window itself
// on a bare X server. Both in decimal, as xdotool writes them.
std::string FrameOf(const std::string& display, const std::string& id) {
    std::istringstream tree(XRun(display, "xwininfo -tree -id " + id));
    for (std::string line; std::getline(tree, line);) {
        unsigned long parent = 0;
        if (std::sscanf(line.c_str(), " Parent window id: %lx", &parent) == 1) {
            return line.find("(the root window)") != std::string::npos ? id : std::to_string(parent);
        }
    }
    return id;
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return condition();
}

// The main window's face, and the Full button's centre in it.
constexpr int kMainWidth = 928;
constexpr int kMainHeight = 698;
constexpr int kFullX = 872 + 17;
constexpr int kFullY = 379 + 17;
// The virtual screen, which full screen covers whole.
constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;

// The desktop the program runs on: a bare X server (a guard station's kiosk) or one with a window
// manager, which is asked to activate windows rather than having them take the focus themselves.
struct Desktop {
    const char* name;
    const char* windowManager; // null: none
};

class FullScreenKeysTest : public ::testing::TestWithParam<Desktop> {};

TEST_P(FullScreenKeysTest, EscapeAndEnterLeaveFullScreen) {
    const Desktop desktop = GetParam();
    const std::string program = BinDir() + "/kelo1000";
    KELO_REQUIRE(XvfbProcess::Available() && SimProcess::Available() && ::access(program.c_str(), X_OK) == 0,
                 "Xvfb, the simulator or the program is missing");
    KELO_REQUIRE(std::system("command -v xdotool >/dev/null") == 0, "xdotool is missing");
    if (desktop.windowManager != nullptr) {
        KELO_REQUIRE(::access(desktop.windowManager, X_OK) == 0, "the window manager is not installed");
    }
    AppTestEnv env;
    XvfbProcess x;
    ASSERT_TRUE(x.Start());
    const std::string& display = x.Display();
    pid_t windowManager = -1;
    if (desktop.windowManager != nullptr) {
        windowManager =
            SpawnWithEnv(desktop.windowManager, {{"DISPLAY", display}}, (env.Root() / "window-manager.log").string());
        ASSERT_GT(windowManager, 0);
    }
    SimProcess sim;
    ASSERT_TRUE(sim.Start({"--resolution", "cif", "--loop-seconds", "1"}));
    const std::string output = (env.Root() / "kelo1000.log").string();
    const pid_t pid = SpawnWithEnv(program, ClientEnvOn(display, sim.Port()), output);
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(sim.WaitLog("sim: send LIVE_DATA", 120000)) << Slurp(output);
    std::string main;
    ASSERT_TRUE(WaitFor([&] { return !(main = WindowOfSize(display, kMainWidth, kMainHeight)).empty(); }, 60000));
    ASSERT_TRUE(WindowOfSize(display, kScreenWidth, kScreenHeight).empty());

    for (const char* key : {"Escape", "Return"}) {
        SCOPED_TRACE(key);
        // A hand reaches Full after the window manager has taken the full-screen frame away; under
        // load the empty frame can outlive its window for a moment and would take the click.
        XRun(display,
             "xdotool mousemove --window " + main + " " + std::to_string(kFullX) + " " + std::to_string(kFullY));
        const std::string frame = FrameOf(display, main);
        ASSERT_TRUE(WaitFor(
            [&] {
                const std::string under = WindowUnderPointer(display);
                return under == main || under == frame;
            },
            30000))
            << "the pointer is over " << WindowUnderPointer(display) << ", not the main window " << main;
        XRun(display, "xdotool click 1");
        std::string full;
        ASSERT_TRUE(
            WaitFor([&] { return !(full = WindowOfSize(display, kScreenWidth, kScreenHeight)).empty(); }, 30000))
            << "Full did not cover the screen";
        // The full-screen window has the keyboard, not the main window behind it.
        EXPECT_TRUE(WaitFor([&] { return FocusWindow(display) == full; }, 10000))
            << "the focus is on " << FocusWindow(display) << ", the full-screen window is " << full;
        // The key goes where X sends it: to the window with the focus.
        XRun(display, std::string("xdotool key ") + key);
        EXPECT_TRUE(WaitFor([&] { return WindowOfSize(display, kScreenWidth, kScreenHeight).empty(); }, 30000))
            << key << " did not leave full screen";
        if (!WindowOfSize(display, kScreenWidth, kScreenHeight).empty()) {
            break;
        }
    }

    ::kill(pid, SIGTERM);
    EXPECT_EQ(kelotest::WaitForExit(pid, 60000), 0) << Slurp(output);
    if (windowManager > 0) {
        ::kill(windowManager, SIGTERM);
        kelotest::WaitForExit(windowManager, 10000);
    }
}

INSTANTIATE_TEST_SUITE_P(Desktops, FullScreenKeysTest,
                         ::testing::Values(Desktop{"NoWindowManager", nullptr}, Desktop{"Openbox", "/usr/bin/openbox"}),
                         [](const ::testing::TestParamInfo<Desktop>& info) { return std::string(info.param.name); });

} // namespace
