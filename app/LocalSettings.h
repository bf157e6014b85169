#pragma once
// The client's own settings as the main window holds them, with their defaults, their place in the
// settings store (one key per value, named like the value) and the edit block round trip.

#include "app/LocalSetupEdit.h"
#include "app/StartupFile.h"
#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

// Opacity index: which window kind reads which of the nine values.
enum OpacityKind : int {
    kOpacityConnect = 0, // password prompt and connect dialog
    kOpacityRemoteSearch = 1,
    kOpacitySetupFrame = 2,
    kOpacityLocalSearch = 3,
    kOpacityLocalSetup = 4,
    kOpacityPtz = 5,
    kOpacityFirmware = 6,
    kOpacityUnused = 7,
    kOpacityNoticeBox = 8,
};

class CLocalSettings {
public:
    static constexpr const char* kLocalSetupKey = "Software\\Velmar\\KELO1000\\LocalSetup\\";
    static constexpr const char* kLocalSetupExKey = "Software\\Velmar\\KELO1000\\LocalSetupEx\\";
    static constexpr const char* kServerKey = "Software\\Velmar\\KELO1000\\IPSetup\\ServerIP";
    static constexpr BYTE kDefaultOpacity = 255;
    static constexpr BYTE kDefaultAudioBuf[3] = {2, 64, 2};
    // The lowest opacity a window is shown with, whatever the stored value (the least the local
    // setup can set), so that no window becomes invisible and untouchable.
    static constexpr BYTE kMinAppliedOpacity = 100;

    // LocalSetup values.
    DWORD DrawMode = 0;
    DWORD DateFormat = 0;
    DWORD SaveFormat = 0;
    CString Location;
    BYTE Opacity[9] = {255, 255, 255, 255, 255, 255, 255, 255, 255};
    BYTE AudioBuf[3] = {2, 64, 2};
    // LocalSetupEx values.
    DWORD WebActivate = 0;
    DWORD WebWidthJpg = 200;
    DWORD WebHeightJpg = 160;
    DWORD WebWidthWeb = 320;
    DWORD WebHeightWeb = 240;
    DWORD WebInterval = 5;
    CString WebLocation;

    // Reads the LocalSetup values; a value that is missing or unreadable takes its default, the
    // first two from the start-up file's format lines, the location from its folder name.
    void LoadLocalSetup(const StartupStrings& startup);
    void SaveLocalSetup() const;
    void LoadWebSetup();
    void SaveWebSetup() const;

    // The opacity a window of this kind is shown with (never below kMinAppliedOpacity).
    BYTE AppliedOpacity(int kind) const;
    // An audio buffer value as its users take it: at least 1.
    int AudioBufferBlocks(int index) const;

    // The edit block from the settings; the location is left empty when running from removable media.
    void FillEdit(LocalSetupEdit& edit, WebSetupEdit& web, bool removable) const;
    // Takes the block's values (the location only when not running from removable media).
    void TakeEdit(const LocalSetupEdit& edit, bool removable);
    void TakeWebEdit(const WebSetupEdit& web);

    // The value key of one setting ("...\LocalSetup\DrawMode"), and of an Opacity or AudioBuf entry
    // ("...\LocalSetup\Opacity\01").
    static CString ValueKey(const char* base, const char* name);
    static CString IndexedKey(const char* base, const char* name, int index);
    static CString IndexName(int index);
};

// The recorder's port when none is stored or the connect dialog's Default is chosen.
constexpr DWORD kDefaultRecorderPort = 2000;

// The last server the connect dialog used: "IP" (at most 99 characters) and "Port".
struct ServerSetting {
    static constexpr int kMaxAddress = 99;
    CString address;
    bool hasAddress = false;
    DWORD port = kDefaultRecorderPort;
    bool defaultPort = true; // no "Port" value stored

    static ServerSetting Load();
    static void Save(const char* address, DWORD port);
};
