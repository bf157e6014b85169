// Full screen on a guard station's desktop: the real program under a virtual X server, with no window
// manager and with one, driven with the X test extension as a mouse and a keyboard drive it. Full
// makes the full-screen window the one that receives the keyboard, and the arrange bar popping up over
// it never takes the keyboard away, so Escape and Enter bring the main window back.
#include "tests/e2e/ClientOnDesktopTest.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The Full button's centre in the main window.
constexpr int kFullX = 872 + 17;
constexpr int kFullY = 379 + 17;
// The virtual screen, which full screen covers whole.
constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;
// The arrange bar, which lies at the foot of the screen in the middle, over the strip that calls it.
constexpr int kBarWidth = 350;
constexpr int kBarHeight = 44;

class FullScreenKeysTest : public ClientOnDesktopTest {
protected:
    // Clicks Full; the window that then covers the screen, or "" when none did.
    std::string EnterFullScreen() {
        EXPECT_TRUE(ClickIn(m_main, kFullX, kFullY));
        std::string full;
        WaitFor([&] { return !(full = WindowOfSize(Display(), kScreenWidth, kScreenHeight)).empty(); }, 30000);
        return full;
    }
    bool FullScreenShows() const { return !WindowOfSize(Display(), kScreenWidth, kScreenHeight).empty(); }
    bool BarShows() const { return !WindowOfSize(Display(), kBarWidth, kBarHeight).empty(); }
    // The bar has been on the screen and is hidden now.
    bool BarHidden() const {
        for (const TopWindow& w : TopWindows(Display(), false)) {
            if (w.width == kBarWidth && w.height == kBarHeight) {
                return !BarShows();
            }
        }
        return false;
    }
};

TEST_P(FullScreenKeysTest, EscapeAndEnterLeaveFullScreen) {
    ASSERT_FALSE(FullScreenShows());
    for (const char* key : {"Escape", "Return"}) {
        SCOPED_TRACE(key);
        const std::string full = EnterFullScreen();
        ASSERT_FALSE(full.empty()) << "Full did not cover the screen";
        // The full-screen window has the keyboard, not the main window behind it.
        EXPECT_TRUE(WaitFor([&] { return FocusWindow(Display()) == full; }, 10000))
            << "the focus is on " << FocusWindow(Display()) << ", the full-screen window is " << full;
        // The key goes where X sends it: to the window with the focus.
        XRun(Display(), std::string("xdotool key ") + key);
        EXPECT_TRUE(WaitFor([&] { return !FullScreenShows(); }, 30000)) << key << " did not leave full screen";
        if (FullScreenShows()) {
            break;
        }
    }
}

TEST_P(FullScreenKeysTest, EscapeLeavesFullScreenWhileTheArrangeBarShows) {
    ASSERT_FALSE(EnterFullScreen().empty()) << "Full did not cover the screen";
    // The bar shows by itself at first and hides a few seconds later; the pointer moving at the foot
    // of the screen calls it back.
    ASSERT_TRUE(WaitFor([&] { return BarHidden(); }, 30000)) << "the arrange bar never showed and hid";
    const std::string foot = std::to_string(kScreenHeight - kBarHeight / 2);
    int step = 0;
    ASSERT_TRUE(WaitFor(
        [&] {
            XRun(Display(), "xdotool mousemove " + std::to_string(kScreenWidth / 2 + step++ % 2) + " " + foot);
            return BarShows();
        },
        30000))
        << "the pointer at the foot did not call the bar";

    XRun(Display(), "xdotool key Escape");
    EXPECT_TRUE(WaitFor([&] { return !FullScreenShows(); }, 30000))
        << "Escape did not leave full screen; the focus is on " << FocusWindow(Display());
}

INSTANTIATE_TEST_SUITE_P(Desktops, FullScreenKeysTest, kDesktops, DesktopName);

} // namespace
