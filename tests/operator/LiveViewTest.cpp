// Live view as the operator uses it, against a simulated sixteen-channel recorder: the split buttons
// and their pages, the double click into a single channel and back, full screen, still images,
// audio, talk, PTZ and connecting again. Each case presses the main window's own buttons and checks
// what the window shows and what the recorder was asked for.
#include "app/ConnectDlg.h"
#include "app/PtzControlDlg.h"
#include "app/PtzDialogSet.h"
#include "media/VideoViewAdapter.h"
#include "res/ButtonStates.h"
#include "res/ControlIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "tests/operator/LiveFixture.h"

#include <QFile>

#include <cmath>
#include <cstdint>

#include <set>
#include <thread>

using namespace livetest;

namespace {

class LiveViewTest : public LiveFixture {};

TEST_F(LiveViewTest, EverySplitButtonAndPageShowsItsChannelsAndAsksForThemWhileLive) {
    ConnectSixteen();
    ASSERT_TRUE(WaitUntil([&] { return ChannelsShown() == 0xFFFF; }, 120000));
    // Each press: the split button (0 single .. 8 sixteen tiles) and the channels then shown. A
    // second press of the lit button turns to its next page; the last page wraps to the first.
    const struct {
        int button;
        WORD visible;
    } presses[] = {
        {1, 0x000F}, {1, 0x00F0}, {1, 0x0F00}, {1, 0xF000}, {1, 0x000F}, // four tiles, four pages
        {0, 0x0001}, {0, 0x0002},                                        // one tile
        {2, 0x003F}, {2, 0x0FC0}, {2, 0xF000},                           // six
        {3, 0x007F}, {3, 0x3F80}, {3, 0xC000},                           // seven
        {4, 0x00FF}, {4, 0xFF00},                                        // eight
        {5, 0x01FF}, {5, 0xFF80},                                        // nine: its second page ends at 16
        {6, 0x03FF}, {6, 0xFC00},                                        // ten
        {7, 0x1FFF}, {7, 0xE000},                                        // thirteen
        {8, 0xFFFF}, {8, 0xFFFF},                                        // sixteen: one page
    };
    for (const auto& press : presses) {
        SCOPED_TRACE(::testing::Message()
                     << "split button " << press.button << ", channels 0x" << std::hex << press.visible);
        const DWORD generation = LiveGeneration();
        const int requests = CountInLog("sim: recv LIVE_REQ");
        Click(IDC_SPLIT_FIRST + UINT(press.button));
        EXPECT_EQ(LitSplitButtons(), std::vector<int>{press.button});
        EXPECT_EQ(Video().GetLayout(), CClientDlg::kSplitLayouts[press.button]);
        EXPECT_EQ(Video().GetVisibleChannelMask(), press.visible);
        // One LIVE_REQ with exactly the shown channels: the recorder streams those.
        EXPECT_TRUE(WaitUntil([&] { return CountInLog("sim: recv LIVE_REQ") == requests + 1; }, 30000));
        EXPECT_TRUE(RecorderStreams(generation, press.visible));
        EXPECT_TRUE(WaitUntil([&] { return ChannelsShown() == press.visible; }, 60000))
            << "shown 0x" << std::hex << ChannelsShown();
        EXPECT_TRUE(main->GetClient()->IsLive());
    }
}

TEST_F(LiveViewTest, ADoubleClickShowsOneChannelAndAnotherGoesBack) {
    ConnectSixteen();
    ASSERT_TRUE(WaitUntil([&] { return ChannelsShown() == 0xFFFF; }, 120000));
    auto doubleClick = [this](int slot) {
        const RECT r = Video().GetSlotRect(slot);
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        Video().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        Video().SendMessage(WM_LBUTTONUP, 0, at);
        Video().SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        Video().SendMessage(WM_LBUTTONUP, 0, at);
    };
    DWORD generation = LiveGeneration();
    doubleClick(5);
    EXPECT_EQ(Video().GetLayout(), 0);
    EXPECT_EQ(Video().GetVisibleChannelMask(), 0x0020u);
    EXPECT_EQ(LitSplitButtons(), std::vector<int>{0});
    EXPECT_TRUE(RecorderStreams(generation, 0x0020));
    // The one tile fills the window with channel 6's picture.
    EXPECT_TRUE(WaitUntil([&] { return ChannelsShown() == 0x0020; }, 60000));
    const QImage single = GrabVideo();
    EXPECT_TRUE(Near(single.pixel(single.width() * 8 / 10, single.height() * 3 / 4), ChannelColour(5)));

    generation = LiveGeneration();
    doubleClick(0);
    EXPECT_EQ(Video().GetLayout(), 14);
    EXPECT_EQ(LitSplitButtons(), std::vector<int>{8});
    EXPECT_TRUE(RecorderStreams(generation, 0xFFFF));
    EXPECT_TRUE(WaitUntil([&] { return ChannelsShown() == 0xFFFF; }, 60000));
}

TEST_F(LiveViewTest, FullScreenShowsTheSameChannelsAndEscapeComesBack) {
    ConnectSixteen();
    Click(IDC_SPLIT_FIRST + 1); // four tiles
    ASSERT_TRUE(WaitUntil([&] { return ChannelsShown() == 0x000F; }, 120000));
    Click(IDC_FULL);
    ASSERT_TRUE(Video().IsFullScreen());
    EXPECT_EQ(Video().GetLayout(), 1);
    EXPECT_TRUE(WaitUntil([&] { return ChannelsShown() == 0x000F; }, 60000));
    Video().SendMessage(WM_KEYUP, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !Video().IsFullScreen(); }));
    EXPECT_EQ(Video().GetLayout(), 1);
    EXPECT_EQ(LitSplitButtons(), std::vector<int>{1});
    EXPECT_TRUE(WaitUntil([&] { return ChannelsShown() == 0x000F; }, 60000));
    EXPECT_TRUE(main->GetClient()->IsLive());
}

// The login lays out the tiles from the socket thread; on a busy PC the operator's split click can
// be handled before that layout reaches the window. The window then shows sixteen tiles while the
// recorder was last asked for four: the other twelve must not keep their last picture as if live.
TEST_F(LiveViewTest, ALayoutTheConnectionSetsAfterTheOperatorsClickIsStreamedAsShown) {
    ConnectSixteen();
    ASSERT_TRUE(WaitUntil([&] { return ChannelsShown() == 0xFFFF; }, 120000));
    DWORD generation = LiveGeneration();
    Click(IDC_SPLIT_FIRST + 1); // four tiles
    ASSERT_TRUE(RecorderStreams(generation, 0x000F));

    // The layout of a login, made on another thread and handled after the click.
    CVideoViewAdapter view(Video());
    generation = LiveGeneration();
    const int requests = CountInLog("sim: recv LIVE_REQ");
    std::thread([&view] { view.SetLayout(16); }).join();
    ASSERT_TRUE(WaitUntil([&] { return Video().GetLayout() == CClientDlg::kSplitLayouts[8]; }, 30000));
    EXPECT_TRUE(WaitUntil([&] { return CountInLog("sim: recv LIVE_REQ") == requests + 1; }, 30000));
    EXPECT_TRUE(RecorderStreams(generation, 0xFFFF, 60000));

    // The same layout again changes nothing shown and asks for nothing.
    std::thread([&view] { view.SetLayout(16); }).join();
    ASSERT_TRUE(Drain(Video()));
    Pump(500);
    EXPECT_EQ(CountInLog("sim: recv LIVE_REQ"), requests + 1);
}

TEST_F(LiveViewTest, SaveWritesOnePictureOfEachOfTheSixteenChannels) {
    ConnectSixteen();
    AnswerBoxes();
    ASSERT_TRUE(WaitUntil([&] { return Video().GetDecodedMask() == 0xFFFF; }, 120000));
    const fs::path saved = SaveFolder() / "Saved";
    auto files = [&] {
        std::vector<fs::path> found;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(saved, ec)) {
            if (entry.is_regular_file()) {
                found.push_back(entry.path());
            }
        }
        return found;
    };
    Click(IDC_SAVE);
    EXPECT_FALSE(MainButton(*main, IDC_SAVE).IsWindowEnabled());
    ASSERT_TRUE(WaitUntil([&] { return MainButton(*main, IDC_SAVE).IsWindowEnabled() != FALSE; }, 120000));
    const std::vector<fs::path> written = files();
    ASSERT_EQ(written.size(), 16u);
    std::set<std::string> channels;
    for (const fs::path& file : written) {
        SCOPED_TRACE(file.filename().string());
        // "YYYYMMDDhhmmss_00CC.jpg", JPEG (the default format), 800 x 600.
        const std::string name = file.filename().string();
        ASSERT_EQ(name.size(), 23u);
        EXPECT_EQ(file.extension(), ".jpg");
        channels.insert(name.substr(17, 2));
        QFile in(QString::fromStdString(file.string()));
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        const QByteArray head = in.read(3);
        EXPECT_EQ(head, QByteArray("\xFF\xD8\xFF", 3));
        const QImage picture(QString::fromStdString(file.string()));
        EXPECT_EQ(picture.width(), 800);
        EXPECT_EQ(picture.height(), 600);
        // The channel's own picture, not a blank one.
        const int channel = std::stoi(name.substr(17, 2)) - 1;
        EXPECT_TRUE(Near(picture.pixel(640, 150), ChannelColour(channel), 32));
    }
    EXPECT_EQ(channels.size(), 16u);
    EXPECT_EQ(*channels.begin(), "01");
    EXPECT_EQ(*channels.rbegin(), "16");
    EXPECT_TRUE(boxLines.empty());
}

TEST_F(LiveViewTest, AudioOutputTurnsOnAndOffAtTheRecorder) {
    ConnectSixteen();
    Click(IDC_AUDIO);
    ASSERT_TRUE(SimSaw("sim: recv AUDIO_ONOFF_REQ len=0 audio"));
    ASSERT_TRUE(WaitUntil([&] { return main->GetClient()->IsAudioOut(); }, 30000));
    Click(IDC_AUDIO);
    EXPECT_TRUE(WaitUntil([&] { return CountInLog("sim: recv AUDIO_ONOFF_REQ len=0\n") == 1; }, 30000));
    EXPECT_TRUE(WaitUntil([&] { return !main->GetClient()->IsAudioOut(); }, 30000));
}

// A button pressed as the operator's mouse presses it: only one that shows and is enabled takes it.
bool OperatorClick(CSkinButton& button) {
    if (!button.IsWindowVisible() || !button.IsWindowEnabled()) {
        return false;
    }
    MouseClick(button);
    return true;
}

TEST_F(LiveViewTest, TalkIsOnTheFaceAndSendsTheMicrophoneUntilPressedAgain) {
    // The microphone: ten seconds of a 440 Hz tone, 16-bit mono PCM at 8000 Hz.
    const fs::path tone = m_env.Root() / "microphone.wav";
    {
        const int samples = 8000 * 10;
        std::string wav(44 + samples * 2, '\0');
        auto put32 = [&wav](std::size_t at, std::uint32_t v) {
            for (int i = 0; i < 4; ++i) {
                wav[at + std::size_t(i)] = char(v >> (8 * i));
            }
        };
        auto put16 = [&wav](std::size_t at, std::uint16_t v) {
            wav[at] = char(v);
            wav[at + 1] = char(v >> 8);
        };
        wav.replace(0, 4, "RIFF");
        put32(4, std::uint32_t(36 + samples * 2));
        wav.replace(8, 8, "WAVEfmt ");
        put32(16, 16);
        put16(20, 1);
        put16(22, 1);
        put32(24, 8000);
        put32(28, 16000);
        put16(32, 2);
        put16(34, 16);
        wav.replace(36, 4, "data");
        put32(40, std::uint32_t(samples * 2));
        for (int i = 0; i < samples; ++i) {
            put16(44 + std::size_t(i) * 2, std::uint16_t(std::int16_t(8000 * std::sin(i * 2 * M_PI * 440 / 8000))));
        }
        AppTestEnv::WriteBytes(tone, wav);
    }
    ScopedEnv microphone("KELO_AUDIO_IN", tone.string().c_str());
    // Before the login the Talk button shows at its place, not to be pressed.
    bool shownBeforeLogin = false;
    bool enabledBeforeLogin = true;
    StartLoginWith(SixteenChannels(), [&] {
        shownBeforeLogin = MainButton(*main, IDC_MIKE).IsWindowVisible() != FALSE;
        enabledBeforeLogin = MainButton(*main, IDC_MIKE).IsWindowEnabled() != FALSE;
    });
    ASSERT_TRUE(WaitUntil([&] { return main->IsConnected() && main->GetClient()->IsLive(); }, 60000));
    EXPECT_TRUE(shownBeforeLogin);
    EXPECT_FALSE(enabledBeforeLogin);

    CSkinButton& talk = MainButton(*main, IDC_MIKE);
    CRect place;
    talk.GetWindowRect(&place);
    main->ScreenToClient(&place);
    EXPECT_EQ(place, CRect(857, 637, 885, 666));
    ASSERT_TRUE(WaitUntil([&] { return talk.IsWindowEnabled() != FALSE; }, 30000));
    EXPECT_EQ(talk.GetState(), kButtonNormal);

    // Pressed: the recorder is asked, accepts, and the button stays lit while talk runs.
    ASSERT_TRUE(OperatorClick(talk));
    ASSERT_TRUE(SimSaw("sim: recv A_LISTEN_REQ"));
    ASSERT_TRUE(SimSaw("sim: send A_LISTEN_ACK"));
    ASSERT_TRUE(WaitUntil([&] { return talk.GetState() == kButtonOn; }, 30000));
    // The microphone goes out in talk messages of 2048 bytes, each with the last-fragment bit (the
    // simulator refuses one without it, or without the 1536 silent bytes in front of the sound).
    EXPECT_TRUE(WaitUntil([&] { return CountInLog("sim: recv TALK_DATA len=2048 last") >= 10; }, 60000));

    // Pressed again: talk stops, and nothing of it follows the stop.
    ASSERT_TRUE(OperatorClick(talk));
    EXPECT_TRUE(SimSaw("sim: recv A_LISTEN_STOP_REQ"));
    EXPECT_TRUE(WaitUntil([&] { return talk.GetState() == kButtonNormal; }, 30000));
    EXPECT_FALSE(main->GetClient()->HasMikeSender());
    Click(IDC_AUDIO); // a later request: whatever was sent before it has reached the recorder
    ASSERT_TRUE(SimSaw("sim: recv AUDIO_ONOFF_REQ"));
    const std::string log = sim.Log();
    EXPECT_LT(log.rfind("sim: recv TALK_DATA"), log.find("sim: recv A_LISTEN_STOP_REQ"));
    EXPECT_EQ(CountInLog("sim: recv TALK_DATA"), CountInLog("sim: recv TALK_DATA len=2048 last"));
    EXPECT_TRUE(sim.Violations().empty());

    // Without a recorder there is no one to talk to.
    Click(IDC_CONNECT);
    EXPECT_TRUE(talk.IsWindowVisible());
    EXPECT_FALSE(talk.IsWindowEnabled());
}

TEST_F(LiveViewTest, TalkOnARecorderThatDoesNotAllowItIsRefusedWithoutAsking) {
    ConnectSixteen({"--hello-account", "1"});
    AnswerBoxes();
    CSkinButton& talk = MainButton(*main, IDC_MIKE);
    ASSERT_TRUE(WaitUntil([&] { return talk.IsWindowEnabled() != FALSE; }, 30000));
    ASSERT_TRUE(OperatorClick(talk));
    EXPECT_TRUE(WaitUntil([&] { return !boxLines.empty(); }, 30000));
    EXPECT_EQ(boxLines, std::vector<std::string>{LoadResString(IDS_NO_PERMISSION_FOR_THIS_FUNCTION).GetString()});
    Click(IDC_AUDIO);
    ASSERT_TRUE(SimSaw("sim: recv AUDIO_ONOFF_REQ"));
    EXPECT_EQ(CountInLog("sim: recv A_LISTEN_REQ"), 0);
    EXPECT_EQ(talk.GetState(), kButtonNormal);
}

TEST_F(LiveViewTest, PanOpensThePtzPadZoomSwitchesItAndTheSameButtonClosesIt) {
    ConnectSixteen();
    const struct {
        UINT button;
        bool open;
        int mode;
    } steps[] = {{IDC_PAN, true, 0},  {IDC_ZOOM, true, 1}, {IDC_ZOOM, false, -1},
                 {IDC_ZOOM, true, 1}, {IDC_PAN, true, 0},  {IDC_PAN, false, -1}};
    for (const auto& step : steps) {
        SCOPED_TRACE(::testing::Message() << "button " << step.button);
        Click(step.button);
        Pump(50);
        EXPECT_EQ(FindWindowOf<CPtzControlDlg>() != nullptr, step.open);
        EXPECT_EQ(main->GetClient()->GetPtzMode(), step.mode);
        EXPECT_EQ(MainButton(*main, IDC_PAN).GetState(), step.mode == 0 ? 1 : 0);
        EXPECT_EQ(MainButton(*main, IDC_ZOOM).GetState(), step.mode == 1 ? 1 : 0);
    }
    EXPECT_TRUE(SimSaw("sim: recv PTZ_CHANNEL_REQ"));
}

TEST_F(LiveViewTest, ConnectDisconnectsAndConnectsAgainToLiveView) {
    ConnectSixteen();
    AnswerBoxes();
    ASSERT_TRUE(WaitUntil([&] { return ChannelsShown() == 0xFFFF; }, 120000));
    Click(IDC_CONNECT);
    EXPECT_FALSE(main->IsConnected());
    EXPECT_EQ(main->GetClient(), nullptr);
    EXPECT_EQ(MainButton(*main, IDC_LIVE).GetState(), kButtonDisabled);
    EXPECT_FALSE(MainButton(*main, IDC_LIVE).IsWindowEnabled());
    EXPECT_TRUE(SimSaw("sim: session ends"));
    EXPECT_EQ(Video().GetPlaySource(), 0);

    const std::string port = std::to_string(sim.Port());
    ModalScript script;
    script.Expect<CConnectDlg>([port](CConnectDlg& d) {
        d.SetDlgItemText(IDC_CONNECT_ADDRESS, "127.0.0.1");
        if (d.m_bDefaultPort != 0) {
            d.SendMessage(WM_COMMAND, MAKEWPARAM(385, BN_CLICKED), 0); // Modify: the port may be typed
        }
        d.SetDlgItemText(IDC_CONNECT_PORT, port.c_str());
        d.SetDlgItemText(IDC_CONNECT_USER_ID, "admin");
        d.SetDlgItemText(IDC_CONNECT_PASSWORD, "1234");
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    Click(IDC_CONNECT);
    ASSERT_TRUE(script.Done());
    ASSERT_TRUE(WaitUntil([&] { return main->IsConnected() && main->GetClient()->IsLive(); }, 60000))
        << (boxLines.empty() ? std::string() : boxLines.front());
    // The button is enabled by a message the login posts; live view may already run when it is handled.
    EXPECT_TRUE(WaitUntil([&] { return MainButton(*main, IDC_LIVE).IsWindowEnabled(); }, 30000));
    EXPECT_EQ(CountInLog("sim: recv HELLO"), 2);
    EXPECT_TRUE(WaitUntil([&] { return ChannelsShown() == 0xFFFF; }, 120000));
}

} // namespace
