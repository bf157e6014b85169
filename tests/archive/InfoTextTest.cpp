// The information pages' rows: capacities, channel states, the system information of a connection
// and the program's version.

#include "archive/InfoText.h"
#include "protocol/HelloInfo.h"
#include "res/TextIds.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

CString Text(UINT id) {
    CString t;
    t.Format("T%u", id);
    return t;
}

std::vector<BYTE> StatusReply(DWORD mask, DWORD status, DWORD first, DWORD second) {
    std::vector<BYTE> bytes(16);
    const DWORD words[4] = {mask, status, first, second};
    for (std::size_t w = 0; w < 4; ++w) {
        for (std::size_t i = 0; i < 4; ++i) {
            bytes[4 * w + i] = BYTE(words[w] >> (24 - 8 * i));
        }
    }
    return bytes;
}

} // namespace

TEST(InfoText, CapacitiesInMegaGigaAndTerabytes) {
    struct Case {
        ULONGLONG mbyte;
        const char* text;
    };
    const Case cases[] = {
        {500, "  500 MByte"},          {2048, "    2 GByte"},         {1024 * 1024 - 1, " 1023 GByte"},
        {1024 * 1024, "  1.00 TByte"}, {1464 * 1024, "  1.43 TByte"}, {0xFFFFFFFFull, "4096.00 TByte"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(FormatCapacity(c.mbyte).GetString(), c.text) << c.mbyte;
    }
}

TEST(InfoText, StatusRowsShowCapacitiesThenEachChannel) {
    const StatusInfoRecord record = ParseStatusInfo(StatusReply(0x0005, 3, 2048, 3072));
    const std::vector<InfoRow> rows = StatusInfoRows(record, 8, Text);
    ASSERT_EQ(rows.size(), 3u + 1u + 8u);
    EXPECT_STREQ(rows[0][1].GetString(), "    2 GByte");
    EXPECT_STREQ(rows[1][1].GetString(), "4096.00 TByte") << "a second value above the first wraps";
    EXPECT_STREQ(rows[2][1].GetString(), "    3 GByte");
    EXPECT_TRUE(rows[3][0].IsEmpty());
    EXPECT_STREQ(rows[4][0].GetString(), "T5152 01");
    EXPECT_STREQ(rows[4][1].GetString(), "T5142") << "code 3 shows text 5142";
    EXPECT_STREQ(rows[5][1].GetString(), "T5144") << "a channel outside the mask";
    EXPECT_STREQ(rows[6][1].GetString(), "T5142");
    EXPECT_EQ(StatusInfoRows(record, 0, Text).size(), 20u) << "without a connection: 16 channels";

    const UINT texts[8] = {IDS_IDLE,
                           IDS_RECORDING,
                           IDS_ALARM_RECORDING,
                           IDS_SCHEDULE_RECORDING,
                           IDS_MOTION_RECORDING,
                           IDS_VIDEO_LOSS_STATUS,
                           IDS_NONE_STATUS,
                           IDS_NONE_STATUS};
    for (DWORD code = 0; code < 8; ++code) {
        EXPECT_EQ(StatusText(code), texts[code]) << code;
    }
    const StatusInfoRecord shortReply = ParseStatusInfo(std::vector<BYTE>{0, 0, 0, 1, 0, 0});
    EXPECT_EQ(shortReply.channel_mask, 1u);
    EXPECT_EQ(shortReply.status, 0u);
    EXPECT_EQ(shortReply.second_capacity, 0u);
}

TEST(InfoText, SystemRowsShowTheConnectionMacAndFirmware) {
    HelloInfo hello{};
    const BYTE mac[6] = {0x00, 0x1a, 0xBC, 0x0f, 0xff, 0x10};
    std::memcpy(hello.mac, mac, 6);
    std::strcpy(hello.FirmName[0], "main");
    hello.FirmVer[0] = 1204372800 + 3723;
    std::memset(hello.FirmName[6], 'f', 32); // fills its slot
    hello.FirmVer[6] = 0x80000000u;
    SystemInfoSource source;
    source.address = "10.0.0.5";
    source.port = 2000;
    source.connectionText = "Gate";
    source.hello = &hello;
    const std::vector<InfoRow> rows = SystemInfoRows(source, Text);
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_STREQ(rows[0][1].GetString(), "10.0.0.5");
    EXPECT_STREQ(rows[1][1].GetString(), "2000");
    EXPECT_STREQ(rows[2][1].GetString(), "Gate");
    EXPECT_STREQ(rows[3][1].GetString(), "00:1A:BC:0F:FF:10");
    EXPECT_STREQ(rows[5][0].GetString(), "T5146");
    EXPECT_STREQ(rows[5][1].GetString(), "2008  0301  1302");
    EXPECT_STREQ(rows[5][2].GetString(), "main");
    EXPECT_STREQ(rows[6][1].GetString(), "1970  0101  0000");
    EXPECT_STREQ(rows[9][0].GetString(), "T5151");
    EXPECT_STREQ(rows[9][1].GetString(), "1970  0101  0000") << "a negative version";
    EXPECT_EQ(std::string(rows[9][2].GetString()), std::string(32, 'f'));

    source.hello = nullptr;
    EXPECT_TRUE(SystemInfoRows(source, Text).empty()) << "no connection, no rows";
}

TEST(InfoText, VersionRow) {
    const WORD version[4] = {1, 0, 12, 3};
    const InfoRow row = VersionRow(version, Text);
    EXPECT_STREQ(row[0].GetString(), "T5410");
    EXPECT_STREQ(row[1].GetString(), " 1.0.12.3");
}
