// The main window with the program's parts against the recorder simulator: the shell's own dialogs
// its commands open (local setup, firmware upgrade, PTZ pad) and the arrange bar of full screen.
#include "app/ArrangeDlg.h"
#include "app/FwUpgradeDlg.h"
#include "app/LocalSetupDlg.h"
#include "app/PtzControlDlg.h"
#include "media/FullScreenVideoDlg.h"
#include "protocol/ByteOrder.h"
#include "protocol/ClientMessages.h"
#include "res/ButtonStates.h"
#include "tests/app/WiredFixture.h"

#include <cstring>

using namespace wiredtest;

namespace {

using WiredDialogsTest = WiredFixture;

// A firmware image of a part: its 64-byte header (version at 8, big-endian; part name at 32).
std::string Image(const char* part, DWORD version, std::size_t size) {
    std::string bytes(size, '\x5A');
    std::memset(bytes.data(), 0, 64);
    BYTE be[4];
    WriteBE32(be, version);
    std::memcpy(bytes.data() + 8, be, 4);
    std::memcpy(bytes.data() + 32, part, std::strlen(part));
    return bytes;
}

TEST_F(WiredDialogsTest, FirmUpOffersTheNewerImageAndUploadsItToTheRecorder) {
    Connect();
    AppTestEnv::WriteBytes(SaveFolder() / "Upgrade" / "kernel.bin", Image("KERNEL", 0xF0000000, 8001));
    int finished = -1;
    ModalScript offer;
    offer.Expect<CMsgBoxDlg>([](CMsgBoxDlg& box) { box.EndDialog(IDOK); });
    ModalScript upgrade;
    upgrade.Expect<CFwUpgradeDlg>([&](CFwUpgradeDlg& dialog) {
        MouseClick(dialog.m_btnStart);
        if (WaitUntil([&] { return dialog.FinishedCount() > 0 || !dialog.m_btnClose.IsWindowEnabled(); }, 60000)) {
            WaitUntil([&] { return dialog.Status() == CFwUpgradeDlg::kStatusIdle; }, 60000);
        }
        finished = dialog.FinishedCount();
        // Closing after an upgrade offers to restart the recorder: declined.
        AnswerBoxes();
        MouseClick(dialog.m_btnClose);
        if (FindModal<CFwUpgradeDlg>() != nullptr) {
            dialog.EndDialog(IDCANCEL);
        }
    });
    Click(IDC_FIRMUP);
    ASSERT_TRUE(WaitUntil([&] { return offer.Done(); }, 30000));
    ASSERT_TRUE(WaitUntil([&] { return upgrade.Done() && FindModal<CFwUpgradeDlg>() == nullptr; }, 120000));
    EXPECT_EQ(finished, 1);
    EXPECT_TRUE(SimSaw("sim: recv FW_UPDATE_REQ len=56"));
    EXPECT_TRUE(SimSaw("sim: recv FW_DATA len=1 last"));
    EXPECT_EQ(CountInLog("sim: recv REBOOT_REQ"), 0);
}

TEST_F(WiredDialogsTest, PanOpensThePadWhoseArrowsMoveTheCameraAndPanAgainClosesIt) {
    Connect();
    // The pad asks about a channel that shows pictures.
    ASSERT_TRUE(WaitUntil([&] { return main->GetVideoWindow()->MediaWindow()->GetAvailableMask() != 0; }, 60000));
    Click(IDC_PAN);
    CPtzControlDlg* pad = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (pad = FindWindowOf<CPtzControlDlg>()) != nullptr; }));
    // The arrows work once the recorder has said the channel's camera can move.
    ASSERT_TRUE(WaitUntil([&] { return pad->m_btnUp.IsWindowEnabled() != FALSE; }, 30000));
    MouseClick(pad->m_btnUp);
    EXPECT_TRUE(SimSaw("sim: recv PTZ_MOVE_REQ"));
    EXPECT_TRUE(SimSaw("sim: recv PTZ_MOVE_STOP"));
    Click(IDC_PAN);
    EXPECT_TRUE(WaitUntil([] { return FindWindowOf<CPtzControlDlg>() == nullptr; }));
    EXPECT_FALSE(main->GetClient()->Commands().IsPtzDialogOpen());
}

TEST_F(WiredDialogsTest, LocalSetupOkAppliesTheEditsAndCancelRestoresThem) {
    Connect();
    const BYTE before = main->GetAppliedSetup().DateFormat;
    const BYTE other = before == 2 ? 0 : 2;
    struct Step {
        UINT button;
        int expected;
    };
    const Step steps[] = {{IDCANCEL, before}, {IDOK, other}};
    for (const Step& step : steps) {
        ModalScript script;
        script.Expect<CLocalSetupDlg>([&](CLocalSetupDlg& frame) {
            // The pages edit the main window's copies in place.
            frame.Edit()->DateFormat = other;
            Press(frame, step.button);
        });
        Click(IDC_LSETUP);
        ASSERT_TRUE(script.Done());
        EXPECT_EQ(main->GetDateFormat(), step.expected) << step.button;
        EXPECT_EQ(main->GetAppliedSetup().DateFormat, step.expected) << step.button;
    }
}

TEST_F(WiredDialogsTest, TheArrangeBarOfFullScreenChoosesALayoutAndLeadsBack) {
    Connect();
    CFullScreenVideoDlg* video = main->GetVideoWindow()->MediaWindow();
    Click(IDC_FULL);
    ASSERT_TRUE(video->IsFullScreen());
    video->SendMessage(WM_KELO_SHOW_ARRANGE_BAR, 0, 0);
    ASSERT_NE(video->GetArrangeBar(), nullptr);
    CArrangeDlg* bar = FindWindowOf<CArrangeDlg>();
    ASSERT_NE(bar, nullptr);
    Press(*bar, CArrangeDlg::kIdFirst + 1); // the four-tile layout
    EXPECT_EQ(video->GetLayout(), 1);
    EXPECT_EQ(MainButton(*main, IDC_SPLIT_FIRST + 1).GetState(), kButtonOn);
    Press(*bar, CArrangeDlg::kIdLeave);
    EXPECT_TRUE(WaitUntil([&] { return !video->IsFullScreen(); }));
}

} // namespace
