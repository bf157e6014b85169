#pragma once
// Cursors. A cursor handle names one of Qt's standard shapes. SetCursor shows the cursor over the
// window now handling mouse input (the window under the pointer, or the one holding the capture)
// until a later SetCursor changes it; the program sets it on every mouse move, as it was written to.

#include "platform/base/WinTypes.h"
#include "platform/window/WinUser.h"

// instance must be null: only the standard cursors (IDC_ARROW, IDC_HAND, IDC_NO, ...) exist.
HCURSOR LoadCursor(HINSTANCE instance, LPCSTR cursorId);
// Returns the cursor shown before (null when none was set).
HCURSOR SetCursor(HCURSOR cursor);
