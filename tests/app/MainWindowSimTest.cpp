// The main window against the recorder simulator: connecting through the dialog, the buttons the
// login sets, rights, the record-off password and the notices of a lost connection.
#include "app/MsgBoxDlg.h"
#include "app/PasswordDlg.h"
#include "protocol/ReasonCodes.h"
#include "res/ButtonStates.h"
#include "res/ControlIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "tests/app/MainWindowSupport.h"
#include "tests/support/Prerequisite.h"
#include "tests/support/SimProcess.h"

#include <string>
#include <vector>

namespace {

class MainWindowSimTest : public MainWindowFixture {
protected:
    void SetUp() override { KELO_REQUIRE(SimProcess::Available(), "the recorder simulator is not built"); }
    // Starts the simulator and the main window, and logs in through the connect dialog.
    void Connect(std::vector<std::string> options, const char* user = "admin", const char* password = "1234") {
        options.insert(options.end(), {"--resolution", "cif", "--loop-seconds", "1"});
        ASSERT_TRUE(sim.Start(options));
        const std::string port = std::to_string(sim.Port());
        Open([port, user, password](CConnectDlg& d) {
            d.SetDlgItemText(IDC_CONNECT_ADDRESS, "127.0.0.1");
            d.SendMessage(WM_COMMAND, MAKEWPARAM(385, BN_CLICKED), 0);
            d.SetDlgItemText(IDC_CONNECT_PORT, port.c_str());
            d.SetDlgItemText(IDC_CONNECT_USER_ID, user);
            d.SetDlgItemText(IDC_CONNECT_PASSWORD, password);
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        ASSERT_TRUE(WaitUntil([&] { return main->IsConnected(); }));
    }
    // The next notice box: its first line, and it is answered with `answer`.
    std::string AnswerNextBox(int answer) {
        std::string line;
        ModalScript script;
        script.Expect<CMsgBoxDlg>([&](CMsgBoxDlg& box) {
            line = box.m_szLine[0];
            box.EndDialog(answer);
        });
        EXPECT_TRUE(WaitUntil([&] { return script.Done(); }));
        return line;
    }
    static std::string Res(UINT id) {
        CString t;
        LoadResString(t, id);
        return std::string(t);
    }
    int CountInLog(const std::string& text) const {
        const std::string log = sim.Log();
        int n = 0;
        for (std::size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) {
            ++n;
        }
        return n;
    }

    SimProcess sim;
};

TEST_F(MainWindowSimTest, ConnectingThroughTheDialogLogsInAndSetsTheButtons) {
    Connect({});
    EXPECT_TRUE(sim.WaitLog("sim: recv HELLO"));
    EXPECT_TRUE(WaitUntil([&] { return MainButton(*main, IDC_LIVE).IsWindowEnabled() != FALSE; }));
    EXPECT_EQ(MainButton(*main, IDC_CONNECT).GetState(), kButtonOn);
    EXPECT_EQ(std::string(main->TooltipText(IDC_CONNECT)), Res(IDS_DISCONNECT));
    EXPECT_TRUE(WaitUntil([&] { return main->GetClient()->IsLive(); }));
    EXPECT_TRUE(WaitUntil([&] { return MainButton(*main, IDC_LIVE).GetState() == kButtonOn; }));

    // A split button while live asks for the new channels.
    const int before = CountInLog("sim: recv LIVE_REQ");
    Click(IDC_SPLIT_FIRST + 1);
    EXPECT_TRUE(WaitUntil([&] { return CountInLog("sim: recv LIVE_REQ") > before; }));

    // The history and the last server hold the connection.
    ConnectLogTable table;
    EXPECT_EQ(CConnectLog::Load(main->GetLocation(), table), 1);
    EXPECT_STREQ(table[0].address, "127.0.0.1");

    // Connect again disconnects: the buttons go back.
    Click(IDC_CONNECT);
    EXPECT_EQ(main->GetClient(), nullptr);
    EXPECT_FALSE(MainButton(*main, IDC_LIVE).IsWindowEnabled());
    EXPECT_EQ(MainButton(*main, IDC_LIVE).GetState(), kButtonDisabled);
    EXPECT_TRUE(sim.WaitLog("sim: recv BYE48"));
}

TEST_F(MainWindowSimTest, StoppingRecordingAsksForTheLoginPassword) {
    Connect({}, "admin", "1234");
    if (!main->GetClient()->Commands().IsRecording()) {
        Click(IDC_RECORD); // starting needs no password
        ASSERT_TRUE(WaitUntil([&] { return main->GetClient()->Commands().IsRecording(); }));
    }
    ModalScript wrong;
    wrong.Expect<CPasswordDlg>([](CPasswordDlg& d) {
        d.SetDlgItemText(IDC_CONNECT_PASSWORD, "9999");
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    Click(IDC_RECORD);
    EXPECT_TRUE(wrong.Done());
    Pump(300);
    EXPECT_EQ(CountInLog("sim: recv REC_OFF_REQ"), 0);

    ModalScript right;
    right.Expect<CPasswordDlg>([](CPasswordDlg& d) {
        d.SetDlgItemText(IDC_CONNECT_PASSWORD, "1234");
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    Click(IDC_RECORD);
    EXPECT_TRUE(sim.WaitLog("sim: recv REC_OFF_REQ"));
    EXPECT_TRUE(WaitUntil([&] { return !main->GetClient()->Commands().IsRecording(); }));
}

TEST_F(MainWindowSimTest, AnAccountWithoutTheRightIsRefused) {
    // Rights 0..7: only "may stay connected".
    Connect({"--account", "viewer:Pass1:00000010"}, "viewer", "pass1");
    Click(IDC_RSETUP);
    EXPECT_EQ(AnswerNextBox(IDCANCEL), Res(IDS_NO_PERMISSION_FOR_THIS_FUNCTION));
    EXPECT_EQ(CountInLog("sim: recv DB_INFO_REQ"), 0);

    if (!main->GetClient()->Commands().IsRecording()) {
        Click(IDC_RECORD);
        ASSERT_TRUE(WaitUntil([&] { return main->GetClient()->Commands().IsRecording(); }));
    }
    Click(IDC_RECORD); // no password prompt: refused at once
    EXPECT_EQ(AnswerNextBox(IDCANCEL), Res(IDS_NO_PERMISSION_FOR_THIS_FUNCTION));
}

TEST_F(MainWindowSimTest, ALostConnectionDisconnectsAndSaysSo) {
    Connect({});
    sim.Stop();
    std::string line;
    bool disconnectedUnderTheBox = false;
    ModalScript script;
    script.Expect<CMsgBoxDlg>([&](CMsgBoxDlg& box) {
        line = box.m_szLine[0];
        disconnectedUnderTheBox =
            main->GetClient() == nullptr && MainButton(*main, IDC_LIVE).GetState() == kButtonDisabled;
        box.EndDialog(IDOK);
    });
    ASSERT_TRUE(WaitUntil([&] { return script.Done(); }));
    EXPECT_EQ(line, Res(IDS_CONNECTION_CLOSED));
    EXPECT_TRUE(disconnectedUnderTheBox);
}

TEST_F(MainWindowSimTest, AFailedConnectIsReportedAfterTheClientIsGone) {
    // A port nobody listens on: one the simulator held a moment ago.
    ASSERT_TRUE(sim.Start({"--resolution", "cif", "--loop-seconds", "1"}));
    const std::string port = std::to_string(sim.Port());
    sim.Stop();
    std::string line;
    bool clientGone = false;
    ModalScript box;
    box.Expect<CMsgBoxDlg>([&](CMsgBoxDlg& b) {
        line = b.m_szLine[0];
        clientGone = main->GetClient() == nullptr;
        b.EndDialog(IDOK);
    });
    Open([port](CConnectDlg& d) {
        d.SetDlgItemText(IDC_CONNECT_ADDRESS, "127.0.0.1");
        d.SendMessage(WM_COMMAND, MAKEWPARAM(385, BN_CLICKED), 0);
        d.SetDlgItemText(IDC_CONNECT_PORT, port.c_str());
        d.SetDlgItemText(IDC_CONNECT_USER_ID, "admin");
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    ASSERT_TRUE(WaitUntil([&] { return box.Done(); }));
    EXPECT_EQ(line, Res(IDS_CONNECTION_FAILED));
    EXPECT_TRUE(clientGone);
    const auto log = LogBytes();
    ASSERT_GE(log.size(), 8u + 2 * 184u);
    EXPECT_EQ(ReadLe32(log, 8 + 184 + 8), 2u);
    EXPECT_EQ(ReadLe32(log, 8 + 184 + 12), 4u);
}

TEST_F(MainWindowSimTest, NoticesDuringTheDialogAnAnswerOpensAreShown) {
    bool noticeShownInside = false;
    std::string insideLine;
    parts.runRemoteSearch = [&](CClientDlg& window, BYTE) {
        // Stands for the reopened search frame: a refusal arrives while it runs.
        ModalScript inner;
        inner.Expect<CMsgBoxDlg>([&](CMsgBoxDlg& box) {
            insideLine = box.m_szLine[0];
            box.EndDialog(IDOK);
        });
        window.PostNotice(kNoticeTalkInUse, ClientWindow::MainWindow);
        noticeShownInside = WaitUntil([&] { return inner.Done(); }, 10000);
        return INT_PTR(IDCANCEL);
    };
    Connect({});
    main->GetArchiveResume().record.active = 1;
    main->PostNotice(kNoticeNothingFound, ClientWindow::MainWindow);
    std::vector<std::string> lines;
    ModalScript script;
    script.Expect<CMsgBoxDlg>([&](CMsgBoxDlg& box) {
        lines = {box.m_szLine[0], box.m_szLine[1]};
        box.EndDialog(IDOK); // OK reopens the remote search
    });
    ASSERT_TRUE(WaitUntil([&] { return script.Done(); }));
    EXPECT_TRUE(WaitUntil([&] { return noticeShownInside; }, 15000));
    EXPECT_EQ(insideLine, Res(IDS_TALK_IS_IN_USE_BY_ANOTHER));
    EXPECT_EQ(lines, (std::vector<std::string>{Res(IDS_NO_DATA_FOUND), Res(IDS_TRY_AGAIN)}));
}

} // namespace
