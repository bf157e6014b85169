#include "protocol/SetupDatabase.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <random>
#include <set>
#include <vector>

namespace {

void PutBe(std::vector<BYTE>& v, std::size_t at, DWORD x, int width) {
    for (int i = 0; i < width; ++i) {
        v[at + i] = BYTE(x >> (8 * (width - 1 - i)));
    }
}

// The integer fields of the record as the recorder documents them, written out independently.
std::set<std::size_t> ConvertedBytes() {
    std::set<std::size_t> bytes;
    auto add = [&](std::size_t from, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            bytes.insert(from + i);
        }
    };
    add(4, 4);
    add(648, 4);
    add(3504, 8);
    add(4216, 4);
    add(4320, 128);
    add(4448, 20);
    add(4600, 1024);
    add(6400, 128);
    return bytes;
}

} // namespace

TEST(SetupDatabase, HostOrderShowsTheRecordersValues) {
    std::vector<BYTE> wire(kSetupDatabaseSize, 0);
    PutBe(wire, 4, 0x5F5E1000, 4);
    PutBe(wire, 648, 15, 2);
    PutBe(wire, 650, 240, 2);
    PutBe(wire, 3508, 0x01020304, 4);
    PutBe(wire, 4218, 0xBEEF, 2);
    PutBe(wire, 4320 + 2 * 3, 1234, 2); // pan low, channel 4
    PutBe(wire, 4416 + 2 * 15, 999, 2); // tilt high, channel 16
    PutBe(wire, 4464, 240, 4);          // event time B
    PutBe(wire, 4600 + 2 * (15 * 32 + 31), 0xA1B2, 2);
    PutBe(wire, 6400 + 2 * (15 * 4 + 3), 999, 2); // preset number, channel 16 slot 4
    std::memcpy(wire.data() + 88 + 32 * 2, "Lobby", 5);
    wire[5624 + 8 * 6 + 2] = 1; // account 2 may connect
    wire[6538] = 1;

    SetupDatabase db;
    std::memcpy(&db, wire.data(), sizeof(db));
    DbToHostOrder(db);
    EXPECT_EQ(db.recorder_clock, 0x5F5E1000u);
    EXPECT_EQ(db.rec_value0, 15);
    EXPECT_EQ(db.rec_value1, 240);
    EXPECT_EQ(db.unedited_3508, 0x01020304u);
    EXPECT_EQ(db.unedited_4218, 0xBEEF);
    EXPECT_EQ(db.ptz_pan_low[3], 1234);
    EXPECT_EQ(db.ptz_tilt_high[15], 999);
    EXPECT_EQ(db.event_time_b, 240u);
    EXPECT_EQ(db.unedited_4600[15][31], 0xA1B2);
    EXPECT_EQ(db.preset_number[15][3], 999);
    EXPECT_STREQ(db.camera_name[2], "Lobby");
    EXPECT_EQ(db.accounts.rights[kRightConnect][2], 1);
    EXPECT_EQ(db.osd_list4, 1);

    db.event_time_a = 5; // an edit in host order goes out big-endian
    DbToNetworkOrder(db);
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&db);
    EXPECT_EQ(bytes[4460], 0);
    EXPECT_EQ(bytes[4463], 5);
}

TEST(SetupDatabase, ConversionTouchesOnlyTheIntegerFieldsAndRoundTrips) {
    std::mt19937 random(1234);
    std::vector<BYTE> wire(kSetupDatabaseSize);
    for (BYTE& b : wire) {
        b = BYTE(random());
    }
    // Make every integer's bytes differ, so that a field left unswapped shows.
    const std::set<std::size_t> converted = ConvertedBytes();
    for (std::size_t i : converted) {
        wire[i] = BYTE(i * 37 + 11);
    }

    SetupDatabase db;
    std::memcpy(&db, wire.data(), sizeof(db));
    DbToHostOrder(db);
    const BYTE* host = reinterpret_cast<const BYTE*>(&db);
    std::set<std::size_t> changed;
    for (std::size_t i = 0; i < kSetupDatabaseSize; ++i) {
        if (host[i] != wire[i]) {
            changed.insert(i);
        }
    }
    if constexpr (std::endian::native == std::endian::little) {
        EXPECT_EQ(changed, converted);
    } else {
        EXPECT_TRUE(changed.empty());
    }
    DbToNetworkOrder(db);
    EXPECT_EQ(std::memcmp(&db, wire.data(), kSetupDatabaseSize), 0);
}

TEST(SetupDatabase, AccountBlockIsTheRightChangeTable) {
    SetupDatabase db{};
    std::strcpy(db.accounts.user_name[3], "Guard");
    db.accounts.level[3] = 1;
    db.accounts.rights[kRightPtz][3] = 1;
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&db);
    EXPECT_EQ(std::memcmp(bytes + 5696 + 3 * 32, "Guard", 5), 0);
    EXPECT_EQ(bytes[5688 + 3], 1);
    EXPECT_EQ(bytes[5624 + 8 * 4 + 3], 1);
    EXPECT_EQ(FindAccount(db.accounts, "GUARD"), 3);
}
