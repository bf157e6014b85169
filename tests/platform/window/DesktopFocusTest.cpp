// Where the keyboard goes on a real X server, with no window manager and under one: after a click on
// a window that a modal dialog holds, after a dialog over a hidden dialog ends and the hidden one is
// shown again, and after the folder browser ends. Each case runs in a child of the test, on a
// virtual X server of its own; xdotool clicks and types there as a hand does.

#include "WindowTestApp.h"

#include "platform/window/Dialog.h"
#include "platform/window/FileDialog.h"
#include "platform/window/WndHost.h"
#include "tests/e2e/ProcessSupport.h"
#include "tests/support/Prerequisite.h"
#include "tests/support/XDesktop.h"

#include <QApplication>
#include <QFileDialog>
#include <QMetaObject>

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <thread>

namespace {

enum : UINT { IDD_HOLDER = 9601, IDD_HELD = 9602, IDD_OVER = 9603 };
enum : UINT { IDC_TEXT = 601, IDC_OPEN_OVER = 602 };

const DialogItem kItems[] = {
    {IDC_TEXT, "EDIT", 10, 10, 150, 18, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, ""},
    {IDC_OPEN_OVER, "BUTTON", 10, 40, 80, 24, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, ">"},
    {IDCANCEL, "BUTTON", 100, 40, 80, 24, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, "Cancel"},
};
// The holder stands at the screen's corner; what it holds stands over its right part, so that its
// left part can still be clicked.
const DialogTemplate kHolder{
    .id = IDD_HOLDER, .x = 0, .y = 0, .cx = 600, .cy = 400, .style = WS_POPUP | WS_VISIBLE, .items = kItems};
const DialogTemplate kHeld{
    .id = IDD_HELD, .x = 300, .y = 100, .cx = 260, .cy = 120, .style = WS_POPUP, .items = kItems};
const DialogTemplate kOver{
    .id = IDD_OVER, .x = 320, .y = 250, .cx = 260, .cy = 120, .style = WS_POPUP, .items = kItems};
const DialogTemplateRegistration kHolderRegistered(kHolder);
const DialogTemplateRegistration kHeldRegistered(kHeld);
const DialogTemplateRegistration kOverRegistered(kOver);

constexpr const char* kSceneVariable = "KELO_DESKTOP_FOCUS_SCENE";
constexpr int kWaitMs = 15000;

// The child's own X server.
std::string Here() {
    const char* display = std::getenv("DISPLAY");
    return display != nullptr ? display : "";
}

// What a command prints there, without the line's end.
std::string Shell(const std::string& command) {
    return XWindow(Here(), command);
}

void ClickAt(const std::string& window, int x, int y) {
    Shell("xdotool mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y) + " click 1");
}

// A dialog that notes the last character typed into it and its window's X id, for the hand (the
// test's script thread) to read.
class CKeyDialog : public CDialog {
public:
    CKeyDialog(UINT id, CWnd* parent, std::function<void()> onOpenOver = {})
        : CDialog(id, parent), m_onOpenOver(std::move(onOpenOver)) {}

    std::atomic<char> typed{0};
    std::atomic<unsigned long> xid{0};

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        xid = GetHost()->winId();
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_CHAR) {
            typed = char(msg->wParam);
        }
        return CDialog::PreTranslateMessage(msg);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (LOWORD(wParam) == IDC_OPEN_OVER && HIWORD(wParam) == BN_CLICKED && m_onOpenOver) {
            m_onOpenOver();
            return TRUE;
        }
        return CDialog::OnCommand(wParam, lParam);
    }
    std::string Id() const { return std::to_string(xid.load()); }

private:
    std::function<void()> m_onOpenOver;
};

// Counts the times the window system made a window the active one.
class CActivationCounter : public QObject {
public:
    std::atomic<int> count{0};
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowActivate) {
            ++count;
        }
        return QObject::eventFilter(watched, event);
    }
};

// The holder: a top-level dialog, shown and active, as the program's main window is.
void OpenHolder(CKeyDialog& holder) {
    ASSERT_TRUE(holder.Create(IDD_HOLDER, nullptr));
    ASSERT_TRUE(PumpUntil([&] { return holder.GetHost()->isActiveWindow(); }));
}

// Types a character and says whether the dialog received it.
bool TypeReaches(CKeyDialog& dialog) {
    dialog.typed = 0;
    Shell("xdotool key k");
    return WaitFor([&] { return dialog.typed == 'k'; }, kWaitMs);
}

struct Desktop {
    const char* name;
    const char* windowManager; // null: none
};

// The desktop's name in the test names.
void PrintTo(const Desktop& desktop, std::ostream* out) {
    *out << desktop.name;
}

bool InChild() {
    return std::getenv(kSceneVariable) != nullptr;
}

class DesktopFocusTest : public ::testing::TestWithParam<Desktop> {
protected:
    void SetUp() override {
        if (InChild()) {
            TestApp();
        }
    }

    // Runs this same test in a child on a virtual X server of its own (under the window manager, if
    // any) and passes when the child does.
    void RunInChild() {
        const Desktop desktop = GetParam();
        KELO_REQUIRE(XvfbProcess::Available() && std::system("command -v xdotool >/dev/null") == 0,
                     "Xvfb or xdotool is missing");
        if (desktop.windowManager != nullptr) {
            KELO_REQUIRE(::access(desktop.windowManager, X_OK) == 0, "the window manager is not installed");
        }
        XvfbProcess x;
        ASSERT_TRUE(x.Start());
        const std::string display = x.Display();
        const std::string logs = ::testing::TempDir() + "desktop-focus-" + std::to_string(::getpid());
        pid_t windowManager = -1;
        if (desktop.windowManager != nullptr) {
            windowManager = SpawnWithEnv(desktop.windowManager, {{"DISPLAY", display}}, logs + "-wm.log");
            ASSERT_GT(windowManager, 0);
            // The window manager has taken the screen once it names itself on the root window.
            EXPECT_TRUE(WaitFor(
                [&] {
                    return XRun(display, "xprop -root _NET_SUPPORTING_WM_CHECK").find("window id") != std::string::npos;
                },
                kWaitMs));
        }
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string log = logs + "-scene.log";
        const pid_t child = SpawnWithEnv("/proc/self/exe",
                                         {{kSceneVariable, "1"},
                                          {"GTEST_FILTER", std::string(info->test_suite_name()) + "." + info->name()},
                                          {"DISPLAY", display},
                                          {"QT_QPA_PLATFORM", "xcb"},
                                          {"DBUS_SESSION_BUS_ADDRESS", "disabled:"},
                                          // The X keyboard library hands strndup unterminated names, which the strict
                                          // string checks of the test runs take for overflows.
                                          {"ASAN_OPTIONS", "detect_leaks=1:abort_on_error=0"}},
                                         log);
        EXPECT_GT(child, 0);
        EXPECT_EQ(kelotest::WaitForExit(child, 100000), 0) << Slurp(log);
        if (windowManager > 0) {
            ::kill(windowManager, SIGTERM);
            kelotest::WaitForExit(windowManager, 10000);
        }
    }
};

// A click on the window that a modal dialog holds leaves the keyboard with the dialog.
TEST_P(DesktopFocusTest, AClickOnTheHeldWindowLeavesTheKeyboardWithItsModalDialog) {
    if (!InChild()) {
        RunInChild();
        return;
    }
    CKeyDialog holder(IDD_HOLDER, nullptr);
    ASSERT_NO_FATAL_FAILURE(OpenHolder(holder));
    CActivationCounter activations;
    holder.GetHost()->installEventFilter(&activations);
    CKeyDialog held(IDD_HELD, &holder);
    const auto steps = [&] {
        ASSERT_TRUE(WaitFor([&] { return held.xid != 0 && FocusWindow(Here()) == held.Id(); }, kWaitMs));
        const int before = activations.count;
        ClickAt(holder.Id(), 40, 300);
        ASSERT_TRUE(WaitFor([&] { return activations.count > before; }, kWaitMs))
            << "the click did not reach the holder";
        EXPECT_TRUE(WaitFor([&] { return FocusWindow(Here()) == held.Id(); }, kWaitMs))
            << "the focus is on " << FocusWindow(Here()) << ", the modal dialog is " << held.Id();
        EXPECT_TRUE(TypeReaches(held));
    };
    std::thread hand([&] {
        steps();
        held.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(held.DoModal(), IDCANCEL);
    hand.join();
    EXPECT_TRUE(holder.IsWindowEnabled());
}

// A dialog that hides itself while a dialog over it runs (the history list over the connect dialog)
// has the keyboard again once it is shown after that dialog ends.
TEST_P(DesktopFocusTest, ADialogShownAgainAfterTheDialogOverItEndsHasTheKeyboard) {
    if (!InChild()) {
        RunInChild();
        return;
    }
    CKeyDialog holder(IDD_HOLDER, nullptr);
    ASSERT_NO_FATAL_FAILURE(OpenHolder(holder));
    CKeyDialog over(IDD_OVER, &holder);
    std::atomic<bool> shownAgain = false;
    CKeyDialog held(IDD_HELD, &holder, [&] {
        held.ShowWindow(SW_HIDE);
        over.DoModal();
        held.ShowWindow(SW_SHOW);
        shownAgain = true;
    });
    const auto steps = [&] {
        ASSERT_TRUE(WaitFor([&] { return held.xid != 0 && FocusWindow(Here()) == held.Id(); }, kWaitMs));
        ClickAt(held.Id(), 50, 52);
        ASSERT_TRUE(WaitFor([&] { return over.xid != 0 && FocusWindow(Here()) == over.Id(); }, kWaitMs));
        Shell("xdotool key Escape");
        ASSERT_TRUE(WaitFor([&] { return shownAgain.load(); }, kWaitMs));
        EXPECT_TRUE(WaitFor([&] { return FocusWindow(Here()) == held.Id(); }, kWaitMs))
            << "the focus is on " << FocusWindow(Here()) << ", the dialog is " << held.Id();
        EXPECT_TRUE(TypeReaches(held));
    };
    std::thread hand([&] {
        steps();
        over.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        ASSERT_TRUE(WaitFor([&] { return shownAgain.load(); }, kWaitMs));
        held.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(held.DoModal(), IDCANCEL);
    hand.join();
}

// The window that opened the folder browser has the keyboard again once the browser ends.
TEST_P(DesktopFocusTest, TheFolderBrowserGivesTheKeyboardBackToItsOwner) {
    if (!InChild()) {
        RunInChild();
        return;
    }
    CKeyDialog holder(IDD_HOLDER, nullptr);
    ASSERT_NO_FATAL_FAILURE(OpenHolder(holder));
    std::atomic<bool> ended = false;
    std::atomic<bool> done = false;
    std::thread hand([&] {
        EXPECT_TRUE(
            WaitFor([&] { return Shell("xdotool getwindowfocus -f getwindowname") == "Choose a folder"; }, kWaitMs));
        Shell("xdotool key Escape");
        // A browser that never had the keyboard is closed all the same.
        if (!WaitFor([&] { return ended.load(); }, kWaitMs)) {
            QMetaObject::invokeMethod(qApp, [] {
                if (QWidget* browser = QApplication::activeModalWidget()) {
                    browser->close();
                }
            });
        }
        EXPECT_TRUE(WaitFor([&] { return ended.load(); }, kWaitMs));
        EXPECT_TRUE(WaitFor([&] { return FocusWindow(Here()) == holder.Id(); }, kWaitMs))
            << "the focus is on " << FocusWindow(Here()) << ", the owner is " << holder.Id();
        EXPECT_TRUE(TypeReaches(holder));
        done = true;
    });
    BROWSEINFO info{};
    info.hwndOwner = holder.GetSafeHwnd();
    info.lpszTitle = "Choose a folder";
    EXPECT_EQ(SHBrowseForFolder(&info), nullptr);
    ended = true;
    EXPECT_TRUE(PumpUntil([&] { return done.load(); }, 2 * kWaitMs + 5000));
    hand.join();
}

INSTANTIATE_TEST_SUITE_P(Desktops, DesktopFocusTest,
                         ::testing::Values(Desktop{"NoWindowManager", nullptr}, Desktop{"Openbox", "/usr/bin/openbox"}),
                         [](const ::testing::TestParamInfo<Desktop>& info) { return std::string(info.param.name); });

} // namespace
