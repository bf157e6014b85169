// Full screen on a monitor: the video window leaves the main window for the monitor, comes back to
// where it was by the keys and by the arrange bar, pages on from the bar as the split buttons do,
// and calls the bar when the mouse nears the bottom edge.

#include "media/FullScreenVideoDlg.h"
#include "media/VideoOwner.h"
#include "platform/window/Dialog.h"
#include "protocol/ClientMessages.h"
#include "tests/platform/window/WidgetTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

enum : UINT { IDD_FULL_HOST = 9141 };
const DialogTemplate kHostTemplate{.id = IDD_FULL_HOST, .x = 20, .y = 20, .cx = 928, .cy = 698, .style = WS_POPUP};
const DialogTemplateRegistration kHostRegistered(kHostTemplate);

constexpr RECT kMainArea{53, 72, 868, 620};

class Owner : public IVideoOwner {
public:
    void ShowSplitButton(int index) override { buttons.push_back(index); }
    std::vector<int> buttons;
};

struct BarLog {
    int popUps = 0;
    RECT monitor{};
    BYTE alpha = 0;
    int shows = 0;
    int destroyed = 0;
};

class FakeBar : public IArrangeBar {
public:
    explicit FakeBar(BarLog& log) : m_log(log) {}
    void PopUp(const RECT& monitor, BYTE alpha) override {
        ++m_log.popUps;
        m_log.monitor = monitor;
        m_log.alpha = alpha;
    }
    void Show(bool show) override { m_log.shows += show ? 1 : 0; }
    RECT GetClientRect() const override { return RECT{0, 0, 350, 44}; }
    void Destroy() override { ++m_log.destroyed; }

private:
    BarLog& m_log;
};

MONITORINFOEX Monitor(RECT r) {
    MONITORINFOEX m{};
    m.cbSize = sizeof(MONITORINFOEX);
    m.rcMonitor = r;
    m.rcWork = r;
    return m;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class FullScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        ASSERT_TRUE(m_main.Create(IDD_FULL_HOST, nullptr));
        video = std::make_unique<CFullScreenVideoDlg>(&owner);
        ASSERT_TRUE(video->Create(&m_main));
        video->Init(16);
        video->SetArrangeBarFactory([this](CWnd&) { return std::make_unique<FakeBar>(bar); });
        MONITORINFOEX table[4] = {Monitor(RECT{0, 0, 1024, 768})};
        video->SetMonitorTable(table);
        video->SetGeometry(kMainArea.left, kMainArea.top, kMainArea.right, kMainArea.bottom, 1, RGB(150, 150, 150));
        video->SetAvailableMask(0xFFFF, false);
        ShowAndWait(m_main);
    }
    void TearDown() override {
        video->DestroyWindow();
        video.reset();
        m_main.DestroyWindow();
        Flush();
    }
    RECT WindowInMain() {
        RECT r{};
        video->GetWindowRect(&r);
        m_main.ScreenToClient(&r);
        return r;
    }
    void KeyMessage(UINT message, WPARAM key) {
        MSG msg{};
        msg.hwnd = video->GetSafeHwnd();
        msg.message = message;
        msg.wParam = key;
        if (!CWnd::WalkPreTranslateTree(&msg)) {
            video->SendMessage(message, key, 0);
        }
        Flush();
    }

    CDialog m_main;
    Owner owner;
    BarLog bar;
    std::unique_ptr<CFullScreenVideoDlg> video;
};

TEST_F(FullScreenTest, WithOneMonitorIndexZeroCoversItAndExitReturnsToTheSavedPlace) {
    video->EnterFullScreen(0);
    Flush();
    ASSERT_TRUE(video->IsFullScreen());
    EXPECT_EQ(video->GetParent(), nullptr);
    RECT r{};
    video->GetWindowRect(&r);
    EXPECT_TRUE(SameRect(r, RECT{0, 0, 1024, 768}));
    // The layout is laid out again over the whole monitor: the last 16-tile slot ends 2 from the edge.
    EXPECT_EQ(video->GetSlotRect(15).right, 1024 - 2);
    EXPECT_EQ(bar.popUps, 1);
    EXPECT_TRUE(SameRect(bar.monitor, RECT{0, 0, 1024, 768}));
    EXPECT_EQ(bar.alpha, 150);
    // A second enter changes nothing.
    video->EnterFullScreen(0);
    EXPECT_EQ(bar.popUps, 1);

    video->ExitFullScreen();
    Flush();
    EXPECT_FALSE(video->IsFullScreen());
    EXPECT_EQ(video->GetParent(), &m_main);
    EXPECT_TRUE(SameRect(WindowInMain(), kMainArea));
    EXPECT_EQ(video->GetSlotRect(15).right, 815 - 2);
    EXPECT_EQ(bar.destroyed, 1);
}

TEST_F(FullScreenTest, EnterOrEscapePressedOrReleasedComesBackAndAltF4DoesNothing) {
    struct Case {
        UINT message;
        WPARAM key;
        bool leaves;
    };
    const Case cases[] = {
        {WM_KEYDOWN, VK_RETURN, true}, {WM_KEYDOWN, VK_ESCAPE, true}, {WM_KEYUP, VK_RETURN, true},
        {WM_KEYUP, VK_ESCAPE, true},   {WM_SYSKEYDOWN, VK_F4, false}, {WM_KEYDOWN, 'A', false},
    };
    for (const Case& c : cases) {
        video->EnterFullScreen(0);
        ASSERT_TRUE(video->IsFullScreen());
        KeyMessage(c.message, c.key);
        EXPECT_EQ(!video->IsFullScreen(), c.leaves) << c.message << " " << c.key;
        EXPECT_TRUE(video->IsWindow());
        video->ExitFullScreen();
    }
    // Closing the top-level window while full screen closes nothing.
    video->EnterFullScreen(0);
    video->SendMessage(WM_CLOSE);
    Flush();
    EXPECT_TRUE(video->IsWindow());
    EXPECT_TRUE(video->IsFullScreen());
}

TEST_F(FullScreenTest, TheArrangeBarChoosesLayoutsPagesOnAndLeaves) {
    video->SetSingleView(false);
    video->EnterFullScreen(0);
    video->SendMessage(WM_KELO_ARRANGE, 401); // 4 tiles
    EXPECT_EQ(video->GetLayout(), 1);
    EXPECT_EQ(video->GetArrangeLayout(), 1);
    EXPECT_EQ(video->GetPage(), 0);
    video->SendMessage(WM_KELO_ARRANGE, 401); // the same again pages on
    EXPECT_EQ(video->GetPage(), 1);
    video->SendMessage(WM_KELO_ARRANGE, 407); // 13 tiles
    EXPECT_EQ(video->GetLayout(), 13);
    ASSERT_EQ(owner.buttons.size(), 3u);
    EXPECT_EQ(owner.buttons[0], 1);
    EXPECT_EQ(owner.buttons[2], 7);
    EXPECT_TRUE(video->IsFullScreen());
    video->SendMessage(WM_KELO_ARRANGE, 409); // the way back
    EXPECT_FALSE(video->IsFullScreen());
    EXPECT_EQ(owner.buttons.back(), 7);
    EXPECT_EQ(bar.destroyed, 1);
}

TEST_F(FullScreenTest, SplitButtonsStandForTheirLayouts) {
    const int buttons[15] = {0, 1, 2, 3, 3, 4, 5, 6, 6, 6, 6, 7, 7, 7, 8};
    for (int layout = 0; layout < 15; ++layout) {
        EXPECT_EQ(CFullScreenVideoDlg::SplitButtonOf(layout), buttons[layout]) << layout;
    }
    const int layouts[] = {0, 1, 2, 3, 5, 6, 7, 13, 14};
    for (int id = 400; id <= 408; ++id) {
        EXPECT_EQ(CFullScreenVideoDlg::LayoutOfArrangeButton(id), layouts[id - 400]);
    }
    EXPECT_EQ(CFullScreenVideoDlg::LayoutOfArrangeButton(409), -1);
}

TEST_F(FullScreenTest, AnEmptyMonitorRecordFallsBackToTheFirstMonitor) {
    MONITORINFOEX table[4] = {Monitor(RECT{0, 0, 1024, 768}), Monitor(RECT{1024, 0, 2944, 1080})};
    video->SetMonitorTable(table);
    EXPECT_TRUE(SameRect(video->MonitorRect(1), RECT{1024, 0, 2944, 1080}));
    EXPECT_TRUE(SameRect(video->MonitorRect(2), RECT{0, 0, 1024, 768}));
    EXPECT_TRUE(SameRect(video->MonitorRect(7), RECT{0, 0, 1024, 768}));
    MONITORINFOEX copy[4] = {};
    video->GetMonitorTable(copy);
    EXPECT_TRUE(SameRect(copy[1].rcMonitor, RECT{1024, 0, 2944, 1080}));
    MONITORINFOEX none[4] = {};
    video->SetMonitorTable(none);
    const RECT screen = video->MonitorRect(0);
    EXPECT_GT(screen.right - screen.left, 0);
}

TEST_F(FullScreenTest, TheMouseNearTheBottomEdgeCallsTheBar) {
    video->EnterFullScreen(0);
    ShowAndWait(*video);
    MoveTo(*video, 512, 300); // the middle: nothing
    Flush();
    EXPECT_EQ(bar.shows, 0);
    MoveTo(*video, 512, 760); // within 350 x 44 centred along the bottom
    ASSERT_TRUE(PumpUntil([&] { return bar.shows > 0; }));
    const int shows = bar.shows;
    MoveTo(*video, 100, 760); // along the bottom, but left of the zone
    Flush();
    EXPECT_EQ(bar.shows, shows);
}

} // namespace
