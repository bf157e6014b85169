// The client against the recorder simulator on an ephemeral loopback port.
#include "protocol/ByteOrder.h"
#include "protocol/ClientMessages.h"
#include "protocol/Crc32.h"
#include "protocol/DvrClient.h"
#include "protocol/MessageIds.h"
#include "protocol/ReasonCodes.h"
#include "tests/protocol/FakeClientHost.h"
#include "tests/protocol/SimClientTiming.h"
#include "tests/support/Prerequisite.h"
#include "tests/support/SimProcess.h"

#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// Small pictures and a short loop keep the simulator's start-up quick.
const std::vector<std::string> kQuick = {"--resolution", "cif", "--loop-seconds", "1"};

bool IsLoginLog(const HostCall& c) {
    return c.kind == HostCall::LocalLog && c.subKind == 1;
}

class SimTest : public ::testing::Test {
protected:
    void SetUp() override { KELO_REQUIRE(SimProcess::Available(), "the recorder simulator is not built"); }
    // Starts a simulator with the options and a client that connects to it.
    void Start(std::vector<std::string> options, const char* user = "admin", const char* password = "1234") {
        options.insert(options.end(), kQuick.begin(), kQuick.end());
        ASSERT_TRUE(sim.Start(options));
        client = std::make_unique<CDvrClient>(DvrClientSeams{&host, &video, nullptr}, SimClientTiming());
        client->Login().SetConnectParams("127.0.0.1", static_cast<DWORD>(sim.Port()), user, password);
        ASSERT_TRUE(client->Connect());
    }
    bool Send(WORD id, std::vector<BYTE> payload = {}) {
        return client->SendPacket(PacketHeader::Request(id, static_cast<DWORD>(payload.size())), payload.data(),
                                  static_cast<DWORD>(payload.size())) > 0;
    }
    std::vector<HostCall> WaitReplies(std::size_t n) {
        host.WaitUntil(
            [n](const std::vector<HostCall>& calls) { return FakeClientHost::Count(calls, HostCall::Reply) >= n; });
        return host.CallsOf(HostCall::Reply);
    }
    void TearDown() override {
        if (client) {
            client->Disconnect();
            client.reset();
        }
        sim.Stop();
    }

    SimProcess sim;
    FakeClientHost host;
    FakeVideoView video;
    std::unique_ptr<CDvrClient> client;
};

} // namespace

TEST_F(SimTest, LogsInTakesThePushesAndSaysByeOnDisconnect) {
    Start({"--channels", "6"}, "ADMIN", "1234"); // the simulator compares the lower-cased HELLO fields
    ASSERT_TRUE(host.WaitFor(IsLoginLog));
    EXPECT_TRUE(client->Login().IsConnected());
    EXPECT_EQ(client->Login().GetDvrType(), 3u);
    EXPECT_EQ(client->Login().GetHello().channel_num, 16); // 6 is served as 16
    EXPECT_TRUE(client->Login().IsVersion12());
    EXPECT_TRUE(sim.WaitLog("sim: recv LIVE_REQ len=4"));
    // The pushes after the login and the live stream are taken in step: the connection stays.
    std::this_thread::sleep_for(1s);
    EXPECT_TRUE(host.Notices().empty());

    client->Disconnect();
    EXPECT_TRUE(sim.WaitLog("sim: recv BYE48 len=0"));
    EXPECT_EQ(client->GetSocketThreadId(), 0u);
    EXPECT_TRUE(host.WaitFor([](const HostCall& c) { return c.kind == HostCall::LocalLog && c.subKind == 2; }));
}

TEST_F(SimTest, WrongProductEndsTheSession) {
    Start({"--product", "2"});
    EXPECT_TRUE(host.WaitFor([](const HostCall& c) { return c.kind == HostCall::WrongProduct; }));
    EXPECT_TRUE(host.WaitForNotice(kNoticeConnectionClosed));
    EXPECT_TRUE(sim.WaitLog("sim: session ends"));
}

TEST_F(SimTest, LoginRefusalsBecomeNotices) {
    const std::pair<std::string, LPARAM> cases[] = {
        {"1", kNoticeByeUnknown},
        {"2", kNoticeByeClosedByRecorder},
        {"3", kNoticeByeSetupChanged},
        {"33", kNoticeByeFirmwareUpdate},
        {"34", kNoticeByeShutDown},
        {"35", kNoticeByeAnotherUser},
        {"36", kNoticeByeTooManyConnections},
        {"-2", kNoticeByeNoAnswer},
        {"37", kNoticeNotAllowed},
        {"99", 0},
    };
    for (const auto& [reason, notice] : cases) {
        SimProcess s;
        ASSERT_TRUE(s.Start({"--login-fail-reason", reason, "--resolution", "cif", "--loop-seconds", "1"}));
        FakeClientHost h;
        CDvrClient c(DvrClientSeams{&h, &video, nullptr}, SimClientTiming());
        c.Login().SetConnectParams("127.0.0.1", static_cast<DWORD>(s.Port()), "admin", "wrong");
        ASSERT_TRUE(c.Connect());
        ASSERT_TRUE(h.WaitForNotice(kNoticeConnectionClosed)) << reason;
        const std::vector<LPARAM> expected = notice ? std::vector<LPARAM>{notice, kNoticeConnectionClosed}
                                                    : std::vector<LPARAM>{kNoticeConnectionClosed};
        EXPECT_EQ(h.Notices(), expected) << reason;
        c.Disconnect();
        // A session that never logged in writes no disconnect log entry.
        for (const HostCall& log : h.CallsOf(HostCall::LocalLog)) {
            EXPECT_NE(log.subKind, 2) << reason;
        }
    }
}

TEST_F(SimTest, EveryRefusalReachesItsNotice) {
    struct Row {
        const char* refusal; // simulator option MSG:REASON[:X:Y]
        WORD request;
        std::size_t payload;
        LPARAM notice; // 0: none expected
    };
    // Two rounds, as each refusal can be given once per simulator.
    const std::vector<std::vector<Row>> rounds = {
        {
            {"REC_ON_NACK:65", Msg::REC_ON_REQ, 0, kNoticeLiveNotAllowedNow},
            {"REC_OFF_NACK:66", Msg::REC_OFF_REQ, 0, kNoticeLivePlaybackRunning},
            {"PLAY_OFF_NACK:2", Msg::RPLAY_STOP, 0, kNoticeRefusedWrongRequest},
            {"TRANS_OFF_NACK:1", Msg::TRANS_OFF_REQ, 0, kNoticeRefused},
            {"PLAY_ON_NACK:53", Msg::PLAY_ON_REQ, 24, kNoticeRefusedInUse},
            {"TRANS_ON_NACK:87:100:200", Msg::TRANS_ON_REQ, 24, kNoticeRefusedNoSpace},
            {"DB48_INFO_NACK:83", Msg::DB_INFO_REQ, 0, kNoticeNothingFound},
            {"DB_UPDATE_NACK:97", Msg::DB_UPDATE_REQ, 6636, kNoticeSetupRefusedChanging},
            {"DB_INIT_NACK:97", Msg::DB_INIT_REQ, 0, kNoticeRefusedSetupChanging},
            {"SEND_TEST_MAIL_NACK:1", Msg::SEND_TEST_MAIL_REQ, 516, kNoticeRefused},
            {"PLAY_INFO_MONTH_NACK:86", Msg::PLAY_INFO_MONTH_REQ, 0, kNoticeRefusedBusy},
            {"TRANS_INFO_MONTH_NACK:98", Msg::TRANS_INFO_MONTH_REQ, 0, kNoticeRefusedDiskError},
            {"PLAY_INFO_DAY_NACK:82", Msg::PLAY_INFO_DAY_REQ, 8, kNoticeNothingFound},
            {"TRANS_INFO_DAY_NACK:86", Msg::TRANS_INFO_DAY_REQ, 8, kNoticeRefusedBusy},
            {"EVENT_INFO_NACK:52", Msg::EVENT_INFO_REQ, 0, kNoticeRefusedInUse},
            {"LOG_INFO_NACK:83", Msg::LOG_INFO_REQ, 0, kNoticeNothingFound},
            {"STATUS_INFO_NACK:86", Msg::STATUS_INFO_REQ, 0, kNoticeRefusedBusy},
            {"A_LISTEN_NACK:54", Msg::A_LISTEN_REQ, 0, kNoticeTalkInUse},
            {"REBOOT_NACK:2", Msg::REBOOT_REQ, 0, kNoticeRefusedWrongRequest},
            {"POWEROFF_NACK:1", Msg::POWEROFF_REQ, 0, kNoticeRefused},
        },
        {
            {"REC_ON_NACK:1", Msg::REC_ON_REQ, 0, kNoticeLiveRefused},
            {"PLAY_ON_NACK:86", Msg::PLAY_ON_REQ, 24, 0},
            {"DB_UPDATE_NACK:51", Msg::DB_UPDATE_REQ, 6636, kNoticeSetupRefusedBusy},
            {"A_LISTEN_NACK:55", Msg::A_LISTEN_REQ, 0, kNoticeTalkUnavailable},
            {"EVENT_INFO_NACK:12345", Msg::EVENT_INFO_REQ, 0, 0},
            {"STATUS_INFO_NACK:1", Msg::STATUS_INFO_REQ, 0, kNoticeRefused},
            {"TRANS_ON_FAIL:98", Msg::TRANS_DATA_REQ, 24, kNoticeRefusedDiskError},
            {"LIVE_STOP_NACK:1", Msg::LIVE_STOP, 0, kNoticeLiveRefused},
        },
    };
    for (const std::vector<Row>& rows : rounds) {
        SimProcess s;
        std::vector<std::string> options = kQuick;
        for (const Row& r : rows) {
            options.push_back("--refuse");
            options.push_back(r.refusal);
        }
        // A last refusal marks the end of the round.
        options.push_back("--refuse");
        options.push_back("POWEROFF_NACK:2");
        if (&rows == &rounds[0]) {
            options.back() = "LIVE_NACK:1"; // round one: refuses the login's LIVE_REQ as well
        }
        ASSERT_TRUE(s.Start(options));
        FakeClientHost h;
        CDvrClient c(DvrClientSeams{&h, &video, nullptr}, SimClientTiming());
        c.Login().SetConnectParams("127.0.0.1", static_cast<DWORD>(s.Port()), "admin", "1234");
        ASSERT_TRUE(c.Connect());
        ASSERT_TRUE(h.WaitFor(IsLoginLog));
        std::vector<LPARAM> expected;
        if (&rows == &rounds[0]) {
            expected.push_back(0x50000);
        }
        for (const Row& r : rows) {
            std::vector<BYTE> payload(r.payload, 0);
            if (r.request == Msg::TRANS_DATA_REQ) {
                // Every channel, every type, to the end of the recordings: frames flow, then the failure.
                payload[2] = 0xFF;
                payload[3] = 0xFF;
                payload[4] = 0x3F;
            }
            // Well-formed requests, so that the recorder answers with the configured refusal.
            if (r.request == Msg::PLAY_INFO_DAY_REQ || r.request == Msg::TRANS_INFO_DAY_REQ) {
                WriteBE32(payload.data(), 2026);
                payload[4] = 12; // month 1-12
                payload[5] = 10; // day 1-31
            }
            if (r.request == Msg::DB_UPDATE_REQ) {
                WriteBE32(payload.data(), Crc32(0, payload.data() + 4, payload.size() - 4));
            }
            ASSERT_GT(c.SendPacket(PacketHeader::Request(r.request, static_cast<DWORD>(payload.size())), payload.data(),
                                   static_cast<DWORD>(payload.size())),
                      0);
            if (r.notice != 0) {
                expected.push_back(r.notice);
                EXPECT_TRUE(h.WaitForNotice(r.notice)) << r.refusal;
            }
        }
        if (&rows != &rounds[0]) {
            ASSERT_GT(c.SendPacket(PacketHeader::Request(Msg::POWEROFF_REQ, 0), nullptr, 0), 0);
            expected.push_back(0x60001);
        } else {
            // LIVE_NACK answers LIVE_REQ: ask again to mark the end.
            BYTE mask[4] = {0, 0, 0, 1};
            ASSERT_GT(c.SendPacket(PacketHeader::Request(Msg::LIVE_REQ, 4), mask, 4), 0);
            expected.push_back(0x50000);
        }
        ASSERT_TRUE(h.WaitUntil([&](const std::vector<HostCall>& calls) {
            return FakeClientHost::Count(calls, HostCall::Notice) >= expected.size();
        }));
        EXPECT_EQ(h.Notices(), expected);
        c.Disconnect();
    }
}

TEST_F(SimTest, ListRepliesAreGatheredCutAndNeverLeaveTheFrameWaiting) {
    Start({"--fragment", "1000", "--log-entries", "300", "--fault", "bytes:PLAY_INFO_MONTH_ACK:2200000", "--fault",
           "bytes:EVENT_INFO_ACK:23", "--fault", "bytes:PLAY_INFO_DAY_ACK:23"});
    ASSERT_TRUE(host.WaitFor(IsLoginLog));
    client->Search().SetSearchFrameOpen(true);

    // A month reply in many fragments arrives whole: one record per year.
    client->Search().ResetSearchReply();
    ASSERT_TRUE(Send(Msg::TRANS_INFO_MONTH_REQ));
    auto replies = WaitReplies(1);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].message, WM_KELO_TRANS_MONTH_READY);
    ASSERT_GE(replies[0].count, 1u);
    ASSERT_EQ(replies[0].bytes.size(), replies[0].count * kMonthRecordSize);
    const DWORD year = ReadBE32(replies[0].bytes.data());
    EXPECT_GE(year, 2000u);
    EXPECT_LE(year, 2100u);

    // The log: 300 entries of 200 bytes in 60 fragments, every entry whole.
    client->Search().ResetSearchReply();
    ASSERT_TRUE(Send(Msg::LOG_INFO_REQ));
    replies = WaitReplies(2);
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replies[1].message, WM_KELO_LOG_READY);
    ASSERT_EQ(replies[1].bytes.size(), 300u * 200u);
    for (std::size_t i = 0; i < 300; ++i) {
        EXPECT_EQ(ReadBE32(&replies[1].bytes[i * 200 + 4]), 200u) << i;
    }

    // A month reply over the 2 MB buffer is cut at whole records.
    client->Search().ResetSearchReply();
    ASSERT_TRUE(Send(Msg::PLAY_INFO_MONTH_REQ));
    replies = WaitReplies(3);
    ASSERT_EQ(replies.size(), 3u);
    EXPECT_EQ(replies[2].count, kSearchReplyCapacity / kMonthRecordSize);
    EXPECT_EQ(replies[2].bytes.size(), replies[2].count * kMonthRecordSize);

    // No whole record: the event list comes empty, the day ends its wait with "nothing found".
    client->Search().ResetSearchReply();
    ASSERT_TRUE(Send(Msg::EVENT_INFO_REQ));
    replies = WaitReplies(4);
    ASSERT_EQ(replies.size(), 4u);
    EXPECT_EQ(replies[3].message, WM_KELO_EVENT_LIST_READY);
    EXPECT_EQ(replies[3].count, 0u);
    BYTE day[8] = {};
    WriteBE32(day, year);
    day[4] = 1;
    day[5] = 1;
    host.Clear();
    ASSERT_TRUE(Send(Msg::PLAY_INFO_DAY_REQ, std::vector<BYTE>(day, day + 8)));
    EXPECT_TRUE(host.WaitForNotice(kNoticeNothingFound));
    EXPECT_EQ(host.CallsOf(HostCall::ClearBusy).size(), 1u);
}

TEST_F(SimTest, FaultyStreamsEndTheConnectionCleanly) {
    struct Case {
        std::vector<std::string> fault;
        bool staysConnected; // the stream stays in step: a later refusal still arrives
    };
    const Case cases[] = {
        {{"--fault", "stall-mid:DB_CHANGE"}, false},
        {{"--fault", "close-mid:DB_CHANGE"}, false},
        {{"--fault", "garbage:5000"}, false},
        {{"--fault", "size:RIGHT_CHANGE:100", "--fault", "size:DST_INFO:-4"}, true},
        {{"--fault", "size:REC_STATUS:65000"}, true},
    };
    for (const Case& c : cases) {
        SimProcess s;
        std::vector<std::string> options = kQuick;
        options.insert(options.end(), c.fault.begin(), c.fault.end());
        options.push_back("--refuse");
        options.push_back("REC_ON_NACK:65");
        ASSERT_TRUE(s.Start(options));
        FakeClientHost h;
        CDvrClient cl(DvrClientSeams{&h, &video, nullptr}, SimClientTiming());
        cl.Login().SetConnectParams("127.0.0.1", static_cast<DWORD>(s.Port()), "admin", "1234");
        ASSERT_TRUE(cl.Connect());
        const std::string what = c.fault[1];
        if (c.staysConnected) {
            ASSERT_TRUE(h.WaitFor(IsLoginLog)) << what;
            ASSERT_GT(cl.SendPacket(PacketHeader::Request(Msg::REC_ON_REQ, 0), nullptr, 0), 0);
            EXPECT_TRUE(h.WaitForNotice(kNoticeLiveNotAllowedNow)) << what;
            EXPECT_EQ(h.Notices(), std::vector<LPARAM>{kNoticeLiveNotAllowedNow}) << what;
        } else {
            EXPECT_TRUE(h.WaitForNotice(kNoticeConnectionClosed)) << what;
        }
        cl.Disconnect();
        EXPECT_EQ(cl.GetSocketThreadId(), 0u) << what;
    }
}
