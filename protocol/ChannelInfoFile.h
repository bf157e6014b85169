#pragma once
// chinfo.bin: the channel information that the web export leaves beside its snapshots, four text
// lines "%d\r\n": the available-channel mask, then the web picture width, height and interval.

#include "platform/base/WinTypes.h"

#include <filesystem>

struct WebExportSettings {
    bool active = false;            // WebActivate = 1
    std::filesystem::path location; // WebLocation
    int width = 0;                  // WebWidthWeb
    int height = 0;                 // WebHeightWeb
    int interval = 0;               // WebInterval
};

// Writes <location>/chinfo.bin (the folder is created when missing). Nothing happens, and false is
// returned, when the location is empty or the file cannot be written.
bool WriteChannelInfoFile(const WebExportSettings& web, DWORD mask);
