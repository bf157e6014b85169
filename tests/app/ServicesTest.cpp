#include "app/OsVersion.h"
#include "app/RemovableMedia.h"
#include "app/TimeServices.h"
#include "platform/base/Clock.h"
#include "tests/app/AppTestEnv.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

TEST(TimeServicesTest, UserTimeIsTheUtcBreakdownAndNegativeTimesWriteNothing) {
    int out[6] = {-1, -1, -1, -1, -1, -1};
    TimeToUserTime(-5, out);
    for (int v : out) {
        EXPECT_EQ(v, -1);
    }
    TimeToUserTime(1252583709, out); // 2009-09-10 11:55:09 UTC
    const int expected[6] = {2009, 8, 9, 11, 55, 9};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(out[i], expected[i]);
    }
}

TEST(TimeServicesTest, RecorderTimeRoundTripsInEveryZoneAndSeason) {
    // Recorder times count the local wall clock as if it were UTC, so converting the broken-down
    // fields back gives the same count, in summer (one hour more added) as in winter.
    for (const char* zone : {"Europe/Berlin", "Asia/Seoul", "America/New_York", "UTC"}) {
        ScopedEnv tz("TZ", zone);
        const ZoneOffset offset = ZoneOffset::FromSeconds(ComputeStandardZoneOffset(std::time(nullptr)));
        for (LONGLONG t : {LONGLONG(1246449600), LONGLONG(1262347200)}) { // 2009-07-01, 2010-01-01 12:00
            SCOPED_TRACE(testing::Message() << zone << " " << t);
            int fields[6] = {};
            TimeToUserTime(t, fields);
            EXPECT_EQ(LONGLONG(TimeToCTime(offset, fields)), t);
        }
    }
}

TEST(TimeServicesTest, ZoneOffsetPartsAreTruncatedTowardZero) {
    const ZoneOffset india = ZoneOffset::FromSeconds(5 * 3600 + 30 * 60);
    EXPECT_EQ(india.hours, 5);
    EXPECT_EQ(india.minutes, 30);
    const ZoneOffset newfoundland = ZoneOffset::FromSeconds(-(3 * 3600 + 30 * 60));
    EXPECT_EQ(newfoundland.hours, -3);
    EXPECT_EQ(newfoundland.minutes, -30);
    EXPECT_EQ(newfoundland.seconds, 0);
    EXPECT_EQ(newfoundland.TotalSeconds(), -(3 * 3600 + 30 * 60));
}

TEST(TimeServicesTest, DiskFreeAsksTheNearestExistingFolder) {
    AppTestEnv env;
    DWORD freeMb = 7;
    DWORD totalMb = 7;
    EXPECT_TRUE(GetDiskFreeText((env.Root() / "not" / "yet").c_str(), &freeMb, &totalMb));
    EXPECT_GT(totalMb, 0u);
    EXPECT_LE(freeMb, totalMb);
    freeMb = totalMb = 7;
    EXPECT_FALSE(GetDiskFreeText("", &freeMb, &totalMb));
    EXPECT_EQ(freeMb, 7u);
    EXPECT_EQ(totalMb, 7u);
}

TEST(OsVersionTest, OnlyTheNtFamilyRuns) {
    struct Case {
        OsPlatform platform;
        DWORD major, minor;
        const char* sp;
        int cls;
    };
    const Case cases[] = {
        {OsPlatform::NtFamily, 5, 0, "", 1},    {OsPlatform::NtFamily, 5, 1, "", 2},
        {OsPlatform::NtFamily, 4, 0, "", 0},    {OsPlatform::NtFamily, 6, 1, "", 0},
        {OsPlatform::Legacy9x, 4, 10, " A", 5}, {OsPlatform::Legacy9x, 4, 10, "", 4},
        {OsPlatform::Legacy9x, 4, 10, " B", 4}, {OsPlatform::Legacy9x, 4, 90, "", 6},
        {OsPlatform::Legacy9x, 4, 0, "", 3},    {OsPlatform::Legacy9x, 3, 10, "", 3},
        {OsPlatform::Other, 1, 0, "", 7},
    };
    for (const Case& c : cases) {
        OsVersionInfo info;
        info.platform = c.platform;
        info.major = c.major;
        info.minor = c.minor;
        info.servicePack = c.sp;
        EXPECT_EQ(OsVersionClass(info), c.cls) << c.major << "." << c.minor;
    }
    OsVersionInfo failed;
    failed.queryFailed = true;
    EXPECT_EQ(OsVersionClass(failed), 7);
    EXPECT_LT(GetOsVersionClass(), 3);
}

TEST(OsVersionTest, TheFileVersionComesFromTheBuild) {
    WORD v[4] = {9, 9, 9, 9};
    EXPECT_TRUE(GetModuleVersion("/any/path", v));
    EXPECT_EQ(v[0], 1);
    EXPECT_EQ(v[1], 0);
}

TEST(RemovableMediaTest, TheEnvironmentForcesEitherAnswer) {
    {
        ScopedEnv force("KELO_REMOVABLE_MEDIA", "1");
        EXPECT_TRUE(CRemovableMedia::IsProgramOnRemovableMedia());
    }
    {
        ScopedEnv force("KELO_REMOVABLE_MEDIA", "0");
        EXPECT_FALSE(CRemovableMedia::IsProgramOnRemovableMedia());
    }
    // A memory file system has no block device: not removable.
    EXPECT_FALSE(CRemovableMedia::IsOnRemovableMedia("/proc/self/status"));
}

} // namespace
