// The main window against recorders of several kinds (4, 8 and 16 channels; PAL and NTSC; D1,
// half-D1 and CIF; setup record versions 4.2 and 4.5): live view shows every channel of the
// recorder in the layout of its channel count, and the remote setup opens over the recorder's own
// record, whose factory rates fit the recorder's budget, and writes it back on OK.
#include "media/FullScreenVideoDlg.h"
#include "media/VideoLayout.h"
#include "res/ControlIds.h"
#include "setup/SetupDlg.h"
#include "tests/app/WiredFixture.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace wiredtest;

namespace {

struct Kind {
    const char* name;
    int channels;
    const char* standard;
    const char* resolution;
    const char* setupVersion;
    int tiles; // tiles of the video window's layout for the channel count
};

void PrintTo(const Kind& k, std::ostream* os) {
    *os << k.name;
}

class RecorderKindsTest : public WiredFixture, public ::testing::WithParamInterface<Kind> {
protected:
    void ConnectKind() {
        const Kind& k = GetParam();
        ASSERT_TRUE(sim.Start({"--channels", std::to_string(k.channels), "--standard", k.standard, "--resolution",
                               k.resolution, "--setup-version", k.setupVersion, "--loop-seconds", "1", "--days", "1",
                               "--clock", std::to_string(kClock)}));
        const std::string port = std::to_string(sim.Port());
        main = std::make_unique<CClientDlg>(MakeStandardParts([this] { return main.get(); }));
        ModalScript script;
        script.Expect<CConnectDlg>([port](CConnectDlg& d) {
            d.SetDlgItemText(IDC_CONNECT_ADDRESS, "127.0.0.1");
            d.SendMessage(WM_COMMAND, MAKEWPARAM(385, BN_CLICKED), 0);
            d.SetDlgItemText(IDC_CONNECT_PORT, port.c_str());
            d.SetDlgItemText(IDC_CONNECT_USER_ID, "admin");
            d.SetDlgItemText(IDC_CONNECT_PASSWORD, "1234");
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        ASSERT_TRUE(main->Create(CClientDlg::IDD));
        ASSERT_TRUE(WaitUntil([&] { return main->IsConnected() && main->m_pClient->m_bLive.load() != 0; }, 60000));
    }
};

TEST_P(RecorderKindsTest, LiveViewShowsEveryChannelAndTheSetupRecordGoesBackWhole) {
    const Kind& k = GetParam();
    ConnectKind();
    AnswerBoxes();
    CVideoDlg* video = main->GetVideoWindow()->MediaWindow();
    ASSERT_NE(video, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return CVideoLayout::TileCount(video->GetLayout()) == k.tiles; }, 10000))
        << "layout " << video->GetLayout();
    for (int ch = 0; ch < k.channels; ++ch) {
        EXPECT_TRUE(WaitUntil([&] { return video->Stats().Of(ch).painted.load() > 0; }, 60000)) << "channel " << ch;
    }
    EXPECT_EQ(video->Stats().Of(k.channels % 16).painted.load() > 0, k.channels == 16) << "no more channels";

    std::vector<BYTE> received;
    ModalScript script;
    script.Expect<CSetupDlg>([&](CSetupDlg& frame) {
        received.assign(reinterpret_cast<const BYTE*>(&main->m_setupDb),
                        reinterpret_cast<const BYTE*>(&main->m_setupDb) + sizeof(SetupDatabase));
        Press(frame, IDOK);
    });
    Click(IDC_RSETUP);
    ASSERT_TRUE(WaitUntil([&] { return script.Done(); }, 60000));
    ASSERT_EQ(received.size(), 6632u);
    EXPECT_EQ(std::to_string(received[0]) + "." + std::to_string(received[1]), k.setupVersion);
    EXPECT_EQ(received[2], std::strcmp(k.standard, "pal") == 0 ? 1 : 0);
    // The factory rates of every record mode cost no more than the recorder's budget.
    const int budget = received[2] != 0 ? 100 : 120;
    for (const size_t mode : {0u, 1u, 2u, 3u, 4u}) {
        static constexpr size_t kRates[] = {656, 688, 720, 2352, 2552};
        static constexpr size_t kResolutions[] = {4044, 4060, 4076, 4092, 4108};
        int cost = 0;
        for (int ch = 0; ch < k.channels; ++ch) {
            const BYTE code = received[kResolutions[mode] + size_t(ch)];
            cost += received[kRates[mode] + size_t(ch)] * (code == 2 ? 1 : code == 1 ? 2 : 4);
        }
        EXPECT_LE(cost, budget) << "record mode " << mode;
        EXPECT_GT(cost, budget / 2) << "record mode " << mode << " leaves most of the budget unused";
    }
    ASSERT_TRUE(SimSaw("sim: recv DB_UPDATE_REQ len=6636"));
    EXPECT_TRUE(SimSaw("sim: send DB_UPDATE_ACK"));
}

INSTANTIATE_TEST_SUITE_P(Kinds, RecorderKindsTest,
                         ::testing::Values(Kind{"FourPalCifVersion42", 4, "pal", "cif", "4.2", 4},
                                           Kind{"EightNtscHalfD1", 8, "ntsc", "half", "4.5", 9},
                                           Kind{"SixteenPalD1", 16, "pal", "d1", "4.5", 16}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
