// The PTZ pads and the firmware upgrade in the program, against the recorder simulator: opened by the
// main window's buttons, their presses and uploads reach the recorder through the main window and
// the client.
#include "app/FwUpgradeDlg.h"
#include "app/PtzControlDlg.h"
#include "app/PtzKeypadDlg.h"
#include "app/PtzMenuDlg.h"
#include "protocol/ByteOrder.h"
#include "tests/app/WiredFixture.h"

#include <algorithm>
#include <cstring>
#include <vector>

using namespace wiredtest;

namespace {

class ShellDialogsWired : public WiredFixture {
protected:
    int SimCount(const std::string& text) const {
        const std::string log = sim.Log();
        int n = 0;
        for (std::size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) {
            ++n;
        }
        return n;
    }
    bool SimCountReaches(const std::string& text, int count) {
        return WaitUntil([&] { return SimCount(text) >= count; }, 30000);
    }
};

TEST_F(ShellDialogsWired, PadPressesAndKeypadNumbersReachTheRecorder) {
    Connect();
    Click(IDC_PAN);
    CPtzControlDlg* pad = FindWindowOf<CPtzControlDlg>();
    ASSERT_NE(pad, nullptr);
    ASSERT_TRUE(SimSaw("recv PTZ_CHANNEL_REQ"));
    // The recorder's answer lets the arrows move the camera.
    ASSERT_TRUE(WaitUntil([&] { return pad->m_btnUp.IsWindowEnabled() != FALSE; }));

    MouseClick(pad->m_btnUp);
    EXPECT_TRUE(SimCountReaches("recv PTZ_MOVE_REQ len=4", 1));
    EXPECT_TRUE(SimCountReaches("recv PTZ_MOVE_STOP", 1)); // the release stops it

    // The centre button opens the keypad; a called preset goes out as a move request.
    MouseClick(pad->m_btnCentrePan);
    CPtzKeypadDlg* keypad = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (keypad = FindWindowOf<CPtzKeypadDlg>()) != nullptr; }));
    MouseClick(keypad->m_btnDigit[1]);
    MouseClick(keypad->m_btnOk);
    EXPECT_TRUE(SimCountReaches("recv PTZ_MOVE_REQ len=4", 2));

    // The dome menu: the keypad's Dome opens the menu pad, which blocks split changes until its X.
    MouseClick(keypad->m_btnDome);
    EXPECT_TRUE(SimCountReaches("recv PTZ_MOVE_REQ len=4", 3));
    CPtzMenuDlg* menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (menu = FindWindowOf<CPtzMenuDlg>()) != nullptr; }));
    EXPECT_TRUE(main->IsPtzMenuActive());
    MouseClick(menu->m_btnClose);
    EXPECT_TRUE(SimCountReaches("recv PTZ_MOVE_REQ len=4", 4));
    EXPECT_TRUE(WaitUntil([&] { return !main->IsPtzMenuActive(); }));

    // Pan again leaves PTZ: every pad goes.
    Click(IDC_PAN);
    EXPECT_TRUE(WaitUntil([&] { return FindWindowOf<CPtzControlDlg>() == nullptr; }));
    EXPECT_EQ(FindWindowOf<CPtzKeypadDlg>(), nullptr);
}

TEST_F(ShellDialogsWired, FirmUpOffersTheImageUploadsItAndOffersARestart) {
    Connect();
    // A kernel image newer than any part the simulator reports.
    std::string image(9000, '\x33');
    std::memset(image.data(), 0, 64);
    WriteBE32(reinterpret_cast<BYTE*>(image.data()) + 8, 0xF0000000);
    std::memcpy(image.data() + 32, "KERNEL", 6);
    AppTestEnv::WriteBytes(fs::path(MapWindowsPath(main->GetLocation())) / "Upgrade" / "kernel.bin", image);

    // Notice boxes in turn: the offer of the image is accepted, the offer to restart declined.
    std::vector<HWND> boxes;
    QTimer answer;
    answer.setInterval(20);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        CMsgBoxDlg* box = FindModal<CMsgBoxDlg>();
        if (box != nullptr && std::find(boxes.begin(), boxes.end(), box->GetSafeHwnd()) == boxes.end()) {
            boxes.push_back(box->GetSafeHwnd());
            box->EndDialog(boxes.size() == 1 ? IDOK : IDCANCEL);
        }
    });
    answer.start();
    std::string rowText;
    ModalScript upgrade;
    upgrade.Expect<CFwUpgradeDlg>([&](CFwUpgradeDlg& dlg) {
        MouseClick(dlg.m_btnStart);
        WaitUntil([&] { return dlg.FinishedCount() == 1; }, 60000);
        CString text;
        dlg.m_rowStatus[1].GetWindowText(text);
        rowText = text.Str();
        MouseClick(dlg.m_btnClose);
    });
    Click(IDC_FIRMUP);
    ASSERT_TRUE(WaitUntil([&] { return upgrade.Done() && boxes.size() == 2; }, 90000));
    EXPECT_EQ(rowText, "Done");
    EXPECT_TRUE(SimSaw("recv FW_DATA len=8000\n"));
    EXPECT_TRUE(SimSaw("recv FW_DATA len=1000 last"));
    EXPECT_TRUE(WaitUntil([&] { return FindWindowOf<CFwUpgradeDlg>() == nullptr; }));
}

} // namespace
