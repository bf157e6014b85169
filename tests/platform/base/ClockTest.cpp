#include "platform/base/Clock.h"
#include "platform/base/Time.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace {

// Sets TZ for one test and puts the previous zone back afterwards.
class ZoneGuard {
public:
    explicit ZoneGuard(const char* zone) {
        const char* old = std::getenv("TZ");
        m_had = old != nullptr;
        m_old = old ? old : "";
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ZoneGuard() {
        if (m_had) {
            setenv("TZ", m_old.c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }

private:
    bool m_had;
    std::string m_old;
};

TEST(ClockTest, TickCountRunsOnTheMonotonicClock) {
    const DWORD tickBefore = GetTickCount();
    const ULONGLONG tick64Before = GetTickCount64();
    Sleep(50);
    const DWORD tickAfter = GetTickCount();
    EXPECT_GE(DWORD(tickAfter - tickBefore), 50u);
    // The 32-bit count is the low half of the 64-bit one.
    EXPECT_LE(DWORD(tickAfter - DWORD(tick64Before)), DWORD(GetTickCount64() - tick64Before));
}

TEST(ClockTest, StandardZoneOffsetLeavesDaylightSavingOut) {
    struct Case {
        const char* zone;
        LONG offset;
    };
    const Case cases[] = {{"UTC0", 0},
                          {"EST5EDT,M3.2.0,M11.1.0", -5 * 3600},
                          {"CET-1CEST,M3.5.0,M10.5.0/3", 3600},
                          {"IST-5:30", 5 * 3600 + 30 * 60},
                          {"AEST-10AEDT,M10.1.0,M4.1.0/3", 10 * 3600},
                          {"<-0330>3:30<-0230>,M3.2.0,M11.1.0", -(3 * 3600 + 30 * 60)}};
    // Taken in winter and in summer (northern and southern), the offset is the zone's standard one.
    const std::time_t times[] = {1672574400, 1688212800, std::time(nullptr)};
    for (const Case& c : cases) {
        ZoneGuard zone(c.zone);
        for (std::time_t t : times) {
            EXPECT_EQ(ComputeStandardZoneOffset(t), c.offset) << c.zone << " at " << t;
        }
    }
}

TEST(ClockTest, LocalOffsetAtATimeIncludesDaylightSaving) {
    ZoneGuard zone("EST5EDT,M3.2.0,M11.1.0");
    EXPECT_EQ(GetLocalZoneOffsetAt(1688212800), -4 * 3600); // 2023-07-01 12:00 UTC
    EXPECT_EQ(GetLocalZoneOffsetAt(1672574400), -5 * 3600); // 2023-01-01 12:00 UTC
}

TEST(ClockTest, BreaksTimesDown) {
    struct Case {
        std::time_t t;
        bool local;
        SYSTEMTIME expected;
    };
    // {year, month, day of week, day, hour, minute, second, ms}
    const Case cases[] = {
        {0, false, {1970, 1, 4, 1, 0, 0, 0, 0}},
        {1691011200, false, {2023, 8, 3, 2, 21, 20, 0, 0}},
        {951782400, false, {2000, 2, 2, 29, 0, 0, 0, 0}},
        {1688212800, true, {2023, 7, 6, 1, 8, 0, 0, 0}},
    };
    ZoneGuard zone("EST5EDT,M3.2.0,M11.1.0");
    for (const Case& c : cases) {
        SYSTEMTIME st{};
        ASSERT_TRUE(TimeToSystemTime(c.t, &st, c.local)) << c.t;
        EXPECT_EQ(st.wYear, c.expected.wYear) << c.t;
        EXPECT_EQ(st.wMonth, c.expected.wMonth) << c.t;
        EXPECT_EQ(st.wDayOfWeek, c.expected.wDayOfWeek) << c.t;
        EXPECT_EQ(st.wDay, c.expected.wDay) << c.t;
        EXPECT_EQ(st.wHour, c.expected.wHour) << c.t;
        EXPECT_EQ(st.wMinute, c.expected.wMinute) << c.t;
        EXPECT_EQ(st.wSecond, c.expected.wSecond) << c.t;
    }
    EXPECT_FALSE(TimeToSystemTime(0, nullptr, false));
}

TEST(ClockTest, LocalTimeFollowsTheZone) {
    ZoneGuard zone("IST-5:30");
    SYSTEMTIME local{};
    SYSTEMTIME utc{};
    // Read both within one second so a minute boundary between the calls cannot skew the difference.
    for (int tries = 0; tries < 5; ++tries) {
        GetLocalTime(&local);
        ASSERT_TRUE(TimeToSystemTime(std::time(nullptr), &utc, false));
        if (local.wSecond == utc.wSecond) {
            break;
        }
    }
    const int minutes = ((local.wHour * 60 + local.wMinute) - (utc.wHour * 60 + utc.wMinute) + 1440) % 1440;
    EXPECT_EQ(minutes, 330);
    EXPECT_GE(local.wYear, 2023);
    EXPECT_LT(local.wMilliseconds, 1000);
}

TEST(ClockTest, LocalCalendarTimes) {
    ZoneGuard zone("EST5EDT,M3.2.0,M11.1.0");
    struct Case {
        int year, month, day, hour, minute, second;
        std::time_t expected;
        bool dst;
    };
    const Case cases[] = {
        {2023, 1, 1, 7, 0, 0, 1672574400, false},  // EST: 12:00 UTC
        {2023, 7, 1, 8, 0, 0, 1688212800, true},   // EDT, decided by the zone's rules
        {2023, 2, 31, 7, 0, 0, 1677844800, false}, // 31 February is 3 March
        {2037, 12, 31, 23, 59, 59, 2145934799, false},
    };
    for (const Case& c : cases) {
        const CTime t(c.year, c.month, c.day, c.hour, c.minute, c.second);
        EXPECT_EQ(t.GetTime(), c.expected) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(t.IsDaylightSaving(), c.dst) << c.expected;
    }
    const CTime summer(1688212800);
    EXPECT_EQ(summer.GetYear(), 2023);
    EXPECT_EQ(summer.GetMonth(), 7);
    EXPECT_EQ(summer.GetDay(), 1);
    EXPECT_LT(CTime(2023, 1, 1, 0, 0, 0), CTime(2023, 1, 1, 0, 0, 1));
    EXPECT_GE(CTime::GetCurrentTime().GetYear(), 2023);
}

} // namespace
