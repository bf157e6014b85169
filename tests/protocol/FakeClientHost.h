#pragma once
// Recording stand-ins for the windows the client talks to. Every call is stored in order; tests wait
// for a call with a time-out instead of sleeping.

#include "protocol/IClientHost.h"
#include "protocol/IVideoView.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

struct HostCall {
    enum Kind { Notice, Post, Event, LocalLog, ConnectFailed, WrongProduct, Reply, ClearBusy };
    Kind kind = Notice;
    LPARAM notice = 0;     // Notice, ConnectFailed
    ClientWindow window{}; // Notice (over), Post (target)
    UINT message = 0;      // Post, Reply
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    ClientEvent event{};        // Event
    int value = 0;              // Event
    int kind2 = 0, subKind = 0; // LocalLog
    std::string text32, text128;
    std::vector<BYTE> bytes; // Reply
    DWORD count = 0;         // Reply
};

class FakeClientHost : public IClientHost {
public:
    void PostNotice(LPARAM notice, ClientWindow over) override {
        HostCall c = Make(HostCall::Notice);
        c.notice = notice;
        c.window = over;
        Add(std::move(c));
    }
    void PostToWindow(ClientWindow target, UINT message, WPARAM wParam, LPARAM lParam) override {
        HostCall c = Make(HostCall::Post);
        c.window = target;
        c.message = message;
        c.wParam = wParam;
        c.lParam = lParam;
        Add(std::move(c));
    }
    void ReportEvent(ClientEvent event, int value) override {
        HostCall c = Make(HostCall::Event);
        c.event = event;
        c.value = value;
        Add(std::move(c));
    }
    void WriteLocalLog(int kind, int subKind, const char* text32, const char* text128) override {
        HostCall c = Make(HostCall::LocalLog);
        c.kind2 = kind;
        c.subKind = subKind;
        c.text32 = text32;
        c.text128 = text128;
        Add(std::move(c));
    }
    void PostConnectFailed(LPARAM notice) override {
        HostCall c = Make(HostCall::ConnectFailed);
        c.notice = notice;
        Add(std::move(c));
    }
    void PostWrongProduct() override { Add(Make(HostCall::WrongProduct)); }
    void DeliverSearchReply(UINT readyMessage, std::vector<BYTE> bytes, DWORD count) override {
        HostCall c = Make(HostCall::Reply);
        c.message = readyMessage;
        c.bytes = std::move(bytes);
        c.count = count;
        Add(std::move(c));
    }
    void ClearSearchBusy() override { Add(Make(HostCall::ClearBusy)); }

    std::vector<HostCall> Calls() const {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_calls;
    }
    std::vector<HostCall> CallsOf(HostCall::Kind kind) const {
        std::vector<HostCall> out;
        for (const HostCall& c : Calls()) {
            if (c.kind == kind) {
                out.push_back(c);
            }
        }
        return out;
    }
    std::vector<LPARAM> Notices() const {
        std::vector<LPARAM> out;
        for (const HostCall& c : CallsOf(HostCall::Notice)) {
            out.push_back(c.notice);
        }
        return out;
    }
    void Clear() {
        std::lock_guard<std::mutex> lock(m_lock);
        m_calls.clear();
    }
    // Waits until a recorded call satisfies pred; false after the time-out.
    bool WaitFor(const std::function<bool(const HostCall&)>& pred,
                 std::chrono::milliseconds timeout = std::chrono::seconds(20)) const {
        std::unique_lock<std::mutex> lock(m_lock);
        return m_changed.wait_for(lock, timeout, [&] {
            for (const HostCall& c : m_calls) {
                if (pred(c)) {
                    return true;
                }
            }
            return false;
        });
    }
    // Waits until pred holds for the whole list of recorded calls; false after the time-out.
    bool WaitUntil(const std::function<bool(const std::vector<HostCall>&)>& pred,
                   std::chrono::milliseconds timeout = std::chrono::seconds(20)) const {
        std::unique_lock<std::mutex> lock(m_lock);
        return m_changed.wait_for(lock, timeout, [&] { return pred(m_calls); });
    }
    static std::size_t Count(const std::vector<HostCall>& calls, HostCall::Kind kind) {
        std::size_t n = 0;
        for (const HostCall& c : calls) {
            n += c.kind == kind ? 1 : 0;
        }
        return n;
    }
    bool WaitForNotice(LPARAM notice, std::chrono::milliseconds timeout = std::chrono::seconds(20)) const {
        return WaitFor([notice](const HostCall& c) { return c.kind == HostCall::Notice && c.notice == notice; },
                       timeout);
    }

private:
    static HostCall Make(HostCall::Kind kind) {
        HostCall c;
        c.kind = kind;
        return c;
    }
    void Add(HostCall c) {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_calls.push_back(std::move(c));
        }
        m_changed.notify_all();
    }
    mutable std::mutex m_lock;
    mutable std::condition_variable m_changed;
    std::vector<HostCall> m_calls;
};

class FakeVideoView : public IVideoView {
public:
    void SetAvailableMask(DWORD, bool) override {}
    void SetLayout(int) override {}
    void SetChannelHidden(int, bool) override {}
    void Redraw() override {}
    void ExitFullScreen() override { ++exitFullScreen; }
    void SetPlaySource(int) override {}
    bool IsSelectedChannel(int) const override { return false; }
    DWORD GetVisibleChannelMask() const override { return 0xFFFF; }
    int exitFullScreen = 0;
};
