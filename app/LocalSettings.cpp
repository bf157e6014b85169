#include "app/LocalSettings.h"

#include "platform/base/Registry.h"
#include "platform/base/WindowsPath.h"

#include <algorithm>
#include <cstring>

namespace {

// Copies text into a fixed block, zero-filled, cut to size - 1 bytes.
void CopyBlock(char* out, std::size_t size, const char* text) {
    std::memset(out, 0, size);
    if (text) {
        std::strncpy(out, text, size - 1);
    }
}

CString BlockText(const char* block, std::size_t size) {
    return CString(block, int(strnlen(block, size)));
}

} // namespace

CString CLocalSettings::ValueKey(const char* base, const char* name) {
    CString key = base;
    key += name;
    return key;
}

CString CLocalSettings::IndexName(int index) {
    CString name;
    name.Format("%02d", index + 1);
    return name;
}

CString CLocalSettings::IndexedKey(const char* base, const char* name, int index) {
    CString key = ValueKey(base, name);
    key += "\\";
    key += IndexName(index);
    return key;
}

void CLocalSettings::LoadLocalSetup(const StartupStrings& startup) {
    const char* base = kLocalSetupKey;
    DrawMode =
        RegReadDWORD(ValueKey(base, "DrawMode"), "DrawMode", CStartupFile::DrawModeFromText(startup.drawFormatText));
    DateFormat = RegReadDWORD(ValueKey(base, "DateFormat"), "DateFormat",
                              CStartupFile::DateFormatFromText(startup.dateFormatText));
    SaveFormat = RegReadDWORD(ValueKey(base, "SaveFormat"), "SaveFormat", 0);
    const std::string defaultLocation = DefaultSaveLocation(startup.folderName);
    Location = RegReadString(ValueKey(base, "Location"), "Location", MAX_PATH, defaultLocation.c_str());
    for (int i = 0; i < 9; ++i) {
        Opacity[i] = RegReadByte(IndexedKey(base, "Opacity", i), IndexName(i), kDefaultOpacity);
    }
    for (int i = 0; i < 3; ++i) {
        AudioBuf[i] = RegReadByte(IndexedKey(base, "AudioBuf", i), IndexName(i), kDefaultAudioBuf[i]);
    }
}

void CLocalSettings::SaveLocalSetup() const {
    const char* base = kLocalSetupKey;
    RegWriteDWORD(ValueKey(base, "DrawMode"), "DrawMode", DrawMode);
    RegWriteDWORD(ValueKey(base, "DateFormat"), "DateFormat", DateFormat);
    RegWriteDWORD(ValueKey(base, "SaveFormat"), "SaveFormat", SaveFormat);
    RegWriteString(ValueKey(base, "Location"), "Location", Location);
    for (int i = 0; i < 9; ++i) {
        RegWriteByte(IndexedKey(base, "Opacity", i), IndexName(i), Opacity[i]);
    }
    for (int i = 0; i < 3; ++i) {
        RegWriteByte(IndexedKey(base, "AudioBuf", i), IndexName(i), AudioBuf[i]);
    }
}

void CLocalSettings::LoadWebSetup() {
    const char* base = kLocalSetupExKey;
    WebActivate = RegReadDWORD(ValueKey(base, "WebActivate"), "WebActivate", 0);
    WebWidthJpg = RegReadDWORD(ValueKey(base, "WebWidthJpg"), "WebWidthJpg", 200);
    WebHeightJpg = RegReadDWORD(ValueKey(base, "WebHeightJpg"), "WebHeightJpg", 160);
    WebWidthWeb = RegReadDWORD(ValueKey(base, "WebWidthWeb"), "WebWidthWeb", 320);
    WebHeightWeb = RegReadDWORD(ValueKey(base, "WebHeightWeb"), "WebHeightWeb", 240);
    WebInterval = RegReadDWORD(ValueKey(base, "WebInterval"), "WebInterval", 5);
    WebLocation = RegReadString(ValueKey(base, "WebLocation"), "WebLocation", MAX_PATH, "");
}

void CLocalSettings::SaveWebSetup() const {
    const char* base = kLocalSetupExKey;
    RegWriteDWORD(ValueKey(base, "WebActivate"), "WebActivate", WebActivate);
    RegWriteDWORD(ValueKey(base, "WebWidthJpg"), "WebWidthJpg", WebWidthJpg);
    RegWriteDWORD(ValueKey(base, "WebHeightJpg"), "WebHeightJpg", WebHeightJpg);
    RegWriteDWORD(ValueKey(base, "WebWidthWeb"), "WebWidthWeb", WebWidthWeb);
    RegWriteDWORD(ValueKey(base, "WebHeightWeb"), "WebHeightWeb", WebHeightWeb);
    RegWriteDWORD(ValueKey(base, "WebInterval"), "WebInterval", WebInterval);
    RegWriteString(ValueKey(base, "WebLocation"), "WebLocation", WebLocation);
}

BYTE CLocalSettings::AppliedOpacity(int kind) const {
    if (kind < 0 || kind >= 9) {
        return kDefaultOpacity;
    }
    return std::max(Opacity[kind], kMinAppliedOpacity);
}

int CLocalSettings::AudioBufferBlocks(int index) const {
    if (index < 0 || index >= 3) {
        return 1;
    }
    return std::max<int>(AudioBuf[index], 1);
}

void CLocalSettings::FillEdit(LocalSetupEdit& edit, WebSetupEdit& web, bool removable) const {
    edit.DrawMode = BYTE(DrawMode);
    edit.DateFormat = BYTE(DateFormat);
    edit.SaveFormat = BYTE(SaveFormat);
    CopyBlock(edit.Location, sizeof edit.Location, removable ? "" : Location.GetString());
    std::memcpy(edit.Opacity, Opacity, sizeof Opacity);
    std::memcpy(edit.AudioBuf, AudioBuf, sizeof AudioBuf);
    web.WebActivate = WebActivate;
    web.WebWidthJpg = WebWidthJpg;
    web.WebHeightJpg = WebHeightJpg;
    web.WebWidthWeb = WebWidthWeb;
    web.WebHeightWeb = WebHeightWeb;
    web.WebInterval = WebInterval;
    CopyBlock(web.WebLocation, sizeof web.WebLocation, WebLocation);
}

void CLocalSettings::TakeEdit(const LocalSetupEdit& edit, bool removable) {
    DrawMode = edit.DrawMode;
    DateFormat = edit.DateFormat;
    SaveFormat = edit.SaveFormat;
    if (!removable) {
        Location = BlockText(edit.Location, sizeof edit.Location);
    }
    std::memcpy(Opacity, edit.Opacity, sizeof Opacity);
    std::memcpy(AudioBuf, edit.AudioBuf, sizeof AudioBuf);
}

void CLocalSettings::TakeWebEdit(const WebSetupEdit& web) {
    WebActivate = web.WebActivate;
    WebWidthJpg = web.WebWidthJpg;
    WebHeightJpg = web.WebHeightJpg;
    WebWidthWeb = web.WebWidthWeb;
    WebHeightWeb = web.WebHeightWeb;
    WebInterval = web.WebInterval;
    WebLocation = BlockText(web.WebLocation, sizeof web.WebLocation);
}

ServerSetting ServerSetting::Load() {
    ServerSetting s;
    CRegistry key;
    if (!key.Create(CLocalSettings::kServerKey)) {
        return s;
    }
    CString ip;
    if (key.QueryString("IP", &ip)) {
        s.address = ip.Left(kMaxAddress);
        s.hasAddress = true;
    }
    DWORD port = 0;
    if (key.QueryDWORD("Port", &port)) {
        s.port = port;
        s.defaultPort = false;
    }
    return s;
}

void ServerSetting::Save(const char* address, DWORD port) {
    // A fixed block of 100 bytes, always with its terminator.
    char block[kMaxAddress + 1];
    CopyBlock(block, sizeof block, address);
    CRegistry key;
    if (!key.Create(CLocalSettings::kServerKey)) {
        return;
    }
    key.SetStringBlock("IP", block, sizeof block);
    key.SetDWORD("Port", port);
}
