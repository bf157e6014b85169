#include "platform/base/Event.h"
#include "platform/base/Clock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

// Polls a condition that another thread makes true, with a deadline generous enough for a loaded
// machine under the sanitizers.
template <typename F>
bool Eventually(F condition) {
    const ULONGLONG deadline = GetTickCount64() + 20000;
    while (!condition()) {
        if (GetTickCount64() > deadline) {
            return false;
        }
        Sleep(1);
    }
    return true;
}

TEST(EventTest, ManualResetStaysSetAndReleasesEveryWaiter) {
    CEvent event(true, false);
    std::atomic<int> released{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 4; ++i) {
        waiters.emplace_back([&] {
            if (event.Wait(INFINITE) == WAIT_OBJECT_0) {
                ++released;
            }
        });
    }
    event.Set();
    for (auto& t : waiters) {
        t.join();
    }
    EXPECT_EQ(released.load(), 4);
    EXPECT_EQ(event.Wait(0), WAIT_OBJECT_0);
    EXPECT_EQ(event.Wait(0), WAIT_OBJECT_0);
}

TEST(EventTest, AutoResetReleasesOneWaiterPerSignal) {
    CEvent event(false, false);
    std::atomic<int> released{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 3; ++i) {
        waiters.emplace_back([&] {
            if (event.Wait(INFINITE) == WAIT_OBJECT_0) {
                ++released;
            }
        });
    }
    for (int k = 1; k <= 3; ++k) {
        event.Set();
        ASSERT_TRUE(Eventually([&] { return released.load() >= k; }));
        EXPECT_EQ(released.load(), k);
    }
    for (auto& t : waiters) {
        t.join();
    }
    // A signal with nobody waiting is kept for the next wait, and only for that one.
    event.Set();
    EXPECT_EQ(event.Wait(0), WAIT_OBJECT_0);
    EXPECT_EQ(event.Wait(0), WAIT_TIMEOUT);
}

TEST(EventTest, WaitTimesOutWithoutSignal) {
    CEvent event(true, false);
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(event.Wait(30), WAIT_TIMEOUT);
    EXPECT_GE(GetTickCount64() - start, 30u);
    EXPECT_EQ(event.Wait(0), WAIT_TIMEOUT);

    // A signal from another thread ends a long wait early.
    std::thread setter([&] { event.Set(); });
    EXPECT_EQ(event.Wait(60000), WAIT_OBJECT_0);
    setter.join();
}

} // namespace
