#pragma once
// The main window with the program's parts against the recorder simulator, logged in: what the
// tests of the wired commands share.
#include "app/MsgBoxDlg.h"
#include "app/StandardParts.h"
#include "platform/base/WindowsPath.h"
#include "res/ControlIds.h"
#include "tests/app/MainWindowSupport.h"
#include "tests/support/Prerequisite.h"
#include "tests/support/SimProcess.h"
#include "tests/support/UtcTime.h"

#include <QTimer>

#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace wiredtest {

namespace fs = std::filesystem;

// The simulator's clock: 2024-03-15 12:00; it has recordings of that day and the day before.
inline const DWORD kClock = Utc(2024, 2, 15, 12);

// A window of type D that exists now (modal or not), or null.
template <class D>
D* FindWindowOf() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* host = dynamic_cast<CWndHost*>(widget);
        if (host == nullptr || host->Handle() == nullptr) {
            continue;
        }
        if (auto* wnd = dynamic_cast<D*>(host->Object())) {
            return wnd;
        }
    }
    return nullptr;
}

// A skinned button pressed and released by the mouse.
inline void MouseClick(CWnd& control) {
    control.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    control.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

inline void Press(CWnd& wnd, UINT id) {
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), BN_CLICKED), 0);
}

class WiredFixture : public ::testing::Test {
protected:
    void SetUp() override { KELO_REQUIRE(SimProcess::Available(), "the recorder simulator is not built"); }
    void TearDown() override {
        m_boxes.reset();
        if (main) {
            main->StopEverything();
            main->DestroyWindow();
            main.reset();
        }
    }

    // The simulator and the main window with the program's parts, logged in (live view runs).
    void Connect(std::vector<std::string> options = {}) {
        options.insert(options.end(), {"--resolution", simResolution, "--loop-seconds", "1", "--channels", simChannels,
                                       "--days", "2", "--clock", std::to_string(simClock)});
        ConnectWith(options);
    }
    // As Connect, with exactly these simulator options.
    void ConnectWith(const std::vector<std::string>& options) {
        StartLoginWith(options);
        if (HasFatalFailure()) {
            return;
        }
        ASSERT_TRUE(WaitUntil([&] { return main->IsConnected() && main->GetClient()->IsLive(); }, 60000));
        // The login laid out the tiles and lit their split button from the socket thread before live
        // view ran: the face is the login's once those posts are handled, as the operator sees it
        // before the next click.
        ASSERT_TRUE(Drain(*main));
    }
    // The simulator with exactly these options and the main window, logged in through the connect
    // dialog; `beforeLogin` runs once the main window and its video window exist. Does not wait for
    // the login.
    void StartLoginWith(const std::vector<std::string>& options, const std::function<void()>& beforeLogin = {}) {
        ASSERT_TRUE(sim.Start(options));
        const std::string port = std::to_string(sim.Port());
        main = std::make_unique<CClientDlg>(MakeStandardParts([this] { return main.get(); }));
        ModalScript script;
        script.Expect<CConnectDlg>([port, beforeLogin, description = connectDescription](CConnectDlg& d) {
            if (beforeLogin) {
                beforeLogin();
            }
            d.SetDlgItemText(IDC_CONNECT_ADDRESS, "127.0.0.1");
            d.SendMessage(WM_COMMAND, MAKEWPARAM(385, BN_CLICKED), 0);
            d.SetDlgItemText(IDC_CONNECT_PORT, port.c_str());
            d.SetDlgItemText(IDC_CONNECT_USER_ID, "admin");
            d.SetDlgItemText(IDC_CONNECT_PASSWORD, "1234");
            if (!description.empty()) {
                d.SetDlgItemText(IDC_CONNECT_DESCRIPTION, description.c_str());
            }
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        ASSERT_TRUE(main->Create(CClientDlg::IDD));
    }
    void Click(UINT id) { Press(*main, id); }
    // Typed into the connect dialog's description field by Connect (left empty when empty).
    std::string connectDescription;

    // From now on every notice box is closed (Cancel) as soon as it shows; its first lines are kept,
    // and all its lines.
    void AnswerBoxes() {
        m_boxes = std::make_unique<QTimer>();
        QObject::connect(m_boxes.get(), &QTimer::timeout, [this] {
            if (CMsgBoxDlg* box = FindModal<CMsgBoxDlg>()) {
                boxLines.emplace_back(box->m_szLine[0]);
                std::vector<std::string> lines;
                for (int i = 0; i < box->m_nLineCount && i < 3; ++i) {
                    lines.emplace_back(box->m_szLine[i]);
                }
                boxTexts.push_back(lines);
                box->EndDialog(IDCANCEL);
            }
        });
        m_boxes->start(20);
    }
    std::vector<std::string> boxLines;
    std::vector<std::vector<std::string>> boxTexts;

    // The simulator's log has the line. On a busy machine a request has taken a minute to get there.
    bool SimSaw(const std::string& text, int timeoutMs = 120000) {
        return WaitUntil([&] { return sim.Log().find(text) != std::string::npos; }, timeoutMs);
    }
    int CountInLog(const std::string& text) const {
        const std::string log = sim.Log();
        int n = 0;
        for (std::size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) {
            ++n;
        }
        return n;
    }
    fs::path SaveFolder() const { return fs::path(MapWindowsPath(main->GetLocation())); }

    // What Connect starts the simulator with; a test may set them before it connects.
    DWORD simClock = kClock;
    std::string simChannels = "4";
    std::string simResolution = "cif";

    SimProcess sim;
    ScopedEnv m_tz{"TZ", "UTC"};
    AppTestEnv m_env;
    ScopedEnv m_removable{"KELO_REMOVABLE_MEDIA", "0"};
    std::unique_ptr<CClientDlg> main;

private:
    std::unique_ptr<QTimer> m_boxes;
};

} // namespace wiredtest
