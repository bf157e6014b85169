#include "platform/base/Clock.h"

#include <chrono>
#include <thread>

namespace {

std::chrono::steady_clock::duration SinceStart() {
    // Counted from the first use, so the 32-bit tick count starts small and wraps late.
    static const auto start = std::chrono::steady_clock::now();
    return std::chrono::steady_clock::now() - start;
}

void Fill(const std::tm& tm, long milliseconds, SYSTEMTIME* out) {
    out->wYear = WORD(tm.tm_year + 1900);
    out->wMonth = WORD(tm.tm_mon + 1);
    out->wDayOfWeek = WORD(tm.tm_wday);
    out->wDay = WORD(tm.tm_mday);
    out->wHour = WORD(tm.tm_hour);
    out->wMinute = WORD(tm.tm_min);
    out->wSecond = WORD(tm.tm_sec);
    out->wMilliseconds = WORD(milliseconds);
}

void Now(SYSTEMTIME* out, bool local) {
    if (!out) {
        return;
    }
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm{};
    const bool ok = local ? localtime_r(&ts.tv_sec, &tm) != nullptr : gmtime_r(&ts.tv_sec, &tm) != nullptr;
    if (ok) {
        Fill(tm, ts.tv_nsec / 1000000, out);
    }
}

} // namespace

LONG ComputeStandardZoneOffset(std::time_t t) {
    std::tm utc{};
    std::tm local{};
    if (!gmtime_r(&t, &utc) || !localtime_r(&t, &local)) {
        return 0;
    }
    // The UTC breakdown carries no daylight saving, so converting it back as local time measures the
    // standard-time offset whatever the season.
    utc.tm_isdst = 0;
    const std::time_t asLocal = std::mktime(&local);
    const std::time_t utcAsLocal = std::mktime(&utc);
    if (asLocal == std::time_t(-1) || utcAsLocal == std::time_t(-1)) {
        return 0;
    }
    return LONG(asLocal - utcAsLocal);
}

void Sleep(DWORD milliseconds) {
    if (milliseconds == 0) {
        std::this_thread::yield();
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

DWORD GetTickCount() {
    return DWORD(GetTickCount64());
}

ULONGLONG GetTickCount64() {
    return ULONGLONG(std::chrono::duration_cast<std::chrono::milliseconds>(SinceStart()).count());
}

void GetLocalTime(SYSTEMTIME* out) {
    Now(out, true);
}

BOOL TimeToSystemTime(std::time_t t, SYSTEMTIME* out, bool local) {
    if (!out) {
        return FALSE;
    }
    std::tm tm{};
    const bool ok = local ? localtime_r(&t, &tm) != nullptr : gmtime_r(&t, &tm) != nullptr;
    if (!ok || tm.tm_year + 1900 < 0 || tm.tm_year + 1900 > 0xFFFF) {
        return FALSE;
    }
    Fill(tm, 0, out);
    return TRUE;
}

LONG GetStandardZoneOffset() {
    static const LONG offset = ComputeStandardZoneOffset(std::time(nullptr));
    return offset;
}

LONG GetLocalZoneOffsetAt(std::time_t t) {
    std::tm local{};
    if (!localtime_r(&t, &local)) {
        return 0;
    }
    return LONG(local.tm_gmtoff);
}
