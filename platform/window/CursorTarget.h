#pragma once
// For the window layer only: the window whose mouse message is being handled, which SetCursor
// dresses.

#include "platform/base/WinTypes.h"

void SetCursorTarget(HWND hwnd);
