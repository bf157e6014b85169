// The PTZ pads on a desktop with a window manager: each pad belongs to the main window, so a click on
// the main window (to change the split, say) leaves the pad the operator drives the camera with above it.
#include "tests/e2e/ClientOnDesktopTest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A plain stretch of the main window's skin, away from its buttons and from every pad.
constexpr int kMainPlainX = 500;
constexpr int kMainPlainY = 40;

// How the operator opens a pad: a click on a button of the main window or of a pad opened before, and
// the pad that then shows, with a plain spot of it.
struct PadOpening {
    const char* pad;
    int opener; // index of the pad clicked in this table, -1 for the main window
    int buttonX;
    int buttonY;
    int width;
    int height;
    int plainX;
    int plainY;
};

const PadOpening kOpenings[] = {
    {"control pad (Pan of the main window)", -1, 238 + 18, 25 + 16, 147, 171, 10, 160},
    {"keypad (centre of the control pad)", 0, 52 + 22, 78 + 22, 320, 200, 10, 190},
    {"dome menu pad (Dome of the keypad)", 1, 215 + 50, 26 + 13, 54, 171, 27, 10},
};

// Where the window manager stacks a window among the program's, counted from the bottom; -1 when it
// does not.
int StackingPlace(const std::string& display, const std::string& window) {
    const std::vector<unsigned long> stacking = WindowsIn(XRun(display, "xprop -root _NET_CLIENT_LIST_STACKING"));
    for (std::size_t k = 0; k < stacking.size(); ++k) {
        if (stacking[k] == std::stoul(window)) {
            return int(k);
        }
    }
    return -1;
}

class PtzPadOwnerTest : public ClientOnDesktopTest {};

TEST_P(PtzPadOwnerTest, PadStaysAboveTheMainWindowWhenTheMainWindowIsClicked) {
    std::vector<std::string> pads;
    for (const PadOpening& opening : kOpenings) {
        SCOPED_TRACE(opening.pad);
        const std::string& opener = opening.opener < 0 ? m_main : pads.at(std::size_t(opening.opener));
        ASSERT_TRUE(ClickIn(opener, opening.buttonX, opening.buttonY));
        std::string pad;
        ASSERT_TRUE(
            WaitFor([&] { return !(pad = WindowOfSize(Display(), opening.width, opening.height)).empty(); }, 30000))
            << "the pad did not open";
        pads.push_back(pad);
        EXPECT_EQ(WindowsIn(XRun(Display(), "xprop -id " + pad + " WM_TRANSIENT_FOR")),
                  std::vector<unsigned long>{std::stoul(m_main)})
            << "the pad does not belong to the main window";

        // The pad in front, then the main window clicked: the window manager has handled the click
        // once the main window is the active one.
        ASSERT_TRUE(ClickIn(pad, opening.plainX, opening.plainY));
        ASSERT_TRUE(WaitFor([&] { return ActiveWindow(Display()) == pad; }, 30000)) << "the pad never became active";
        ASSERT_TRUE(ClickIn(m_main, kMainPlainX, kMainPlainY));
        ASSERT_TRUE(WaitFor([&] { return ActiveWindow(Display()) == m_main; }, 30000))
            << "the main window never became active";
        EXPECT_GT(StackingPlace(Display(), pad), StackingPlace(Display(), m_main)) << "the main window covers the pad";
    }
}

// Only a window manager stacks the windows and raises the one clicked.
INSTANTIATE_TEST_SUITE_P(Desktops, PtzPadOwnerTest, ::testing::Values(Desktop{"Openbox", "/usr/bin/openbox"}),
                         DesktopName);

} // namespace
