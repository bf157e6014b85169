// The simulator's checks of what a client sends: every malformed request gets the refusal of its
// request (or, where it has none, the end of the connection), one counted violation, and the
// simulator goes on serving the next client.
#include "tests/sim/SimTestClient.h"
#include "tests/support/Prerequisite.h"
#include "tests/support/SimProcess.h"

#include <gtest/gtest.h>

#include <gtest/gtest-spi.h>

using namespace simtest;

namespace {

constexpr uint16_t kClosed = 0;
constexpr uint32_t kLast = 1u << 30;

// A request as raw header words and payload, so that any bit can be got wrong.
struct Request {
    uint16_t id = 0;
    Bytes payload;
    uint32_t w0Extra = 0;
    uint32_t w1Extra = 0;
    uint32_t w2 = 0;
};

Bytes Wire(const Request& r) {
    Bytes b(16 + r.payload.size(), 0);
    PutBe32(&b[0], uint32_t(r.id) << 7 | r.w0Extra);
    PutBe32(&b[4], uint32_t(r.payload.size()) | r.w1Extra);
    PutBe32(&b[8], r.w2);
    std::copy(r.payload.begin(), r.payload.end(), b.begin() + 16);
    return b;
}

Bytes TimeRange(uint32_t mask, uint8_t types) {
    Bytes r(24, 0);
    PutBe32(&r[0], mask);
    r[4] = types;
    PutBe32(&r[16], 1215000000 - 3600);
    return r;
}

Bytes DayRequest(uint8_t month, uint8_t day) {
    return {0, 0, 0x07, 0xD8, month, day, 0, 0};
}

Bytes FirmwareRequest(uint8_t entry) {
    Bytes r(56, 0);
    PutBe32(&r[4], 1300000000);
    r[16] = entry;
    std::memcpy(&r[21], "KERNEL", 6);
    return r;
}

Bytes WithByte(Bytes b, size_t at, uint8_t value) {
    b[at] = value;
    return b;
}

// How far listening has come when a talk buffer is sent.
enum class Listening { Never, Accepted, Stopped };

struct MalformedCase {
    const char* name;
    Request request;
    uint16_t reply; // the refusal, or kClosed
    uint32_t reason;
    bool announceFirmware = false; // a FW_UPDATE_REQ is acknowledged first
    Listening listening = Listening::Never;
};

void PrintTo(const MalformedCase& c, std::ostream* os) {
    *os << c.name;
}

class SimStrict : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(SimStrict, AMalformedRequestIsRefusedOrClosedCountedAndTheNextClientIsServed) {
    const MalformedCase& t = GetParam();
    SimInstance sim(SmallConfig());
    ASSERT_TRUE(sim.listening);
    {
        TestClient c(sim.Port());
        ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
        if (t.announceFirmware) {
            ASSERT_TRUE(c.Send(msg::FW_UPDATE_REQ, FirmwareRequest(3)));
            ASSERT_TRUE(c.RecvId(msg::FW_UPDATE_ACK));
        }
        if (t.listening != Listening::Never) {
            ASSERT_TRUE(c.Send(msg::A_LISTEN_REQ));
            ASSERT_TRUE(c.RecvId(msg::A_LISTEN_ACK));
        }
        if (t.listening == Listening::Stopped) {
            ASSERT_TRUE(c.Send(msg::A_LISTEN_STOP_REQ));
            ASSERT_TRUE(c.RecvId(msg::A_LISTEN_STOP_ACK));
        }
        ASSERT_TRUE(c.SendRaw(Wire(t.request)));
        if (t.reply == kClosed) {
            EXPECT_TRUE(c.WaitClosed(5000)) << "a request without a refusal ends the connection";
        } else {
            auto m = c.RecvId(t.reply);
            ASSERT_TRUE(m) << "no refusal " << t.reply;
            EXPECT_EQ(m->payload.size(), 4u);
            EXPECT_EQ(m->Reason(), t.reason);
            if (t.reply == 4) {
                EXPECT_TRUE(c.WaitClosed(5000)) << "BYE48 ends the connection";
            } else {
                // The connection still serves a well-formed request.
                ASSERT_TRUE(c.Send(msg::DVR_TIME_REQ));
                EXPECT_TRUE(c.RecvId(msg::DVR_TIME_ACK)) << "DVR_TIME_ACK after the refusal";
            }
        }
    }
    EXPECT_EQ(sim.recorder->Violations(), 1u);
    TestClient next(sim.Port());
    EXPECT_EQ(LoginAndPushes(next).size(), kLoginMessages);
    EXPECT_EQ(sim.recorder->Violations(), 1u);
}

const Bytes kGoodRange = TimeRange(0xFFFF, 0x3F);
const Bytes kStartRecord = [] {
    Bytes r(24, 0);
    PutBe32(&r[0], 0xF);
    r[5] = 1;
    PutBe32(&r[16], 1215000000 - 3600);
    return r;
}();

INSTANTIATE_TEST_SUITE_P(
    Requests, SimStrict,
    ::testing::Values(
        // Header bits.
        MalformedCase{"audio bit on LIVE_STOP", {20, {}, 0x8}, 22, 1},
        MalformedCase{"audio channel on REC_ON_REQ", {32, {}, 0x3}, 34, 1},
        MalformedCase{"high word 0 bits on DB_INFO_REQ", {112, {}, 0x10000}, 114, 1},
        MalformedCase{"last bit on LIVE_REQ", {16, Be32Payload(0xFFFF), 0, kLast}, 19, 1},
        MalformedCase{"word 1 bit 16 on PLAY_ON_REQ", {51, kGoodRange, 0, 1u << 16}, 54, 1},
        MalformedCase{"word 2 on REBOOT_REQ", {342, {}, 0, 0, 7}, 344, 1},
        MalformedCase{"unknown id 300", {300, {}}, kClosed, 0},
        MalformedCase{"recorder message HELLO48_ACK", {5, Bytes(768, 0)}, kClosed, 0},
        MalformedCase{"a second HELLO", {1, Bytes(32, 0)}, 4, 1},
        // One per fixed-size request.
        MalformedCase{"BYE48 with payload", {4, Be32Payload(1)}, kClosed, 0},
        MalformedCase{"LIVE_REQ of 2 bytes", {16, {0xFF, 0xFF}}, 19, 1},
        MalformedCase{"LIVE_REQ of 6 bytes", {16, {0, 0, 0xFF, 0xFF, 0, 0}}, 19, 1},
        MalformedCase{"LIVE_REQ beyond channel 16", {16, Be32Payload(0x1FFFF)}, 19, 1},
        MalformedCase{"LIVE_STOP with payload", {20, Be32Payload(0)}, 22, 1},
        MalformedCase{"AUDIO_ONOFF_REQ with payload", {23, Be32Payload(1), 0x8}, kClosed, 0},
        MalformedCase{"REC_ON_REQ with payload", {32, Be32Payload(1)}, 34, 1},
        MalformedCase{"REC_OFF_REQ with payload", {35, Be32Payload(1)}, 37, 1},
        MalformedCase{"PLAY_PREV_STEP with payload", {42, Be32Payload(1)}, kClosed, 0},
        MalformedCase{"PLAY_BACKWARD with a short start record", {43, Bytes(23, 0)}, kClosed, 0},
        MalformedCase{"PLAY_FORWARD start record with byte 4", {44, WithByte(kStartRecord, 4, 1)}, kClosed, 0},
        MalformedCase{"PLAY_FORWARD start record with version byte 2", {44, WithByte(kStartRecord, 5, 2)}, kClosed, 0},
        MalformedCase{"PLAY_PAUSE with payload", {45, {0}}, kClosed, 0},
        MalformedCase{"PLAY_NEXT_STEP with payload", {46, Be32Payload(1)}, kClosed, 0},
        MalformedCase{"PLAY_ON_REQ of 25 bytes", {51, Bytes(25, 0)}, 54, 1},
        MalformedCase{"PLAY_ON_REQ of 28 bytes", {51, Bytes(28, 0)}, 54, 1},
        MalformedCase{"PLAY_ON_REQ type mask beyond type 5", {51, TimeRange(0xFFFF, 0x40)}, 54, 1},
        MalformedCase{"PLAY_ON_REQ type mask as a u32", {51, WithByte(TimeRange(0xFFFF, 0), 7, 0x3F)}, 54, 1},
        MalformedCase{"PLAY_ON_REQ mask beyond channel 16", {51, TimeRange(0x10000, 0x3F)}, 54, 1},
        MalformedCase{"RPLAY_STOP with payload", {55, Be32Payload(0)}, 57, 1},
        MalformedCase{"PLAY_STEP_DATA of 2 bytes", {61, {0, 93}}, kClosed, 0},
        MalformedCase{"PLAY_CH_CHANGE beyond channel 16", {62, Be32Payload(0x10000)}, kClosed, 0},
        MalformedCase{"TRANS_ON_REQ of 28 bytes", {99, Bytes(28, 0)}, 102, 1},
        MalformedCase{"TRANS_ON_REQ filler at byte 12", {99, WithByte(kGoodRange, 12, 1)}, 102, 1},
        MalformedCase{"TRANS_OFF_REQ with payload", {102, Be32Payload(0)}, 105, 1},
        MalformedCase{"DB_INFO_REQ with payload", {112, Be32Payload(0)}, 114, 1},
        MalformedCase{"DB_UPDATE_REQ of the record alone", {115, Bytes(6632, 0)}, 117, 81},
        MalformedCase{"DB_UPDATE_REQ with a wrong CRC", {115, Bytes(6636, 0)}, 117, 81},
        MalformedCase{"DVR_TIME_REQ with payload", {126, Be32Payload(0)}, kClosed, 0},
        MalformedCase{"FW_UPDATE_REQ of 55 bytes", {144, Bytes(55, 0)}, 304, 1},
        MalformedCase{"FW_UPDATE_REQ for table entry 2", {144, FirmwareRequest(2)}, 304, 1},
        MalformedCase{"FW_UPDATE_REQ with filler at byte 17", {144, WithByte(FirmwareRequest(3), 17, 1)}, 304, 1},
        MalformedCase{"PLAY_INFO_MONTH_REQ of 4 bytes", {260, Be32Payload(2008)}, 262, 1},
        MalformedCase{"PLAY_INFO_DAY_REQ of 7 bytes", {263, Bytes(7, 0)}, 265, 1},
        MalformedCase{"PLAY_INFO_DAY_REQ for month 13", {263, DayRequest(13, 1)}, 265, 1},
        MalformedCase{"PLAY_INFO_DAY_REQ for a 0-based month", {263, DayRequest(0, 5)}, 265, 1},
        MalformedCase{"A_LISTEN_REQ with payload", {272, Be32Payload(0)}, 274, 1},
        MalformedCase{"A_LISTEN_STOP_REQ with payload", {276, Be32Payload(0)}, kClosed, 0},
        MalformedCase{"PTZ_CHANNEL_REQ of 1 byte", {282, {0}}, kClosed, 0},
        MalformedCase{"PTZ_CHANNEL_REQ for channel 17", {282, {16, 0, 0, 0}}, kClosed, 0},
        MalformedCase{"PTZ_CHANNEL_REQ in mode 2", {282, {0, 2, 0, 0}}, kClosed, 0},
        MalformedCase{"PTZ_MOVE_REQ command 17", {284, {17, 0, 0, 0}}, kClosed, 0},
        MalformedCase{"PTZ_MOVE_REQ move with a number", {284, {2, 5, 0, 0}}, kClosed, 0},
        MalformedCase{"PTZ_MOVE_REQ preset with byte 2", {284, {9, 44, 1, 1}}, kClosed, 0},
        MalformedCase{"PTZ_MOVE_REQ of 3 bytes", {284, {2, 0, 0}}, kClosed, 0},
        MalformedCase{"PTZ_MOVE_STOP with payload", {285, Be32Payload(0)}, kClosed, 0},
        MalformedCase{"TRANS_INFO_MONTH_REQ of 6 bytes", {288, Bytes(6, 0)}, 290, 1},
        MalformedCase{"TRANS_INFO_DAY_REQ for day 0", {291, DayRequest(7, 0)}, 293, 1},
        MalformedCase{"TRANS_INFO_DAY_REQ with filler", {291, WithByte(DayRequest(7, 1), 7, 1)}, 293, 1},
        MalformedCase{"TRANS_DATA_REQ of 20 bytes", {294, Bytes(20, 0)}, 298, 1},
        MalformedCase{"CAPA_CAL_CANCEL with payload", {299, Be32Payload(0)}, kClosed, 0},
        MalformedCase{"LOG_INFO_REQ of 8 bytes", {320, Bytes(8, 0)}, 322, 1},
        MalformedCase{"STATUS_INFO_REQ of 1 byte", {326, {0}}, 328, 1},
        MalformedCase{"EVENT_INFO_REQ of 2 bytes", {329, {0, 0}}, 331, 1},
        MalformedCase{"DB_INIT_REQ with payload", {336, Be32Payload(0)}, 338, 1},
        MalformedCase{"SEND_TEST_MAIL_REQ of 100 bytes", {339, Bytes(100, 0)}, 341, 1},
        MalformedCase{"REBOOT_REQ with payload", {342, Be32Payload(0)}, 344, 1},
        MalformedCase{"POWEROFF_REQ with payload", {345, Be32Payload(0)}, 347, 1},
        // The two kinds that a client sends in fragments.
        MalformedCase{"FW_DATA without FW_UPDATE_REQ", {146, Bytes(100, 1), 0, kLast}, 306, 1},
        MalformedCase{"FW_DATA chunk of 8001 bytes", {146, Bytes(8001, 1), 0, kLast}, 306, 1, true},
        MalformedCase{"FW_DATA chunk of 0 bytes", {146, {}, 0, kLast}, 306, 1, true},
        MalformedCase{"TALK_DATA of one captured buffer",
                      {275, Bytes(512, 0x7F), 0, kLast},
                      kClosed,
                      0,
                      false,
                      Listening::Accepted},
        MalformedCase{"TALK_DATA with sound in the silent part",
                      {275, Bytes(2048, 0x7F), 0, kLast},
                      kClosed,
                      0,
                      false,
                      Listening::Accepted},
        MalformedCase{
            "TALK_DATA without the last-fragment bit", {275, Bytes(2048, 0)}, kClosed, 0, false, Listening::Accepted},
        MalformedCase{"TALK_DATA before listening is accepted", {275, Bytes(2048, 0), 0, kLast}, kClosed, 0},
        MalformedCase{"TALK_DATA after listening stopped",
                      {275, Bytes(2048, 0), 0, kLast},
                      kClosed,
                      0,
                      false,
                      Listening::Stopped}),
    [](const auto& info) { return CaseName(info.param.name); });

struct HelloCase {
    const char* name;
    Bytes payload;
};

void PrintTo(const HelloCase& c, std::ostream* os) {
    *os << c.name;
}

Bytes HelloPayload(const std::string& user, const std::string& password) {
    Bytes p(32, 0);
    std::memcpy(p.data(), user.data(), std::min<size_t>(16, user.size()));
    std::memcpy(p.data() + 16, password.data(), std::min<size_t>(16, password.size()));
    return p;
}

class SimStrictHello : public ::testing::TestWithParam<HelloCase> {};

TEST_P(SimStrictHello, AMalformedHelloIsRefusedWithBye48AndClosed) {
    SimInstance sim(SmallConfig());
    ASSERT_TRUE(sim.listening);
    {
        TestClient c(sim.Port());
        ASSERT_TRUE(c.Send(msg::HELLO, GetParam().payload));
        auto bye = c.Recv();
        ASSERT_TRUE(bye);
        EXPECT_EQ(bye->Id(), msg::BYE48);
        EXPECT_EQ(bye->Reason(), 1u);
        EXPECT_TRUE(c.WaitClosed(5000));
    }
    EXPECT_EQ(sim.recorder->Violations(), 1u);
    TestClient next(sim.Port());
    EXPECT_EQ(LoginAndPushes(next).size(), kLoginMessages);
}

INSTANTIATE_TEST_SUITE_P(Hellos, SimStrictHello,
                         ::testing::Values(HelloCase{"upper-case user", HelloPayload("ADMIN", "1234")},
                                           HelloCase{"upper-case password", HelloPayload("admin", "Secret")},
                                           HelloCase{"31 bytes", Bytes(31, 'a')},
                                           HelloCase{"33 bytes", Bytes(33, 'a')}),
                         [](const auto& info) { return CaseName(info.param.name); });

TEST(SimStrict, LenientServesWhatItCanAndCountsNothing) {
    ksim::CSimConfig config = SmallConfig();
    config.lenient = true;
    SimInstance sim(config);
    ASSERT_TRUE(sim.listening);
    TestClient c(sim.Port());
    ASSERT_TRUE(c.Hello("ADMIN", "1234")); // compared ignoring case
    ASSERT_TRUE(c.RecvId(msg::HELLO48_ACK));
    ASSERT_TRUE(c.Send(msg::LIVE_REQ, {0xFF, 0xFF})); // too short: read as no channels
    auto info = c.RecvId(msg::LIVE_CHANNEL_INFO);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->Reason(), 0xFu);
    ASSERT_TRUE(c.Send(msg::PTZ_CHANNEL_REQ, {0}));
    EXPECT_TRUE(c.RecvId(msg::PTZ_CHANNEL_ACK));
    EXPECT_EQ(sim.recorder->Violations(), 0u);
}

TEST(SimStrictProgram, AViolationIsOneLineOnStandardErrorAndFailsTheTestThatRanTheSimulator) {
    KELO_REQUIRE(SimProcess::Available(), "the recorder simulator is not built");
    // The runner fails the test at its end when the simulator logged a violation.
    EXPECT_NONFATAL_FAILURE(
        {
            SimProcess sim(SimProcess::Messages::Quiet);
            ASSERT_TRUE(sim.Start({"--channels", "4", "--resolution", "cif", "--loop-seconds", "1"}));
            TestClient c(uint16_t(sim.Port()));
            ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
            ASSERT_TRUE(c.Send(msg::PTZ_CHANNEL_REQ, {3}));
            ASSERT_TRUE(c.WaitClosed(5000));
            ASSERT_TRUE(sim.WaitLog("protocol-violation"));
            const std::string log = sim.Log();
            EXPECT_NE(log.find("protocol-violation PTZ_CHANNEL_REQ payload of 1 bytes (4 expected)\n"),
                      std::string::npos)
                << log;
            EXPECT_EQ(log.find("protocol-violation"), log.rfind("protocol-violation")) << "exactly one line";
        },
        "protocol-violation PTZ_CHANNEL_REQ");
}

} // namespace
