#include "protocol/InfoBlocks.h"
#include "protocol/AccountRightsTable.h"
#include "protocol/ChannelInfoFile.h"
#include "protocol/DstInfo.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

using kelotest::TempDir;

std::vector<BYTE> Payload(std::size_t size, BYTE fill = 0) {
    return std::vector<BYTE>(size, fill);
}

std::vector<BYTE> RightsPayload() {
    std::vector<BYTE> p(584, 0);
    auto name = [&](int a, const char* text) { std::memcpy(p.data() + 72 + 32 * a, text, std::strlen(text)); };
    auto password = [&](int a, const char* text) { std::memcpy(p.data() + 328 + 32 * a, text, std::strlen(text)); };
    name(0, "admin");
    password(0, "1234");
    name(1, "Operator");
    password(1, "AbCdEfGhIj");
    std::memset(p.data() + 72 + 32 * 5, 'z', 32); // a name filling its whole slot
    for (int a = 0; a < 8; ++a) {
        p[8 * 6 + a] = 1; // may connect
        p[64 + a] = 1;    // level
    }
    p[64 + 1] = 0;    // operator's level 0
    p[8 * 2 + 0] = 1; // admin: playback
    return p;
}

} // namespace

TEST(InfoBlocks, DbChangeIsTakenOnlyWhole) {
    DbChangeBlock block{};
    std::vector<BYTE> p = Payload(596);
    p[0] = 0x01;
    p[3] = 0x02;
    p[4 + 5] = 1; // channel 6 hidden
    std::memcpy(p.data() + 20 + 32 * 15, "Yard", 4);
    std::memset(p.data() + 20 + 32 * 1, 'q', 32); // no terminator
    p[540] = 7;
    ASSERT_TRUE(ApplyDbChange(block, p));
    EXPECT_EQ(block.value, 0x01000002u);
    EXPECT_TRUE(IsChannelHidden(block, 5));
    EXPECT_FALSE(IsChannelHidden(block, 4));
    EXPECT_FALSE(IsChannelHidden(block, 16));
    EXPECT_EQ(CameraName(block, 15), "Yard");
    EXPECT_EQ(CameraName(block, 1), std::string(32, 'q'));
    EXPECT_EQ(ListeningChannel(block), 7);

    const DbChangeBlock before = block;
    EXPECT_FALSE(ApplyDbChange(block, Payload(595, 0xFF)));
    EXPECT_FALSE(ApplyDbChange(block, Payload(597, 0xFF)));
    EXPECT_EQ(std::memcmp(&before, &block, sizeof(block)), 0);
}

TEST(InfoBlocks, ListeningChannelOutsideTheChannelsIsNone) {
    DbChangeBlock block{};
    const BYTE values[] = {0, 15, 16, 200, 255};
    const int expected[] = {0, 15, -1, -1, -1};
    for (int i = 0; i < 5; ++i) {
        block.listen_channel = values[i];
        EXPECT_EQ(ListeningChannel(block), expected[i]) << int(values[i]);
    }
}

TEST(InfoBlocks, SystemInformationSizesAndIndexes) {
    SysEtcInfo info{};
    std::vector<BYTE> p = Payload(320);
    p[64 + 2 * 3] = 5;       // PTZ code 3: built-in name 5
    p[64 + 2 * 3 + 1] = 4;   // 4 baud rates
    p[64 + 2 * 4] = 40;      // name index past a table of 20
    p[64 + 2 * 4 + 1] = 200; // more baud rates than exist
    p[192 + 2 * 63] = 2;
    ASSERT_TRUE(ApplySysEtcInfo(info, p));
    EXPECT_EQ(PtzProtocolNameIndex(info, 3, 20), 5);
    EXPECT_EQ(PtzBaudCount(info, 3), 4);
    EXPECT_EQ(PtzProtocolNameIndex(info, 4, 20), 0);
    EXPECT_EQ(PtzBaudCount(info, 4), kBaudRateCount);
    EXPECT_EQ(KeyboardProtocolNameIndex(info, 63, 20), 2);
    EXPECT_EQ(PtzProtocolNameIndex(info, 64, 20), 0);
    EXPECT_EQ(PtzProtocolNameIndex(info, -1, 20), 0);

    EXPECT_FALSE(ApplySysEtcInfo(info, Payload(321, 9)));
    EXPECT_EQ(PtzProtocolNameIndex(info, 3, 20), 0); // cleared, not kept

    SysEtcInfoEx ex{};
    bool arrived = false;
    std::vector<BYTE> e = Payload(3200);
    std::memset(e.data() + 1024 + 16 * 2, 'P', 16); // no terminator
    std::memcpy(e.data() + 2112, "Kbd", 3);
    e[2048 + 2] = 3;
    e[3136] = 9;
    ASSERT_TRUE(ApplySysEtcInfoEx(ex, arrived, e));
    EXPECT_TRUE(arrived);
    EXPECT_EQ(PtzProtocolName(ex, 2), std::string(16, 'P'));
    EXPECT_EQ(KeyboardProtocolName(ex, 0), "Kbd");
    EXPECT_EQ(PtzBaudCount(ex, 2), 3);
    EXPECT_EQ(KeyboardBaudCount(ex, 0), kBaudRateCount);
    EXPECT_EQ(LanguageName(ex, 64), "");

    // A block of the wrong size clears the names and the flag together.
    EXPECT_FALSE(ApplySysEtcInfoEx(ex, arrived, Payload(3199, 'x')));
    EXPECT_FALSE(arrived);
    EXPECT_EQ(KeyboardProtocolName(ex, 0), "");
}

TEST(InfoBlocks, RecordingStatus) {
    RecStatusBlock status{};
    std::vector<BYTE> p = Payload(16);
    p[3] = 0x31;
    p[7] = 5;
    ASSERT_TRUE(ParseRecStatus(p, status));
    EXPECT_EQ(status.status, 0x31u);
    EXPECT_TRUE(IsRecordingMode(status));
    p[7] = 6;
    ASSERT_TRUE(ParseRecStatus(p, status));
    EXPECT_FALSE(IsRecordingMode(status));
    EXPECT_FALSE(ParseRecStatus(Payload(15), status));
}

TEST(DstInfo, TakesWholeTablesAndBoundsTheCount) {
    DstInfo info{};
    std::vector<BYTE> p = Payload(1204);
    p[3] = 2;
    const BYTE rule0[12] = {2, 4, 0, 2, 0, 9, 4, 0, 3, 0, 0, 0};
    const BYTE rule1[12] = {12, 0, 0, 2, 0, 9, 4, 0, 3, 0, 0, 0}; // month 12 does not exist
    std::memcpy(p.data() + 4, rule0, 12);
    std::memcpy(p.data() + 16, rule1, 12);
    ASSERT_TRUE(ApplyDstInfo(info, p));
    EXPECT_EQ(info.count, 2u);
    ASSERT_NE(FindDstRule(info, 0), nullptr);
    EXPECT_EQ(FindDstRule(info, 0)->end_month, 9);
    EXPECT_EQ(FindDstRule(info, 1), nullptr);
    EXPECT_EQ(FindDstRule(info, 2), nullptr); // beyond the count

    const DstInfo before = info;
    EXPECT_FALSE(ApplyDstInfo(info, Payload(1203, 0x55)));
    EXPECT_EQ(std::memcmp(&before, &info, sizeof(info)), 0);

    p[2] = 0x01; // 258 rules announced
    ASSERT_TRUE(ApplyDstInfo(info, p));
    EXPECT_EQ(info.count, kDstRuleCount);
    EXPECT_EQ(FindDstRule(info, 100), nullptr);
}

TEST(AccountRights, FindsTheLoggedInAccountAndItsRights) {
    AccountRightsTable table{};
    ASSERT_TRUE(ApplyRightChange(table, RightsPayload()));
    EXPECT_EQ(FindAccount(table, "ADMIN"), 0);
    EXPECT_EQ(FindAccount(table, "operator"), 1);
    EXPECT_EQ(FindAccount(table, std::string(32, 'Z')), 5);
    EXPECT_EQ(FindAccount(table, std::string(31, 'z')), -1);
    EXPECT_EQ(FindAccount(table, "nobody"), -1);
    EXPECT_EQ(AccountName(table, 5), std::string(32, 'z'));

    EXPECT_TRUE(MayConnect(table, 0));
    EXPECT_FALSE(MayConnect(table, 1)); // level 0
    EXPECT_FALSE(MayConnect(table, 8));
    EXPECT_TRUE(HasRight(table, kRightPlayback, 0));
    EXPECT_FALSE(HasRight(table, kRightBackup, 0));
    EXPECT_FALSE(HasRight(table, 8, 0));

    // A table of the wrong size leaves the previous one in force.
    EXPECT_FALSE(ApplyRightChange(table, Payload(583)));
    EXPECT_EQ(FindAccount(table, "admin"), 0);
    EXPECT_TRUE(MayConnect(table, 0));
}

TEST(AccountRights, StoredPasswordIsEightLowerCaseCharactersAndZeros) {
    AccountRightsTable table{};
    ASSERT_TRUE(ApplyRightChange(table, RightsPayload()));
    const std::array<char, 16> stored = StoredPassword(table, 1);
    EXPECT_EQ(std::string(stored.data()), "abcdefgh");
    for (std::size_t i = 8; i < stored.size(); ++i) {
        EXPECT_EQ(stored[i], 0) << i;
    }
    EXPECT_TRUE(PasswordMatches(stored, "ABCDEFGH"));
    EXPECT_FALSE(PasswordMatches(stored, "abcdefg"));
    EXPECT_TRUE(PasswordMatches(StoredPassword(table, 0), "1234"));
}

TEST(ChannelInfoFile, WritesFourLinesUnderTheWebLocation) {
    TempDir folder;
    WebExportSettings web;
    web.active = true;
    web.location = folder.Path() / "web" / "export";
    web.width = 352;
    web.height = 288;
    web.interval = 1000;
    ASSERT_TRUE(WriteChannelInfoFile(web, 0x1234ABCD));
    std::ifstream in(web.location / "chinfo.bin", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), std::to_string(0xABCD) + "\r\n352\r\n288\r\n1000\r\n");

    web.location.clear();
    EXPECT_FALSE(WriteChannelInfoFile(web, 1));
}
