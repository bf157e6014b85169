#include "app/CommandLine.h"

#include "app/OsVersion.h"
#include "platform/window/WinApp.h"

#include <cstring>

namespace {

constexpr const char* kUsage =
    "Usage: kelo1000 [option]\n"
    "KELO1000 Client: live view, playback, backup, logs and setup of KELO1000 network video recorders.\n"
    "\n"
    "  -h, --help     print this help and exit\n"
    "  --version      print the program's version and exit\n"
    "\n"
    "Qt's own options (-platform NAME, -display NAME, -style NAME, ...) are accepted as well.\n"
    "The program needs a display; on a machine without a screen, run it under xvfb-run.\n";

bool Is(const char* arg, const char* name) {
    return std::strcmp(arg, name) == 0;
}

} // namespace

CCommandLine::CCommandLine(int argc, char** argv) {
    for (int i = 1; i < argc && argv[i] != nullptr; ++i) {
        const char* arg = argv[i];
        if (Is(arg, "-h") || Is(arg, "--help")) {
            m_action = Action::Help;
            return;
        }
        if (Is(arg, "--version")) {
            m_action = Action::Version;
            return;
        }
        bool takesValue = false;
        if (AfxIsToolkitOption(arg, &takesValue)) {
            if (takesValue && ++i >= argc) {
                m_action = Action::Error;
                m_error = std::string("option '") + arg + "' needs a value (try --help)";
                return;
            }
            continue;
        }
        m_action = Action::Error;
        m_error = arg[0] == '-' ? std::string("unknown option '") + arg + "' (try --help)"
                                : std::string("unexpected argument '") + arg + "' (try --help)";
        return;
    }
}

int CCommandLine::Answer(std::FILE* out, std::FILE* err) const {
    switch (m_action) {
    case Action::Help:
        std::fputs(kUsage, out);
        return 0;
    case Action::Version:
        std::fprintf(out, "%s\n", VersionText().c_str());
        return 0;
    case Action::Error:
        std::fprintf(err, "kelo1000: %s\n", m_error.c_str());
        return kUsageError;
    case Action::Run:
        break;
    }
    return 0;
}

std::string CCommandLine::VersionText() {
    WORD version[4] = {};
    GetModuleVersion(nullptr, version);
    char text[64];
    std::snprintf(text, sizeof text, "KELO1000 Client %d.%d.%d.%d", version[0], version[1], version[2], version[3]);
    return text;
}
