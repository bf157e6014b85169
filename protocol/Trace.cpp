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

constexpr std::size_t kLineSize = 1024;

// Formats into text, cutting what does not fit; the length written, or -1 when the format fails.
int FormatLine(char (&text)[kLineSize], const char* format, va_list args) {
    if (std::vsnprintf(text, kLineSize, format, args) < 0) {
        return -1;
    }
    return static_cast<int>(std::strlen(text));
}

// Formats and writes to standard error; the length written (0 when the format fails).
int WriteFormatted(const char* format, va_list args) {
    char text[kLineSize];
    const int length = FormatLine(text, format, args);
    if (length < 0) {
        return 0;
    }
    std::fwrite(text, 1, std::size_t(length), stderr);
    return length;
}

// A few callers write one line in two calls; only the first part gets the time and thread.
thread_local bool t_atLineStart = true;

} // namespace

int Trace(const char* format, ...) {
    if (!TraceEnabled()) {
        return 0;
    }
    char text[kLineSize];
    va_list args;
    va_start(args, format);
    const int length = FormatLine(text, format, args);
    va_end(args);
    if (length < 0) {
        return 0;
    }
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
    va_list args;
    va_start(args, format);
    const int written = WriteFormatted(format, args);
    va_end(args);
    return written;
}
