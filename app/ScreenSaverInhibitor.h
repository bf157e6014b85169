#pragma once
// Keeps the screen saver (and with it the display's power saving on common desktops) from starting
// while the program runs, through the desktop's screen-saver service on the session bus. The user's
// own setting is untouched: the inhibition ends when released, or with the process. Without a
// session bus or such a service nothing happens.

#include "platform/base/WinTypes.h"

class CScreenSaverInhibitor {
public:
    CScreenSaverInhibitor() = default;
    ~CScreenSaverInhibitor() { Release(); }
    CScreenSaverInhibitor(const CScreenSaverInhibitor&) = delete;
    CScreenSaverInhibitor& operator=(const CScreenSaverInhibitor&) = delete;

    // True when the service took the request.
    bool Inhibit(const char* application, const char* reason);
    void Release();

private:
    DWORD m_cookie = 0;
    bool m_active = false;
};
