#pragma once
// Display monitors: Qt's screens, in Qt's order (the primary one first where the platform says so).
// A monitor handle names a screen by its place in that order; the rectangles are in screen
// coordinates, the work area leaves out panels and docks, the device name is the screen's name.

#include "platform/base/WinTypes.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/window/WinUser.h"

using MONITORENUMPROC = BOOL (*)(HMONITOR monitor, HDC dc, LPRECT rect, LPARAM data);

// Calls the function for every monitor (every one meeting the clip rectangle, when given) until it
// returns FALSE. dc must be null.
BOOL EnumDisplayMonitors(HDC dc, LPCRECT clip, MONITORENUMPROC callback, LPARAM data);
// cbSize selects MONITORINFO (40) or MONITORINFOEX (72); any other size fails.
BOOL GetMonitorInfo(HMONITOR monitor, LPMONITORINFO info);
HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags);
HMONITOR MonitorFromPoint(POINT point, DWORD flags);
// SM_CXSCREEN, SM_CYSCREEN (the primary screen), SM_CMONITORS.
int GetSystemMetrics(int index);
