#include "app/ConnectLog.h"
#include "app/AddressResolver.h"
#include "tests/app/AppTestEnv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

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

    // Both slots are read; neither is a connection (the first has port 0 and a 259-character
    // address, which the connect dialog never takes).
    ConnectLogTable table;
    EXPECT_EQ(CConnectLog::Load(loc.c_str(), table), 2);
    EXPECT_TRUE(table[0].IsEmpty());

    CConnectLog::Add(loc.c_str(), "fresh", 2000, "", 50);
    const HistoryFile h = ReadHistory(env);
    EXPECT_EQ(h.address(2), "fresh"); // after the two records present
    EXPECT_EQ(h.next(), 3u);
    EXPECT_LE(h.bytes.size(), 8u + 100u * 532u);
}

// The damaged files met in use: random bytes in place of the history, and a history cut inside a
// record and then written to again by the next connection (the cut record is completed with zeros).
TEST(ConnectLogTest, DamagedFilesKeepOnlyTheConnectionsTheDialogCouldHaveWritten) {
    AppTestEnv env;
    const std::string loc = env.Location();
    const std::string path = CConnectLog::PathOf(loc.c_str());
    const DWORD today = 1796904000; // 2026-12-10 12:00

    std::string noise(1 << 20, '\0');
    std::uint32_t state = 0x2026121u;
    for (char& c : noise) {
        state = state * 1664525u + 1013904223u;
        c = char(state >> 24);
    }
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    AppTestEnv::WriteBytes(path, noise);
    ConnectLogTable table;
    CConnectLog::Load(loc.c_str(), table);
    EXPECT_TRUE(table[0].IsEmpty()) << "random bytes gave a connection to '" << table[0].address << "'";

    std::filesystem::remove(path);
    CConnectLog::Add(loc.c_str(), "192.168.100.200", 2000, "front gate", today);
    CConnectLog::Add(loc.c_str(), "recorder-warehouse.example.net", 8016, "warehouse", today + 60);
    std::filesystem::resize_file(path, 700); // inside the second record, after its address
    CConnectLog::Add(loc.c_str(), "10.1.2.3", 65535, "yard", today + 120);
    CConnectLog::Load(loc.c_str(), table);
    ASSERT_STREQ(table[0].address, "10.1.2.3");
    EXPECT_EQ(DWORD(table[0].port), 65535u);
    ASSERT_STREQ(table[1].address, "192.168.100.200");
    EXPECT_STREQ(table[1].description, "front gate");
    EXPECT_TRUE(table[2].IsEmpty()) << "the cut record came back as '" << table[2].address << "' port "
                                    << DWORD(table[2].port);
}

TEST(ConnectLogTest, OnlyTypedAddressesAndRealPortsAreAcceptable) {
    struct Case {
        std::string address;
        DWORD port;
        bool acceptable;
    };
    const std::vector<Case> cases = {
        {"192.168.100.200", 2000, true},
        {"recorder-warehouse.example.net", 1, true},
        {"caf\xC3\xA9-recorder", 65535, true}, // typed in UTF-8
        {std::string(120, 'h'), 2000, true},
        {std::string(121, 'h'), 2000, false},
        {"10.0.0.1", 0, false},
        {"10.0.0.1", 65536, false},
        {"", 2000, false},
        {"10.0.\x01.1", 2000, false},
        {"host\x7F", 2000, false},
        {"\xC3", 2000, false},         // a cut sequence
        {"\xC0\xAE", 2000, false},     // an overlong one
        {"\xC2\x85host", 2000, false}, // a control character of the upper half
        {"\xFF\xFE\xFD", 2000, false},
    };
    for (const Case& c : cases) {
        const ConnectLogRecord r = CConnectLog::MakeRecord(c.address.c_str(), c.port, "");
        EXPECT_EQ(CConnectLog::IsAcceptable(r), c.acceptable) << c.address << " port " << c.port;
    }
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
