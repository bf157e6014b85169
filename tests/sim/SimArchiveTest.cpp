// Backup and playback over the simulated recordings, and the setup record round trip.
#include "tests/sim/SimTestClient.h"

#include "sim/RecordedMedia.h"
#include "sim/SetupRecord.h"
#include "sim/SimArchive.h"
#include "sim/StreamLibrary.h"

#include <gtest/gtest.h>

using namespace simtest;

namespace {

Bytes Range(uint32_t mask, uint8_t types, uint32_t start, uint32_t end) {
    Bytes r(24, 0);
    PutBe32(&r[0], mask);
    r[4] = types;
    PutBe32(&r[16], start);
    PutBe32(&r[20], end);
    return r;
}

// The first recording of the simulated archive that holds every channel of a 4-channel recorder.
ksim::SimSegment FullSegment(const ksim::CSimRecorder& recorder) {
    for (const auto& s : recorder.Archive().Segments()) {
        if (s.mask == 0xF)
            return s;
    }
    return {};
}

// The next whole block of a fragmented stream and its speed code; other ids are skipped. Empty at the
// end message or when nothing more comes.
Bytes NextBlock(TestClient& c, uint16_t dataId, uint16_t endId, uint8_t* speed = nullptr) {
    Bytes gathered;
    while (true) {
        auto m = c.Recv();
        if (!m || m->Id() == endId)
            return {};
        if (m->Id() != dataId)
            continue;
        gathered.insert(gathered.end(), m->payload.begin(), m->payload.end());
        if (m->Last()) {
            if (speed)
                *speed = m->Speed();
            return gathered;
        }
    }
}

// Gathers whole blocks of a fragmented stream until the end message.
std::vector<Bytes> Blocks(TestClient& c, uint16_t dataId, uint16_t endId, std::vector<uint8_t>* speeds = nullptr) {
    std::vector<Bytes> blocks;
    uint8_t speed = 0;
    for (Bytes b = NextBlock(c, dataId, endId, &speed); !b.empty(); b = NextBlock(c, dataId, endId, &speed)) {
        blocks.push_back(std::move(b));
        if (speeds)
            speeds->push_back(speed);
    }
    return blocks;
}

// A play start record: the channel mask and the second to play from.
Bytes StartRecord(uint32_t mask, uint32_t second) {
    Bytes record(24, 0);
    PutBe32(&record[0], mask);
    record[5] = 1;
    PutBe32(&record[16], second);
    return record;
}

// The frame time's second of a recorded block (its frame header follows the 192-byte block header).
uint32_t FrameSecond(const Bytes& block) {
    return block.size() >= 192 + 16 ? GetLe32(&block[192 + 12]) : 0;
}

TEST(SimBackup, SizeMatchesTheStreamAndEveryBlockIsRegeneratedExactly) {
    ksim::CSimConfig config = SmallConfig();
    config.fragment = 3000;
    SimInstance sim(config);
    ASSERT_TRUE(sim.listening);
    const ksim::SimSegment seg = FullSegment(*sim.recorder);
    ASSERT_NE(seg.mask, 0);
    const uint32_t start = seg.start + 5;
    const uint32_t end = seg.start + 7; // two seconds of four channels

    TestClient c(sim.Port());
    ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
    ASSERT_TRUE(c.Send(msg::TRANS_ON_REQ, Range(0x000F, 0x3F, start, end)));
    auto size = c.RecvId(msg::TRANS_ON_ACK);
    ASSERT_TRUE(size);
    ASSERT_EQ(size->payload.size(), 4u);

    ASSERT_TRUE(c.Send(msg::TRANS_DATA_REQ, Range(0x000F, 0, start, end))); // type mask 0 = every type
    const std::vector<Bytes> blocks = Blocks(c, 295, 297);
    ASSERT_EQ(blocks.size(), 2u * 25u * 4u);
    uint64_t bytes = 0;
    for (const auto& b : blocks)
        bytes += b.size();
    EXPECT_EQ(size->Reason(), (bytes + 1023) / 1024) << "the size answered is what the backup sends";

    // Every block: a 192-byte record, then the frame; key pictures at each second.
    for (size_t i = 0; i < blocks.size(); ++i) {
        const Bytes& b = blocks[i];
        ASSERT_GT(b.size(), 232u);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(b.data())), "kelo1040");
        EXPECT_EQ(GetLe32(&b[20]), 1u);
        EXPECT_EQ(GetLe32(&b[24]), GetLe32(&b[192 + 12])) << "record time = frame time";
        EXPECT_EQ(GetLe32(&b[40]), seg.start) << "segment key";
        EXPECT_EQ(b[50], seg.eventCode);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[96])), "CAMERA0" + std::to_string(i % 4 + 1));
        EXPECT_EQ(GetLe32(&b[192]), 0x1FFu);
        EXPECT_EQ(b[192 + 8] & 0xF, int(i % 4)) << "channels in order within a frame time";
        EXPECT_EQ(b[192 + 28] & 3, (i / 4) % 25 == 0 ? 1 : 0);
    }

    // A second, independent simulator core built from the same options regenerates them.
    const ksim::CSimArchive archive(config.seed, config.ServedChannels(), config.days, uint32_t(config.clock),
                                    config.logEntries);
    const ksim::CStreamLibrary library(config.Video(), config.ServedChannels(), config.LoopFrames());
    const ksim::CRecordedMedia media(archive, library);
    std::vector<std::string> names;
    for (int ch = 0; ch < 16; ++ch)
        names.push_back("CAMERA" + std::string(ch < 9 ? "0" : "") + std::to_string(ch + 1));
    EXPECT_EQ(media.BackupBlocks(0xF, 0, start, end, names), blocks);
    EXPECT_EQ(media.RangeBytes(0xF, 0x3F, start, end), bytes);

    ASSERT_TRUE(c.Send(msg::TRANS_OFF_REQ)); // after the end, as the client does
    EXPECT_TRUE(c.RecvId(msg::TRANS_OFF_ACK));
}

TEST(SimBackup, StopMidStreamEndsAtABlockBoundaryAndFailAfterTheFirstFrame) {
    ksim::CSimConfig config = SmallConfig();
    SimInstance sim(config);
    ASSERT_TRUE(sim.listening);
    const ksim::SimSegment seg = FullSegment(*sim.recorder);
    TestClient c(sim.Port());
    ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
    ASSERT_TRUE(c.Send(msg::TRANS_DATA_REQ, Range(0xF, 0x3F, seg.start, seg.end)));
    ASSERT_TRUE(c.RecvId(msg::TRANS_ON_DATA));
    ASSERT_TRUE(c.Send(msg::TRANS_OFF_REQ));
    // Whatever was queued may still come, but only whole blocks, then the ack; no DONE.
    Bytes gathered;
    bool acked = false;
    while (!acked) {
        auto m = c.Recv();
        ASSERT_TRUE(m);
        ASSERT_NE(m->Id(), msg::TRANS_ON_DONE);
        if (m->Id() == msg::TRANS_OFF_ACK)
            acked = true;
        else if (m->Id() == msg::TRANS_ON_DATA && m->Last())
            gathered.clear();
        else if (m->Id() == msg::TRANS_ON_DATA)
            gathered.insert(gathered.end(), m->payload.begin(), m->payload.end());
    }
    // A following request is answered at once: the stream has ended.
    ASSERT_TRUE(c.Send(msg::DVR_TIME_REQ));
    auto next = c.Recv();
    while (next && next->Id() == msg::TRANS_ON_DATA)
        next = c.Recv();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->Id(), msg::DVR_TIME_ACK);

    ksim::CSimConfig failing = SmallConfig();
    failing.refusals.push_back(ksim::SimRefusal{298, 86, false, 0, 0});
    SimInstance sim2(failing);
    TestClient c2(sim2.Port());
    ASSERT_EQ(LoginAndPushes(c2).size(), kLoginMessages);
    ASSERT_TRUE(c2.Send(msg::TRANS_DATA_REQ, Range(0xF, 0x3F, seg.start, seg.end)));
    EXPECT_EQ(Blocks(c2, 295, 298).size(), 1u);
}

TEST(SimPlayback, FramesOnlyUnderCreditWithSpeedCodesAndTheEndOfTheRange) {
    ksim::CSimConfig config = SmallConfig();
    SimInstance sim(config);
    ASSERT_TRUE(sim.listening);
    const ksim::SimSegment seg = FullSegment(*sim.recorder);
    TestClient c(sim.Port());
    ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
    ASSERT_TRUE(c.Send(msg::PLAY_ON_REQ, Range(0x1, 0x3F, seg.start + 2, seg.start + 4)));
    auto ack = c.Recv();
    ASSERT_TRUE(ack);
    ASSERT_EQ(ack->Id(), msg::PLAY_ON_ACK);
    EXPECT_EQ(ack->payload.size(), 0u);
    uint8_t probe = 0;
    EXPECT_FALSE(c.ReadExact(&probe, 1, 400)) << "no frame without credit";

    ASSERT_TRUE(c.Send(msg::PLAY_STEP_DATA, Be32Payload(5)));
    // The played channels are announced first, in order with the frames: the recorder's cameras in
    // the low half, the channels of this range in the high half.
    auto info = c.Recv();
    ASSERT_TRUE(info);
    ASSERT_EQ(info->Id(), msg::PLAY_CHANNEL_INFO);
    EXPECT_EQ(info->Reason(), (uint32_t(seg.mask & 0x1) << 16) | ((1u << config.ServedChannels()) - 1));
    std::vector<Bytes> frames;
    std::vector<uint8_t> speeds;
    Bytes gathered;
    while (frames.size() < 5) {
        auto m = c.Recv();
        ASSERT_TRUE(m);
        ASSERT_EQ(m->Id(), msg::PLAY_DATA) << "the channels stay the same: no second PLAY_CHANNEL_INFO";
        gathered.insert(gathered.end(), m->payload.begin(), m->payload.end());
        if (m->Last()) {
            frames.push_back(gathered);
            speeds.push_back(m->Speed());
            gathered.clear();
        }
    }
    EXPECT_FALSE(c.ReadExact(&probe, 1, 400)) << "exactly the credit";
    for (size_t i = 0; i < frames.size(); ++i) {
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(frames[i].data())), "kelo1040");
        EXPECT_EQ(GetLe32(&frames[i][192 + 12]), seg.start + 2) << "starts at the requested second";
        EXPECT_EQ(frames[i][192 + 28] & 3, i == 0 ? 1 : 0) << "an IDR first";
        EXPECT_EQ(speeds[i], 11) << "x1";
    }

    // Forward twice: x3 (key pictures only, paced), then the range runs out: PLAY_ON_DONE.
    ASSERT_TRUE(c.Send(msg::PLAY_FORWARD));
    ASSERT_TRUE(c.Send(msg::PLAY_FORWARD));
    ASSERT_TRUE(c.Send(msg::PLAY_STEP_DATA, Be32Payload(93)));
    speeds.clear();
    const std::vector<Bytes> rest = Blocks(c, 266, 268, &speeds);
    ASSERT_FALSE(rest.empty());
    for (size_t i = 0; i < rest.size(); ++i)
        EXPECT_EQ(rest[i][192 + 28] & 3, 1) << "fast play sends key pictures";
    EXPECT_EQ(speeds.back(), 13);

    ASSERT_TRUE(c.Send(msg::RPLAY_STOP));
    EXPECT_TRUE(c.RecvId(msg::PLAY_OFF_ACK));
}

TEST(SimPlayback, PlayChannelInfoAnnouncesEachChangeOfThePlayedChannels) {
    ksim::CSimConfig config = SmallConfig();
    SimInstance sim(config);
    ASSERT_TRUE(sim.listening);
    const ksim::SimSegment seg = FullSegment(*sim.recorder);
    ASSERT_NE(seg.mask, 0);
    TestClient c(sim.Port());
    ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
    ASSERT_TRUE(c.Send(msg::PLAY_ON_REQ, Range(0xF, 0x3F, seg.start + 1, 0)));
    ASSERT_TRUE(c.RecvId(msg::PLAY_ON_ACK));
    ASSERT_TRUE(c.Send(msg::PLAY_STEP_DATA, Be32Payload(8))); // two ticks of four channels
    auto first = c.RecvId(msg::PLAY_CHANNEL_INFO);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->Reason(), 0x000F000Fu);
    // The client narrows the channels: the next tick announces them before its frames.
    ASSERT_TRUE(c.Send(msg::PLAY_CH_CHANGE, Be32Payload(0x5)));
    ASSERT_TRUE(c.Send(msg::PLAY_STEP_DATA, Be32Payload(8)));
    auto second = c.RecvId(msg::PLAY_CHANNEL_INFO);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->Reason(), 0x0005000Fu);
    Bytes gathered;
    for (int frames = 0; frames < 4;) {
        auto m = c.Recv();
        ASSERT_TRUE(m);
        ASSERT_EQ(m->Id(), msg::PLAY_DATA) << "frames follow, no other announcement";
        gathered.insert(gathered.end(), m->payload.begin(), m->payload.end());
        if (!m->Last())
            continue;
        EXPECT_EQ(gathered[192 + 8] & 0xF, frames % 2 == 0 ? 0 : 2) << "channels 1 and 3 only";
        gathered.clear();
        ++frames;
    }
    ASSERT_TRUE(c.Send(msg::RPLAY_STOP));
    EXPECT_TRUE(c.RecvId(msg::PLAY_OFF_ACK));
}

TEST(SimPlayback, PauseStepsAndBackwardWithAStartRecord) {
    ksim::CSimConfig config = SmallConfig();
    SimInstance sim(config);
    ASSERT_TRUE(sim.listening);
    const ksim::SimSegment seg = FullSegment(*sim.recorder);
    TestClient c(sim.Port());
    ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
    ASSERT_TRUE(c.Send(msg::PLAY_ON_REQ, Range(0xF, 0x3F, seg.start, 0)));
    ASSERT_EQ(c.Recv()->Id(), msg::PLAY_ON_ACK);
    ASSERT_TRUE(c.Send(msg::PLAY_CH_CHANGE, Be32Payload(0x2))); // channel 2 only
    ASSERT_TRUE(c.Send(msg::PLAY_STEP_DATA, Be32Payload(93)));
    ASSERT_TRUE(c.Send(msg::PLAY_PAUSE)); // pause drops the remaining credit
    // Drain what went out before the pause.
    while (c.Recv(500)) {
    }
    auto next = [&](uint8_t* speed) { return NextBlock(c, msg::PLAY_DATA, msg::PLAY_ON_DONE, speed); };
    // A step: one frame for the one credit that follows it.
    ASSERT_TRUE(c.Send(msg::PLAY_NEXT_STEP));
    ASSERT_TRUE(c.Send(msg::PLAY_STEP_DATA, Be32Payload(1)));
    uint8_t speed = 0;
    const Bytes step1 = next(&speed);
    ASSERT_FALSE(step1.empty());
    EXPECT_EQ(step1[192 + 8] & 0xF, 1);
    EXPECT_EQ(speed, 10);
    ASSERT_TRUE(c.Send(msg::PLAY_NEXT_STEP));
    ASSERT_TRUE(c.Send(msg::PLAY_STEP_DATA, Be32Payload(1)));
    const Bytes step2 = next(&speed);
    const uint32_t t1 = GetLe32(&step1[192 + 12]) * 1000 + uint32_t(step1[192 + 26] | step1[192 + 27] << 8);
    const uint32_t t2 = GetLe32(&step2[192 + 12]) * 1000 + uint32_t(step2[192 + 26] | step2[192 + 27] << 8);
    EXPECT_EQ(t2 - t1, 40u) << "the next picture at 25 per second";

    // Backward from a start record ten seconds in: key pictures going back in time, speed -1.
    ASSERT_TRUE(c.Send(msg::PLAY_BACKWARD, StartRecord(0x1, seg.start + 10)));
    ASSERT_TRUE(c.Send(msg::PLAY_STEP_DATA, Be32Payload(3)));
    uint32_t previous = UINT32_MAX;
    for (int i = 0; i < 3; ++i) {
        const Bytes b = next(&speed);
        ASSERT_FALSE(b.empty());
        EXPECT_EQ(speed, 9);
        EXPECT_EQ(b[192 + 8] & 0xF, 0) << "the start record's channel mask";
        EXPECT_EQ(b[192 + 28] & 3, 1);
        const uint32_t t = FrameSecond(b);
        EXPECT_LT(t, previous);
        EXPECT_LE(t, seg.start + 10);
        previous = t;
    }
}

// An operator who plays from the middle of a recording and then reverses goes on back past the
// second the playback was asked for, into the earlier part of the recording.
TEST(SimPlayback, BackwardPlayGoesOnBeforeTheRequestedSecond) {
    ksim::CSimConfig config = SmallConfig();
    SimInstance sim(config);
    ASSERT_TRUE(sim.listening);
    const ksim::SimSegment seg = FullSegment(*sim.recorder);
    const uint32_t from = seg.start + 5;
    TestClient c(sim.Port());
    ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
    ASSERT_TRUE(c.Send(msg::PLAY_ON_REQ, Range(0x1, 0x3F, from, 0)));
    ASSERT_EQ(c.Recv()->Id(), msg::PLAY_ON_ACK);
    ASSERT_TRUE(c.Send(msg::PLAY_BACKWARD, StartRecord(0x1, from)));
    ASSERT_TRUE(c.Send(msg::PLAY_STEP_DATA, Be32Payload(3)));
    std::vector<uint32_t> times;
    while (times.size() < 3) {
        const Bytes block = NextBlock(c, msg::PLAY_DATA, msg::PLAY_ON_DONE);
        ASSERT_FALSE(block.empty()) << "ended after " << times.size() << " key pictures";
        times.push_back(FrameSecond(block));
    }
    EXPECT_EQ(times, (std::vector<uint32_t>{from, from - 1, from - 2}));
}

TEST(SimPlayback, NothingRecordedInTheRangeIsRefusedWith83AndFailAfterTheFirstFrame) {
    ksim::CSimConfig config = SmallConfig();
    config.refusals.push_back(ksim::SimRefusal{267, 53, false, 0, 0});
    SimInstance sim(config);
    ASSERT_TRUE(sim.listening);
    const ksim::SimSegment seg = FullSegment(*sim.recorder);
    TestClient c(sim.Port());
    ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
    ASSERT_TRUE(c.Send(msg::PLAY_ON_REQ, Range(0xF, 0x3F, 100, 200)));
    auto nack = c.Recv();
    ASSERT_TRUE(nack);
    EXPECT_EQ(nack->Id(), msg::PLAY_ON_NACK);
    EXPECT_EQ(nack->Reason(), 83u);
    ASSERT_TRUE(c.Send(msg::PLAY_ON_REQ, Range(0xF, 0x3F, seg.start, 0)));
    ASSERT_EQ(c.Recv()->Id(), msg::PLAY_ON_ACK);
    ASSERT_TRUE(c.Send(msg::PLAY_STEP_DATA, Be32Payload(93)));
    EXPECT_EQ(Blocks(c, 266, 267).size(), 1u);
}

struct BudgetCase {
    int channels;
    bool pal;
    ksim::Resolution resolution;
    uint8_t code;      // the resolution class the record pages weigh: 0 4CIF, 1 2CIF, 2 CIF
    int budget;        // images per second the recorder shares out
    uint8_t firstRate; // the default distribution: channels 1..spare get one more
    uint8_t lastRate;
    uint8_t singleRate; // the record general page's rate
};

TEST(SimSetup, TheFactoryRatesFillTheRecordersBudgetAsTheRecordPagesShareIt) {
    const BudgetCase cases[] = {
        {16, true, ksim::Resolution::D1, 0, 100, 2, 1, 1},    {16, false, ksim::Resolution::D1, 0, 120, 2, 1, 1},
        {8, true, ksim::Resolution::HalfD1, 1, 100, 7, 6, 6}, {4, false, ksim::Resolution::Cif, 2, 120, 30, 30, 30},
        {16, false, ksim::Resolution::Cif, 2, 120, 8, 7, 7},  {4, true, ksim::Resolution::D1, 0, 100, 7, 6, 6},
    };
    for (const BudgetCase& t : cases) {
        ksim::CSimConfig config = SmallConfig();
        config.channels = t.channels;
        config.pal = t.pal;
        config.resolution = t.resolution;
        const ksim::CSetupRecord record(config, 1215000000);
        const Bytes& d = record.Data();
        const int weight = t.code == 0 ? 4 : t.code == 1 ? 2 : 1;
        for (const size_t rates : {656u, 688u, 720u, 2352u, 2552u}) {
            int cost = 0;
            for (int ch = 0; ch < t.channels; ++ch) {
                EXPECT_EQ(d[4044 + size_t(ch)], t.code);
                cost += d[rates + size_t(ch)] * weight;
            }
            EXPECT_LE(cost, t.budget) << t.channels << " channels, rates at " << rates;
            EXPECT_GT(cost, t.budget - weight * t.channels) << "the budget is used up";
            EXPECT_EQ(d[rates], t.firstRate);
            EXPECT_EQ(d[rates + size_t(t.channels) - 1], t.lastRate);
        }
        EXPECT_EQ(d[644], t.code);
        EXPECT_EQ(d[647], t.singleRate);
    }
}

TEST(SimSetup, TheSetupVersionIsTheConfiguredOne) {
    ksim::CSimConfig config = SmallConfig();
    EXPECT_EQ(ksim::CSetupRecord(config, 0).Data()[0], 4);
    EXPECT_EQ(ksim::CSetupRecord(config, 0).Data()[1], 5);
    std::string error;
    bool help = false;
    const char* argv[] = {"sim", "--setup-version", "4.2"};
    ASSERT_TRUE(config.Parse(3, argv, error, help)) << error;
    EXPECT_EQ(ksim::CSetupRecord(config, 0).Data()[0], 4);
    EXPECT_EQ(ksim::CSetupRecord(config, 0).Data()[1], 2);
}

TEST(SimSetup, RecordCrcUpdateAndFactoryReset) {
    ksim::CSimConfig config = SmallConfig();
    config.fragment = 65535;
    SimInstance sim(config);
    ASSERT_TRUE(sim.listening);
    TestClient c(sim.Port());
    ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
    ASSERT_TRUE(c.Send(msg::DB_INFO_REQ));
    auto parts = c.RecvFragments(msg::DB_INFO_ACK);
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->size(), 3u) << "the record comes in three fragments";
    Bytes all = Joined(*parts);
    ASSERT_EQ(all.size(), 6636u);
    EXPECT_EQ(GetBe32(all.data()), uint32_t(crc32(0, all.data() + 4, 6632)));
    Bytes record(all.begin() + 4, all.end());
    EXPECT_EQ(record[2], 1) << "PAL";
    EXPECT_EQ(GetBe32(&record[4]), 1215000000u) << "the clock, big-endian";

    // A bad CRC is refused and changes nothing.
    Bytes update(6636);
    std::copy(record.begin(), record.end(), update.begin() + 4);
    std::memcpy(&update[4 + 88], "GATE", 5);
    PutBe32(update.data(), 0x12345678);
    ASSERT_TRUE(c.Send(msg::DB_UPDATE_REQ, update));
    auto refused = c.RecvId(msg::DB_UPDATE_NACK);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->Reason(), 81u);
    EXPECT_EQ(sim.recorder->Setup().CameraName(0), "CAMERA01");

    // A good one is stored, acknowledged without payload, and the new name pushed.
    PutBe32(update.data(), uint32_t(crc32(0, update.data() + 4, 6632)));
    ASSERT_TRUE(c.Send(msg::DB_UPDATE_REQ, update));
    auto ack = c.Recv();
    ASSERT_TRUE(ack);
    EXPECT_EQ(ack->Id(), msg::DB_UPDATE_ACK);
    EXPECT_EQ(ack->payload.size(), 0u);
    auto change = c.Recv();
    ASSERT_TRUE(change);
    EXPECT_EQ(change->Id(), msg::DB_CHANGE);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&change->payload[20])), "GATE");
    EXPECT_EQ(sim.recorder->Setup().CameraName(0), "GATE");

    // Factory values come back with DB_INIT.
    ASSERT_TRUE(c.Send(msg::DB_INIT_REQ));
    EXPECT_EQ(c.Recv()->Id(), msg::DB_INIT_ACK);
    auto pushed = c.RecvId(msg::DB_CHANGE);
    ASSERT_TRUE(pushed);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&pushed->payload[20])), "CAMERA01");
    EXPECT_TRUE(c.RecvId(msg::RIGHT_CHANGE));
}

TEST(SimCommands, EachCommandGetsItsAnswer) {
    ksim::CSimConfig config = SmallConfig();
    SimInstance sim(config);
    ASSERT_TRUE(sim.listening);
    TestClient c(sim.Port());
    ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
    struct Step {
        uint16_t request;
        Bytes payload;
        uint16_t reply;
        Bytes expected;
    };
    const std::vector<Step> steps = {
        {35, {}, 36, Be32Payload(50)},
        {32, {}, 33, Be32Payload(49)},
        {126, {}, 127, {}},
        {282, {0, 0, 0, 0}, 283, {1, 0, 0, 0}},
        {282, {9, 1, 0, 0}, 283, {0, 0, 0, 0}},
        {272, {}, 273, {}},
        {276, {}, 277, {}},
        {339, Bytes(516, 0), 340, {}},
        {20, {}, 21, {}},
    };
    for (const auto& s : steps) {
        ASSERT_TRUE(c.Send(s.request, s.payload));
        auto m = c.Recv();
        ASSERT_TRUE(m);
        EXPECT_EQ(m->Id(), s.reply) << "request " << s.request;
        if (s.request == 126) {
            // The recorder's clock runs from its start: a slow machine may be a second or more past it.
            ASSERT_EQ(m->payload.size(), 4u);
            EXPECT_GE(GetBe32(m->payload.data()), 1215000000u);
            EXPECT_LT(GetBe32(m->payload.data()), 1215000000u + 600u);
        } else {
            EXPECT_EQ(m->payload, s.expected) << "request " << s.request;
        }
        if (s.request == 35 || s.request == 32) {
            auto status = c.Recv();
            ASSERT_TRUE(status);
            EXPECT_EQ(status->Id(), msg::REC_STATUS);
            EXPECT_EQ(GetBe32(&status->payload[4]) < 6, s.request == 32) << "recording mode";
        }
    }
    // Talk blocks, while listening is accepted, are counted. PTZ moves are only journaled.
    Bytes talk(2048, 0);
    talk[2000] = 0x7F;
    ASSERT_TRUE(c.Send(msg::A_LISTEN_REQ));
    ASSERT_TRUE(c.RecvId(msg::A_LISTEN_ACK));
    ASSERT_TRUE(c.Send(msg::TALK_DATA, talk, 0, true));
    ASSERT_TRUE(c.Send(msg::TALK_DATA, talk, 0, true));
    ASSERT_TRUE(c.Send(msg::A_LISTEN_STOP_REQ));
    ASSERT_TRUE(c.RecvId(msg::A_LISTEN_STOP_ACK));
    ASSERT_TRUE(c.Send(msg::PTZ_MOVE_REQ, {8, 44, 0, 1}));
    ASSERT_TRUE(c.Send(msg::PTZ_MOVE_STOP));
    EXPECT_TRUE(sim.recorder->Journal().WaitReceived(msg::PTZ_MOVE_STOP, 1, 30000));
    EXPECT_EQ(sim.recorder->TalkBlocks(), 2u);
    EXPECT_EQ(sim.recorder->MalformedTalkBlocks(), 0u);
    EXPECT_EQ(sim.recorder->Journal().Received(msg::PTZ_MOVE_REQ)[0].payload, (Bytes{8, 44, 0, 1}));

    // Firmware: request, chunks with bit 30 on the last, then the two done answers.
    Bytes request(56, 0);
    PutBe32(&request[4], 1300000000);
    request[16] = 3;
    std::memcpy(&request[21], "KERNEL", 6);
    ASSERT_TRUE(c.Send(msg::FW_UPDATE_REQ, request));
    EXPECT_EQ(c.Recv()->Id(), msg::FW_UPDATE_ACK);
    Bytes image(8001);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = uint8_t(i * 7);
    ASSERT_TRUE(c.Send(msg::FW_DATA, Bytes(image.begin(), image.begin() + 8000)));
    ASSERT_TRUE(c.Send(msg::FW_DATA, Bytes(image.begin() + 8000, image.end()), 0, true));
    EXPECT_EQ(c.Recv()->Id(), msg::FW_DATA_RX_DONE);
    EXPECT_EQ(c.Recv()->Id(), msg::FW_UPDATE_DONE);
    const ksim::FirmwareUpload upload = sim.recorder->Firmware();
    EXPECT_TRUE(upload.complete);
    EXPECT_EQ(upload.image, image);
    EXPECT_EQ(upload.slot, 3);
    EXPECT_EQ(upload.version, 1300000000u);
    EXPECT_EQ(upload.name, "KERNEL");

    // Reboot: answered, then the recorder goes away; the next client is served.
    ASSERT_TRUE(c.Send(msg::REBOOT_REQ));
    EXPECT_EQ(c.Recv()->Id(), msg::REBOOT_ACK);
    EXPECT_TRUE(c.WaitClosed(5000));
    TestClient again(sim.Port());
    EXPECT_EQ(LoginAndPushes(again).size(), kLoginMessages);
    EXPECT_TRUE(sim.recorder->Recording()) << "the recording state outlives the session";
}

} // namespace

namespace {

TEST(SimOptions, PlainPlaybackFramesAndChannelsWithoutCamera) {
    ksim::CSimConfig config = SmallConfig();
    config.playPlain = true;
    config.videoLoss = 0x4; // channel 3
    SimInstance sim(config);
    ASSERT_TRUE(sim.listening);
    const ksim::SimSegment seg = FullSegment(*sim.recorder);
    TestClient c(sim.Port());
    ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
    ASSERT_TRUE(c.Send(msg::LIVE_REQ, Be32Payload(0xFFFF)));
    auto info = c.RecvId(msg::LIVE_CHANNEL_INFO);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->Reason(), 0x000B000Bu);
    ASSERT_TRUE(c.Send(msg::LIVE_STOP));
    ASSERT_TRUE(c.RecvId(msg::LIVE_STOP_ACK));
    ASSERT_TRUE(c.Send(msg::PLAY_ON_REQ, Range(0x1, 0x3F, seg.start, 0)));
    ASSERT_TRUE(c.RecvId(msg::PLAY_ON_ACK));
    ASSERT_TRUE(c.Send(msg::PLAY_STEP_DATA, Be32Payload(1)));
    Bytes gathered;
    while (true) {
        auto m = c.Recv();
        ASSERT_TRUE(m);
        if (m->Id() != msg::PLAY_DATA)
            continue;
        gathered.insert(gathered.end(), m->payload.begin(), m->payload.end());
        if (m->Last())
            break;
    }
    EXPECT_EQ(GetLe32(gathered.data()), 0x1FFu) << "the frame without a record in front";
}

} // namespace

namespace {

TEST(SimPlayback, StarvedOfCreditTheRecorderHintsWithPlayFlowOnce) {
    SimInstance sim(SmallConfig());
    ASSERT_TRUE(sim.listening);
    const ksim::SimSegment seg = FullSegment(*sim.recorder);
    TestClient c(sim.Port());
    ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
    ASSERT_TRUE(c.Send(msg::PLAY_ON_REQ, Range(0x1, 0x3F, seg.start, 0)));
    ASSERT_TRUE(c.RecvId(msg::PLAY_ON_ACK));
    ASSERT_TRUE(c.Send(msg::PLAY_STEP_DATA, Be32Payload(1)));
    ASSERT_TRUE(c.RecvId(msg::PLAY_DATA));
    auto flow = c.Recv(10000);
    ASSERT_TRUE(flow);
    EXPECT_EQ(flow->Id(), msg::PLAY_FLOW);
    uint8_t probe = 0;
    EXPECT_FALSE(c.ReadExact(&probe, 1, 1500)) << "once per starvation";
}

TEST(SimArchive, TheSameSeedGivesTheSameRecordingsAndLog) {
    const uint32_t now = 1215000000;
    const ksim::CSimArchive a(7, 16, 3, now, 300);
    const ksim::CSimArchive b(7, 16, 3, now, 300);
    const ksim::CSimArchive other(8, 16, 3, now, 300);
    EXPECT_EQ(a.MonthRecords(), b.MonthRecords());
    EXPECT_EQ(a.EventRecords(), b.EventRecords());
    EXPECT_EQ(a.LogRecords(), b.LogRecords());
    EXPECT_NE(a.LogRecords(), other.LogRecords());
    ASSERT_FALSE(a.Segments().empty());
    uint32_t previousEnd = 0;
    for (const auto& s : a.Segments()) {
        EXPECT_GE(s.start, previousEnd) << "recordings follow one another";
        EXPECT_LT(s.start, s.end);
        EXPECT_LE(s.end, now) << "nothing recorded after the clock";
        EXPECT_NE(s.mask, 0);
        previousEnd = s.end;
    }
    // The log's times ascend and its kinds are the five the client lists.
    const ksim::Bytes log = a.LogRecords();
    uint32_t previous = 0;
    for (size_t off = 0; off < log.size(); off += 200) {
        const uint32_t kind = GetBe32(&log[off + 8]);
        EXPECT_TRUE(kind == 1 || kind == 2 || kind == 4 || kind == 8 || kind == 16);
        EXPECT_GE(GetBe32(&log[off + 16]), previous);
        previous = GetBe32(&log[off + 16]);
    }
}

} // namespace
