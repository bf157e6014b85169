// The full-screen arrange bar: its buttons tell the owner synchronously, it stands at the bottom
// centre of the monitor, shows itself and hides itself on its timers, and a click that ends full
// screen may destroy it from inside its own click.
#include "app/ArrangeDlg.h"
#include "platform/window/WndHost.h"
#include "protocol/ClientMessages.h"
#include "tests/app/ShellDialogTestSupport.h"

#include <QApplication>

#include <functional>
#include <vector>

namespace {

using namespace shelltest;

// Stands in for the video window: records the bar's messages and may act on them at once.
class OwnerStandIn : public CWnd {
public:
    bool Make() { return Create(nullptr, "video", WS_POPUP | WS_VISIBLE, CRect(0, 0, 640, 480), nullptr, 0) != FALSE; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_KELO_ARRANGE) {
            ids.push_back(wParam);
            if (onArrange) {
                onArrange(wParam);
            }
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<WPARAM> ids;
    std::function<void(WPARAM)> onArrange;
};

class ArrangeBar : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(owner.Make());
        bar = CArrangeDlg::Make(owner);
        ASSERT_NE(bar, nullptr);
        // Read before any event is handled: a slow machine may let the real timer fire in Flush.
        firstShowMs = Dlg().GetTimerInterval(CArrangeDlg::kFirstShowTimer);
        Flush();
    }
    void TearDown() override {
        bar.reset();
        owner.DestroyWindow();
        Flush();
    }
    CArrangeDlg& Dlg() { return *dynamic_cast<CArrangeDlg*>(CWnd::FromHandle(BarHandle())); }
    HWND BarHandle() {
        // The bar is the owner's only child until it pops up; afterwards found by its template id.
        for (QWidget* widget : QApplication::allWidgets()) {
            auto* host = dynamic_cast<CWndHost*>(widget);
            if (host != nullptr && host->Handle() != nullptr && dynamic_cast<CArrangeDlg*>(host->Object()) != nullptr) {
                return host->Handle();
            }
        }
        return nullptr;
    }

    OwnerStandIn owner;
    std::unique_ptr<IArrangeBar> bar;
    UINT firstShowMs = 0; // the first-show timer as the bar was made
};

TEST_F(ArrangeBar, EachButtonTellsTheOwnerItsIdAndTheBarStays) {
    CArrangeDlg& dlg = Dlg();
    for (int k = 0; k < CArrangeDlg::kButtons; ++k) {
        Click(dlg.m_btn[std::size_t(k)]);
    }
    std::vector<WPARAM> expected;
    for (WPARAM id = 400; id <= 409; ++id) {
        expected.push_back(id);
    }
    EXPECT_EQ(owner.ids, expected);
    EXPECT_EQ(BarHandle(), dlg.GetSafeHwnd()); // neither hidden nor closed by a click
}

TEST_F(ArrangeBar, PopsUpAtTheBottomCentreOfTheMonitorAndHidesOnItsTimers) {
    CArrangeDlg& dlg = Dlg();
    EXPECT_EQ(firstShowMs, 100u);
    bar->PopUp(RECT{1000, 0, 2920, 1080}, 150);
    RECT r{};
    dlg.GetWindowRect(&r);
    EXPECT_EQ(r.left, 1000 + (1920 - 350) / 2);
    EXPECT_EQ(r.top, 1080 - 44);
    EXPECT_EQ(r.right - r.left, 350);
    EXPECT_EQ(dlg.GetParent(), nullptr);
    EXPECT_EQ(dlg.GetStyle() & WS_CHILD, 0u);

    dlg.SendMessage(WM_TIMER, CArrangeDlg::kFirstShowTimer, 0);
    EXPECT_TRUE(dlg.IsWindowVisible());
    EXPECT_EQ(dlg.GetTimerInterval(CArrangeDlg::kFirstShowTimer), 0u);
    EXPECT_EQ(dlg.GetTimerInterval(CArrangeDlg::kHideTimer), 4000u);
    dlg.SendMessage(WM_TIMER, CArrangeDlg::kHideTimer, 0);
    EXPECT_FALSE(dlg.IsWindowVisible());
    EXPECT_EQ(dlg.GetTimerInterval(CArrangeDlg::kHideTimer), 0u);

    // Each show starts the four seconds anew.
    bar->Show(true);
    EXPECT_TRUE(dlg.IsWindowVisible());
    EXPECT_EQ(dlg.GetTimerInterval(CArrangeDlg::kHideTimer), 4000u);
    bar->Show(false);
    EXPECT_FALSE(dlg.IsWindowVisible());
}

TEST_F(ArrangeBar, TheOwnerMayDestroyTheBarFromInsideItsClick) {
    owner.onArrange = [&](WPARAM id) {
        if (id == CArrangeDlg::kIdLeave) {
            bar.reset(); // leaving full screen destroys the bar at once
        }
    };
    Click(Dlg().m_btn[9]);
    Flush();
    EXPECT_EQ(bar, nullptr);
    EXPECT_EQ(BarHandle(), nullptr);
    ASSERT_EQ(owner.ids.size(), 1u);
}

} // namespace
