// The message core: posting from any thread, sending, timers, nested modal loops, destruction.

#include "WindowTestApp.h"

#include "platform/window/Wnd.h"

#include <gtest/gtest.h>

#include <QThread>

#include <atomic>
#include <thread>
#include <vector>

namespace {

constexpr UINT WM_PROBE = WM_APP + 1;
constexpr UINT WM_ENTER_MODAL = WM_APP + 2;
constexpr UINT WM_END_MODAL = WM_APP + 3;

// A top-level window that records what reaches it.
class CProbeWnd : public CWnd {
public:
    struct Seen {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Seen> seen;
    std::vector<UINT_PTR> ticks;
    std::function<void(CProbeWnd&, UINT, WPARAM, LPARAM)> onMessage;

    BOOL CreateTop() { return CreateEx(0, nullptr, "probe", WS_POPUP, RECT{10, 10, 110, 60}, nullptr, 0); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message >= WM_APP) {
            seen.push_back({message, wParam, lParam});
            if (onMessage) {
                onMessage(*this, message, wParam, lParam);
            }
            return LRESULT(wParam) * 2;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void OnTimer(UINT_PTR id) override {
        ticks.push_back(id);
        if (onMessage) {
            onMessage(*this, WM_TIMER, id, 0);
        }
    }
};

class MessageCore : public ::testing::Test {
protected:
    void SetUp() override { TestApp(); }
    void TearDown() override { Flush(); }
};

TEST_F(MessageCore, PostsFromEightThreadsArriveInEachThreadsOrderNoneLost) {
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());
    constexpr int kThreads = 8;
    constexpr int kPerThread = 2000;
    const HWND hwnd = wnd.GetSafeHwnd();

    std::atomic<int> refused{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, hwnd, &refused] {
            for (int i = 0; i < kPerThread; ++i) {
                if (!PostMessage(hwnd, WM_PROBE, WPARAM(t), LPARAM(i))) {
                    ++refused;
                }
            }
        });
    }
    // The UI thread keeps delivering while the workers post.
    ASSERT_TRUE(PumpUntil([&] { return wnd.seen.size() >= std::size_t(kThreads * kPerThread); }));
    for (auto& thread : threads) {
        thread.join();
    }
    Flush();
    EXPECT_EQ(refused.load(), 0);
    ASSERT_EQ(wnd.seen.size(), std::size_t(kThreads * kPerThread));
    std::vector<LPARAM> next(kThreads, 0);
    for (const auto& s : wnd.seen) {
        ASSERT_LT(s.wParam, WPARAM(kThreads));
        ASSERT_EQ(s.lParam, next[s.wParam]) << "thread " << s.wParam << " out of order";
        ++next[s.wParam];
    }
}

TEST_F(MessageCore, PostsToAGoneWindowAreDroppedAndHandlesAreNeverReused) {
    CProbeWnd first;
    ASSERT_TRUE(first.CreateTop());
    const HWND stale = first.GetSafeHwnd();
    // Queued while the window lives, delivered after it is gone: dropped.
    ASSERT_TRUE(first.PostMessage(WM_PROBE, 1, 0));
    ASSERT_TRUE(first.DestroyWindow());
    EXPECT_EQ(first.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(IsWindow(stale));
    EXPECT_FALSE(PostMessage(stale, WM_PROBE, 2, 0));
    EXPECT_FALSE(first.PostMessage(WM_PROBE, 3, 0));

    CProbeWnd second;
    ASSERT_TRUE(second.CreateTop());
    EXPECT_NE(second.GetSafeHwnd(), stale);
    EXPECT_FALSE(PostMessage(stale, WM_PROBE, 4, 0));
    EXPECT_EQ(SendMessage(stale, WM_PROBE, 5, 0), 0);
    Flush();
    EXPECT_TRUE(first.seen.empty());
    EXPECT_TRUE(second.seen.empty());
}

TEST_F(MessageCore, WindowlessObjectsTakeEveryCallSafely) {
    struct CTeardown : CWnd {
        int destroyCalls = 0;
        BOOL DestroyWindow() override {
            ++destroyCalls;
            return CWnd::DestroyWindow();
        }
    } obj;
    CWnd* asBase = &obj;
    EXPECT_FALSE(asBase->DestroyWindow());
    EXPECT_EQ(obj.destroyCalls, 1);
    EXPECT_FALSE(obj.PostMessage(WM_PROBE));
    EXPECT_EQ(obj.SendMessage(WM_PROBE, 1, 0), 0);
    EXPECT_EQ(obj.SetTimer(1, 10), 0U);
    EXPECT_FALSE(obj.IsWindow());
    EXPECT_EQ(obj.GetDlgItem(5), nullptr);
    EXPECT_EQ(obj.GetParent(), nullptr);
    obj.ShowWindow(SW_SHOW);
    obj.SetWindowText("x");
    obj.Invalidate();
    CString text;
    obj.GetWindowText(text);
    EXPECT_TRUE(text.IsEmpty());
}

TEST_F(MessageCore, SendRunsAtOnceOnTheUiThreadAndIsQueuedFromAWorkerWithoutWaiting) {
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());
    EXPECT_EQ(wnd.SendMessage(WM_PROBE, 21, 0), 42);
    ASSERT_EQ(wnd.seen.size(), 1U);

    // The UI thread waits for the worker without running its loop, as the program does when it
    // stops a thread; a blocking cross-thread send would deadlock here.
    LRESULT fromWorker = -1;
    std::thread worker([&] {
        fromWorker = wnd.SendMessage(WM_PROBE, 5, 0);
        wnd.ShowWindow(SW_SHOW);
        wnd.SetWindowText("from worker");
        wnd.SetTimer(9, 60000);
    });
    worker.join();
    EXPECT_EQ(fromWorker, 0);
    EXPECT_EQ(wnd.seen.size(), 1U);
    Flush();
    ASSERT_EQ(wnd.seen.size(), 2U);
    EXPECT_EQ(wnd.seen[1].wParam, 5U);
    EXPECT_TRUE(wnd.IsWindowVisible());
    CString text;
    wnd.GetWindowText(text);
    EXPECT_EQ(text, "from worker");
    EXPECT_EQ(wnd.GetTimerInterval(9), 60000U);
}

TEST_F(MessageCore, TimersTickWithTheirIdRestartWhenSetAgainAndStop) {
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());
    EXPECT_EQ(wnd.SetTimer(7, 10), 7U);
    ASSERT_TRUE(PumpUntil([&] { return wnd.ticks.size() >= 3; }));
    for (UINT_PTR id : wnd.ticks) {
        EXPECT_EQ(id, 7U);
    }
    EXPECT_TRUE(wnd.KillTimer(7));
    EXPECT_FALSE(wnd.KillTimer(7));
    EXPECT_EQ(wnd.GetTimerInterval(7), 0U);

    // Setting the id again replaces the short interval: the first one never fires.
    wnd.ticks.clear();
    wnd.SetTimer(8, 5);
    wnd.SetTimer(8, 60000);
    EXPECT_EQ(wnd.GetTimerInterval(8), 60000U);
    PumpFor(150);
    EXPECT_TRUE(wnd.ticks.empty());

    // A destroyed window's timers stop with it.
    wnd.SetTimer(9, 5);
    const HWND hwnd = wnd.GetSafeHwnd();
    wnd.DestroyWindow();
    PumpFor(60);
    EXPECT_TRUE(wnd.ticks.empty());
    EXPECT_EQ(KillTimer(hwnd, 9), FALSE);
}

TEST_F(MessageCore, NestedModalLoopsKeepDeliveringPostsAndTimers) {
    // Outer window A runs a modal loop; a posted message makes A's handler run a modal loop on B;
    // inside it, worker posts to both windows and B's timer keep arriving. B's loop ends on its
    // third tick, then a post ends A's loop.
    CProbeWnd a;
    CProbeWnd b;
    ASSERT_TRUE(a.CreateTop());
    ASSERT_TRUE(b.CreateTop());
    std::vector<std::string> trace;
    int innerResult = 0;
    std::atomic<bool> workerDone{false};
    std::thread worker;

    a.onMessage = [&](CProbeWnd& self, UINT message, WPARAM wParam, LPARAM) {
        if (message == WM_ENTER_MODAL) {
            trace.push_back("A enters B's loop");
            b.SetTimer(1, 10);
            worker = std::thread([&] {
                for (int i = 0; i < 50; ++i) {
                    PostMessage(a.GetSafeHwnd(), WM_PROBE, 100 + i, 0);
                    PostMessage(b.GetSafeHwnd(), WM_PROBE, 200 + i, 0);
                }
                workerDone = true;
            });
            innerResult = b.RunModalLoop();
            trace.push_back("B's loop returned");
            self.PostMessage(WM_END_MODAL);
        } else if (message == WM_END_MODAL) {
            trace.push_back("A ends");
            self.EndModalLoop(11);
        } else if (message == WM_PROBE && wParam >= 100 && wParam < 150) {
            EXPECT_TRUE(b.IsInModalLoop());
        }
    };
    b.onMessage = [&](CProbeWnd& self, UINT message, WPARAM, LPARAM) {
        if (message == WM_TIMER && self.ticks.size() == 3) {
            // Stop only once every worker post was delivered, to show they flow during the loop.
            if (!workerDone || self.seen.size() < 50) {
                self.ticks.pop_back();
                return;
            }
            self.KillTimer(1);
            trace.push_back("B ends");
            self.EndModalLoop(22);
        }
    };

    a.PostMessage(WM_ENTER_MODAL);
    const int outerResult = a.RunModalLoop();
    worker.join();

    EXPECT_EQ(outerResult, 11);
    EXPECT_EQ(innerResult, 22);
    EXPECT_EQ(trace, (std::vector<std::string>{"A enters B's loop", "B ends", "B's loop returned", "A ends"}));
    int postsToA = 0;
    for (const auto& s : a.seen) {
        postsToA += s.message == WM_PROBE ? 1 : 0;
    }
    EXPECT_EQ(postsToA, 50);
    EXPECT_EQ(b.seen.size(), 50U);
}

TEST_F(MessageCore, DestroyOrderAndPostNcDestroyRunAfterTheCurrentMessage) {
    struct CLogged : CWnd {
        std::vector<std::string>* log = nullptr;
        std::string name;
        bool deleteSelf = false;
        void OnDestroy() override { log->push_back(name + " destroy"); }
        void OnNcDestroy() override { log->push_back(name + " ncdestroy"); }
        void PostNcDestroy() override {
            log->push_back(name + " postncdestroy");
            if (deleteSelf) {
                delete this;
            }
        }
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_PROBE) {
                DestroyWindow();
                // The object is still whole here: its PostNcDestroy (which deletes it) waits.
                log->push_back(name + " handler done, window " + (m_hWnd.load() ? "alive" : "gone"));
                return 0;
            }
            return CWnd::WindowProc(message, wParam, lParam);
        }
    };
    std::vector<std::string> log;
    auto* parent = new CLogged;
    parent->log = &log;
    parent->name = "parent";
    parent->deleteSelf = true;
    ASSERT_TRUE(parent->CreateEx(0, nullptr, "", WS_POPUP, RECT{0, 0, 50, 50}, nullptr, 0));
    CLogged child;
    child.log = &log;
    child.name = "child";
    ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, RECT{0, 0, 10, 10}, parent, 5));
    EXPECT_EQ(parent->GetDlgItem(5), &child);
    EXPECT_EQ(child.GetParent(), parent);

    parent->PostMessage(WM_PROBE);
    Flush();
    EXPECT_EQ(log, (std::vector<std::string>{"parent destroy", "child destroy", "child ncdestroy", "parent ncdestroy",
                                             "parent handler done, window gone", "child postncdestroy",
                                             "parent postncdestroy"}));
    EXPECT_EQ(child.GetSafeHwnd(), nullptr);
}

TEST_F(MessageCore, AnObjectDeletedBeforeItsPostNcDestroyIsNotCalled) {
    struct CCounting : CWnd {
        int* calls = nullptr;
        void PostNcDestroy() override { ++*calls; }
    };
    int calls = 0;
    {
        CCounting wnd;
        wnd.calls = &calls;
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, "", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
        wnd.DestroyWindow();
    }
    Flush();
    EXPECT_EQ(calls, 0);
}

} // namespace
