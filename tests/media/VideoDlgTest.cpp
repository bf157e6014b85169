// The video window as a real window under Qt's offscreen platform: pictures drawn into tiles with
// their crops, colours that follow the tile map through a drag, double clicks, the frame rate, the
// on-screen text and the pictures of tiles without video.
#include "media/VideoDlg.h"
#include "media/ChannelDecoder.h"
#include "media/DecoderHost.h"
#include "media/MediaFactory.h"
#include "media/PictureCopy.h"
#include "media/VideoOwner.h"
#include "platform/video/PictureScaler.h"
#include "platform/window/Dialog.h"
#include "protocol/IVideoView.h"
#include "tests/media/DecoderFakes.h"
#include "tests/platform/window/WidgetTestSupport.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <thread>
#include <vector>

namespace {

enum : UINT { IDD_VIDEO_HOST = 9140 };
const DialogTemplate kHostTemplate{.id = IDD_VIDEO_HOST, .x = 20, .y = 20, .cx = 900, .cy = 640, .style = WS_POPUP};
const DialogTemplateRegistration kHostRegistered(kHostTemplate);

constexpr COLORREF kGrey = RGB(150, 150, 150);

// A planar 4:2:0 picture of one colour.
std::vector<BYTE> SolidYuv(int w, int h, BYTE y, BYTE u, BYTE v) {
    std::vector<BYTE> p(std::size_t(w) * h * 3 / 2);
    std::memset(p.data(), y, std::size_t(w) * h);
    std::memset(p.data() + std::size_t(w) * h, u, std::size_t(w / 2) * (h / 2));
    std::memset(p.data() + std::size_t(w) * h + std::size_t(w / 2) * (h / 2), v, std::size_t(w / 2) * (h / 2));
    return p;
}

int Distance(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

class VideoDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        ASSERT_TRUE(m_host.Create(IDD_VIDEO_HOST, nullptr));
        video = std::make_unique<CVideoDlg>(nullptr);
        ASSERT_TRUE(video->Create(&m_host));
        video->Init(16);
        video->SetOsdFont(13, 700, "Arial Bold");
    }
    void TearDown() override {
        video->DestroyWindow();
        video.reset();
        m_host.DestroyWindow();
        Flush();
    }
    void Place(int width, int height) {
        video->SetGeometry(0, 0, width, height, 1, kGrey);
        ShowAndWait(m_host);
    }
    // Publishes a picture as a decoder would (from the UI thread here) and waits until it is painted.
    void Show(int channel, const std::vector<BYTE>& picture, int w, int h, PictureFormat format) {
        DecodedPicture p;
        p.data = picture.data();
        p.size = picture.size();
        p.width = w;
        p.height = h;
        p.format = format;
        p.arrival = std::chrono::steady_clock::now();
        const auto painted = video->Stats().Of(channel).painted.load();
        ASSERT_TRUE(video->PublishPicture(channel, p, scaler));
        ASSERT_TRUE(PumpUntil([&] { return video->Stats().Of(channel).painted.load() > painted; }));
    }
    QImage GrabVideo() {
        Flush();
        return Grab(*video);
    }
    QRgb CentreOf(const QImage& image, int slot) {
        const RECT r = video->GetSlotRect(slot);
        return image.pixel((r.left + r.right) / 2, (r.top + r.bottom) / 2 + 10);
    }

    CDialog m_host;
    std::unique_ptr<CVideoDlg> video;
    CPictureScaler scaler;
};

// A 352-wide picture in which column 3 and row 8 (the first ones shown) are mid grey, the columns
// and rows that are cut away bright, and the rest dark.
struct CropPicture {
    static BYTE Level(int x, int y, bool yuv) {
        const int lastKept = yuv ? 348 : 351; // planar pictures lose 3 columns on the right too
        if (x < 3 || x > lastKept || y < 8 || y > 283) {
            return 235;
        }
        return (x == 3 || y == 8) ? 120 : 16;
    }
};

// A decoder's picture becomes the frame buffer without a copy: the decoder gets the old buffer back
// to decode into. Still images and web snapshots still get the picture as they always took it: a
// two-field planar picture with its first field line-doubled, RGB rows in bitmap order.
TEST_F(VideoDlgTest, DecodedPicturesAreTakenByExchangeAndCopiedForSnapshotsInTheirDrawingOrder) {
    Place(815, 548);
    for (const bool yuv : {true, false}) {
        SCOPED_TRACE(yuv ? "yuv" : "rgb");
        video->SetDrawMode(yuv);
        const int w = 704;
        const int h = 576;
        const PictureFormat format = yuv ? PictureFormat::Yuv420 : PictureFormat::Bgr24;
        std::vector<BYTE> decoded(CVideoDlg::kFrameBufferSize);
        for (std::size_t i = 0; i < PictureBytes(format, w, h); ++i) {
            decoded[i] = BYTE((i * 7 + i / 1409) & 0xFF);
        }
        const std::vector<BYTE> original = decoded;
        DecodedPicture p;
        p.data = decoded.data();
        p.size = decoded.size();
        p.buffer = &decoded;
        p.width = w;
        p.height = h;
        p.format = format;
        p.arrival = std::chrono::steady_clock::now();
        const int channel = yuv ? 3 : 4;
        const BYTE* given = decoded.data();
        ASSERT_TRUE(video->PublishPicture(channel, p, scaler));
        EXPECT_NE(decoded.data(), given) << "the decoder decodes into another buffer next";
        EXPECT_EQ(decoded.size(), CVideoDlg::kFrameBufferSize);

        std::vector<BYTE> want(CVideoDlg::kFrameBufferSize);
        PictureLayout wantLayout;
        ASSERT_TRUE(
            PublishPictureRows(original.data(), original.size(), want.data(), want.size(), w, h, format, wantLayout));
        std::vector<BYTE> copy;
        PictureLayout layout;
        ASSERT_TRUE(video->CopyFrameBuffer(channel, copy, layout));
        EXPECT_EQ(layout.format, yuv ? PictureFormat::Yuv420 : PictureFormat::Bgr24Dib);
        EXPECT_EQ(layout.firstFieldDoubled, yuv);
        EXPECT_EQ(layout.width, w);
        EXPECT_EQ(layout.height, h);
        const std::size_t bytes = PictureBytes(layout.format, w, h);
        ASSERT_GE(copy.size(), bytes);
        EXPECT_TRUE(std::equal(want.begin(), want.begin() + std::ptrdiff_t(bytes), copy.begin()));
    }
}

TEST_F(VideoDlgTest, A352WidePictureLosesThreeColumnsOnTheLeftInRgbAndOnBothSidesInYuv) {
    video->SetOsdFlag(false);
    for (const bool yuv : {false, true}) {
        video->SetDrawMode(yuv);
        // One tile exactly the size of the shown part: 349 (or 346) x 276, so nothing is scaled.
        Place(yuv ? 350 : 353, 280);
        video->SetLayout(0);
        std::vector<BYTE> picture;
        if (yuv) {
            picture = SolidYuv(352, 288, 16, 128, 128);
            for (int y = 0; y < 288; ++y) {
                for (int x = 0; x < 352; ++x) {
                    picture[std::size_t(y) * 352 + x] = CropPicture::Level(x, y, true);
                }
            }
        } else {
            picture.resize(352 * 288 * 3);
            for (int y = 0; y < 288; ++y) {
                for (int x = 0; x < 352; ++x) {
                    std::memset(&picture[(std::size_t(y) * 352 + x) * 3], CropPicture::Level(x, y, false), 3);
                }
            }
        }
        Show(0, picture, 352, 288, yuv ? PictureFormat::Yuv420 : PictureFormat::Bgr24Dib);
        const QImage image = GrabVideo();
        const RECT r = video->GetSlotRect(0);
        ASSERT_EQ(r.right - r.left, yuv ? 346 : 349);
        ASSERT_EQ(r.bottom - r.top, 276);
        const int mid = r.top + 100;
        EXPECT_NEAR(qGray(image.pixel(r.left, mid)), 120, 12) << "first column shown is column 3, yuv " << yuv;
        EXPECT_LT(qGray(image.pixel(r.left + 1, mid)), 40) << yuv;
        EXPECT_LT(qGray(image.pixel(r.right - 1, mid)), 40) << "last column shown is dark, yuv " << yuv;
        EXPECT_NEAR(qGray(image.pixel(r.left + 100, r.top)), 120, 12) << "first row shown is row 8, yuv " << yuv;
        EXPECT_LT(qGray(image.pixel(r.left + 100, r.bottom - 1)), 40) << "last row shown is row 283, yuv " << yuv;
        for (int x = r.left; x < r.right; ++x) {
            ASSERT_LT(qGray(image.pixel(x, mid)), 200) << "a cut column is shown at " << x << ", yuv " << yuv;
        }
    }
}

TEST_F(VideoDlgTest, EachTileShowsItsChannelAndTheColoursFollowADrag) {
    video->SetOsdFlag(false);
    Place(815, 548);
    for (int ch = 0; ch < 16; ++ch) {
        const auto picture = SolidYuv(352, 288, BYTE(40 + ch * 12), BYTE(ch & 1 ? 60 : 190), BYTE(ch & 2 ? 70 : 180));
        Show(ch, picture, 352, 288, PictureFormat::Yuv420);
    }
    const QImage before = GrabVideo();
    for (int a = 0; a < 16; ++a) {
        for (int b = a + 1; b < 16; ++b) {
            ASSERT_GT(Distance(CentreOf(before, a), CentreOf(before, b)), 20) << a << " and " << b;
        }
    }
    // Drag slot 0 onto slot 5, by the middle of the tile.
    const RECT from = video->GetSlotRect(0);
    const RECT to = video->GetSlotRect(5);
    const QPoint grab((from.left + from.right) / 2, (from.top + from.bottom) / 2);
    const QPoint drop((to.left + to.right) / 2, (to.top + to.bottom) / 2);
    Press(*video, grab.x(), grab.y());
    MoveTo(*video, (grab.x() + drop.x()) / 2, (grab.y() + drop.y()) / 2);
    MoveTo(*video, drop.x(), drop.y());
    Release(*video, drop.x(), drop.y());
    EXPECT_EQ(video->GetTileChannel(0), 5);
    EXPECT_EQ(video->GetTileChannel(5), 0);
    const QImage after = GrabVideo();
    EXPECT_LT(Distance(CentreOf(after, 0), CentreOf(before, 5)), 12);
    EXPECT_LT(Distance(CentreOf(after, 5), CentreOf(before, 0)), 12);
    EXPECT_LT(Distance(CentreOf(after, 9), CentreOf(before, 9)), 12);
    // The visible channels are the same after a drag within the page.
    EXPECT_EQ(video->GetVisibleChannelMask(), 0xFFFF);
}

// The window paints every pixel itself: after a layout change the gaps of the new layout show the
// background colour, also where a tile of the old layout lay.
TEST_F(VideoDlgTest, GapsOfANewLayoutShowTheBackgroundWhereOldTilesLay) {
    video->SetOsdFlag(false);
    Place(815, 548);
    for (int ch = 0; ch < 16; ++ch) {
        Show(ch, SolidYuv(352, 288, 145, 54, 34), 352, 288, PictureFormat::Yuv420);
    }
    // Column 407 lies in the third tile of the sixteen-tile layout and in the gap of the four-tile one.
    const QPoint point(407, 100);
    const QRgb green = GrabVideo().pixel(point);
    ASSERT_GT(Distance(green, qRgb(150, 150, 150)), 100);
    ASSERT_TRUE(video->SetLayout(1));
    Flush();
    const RECT left = video->GetSlotRect(0);
    const RECT right = video->GetSlotRect(1);
    ASSERT_LE(left.right, point.x());
    ASSERT_GT(right.left, point.x());
    const QImage image = GrabVideo();
    EXPECT_EQ(image.pixel(point), qRgb(150, 150, 150));
    EXPECT_EQ(image.pixel(point.x(), 300), qRgb(150, 150, 150));
}

TEST_F(VideoDlgTest, DroppingATileOnItselfOrOutsideChangesNothing) {
    Place(815, 548);
    video->SetAvailableMask(0xFFFF, false);
    const RECT r = video->GetSlotRect(2);
    const int x = (r.left + r.right) / 2;
    const int y = (r.top + r.bottom) / 2;
    // On itself.
    Press(*video, x, y);
    MoveTo(*video, x + 20, y + 10);
    Release(*video, x + 20, y + 10);
    // Outside every tile: below the window (the drop point is the middle of the dragged image,
    // which was grabbed by its middle).
    Press(*video, x, y);
    MoveTo(*video, x, 600);
    Release(*video, x, 600);
    // On the gap between two tiles.
    Press(*video, x, y);
    MoveTo(*video, r.right, y);
    Release(*video, r.right, y);
    for (int slot = 0; slot < 16; ++slot) {
        EXPECT_EQ(video->GetTileChannel(slot), slot);
    }
    // A tile without an available channel cannot be picked up.
    video->SetAvailableMask(0xFFFF & ~(1u << 2), false);
    const RECT target = video->GetSlotRect(3);
    Press(*video, x, y);
    MoveTo(*video, target.left + 30, target.top + 30);
    Release(*video, target.left + 30, target.top + 30);
    EXPECT_EQ(video->GetTileChannel(2), 2);
}

TEST_F(VideoDlgTest, DoubleClickShowsOneChannelAndASecondRestoresTheView) {
    Place(815, 548);
    video->SetAvailableMask(0xFFFF, false);
    video->SetSingleView(false);
    video->SetLayout(1);
    video->SetLayout(1); // page 1: slots 4-7
    const RECT r = video->GetSlotRect(6);
    QTest::mouseDClick(WindowOf(*video), Qt::LeftButton, Qt::NoModifier, InTopLevel(*video, r.left + 20, r.top + 20));
    EXPECT_EQ(video->GetLayout(), 0);
    EXPECT_EQ(video->GetPage(), 6);
    EXPECT_EQ(video->GetVisibleChannelMask(), 1u << 6);
    EXPECT_TRUE(video->HasDoubleClickView());
    EXPECT_FALSE(video->GetSingleView());

    QTest::mouseDClick(WindowOf(*video), Qt::LeftButton, Qt::NoModifier, InTopLevel(*video, 100, 100));
    EXPECT_EQ(video->GetLayout(), 1);
    EXPECT_EQ(video->GetPage(), 1);
    EXPECT_EQ(video->GetVisibleChannelMask(), 0x00F0);
    EXPECT_FALSE(video->HasDoubleClickView());

    // In the one-tile layout without a saved view a double click changes nothing but single view.
    video->ShowSingleChannel(3);
    EXPECT_TRUE(video->GetSingleView());
    QTest::mouseDClick(WindowOf(*video), Qt::LeftButton, Qt::NoModifier, InTopLevel(*video, 100, 100));
    EXPECT_EQ(video->GetLayout(), 0);
    EXPECT_EQ(video->GetPage(), 3);
    EXPECT_FALSE(video->GetSingleView());
}

// A decoder thread that starts asks for the double-click view to be forgotten; a double click made
// while that request still waits in the queue (the first pictures already show) keeps its view.
TEST_F(VideoDlgTest, ADecoderStartAskedBeforeADoubleClickKeepsItsView) {
    Place(815, 548);
    video->SetAvailableMask(0xFFFF, false);
    video->SetLayout(14);
    const auto decoderStarts = [this] { std::thread([this] { video->ClearDoubleClickView(); }).join(); };
    const auto doubleClick = [this](int slot) {
        const RECT r = video->GetSlotRect(slot);
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        video->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        video->SendMessage(WM_LBUTTONUP, 0, at);
        video->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        video->SendMessage(WM_LBUTTONUP, 0, at);
    };
    decoderStarts();
    doubleClick(5);
    ASSERT_EQ(video->GetLayout(), 0);
    Flush(); // the decoder's request is handled only now
    EXPECT_TRUE(video->HasDoubleClickView());
    doubleClick(0);
    EXPECT_EQ(video->GetLayout(), 14);
    EXPECT_EQ(video->GetVisibleChannelMask(), 0xFFFF);

    // A decoder that starts after the double click (a new live session) forgets the view.
    doubleClick(5);
    decoderStarts();
    Flush();
    EXPECT_FALSE(video->HasDoubleClickView());
    doubleClick(0);
    EXPECT_EQ(video->GetLayout(), 0);
}

TEST_F(VideoDlgTest, ThirtyPicturesInTwoSecondsShowFifteenFramesPerSecond) {
    for (int i = 0; i < 30; ++i) {
        video->CountFrame(4);
    }
    video->CountFrame(5);
    video->SendMessage(WM_TIMER, CVideoDlg::kFrameRateTimer, 0);
    EXPECT_EQ(video->GetFrameRate(4), 15u);
    EXPECT_EQ(video->GetFrameRate(5), 1u);
    EXPECT_EQ(video->GetFrameRate(6), 0u);
    EXPECT_EQ(video->GetTimerInterval(CVideoDlg::kFrameRateTimer), 2000u);
    // The counts start again for the next period.
    video->SendMessage(WM_TIMER, CVideoDlg::kFrameRateTimer, 0);
    EXPECT_EQ(video->GetFrameRate(4), 0u);
}

// Green pixels of the on-screen text in the tile's top band.
int GreenTextPixels(const QImage& image, const RECT& r) {
    int n = 0;
    for (int y = r.top + 2; y < r.top + 24; ++y) {
        for (int x = r.left + 5; x < r.left + 150; ++x) {
            const QRgb c = image.pixel(x, y);
            n += (qGreen(c) > 200 && qRed(c) < 80 && qBlue(c) < 80) ? 1 : 0;
        }
    }
    return n;
}

TEST_F(VideoDlgTest, WithTheOsdOffPicturesStillCountForTheFrameRate) {
    Place(815, 548);
    video->KillTimer(CVideoDlg::kFrameRateTimer); // the frame rates are taken by hand here
    ScriptedDecoder library;
    static_cast<CMediaFactory*>(video->MediaFactory())->SetPictureDecoder(&library);
    for (const bool osd : {true, false}) {
        video->SetOsdFlag(osd);
        video->Stats().Reset();
        std::unique_ptr<IChannelDecoder> decoder = video->MediaFactory()->CreateDecoder(2, 1);
        ASSERT_NE(decoder, nullptr);
        for (int i = 0; i < 6; ++i) {
            ASSERT_TRUE(decoder->QueueFrame(MakeFrame(i + 1, i == 0 ? 1 : 0, 1, 352, 288)));
        }
        ASSERT_TRUE(PumpUntil([&] { return video->Stats().Of(2).painted.load() >= 1 && decoder->QueueLength() == 0; }));
        ASSERT_TRUE(PumpUntil([&] { return video->Stats().Of(2).decoded.load() == 6; }));
        decoder->Stop();
        video->SendMessage(WM_TIMER, CVideoDlg::kFrameRateTimer, 0);
        EXPECT_EQ(video->GetFrameRate(2), 3u) << "osd " << osd; // (6 + 1) / 2
        EXPECT_EQ(video->GetOsdTopText(2), " 360x288");
        EXPECT_EQ(video->GetTileChannel(2), 2);
        video->Invalidate();
        const QImage image = GrabVideo();
        const int green = GreenTextPixels(image, video->GetSlotRect(2));
        if (osd) {
            EXPECT_GT(green, 20);
        } else {
            EXPECT_EQ(green, 0);
        }
    }
    static_cast<CMediaFactory*>(video->MediaFactory())->SetPictureDecoder(nullptr);
}

// The text bands of a tile (top and bottom line) as shown, for comparing two tiles' texts over the
// same solid picture.
QImage TextBands(const QImage& image, const RECT& r) {
    QImage bands(160, 48, QImage::Format_RGB32);
    QPainter p(&bands);
    p.drawImage(QPoint(0, 0), image, QRect(r.left, r.top, 160, 24));
    p.drawImage(QPoint(0, 24), image, QRect(r.left, r.bottom - 24, 160, 24));
    return bands;
}

int DifferentPixels(const QImage& a, const QImage& b, int tolerance) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            n += std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                           std::abs(qBlue(p) - qBlue(q))}) > tolerance
                     ? 1
                     : 0;
        }
    }
    return n;
}

// The on-screen text follows every change of its text, colour and font, whatever was shown before:
// a tile that showed other text (slot 0) ends up exactly as one that never did (slot 1).
TEST_F(VideoDlgTest, OnScreenTextFollowsChangesOfTextColourAndFont) {
    Place(815, 548);
    const auto picture = SolidYuv(704, 576, 60, 128, 128);
    struct Case {
        const char* what;
        const char* top;
        const char* bottom;
        COLORREF topColour;
        int pointSize;
    };
    const Case before{"before", "ENTRANCE HALL NORTH 720x576", "Live  25", RGB(0, 255, 0), 13};
    const Case cases[] = {
        {"top text", "LOADING BAY 720x576", "Live  25", RGB(0, 255, 0), 13},
        {"bottom text", "ENTRANCE HALL NORTH 720x576", "Live  12", RGB(0, 255, 0), 13},
        {"colour", "ENTRANCE HALL NORTH 720x576", "Live  25", RGB(255, 0, 255), 13},
        {"font", "ENTRANCE HALL NORTH 720x576", "Live  25", RGB(0, 255, 0), 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        video->SetOsdFont(before.pointSize, 700, "Arial Bold");
        video->SetOsdText(0, before.top, before.bottom, before.topColour, RGB(0, 255, 255));
        Show(0, picture, 704, 576, PictureFormat::Yuv420);
        const QImage first = TextBands(GrabVideo(), video->GetSlotRect(0));
        video->SetOsdFont(c.pointSize, 700, "Arial Bold");
        video->SetOsdText(0, c.top, c.bottom, c.topColour, RGB(0, 255, 255));
        video->SetOsdText(1, c.top, c.bottom, c.topColour, RGB(0, 255, 255));
        Show(1, picture, 704, 576, PictureFormat::Yuv420);
        video->Invalidate();
        const QImage image = GrabVideo();
        const QImage changed = TextBands(image, video->GetSlotRect(0));
        EXPECT_GT(DifferentPixels(changed, first, 24), 20);
        // The same text blended at another place may differ by a rounding step.
        EXPECT_EQ(DifferentPixels(changed, TextBands(image, video->GetSlotRect(1)), 3), 0);
    }
}

TEST_F(VideoDlgTest, VideoLossTilesCarryTheirChannelNumber) {
    Place(815, 548);
    video->SetLayout(14);
    video->DrawVideoLossExcept(0xFFFF & ~(1u << 4));
    const QImage image = GrabVideo();
    // Only channel 5's tile (slot 4) shows the caption "CH5  Video Loss".
    EXPECT_GT(GreenTextPixels(image, video->GetSlotRect(4)), 20);
    EXPECT_EQ(GreenTextPixels(image, video->GetSlotRect(3)), 0);
    // A channel showing video again leaves the picture of video loss behind.
    video->DrawBlankExcept(0xFFFF);
    const auto picture = SolidYuv(352, 288, 100, 128, 128);
    video->SetOsdFlag(false);
    Show(4, picture, 352, 288, PictureFormat::Yuv420);
    EXPECT_EQ(GreenTextPixels(GrabVideo(), video->GetSlotRect(4)), 0);
}

TEST_F(VideoDlgTest, TheClientsViewQueuesChangesFromItsThreads) {
    Place(815, 548);
    IVideoView* view = video->View();
    std::thread socket([view] {
        view->SetPlaySource(1);
        view->SetChannelHidden(7, true);
        view->SetAvailableMask(0x00FF, false);
        view->SetLayout(4); // the four-tile layout
    });
    socket.join();
    ASSERT_TRUE(PumpUntil([&] { return video->GetLayout() == 1; }));
    EXPECT_EQ(video->GetAvailableMask(), 0x00FF);
    EXPECT_EQ(video->GetPlaySource(), 1);
    EXPECT_TRUE(video->IsChannelRestricted(7));
    EXPECT_EQ(view->GetVisibleChannelMask(), 0x000F);
    EXPECT_FALSE(view->IsSelectedChannel(0));
    video->ShowSingleChannel(2);
    EXPECT_TRUE(view->IsSelectedChannel(2));
    EXPECT_FALSE(view->IsSelectedChannel(3));
    // Back to no channels with the tile map reset.
    video->SwapTiles(0, 1);
    view->SetAvailableMask(0, true);
    EXPECT_EQ(video->GetTileChannel(0), 0);
}

TEST_F(VideoDlgTest, SnapshotRequestsFollowTheVisibleChannels) {
    video->SetAvailableMask(0xFFFF, false);
    video->SetSingleView(false);
    video->SetLayout(1);
    video->SetLayout(1); // channels 4-7
    video->RequestSnapshots();
    for (int ch = 0; ch < 16; ++ch) {
        EXPECT_EQ(video->GetSnapshotFlag(ch), ch >= 4 && ch < 8) << ch;
    }
    EXPECT_TRUE(video->TakeSnapshotFlag(5));
    EXPECT_FALSE(video->TakeSnapshotFlag(5));
}

} // namespace
