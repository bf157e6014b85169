// The client's live, setup, playback and backup paths against the recorder simulator program. What
// the simulator sent is regenerated independently with its core library and compared byte for byte.
#include "protocol/ByteOrder.h"
#include "protocol/ClientMessages.h"
#include "protocol/DvrClient.h"
#include "protocol/MessageIds.h"
#include "protocol/ReasonCodes.h"
#include "sim/RecordedMedia.h"
#include "sim/SetupRecord.h"
#include "sim/SimArchive.h"
#include "sim/SimConfig.h"
#include "sim/StreamLibrary.h"
#include "tests/protocol/BackupSetReader.h"
#include "tests/protocol/FakeClientHost.h"
#include "tests/protocol/FakeMedia.h"
#include "tests/support/Prerequisite.h"
#include "tests/support/SimProcess.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <cerrno>
#include <map>
#include <memory>
#include <unistd.h>

namespace {

using kelotest::TempDir;

using namespace std::chrono_literals;

// The recorder clock: today, 2026-12-10 12:00 UTC (its times in milliseconds need 64 bits).
constexpr DWORD kClock = 1796904000;

std::vector<std::uint8_t> RangeBytes(DWORD mask, BYTE types, DWORD start, DWORD end) {
    std::vector<std::uint8_t> range(24, 0);
    WriteBE32(range.data(), mask);
    range[4] = types;
    WriteBE32(range.data() + 16, start);
    WriteBE32(range.data() + 20, end);
    return range;
}

// One simulator per suite (starting it encodes its pictures, which takes a while); every test logs
// a client of its own in.
class SimSuite : public ::testing::Test {
protected:
    // The options given come after the suite's own, so they win.
    static bool StartSim(std::vector<std::string> options, ksim::CSimConfig& config, SimProcess& sim) {
        options.insert(options.begin(), {"--resolution", "cif", "--loop-seconds", "1", "--days", "1", "--clock",
                                         std::to_string(kClock)});
        std::vector<const char*> argv = {"kelo-recorder-sim"};
        for (const std::string& o : options) {
            argv.push_back(o.c_str());
        }
        std::string error;
        bool help = false;
        return config.Parse(int(argv.size()), argv.data(), error, help) && sim.Start(options);
    }

    void LogIn(int port) {
        DvrClientTiming timing;
        timing.idleWait = 10ms;
        timing.disconnectWait = 100ms;
        client = std::make_unique<CDvrClient>(DvrClientSeams{&host, &video, &media}, timing);
        client->SetPlayTiming(PlayTiming(100ms));
        client->Login().SetConnectParams("127.0.0.1", DWORD(port), "admin", "1234");
        ASSERT_TRUE(client->Connect());
        ASSERT_TRUE(host.WaitFor([](const HostCall& c) { return c.kind == HostCall::LocalLog && c.subKind == 1; }));
        ASSERT_TRUE(Eventually([&] { return client->IsLive(); }, 30s));
    }

    static CDvrClient::PlayTiming PlayTiming(std::chrono::milliseconds drainLimit) {
        CDvrClient::PlayTiming play;
        play.commandSleep = 1ms;
        play.otherSleep = 1ms;
        play.playSleep = 1ms;
        play.drainLimit = drainLimit;
        return play;
    }

    void TearDown() override {
        if (client) {
            client->Disconnect();
            client.reset();
        }
    }

    bool Send(WORD id, const std::vector<std::uint8_t>& payload = {}) {
        return client->SendPacket(PacketHeader::Request(id, DWORD(payload.size())), payload.data(),
                                  DWORD(payload.size())) > 0;
    }

    bool WaitPosted(UINT message, std::chrono::seconds timeout = 120s) {
        return host.WaitFor([message](const HostCall& c) { return c.kind == HostCall::Post && c.message == message; },
                            timeout);
    }

    static std::vector<std::string> CameraNames(const ksim::CSimConfig& config) {
        const ksim::CSetupRecord setup(config, kClock);
        std::vector<std::string> names;
        for (int ch = 0; ch < 16; ++ch) {
            names.push_back(setup.CameraName(ch));
        }
        return names;
    }

    FakeClientHost host;
    RecordingVideoView video;
    FakeMediaFactory media;
    std::unique_ptr<CDvrClient> client;
};

// A four-channel recorder with its recordings regenerated for comparison.
class SimFourChannels : public SimSuite {
protected:
    static void SetUpTestSuite() {
        if (!SimProcess::Available()) {
            return;
        }
        s_config = std::make_unique<ksim::CSimConfig>();
        s_sim = std::make_unique<SimProcess>(SimProcess::Messages::Quiet);
        s_started = StartSim({"--channels", "4"}, *s_config, *s_sim);
        if (s_started) {
            s_archive = std::make_unique<ksim::CSimArchive>(s_config->seed, s_config->ServedChannels(), s_config->days,
                                                            kClock, s_config->logEntries);
            s_library = std::make_unique<ksim::CStreamLibrary>(s_config->Video(), s_config->ServedChannels(),
                                                               s_config->LoopFrames());
            s_recorded = std::make_unique<ksim::CRecordedMedia>(*s_archive, *s_library);
        }
    }
    static void TearDownTestSuite() {
        s_recorded.reset();
        s_library.reset();
        s_archive.reset();
        s_sim.reset();
        s_config.reset();
    }
    void SetUp() override {
        KELO_REQUIRE(SimProcess::Available(), "the recorder simulator is not built");
        ASSERT_TRUE(s_started);
        LogIn(s_sim->Port());
    }
    static DWORD FirstRecording() { return s_archive->Segments().front().start; }

    static inline std::unique_ptr<ksim::CSimConfig> s_config;
    static inline std::unique_ptr<SimProcess> s_sim;
    static inline bool s_started = false;
    static inline std::unique_ptr<ksim::CSimArchive> s_archive;
    static inline std::unique_ptr<ksim::CStreamLibrary> s_library;
    static inline std::unique_ptr<ksim::CRecordedMedia> s_recorded;
};

std::vector<std::filesystem::path> IdxFiles(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> sets;
    for (const auto& e : std::filesystem::directory_iterator(folder / "Download")) {
        if (e.path().extension() == ".idx") {
            sets.push_back(e.path());
        }
    }
    std::sort(sets.begin(), sets.end());
    return sets;
}

// Counts the pictures libavcodec makes of a channel's queued access units, one packet per frame.
int DecodePictures(const std::vector<std::unique_ptr<FrameItem>>& items) {
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_H264);
    AVCodecContext* context = avcodec_alloc_context3(codec);
    context->flags |= AV_CODEC_FLAG_LOW_DELAY;
    context->thread_count = 1;
    if (avcodec_open2(context, codec, nullptr) != 0) {
        avcodec_free_context(&context);
        return -1;
    }
    AVPacket* packet = av_packet_alloc();
    AVFrame* picture = av_frame_alloc();
    int pictures = 0;
    auto drain = [&] {
        while (avcodec_receive_frame(context, picture) == 0) {
            ++pictures;
        }
    };
    for (const auto& item : items) {
        const std::size_t size = item->descriptor.video_size;
        std::vector<BYTE> padded(size + AV_INPUT_BUFFER_PADDING_SIZE, 0);
        std::memcpy(padded.data(), item->data.data() + 40, size);
        packet->data = padded.data();
        packet->size = int(size);
        if (avcodec_send_packet(context, packet) == 0) {
            drain();
        }
    }
    avcodec_send_packet(context, nullptr);
    drain();
    av_frame_free(&picture);
    av_packet_free(&packet);
    avcodec_free_context(&context);
    return pictures;
}

} // namespace

TEST_F(SimSuite, SixteenLiveChannelsReachTheirDecodersWholeAndInOrder) {
    KELO_REQUIRE(SimProcess::Available(), "the recorder simulator is not built");
    ksim::CSimConfig config;
    SimProcess sim{SimProcess::Messages::Quiet};
    ASSERT_TRUE(StartSim({"--channels", "16"}, config, sim));
    LogIn(sim.Port());
    constexpr std::size_t kFrames = 40; // over a second and a half of every channel
    ASSERT_TRUE(Eventually(
        [&] {
            for (int ch = 0; ch < 16; ++ch) {
                auto decoder = media.Decoder(ch);
                if (!decoder || decoder->queue.GetCount() < kFrames) {
                    return false;
                }
            }
            return true;
        },
        120s));
    client->Live().SendLiveStop();

    const ksim::CStreamLibrary library(config.Video(), config.ServedChannels(), config.LoopFrames());
    ASSERT_TRUE(library.Ok());
    const ksim::CFrameBuilder builder(library);
    for (int ch = 0; ch < 16; ++ch) {
        std::vector<std::unique_ptr<FrameItem>> items;
        while (auto item = media.Decoder(ch)->queue.Take()) {
            items.push_back(std::move(item));
        }
        ASSERT_GE(items.size(), kFrames) << ch;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const FrameDescriptor& d = items[i]->descriptor;
            const ksim::Bytes expected = builder.Frame(ch, i, d.frame_time, WORD(d.milliseconds), false);
            ASSERT_EQ(d.channel, ch);
            ASSERT_EQ(d.key_mark, i % 25 == 0 ? 1 : 0) << ch << " " << i;
            ASSERT_EQ(d.width, 352);
            ASSERT_EQ(d.height, 288);
            ASSERT_TRUE(items[i]->data.size() >= expected.size() &&
                        std::equal(expected.begin(), expected.end(), items[i]->data.begin()))
                << "channel " << ch << " frame " << i;
        }
        EXPECT_EQ(DecodePictures(items), int(items.size())) << ch;
    }
}

// The picture size the client gives each live frame is the one the recorder encoded, for every
// resolution and standard the recorder offers (its own table of sizes and codes, not the client's).
TEST_F(SimSuite, EveryResolutionAndStandardGivesTheRecordersPictureSize) {
    KELO_REQUIRE(SimProcess::Available(), "the recorder simulator is not built");
    for (const char* resolution : {"d1", "half", "cif"}) {
        for (const char* standard : {"pal", "ntsc"}) {
            SCOPED_TRACE(std::string(resolution) + " " + standard);
            ksim::CSimConfig config;
            SimProcess sim{SimProcess::Messages::Quiet};
            ASSERT_TRUE(StartSim({"--channels", "4", "--resolution", resolution, "--standard", standard}, config, sim));
            const ksim::VideoFormat video = config.Video();
            LogIn(sim.Port());
            ASSERT_TRUE(Eventually(
                [&] {
                    auto decoder = media.Decoder(3);
                    return decoder && decoder->queue.GetCount() > 0;
                },
                60s));
            const std::unique_ptr<FrameItem> item = media.Decoder(3)->queue.Take();
            ASSERT_NE(item, nullptr);
            EXPECT_EQ(item->descriptor.width, video.width);
            EXPECT_EQ(item->descriptor.height, video.height);
            client->Disconnect();
            client.reset();
        }
    }
}

TEST_F(SimFourChannels, SetupRecordComesAndGoesBackWhole) {
    client->Setup().SendDbInfoReq();
    ASSERT_TRUE(WaitPosted(WM_KELO_SETUP_READY));
    SetupDatabase db;
    ASSERT_TRUE(client->Setup().TakeReceivedSetupDatabase(db));
    const ksim::Bytes expected = ksim::CSetupRecord(*s_config, kClock).Data();
    ASSERT_EQ(expected.size(), sizeof(db));
    EXPECT_EQ(std::memcmp(&db, expected.data(), sizeof(db)), 0);
    DbToHostOrder(db);
    db.event_time_a = 30;
    DbToNetworkOrder(db);
    client->Setup().SendDbUpdate(db);
    EXPECT_TRUE(host.WaitForNotice(kNoticeSetupSaved)); // the simulator checked length and CRC
}

TEST_F(SimFourChannels, BackupOfFourChannelsHoldsExactlyWhatWasSent) {
    const DWORD start = FirstRecording();
    const DWORD end = start + 3;
    const std::vector<ksim::Bytes> expected = s_recorded->BackupBlocks(0xF, 0x3F, start, end, CameraNames(*s_config));
    ASSERT_GT(expected.size(), 50u);

    TempDir folder;
    DownloadWriterOptions options;
    options.saveLocation = folder.Path();
    ULONGLONG total = 0;
    for (const auto& block : expected) {
        total += block.size();
    }
    options.splitSize = total / 3; // the download spans several sets
    client->Backup().SetDownloadOptions(options);
    // Live view's stand-in decoders never take their frames: stopped now, while the wait for them
    // is short, the end of the test does not wait a minute for each.
    client->Live().SendLiveStop();
    // The end of the backup waits while the writer still takes frames: a writer slowed by a loaded
    // machine keeps every frame it holds.
    client->SetPlayTiming(PlayTiming(60s));
    client->Search().SetSearchFrameOpen(true);
    ASSERT_TRUE(Send(Msg::TRANS_ON_REQ, RangeBytes(0xF, 0x3F, start, end)));
    ASSERT_TRUE(host.WaitFor([&](const HostCall& c) {
        return c.kind == HostCall::Post && c.message == WM_KELO_BACKUP_SIZE && c.wParam == (total + 1023) / 1024;
    }));
    ASSERT_TRUE(client->Backup().CreateDownloadWriter(DWORD((total + 1023) / 1024), 0, 0));
    ASSERT_TRUE(Send(Msg::TRANS_DATA_REQ, RangeBytes(0xF, 0x3F, start, end)));
    ASSERT_TRUE(WaitPosted(WM_KELO_BACKUP_CLOSE));
    ASSERT_TRUE(Eventually([&] { return !client->Backup().HasDownloadWriter(); }));

    const std::vector<std::filesystem::path> sets = IdxFiles(folder.Path());
    ASSERT_GE(sets.size(), 3u);
    std::size_t n = 0;
    DWORD previousTrailer = 0;
    for (std::size_t s = 0; s < sets.size(); ++s) {
        backupset::Set set;
        ASSERT_EQ(backupset::Read(sets[s], set), "") << sets[s];
        EXPECT_EQ(set.headerStamp[0], previousTrailer) << s; // continuation stamps join the sets
        previousTrailer = set.trailerStamp;
        for (const auto& frame : set.frames) {
            ASSERT_LT(n, expected.size());
            const ksim::Bytes& block = expected[n];
            ASSERT_EQ(frame.frame.size(), block.size() - 192) << n;
            ASSERT_TRUE(std::equal(frame.frame.begin(), frame.frame.end(), block.begin() + 192)) << n;
            ASSERT_TRUE(std::equal(frame.record.begin(), frame.record.begin() + 32, block.begin())) << n;
            ++n;
        }
    }
    EXPECT_EQ(previousTrailer, 0u);
    EXPECT_EQ(n, expected.size());
}

TEST_F(SimFourChannels, DisconnectingMidBackupLeavesAReadableSet) {
    const DWORD start = FirstRecording();
    TempDir folder;
    client->Backup().SetSaveLocation(folder.Path());
    ASSERT_TRUE(client->Backup().CreateDownloadWriter(1, 0, 0));
    // Everything from the first recording on: far more than arrives before the disconnect.
    ASSERT_TRUE(Send(Msg::TRANS_DATA_REQ, RangeBytes(0xF, 0x3F, start, 0)));
    ASSERT_TRUE(host.WaitFor(
        [](const HostCall& c) {
            return c.kind == HostCall::Post && c.message == WM_KELO_BACKUP_PROGRESS && c.wParam >= 200;
        },
        120s));
    client->Disconnect();
    EXPECT_FALSE(client->Backup().HasDownloadWriter());

    const std::vector<std::filesystem::path> sets = IdxFiles(folder.Path());
    ASSERT_EQ(sets.size(), 1u);
    backupset::Set set;
    ASSERT_EQ(backupset::Read(sets[0], set), "");
    ASSERT_GT(set.frames.size(), 0u);
    EXPECT_EQ(set.trailerStamp, 0u);
    // The set holds the first frames of the range, each whole.
    const std::vector<std::string> names = CameraNames(*s_config);
    std::size_t i = 0;
    s_recorded->ForEachFrame(s_archive->Select(0xF, 0x3F, start, 0), [&](const ksim::RecordedFrame& f) {
        const ksim::Bytes block = s_recorded->Block(f, names[std::size_t(f.channel)]);
        EXPECT_TRUE(set.frames[i].frame.size() == block.size() - 192 &&
                    std::equal(set.frames[i].frame.begin(), set.frames[i].frame.end(), block.begin() + 192))
            << i;
        return ++i < set.frames.size();
    });
    EXPECT_EQ(i, set.frames.size());
}

TEST_F(SimFourChannels, PlaybackKeepsFlowingOnReturnedCredit) {
    const DWORD start = FirstRecording();
    ASSERT_TRUE(Send(Msg::PLAY_ON_REQ, RangeBytes(0xF, 0x3F, start, start + 30)));
    ASSERT_TRUE(WaitPosted(WM_KELO_PLAY_STARTED));
    // More frames than the first credit of 93 covers: the client returns credit as it goes.
    ASSERT_TRUE(Eventually(
        [&] {
            std::size_t frames = 0;
            for (const auto& d : media.Decoders()) {
                frames += d->source == 2 ? d->queue.GetCount() : 0;
            }
            return frames >= 200;
        },
        120s));
    auto decoder = media.Decoder(0);
    auto item = decoder->queue.Take();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(std::string(item->descriptor.label),
              CameraNames(*s_config)[0].empty() ? "CH1" : CameraNames(*s_config)[0]);
    client->Play().SendPlayStop();
    EXPECT_FALSE(client->Play().IsRemotePlay());
}
