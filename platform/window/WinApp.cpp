#include "platform/window/WinApp.h"

#include "platform/window/Cursor.h"
#include "platform/window/Wnd.h"

#include <QApplication>

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp(LPCSTR appName)
    : m_hInstance(reinterpret_cast<HINSTANCE>(std::uintptr_t(0x400000))), m_pszAppName(appName) {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) {
        g_app = nullptr;
    }
}

int CWinApp::Run() {
    return QApplication::instance() != nullptr ? QApplication::exec() : -1;
}

CWinApp* AfxGetApp() {
    return g_app;
}

CWnd* AfxGetMainWnd() {
    return g_app != nullptr ? g_app->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
    return g_app != nullptr ? g_app->m_hInstance : nullptr;
}

void AfxEnableControlContainer() {}

int AfxWinMain(int argc, char** argv) {
    QApplication app(argc, argv);
    // The program's windows end its run, not Qt: closing the last window must not stop the loops.
    QApplication::setQuitOnLastWindowClosed(false);
    CWinApp* theApp = AfxGetApp();
    if (theApp == nullptr) {
        return 1;
    }
    int code = 0;
    if (theApp->InitInstance()) {
        code = theApp->Run();
    }
    const int exitCode = theApp->ExitInstance();
    return code != 0 ? code : exitCode;
}
