#include "platform/base/Time.h"

CTime::CTime(int year, int month, int day, int hour, int minute, int second, int dst) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = dst < 0 ? -1 : (dst > 0 ? 1 : 0);
    m_time = std::mktime(&tm);
}

CTime CTime::GetCurrentTime() {
    return CTime(std::time(nullptr));
}

bool CTime::GetLocalTm(std::tm* out) const {
    return out && localtime_r(&m_time, out) != nullptr;
}

int CTime::GetYear() const {
    std::tm tm{};
    return GetLocalTm(&tm) ? tm.tm_year + 1900 : 0;
}

int CTime::GetMonth() const {
    std::tm tm{};
    return GetLocalTm(&tm) ? tm.tm_mon + 1 : 0;
}

int CTime::GetDay() const {
    std::tm tm{};
    return GetLocalTm(&tm) ? tm.tm_mday : 0;
}

bool CTime::IsDaylightSaving() const {
    std::tm tm{};
    return GetLocalTm(&tm) && tm.tm_isdst > 0;
}
