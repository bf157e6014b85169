#pragma once
// What the tests of the shell dialogs share: the event loop, clicks as the mouse gives them, a main
// window stand-in that records the messages the dialogs send it, a host whose answers the test sets,
// and a scripted recorder on the other end of a socket pair.

#include "app/ShellDialogHost.h"
#include "platform/base/String.h"
#include "platform/net/TcpConnection.h"
#include "platform/window/Wnd.h"
#include "protocol/PacketHeader.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace shelltest {

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
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// A left click on a control, as the mouse gives it.
inline void Click(CWnd& control, int x = 3, int y = 3) {
    control.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    control.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Flush();
}

inline std::string TextOf(const CWnd& wnd) {
    CString text;
    wnd.GetWindowText(text);
    return text.Str();
}

inline bool Visible(const CWnd& wnd) {
    return (wnd.GetStyle() & WS_VISIBLE) != 0;
}

// A top-level window standing in for the main window: it records what it is sent.
class MainStandIn : public CWnd {
public:
    bool Make() { return Create(nullptr, "main", WS_POPUP, CRect(100, 100, 1028, 798), nullptr, 0) != FALSE; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message >= 0x5200 && message < 0x5300) {
            messages.emplace_back(message, wParam, lParam);
            if (onMessage) {
                onMessage(message, wParam, lParam);
            }
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<std::tuple<UINT, WPARAM, LPARAM>> Of(UINT message) const {
        std::vector<std::tuple<UINT, WPARAM, LPARAM>> out;
        for (const auto& m : messages) {
            if (std::get<0>(m) == message) {
                out.push_back(m);
            }
        }
        return out;
    }
    std::vector<std::tuple<UINT, WPARAM, LPARAM>> messages;
    std::function<void(UINT, WPARAM, LPARAM)> onMessage;
};

class FakeShellHost : public IShellDialogHost {
public:
    CWnd* MainWindow() override { return main; }
    BYTE Opacity(int) override { return 255; }
    std::shared_ptr<CTcpConnection> Connection() override { return connection; }
    bool GetHello(HelloInfo& out) override {
        out = hello;
        return connection != nullptr;
    }
    void RegisterWindow(ClientWindow which, HWND hwnd) override { registered[which] = hwnd; }
    void PostNotice(LPARAM notice) override { notices.push_back(notice); }
    int PlaySource() override { return playSource; }
    bool IsRemovable() override { return removable; }
    CString Location() override { return location.c_str(); }
    bool VideoScreenRect(RECT* rect) override {
        if (!video) {
            return false;
        }
        *rect = *video;
        return true;
    }
    void OnPan() override {
        ++panCalls;
        if (onPan) {
            onPan();
        }
    }
    void OnZoom() override {
        ++zoomCalls;
        if (onZoom) {
            onZoom();
        }
    }
    void SetDomeMenuActive(bool active) override { domeMenuActive = active; }
    int PtzAvailability() override { return ptzAvailability; }

    CWnd* main = nullptr;
    std::shared_ptr<CTcpConnection> connection;
    HelloInfo hello{};
    std::map<ClientWindow, HWND> registered;
    std::vector<LPARAM> notices;
    int playSource = 0;
    bool removable = false;
    std::string location;
    std::optional<RECT> video;
    int panCalls = 0;
    int zoomCalls = 0;
    std::function<void()> onPan;
    std::function<void()> onZoom;
    bool domeMenuActive = false;
    int ptzAvailability = 0;
};

// One message as the recorder reads it.
struct PeerMessage {
    WORD id = 0;
    DWORD length = 0;
    bool last = false;
    std::vector<BYTE> payload;
};

// The recorder's end of a socket pair; the client's end is a connection the dialogs send on.
class ScriptedPeer {
public:
    ScriptedPeer() {
        int fds[2] = {-1, -1};
        if (::socketpair(AF_UNIX, SOCK_STREAM, 0, fds) == 0) {
            client = CTcpConnection::Adopt(fds[0]);
            m_fd = fds[1];
        }
    }
    ~ScriptedPeer() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    ScriptedPeer(const ScriptedPeer&) = delete;
    ScriptedPeer& operator=(const ScriptedPeer&) = delete;

    // The next message, or nothing when none came within the time.
    std::optional<PeerMessage> Read(int timeoutMs = 10000) {
        BYTE head[16];
        if (!ReadExact(head, sizeof head, timeoutMs)) {
            return std::nullopt;
        }
        const PacketHeader header = PacketHeader::Decode(head);
        PeerMessage m;
        m.id = header.Id();
        m.length = header.Length();
        m.last = header.IsLastFragment();
        m.payload.resize(m.length);
        if (m.length > 0 && !ReadExact(m.payload.data(), m.length, timeoutMs)) {
            return std::nullopt;
        }
        return m;
    }
    // True when nothing arrives within the time.
    bool Quiet(int ms) {
        pollfd p{m_fd, POLLIN, 0};
        return ::poll(&p, 1, ms) == 0;
    }

    std::shared_ptr<CTcpConnection> client;

private:
    bool ReadExact(BYTE* out, std::size_t count, int timeoutMs) {
        std::size_t got = 0;
        QDeadlineTimer deadline(timeoutMs);
        while (got < count) {
            pollfd p{m_fd, POLLIN, 0};
            const int left = int(std::max<qint64>(deadline.remainingTime(), 0));
            // The dialogs under test live on this thread: keep their events flowing while waiting.
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            if (::poll(&p, 1, std::min(left, 20)) <= 0) {
                if (deadline.hasExpired()) {
                    return false;
                }
                continue;
            }
            const ssize_t n = ::read(m_fd, out + got, count - got);
            if (n <= 0) {
                return false;
            }
            got += std::size_t(n);
        }
        return true;
    }

    int m_fd = -1;
};

} // namespace shelltest
