#include "protocol/Trace.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

int Trace(const char*, ...) {
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
