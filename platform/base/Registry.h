#pragma once
// The program's settings store: what the registry holds on Windows, kept as an INI file at
// $XDG_CONFIG_HOME/Velmar/KELO1000.conf (~/.config when XDG_CONFIG_HOME is unset or not absolute).
//
// Key paths keep their nesting. The common root "Software\Velmar\KELO1000" is dropped (the file
// already stands for it), the rest becomes a group path, and a value sits under its key:
//   key "Software\Velmar\KELO1000\LocalSetup\DrawMode", value "DrawMode"  ->  LocalSetup/DrawMode/DrawMode
//   key "Software\Velmar\KELO1000\LocalSetup\Opacity\01", value "01"     ->  LocalSetup/Opacity/01/01
//   key "Software\Velmar\KELO1000\IPSetup\ServerIP", value "Port"        ->  IPSetup/ServerIP/Port
// Names are case-sensitive here.
//
// Value types as stored: a 32-bit number as decimal text, a string as text, binary data as a byte
// array. A query of the wrong type, or of data that does not fit the caller's buffer, fails as if the
// value were missing, so the caller takes its default. Every call opens the file afresh, so
// threads may read and write settings at the same time, and a change of XDG_CONFIG_HOME takes effect at
// once. No QCoreApplication is needed.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

#include <string>

class CRegistry {
public:
    CRegistry() = default;
    ~CRegistry() { Close(); }
    CRegistry(const CRegistry&) = delete;
    CRegistry& operator=(const CRegistry&) = delete;

    // Opens a key, creating it when missing (a key with no values leaves nothing in the file until a
    // value is set). False for an empty key path.
    bool Create(const char* keyPath);
    // Opens an existing key: one that holds a value or a subkey. False when it does not exist.
    bool Open(const char* keyPath);
    void Close();

    bool QueryDWORD(const char* name, DWORD* value) const;
    bool QueryString(const char* name, CString* value) const;
    // Binary data of 1 to bufferSize bytes; *size (when given) receives the count. Fails when the
    // stored data is empty or longer than the buffer.
    bool QueryBinary(const char* name, void* buffer, DWORD bufferSize, DWORD* size = nullptr) const;

    bool SetDWORD(const char* name, DWORD value);
    bool SetString(const char* name, const char* text);
    // A string stored from a fixed-size block: the text is what precedes the first zero byte within
    // the block (all of it when there is none).
    bool SetStringBlock(const char* name, const char* block, DWORD blockSize);
    bool SetBinary(const char* name, const void* data, DWORD size);

    // The settings file path as it is now.
    static std::string SettingsFilePath();
    // The group path a key path maps to ("LocalSetup/DrawMode"); empty for an empty key path.
    static std::string KeyToGroup(const char* keyPath);
    static bool KeyExists(const char* keyPath);

private:
    std::string ValueKey(const char* name) const;

    std::string m_group;
    bool m_open = false;
};

// One-call helpers: open the key (creating it), read or write one value, close, as the program does
// for each setting. Reads give the default when the value is missing or unreadable; writes give
// false when the file cannot be written.
DWORD RegReadDWORD(const char* keyPath, const char* name, DWORD defaultValue);
CString RegReadString(const char* keyPath, const char* name, DWORD bufferSize, const char* defaultValue);
// The first byte of binary data of 1 to 4 bytes.
BYTE RegReadByte(const char* keyPath, const char* name, BYTE defaultValue);
bool RegWriteDWORD(const char* keyPath, const char* name, DWORD value);
bool RegWriteString(const char* keyPath, const char* name, const char* text);
bool RegWriteByte(const char* keyPath, const char* name, BYTE value);
