// Login, the pushes after it, list replies and refusals, seen from a raw socket.
#include "tests/sim/SimTestClient.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace simtest;

namespace {

constexpr uint16_t kHello48Ack = 5, kBye48 = 4, kRightChange = 270, kDbChange = 258, kSysEtcInfo = 259,
                   kSysEtcInfoEx = 24, kDstInfo = 125, kRecStatus = 256, kMessage257 = 257, kLiveReq = 16,
                   kLiveData = 18, kLiveStop = 20, kLiveChannelInfo = 17;

TEST(SimLogin, HelloReplyAndPushesComeInOrderAndTheSimulatorKeepsTheHelloBytes) {
    ksim::CSimConfig config = SmallConfig();
    config.channels = 8;
    config.productMajor = 1;
    config.productMinor = 1;
    SimInstance sim(config);
    ASSERT_TRUE(sim.listening);
    TestClient c(sim.Port());
    ASSERT_TRUE(c.Connected());
    ASSERT_TRUE(c.Hello("admin", "1234"));

    auto hello = c.Recv();
    ASSERT_TRUE(hello);
    EXPECT_EQ(hello->Id(), kHello48Ack);
    ASSERT_EQ(hello->payload.size(), 768u);
    const Bytes& h = hello->payload;
    EXPECT_EQ(h[2], 4); // product number
    EXPECT_EQ(h[3], 1); // product version 1.1
    EXPECT_EQ(h[4], 1);
    EXPECT_EQ(h[6], 8); // channel count
    EXPECT_EQ(h[7], 0); // administrator
    EXPECT_EQ(h[8], 0x00);
    EXPECT_EQ(h[9], 0x1C);
    // Firmware parts in the order the client rebuilds into its rows: part 0 the loader, 2 the
    // kernel, 5 the program, 3 the files, 4 the web pages.
    const char* const parts[6] = {"BOOT", "FRONT", "KERNEL", "FILESYSTEM", "WEB", "APPLICATION"};
    for (size_t i = 0; i < 6; ++i)
        EXPECT_STREQ(reinterpret_cast<const char*>(&h[48 + 32 * i]), parts[i]) << "part " << i;
    EXPECT_EQ(GetBe32(&h[688]), 1199145600u); // firmware part 0 build time, big-endian
    EXPECT_EQ(hello->w1 & (1u << 30), 0u) << "bit 30 only on fragmenting kinds";

    const std::vector<std::pair<uint16_t, size_t>> pushes = {
        {kRightChange, 584}, {kDbChange, 596}, {kSysEtcInfo, 320}, {kSysEtcInfoEx, 3200},
        {kDstInfo, 1204},    {kRecStatus, 16}, {kMessage257, 12}};
    Bytes rights;
    Bytes dbChange;
    for (const auto& [id, size] : pushes) {
        auto m = c.Recv();
        ASSERT_TRUE(m);
        EXPECT_EQ(m->Id(), id);
        EXPECT_EQ(m->payload.size(), size) << "id " << id;
        if (id == kRightChange)
            rights = m->payload;
        if (id == kDbChange)
            dbChange = m->payload;
    }
    // Account 0: every right, level 1, named admin.
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(rights[size_t(8 * k)], 1) << "right " << k;
    EXPECT_EQ(rights[64], 1);
    EXPECT_STREQ(reinterpret_cast<const char*>(&rights[72]), "admin");
    EXPECT_STREQ(reinterpret_cast<const char*>(&rights[328]), "1234");
    EXPECT_STREQ(reinterpret_cast<const char*>(&dbChange[20]), "CAMERA01");
    EXPECT_STREQ(reinterpret_cast<const char*>(&dbChange[20 + 15 * 32]), "CAMERA16");

    // LIVE_REQ is answered only now, with the channels that have a camera.
    ASSERT_TRUE(c.Send(kLiveReq, Be32Payload(0x0000FFFF)));
    auto info = c.Recv();
    ASSERT_TRUE(info);
    EXPECT_EQ(info->Id(), kLiveChannelInfo);
    EXPECT_EQ(info->Reason(), 0x00FF00FFu);

    auto hellos = sim.recorder->Journal().Received(msg::HELLO);
    ASSERT_EQ(hellos.size(), 1u);
    Bytes expected(32, 0);
    std::memcpy(expected.data(), "admin", 5);
    std::memcpy(expected.data() + 16, "1234", 4);
    EXPECT_EQ(hellos[0].payload, expected);
}

struct LoginCase {
    const char* name;
    const char* user;
    const char* password;
    std::vector<ksim::SimAccount> accounts;
    uint32_t failReason;
    uint32_t expectedBye; // 0: accepted
};

void PrintTo(const LoginCase& c, std::ostream* os) {
    *os << c.name;
}

class SimLoginRefusal : public ::testing::TestWithParam<LoginCase> {};

TEST_P(SimLoginRefusal, WrongLoginsGetBye48WithTheirReasonAndAreClosed) {
    const LoginCase& t = GetParam();
    ksim::CSimConfig config = SmallConfig();
    if (!t.accounts.empty())
        config.accounts = t.accounts;
    config.loginFailReason = t.failReason;
    SimInstance sim(config);
    ASSERT_TRUE(sim.listening);
    TestClient c(sim.Port());
    ASSERT_TRUE(c.Hello(t.user, t.password));
    auto m = c.Recv();
    ASSERT_TRUE(m);
    if (t.expectedBye == 0) {
        EXPECT_EQ(m->Id(), kHello48Ack);
        return;
    }
    EXPECT_EQ(m->Id(), kBye48);
    EXPECT_EQ(m->payload.size(), 4u);
    EXPECT_EQ(m->Reason(), t.expectedBye);
    EXPECT_TRUE(c.WaitClosed(5000));
}

INSTANTIATE_TEST_SUITE_P(Cases, SimLoginRefusal,
                         ::testing::Values(LoginCase{"WrongPassword", "admin", "4321", {}, 1, 1},
                                           LoginCase{"UnknownUser", "guest", "1234", {}, 2, 2},
                                           LoginCase{"MinusTwo", "nobody", "x", {}, 0xFFFFFFFE, 0xFFFFFFFE},
                                           LoginCase{
                                               "NoConnectRight", "viewer", "pw", {{"viewer", "pw", 0xBF, 1}}, 1, 37},
                                           LoginCase{"LevelZero", "viewer", "pw", {{"viewer", "pw", 0xFF, 0}}, 1, 37},
                                           LoginCase{"SixteenCharacters",
                                                     "abcdefghijklmnop",
                                                     "abcdefghijklmnop",
                                                     {{"abcdefghijklmnop", "abcdefghijklmnop", 0xFF, 1}},
                                                     1,
                                                     0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SimLogin, ARequestBeforeTheLoginEndsTheConnectionAndClientsAreServedOneAfterAnother) {
    SimInstance sim(SmallConfig());
    ASSERT_TRUE(sim.listening);
    for (int round = 0; round < 3; ++round) {
        TestClient early(sim.Port());
        ASSERT_TRUE(early.Send(kLiveReq, Be32Payload(0xFFFF)));
        EXPECT_TRUE(early.WaitClosed(5000)) << "a recorder serves nothing before the login";
        EXPECT_EQ(sim.recorder->Violations(), size_t(round + 1));

        TestClient c(sim.Port());
        ASSERT_TRUE(c.Hello());
        auto first = c.Recv();
        ASSERT_TRUE(first);
        EXPECT_EQ(first->Id(), kHello48Ack);
        ASSERT_TRUE(c.Send(kBye48));
    }
    EXPECT_TRUE(sim.recorder->Journal().WaitSessions(6, 30000));
    EXPECT_EQ(sim.recorder->Violations(), 3u);
}

// A client that says BYE48 while live video streams: the recorder stops the stream and closes the
// connection itself, so the client need not wait for a recorder that has already gone.
TEST(SimLogin, TheRecorderClosesTheConnectionAfterTheClientsBye) {
    SimInstance sim(SmallConfig());
    ASSERT_TRUE(sim.listening);
    TestClient c(sim.Port());
    ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
    ASSERT_TRUE(c.Send(kLiveReq, Be32Payload(0xF)));
    ASSERT_TRUE(c.RecvId(kLiveData));
    ASSERT_TRUE(c.Send(kBye48));
    EXPECT_TRUE(c.WaitClosed(30000)) << "the connection stays open after BYE48";
    EXPECT_TRUE(sim.recorder->Journal().WaitReceived(kBye48, 1, 30000));
}

// A client that says BYE48 and closes at once, with live video still unread, resets the connection:
// the simulator's sender fails on its next picture while its reader may still be busy with an
// earlier request. The requests sent before the close are still read, the BYE48 among them.
TEST(SimLogin, AByeSentJustBeforeAResetIsStillRead) {
    ksim::CSimConfig config = SmallConfig();
    const char* argv[] = {"sim", "--fault", "delay:LIVE_STOP:1500"};
    std::string error;
    bool help = false;
    ASSERT_TRUE(config.Parse(3, argv, error, help)) << error;
    SimInstance sim(config);
    ASSERT_TRUE(sim.listening);
    {
        TestClient c(sim.Port());
        ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
        ASSERT_TRUE(c.Send(kLiveReq, Be32Payload(0xF)));
        ASSERT_TRUE(c.RecvId(kLiveData));
        ASSERT_TRUE(c.Send(kLiveStop));
        ASSERT_TRUE(c.Send(kBye48));
        // Like the client, wait a moment so that the BYE48 leaves before the close resets the connection.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    } // closed with the stream unread
    EXPECT_TRUE(sim.recorder->Journal().WaitReceived(kBye48, 1, 30000));
}

// ---- list replies ----

struct ListCase {
    const char* name;
    uint16_t request;
    Bytes payload;
    uint16_t ack;
    size_t recordSize; // 0: not a record list
};

void PrintTo(const ListCase& c, std::ostream* os) {
    *os << c.name;
}

class SimListReply : public ::testing::TestWithParam<ListCase> {};

TEST_P(SimListReply, FragmentsShareTheIdAndOnlyTheLastCarriesBit30) {
    const ListCase& t = GetParam();
    ksim::CSimConfig config = SmallConfig();
    config.fragment = 1000; // several fragments even for short lists
    config.days = 4;
    SimInstance sim(config);
    ASSERT_TRUE(sim.listening);
    TestClient c(sim.Port());
    ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
    ASSERT_TRUE(c.Send(t.request, t.payload));
    auto parts = c.RecvFragments(t.ack);
    ASSERT_TRUE(parts);
    for (size_t i = 0; i < parts->size(); ++i) {
        EXPECT_LE((*parts)[i].payload.size(), 1000u);
        EXPECT_EQ((*parts)[i].Last(), i + 1 == parts->size()) << "fragment " << i;
    }
    const Bytes all = Joined(*parts);
    ASSERT_FALSE(all.empty());
    if (t.recordSize) {
        EXPECT_EQ(all.size() % t.recordSize, 0u);
    }
    if (t.ack == 321) { // log: record_size 200 in every record, numbers ascending
        ASSERT_EQ(all.size(), 300u * 200u);
        EXPECT_GT(parts->size(), 1u);
        for (size_t i = 0; i < 300; ++i) {
            EXPECT_EQ(GetBe32(&all[i * 200 + 4]), 200u);
            EXPECT_EQ(GetBe32(&all[i * 200]), i + 1);
        }
    }
    if (t.recordSize == 376) { // the clock's year with days of recordings before 2 July 2008
        EXPECT_EQ(GetBe32(all.data()), 2008u);
        EXPECT_NE(all[4 + 6 * 31 + 1], 0) << "2 July";
        EXPECT_EQ(all[4 + 6 * 31 + 2], 0) << "3 July is in the future";
    }
    if (t.recordSize == 24) {
        for (size_t off = 0; off < all.size(); off += 24) {
            EXPECT_LT(GetBe32(&all[off + 16]), GetBe32(&all[off + 20])) << "start before end";
            EXPECT_NE(GetBe32(&all[off]) & 0xF, 0u) << "channels of a 4-channel recorder";
            if (t.ack == 330) {
                const uint8_t code = all[off + 4];
                EXPECT_TRUE(code == 1 || code == 2 || code == 4);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Lists, SimListReply,
                         ::testing::Values(ListCase{"PlayMonth", 260, {}, 261, 376},
                                           ListCase{"TransMonthWithFiveBytes", 288, Bytes(5, 0), 289, 376},
                                           ListCase{"PlayDay", 263, {0, 0, 0x07, 0xD8, 7, 1, 0, 0}, 264, 24},
                                           ListCase{"TransDay", 291, {0, 0, 0x07, 0xD8, 7, 2, 0, 0}, 292, 24},
                                           ListCase{"Events", 329, {}, 330, 24}, ListCase{"Log", 320, {}, 321, 200},
                                           ListCase{"Status", 326, {}, 327, 16}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SimListReply, ADayWithoutRecordingsIsRefusedWithNothingFound) {
    SimInstance sim(SmallConfig());
    ASSERT_TRUE(sim.listening);
    TestClient c(sim.Port());
    ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
    ASSERT_TRUE(c.Send(msg::PLAY_INFO_DAY_REQ, {0, 0, 0x07, 0xD0, 1, 1, 0, 0})); // 2000-01-01
    auto m = c.RecvId(msg::PLAY_INFO_DAY_NACK);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Reason(), 83u);
}

// ---- refusals ----

struct RefusalCase {
    const char* option; // --refuse value
    uint16_t request;
    Bytes payload;
    uint16_t refusal;
    size_t length;
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.option;
}

class SimRefuse : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(SimRefuse, TheConfiguredRefusalAnswersItsRequest) {
    const RefusalCase& t = GetParam();
    ksim::CSimConfig config = SmallConfig();
    const char* argv[] = {"sim", "--refuse", t.option};
    std::string error;
    bool help = false;
    ASSERT_TRUE(config.Parse(3, argv, error, help)) << error;
    SimInstance sim(config);
    ASSERT_TRUE(sim.listening);
    TestClient c(sim.Port());
    ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
    ASSERT_TRUE(c.Send(t.request, t.payload));
    auto m = c.RecvId(t.refusal);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->payload.size(), t.length);
    const std::string option = t.option;
    const uint32_t reason = uint32_t(std::stoll(option.substr(option.find(':') + 1)));
    EXPECT_EQ(m->Reason(), reason);
}

const Bytes kRange = {0, 0, 0, 0xF, 0x3F, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
// A setup record of zeros behind its right CRC-32: well formed, so only the configured refusal
// answers it.
const Bytes kZeroRecordUpdate = [] {
    Bytes b(6636, 0);
    PutBe32(b.data(), uint32_t(crc32(0L, b.data() + 4, 6632)));
    return b;
}();

INSTANTIATE_TEST_SUITE_P(
    Refusals, SimRefuse,
    ::testing::Values(
        RefusalCase{"LIVE_NACK:1", 16, Be32Payload(0xFFFF), 19, 4}, RefusalCase{"LIVE_STOP_NACK:1", 20, {}, 22, 4},
        RefusalCase{"REC_ON_NACK:65", 32, {}, 34, 4}, RefusalCase{"REC_OFF_NACK:66", 35, {}, 37, 4},
        RefusalCase{"PLAY_ON_NACK:98", 51, kRange, 54, 4}, RefusalCase{"PLAY_OFF_NACK:2", 55, {}, 57, 4},
        RefusalCase{"TRANS_ON_NACK:87:700:500", 99, kRange, 102, 12}, RefusalCase{"TRANS_OFF_NACK:2", 102, {}, 105, 4},
        RefusalCase{"114:86", 112, {}, 114, 4}, RefusalCase{"DB_UPDATE_NACK:97", 115, kZeroRecordUpdate, 117, 4},
        RefusalCase{"PLAY_INFO_MONTH_NACK:53", 260, {}, 262, 4},
        RefusalCase{"PLAY_INFO_DAY_NACK:52", 263, {0, 0, 7, 0xD8, 7, 1, 0, 0}, 265, 4},
        RefusalCase{"TRANS_INFO_MONTH_NACK:83", 288, {}, 290, 4},
        RefusalCase{"TRANS_INFO_DAY_NACK:86", 291, {0, 0, 7, 0xD8, 7, 1, 0, 0}, 293, 4},
        RefusalCase{"TRANS_ON_FAIL:53", 294, kRange, 298, 4}, RefusalCase{"A_LISTEN_NACK:54", 272, {}, 274, 4},
        RefusalCase{"FW_UPDATE_NACK:17", 144, Bytes(56, 0), 304, 4}, RefusalCase{"LOG_INFO_NACK:86", 320, {}, 322, 4},
        RefusalCase{"STATUS_INFO_NACK:1", 326, {}, 328, 4}, RefusalCase{"EVENT_INFO_NACK:82", 329, {}, 331, 4},
        RefusalCase{"DB_INIT_NACK:97", 336, {}, 338, 4},
        RefusalCase{"SEND_TEST_MAIL_NACK:1", 339, Bytes(516, 0), 341, 4}, RefusalCase{"REBOOT_NACK:2", 342, {}, 344, 4},
        RefusalCase{"POWEROFF_NACK:1", 345, {}, 347, 4}),
    [](const auto& info) { return CaseName(info.param.option); });

TEST(SimRefuse, Bye48RefusesTheLoginWithTheGivenReason) {
    ksim::CSimConfig config = SmallConfig();
    config.refusals.push_back(ksim::SimRefusal{4, 36, false, 0, 0});
    SimInstance sim(config);
    ASSERT_TRUE(sim.listening);
    TestClient c(sim.Port());
    ASSERT_TRUE(c.Hello());
    auto m = c.Recv();
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Id(), kBye48);
    EXPECT_EQ(m->Reason(), 36u);
    EXPECT_TRUE(c.WaitClosed(5000));
}

TEST(SimConfigParse, RejectsBadOptionsAndAcceptsTheDocumentedForms) {
    const std::vector<std::vector<const char*>> bad = {{"sim", "--port", "70000"},    {"sim", "--refuse", "LIVE_REQ:1"},
                                                       {"sim", "--refuse", "NOPE:1"}, {"sim", "--fault", "stall-mid"},
                                                       {"sim", "--fault", "size:18"}, {"sim", "--resolution", "hd"},
                                                       {"sim", "--account", "x"},     {"sim", "--mac", "1:2:3"},
                                                       {"sim", "--bogus", "1"},       {"sim", "--channels"}};
    for (const auto& args : bad) {
        ksim::CSimConfig c;
        std::string error;
        bool help = false;
        EXPECT_FALSE(c.Parse(int(args.size()), args.data(), error, help))
            << args[1] << " " << (args.size() > 2 ? args[2] : "");
        EXPECT_FALSE(error.empty());
    }
    ksim::CSimConfig c;
    const char* good[] = {"sim",        "--port=0",
                          "--account",  "op:Secret:11111101:1",
                          "--fault",    "bye:37:never",
                          "--fault",    "size:RIGHT_CHANGE:-4",
                          "--refuse",   "TRANS_ON_NACK:87:10:20",
                          "--standard", "ntsc"};
    std::string error;
    bool help = false;
    ASSERT_TRUE(c.Parse(int(std::size(good)), good, error, help)) << error;
    EXPECT_EQ(c.port, 0);
    ASSERT_EQ(c.accounts.size(), 1u);
    EXPECT_EQ(c.accounts[0].rights, 0xBF); // right 6 missing
    ASSERT_EQ(c.faults.size(), 2u);
    EXPECT_EQ(c.faults[0].value2, -1);
    EXPECT_EQ(c.faults[1].id, msg::RIGHT_CHANGE);
    EXPECT_EQ(c.faults[1].value, -4);
    EXPECT_EQ(c.Video().height, 480);
    EXPECT_EQ(c.Video().fps, 30);
}

} // namespace
