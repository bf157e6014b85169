// The main window with the program's parts against the recorder simulator: the remote setup frame
// opened over the recorder's record, Cancel and OK, and the recorder's setup initialised from it.
#include "app/MsgBoxDlg.h"
#include "setup/SetupDlg.h"
#include "tests/app/WiredFixture.h"

#include <cstring>

using namespace wiredtest;

namespace {

using WiredSetupTest = WiredFixture;

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
            received.assign(reinterpret_cast<const BYTE*>(&main->m_setupDb),
                            reinterpret_cast<const BYTE*>(&main->m_setupDb) + sizeof(SetupDatabase));
            Press(frame, IDCANCEL);
        });
        Click(IDC_RSETUP);
        ASSERT_TRUE(WaitUntil([&] { return script.Done(); }, 60000));
    }
    ASSERT_TRUE(SimSaw("sim: recv DB_INFO_REQ"));
    EXPECT_TRUE(hostOrder);
    ASSERT_EQ(received.size(), sizeof(SetupDatabase));
    EXPECT_EQ(std::memcmp(received.data(), &main->m_setupDb, received.size()), 0);
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
    EXPECT_EQ(std::memcmp(received.data(), &main->m_setupDb, received.size()), 0);
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
