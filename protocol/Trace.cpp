#include "protocol/Trace.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

constexpr const char* kTraceVariable = "KELO_TRACE";

bool TraceEnabled() {
    static const bool enabled = [] {
        const char* value = std::getenv(kTraceVariable);
        return value != nullptr && std::strcmp(value, "1") == 0;
    }();
    return enabled;
}

// A few callers write one line in two calls; only the first part gets the time and thread.
thread_local bool t_atLineStart = true;

} // namespace

int Trace(const char* format, ...) {
    if (!TraceEnabled()) {
        return 0;
    }
    char text[1024];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (n < 0) {
        return 0;
    }
    const std::size_t length = std::strlen(text);
    if (t_atLineStart) {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        tm local{};
        localtime_r(&now.tv_sec, &local);
        ConsolePrintf("%02d:%02d:%02d.%03ld [%ld] %s", local.tm_hour, local.tm_min, local.tm_sec, now.tv_nsec / 1000000,
                      static_cast<long>(syscall(SYS_gettid)), text);
    } else {
        ConsolePrintf("%s", text);
    }
    t_atLineStart = length > 0 && text[length - 1] == '\n';
    return 0;
}

int ConsolePrintf(const char* format, ...) {
    char text[1024];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (n < 0) {
        return 0;
    }
    const std::size_t len = std::strlen(text);
    std::fwrite(text, 1, len, stderr);
    return static_cast<int>(len);
}
