#include "app/ConnectLog.h"
#include "app/AddressResolver.h"
#include "tests/app/AppTestEnv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <numeric>
#include <string>

namespace {

struct HistoryFile {
    std::vector<unsigned char> bytes;
    unsigned wrapped() const { return ReadLe32(bytes, 0); }
    unsigned next() const { return ReadLe32(bytes, 4); }
    std::string address(unsigned slot) const {
        const char* p = reinterpret_cast<const char*>(bytes.data() + 8 + slot * 532);
        return std::string(p, strnlen(p, 260));
    }
    unsigned port(unsigned slot) const { return ReadLe32(bytes, 8 + slot * 532 + 260); }
    unsigned time(unsigned slot) const { return ReadLe32(bytes, 8 + slot * 532 + 264); }
    unsigned slotField(unsigned slot) const { return ReadLe32(bytes, 8 + slot * 532 + 268); }
    std::string description(unsigned slot) const {
        const char* p = reinterpret_cast<const char*>(bytes.data() + 8 + slot * 532 + 272);
        return std::string(p, strnlen(p, 260));
    }
};

HistoryFile ReadHistory(const AppTestEnv& env) {
    return HistoryFile{AppTestEnv::ReadBytes(CConnectLog::PathOf(env.Location().c_str()))};
}

std::string Host(int i) {
    return "10.0.0." + std::to_string(i);
}

TEST(ConnectLogTest, TheHundredAndFirstConnectionReplacesTheOldest) {
    AppTestEnv env;
    const std::string loc = env.Location();
    // Times out of order, so that the oldest record is not in slot 0.
    for (int i = 0; i < 100; ++i) {
        const DWORD time = i == 37 ? 500 : DWORD(1000 + i);
        CConnectLog::Add(loc.c_str(), Host(i).c_str(), 2000, "", time);
    }
    HistoryFile h = ReadHistory(env);
    EXPECT_EQ(h.wrapped(), 1u);
    EXPECT_EQ(h.next(), 0u);

    CConnectLog::Add(loc.c_str(), "recorder.example", 2000, "new", 5000);
    h = ReadHistory(env);
    EXPECT_EQ(h.address(37), "recorder.example");
    EXPECT_EQ(h.time(37), 5000u);
    EXPECT_EQ(h.slotField(37), 37u);
    EXPECT_EQ(h.address(0), Host(0));
    EXPECT_EQ(h.wrapped(), 1u);
    EXPECT_EQ(h.next(), 0u);
    EXPECT_EQ(h.bytes.size(), 8u + 100u * 532u);

    // When no record is older than now, slot 0 is taken.
    CConnectLog::Add(loc.c_str(), "late.example", 2000, "", 10);
    EXPECT_EQ(ReadHistory(env).address(0), "late.example");
}

TEST(ConnectLogTest, ARepeatedAddressAndPortRefreshesInPlace) {
    AppTestEnv env;
    const std::string loc = env.Location();
    CConnectLog::Add(loc.c_str(), "cam-a", 2000, "first", 100);
    CConnectLog::Add(loc.c_str(), "cam-b", 2000, "", 110);
    CConnectLog::Add(loc.c_str(), "cam-a", 2001, "other port", 120);
    CConnectLog::Add(loc.c_str(), "cam-a", 2000, "again", 130);
    const HistoryFile h = ReadHistory(env);
    EXPECT_EQ(h.next(), 3u);
    EXPECT_EQ(h.address(0), "cam-a");
    EXPECT_EQ(h.port(0), 2000u);
    EXPECT_EQ(h.time(0), 130u);
    EXPECT_EQ(h.description(0), "again");
    EXPECT_EQ(h.port(2), 2001u);
}

TEST(ConnectLogTest, LoadSortsNewestFirstWithEmptySlotsLast) {
    AppTestEnv env;
    const std::string loc = env.Location();
    const DWORD times[] = {300, 100, 500, 200};
    for (int i = 0; i < 4; ++i) {
        CConnectLog::Add(loc.c_str(), Host(i).c_str(), 2000, "", times[i]);
    }
    ConnectLogTable table;
    EXPECT_EQ(CConnectLog::Load(loc.c_str(), table), 4);
    EXPECT_STREQ(table[0].address, Host(2).c_str());
    EXPECT_STREQ(table[1].address, Host(0).c_str());
    EXPECT_STREQ(table[2].address, Host(3).c_str());
    EXPECT_STREQ(table[3].address, Host(1).c_str());
    EXPECT_TRUE(table[4].IsEmpty());
}

TEST(ConnectLogTest, AnEmptyAddressIsNeverRecorded) {
    AppTestEnv env;
    CConnectLog::Add(env.Location().c_str(), "", 2000, "nothing", 100);
    EXPECT_FALSE(std::filesystem::exists(CConnectLog::PathOf(env.Location().c_str())));
}

TEST(ConnectLogTest, SaveStopsAfterTheFirstEmptyRecordAndKeepsTheFileLength) {
    AppTestEnv env;
    const std::string loc = env.Location();
    for (int i = 0; i < 5; ++i) {
        CConnectLog::Add(loc.c_str(), Host(i).c_str(), 2000, "", DWORD(100 + i));
    }
    ConnectLogTable table{};
    table[0] = CConnectLog::MakeRecord("kept-1", 2000, "d1");
    table[1] = CConnectLog::MakeRecord("kept-2", 2000, "d2");
    table[3] = CConnectLog::MakeRecord("beyond", 2000, "");
    ASSERT_TRUE(CConnectLog::Save(loc.c_str(), table));
    const HistoryFile h = ReadHistory(env);
    EXPECT_EQ(h.bytes.size(), 8u + 5u * 532u);
    EXPECT_EQ(h.wrapped(), 0u);
    EXPECT_EQ(h.next(), 2u);
    EXPECT_EQ(h.address(0), "kept-1");
    EXPECT_EQ(h.address(1), "kept-2");
    EXPECT_EQ(h.address(2), "");      // the empty record is written
    EXPECT_EQ(h.address(3), Host(3)); // nothing after it
}

TEST(ConnectLogTest, AFullTableSavesWithTheWrappedHead) {
    AppTestEnv env;
    ConnectLogTable table{};
    for (int i = 0; i < 100; ++i) {
        table[i] = CConnectLog::MakeRecord(Host(i).c_str(), 2000, "");
    }
    ASSERT_TRUE(CConnectLog::Save(env.Location().c_str(), table));
    const HistoryFile h = ReadHistory(env);
    EXPECT_EQ(h.wrapped(), 1u);
    EXPECT_EQ(h.next(), 0u);
}

TEST(ConnectLogTest, DamagedFilesAreReadBoundedAndRepaired) {
    AppTestEnv env;
    const std::string loc = env.Location();
    // A head pointing far past the ring and a record whose texts fill their fields without a zero.
    std::string bytes(8 + 2 * 532, 'A');
    const unsigned char head[8] = {0, 0, 0, 0, 0x10, 0x27, 0, 0}; // (0, 10000)
    std::memcpy(bytes.data(), head, 8);
    std::memset(bytes.data() + 8 + 260, 0, 12);  // port, time, slot 0
    std::memset(bytes.data() + 8 + 532, 0, 532); // second slot empty
    AppTestEnv::WriteBytes(CConnectLog::PathOf(loc.c_str()), bytes);

    ConnectLogTable table;
    EXPECT_EQ(CConnectLog::Load(loc.c_str(), table), 2);
    EXPECT_EQ(std::strlen(table[0].address), 259u);
    EXPECT_EQ(std::strlen(table[0].description), 259u);

    CConnectLog::Add(loc.c_str(), "fresh", 2000, "", 50);
    const HistoryFile h = ReadHistory(env);
    EXPECT_EQ(h.address(2), "fresh"); // after the two records present
    EXPECT_EQ(h.next(), 3u);
    EXPECT_LE(h.bytes.size(), 8u + 100u * 532u);
}

TEST(ConnectLogTest, LongTextsAreCutToTheirFields) {
    const std::string longText(400, 'd');
    const ConnectLogRecord r = CConnectLog::MakeRecord(longText.c_str(), 1, longText.c_str());
    EXPECT_EQ(strnlen(r.address, 260), 259u);
    EXPECT_EQ(strnlen(r.description, 260), 259u);
}

TEST(AddressResolverTest, DottedAddressesAreReadAsDecimalWithoutTheResolver) {
    struct Case {
        const char* typed;
        const char* expected;
    };
    const Case cases[] = {
        {"010.001.002.003", "10.1.2.3"},
        {"09.1.1.1", "9.1.1.1"},
        {"192.168.0.20", "192.168.0.20"},
        {"0.0.0.0", ""},
        {"000.00.0.000", ""},
        {"256.1.1.300", "0.1.1.44"},
        {"", ""},
        {"localhost", "127.0.0.1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(std::string(CAddressResolver::Normalize(c.typed)), c.expected);
    }
}

TEST(AddressResolverTest, TextsThatAreNotFourDecimalPartsAreNotReadAsDotted) {
    for (const char* text : {"1.2.3", "1.2.3.4.5", "1..2.3", ".1.2.3", "1.2.3.", "1.2.3.x"}) {
        SCOPED_TRACE(text);
        CString dotted;
        EXPECT_FALSE(CAddressResolver::ParseDotted(text, dotted));
    }
    // Three parts go to the resolver, which reads them as a numeric address; no crash, four parts out.
    EXPECT_EQ(std::string(CAddressResolver::Normalize("1.2.3")), "1.2.0.3");
}

} // namespace
