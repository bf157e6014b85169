#pragma once
// The application object: checks the system, runs the main window modally and ends with it.
//
// Test hooks (environment): KELO_TEST_SCREENSHOT=<file.png> saves the main window as a picture once
// logged in and KELO_TEST_SCREENSHOT_DELAY_MS (default 1500) have passed; with
// KELO_TEST_QUIT_AFTER_SCREENSHOT=1 the program then quits as the Quit button does.

#include "app/MainWindowSeams.h"
#include "platform/window/WinApp.h"

class CClientDlg;

class CClientApp : public CWinApp {
public:
    CClientApp();
    BOOL InitInstance() override;

    // The parts the main window is made with (the program sets them before running).
    MainWindowParts m_parts;
    // The main window while it runs (null otherwise).
    CClientDlg* m_pDialog = nullptr;
};
