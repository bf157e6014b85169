// Live, playback and backup streams: frame layout, H.264 that decodes to the announced size, and
// bytes that the simulator's regeneration functions reproduce exactly.
#include "tests/sim/SimTestClient.h"

#include "sim/FrameBuilder.h"
#include "sim/RecordedMedia.h"
#include "sim/StreamLibrary.h"
#include "sim/TestPattern.h"

#include <gtest/gtest.h>

#include <map>
#include <thread>

extern "C" {
#include <libavcodec/avcodec.h>
}

using namespace simtest;

namespace {

// The frame header fields a client reads, decoded here from the bytes.
struct FrameFields {
    uint32_t sync;
    int channel;
    int audioChannel;
    int resolutionCode;
    uint32_t frameLength;
    uint32_t seconds;
    bool pal;
    uint32_t videoSize;
    uint32_t audioValue;
    bool audioPresent;
    uint16_t ms;
    int keyMark;
};

FrameFields Parse(const uint8_t* h) {
    FrameFields f{};
    f.sync = GetLe32(h);
    f.channel = h[8] & 0x0F;
    f.audioChannel = h[8] >> 4;
    f.resolutionCode = h[9] & 0x0F;
    f.frameLength = uint32_t(h[9] >> 4) | uint32_t(h[10]) << 4 | uint32_t(h[11]) << 12;
    f.seconds = GetLe32(h + 12);
    f.pal = (h[18] & 0x80) != 0;
    f.videoSize = uint32_t(h[20]) | uint32_t(h[21]) << 8 | uint32_t(h[22] & 0x0F) << 16;
    f.audioValue = uint32_t(h[22] >> 4) | uint32_t(h[23]) << 4;
    f.audioPresent = h[24] != 0 || h[25] != 0;
    f.ms = uint16_t(h[26] | h[27] << 8);
    f.keyMark = h[28] & 3;
    return f;
}

// First NAL unit type of an Annex-B access unit; -1 without a start code.
int FirstNalType(const uint8_t* p, size_t n) {
    if (n >= 5 && p[0] == 0 && p[1] == 0 && p[2] == 0 && p[3] == 1)
        return p[4] & 0x1F;
    if (n >= 4 && p[0] == 0 && p[1] == 0 && p[2] == 1)
        return p[3] & 0x1F;
    return -1;
}

bool HasNal(const uint8_t* p, size_t n, int type) {
    for (size_t i = 0; i + 3 < n; ++i) {
        if (p[i] == 0 && p[i + 1] == 0 && p[i + 2] == 1 && (p[i + 3] & 0x1F) == type)
            return true;
    }
    return false;
}

class Decoder {
public:
    Decoder() {
        const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_H264);
        m_ctx = avcodec_alloc_context3(codec);
        m_ctx->thread_count = 1;
        m_ctx->flags |= AV_CODEC_FLAG_LOW_DELAY;
        avcodec_open2(m_ctx, codec, nullptr);
        m_frame = av_frame_alloc();
        m_packet = av_packet_alloc();
    }
    ~Decoder() {
        av_packet_free(&m_packet);
        av_frame_free(&m_frame);
        avcodec_free_context(&m_ctx);
    }
    // Decodes one access unit; true when a picture came out (its size and mean luma kept).
    bool Decode(const uint8_t* data, size_t size) {
        av_new_packet(m_packet, int(size));
        std::memcpy(m_packet->data, data, size);
        const int sent = avcodec_send_packet(m_ctx, m_packet);
        av_packet_unref(m_packet);
        if (sent < 0)
            return false;
        if (avcodec_receive_frame(m_ctx, m_frame) != 0)
            return false;
        width = m_frame->width;
        height = m_frame->height;
        meanU = Mean(m_frame->data[1], m_frame->linesize[1], width / 2, height / 2);
        meanV = Mean(m_frame->data[2], m_frame->linesize[2], width / 2, height / 2);
        av_frame_unref(m_frame);
        return true;
    }
    int width = 0;
    int height = 0;
    double meanU = 0;
    double meanV = 0;

private:
    static double Mean(const uint8_t* p, int stride, int w, int h) {
        double sum = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x)
                sum += p[y * stride + x];
        }
        return sum / (double(w) * h);
    }
    AVCodecContext* m_ctx = nullptr;
    AVFrame* m_frame = nullptr;
    AVPacket* m_packet = nullptr;
};

struct LiveCase {
    const char* name;
    ksim::Resolution resolution;
    bool pal;
    int width;
    int height;
    int code;
};

void PrintTo(const LiveCase& c, std::ostream* os) {
    *os << c.name;
}

class SimLive : public ::testing::TestWithParam<LiveCase> {};

TEST_P(SimLive, ChannelInfoFirstThenAnIdrPerChannelThatDecodesToTheAnnouncedSize) {
    const LiveCase& t = GetParam();
    ksim::CSimConfig config = SmallConfig();
    config.resolution = t.resolution;
    config.pal = t.pal;
    config.channels = 4;
    config.fragment = 4096; // D1 key pictures span several fragments
    SimInstance sim(config);
    ASSERT_TRUE(sim.listening) << sim.recorder->Error();
    TestClient c(sim.Port());
    ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
    ASSERT_TRUE(c.Send(msg::LIVE_REQ, Be32Payload(0x0000FFFF)));
    auto info = c.Recv();
    ASSERT_TRUE(info);
    ASSERT_EQ(info->Id(), msg::LIVE_CHANNEL_INFO) << "LIVE_CHANNEL_INFO before any LIVE_DATA";
    EXPECT_EQ(info->Reason(), 0x000F000Fu);

    std::map<int, Decoder> decoders;
    std::map<int, int> frames;
    std::map<int, uint64_t> n;
    const int fps = t.pal ? 25 : 30;
    Bytes gathered;
    uint32_t lastW3 = 0;
    while (frames.size() < 4 ||
           std::any_of(frames.begin(), frames.end(), [&](auto& p) { return p.second < fps + 2; })) {
        auto m = c.Recv();
        ASSERT_TRUE(m);
        ASSERT_EQ(m->Id(), msg::LIVE_DATA);
        EXPECT_NE(m->w3, 0u) << "word 3 carries the clock";
        EXPECT_GE(m->w3, lastW3);
        lastW3 = m->w3;
        gathered.insert(gathered.end(), m->payload.begin(), m->payload.end());
        if (!m->Last())
            continue;
        ASSERT_GE(gathered.size(), 40u);
        const FrameFields f = Parse(gathered.data());
        EXPECT_EQ(f.sync, 0x1FFu);
        EXPECT_EQ(f.resolutionCode, t.code);
        EXPECT_EQ(f.pal, t.pal);
        EXPECT_EQ(f.frameLength, gathered.size());
        EXPECT_EQ(f.frameLength, 40 + f.videoSize + f.audioValue);
        EXPECT_EQ(f.audioValue, 0u) << "no sound until AUDIO_ONOFF";
        EXPECT_EQ(f.seconds, m->w3);
        const uint8_t* au = gathered.data() + 40;
        const int count = frames[f.channel]++;
        if (count == 0) {
            EXPECT_EQ(f.keyMark, 1) << "an IDR first on channel " << f.channel;
        }
        EXPECT_EQ(f.keyMark == 1, uint64_t(count) % uint64_t(fps) == 0);
        if (f.keyMark == 1) {
            EXPECT_EQ(FirstNalType(au, f.videoSize), 7) << "SPS first in a key picture";
            EXPECT_TRUE(HasNal(au, f.videoSize, 8)) << "PPS";
            EXPECT_TRUE(HasNal(au, f.videoSize, 5)) << "IDR slice";
        } else {
            EXPECT_FALSE(HasNal(au, f.videoSize, 7));
        }
        Decoder& d = decoders[f.channel];
        ASSERT_TRUE(d.Decode(au, f.videoSize)) << "one picture per access unit, channel " << f.channel;
        EXPECT_EQ(d.width, t.width);
        EXPECT_EQ(d.height, t.height);
        // The channel's colour survives compression (chroma is flat outside the digits and box).
        const ksim::ChannelColour colour = ksim::CTestPattern::Colour(f.channel);
        EXPECT_NEAR(d.meanU, colour.u, 12.0);
        EXPECT_NEAR(d.meanV, colour.v, 12.0);
        gathered.clear();
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, SimLive,
                         ::testing::Values(LiveCase{"CifPal", ksim::Resolution::Cif, true, 352, 288, 0},
                                           LiveCase{"HalfNtsc", ksim::Resolution::HalfD1, false, 704, 240, 5},
                                           LiveCase{"D1Pal", ksim::Resolution::D1, true, 704, 576, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SimLiveInterleave, AnAnswerGoesOutBetweenTwoFragmentsOfAFrameInProgressAndTheFrameStaysWhole) {
    ksim::CSimConfig config = SmallConfig();
    config.channels = 16;
    config.bitrateKbps = 8000; // 16 MB a second: the socket buffers fill within half a second
    config.fragment = 256;     // and every frame comes in many fragments
    SimInstance sim(config);
    ASSERT_TRUE(sim.listening) << sim.recorder->Error();
    TestClient c(sim.Port(), 8192);
    ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
    ASSERT_TRUE(c.Send(msg::LIVE_REQ, Be32Payload(0x0000FFFF)));
    ASSERT_EQ(c.RecvId(msg::LIVE_CHANNEL_INFO)->Id(), msg::LIVE_CHANNEL_INFO);

    // A frame is whole when it starts with the sync word and holds the length its header gives.
    auto whole = [](const Bytes& frame) {
        if (frame.size() < 40 || GetLe32(frame.data()) != 0x1FFu) {
            return false;
        }
        const size_t length = size_t(frame[9] >> 4) | size_t(frame[10]) << 4 | size_t(frame[11]) << 12;
        return length <= frame.size();
    };
    int inside = 0;
    int frames = 0;
    for (int attempt = 0; attempt < 6 && inside < 3; ++attempt) {
        // Not reading for a while lets the stream back up (this is not a wait for an event): the
        // sender then waits in the middle of a frame when the request comes.
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        ASSERT_TRUE(c.Send(msg::DVR_TIME_REQ));
        Bytes frame;
        bool answered = false;
        bool answeredInside = false;
        while (true) {
            auto m = c.Recv();
            ASSERT_TRUE(m);
            if (m->Id() == msg::DVR_TIME_ACK) {
                ASSERT_FALSE(answered);
                answered = true;
                answeredInside = !frame.empty();
                continue;
            }
            if (m->Id() != msg::LIVE_DATA) {
                continue;
            }
            frame.insert(frame.end(), m->payload.begin(), m->payload.end());
            if (m->Last()) {
                EXPECT_TRUE(whole(frame)) << "frame " << frames;
                ++frames;
                frame.clear();
                if (answered) {
                    break;
                }
            }
        }
        inside += answeredInside ? 1 : 0;
    }
    // Before, every answer waited for the end of the frame being sent.
    EXPECT_GE(inside, 3);
}

TEST(SimLiveAudio, AudioBitsOnEveryHeaderAndAToneBlockInTheAudioArea) {
    ksim::CSimConfig config = SmallConfig();
    config.channels = 4;
    SimInstance sim(config);
    ASSERT_TRUE(sim.listening);
    TestClient c(sim.Port());
    ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
    ASSERT_TRUE(c.Send(msg::AUDIO_ONOFF_REQ, {}, 0x8)); // AUDIO_ONOFF on
    ASSERT_TRUE(c.Send(msg::LIVE_REQ, Be32Payload(0x2)));
    ASSERT_TRUE(c.Send(msg::REC_ON_REQ)); // its answers must carry the audio bit too
    int withAudio = 0;
    int total = 0;
    bool sawRecAck = false;
    Bytes gathered;
    const ksim::CFrameBuilder builder(sim.recorder->Library());
    while (total < 50 || !sawRecAck) {
        auto m = c.Recv();
        ASSERT_TRUE(m);
        EXPECT_TRUE(m->AudioOn()) << "message " << m->Id();
        EXPECT_EQ(m->w0 & 7, 0u) << "the listening channel of DB_CHANGE byte 540";
        sawRecAck = sawRecAck || m->Id() == msg::REC_ON_ACK;
        if (m->Id() != msg::LIVE_DATA)
            continue;
        gathered.insert(gathered.end(), m->payload.begin(), m->payload.end());
        if (!m->Last())
            continue;
        const FrameFields f = Parse(gathered.data());
        EXPECT_EQ(f.channel, 1);
        if (f.audioValue) {
            EXPECT_EQ(f.audioValue, 2048u);
            EXPECT_TRUE(f.audioPresent);
            EXPECT_EQ(f.audioChannel, 1);
            const uint8_t* area = gathered.data() + 40 + f.videoSize;
            EXPECT_TRUE(std::all_of(area, area + 1536, [](uint8_t b) { return b == 0; }));
            EXPECT_EQ(Bytes(area + 1536, area + 2048), ksim::CFrameBuilder::AudioBlock(1, uint64_t(withAudio)));
            ++withAudio;
        } else {
            EXPECT_FALSE(f.audioPresent);
        }
        EXPECT_EQ(bool(f.audioValue), builder.HasAudioBlock(uint64_t(total)));
        ++total;
        gathered.clear();
    }
    // 8000 samples per second in 512-sample blocks over 25 pictures per second.
    EXPECT_EQ(uint64_t(withAudio), builder.AudioBlocksBefore(uint64_t(total)));
}

TEST(SimLiveRepro, LiveFrameNIsRegeneratedByAnIndependentLibrary) {
    ksim::CSimConfig config = SmallConfig();
    config.channels = 2;
    SimInstance sim(config);
    ASSERT_TRUE(sim.listening);
    TestClient c(sim.Port());
    ASSERT_EQ(LoginAndPushes(c).size(), kLoginMessages);
    ASSERT_TRUE(c.Send(msg::LIVE_REQ, Be32Payload(0x3)));
    ASSERT_EQ(c.Recv()->Id(), msg::LIVE_CHANNEL_INFO);
    const ksim::CStreamLibrary library(config.Video(), config.ServedChannels(), config.LoopFrames());
    ASSERT_TRUE(library.Ok());
    const ksim::CFrameBuilder builder(library);
    std::map<int, uint64_t> next;
    Bytes gathered;
    int checked = 0;
    bool restarted = false;
    while (checked < 80) {
        auto m = c.Recv();
        ASSERT_TRUE(m);
        if (m->Id() == msg::LIVE_CHANNEL_INFO) { // the new request below: both channels start again at frame 0
            next.clear();
            continue;
        }
        gathered.insert(gathered.end(), m->payload.begin(), m->payload.end());
        if (!m->Last())
            continue;
        const FrameFields f = Parse(gathered.data());
        const uint64_t index = next[f.channel]++;
        EXPECT_EQ(gathered, builder.Frame(f.channel, index, f.seconds, f.ms, false))
            << "channel " << f.channel << " frame " << index;
        gathered.clear();
        if (++checked == 30 && !restarted) {
            restarted = true;
            ASSERT_TRUE(c.Send(msg::LIVE_REQ, Be32Payload(0x3)));
        }
    }
}

} // namespace
