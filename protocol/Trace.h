#pragma once
// The debug trace of sent and received messages ("Send...LIVE_STOP\n", "Recv...DB_INFO_ACK...\n").
// Trace does nothing in this build; ConsolePrintf writes to standard error and is not called.

#if defined(__GNUC__) || defined(__clang__)
#define KELO_PRINTF_LIKE(f, a) __attribute__((format(printf, f, a)))
#else
#define KELO_PRINTF_LIKE(f, a)
#endif

int Trace(const char* format, ...) KELO_PRINTF_LIKE(1, 2);

// Formats into a 1024-byte buffer (longer text is cut to 1023 characters), writes it and returns its length.
int ConsolePrintf(const char* format, ...) KELO_PRINTF_LIKE(1, 2);
