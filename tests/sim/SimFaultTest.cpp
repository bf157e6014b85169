// The misbehaviour options: what the client's tests rely on seeing on the wire.
#include "tests/sim/SimTestClient.h"

#include <gtest/gtest.h>

using namespace simtest;

namespace {

ksim::CSimConfig WithFault(const char* fault) {
    ksim::CSimConfig config = SmallConfig();
    const char* argv[] = {"sim", "--fault", fault};
    std::string error;
    bool help = false;
    EXPECT_TRUE(config.Parse(3, argv, error, help)) << error;
    return config;
}

TEST(SimFault, CloseMidPayloadSendsHalfTheMessageThenCloses) {
    SimInstance sim(WithFault("close-mid:DB_CHANGE"));
    ASSERT_TRUE(sim.listening);
    TestClient c(sim.Port());
    ASSERT_TRUE(c.Hello());
    ASSERT_EQ(c.Recv()->Id(), msg::HELLO48_ACK);
    ASSERT_EQ(c.Recv()->Id(), msg::RIGHT_CHANGE);
    uint8_t head[16];
    ASSERT_TRUE(c.ReadExact(head, 16, 5000));
    EXPECT_EQ((GetBe32(head) & 0xFFFF) >> 7, 258u);
    EXPECT_EQ(GetBe32(head + 4) & 0xFFFF, 596u) << "the header promises the whole payload";
    Bytes half(298);
    ASSERT_TRUE(c.ReadExact(half.data(), half.size(), 5000));
    EXPECT_TRUE(c.WaitClosed(5000));
}

TEST(SimFault, StallMidPayloadKeepsTheConnectionOpenAndQuiet) {
    SimInstance sim(WithFault("stall-mid:SYS_ETC_INFO"));
    ASSERT_TRUE(sim.listening);
    TestClient c(sim.Port());
    ASSERT_TRUE(c.Hello());
    for (uint16_t id : {5, 270, 258})
        ASSERT_EQ(c.Recv()->Id(), id);
    uint8_t head[16];
    ASSERT_TRUE(c.ReadExact(head, 16, 5000));
    Bytes half(160);
    ASSERT_TRUE(c.ReadExact(half.data(), half.size(), 5000));
    uint8_t more = 0;
    EXPECT_FALSE(c.ReadExact(&more, 1, 700)) << "nothing follows the half payload";
    EXPECT_FALSE(c.WaitClosed(300));
    // It still reads requests: a LIVE_REQ is journaled though never answered.
    ASSERT_TRUE(c.Send(msg::LIVE_REQ, Be32Payload(0xF)));
    EXPECT_TRUE(sim.recorder->Journal().WaitReceived(msg::LIVE_REQ, 1, 30000));
}

TEST(SimFault, NoLastFragmentBitOnARunOfFragments) {
    ksim::CSimConfig config = WithFault("no-last:LOG_INFO_ACK");
    config.fragment = 4000;
    SimInstance sim(config);
    ASSERT_TRUE(sim.listening);
    TestClient c(sim.Port());
    ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
    ASSERT_TRUE(c.Send(msg::LOG_INFO_REQ));
    size_t total = 0;
    for (int i = 0; i < 15; ++i) { // 300 records of 200 bytes in 4000-byte fragments
        auto m = c.RecvId(msg::LOG_INFO_ACK);
        ASSERT_TRUE(m);
        EXPECT_FALSE(m->Last());
        total += m->payload.size();
    }
    EXPECT_EQ(total, 60000u);
    ASSERT_TRUE(c.Send(msg::STATUS_INFO_REQ)); // the stream goes on normally
    EXPECT_TRUE(c.RecvId(msg::STATUS_INFO_ACK));
}

struct ShapeCase {
    const char* fault;
    uint16_t request;
    uint16_t reply;
    size_t expected;
};

void PrintTo(const ShapeCase& c, std::ostream* os) {
    *os << c.fault;
}

class SimShape : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(SimShape, SizeAndBytesFaultsChangeThePayloadAndItsLength) {
    const ShapeCase& t = GetParam();
    ksim::CSimConfig config = WithFault(t.fault);
    config.fragment = 65535;
    SimInstance sim(config);
    ASSERT_TRUE(sim.listening);
    TestClient c(sim.Port());
    ASSERT_TRUE(c.Hello());
    if (t.request) {
        ASSERT_TRUE(c.Send(t.request));
    }
    if (t.reply == 270 || t.reply == 256 || t.reply == 5) {
        auto m = c.RecvId(t.reply);
        ASSERT_TRUE(m);
        EXPECT_EQ(m->payload.size(), t.expected);
        return;
    }
    auto parts = c.RecvFragments(t.reply);
    ASSERT_TRUE(parts);
    EXPECT_EQ(Joined(*parts).size(), t.expected);
}

INSTANTIATE_TEST_SUITE_P(Shapes, SimShape,
                         ::testing::Values(ShapeCase{"size:RIGHT_CHANGE:16", 0, 270, 600},
                                           ShapeCase{"size:REC_STATUS:-8", 0, 256, 8},
                                           ShapeCase{"bytes:HELLO48_ACK:700", 0, 5, 700},
                                           ShapeCase{"bytes:PLAY_INFO_MONTH_ACK:375", 260, 261, 375},
                                           ShapeCase{"bytes:LOG_INFO_ACK:2200000", 320, 321, 2200000}),
                         [](const auto& info) { return CaseName(info.param.fault); });

TEST(SimFault, DupSendsTheFirstMessageTwice) {
    SimInstance sim(WithFault("dup:HELLO48_ACK"));
    ASSERT_TRUE(sim.listening);
    TestClient c(sim.Port());
    ASSERT_TRUE(c.Hello());
    EXPECT_EQ(c.Recv()->Id(), msg::HELLO48_ACK);
    EXPECT_EQ(c.Recv()->Id(), msg::HELLO48_ACK);
    EXPECT_EQ(c.Recv()->Id(), msg::RIGHT_CHANGE);
}

TEST(SimFault, GarbageFollowsThePushesAndIsTheSameForTheSameSeed) {
    Bytes first;
    for (int round = 0; round < 2; ++round) {
        SimInstance sim(WithFault("garbage:64"));
        ASSERT_TRUE(sim.listening);
        TestClient c(sim.Port());
        ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
        Bytes junk(64);
        ASSERT_TRUE(c.ReadExact(junk.data(), junk.size(), 5000));
        if (round == 0)
            first = junk;
        else
            EXPECT_EQ(junk, first);
    }
}

TEST(SimFault, ByeWithAReasonAfterThePushesThenCloseOrNot) {
    {
        SimInstance sim(WithFault("bye:3"));
        ASSERT_TRUE(sim.listening);
        TestClient c(sim.Port());
        ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
        auto m = c.Recv();
        ASSERT_TRUE(m);
        EXPECT_EQ(m->Id(), msg::BYE48);
        EXPECT_EQ(m->Reason(), 3u);
        EXPECT_TRUE(c.WaitClosed(5000));
    }
    {
        SimInstance sim(WithFault("bye:37:never"));
        ASSERT_TRUE(sim.listening);
        TestClient c(sim.Port());
        ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
        EXPECT_EQ(c.Recv()->Reason(), 37u);
        EXPECT_FALSE(c.WaitClosed(500));
    }
}

TEST(SimFault, CorruptCrcDropAndDelay) {
    ksim::CSimConfig config = WithFault("crc");
    const char* argv[] = {"sim", "--fault", "drop:DVR_TIME_REQ", "--fault", "delay:STATUS_INFO_REQ:300"};
    std::string error;
    bool help = false;
    ASSERT_TRUE(config.Parse(5, argv, error, help)) << error;
    SimInstance sim(config);
    ASSERT_TRUE(sim.listening);
    TestClient c(sim.Port());
    ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
    ASSERT_TRUE(c.Send(msg::DB_INFO_REQ));
    auto parts = c.RecvFragments(msg::DB_INFO_ACK);
    ASSERT_TRUE(parts);
    const Bytes all = Joined(*parts);
    ASSERT_EQ(all.size(), 6636u);
    EXPECT_NE(GetBe32(all.data()), uint32_t(crc32(0, all.data() + 4, 6632)));

    ASSERT_TRUE(c.Send(msg::DVR_TIME_REQ)); // dropped
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(c.Send(msg::STATUS_INFO_REQ));
    auto m = c.Recv();
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Id(), msg::STATUS_INFO_ACK) << "no DVR_TIME_ACK";
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
}

} // namespace
