#pragma once
// The edit block the local setup dialogs work on: a copy of the settings that the main window takes
// over when the dialog ends with OK, and refills from its settings otherwise.

#include "platform/base/WinTypes.h"

struct LocalSetupEdit {
    BYTE DrawMode;
    BYTE DateFormat;
    BYTE SaveFormat;
    char Location[260];
    BYTE Opacity[9];
    BYTE AudioBuf[3];
};
static_assert(sizeof(LocalSetupEdit) == 3 + 260 + 9 + 3);

// The edit copies of the web-export values, beside the block.
struct WebSetupEdit {
    DWORD WebActivate;
    DWORD WebWidthJpg;
    DWORD WebHeightJpg;
    DWORD WebWidthWeb;
    DWORD WebHeightWeb;
    DWORD WebInterval;
    char WebLocation[260];
};
static_assert(sizeof(WebSetupEdit) == 6 * 4 + 260);
