#pragma once
// The application object. The program defines one global instance of its own class; AfxWinMain
// (called from main) makes the Qt application, runs InitInstance and, only when it returns TRUE,
// the UI thread's event loop. A program whose InitInstance runs its main dialog modally and returns
// FALSE therefore ends when that dialog closes.

#include "platform/base/WinTypes.h"
#include "platform/window/WinUser.h"

class CWnd;

class CWinApp {
public:
    explicit CWinApp(LPCSTR appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return 0; }
    // Runs the UI thread's event loop until the application quits; returns its exit code.
    virtual int Run();

    // The main window: owner of ownerless message boxes.
    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance;
    LPCSTR m_pszAppName;
};

// The one application object (null before it is constructed).
CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// An opaque token standing for the program's module.
HINSTANCE AfxGetInstanceHandle();
// Makes the Qt application on this thread (the UI thread), runs the application object and returns
// the process's exit code. With no display to open windows on it says so in one line and returns 1.
int AfxWinMain(int argc, char** argv);
// True for an option Qt reads itself (-platform, -display, -style, ...); *takesValue: the next
// argument is its value.
bool AfxIsToolkitOption(const char* arg, bool* takesValue);
// Nothing to do on this platform; kept so start-up code reads as designed.
void AfxEnableControlContainer();
