// Live view against a scripted recorder: the live request, channel information, frame intake into
// the decoders and the audio hand-over.
#include "protocol/FrameHeader.h"
#include "protocol/ReasonCodes.h"
#include "tests/protocol/ClientRig.h"
#include "tests/protocol/FrameBytes.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace rig;
using namespace framebytes;

namespace {

using kelotest::TempDir;

Bytes Frame(int channel, DWORD time, std::size_t video, std::size_t audio = 0, int audioChannel = 0) {
    FrameShape s;
    s.channel = channel;
    s.time = time;
    s.milliseconds = WORD(time % 1000);
    s.videoSize = video;
    s.audioValue = audio;
    s.audioPresent = audio != 0;
    s.audioChannel = audioChannel;
    s.fill = BYTE(channel * 16 + time);
    return MakeFrame(s);
}

// Sends a frame as LIVE_DATA in fragments of at most `fragment` bytes.
void SendLive(ClientRig& r, const Bytes& frame, std::size_t fragment = 65535, Header h = {}) {
    h.id = Msg::LIVE_DATA;
    for (std::size_t at = 0; at < frame.size(); at += fragment) {
        const std::size_t n = std::min(fragment, frame.size() - at);
        h.last = at + n == frame.size();
        ASSERT_TRUE(r.Send(h, Bytes(frame.begin() + at, frame.begin() + at + n)));
    }
}

std::vector<std::unique_ptr<FrameItem>> Drain(DecoderLog& log) {
    std::vector<std::unique_ptr<FrameItem>> items;
    while (auto item = log.queue.Take()) {
        items.push_back(std::move(item));
    }
    return items;
}

} // namespace

TEST(ClientLive, LayoutAndDecodersFollowTheChannelCount) {
    struct Case {
        std::uint8_t channels;
        int tiles;
        int decoders;
    };
    const Case cases[] = {{4, 4, 4}, {8, 9, 8}, {16, 16, 16}, {6, 16, 16}};
    for (const Case& c : cases) {
        Options options;
        options.channels = c.channels;
        ClientRig r(options);
        EXPECT_EQ(r.video.Layouts().back(), c.tiles) << int(c.channels);
        EXPECT_EQ(int(r.media.Decoders().size()), c.decoders) << int(c.channels);
        EXPECT_EQ(r.video.playSource.load(), 1);
        EXPECT_TRUE(r.host.WaitFor([&](const HostCall& call) {
            return call.kind == HostCall::Event && call.event == ClientEvent::ChannelLayout && call.value == c.tiles;
        }));
    }
}

TEST(ClientLive, LiveRequestAsksForEveryChannel) {
    ScriptedRecorder recorder;
    FakeClientHost host;
    RecordingVideoView video;
    FakeMediaFactory media;
    CDvrClient client(DvrClientSeams{&host, &video, &media});
    client.Login().SetConnectParams("127.0.0.1", recorder.Port(), "admin", "1234");
    ASSERT_TRUE(client.Connect());
    ASSERT_TRUE(recorder.AcceptClient());
    recorder.Read();
    Bytes hello(768, 0);
    hello[2] = 4;
    hello[6] = 16;
    recorder.Send(Msg::HELLO48_ACK, hello);
    const ScriptedRecorder::Received live = recorder.Read();
    EXPECT_EQ(live.id, unsigned(Msg::LIVE_REQ));
    EXPECT_EQ(live.payload, (Bytes{0x00, 0x00, 0xFF, 0xFF}));
    client.Disconnect();
}

TEST(ClientLive, FramesReachTheirDecodersWholeAndInOrder) {
    ClientRig r;
    // Before LIVE_CHANNEL_INFO nothing is live yet: these frames are dropped.
    SendLive(r, Frame(0, 1, 500));
    SendLive(r, Frame(1, 1, 500));
    r.StartLive();
    const DWORD generation = r.client->GetLiveGeneration();

    std::vector<Bytes> sent[3];
    for (DWORD t = 10; t < 16; ++t) {
        for (int ch = 0; ch < 3; ++ch) {
            sent[ch].push_back(Frame(ch, t, 3000 + 7000 * ch + t));
            Header h;
            h.clock = 0x50000000 + t;
            SendLive(r, sent[ch].back(), 4096, h); // many fragments per frame
        }
    }
    r.Sync();
    EXPECT_EQ(r.client->Live().GetLiveClock(), 0x50000000u + 15);
    for (int ch = 0; ch < 3; ++ch) {
        const auto items = Drain(*r.media.Decoder(ch));
        ASSERT_EQ(items.size(), sent[ch].size()) << ch;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const FrameItem& item = *items[i];
            const Bytes& frame = sent[ch][i];
            const std::size_t video = frame.size() - 40;
            EXPECT_EQ(item.descriptor.channel, ch);
            EXPECT_EQ(item.descriptor.frame_time, 10 + i);
            EXPECT_EQ(item.descriptor.generation, generation);
            EXPECT_EQ(item.descriptor.item_length, video + 72);
            ASSERT_EQ(item.data.size(), video + 72);
            EXPECT_TRUE(std::equal(frame.begin(), frame.end(), item.data.begin())) << ch << " " << i;
            EXPECT_EQ((item.header[1] >> 22) & 0xF, DWORD(ch));
            EXPECT_EQ(item.MessageId(), DWORD(Msg::LIVE_DATA));
        }
    }
}

TEST(ClientLive, BrokenFramesAreDroppedAndTheNextOneArrives) {
    ClientRig r;
    r.StartLive();
    Bytes noSync = Frame(2, 20, 100);
    noSync[0] = 0;
    Bytes badLength = Frame(2, 21, 100);
    badLength[10] ^= 0x10; // frame length no longer header + picture + audio
    Bytes truncated = Frame(2, 22, 100);
    truncated.resize(truncated.size() - 10);
    SendLive(r, noSync);
    SendLive(r, badLength);
    SendLive(r, truncated);
    const Bytes good = Frame(2, 23, 100);
    SendLive(r, good);
    r.Sync();
    const auto items = Drain(*r.media.Decoder(2));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0]->descriptor.frame_time, 23u);
    EXPECT_TRUE(std::equal(good.begin(), good.end(), items[0]->data.begin()));
}

// A frame whose fragments outgrow the gathering area can never be whole: the connection ends with
// the closed notice instead of leaving the tiles empty.
TEST(ClientLive, AFrameWithoutItsLastFragmentWithinTheAreaEndsTheConnection) {
    ClientRig r;
    r.StartLive();
    r.host.Clear();
    Header h;
    h.id = Msg::LIVE_DATA;
    h.last = false;
    const Bytes chunk(65535, 0x11);
    for (int i = 0; i < 20; ++i) {
        r.Send(h, chunk); // the client may already have closed
    }
    EXPECT_TRUE(r.host.WaitForNotice(kNoticeConnectionClosed));
    EXPECT_TRUE(Drain(*r.media.Decoder(2)).empty());
}

TEST(ClientLive, ChannelInfoAppliesHiddenChannelsAndWritesTheChannelFile) {
    const TempDir folder;
    Options options;
    options.channels = 8;
    options.rights = 0xDF; // no right 5: hidden channels stay hidden
    ClientRig r(options);
    WebExportSettings web;
    web.active = true;
    web.location = folder.Path() / "web";
    web.width = 352;
    web.height = 240;
    web.interval = 500;
    r.client->Live().SetWebExport(web);

    Bytes change(596, 0);
    change[4 + 3] = 1; // channel 4 hidden
    r.Send(Msg::DB_CHANGE, change);
    // Cameras on channels 1-4 and 9, streamed 1-4 and 9 (no decoder for 9 on an 8-channel recorder).
    r.StartLive(0x010F010F);
    EXPECT_EQ(r.client->Live().GetAvailableMask(), 0x0107u);
    EXPECT_EQ(r.client->GetStreamedMask(), 0x000Fu);
    EXPECT_EQ(r.client->Live().GetVideoLossMask(), 0x00F8u);
    EXPECT_EQ(r.video.AvailableMasks().back(), 0x0107u);
    EXPECT_TRUE(r.video.Hidden(3));
    std::ifstream in(web.location / "chinfo.bin", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "263\r\n352\r\n240\r\n500\r\n");

    web.active = false;
    r.client->Live().SetWebExport(web);
    std::filesystem::remove(web.location / "chinfo.bin");
    r.StartLive(0x00010001);
    EXPECT_FALSE(std::filesystem::exists(web.location / "chinfo.bin"));
}

TEST(ClientLive, AudioGoesToThePlayerOnlyForTheListenedChannel) {
    ClientRig r;
    r.client->Commands().SetListenSwitch(true);
    r.video.selected = 2;
    r.StartLive();
    r.audioOn = true;
    r.audioChannel = 2;
    Header audio;
    audio.audioOn = true;
    audio.audioChannel = 2;
    const Bytes withSound = Frame(2, 30, 200, 2048, 2);
    SendLive(r, withSound, 65535, audio);
    r.Sync();
    ASSERT_EQ(r.media.Players().size(), 1u);
    auto player = r.media.Players()[0];
    EXPECT_EQ(player->blocksPerChunk, 2);
    {
        std::lock_guard lock(player->lock);
        ASSERT_EQ(player->blocks.size(), 1u);
        EXPECT_TRUE(
            std::equal(player->blocks[0].begin(), player->blocks[0].end(), withSound.begin() + 40 + 200 + 1536));
    }
    EXPECT_EQ(r.client->Media().GetAudioChannelMask(), 1u << 2);

    // An audio area too short for its block is not read.
    SendLive(r, Frame(2, 31, 200, 1024, 2), 65535, audio);
    r.Sync();
    {
        std::lock_guard lock(player->lock);
        EXPECT_EQ(player->blocks.size(), 1u);
    }
    // Sound of a channel that is not listened to stops the player and marks it stopped.
    SendLive(r, Frame(5, 32, 200, 2048, 5), 65535, audio);
    r.Sync();
    EXPECT_TRUE(player->stopped.load());
    EXPECT_TRUE(r.client->Media().IsAudioStoppedMark());
    // The listened channel again: a new player.
    SendLive(r, Frame(2, 33, 200, 2048, 2), 65535, audio);
    r.Sync();
    EXPECT_EQ(r.media.Players().size(), 2u);
    EXPECT_FALSE(r.client->Media().IsAudioStoppedMark());
}

TEST(ClientLive, StopTearsDownEvenWhenADecoderNeverDrains) {
    ClientRig r;
    r.StartLive();
    SendLive(r, Frame(0, 40, 100)); // nobody takes it out of decoder 0
    r.Sync();
    r.client->Live().SendLiveStop();
    EXPECT_EQ(r.Next().id, unsigned(Msg::LIVE_STOP));
    for (const auto& decoder : r.media.Decoders()) {
        EXPECT_TRUE(decoder->stopped.load());
        EXPECT_TRUE(decoder->refusing.load());
    }
    EXPECT_FALSE(r.client->IsLive());
    EXPECT_EQ(r.video.Layouts().back(), 16);
    EXPECT_EQ(r.video.playSource.load(), 0);
    // Frames after the stop are not for anyone.
    SendLive(r, Frame(0, 41, 100));
    r.Sync();
    EXPECT_EQ(r.media.Decoder(0)->queue.GetCount(), 1u);
}
