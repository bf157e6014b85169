// The channel decoder's stream state machine, its bounded queue and its on-screen texts, with a
// scripted decoder library and a recording host.
#include "media/ChannelDecoder.h"
#include "tests/media/DecoderFakes.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using namespace std::chrono_literals;

constexpr BYTE kKey = 1;
constexpr BYTE kPredicted = 0;
constexpr BYTE kOther = 2; // also a predicted picture

class ChannelDecoderTest : public ::testing::Test {
protected:
    CChannelDecoder& Start(int source = 1, ChannelDecoderOptions options = {}) {
        decoder = std::make_unique<CChannelDecoder>(host, library, 3, source, options);
        return *decoder;
    }
    void Queue(std::unique_ptr<FrameItem> item) { ASSERT_TRUE(decoder->QueueFrame(std::move(item))); }
    // Ends a script with a key picture of the generation and size, and waits for it.
    void Finish(DWORD generation = 1, int width = 704, int height = 576, int tag = kEndTag) {
        Queue(MakeFrame(tag, kKey, generation, width, height));
        ASSERT_TRUE(host.WaitPublished(tag));
    }
    void TearDown() override {
        if (decoder) {
            decoder->Stop();
        }
    }

    RecordingHost host;
    ScriptedDecoder library;
    std::unique_ptr<CChannelDecoder> decoder;
};

using Tags = std::vector<int>;

TEST_F(ChannelDecoderTest, PicturesBeforeTheFirstKeyPictureAreSkipped) {
    Start();
    Queue(MakeFrame(1, kPredicted, 1));
    Queue(MakeFrame(2, kOther, 1));
    Queue(MakeFrame(3, kKey, 1));
    Queue(MakeFrame(4, kPredicted, 1));
    Queue(MakeFrame(5, kOther, 1));
    Queue(MakeFrame(6, 3, 1)); // neither key nor predicted: never decoded
    Finish();
    EXPECT_EQ(host.PublishedTags(), (Tags{3, 4, 5, kEndTag}));
    EXPECT_EQ(library.CallsFor(1) + library.CallsFor(2) + library.CallsFor(6), 0);
    EXPECT_EQ(host.resyncs, (std::vector<std::string>{"704x576"}));
    EXPECT_EQ(host.viewClears.load(), 1);
}

TEST_F(ChannelDecoderTest, ANewGenerationWaitsForItsKeyPicture) {
    Start();
    Queue(MakeFrame(1, kKey, 1));
    Queue(MakeFrame(2, kPredicted, 1));
    Queue(MakeFrame(3, kPredicted, 2)); // the stream started again
    Queue(MakeFrame(4, kPredicted, 2));
    Queue(MakeFrame(5, kKey, 2));
    Queue(MakeFrame(6, kPredicted, 2));
    Finish(2);
    EXPECT_EQ(host.PublishedTags(), (Tags{1, 2, 5, 6, kEndTag}));
    EXPECT_EQ(host.resyncs.size(), 2u);
}

TEST_F(ChannelDecoderTest, ASizeChangeWithinAGenerationResynchronisesAtTheNextKeyPicture) {
    Start();
    Queue(MakeFrame(1, kKey, 1));
    Queue(MakeFrame(2, kPredicted, 1));
    Queue(MakeFrame(3, kPredicted, 1, 352, 288)); // the size changed without a key picture
    Queue(MakeFrame(4, kPredicted, 1, 352, 288));
    Queue(MakeFrame(5, kKey, 1, 352, 288));
    Queue(MakeFrame(6, kPredicted, 1, 352, 288));
    // A size change on a key picture: it is shown, and the stream is taken up once more at the
    // following key picture.
    Queue(MakeFrame(7, kKey, 1, 704, 288));
    Queue(MakeFrame(8, kPredicted, 1, 704, 288));
    Queue(MakeFrame(9, kKey, 1, 704, 288));
    Queue(MakeFrame(10, kPredicted, 1, 704, 288));
    Finish(1, 704, 288);
    EXPECT_EQ(host.PublishedTags(), (Tags{1, 2, 5, 6, 7, 9, 10, kEndTag}));
    EXPECT_EQ(host.resyncs, (std::vector<std::string>{"704x576", "352x288", "704x288", "704x288"}));
}

TEST_F(ChannelDecoderTest, ABacklogSkipsPredictedPicturesUpToTheNextKeyPicture) {
    library.gateTag = 1;
    Start();
    Queue(MakeFrame(1, kKey, 1));
    ASSERT_TRUE(library.WaitCalled(1)); // held in the decoder while the queue fills
    for (int tag = 10; tag < 45; ++tag) {
        Queue(MakeFrame(tag, kPredicted, 1));
    }
    Queue(MakeFrame(50, kKey, 1));
    Queue(MakeFrame(51, kPredicted, 1));
    library.OpenGate();
    Finish();
    EXPECT_EQ(host.PublishedTags(), (Tags{1, 50, 51, kEndTag}));
    EXPECT_EQ(host.stats.Of(3).backlogSkipped.load(), 35u);
}

TEST_F(ChannelDecoderTest, MoreThanTwentyEightQueuedFramesAreABacklog) {
    for (const int queued : {28, 29}) {
        RecordingHost h;
        ScriptedDecoder lib;
        lib.gateTag = 1;
        CChannelDecoder d(h, lib, 3, 1);
        ASSERT_TRUE(d.QueueFrame(MakeFrame(1, kKey, 1)));
        ASSERT_TRUE(lib.WaitCalled(1));
        for (int tag = 10; tag < 10 + queued - 1; ++tag) {
            ASSERT_TRUE(d.QueueFrame(MakeFrame(tag, kPredicted, 1)));
        }
        ASSERT_TRUE(d.QueueFrame(MakeFrame(kEndTag, kKey, 1)));
        lib.OpenGate();
        ASSERT_TRUE(h.WaitPublished(kEndTag));
        d.Stop();
        const bool backlog = queued > 28;
        EXPECT_EQ(h.PublishedTags().size(), backlog ? 2u : std::size_t(queued) + 1) << queued;
        EXPECT_EQ(h.stats.Of(3).backlogSkipped.load(), backlog ? std::size_t(queued - 1) : 0u) << queued;
    }
}

TEST_F(ChannelDecoderTest, AFullQueueDropsFramesUpToTheNextKeyPicture) {
    library.gateTag = 1;
    ChannelDecoderOptions options;
    options.maxQueueItems = 8;
    Start(1, options);
    Queue(MakeFrame(1, kKey, 1));
    ASSERT_TRUE(library.WaitCalled(1));
    for (int tag = 2; tag < 10; ++tag) {
        Queue(MakeFrame(tag, kPredicted, 1));
    }
    EXPECT_EQ(decoder->QueueLength(), 8u);
    EXPECT_FALSE(decoder->QueueFrame(MakeFrame(10, kPredicted, 1)));
    library.OpenGate();
    ASSERT_TRUE(host.WaitPublished(9));
    // Room again, but the stream has a hole: predicted pictures wait for a key picture.
    EXPECT_FALSE(decoder->QueueFrame(MakeFrame(11, kPredicted, 1)));
    Queue(MakeFrame(12, kKey, 1));
    Queue(MakeFrame(13, kPredicted, 1));
    Finish();
    EXPECT_EQ(host.PublishedTags(), (Tags{1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 13, kEndTag}));
    EXPECT_EQ(decoder->GetDroppedCount(), 2u);
    EXPECT_EQ(host.stats.Of(3).queueDropped.load(), 2u);
}

TEST_F(ChannelDecoderTest, CallAgainAndReinitialiseAreRetriedABoundedNumberOfTimes) {
    library.script[1] = {1, 1, 0}; // a picture on the third call
    library.script[2] = {-5, 0};   // re-initialised once, then a picture
    library.script[3] = {1};       // "call again" for ever
    library.script[4] = {-5};      // "re-initialise" for ever
    library.script[5] = {2};       // no picture
    library.script[6] = {-2};      // an error: no picture
    library.script[7] = {5};       // also a picture
    Start();
    for (int tag = 1; tag <= 7; ++tag) {
        Queue(MakeFrame(tag, tag == 1 ? kKey : kPredicted, 1));
    }
    Finish();
    EXPECT_EQ(host.PublishedTags(), (Tags{1, 2, 7, kEndTag}));
    EXPECT_EQ(library.CallsFor(1), 3);
    EXPECT_EQ(library.CallsFor(2), 2);
    EXPECT_EQ(library.CallsFor(3), 8);
    EXPECT_EQ(library.CallsFor(4), 8);
    EXPECT_EQ(library.CallsFor(5), 1);
    EXPECT_EQ(library.CallsFor(6), 1);
    // Start, one re-initialisation for tag 2, seven for tag 4.
    EXPECT_EQ(library.inits, 1 + 1 + 7);
    EXPECT_EQ(host.initErrors.load(), 0);
}

TEST_F(ChannelDecoderTest, AnInitErrorIsReportedOnceAndDecodingGoesOn) {
    library.initResult = -1;
    library.script[2] = {-5, 0};
    Start();
    Queue(MakeFrame(1, kKey, 1));
    Queue(MakeFrame(2, kPredicted, 1));
    Finish();
    EXPECT_EQ(host.initErrors.load(), 1);
    EXPECT_EQ(library.inits, 2);
    EXPECT_EQ(host.PublishedTags(), (Tags{1, 2, kEndTag}));
}

TEST_F(ChannelDecoderTest, SixteenChannelsStartedTogetherReportAFailingLibraryOnce) {
    library.initResult = -1;
    for (int start = 1; start <= 2; ++start) {
        std::vector<std::unique_ptr<CChannelDecoder>> channels;
        for (int channel = 0; channel < 16; ++channel) {
            channels.push_back(std::make_unique<CChannelDecoder>(host, library, channel, 1));
        }
        // Stopping joins each thread, which tries the library as its first step.
        for (auto& channel : channels) {
            channel->Stop();
        }
        EXPECT_EQ(host.initErrors.load(), start) << "start " << start;
    }
}

TEST_F(ChannelDecoderTest, WithoutALibraryNothingIsDecodedOrReported) {
    library.present = false;
    Start();
    Queue(MakeFrame(1, kKey, 1));
    Queue(MakeFrame(2, kPredicted, 1));
    decoder->Stop();
    EXPECT_TRUE(library.calls.empty());
    EXPECT_EQ(library.inits, 0);
    EXPECT_EQ(host.initErrors.load(), 0);
    EXPECT_TRUE(host.PublishedTags().empty());
}

TEST_F(ChannelDecoderTest, OutputFormatFollowsTheDrawingPath) {
    for (const bool yuv : {true, false}) {
        RecordingHost h;
        h.yuv = yuv;
        ScriptedDecoder lib;
        CChannelDecoder d(h, lib, 0, 1);
        ASSERT_TRUE(d.QueueFrame(MakeFrame(kEndTag, kKey, 1)));
        ASSERT_TRUE(h.WaitPublished(kEndTag));
        d.Stop();
        EXPECT_EQ(lib.formats.at(0), yuv ? uint32_t(PT_H264DEC_FORMAT_YUV420) : uint32_t(PT_H264DEC_FORMAT_RGB24));
        EXPECT_EQ(h.published.at(0).format, yuv ? PictureFormat::Yuv420 : PictureFormat::Bgr24);
    }
}

TEST_F(ChannelDecoderTest, LivePicturesOfALostOrHiddenChannelAreNotShown) {
    host.lossSequence = {1u << 3, 0};
    Start();
    Queue(MakeFrame(1, kKey, 1));       // video loss on the channel: skipped
    Queue(MakeFrame(2, kPredicted, 1)); // the camera is back, but the stream must start at a key
    Queue(MakeFrame(3, kKey, 1));
    Finish();
    EXPECT_EQ(host.PublishedTags(), (Tags{3, kEndTag}));
}

TEST_F(ChannelDecoderTest, HiddenChannelsShowOnlyToAccountsThatSeeThem) {
    for (const bool sees : {false, true}) {
        RecordingHost h;
        h.restrictedSequence = {true, false}; // hidden for the first frame only
        h.seesHidden = sees;
        ScriptedDecoder lib;
        CChannelDecoder d(h, lib, 3, 1);
        ASSERT_TRUE(d.QueueFrame(MakeFrame(1, kKey, 1)));
        ASSERT_TRUE(d.QueueFrame(MakeFrame(2, kPredicted, 1)));
        ASSERT_TRUE(d.QueueFrame(MakeFrame(kEndTag, kKey, 1)));
        ASSERT_TRUE(h.WaitPublished(kEndTag));
        d.Stop();
        EXPECT_EQ(h.PublishedTags(), sees ? (Tags{1, 2, kEndTag}) : (Tags{kEndTag})) << sees;
    }
}

TEST_F(ChannelDecoderTest, TheDecodedSizeIsShownAndOversizedPicturesAreDropped) {
    Start();
    Queue(MakeFrame(1, kKey, 1, 704, 576, 352, 288)); // the bitstream says otherwise than the framing
    Queue(MakeFrame(2, kPredicted, 1, 704, 576, 1920, 1080));
    Queue(MakeFrame(3, kPredicted, 1, 704, 576, 722, 576));
    Queue(MakeFrame(4, kPredicted, 1, 704, 576, 351, 288));
    Finish();
    ASSERT_EQ(host.PublishedTags(), (Tags{1, kEndTag}));
    EXPECT_EQ(host.published[0].width, 352);
    EXPECT_EQ(host.published[0].height, 288);
    EXPECT_EQ(host.stats.Of(3).oversized.load(), 3u);
    EXPECT_EQ(host.stats.Of(3).decoded.load(), 2u);
}

TEST_F(ChannelDecoderTest, OnScreenTextsOfLivePictures) {
    Start();
    Queue(MakeFrame(1, kKey, 1));
    Queue(MakeFrame(2, kPredicted, 1));
    Finish();
    {
        std::lock_guard lock(host.m_lock);
        // The name is fitted once for the tile, not for every picture.
        EXPECT_EQ(host.fits, (std::vector<std::string>{"200:Front door"}));
        EXPECT_EQ(host.top, "Front 720x576");
        EXPECT_EQ(host.bottom, "Live  12");
        EXPECT_EQ(host.topColour, RGB(0, 255, 0));
        EXPECT_EQ(host.bottomColour, RGB(0, 255, 255));
    }
    EXPECT_EQ(host.counted.load(), 3);
    // Eight characters of 11 pixels (13 points x 0.85).
    EXPECT_EQ(host.indicatorX.load(), 8 * 11 + 5);
    EXPECT_EQ(host.iconX.load(), 8 * 11 + 40);

    // A new name from the recorder, or another tile width, fits the name again; 352 wide shows 360.
    {
        std::lock_guard lock(host.m_lock);
        host.cameraName = "Back yard";
    }
    Queue(MakeFrame(3, kKey, 2, 352, 240));
    ASSERT_TRUE(host.WaitPublished(3));
    {
        std::lock_guard lock(host.m_lock);
        host.tileSize = SIZE{402, 270};
    }
    Finish(2, 352, 240, 254);
    std::lock_guard lock(host.m_lock);
    EXPECT_EQ(host.fits, (std::vector<std::string>{"200:Front door", "200:Back yard", "402:Back yard"}));
    EXPECT_EQ(host.top, "Back  360x240");
}

TEST_F(ChannelDecoderTest, PlaybackPicturesCarryTheirOwnNameAndLabel) {
    Start(2);
    auto item = MakeFrame(kEndTag, kKey, 1);
    SetFrameLabel(item->descriptor, "Garage");
    Queue(std::move(item));
    ASSERT_TRUE(host.WaitPublished(kEndTag));
    std::lock_guard lock(host.m_lock);
    EXPECT_EQ(host.fits, (std::vector<std::string>{"200:Garage"}));
    EXPECT_EQ(host.bottom, "Playback  12");
}

TEST_F(ChannelDecoderTest, OneStillImagePerRequestFromTheNextPicture) {
    Start();
    Queue(MakeFrame(1, kKey, 1));
    ASSERT_TRUE(host.WaitPublished(1));
    host.snapshotRequest = true;
    Queue(MakeFrame(2, kPredicted, 1));
    Queue(MakeFrame(3, kPredicted, 1));
    Finish();
    ASSERT_TRUE(host.WaitUntil([&] { return !host.stills.empty(); }));
    std::lock_guard lock(host.m_lock);
    ASSERT_EQ(host.stills.size(), 1u);
    EXPECT_EQ(host.stills[0].channel, 3);
    EXPECT_EQ(host.stills[0].width, 704);
    EXPECT_EQ(host.stills[0].timeText, "2011-03-13  07:06:40"); // the recorder's clock of the frame
    EXPECT_EQ(host.stills[0].saveFormat, 2);
    EXPECT_EQ(host.stills[0].picture.size(), 16u);
}

TEST_F(ChannelDecoderTest, WebSnapshotsOfLivePicturesAfterTheInterval) {
    host.web.active = true;
    host.web.location = "/tmp/web";
    host.web.interval = 0;
    Start();
    Queue(MakeFrame(1, kKey, 1));
    Queue(MakeFrame(2, kPredicted, 1));
    Finish();
    // Every picture is handed over after it is shown.
    EXPECT_TRUE(host.WaitUntil([&] { return host.webShots.size() == 3; }));
    decoder->Stop();
    // An interval of 5 is 5 seconds: a picture 30 ms after the start is not saved. Playback pictures
    // are never saved.
    for (const int source : {1, 2}) {
        RecordingHost h;
        h.web.active = true;
        h.web.location = "/tmp/web";
        h.web.interval = source == 1 ? 5 : 0;
        ScriptedDecoder lib;
        lib.gateTag = kEndTag;
        CChannelDecoder d(h, lib, 0, source);
        ASSERT_TRUE(d.QueueFrame(MakeFrame(kEndTag, kKey, 1)));
        ASSERT_TRUE(lib.WaitCalled(kEndTag));
        std::this_thread::sleep_for(30ms); // time passing, not a synchronisation
        lib.OpenGate();
        ASSERT_TRUE(h.WaitPublished(kEndTag));
        d.Stop();
        std::lock_guard lock(h.m_lock);
        EXPECT_TRUE(h.webShots.empty()) << source;
    }
}

TEST_F(ChannelDecoderTest, DiscardedFramesAreNeverDecoded) {
    library.gateTag = 1;
    Start();
    Queue(MakeFrame(1, kKey, 1));
    ASSERT_TRUE(library.WaitCalled(1));
    decoder->SetDiscard(true);
    Queue(MakeFrame(2, kKey, 1));
    Queue(MakeFrame(3, kPredicted, 1));
    library.OpenGate();
    ASSERT_TRUE(host.WaitPublished(1));
    decoder->Stop();
    EXPECT_EQ(host.PublishedTags(), (Tags{1}));
    EXPECT_EQ(library.CallsFor(2) + library.CallsFor(3), 0);
}

TEST_F(ChannelDecoderTest, StopFreesQueuedFramesAndRefusesNewOnes) {
    library.gateTag = 1;
    Start();
    Queue(MakeFrame(1, kKey, 1));
    ASSERT_TRUE(library.WaitCalled(1));
    for (int tag = 2; tag < 12; ++tag) {
        Queue(MakeFrame(tag, kPredicted, 1));
    }
    decoder->SetRefuse(true);
    EXPECT_FALSE(decoder->QueueFrame(MakeFrame(20, kPredicted, 1)));
    library.OpenGate();
    decoder->Stop();
    EXPECT_EQ(decoder->QueueLength(), 0u);
    // The audio icon of the channel is taken away at the end.
    std::lock_guard lock(host.m_lock);
    EXPECT_EQ(host.iconStates.back(), -1);
    EXPECT_EQ(library.uninits, 1);
}

} // namespace
