// Live video end to end: the recorder simulator streams its sixteen channels over loopback, the
// client takes the frames apart, the channel decoders decode them with the decoder library and the
// video window shows every channel in its own tile; window changes go back to the recorder as
// LIVE_REQ masks.
#include "decoder/H264Library.h"
#include "media/VideoDlg.h"
#include "media/VideoOwner.h"
#include "platform/window/Dialog.h"
#include "platform/window/WndHost.h"
#include "protocol/ByteOrder.h"
#include "protocol/DvrClient.h"
#include "protocol/MessageIds.h"
#include "sim/SimConfig.h"
#include "sim/SimRecorder.h"
#include "sim/SimServer.h"
#include "sim/TestPattern.h"
#include "tests/protocol/FakeClientHost.h"
#include "tests/support/RequiredPiece.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

using namespace std::chrono_literals;

QApplication* App() {
    static int argc = 1;
    static char name[] = "live-video-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return app;
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 30000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

std::string BinDir() {
    const char* dir = std::getenv("KELO_BIN_DIR");
    return dir != nullptr ? dir : ".";
}

// The test picture's flat colour as the converter shows it (BT.601, studio range).
QRgb ExpectedColour(int channel) {
    const ksim::ChannelColour c = ksim::CTestPattern::Colour(channel);
    const double y = 1.164 * (c.y - 16);
    const double u = c.u - 128;
    const double v = c.v - 128;
    auto clamp = [](double x) { return std::clamp(int(x + 0.5), 0, 255); };
    return qRgb(clamp(y + 1.596 * v), clamp(y - 0.813 * v - 0.391 * u), clamp(y + 2.018 * u));
}

bool Near(QRgb a, QRgb b, int tolerance) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

enum : UINT { IDD_LIVE_HOST = 9150 };
const DialogTemplate kHostTemplate{.id = IDD_LIVE_HOST, .x = 10, .y = 10, .cx = 900, .cy = 640, .style = WS_POPUP};
const DialogTemplateRegistration kHostRegistered(kHostTemplate);

class LibraryOwner : public IVideoOwner {
public:
    explicit LibraryOwner(const CH264Library* library) : m_library(library) {}
    const CH264Library* GetDecoderLibrary() const override { return m_library; }

private:
    const CH264Library* m_library;
};

class LiveVideoTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        App();
        KELO_REQUIRE_PIECE(m_library.Load((BinDir() + "/" + CH264Library::kFileName).c_str()),
                           "the decoder library is not built");
        ksim::CSimConfig config;
        config.port = 0;
        config.resolution = ksim::Resolution::Cif;
        config.loopSeconds = 1;
        config.channels = 16;
        m_recorder = std::make_unique<ksim::CSimRecorder>(config);
        ASSERT_TRUE(m_recorder->Ok()) << m_recorder->Error();
        m_server = std::make_unique<ksim::CSimServer>(*m_recorder);
        std::string error;
        ASSERT_TRUE(m_server->Listen(error)) << error;
        m_server->Start();

        ASSERT_TRUE(m_host.Create(IDD_LIVE_HOST, nullptr));
        m_video = std::make_unique<CVideoDlg>(&m_owner);
        ASSERT_TRUE(m_video->Create(&m_host));
        m_video->Init(16);
        m_video->SetOsdFont(13, 700, "Arial Bold");
        m_video->SetDrawMode(GetParam());
        m_video->SetGeometry(53, 72, 868, 620, 1, RGB(150, 150, 150));
        m_host.ShowWindow(SW_SHOW);

        DvrClientTiming timing;
        timing.idleWait = 10ms;
        timing.disconnectWait = 100ms;
        m_client = std::make_unique<CDvrClient>(DvrClientSeams{&m_clientHost, m_video->View(), m_video->MediaFactory()},
                                                timing);
        m_video->SetClient(m_client.get());
        m_client->SetConnectParams("127.0.0.1", DWORD(m_server->Port()), "admin", "1234");
        ASSERT_TRUE(m_client->Connect());
    }

    void TearDown() override {
        if (m_client) {
            m_client->Disconnect();
            m_video->SetClient(nullptr);
            m_client.reset();
        }
        if (m_video) {
            m_video->DestroyWindow();
            m_video.reset();
        }
        m_host.DestroyWindow();
        if (m_server) {
            m_server->Stop();
        }
        QCoreApplication::processEvents();
    }

    QImage Grab() {
        QCoreApplication::processEvents();
        return m_video->GetHost()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // Channels whose tile shows their colour, sampled where the test picture is flat.
    WORD ChannelsShown() {
        const QImage image = Grab();
        WORD shown = 0;
        for (int slot = 0; slot < 16; ++slot) {
            const int ch = m_video->GetTileChannel(slot);
            const RECT r = m_video->GetSlotRect(slot);
            const int x = r.left + (r.right - r.left) * 8 / 10;
            const QRgb a = image.pixel(x, r.top + (r.bottom - r.top) * 3 / 10);
            const QRgb b = image.pixel(x, r.top + (r.bottom - r.top) * 3 / 4);
            if (Near(a, ExpectedColour(ch), 24) && Near(b, ExpectedColour(ch), 24)) {
                shown = WORD(shown | (1u << ch));
            }
        }
        return shown;
    }

    // The masks of every LIVE_REQ the recorder got.
    std::vector<DWORD> LiveRequests() {
        std::vector<DWORD> masks;
        for (const ksim::JournalEntry& e : m_recorder->Journal().Received(Msg::LIVE_REQ)) {
            masks.push_back(e.payload.size() >= 4 ? ReadBE32(e.payload.data()) : 0xDEADBEEF);
        }
        return masks;
    }

    void Drag(int from, int to) {
        const RECT a = m_video->GetSlotRect(from);
        const RECT b = m_video->GetSlotRect(to);
        const LPARAM grab = MAKELPARAM((a.left + a.right) / 2, (a.top + a.bottom) / 2);
        const LPARAM drop = MAKELPARAM((b.left + b.right) / 2, (b.top + b.bottom) / 2);
        m_video->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, grab);
        m_video->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, drop);
        m_video->SendMessage(WM_LBUTTONUP, 0, drop);
    }

    void DoubleClick(int slot) {
        const RECT r = m_video->GetSlotRect(slot);
        const LPARAM at = MAKELPARAM(r.left + 20, r.top + 20);
        m_video->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        m_video->SendMessage(WM_LBUTTONUP, 0, at);
        m_video->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        m_video->SendMessage(WM_LBUTTONUP, 0, at);
    }

    CH264Library m_library;
    LibraryOwner m_owner{&m_library};
    std::unique_ptr<ksim::CSimRecorder> m_recorder;
    std::unique_ptr<ksim::CSimServer> m_server;
    CDialog m_host;
    std::unique_ptr<CVideoDlg> m_video;
    FakeClientHost m_clientHost;
    std::unique_ptr<CDvrClient> m_client;
};

TEST_P(LiveVideoTest, EveryTileShowsItsChannelAndLayoutChangesAskForTheirChannels) {
    // Login starts live view of all channels; every tile shows its channel within a few seconds.
    WORD shown = 0;
    EXPECT_TRUE(PumpUntil([&] { return (shown = ChannelsShown()) == 0xFFFF; })) << std::hex << shown;
    EXPECT_EQ(LiveRequests(), (std::vector<DWORD>{0xFFFF}));
    for (int ch = 0; ch < 16; ++ch) {
        EXPECT_GT(m_video->Stats().Of(ch).painted.load(), 0u) << ch;
    }
    EXPECT_EQ(m_video->GetOsdTopText(5).substr(m_video->GetOsdTopText(5).size() - 7), "360x288");

    // Dragging tile 0 onto tile 5 swaps their channels, and each tile shows its new channel.
    Drag(0, 5);
    EXPECT_EQ(m_video->GetTileChannel(0), 5);
    EXPECT_EQ(m_video->GetTileChannel(5), 0);
    EXPECT_TRUE(PumpUntil([&] { return (shown = ChannelsShown()) == 0xFFFF; })) << std::hex << shown;

    // A double click shows one channel alone and asks the recorder for that channel only...
    DoubleClick(6);
    EXPECT_EQ(m_video->GetLayout(), 0);
    ASSERT_TRUE(m_recorder->Journal().WaitReceived(Msg::LIVE_REQ, 2, 10000));
    EXPECT_EQ(LiveRequests().back(), 1u << 6);
    // ...whose picture fills the window, from the restarted stream.
    EXPECT_TRUE(PumpUntil([&] {
        const QImage image = Grab();
        return Near(image.pixel(600, 150), ExpectedColour(6), 24);
    }));
    // A second double click brings the sixteen tiles back, and asks for all of them again.
    DoubleClick(0);
    EXPECT_EQ(m_video->GetLayout(), 14);
    ASSERT_TRUE(m_recorder->Journal().WaitReceived(Msg::LIVE_REQ, 3, 10000));
    EXPECT_EQ(LiveRequests().back(), 0xFFFFu);
    EXPECT_TRUE(PumpUntil([&] { return (shown = ChannelsShown()) == 0xFFFF; })) << std::hex << shown;
    EXPECT_EQ(m_clientHost.Count(m_clientHost.Calls(), HostCall::Notice), 0u);
}

INSTANTIATE_TEST_SUITE_P(DrawModes, LiveVideoTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Yuv" : "Rgb"; });

} // namespace
