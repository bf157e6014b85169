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
#include "tests/support/Prerequisite.h"

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

// The fixture runs a recorder of the kind Config() gives, the client and the video window in the
// draw mode DrawMode() gives (true: YUV, false: RGB).
template <class Param>
class LiveVideoFixture : public ::testing::TestWithParam<Param> {
protected:
    virtual ksim::CSimConfig Config() const {
        ksim::CSimConfig config;
        config.port = 0;
        config.resolution = ksim::Resolution::Cif;
        config.loopSeconds = 1;
        config.channels = 16;
        return config;
    }
    virtual bool DrawMode() const = 0;

    void SetUp() override {
        App();
        KELO_REQUIRE(m_library.Load((BinDir() + "/" + CH264Library::kFileName).c_str()),
                     "the decoder library is not built");
        const ksim::CSimConfig config = Config();
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
        m_video->SetDrawMode(DrawMode());
        m_video->SetGeometry(53, 72, 868, 620, 1, RGB(150, 150, 150));
        m_host.ShowWindow(SW_SHOW);

        DvrClientTiming timing;
        timing.idleWait = 10ms;
        timing.disconnectWait = 100ms;
        m_client = std::make_unique<CDvrClient>(DvrClientSeams{&m_clientHost, m_video->View(), m_video->MediaFactory()},
                                                timing);
        m_video->SetClient(m_client.get());
        m_client->Login().SetConnectParams("127.0.0.1", DWORD(m_server->Port()), "admin", "1234");
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
        if (m_recorder) {
            EXPECT_EQ(m_recorder->Violations(), 0u) << "the recorder refused requests of the client (see stderr)";
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

class LiveVideoTest : public LiveVideoFixture<bool> {
protected:
    bool DrawMode() const override { return GetParam(); }
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

// ---- channels without a camera ----

// Channels 9 to 11 have no camera: the recorder says so in its live answer, and their tiles never
// show a picture while every other channel's does.
class MissingCamerasTest : public LiveVideoFixture<bool> {
protected:
    static constexpr WORD kNoCamera = 0x0700;
    ksim::CSimConfig Config() const override {
        ksim::CSimConfig config = LiveVideoFixture<bool>::Config();
        config.videoLoss = kNoCamera;
        return config;
    }
    bool DrawMode() const override { return GetParam(); }
};

TEST_P(MissingCamerasTest, OnlyTheChannelsWithACameraShowAPicture) {
    constexpr WORD kCameras = WORD(~kNoCamera);
    WORD shown = 0;
    EXPECT_TRUE(PumpUntil([&] { return (shown = ChannelsShown()) == kCameras; })) << std::hex << shown;
    EXPECT_EQ(m_client->Live().GetAvailableMask(), kCameras);
    EXPECT_EQ(m_client->GetStreamedMask(), kCameras);
    EXPECT_EQ(m_video->GetAvailableMask(), kCameras);
    for (int ch = 8; ch < 11; ++ch) {
        EXPECT_EQ(m_video->Stats().Of(ch).painted.load(), 0u) << ch;
    }
}

INSTANTIATE_TEST_SUITE_P(DrawModes, MissingCamerasTest, ::testing::Values(true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Yuv" : "Rgb"; });

// ---- full-height pictures: two fields one above the other ----

struct FieldCase {
    bool yuv;
    bool pal;
};

class FieldPictureTest : public LiveVideoFixture<FieldCase> {
protected:
    ksim::CSimConfig Config() const override {
        ksim::CSimConfig config;
        config.port = 0;
        config.resolution = ksim::Resolution::D1;
        config.pal = GetParam().pal;
        config.loopSeconds = 1;
        config.channels = 4;
        return config;
    }
    bool DrawMode() const override { return GetParam().yuv; }

    // The channel's test picture as the camera sees it, in RGB, scaled to the tile.
    static QImage ExpectedPicture(int channel, const ksim::VideoFormat& video, QSize tile) {
        const ksim::CTestPattern pattern(video.width, video.height, video.fps);
        const int cw = video.width / 2;
        std::vector<uint8_t> y(size_t(video.width * video.height));
        std::vector<uint8_t> u(size_t(cw * video.height / 2));
        std::vector<uint8_t> v(u.size());
        pattern.DrawPicture(channel, 0, y.data(), video.width, u.data(), cw, v.data(), cw);
        QImage rgb(video.width, video.height, QImage::Format_RGB32);
        auto clamp = [](double x) { return std::clamp(int(x + 0.5), 0, 255); };
        for (int row = 0; row < video.height; ++row) {
            for (int col = 0; col < video.width; ++col) {
                const size_t c = size_t(row / 2 * cw + col / 2);
                const double yy = 1.164 * (y[size_t(row * video.width + col)] - 16);
                const double uu = u[c] - 128;
                const double vv = v[c] - 128;
                rgb.setPixel(col, row,
                             qRgb(clamp(yy + 1.596 * vv), clamp(yy - 0.813 * vv - 0.391 * uu), clamp(yy + 2.018 * uu)));
            }
        }
        return rgb.scaled(tile, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }

    // Summed brightness of an image, one row and column more than the image, for block means.
    static std::vector<double> Integral(const QImage& image) {
        const int w = image.width();
        std::vector<double> sum(size_t((w + 1) * (image.height() + 1)), 0.0);
        for (int row = 0; row < image.height(); ++row) {
            double line = 0;
            for (int col = 0; col < w; ++col) {
                const QRgb p = image.pixel(col, row);
                line += 0.299 * qRed(p) + 0.587 * qGreen(p) + 0.114 * qBlue(p);
                sum[size_t((row + 1) * (w + 1) + col + 1)] = sum[size_t(row * (w + 1) + col + 1)] + line;
            }
        }
        return sum;
    }

    // Share of 8 x 8 blocks whose mean brightness differs from the picture's by more than a quarter
    // of the range, over the rows where the picture stands still: the channel number near the top
    // and the flat colour around it (the moving box in the middle and the running clock at the
    // bottom are left out, as are the top rows where the tile's own caption is drawn). The tile may
    // show the picture shifted by a few lines and columns (the drawing crops its edges): the best of
    // those shifts counts.
    static double Mismatch(const QImage& shown, const QImage& expected) {
        constexpr int kBlock = 8;
        constexpr int kShift = 12;
        const int w = shown.width();
        const int h = shown.height();
        const std::vector<double> a = Integral(shown);
        const std::vector<double> b = Integral(expected);
        auto mean = [w](const std::vector<double>& s, int x, int y) {
            auto at = [&](int col, int row) { return s[size_t(row * (w + 1) + col)]; };
            return (at(x + kBlock, y + kBlock) - at(x, y + kBlock) - at(x + kBlock, y) + at(x, y)) / (kBlock * kBlock);
        };
        const std::pair<int, int> bands[] = {{h * 8 / 100, h * 42 / 100}, {h * 58 / 100, h * 76 / 100}};
        double best = 1.0;
        for (int dy = -kShift; dy <= kShift; ++dy) {
            for (int dx = -kShift; dx <= kShift; ++dx) {
                int blocks = 0;
                int wrong = 0;
                for (const auto& [from, to] : bands) {
                    for (int by = from; by + kBlock <= to; by += kBlock) {
                        for (int bx = kShift; bx + kBlock + kShift <= w; bx += kBlock) {
                            if (by + dy < 0 || by + dy + kBlock > h) {
                                continue;
                            }
                            ++blocks;
                            wrong += std::abs(mean(a, bx, by) - mean(b, bx + dx, by + dy)) > 64 ? 1 : 0;
                        }
                    }
                }
                if (blocks > 0) {
                    best = std::min(best, double(wrong) / blocks);
                }
            }
        }
        return best;
    }
};

TEST_P(FieldPictureTest, AD1TileShowsTheChannelsWholePicture) {
    const ksim::VideoFormat video = m_recorder->Config().Video();
    ASSERT_TRUE(PumpUntil([&] { return m_video->Stats().Of(0).painted.load() > 2; }));
    const RECT r = m_video->GetSlotRect(0);
    const QSize tile(r.right - r.left, r.bottom - r.top);
    ASSERT_GT(tile.width(), 200);
    const QImage expected = ExpectedPicture(m_video->GetTileChannel(0), video, tile);
    double mismatch = 1.0;
    EXPECT_TRUE(PumpUntil(
        [&] {
            mismatch = Mismatch(Grab().copy(r.left, r.top, tile.width(), tile.height()), expected);
            return mismatch < 0.02;
        },
        20000))
        << "share of blocks unlike the test picture: " << mismatch;
}

INSTANTIATE_TEST_SUITE_P(Kinds, FieldPictureTest,
                         ::testing::Values(FieldCase{true, true}, FieldCase{false, true}, FieldCase{true, false},
                                           FieldCase{false, false}),
                         [](const ::testing::TestParamInfo<FieldCase>& info) {
                             return std::string(info.param.yuv ? "Yuv" : "Rgb") + (info.param.pal ? "576" : "480");
                         });

} // namespace
