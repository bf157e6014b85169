#pragma once
// What the setup tests share: the GUI application with the real resource library, a host for the
// frame with an unconnected client whose recorder facts the test sets, a record with a distinct
// byte everywhere, the frame opened over it, and helpers to click, type and compare records.

#include "controls/SkinLabel.h"
#include "platform/window/Wnd.h"
#include "protocol/DvrClient.h"
#include "protocol/IClientHost.h"
#include "protocol/MessageIds.h"
#include "protocol/PacketHeader.h"
#include "protocol/SetupDatabase.h"
#include "setup/SetupDlg.h"
#include "setup/SetupHost.h"
#include "tests/support/DvrClientTestPeer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace setuptest {

// ---- event loop
inline void Flush() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 20000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// ---- input
inline LPARAM Pt(int x, int y) {
    return MAKELPARAM(x, y);
}
// A left click at (x, y) of the control, as the mouse gives it.
inline void Click(CWnd& control, int x = 3, int y = 3) {
    control.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Pt(x, y));
    control.SendMessage(WM_LBUTTONUP, 0, Pt(x, y));
    Flush();
}
// A press at `from` in an area editor; with `to`, a band dragged there, else a click. The move and
// the release are queued before the press is sent, so they arrive after it.
inline void Press(CWnd& editor, CPoint from, std::optional<CPoint> to = std::nullopt) {
    if (to) {
        editor.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, Pt(to->x, to->y));
        editor.PostMessage(WM_LBUTTONUP, 0, Pt(to->x, to->y));
    } else {
        editor.PostMessage(WM_LBUTTONUP, 0, Pt(from.x, from.y));
    }
    editor.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Pt(from.x, from.y));
    Flush();
}
// Typed characters, each as the keyboard gives it.
inline void Type(CWnd& edit, const std::string& text) {
    for (char c : text)
        edit.SendMessage(WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 1);
    Flush();
}
inline CString TextOf(const CWnd& wnd) {
    CString text;
    wnd.GetWindowText(text);
    return text;
}
inline std::string Text(const CWnd& wnd) {
    return TextOf(wnd).Str();
}

// ---- the recorder as the pages see it
class NullClientHost : public IClientHost {
public:
    void PostNotice(LPARAM, ClientWindow) override {}
    void PostToWindow(ClientWindow, UINT, WPARAM, LPARAM) override {}
    void ReportEvent(ClientEvent, int) override {}
    void WriteLocalLog(int, int, const char*, const char*) override {}
    void PostConnectFailed(LPARAM) override {}
    void PostWrongProduct() override {}
    void DeliverSearchReply(UINT, std::vector<BYTE>, DWORD) override {}
    void ClearSearchBusy() override {}
};

// An unconnected client whose hello reply, rights table and information blocks the test sets.
class Recorder {
public:
    Recorder() { client.Login().SetConnectParams("127.0.0.1", 2000, "user", "1111"); }
    void SetChannels(int n) {
        DvrClientTestPeer::EditHello(client, [n](HelloInfo& hello) { hello.channel_num = BYTE(n); });
    }
    void SetSubType(int t) {
        DvrClientTestPeer::EditHello(client, [t](HelloInfo& hello) { hello.sub_product_num_major = BYTE(t); });
    }
    // Logs in as `account` of a six-account table named user0..user5 with passwords 1110..1115.
    void LogInAs(int account) {
        AccountRightsTable table{};
        for (int a = 0; a < 8; ++a) {
            for (int k = 0; k < 8; ++k)
                table.rights[k][a] = 1;
            table.level[a] = 1;
            std::snprintf(table.user_name[a], sizeof table.user_name[a], "user%d", a);
            std::snprintf(table.password[a], sizeof table.password[a], "111%d", a);
        }
        client.Login().SetConnectParams("127.0.0.1", 2000, ("user" + std::to_string(account)).c_str(), "1111");
        Feed(Msg::RIGHT_CHANGE, &table, sizeof table);
    }
    void Feed(WORD id, const void* payload, DWORD length) {
        ASSERT_TRUE(
            client.ProcessMessage(PacketHeader::Request(id, length), static_cast<const BYTE*>(payload), length));
    }

    NullClientHost host;
    CDvrClient client{DvrClientSeams{&host, nullptr, nullptr}};
};

class FakeSetupHost : public ISetupHost {
public:
    CDvrClient* GetClient() override { return client; }
    void SetSetupWindow(ClientWindow which, HWND hwnd) override {
        if (onRegister) {
            onRegister(which, hwnd);
        }
        registered.emplace_back(which, hwnd);
    }

    CDvrClient* client = nullptr;
    std::vector<std::pair<ClientWindow, HWND>> registered;
    std::function<void(ClientWindow, HWND)> onRegister; // runs as a window registers
};

// ---- records
// Every byte distinct from its neighbours, no zero bytes, in network order.
inline SetupDatabase PatternRecord(unsigned seed = 7) {
    SetupDatabase db;
    auto* bytes = reinterpret_cast<BYTE*>(&db);
    for (std::size_t i = 0; i < sizeof db; ++i)
        bytes[i] = BYTE(1 + (i * 31 + seed) % 251);
    return db;
}
inline const BYTE* Bytes(const SetupDatabase& db) {
    return reinterpret_cast<const BYTE*>(&db);
}
// The offsets where two records differ, with the new byte.
inline std::map<std::size_t, int> Changes(const SetupDatabase& before, const SetupDatabase& after) {
    std::map<std::size_t, int> changed;
    for (std::size_t i = 0; i < sizeof before; ++i) {
        if (Bytes(before)[i] != Bytes(after)[i])
            changed[i] = Bytes(after)[i];
    }
    return changed;
}

// ---- the frame, modeless, over a record in network order (as the main window hands it over)
class FrameFixture : public ::testing::Test {
protected:
    void TearDown() override { Close(); }

    // Opens the frame; the record is converted to host order as it opens.
    void Open(bool withClient = true) { OpenWith(withClient ? &recorder.client : nullptr); }
    void OpenWith(CDvrClient* client) {
        host.client = client;
        frame = std::make_unique<CSetupDlg>(nullptr, &db, BYTE(255), &host);
        ASSERT_TRUE(frame->Create(CSetupDlg::IDD, nullptr));
        frame->ShowWindow(SW_SHOW);
        Flush();
        before = db;
    }
    void Close() {
        if (frame) {
            frame->DestroyWindow();
            Flush();
            frame.reset();
            Flush();
        }
    }
    // Opens the page of a slot through the frame's opener and gives it as its class.
    template <class Page>
    Page& Show(UINT pageId) {
        frame->ShowPageById(pageId);
        Flush();
        auto* page = dynamic_cast<Page*>(frame->PageById(pageId));
        EXPECT_NE(page, nullptr) << pageId;
        return *page;
    }
    // The record's changes since the frame opened (both in host order).
    std::map<std::size_t, int> Changed() const { return Changes(before, db); }

    SetupDatabase db = PatternRecord();
    SetupDatabase before{};
    Recorder recorder;
    FakeSetupHost host;
    std::unique_ptr<CSetupDlg> frame;
};

} // namespace setuptest
