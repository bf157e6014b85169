#pragma once
// A main window made for a test: its own settings folder, the placeholder video window (or one the
// test gives), the connect dialog answered by a script.

#include "app/ClientDlg.h"
#include "app/ConnectDlg.h"
#include "app/LocalLog.h"
#include "tests/app/AppTestEnv.h"
#include "tests/app/GuiTestSupport.h"
#include "tests/app/VideoPlaceholder.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// A control of the main window by its id, as the operator finds it on the face.
template <class Control>
Control& MainControl(const CClientDlg& main, UINT id) {
    if (auto* control = dynamic_cast<Control*>(main.GetDlgItem(int(id)))) {
        return *control;
    }
    ADD_FAILURE() << "the main window has no such control " << id;
    static Control none;
    return none;
}
inline CSkinButton& MainButton(const CClientDlg& main, UINT id) {
    return MainControl<CSkinButton>(main, id);
}
inline CBitmapSlider& MainSlider(const CClientDlg& main, UINT id) {
    return MainControl<CBitmapSlider>(main, id);
}

// A video window that records what the commands asked of it.
class RecordingVideo : public CVideoPlaceholder {
public:
    void EnterFullScreen(int monitor) override { fullScreenOn = monitor; }
    void GetMonitorTable(MONITORINFOEX table[4]) const override {
        if (useTable) {
            std::memcpy(table, monitorTable, sizeof monitorTable);
        } else {
            CVideoPlaceholder::GetMonitorTable(table);
        }
    }
    int fullScreenOn = -1;
    bool useTable = false;
    MONITORINFOEX monitorTable[4] = {};
};

class MainWindowFixture : public ::testing::Test {
protected:
    // Opens the main window; `connect` answers the connect dialog it opens at start (cancel when
    // empty).
    void Open(std::function<void(CConnectDlg&)> connect = {}) {
        parts.createVideoWindow = [this] {
            auto video = std::make_unique<RecordingVideo>();
            m_video = video.get();
            return video;
        };
        main = std::make_unique<CClientDlg>(parts);
        ModalScript script;
        script.Expect<CConnectDlg>(connect ? connect : [](CConnectDlg& d) { d.EndDialog(IDCANCEL); });
        ASSERT_TRUE(main->Create(CClientDlg::IDD));
        Pump(50);
    }
    void Close() {
        if (main) {
            main->StopEverything();
            main->DestroyWindow();
            main.reset();
        }
    }
    void TearDown() override { Close(); }

    RecordingVideo* Video() const { return m_video; }
    void Click(UINT id) { main->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), BN_CLICKED), 0); }
    std::vector<unsigned char> LogBytes() const {
        const std::string location = main ? std::string(main->GetLocation()) : m_env.Location();
        return AppTestEnv::ReadBytes(CLocalLog::PathOf(location.c_str()));
    }

    AppTestEnv m_env;
    ScopedEnv m_removable{"KELO_REMOVABLE_MEDIA", "0"};
    MainWindowParts parts;
    std::unique_ptr<CClientDlg> main;

private:
    RecordingVideo* m_video = nullptr;
};
