#pragma once
// The window classes the layer knows by name: their default behaviour, and the plain object made for
// a window of the class that no program object handles yet (a template control before DDX_Control).
// Names compare without regard to case; unknown names and null give a plain window.

#include "platform/window/WinUser.h"

#include <memory>

class CWnd;
class CWndClassProc;

class CWndClasses {
public:
    static std::unique_ptr<CWndClassProc> MakeProc(LPCSTR className);
    static std::unique_ptr<CWnd> MakePlainObject(LPCSTR className);
};
