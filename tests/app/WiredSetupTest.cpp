// The main window with the program's parts against the recorder simulator: the remote setup frame
// opened over the recorder's record, Cancel and OK, and the recorder's setup initialised from it.
#include "app/MsgBoxDlg.h"
#include "setup/SetupDlg.h"
#include "tests/app/WiredFixture.h"

#include <vector>

using namespace wiredtest;

namespace {

using WiredSetupTest = WiredFixture;

// The main window's copy of the setup record, byte for byte.
std::vector<BYTE> SetupBytes(const CClientDlg& main) {
    const SetupDatabase db = main.GetSetupDatabase();
    const auto* bytes = reinterpret_cast<const BYTE*>(&db);
    return std::vector<BYTE>(bytes, bytes + sizeof db);
}

TEST_F(WiredSetupTest, RSetupOpensTheFrameOverTheRecordersRecordAndOnlyOkWritesItBack) {
    Connect();
    AnswerBoxes();
    // Cancel: nothing is sent, and the main window's copy stays as the recorder sent it.
    std::vector<BYTE> received;
    bool hostOrder = false;
    {
        ModalScript script;
        script.Expect<CSetupDlg>([&](CSetupDlg& frame) {
            hostOrder = frame.IsHostOrder();
            received = SetupBytes(*main);
            Press(frame, IDCANCEL);
        });
        Click(IDC_RSETUP);
        ASSERT_TRUE(WaitUntil([&] { return script.Done(); }, 60000));
    }
    ASSERT_TRUE(SimSaw("sim: recv DB_INFO_REQ"));
    EXPECT_TRUE(hostOrder);
    ASSERT_EQ(received.size(), sizeof(SetupDatabase));
    EXPECT_EQ(SetupBytes(*main), received);
    Pump(200);
    EXPECT_EQ(CountInLog("sim: recv DB_UPDATE_REQ"), 0);

    // OK: the record goes back in the recorder's order and the recorder takes it.
    {
        ModalScript script;
        script.Expect<CSetupDlg>([&](CSetupDlg& frame) { Press(frame, IDOK); });
        Click(IDC_RSETUP);
        ASSERT_TRUE(WaitUntil([&] { return script.Done(); }, 60000));
    }
    ASSERT_TRUE(SimSaw("sim: recv DB_UPDATE_REQ len=6636"));
    EXPECT_TRUE(SimSaw("sim: send DB_UPDATE_ACK"));
    // Unedited, the record went back byte for byte as it came.
    EXPECT_EQ(SetupBytes(*main), received);
    EXPECT_TRUE(WaitUntil([&] { return !boxLines.empty(); })) << "the saved notice";
}

TEST_F(WiredSetupTest, InitializeFromTheSetupFrameIsConfirmedAndAsksTheRecorder) {
    Connect();
    ModalScript script;
    script.Expect<CSetupDlg>(
        [&](CSetupDlg& frame) { main->PostMessage(WM_KELO_NOTICE, WPARAM(frame.GetSafeHwnd()), 0x100000); });
    ModalScript confirm;
    confirm.Expect<CMsgBoxDlg>([](CMsgBoxDlg& box) { box.EndDialog(IDOK); }, 60000);
    Click(IDC_RSETUP);
    ASSERT_TRUE(WaitUntil([&] { return confirm.Done(); }, 60000));
    EXPECT_TRUE(SimSaw("sim: recv DB_INIT_REQ"));
    // Asking for the initialisation closes the frame.
    EXPECT_TRUE(WaitUntil([&] { return script.Done() && FindModal<CSetupDlg>() == nullptr; }, 30000));
}

} // namespace
