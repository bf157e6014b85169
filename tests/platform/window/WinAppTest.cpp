// The application object: InitInstance runs a window modally and returns FALSE, and the program
// ends without a second loop. This test owns its process's Qt application (AfxWinMain makes it).

#include "platform/window/WinApp.h"
#include "platform/window/Icon.h"
#include "platform/window/Wnd.h"
#include "platform/window/WndHost.h"

#include <gtest/gtest.h>

#include <QApplication>

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

QList<QSize> SizesOf(const QIcon& icon) {
    return icon.availableSizes();
}

QImage Square(int side, QRgb colour) {
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// The main window's icon stands for every top-level window that sets none; another window's icon is
// its own. A destroyed icon is gone, but the windows keep their pictures.
class CIconApp : public CWinApp {
public:
    BOOL InitInstance() override {
        CWnd main;
        CWnd dialog;
        CWnd other;
        const RECT place{0, 0, 100, 100};
        if (!main.CreateEx(0, nullptr, "main", WS_POPUP, place, nullptr, 0) ||
            !dialog.CreateEx(0, nullptr, "dialog", WS_POPUP, place, &main, 0) ||
            !other.CreateEx(0, nullptr, "other", WS_POPUP, place, nullptr, 0)) {
            ADD_FAILURE() << "windows not made";
            return FALSE;
        }
        m_pMainWnd = &main;
        const HICON icon = CreateIconFromImages({Square(16, 0xFF0000FFu), Square(32, 0xFF00FF00u)});
        const HICON own = CreateIconFromImages({Square(48, 0xFFFF0000u)});
        EXPECT_NE(icon, nullptr);
        EXPECT_EQ(CreateIconFromImages({}), nullptr);
        EXPECT_EQ(main.SetIcon(icon, TRUE), nullptr);
        EXPECT_EQ(main.SetIcon(icon, FALSE), icon);
        other.SetIcon(own, TRUE);
        const QList<QSize> both = {QSize(16, 16), QSize(32, 32)};
        EXPECT_EQ(SizesOf(main.GetHost()->windowIcon()), both);
        EXPECT_EQ(SizesOf(dialog.GetHost()->windowIcon()), both);
        EXPECT_EQ(SizesOf(QApplication::windowIcon()), both);
        EXPECT_EQ(SizesOf(other.GetHost()->windowIcon()), QList<QSize>{QSize(48, 48)});

        EXPECT_TRUE(DestroyIcon(icon));
        EXPECT_FALSE(DestroyIcon(icon));
        EXPECT_TRUE(IconImage(icon).isNull());
        EXPECT_EQ(SizesOf(dialog.GetHost()->windowIcon()), both);
        DestroyIcon(own);
        other.DestroyWindow();
        dialog.DestroyWindow();
        main.DestroyWindow();
        m_pMainWnd = nullptr;
        return FALSE;
    }
};

TEST(WinApp, TheMainWindowsIconIsEveryTopLevelWindowsWithoutOneOfItsOwn) {
    CIconApp app;
    char name[] = "app-test";
    char* argv[] = {name, nullptr};
    EXPECT_EQ(AfxWinMain(1, argv), 0);
}

} // namespace
