#include "platform/window/WinApp.h"

#include "platform/window/Cursor.h"
#include "platform/window/Wnd.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

CWinApp* g_app = nullptr;

// Qt's own command-line options, without their leading dash (Qt takes one dash or two).
constexpr const char* kToolkitOptionsWithValue[] = {"platform",        "platformpluginpath", "platformtheme", "plugin",
                                                    "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
                                                    "display",         "geometry",           "name",          "title",
                                                    "style",           "stylesheet",         "visual",        "im",
                                                    "inputstyle"};
constexpr const char* kToolkitFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};
// Options Qt also takes as -name=value.
constexpr const char* kToolkitJoined[] = {"style=", "stylesheet=", "qmljsdebugger="};

bool HasEnv(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

std::string ProgramName(const char* argv0) {
    const char* slash = argv0 != nullptr ? std::strrchr(argv0, '/') : nullptr;
    return slash != nullptr ? slash + 1 : (argv0 != nullptr && *argv0 != '\0' ? argv0 : "program");
}

// Why no window can be opened, or empty when a display or a platform has been named. A display that
// is named but cannot be reached is found out by Qt itself (see FatalGuard).
std::string MissingDisplay(int argc, char** argv) {
    if (HasEnv("QT_QPA_PLATFORM") || HasEnv("DISPLAY") || HasEnv("WAYLAND_DISPLAY")) {
        return {};
    }
    for (int i = 1; i < argc && argv[i] != nullptr; ++i) {
        const char* arg = argv[i][0] == '-' && argv[i][1] == '-' ? argv[i] + 1 : argv[i];
        if (std::strcmp(arg, "-platform") == 0 || std::strcmp(arg, "-display") == 0) {
            return {};
        }
    }
    return "no display to open a window on (DISPLAY is not set)";
}

// While the Qt application is made, Qt's messages are held back: when it gives up (a display that
// cannot be opened, no usable platform plugin) the program says so in one line and ends with status
// 1 instead of Qt's abort; when it succeeds, the held messages are passed on as they were.
class FatalGuard {
public:
    explicit FatalGuard(std::string program) {
        s_program = std::move(program);
        s_previous = qInstallMessageHandler(&FatalGuard::Handle);
    }
    ~FatalGuard() {
        qInstallMessageHandler(s_previous);
        for (const Held& held : s_held) {
            const QMessageLogContext context(held.file, held.line, held.function, held.category);
            Pass(held.type, context, held.text);
        }
        s_held.clear();
    }
    FatalGuard(const FatalGuard&) = delete;
    FatalGuard& operator=(const FatalGuard&) = delete;

private:
    struct Held {
        QtMsgType type;
        const char* file;
        int line;
        const char* function;
        const char* category;
        QString text;
    };
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type == QtFatalMsg) {
            std::fprintf(stderr, "%s: cannot open a window: no usable display (DISPLAY=%s)\n", s_program.c_str(),
                         HasEnv("DISPLAY") ? std::getenv("DISPLAY") : "");
            std::fflush(stderr);
            ::_exit(1);
        }
        // The context's texts are Qt's own literals, which outlive the guard.
        s_held.push_back({type, context.file, context.line, context.function, context.category, text});
    }
    static void Pass(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (s_previous != nullptr) {
            s_previous(type, context, text);
        } else {
            std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        }
    }
    static inline std::string s_program;
    static inline QtMessageHandler s_previous = nullptr;
    static inline std::vector<Held> s_held;
};

} // namespace

CWinApp::CWinApp(LPCSTR appName)
    : m_hInstance(reinterpret_cast<HINSTANCE>(std::uintptr_t(0x400000))), m_pszAppName(appName) {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) {
        g_app = nullptr;
    }
}

int CWinApp::Run() {
    return QApplication::instance() != nullptr ? QApplication::exec() : -1;
}

CWinApp* AfxGetApp() {
    return g_app;
}

CWnd* AfxGetMainWnd() {
    return g_app != nullptr ? g_app->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
    return g_app != nullptr ? g_app->m_hInstance : nullptr;
}

void AfxEnableControlContainer() {}

bool AfxIsToolkitOption(const char* arg, bool* takesValue) {
    *takesValue = false;
    if (arg == nullptr || arg[0] != '-') {
        return false;
    }
    const char* name = arg[1] == '-' ? arg + 2 : arg + 1;
    for (const char* option : kToolkitOptionsWithValue) {
        if (std::strcmp(name, option) == 0) {
            *takesValue = true;
            return true;
        }
    }
    for (const char* option : kToolkitFlags) {
        if (std::strcmp(name, option) == 0) {
            return true;
        }
    }
    for (const char* option : kToolkitJoined) {
        if (std::strncmp(name, option, std::strlen(option)) == 0) {
            return true;
        }
    }
    return false;
}

int AfxWinMain(int argc, char** argv) {
    const std::string program = ProgramName(argc > 0 ? argv[0] : nullptr);
    const std::string missing = MissingDisplay(argc, argv);
    if (!missing.empty()) {
        std::fprintf(stderr, "%s: %s\n", program.c_str(), missing.c_str());
        return 1;
    }
    std::optional<FatalGuard> guard(std::in_place, program);
    QApplication app(argc, argv);
    guard.reset();
    // The program's windows end its run, not Qt: closing the last window must not stop the loops.
    QApplication::setQuitOnLastWindowClosed(false);
    CWinApp* theApp = AfxGetApp();
    if (theApp == nullptr) {
        return 1;
    }
    int code = 0;
    if (theApp->InitInstance()) {
        code = theApp->Run();
    }
    const int exitCode = theApp->ExitInstance();
    return code != 0 ? code : exitCode;
}
