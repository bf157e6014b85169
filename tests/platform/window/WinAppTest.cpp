// The application object: InitInstance runs a window modally and returns FALSE, and the program
// ends without a second loop. This test owns its process's Qt application (AfxWinMain makes it).

#include "platform/window/WinApp.h"
#include "platform/window/Wnd.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT WM_QUIT_LOOP = WM_APP + 7;

class CLoopWnd : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_QUIT_LOOP) {
            EndModalLoop(int(wParam));
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class CTestApp : public CWinApp {
public:
    int modalResult = 0;
    bool ranRun = false;
    BOOL InitInstance() override {
        CLoopWnd main;
        if (!main.CreateEx(0, nullptr, "main", WS_POPUP, RECT{0, 0, 100, 100}, nullptr, 0)) {
            return FALSE;
        }
        m_pMainWnd = &main;
        EXPECT_EQ(AfxGetMainWnd(), &main);
        main.PostMessage(WM_QUIT_LOOP, IDOK);
        modalResult = main.RunModalLoop();
        main.DestroyWindow();
        m_pMainWnd = nullptr;
        return FALSE;
    }
    int Run() override {
        ranRun = true;
        return CWinApp::Run();
    }
};

TEST(WinApp, InitInstanceReturningFalseEndsTheProgramWithoutASecondLoop) {
    CTestApp app;
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_NE(AfxGetInstanceHandle(), nullptr);
    char name[] = "app-test";
    char* argv[] = {name, nullptr};
    EXPECT_EQ(AfxWinMain(1, argv), 0);
    EXPECT_EQ(app.modalResult, IDOK);
    EXPECT_FALSE(app.ranRun);
}

} // namespace
