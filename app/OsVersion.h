#pragma once
// The operating-system check at start-up and the program's own file version.
//
// The class table maps a system family and version to a class; only classes 0-2 may run. This
// system reports itself as the newest family with a version the table does not single out, which
// is class 0.

#include "platform/base/WinTypes.h"

enum class OsPlatform { NtFamily, Legacy9x, Other };

struct OsVersionInfo {
    OsPlatform platform = OsPlatform::NtFamily;
    DWORD major = 0;
    DWORD minor = 0;
    const char* servicePack = ""; // its second character tells a second edition apart
    bool queryFailed = false;     // neither version query answered
};

int OsVersionClass(const OsVersionInfo& info);
// The class of the running system.
int GetOsVersionClass();
// The version record this system presents: the NT family, the running kernel's major and minor.
OsVersionInfo CurrentOsVersion();

// The program's file version (major, minor, build, revision), given by the build. Always present.
bool GetModuleVersion(const char* path, WORD out[4]);
