#pragma once
// The debug trace of sent and received messages ("Send...LIVE_STOP\n", "Recv...DB_INFO_ACK...\n").
// Trace is silent unless the environment holds KELO_TRACE=1 when it is first called; then each line
// goes through ConsolePrintf (standard error) behind the local time and the thread's id:
//   14:03:27.512 [4711] Send...LIVE_STOP
// The variable is read once, so switching it while the program runs changes nothing.

#if defined(__GNUC__) || defined(__clang__)
#define KELO_PRINTF_LIKE(f, a) __attribute__((format(printf, f, a)))
#else
#define KELO_PRINTF_LIKE(f, a)
#endif

// Always returns 0, as its callers expect of a trace.
int Trace(const char* format, ...) KELO_PRINTF_LIKE(1, 2);

// Formats into a 1024-byte buffer (longer text is cut to 1023 characters), writes it to standard
// error and returns its length.
int ConsolePrintf(const char* format, ...) KELO_PRINTF_LIKE(1, 2);
