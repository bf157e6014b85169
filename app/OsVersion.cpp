#include "app/OsVersion.h"

#include <cstdio>
#include <sys/utsname.h>

#ifndef KELO_VERSION_MAJOR
#define KELO_VERSION_MAJOR 0
#define KELO_VERSION_MINOR 0
#define KELO_VERSION_BUILD 0
#define KELO_VERSION_REVISION 0
#endif

int OsVersionClass(const OsVersionInfo& info) {
    if (info.queryFailed) {
        return 7;
    }
    switch (info.platform) {
    case OsPlatform::NtFamily:
        if (info.major == 5 && info.minor == 0) {
            return 1;
        }
        if (info.major == 5 && info.minor == 1) {
            return 2;
        }
        return 0;
    case OsPlatform::Legacy9x:
        if (info.major == 4 && info.minor == 10) {
            const char* sp = info.servicePack ? info.servicePack : "";
            return (sp[0] != '\0' && sp[1] == 'A') ? 5 : 4;
        }
        if (info.major == 4 && info.minor == 90) {
            return 6;
        }
        return 3;
    case OsPlatform::Other:
        break;
    }
    return 7;
}

OsVersionInfo CurrentOsVersion() {
    OsVersionInfo info;
    info.platform = OsPlatform::NtFamily;
    utsname u{};
    if (uname(&u) == 0) {
        unsigned major = 0;
        unsigned minor = 0;
        if (std::sscanf(u.release, "%u.%u", &major, &minor) == 2) {
            info.major = major;
            info.minor = minor;
        }
    }
    // A kernel numbered 5.0 or 5.1 would land in the classes of two old systems; those still run.
    return info;
}

int GetOsVersionClass() {
    return OsVersionClass(CurrentOsVersion());
}

bool GetModuleVersion(const char* /*path*/, WORD out[4]) {
    out[0] = WORD(KELO_VERSION_MAJOR);
    out[1] = WORD(KELO_VERSION_MINOR);
    out[2] = WORD(KELO_VERSION_BUILD);
    out[3] = WORD(KELO_VERSION_REVISION);
    return true;
}
