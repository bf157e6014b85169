#pragma once
// Message boxes. On the UI thread the box is modal over its owner (or the main window) and the call
// returns the button chosen (IDOK, IDCANCEL, IDYES, IDNO); posted messages and timers keep being
// delivered while it is open. From any other thread the box is queued to the UI thread and the call
// returns IDOK at once: a worker never waits for the user.

#include "platform/base/WinTypes.h"
#include "platform/window/WinUser.h"

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
int AfxMessageBox(LPCSTR text, UINT type = MB_OK, UINT helpId = 0);
