#pragma once
// The real program on a guard station's desktop: a virtual X server, with no window manager or with
// one, the simulator and the client connected to it and showing live video.

#include "tests/app/AppTestEnv.h"
#include "tests/e2e/ProcessSupport.h"
#include "tests/support/XDesktop.h"
#include "tests/support/Prerequisite.h"
#include "tests/support/SimProcess.h"

#include <gtest/gtest.h>

#include <string>

// The desktop the program runs on: a bare X server (a guard station's kiosk) or one with a window
// manager, which is asked to activate windows rather than having them take the focus themselves.
struct Desktop {
    const char* name;
    const char* windowManager; // null: none
};

inline std::string DesktopName(const ::testing::TestParamInfo<Desktop>& info) {
    return info.param.name;
}

// The program started on the desktop and showing live video from the simulator; it must end cleanly.
class ClientOnDesktopTest : public ::testing::TestWithParam<Desktop> {
protected:
    // The main window's face.
    static constexpr int kMainWidth = 928;
    static constexpr int kMainHeight = 698;

    void SetUp() override {
        const Desktop desktop = GetParam();
        const std::string program = BinDir() + "/kelo1000";
        KELO_REQUIRE(XvfbProcess::Available() && SimProcess::Available() && ::access(program.c_str(), X_OK) == 0,
                     "Xvfb, the simulator or the program is missing");
        KELO_REQUIRE(std::system("command -v xdotool >/dev/null && command -v xprop >/dev/null") == 0,
                     "xdotool or xprop is missing");
        if (desktop.windowManager != nullptr) {
            KELO_REQUIRE(::access(desktop.windowManager, X_OK) == 0, "the window manager is not installed");
        }
        ASSERT_TRUE(m_x.Start());
        if (desktop.windowManager != nullptr) {
            m_windowManager = SpawnWithEnv(desktop.windowManager, {{"DISPLAY", Display()}},
                                           (m_env.Root() / "window-manager.log").string());
            ASSERT_GT(m_windowManager, 0);
        }
        ASSERT_TRUE(m_sim.Start({"--resolution", "cif", "--loop-seconds", "1"}));
        m_output = (m_env.Root() / "kelo1000.log").string();
        m_pid = SpawnWithEnv(program, ClientEnvOn(Display(), m_sim.Port()), m_output);
        ASSERT_GT(m_pid, 0);
        ASSERT_TRUE(m_sim.WaitLog("sim: send LIVE_DATA", 120000)) << Slurp(m_output);
        ASSERT_TRUE(
            WaitFor([&] { return !(m_main = WindowOfSize(Display(), kMainWidth, kMainHeight)).empty(); }, 60000));
    }

    void TearDown() override {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            EXPECT_EQ(kelotest::WaitForExit(m_pid, 60000), 0) << Slurp(m_output);
        }
        if (m_windowManager > 0) {
            ::kill(m_windowManager, SIGTERM);
            kelotest::WaitForExit(m_windowManager, 10000);
        }
    }

    const std::string& Display() const { return m_x.Display(); }

    // A hand moves the mouse to a point of a window, and clicks once the pointer is seen over it (under
    // load a window manager's frame that is going can outlive its window for a moment and take the click).
    ::testing::AssertionResult ClickIn(const std::string& window, int x, int y) const {
        XRun(Display(), "xdotool mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y));
        const std::string frame = FrameOf(Display(), window);
        const bool over = WaitFor(
            [&] {
                const std::string under = WindowUnderPointer(Display());
                return under == window || under == frame;
            },
            30000);
        if (!over) {
            return ::testing::AssertionFailure()
                   << "the pointer is over " << WindowUnderPointer(Display()) << ", not " << window;
        }
        XRun(Display(), "xdotool click 1");
        return ::testing::AssertionSuccess();
    }

    std::string m_main;

private:
    AppTestEnv m_env;
    XvfbProcess m_x;
    SimProcess m_sim;
    std::string m_output;
    pid_t m_pid = -1;
    pid_t m_windowManager = -1;
};

inline const auto kDesktops =
    ::testing::Values(Desktop{"NoWindowManager", nullptr}, Desktop{"Openbox", "/usr/bin/openbox"});
