#include "app/LocalLog.h"
#include "tests/app/AppTestEnv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <thread>

namespace {

struct Ring {
    std::vector<unsigned char> bytes;
    unsigned wrapped() const { return ReadLe32(bytes, 0); }
    unsigned next() const { return ReadLe32(bytes, 4); }
    std::size_t slots() const { return bytes.size() < 8 ? 0 : (bytes.size() - 8) / 184; }
    unsigned field(unsigned slot, unsigned offset) const { return ReadLe32(bytes, 8 + slot * 184 + offset); }
    std::string text(unsigned slot, unsigned offset, unsigned size) const {
        const char* p = reinterpret_cast<const char*>(bytes.data() + 8 + slot * 184 + offset);
        return std::string(p, strnlen(p, size));
    }
};

Ring ReadRing(const AppTestEnv& env) {
    return Ring{AppTestEnv::ReadBytes(CLocalLog::PathOf(env.Location().c_str()))};
}

void WriteHeaderAndSlots(const AppTestEnv& env, unsigned wrapped, unsigned next, unsigned slots) {
    std::string bytes(8 + std::size_t(slots) * 184, '\0');
    for (int i = 0; i < 4; ++i) {
        bytes[i] = char((wrapped >> (8 * i)) & 0xFF);
        bytes[4 + i] = char((next >> (8 * i)) & 0xFF);
    }
    AppTestEnv::WriteBytes(CLocalLog::PathOf(env.Location().c_str()), bytes);
}

TEST(LocalLogTest, FirstRecordFillsSlotZeroWithItsFields) {
    AppTestEnv env;
    const std::string longUser(40, 'u');
    const std::string longAddress(200, 'a');
    CLocalLog::WriteAt(env.Location().c_str(), false, 2, 1, longUser.c_str(), longAddress.c_str(), 1234567);
    const Ring r = ReadRing(env);
    ASSERT_EQ(r.bytes.size(), 8u + 184u);
    EXPECT_EQ(r.wrapped(), 0u);
    EXPECT_EQ(r.next(), 1u);
    EXPECT_EQ(r.field(0, 0), 0u);   // slot
    EXPECT_EQ(r.field(0, 4), 184u); // size
    EXPECT_EQ(r.field(0, 8), 2u);
    EXPECT_EQ(r.field(0, 12), 1u);
    EXPECT_EQ(r.field(0, 16), 1234567u);
    EXPECT_EQ(r.field(0, 20), 0u);
    // Texts are cut to fit their blocks with a terminator.
    EXPECT_EQ(r.text(0, 24, 128), std::string(127, 'a'));
    EXPECT_EQ(r.text(0, 152, 32), std::string(31, 'u'));
}

TEST(LocalLogTest, RingWrapsAfterTwoThousandFiveHundredRecords) {
    AppTestEnv env;
    const std::string location = env.Location();
    for (unsigned i = 0; i < 2499; ++i) {
        CLocalLog::WriteAt(location.c_str(), false, 1, 1, nullptr, nullptr, i);
    }
    Ring r = ReadRing(env);
    EXPECT_EQ(r.wrapped(), 0u);
    EXPECT_EQ(r.next(), 2499u);

    CLocalLog::WriteAt(location.c_str(), false, 1, 2, nullptr, nullptr, 9999);
    r = ReadRing(env);
    EXPECT_EQ(r.bytes.size(), 460008u);
    EXPECT_EQ(r.wrapped(), 1u);
    EXPECT_EQ(r.next(), 0u);
    EXPECT_EQ(r.field(2499, 0), 2499u);

    CLocalLog::WriteAt(location.c_str(), false, 8, 2, nullptr, nullptr, 10000);
    r = ReadRing(env);
    EXPECT_EQ(r.bytes.size(), 460008u);
    EXPECT_EQ(r.wrapped(), 1u);
    EXPECT_EQ(r.next(), 1u);
    EXPECT_EQ(r.field(0, 8), 8u);
    EXPECT_EQ(r.field(0, 16), 10000u);
    EXPECT_EQ(r.field(1, 16), 1u); // slot 1 still holds the second record ever written
}

TEST(LocalLogTest, AHeaderOutOfRangeIsRebuiltFromTheFileLength) {
    struct Case {
        const char* name;
        unsigned wrapped, next, slots;
        unsigned expectSlot, expectWrapped, expectNext;
    };
    const Case cases[] = {
        {"next far beyond the ring", 0, 99999, 3, 3, 0, 4},
        {"wrapped flag not 0 or 1", 7, 0, 5, 5, 0, 6},
        {"a full ring with a bad header starts over at slot 0", 0, 2500, 2500, 0, 1, 1},
        {"a header in range is kept", 1, 10, 2500, 10, 1, 11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AppTestEnv env;
        WriteHeaderAndSlots(env, c.wrapped, c.next, c.slots);
        CLocalLog::WriteAt(env.Location().c_str(), false, 2, 4, "op", "10.0.0.1", 5);
        const Ring r = ReadRing(env);
        EXPECT_EQ(r.field(c.expectSlot, 0), c.expectSlot);
        EXPECT_EQ(r.field(c.expectSlot, 8), 2u);
        EXPECT_EQ(r.wrapped(), c.expectWrapped);
        EXPECT_EQ(r.next(), c.expectNext);
        EXPECT_LE(r.bytes.size(), 460008u);
    }
}

// The damaged logs met in use, made by the writer itself and then damaged: the next record must go
// behind the newest one, overwrite nothing older and leave no empty slot between records.
TEST(LocalLogTest, AHeaderInRangeButWrongIsRepairedFromTheRecords) {
    const DWORD today = 1796904000; // 2026-12-10 12:00 on the local wall clock
    enum class Damage { ZeroedHeader, CutInsideARecord, ZeroedHeaderOfAFullRing, ClockSetBack };
    struct Case {
        const char* name;
        Damage damage;
        unsigned records;    // written before the damage
        unsigned expectSlot; // where the next record goes
        unsigned expectWrapped;
        unsigned expectSlots; // whole slots in the file afterwards
    };
    const Case cases[] = {
        {"header zeroed behind nine records", Damage::ZeroedHeader, 9, 9, 0, 10},
        {"file cut inside the sixth record", Damage::CutInsideARecord, 9, 5, 0, 6},
        {"header zeroed on a full ring whose newest record is in slot 700", Damage::ZeroedHeaderOfAFullRing, 2500 + 701,
         701, 1, 2500},
        {"a clock set back one hour is no damage", Damage::ClockSetBack, 9, 9, 0, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AppTestEnv env;
        const std::string location = env.Location();
        const std::string path = CLocalLog::PathOf(location.c_str());
        for (unsigned i = 0; i < c.records; ++i) {
            const bool setBack = c.damage == Damage::ClockSetBack && i == c.records - 1;
            const DWORD time = setBack ? today - 3600 : today + i;
            CLocalLog::WriteAt(location.c_str(), false, 2, 1, "operator", "192.168.100.200", time);
        }
        const Ring before = ReadRing(env);
        std::string bytes(before.bytes.begin(), before.bytes.end());
        switch (c.damage) {
        case Damage::ZeroedHeader:
        case Damage::ZeroedHeaderOfAFullRing:
            std::fill(bytes.begin(), bytes.begin() + 8, '\0');
            break;
        case Damage::CutInsideARecord:
            bytes.resize(8 + 5 * 184 + 100);
            break;
        case Damage::ClockSetBack:
            break;
        }
        AppTestEnv::WriteBytes(path, bytes);

        CLocalLog::WriteAt(location.c_str(), false, 8, 2, "", "", today + 100000);
        const Ring r = ReadRing(env);
        EXPECT_EQ(r.field(c.expectSlot, 8), 8u) << "the new record is elsewhere";
        EXPECT_EQ(r.field(c.expectSlot, 0), c.expectSlot);
        EXPECT_EQ(r.next(), (c.expectSlot + 1) % 2500);
        EXPECT_EQ(r.wrapped(), c.expectWrapped);
        EXPECT_EQ(r.bytes.size(), 8u + c.expectSlots * 184u);
        for (unsigned slot = 0; slot < r.slots(); ++slot) {
            if (slot == c.expectSlot) {
                continue;
            }
            EXPECT_EQ(r.field(slot, 8), 2u) << "slot " << slot << " lost its record";
            EXPECT_EQ(r.field(slot, 0), slot);
        }
    }
}

TEST(LocalLogTest, AShortHeaderCountsAsAnEmptyRing) {
    AppTestEnv env;
    AppTestEnv::WriteBytes(CLocalLog::PathOf(env.Location().c_str()), std::string("\x05\x00\x00", 3));
    CLocalLog::WriteAt(env.Location().c_str(), false, 1, 1, nullptr, nullptr, 1);
    const Ring r = ReadRing(env);
    EXPECT_EQ(r.bytes.size(), 192u);
    EXPECT_EQ(r.wrapped(), 0u);
    EXPECT_EQ(r.next(), 1u);
}

TEST(LocalLogTest, RemovableMediaWritesNothing) {
    AppTestEnv env;
    CLocalLog::Write(env.Location().c_str(), true, 1, 1, nullptr, nullptr);
    EXPECT_FALSE(std::filesystem::exists(CLocalLog::FolderOf(env.Location().c_str())));
}

TEST(LocalLogTest, TwoThreadsLoseNoRecord) {
    AppTestEnv env;
    const std::string location = env.Location();
    constexpr unsigned kEach = 150;
    auto writer = [&](unsigned kind) {
        for (unsigned i = 0; i < kEach; ++i) {
            CLocalLog::WriteAt(location.c_str(), false, kind, i, nullptr, nullptr, i);
        }
    };
    std::thread a(writer, 2);
    std::thread b(writer, 4);
    a.join();
    b.join();
    const Ring r = ReadRing(env);
    EXPECT_EQ(r.next(), 2 * kEach);
    std::set<std::pair<unsigned, unsigned>> seen;
    for (unsigned slot = 0; slot < 2 * kEach; ++slot) {
        EXPECT_EQ(r.field(slot, 0), slot);
        seen.insert({r.field(slot, 8), r.field(slot, 12)});
    }
    EXPECT_EQ(seen.size(), 2 * kEach);
}

TEST(LocalLogTest, RecordTimeIsTheWallClockWithDaylightSaving) {
    ScopedEnv tz("TZ", "Asia/Seoul");
    const long now = long(std::time(nullptr));
    const long local = long(CLocalLog::LocalWallClockNow());
    EXPECT_NEAR(local - now, 9 * 3600, 2);

    ScopedEnv summer("TZ", "XST-1XDT,M1.1.0/0,M12.5.0/24"); // daylight saving all year: two hours ahead
    EXPECT_NEAR(long(CLocalLog::LocalWallClockNow()) - long(std::time(nullptr)), 2 * 3600, 2);
}

} // namespace
