#include "platform/base/CriticalSection.h"
#include "platform/base/Event.h"
#include "platform/base/ThreadHandle.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

namespace {

struct StartArgs {
    int input = 0;
    std::atomic<int> output{0};
    CEvent go{true, false};
};

unsigned StartFunction(void* p) {
    auto* args = static_cast<StartArgs*>(p);
    args->go.Wait(INFINITE);
    args->output = args->input * 2;
    return 0;
}

TEST(ThreadTest, BeginThreadRunsAtOnceWithItsArgument) {
    StartArgs args;
    args.input = 21;
    unsigned id = 0;
    CThreadHandle thread = _beginthreadex(nullptr, 0, StartFunction, &args, 0, &id);
    ASSERT_TRUE(thread.IsValid());
    EXPECT_NE(id, 0u);
    EXPECT_EQ(id, thread.ThreadId());
    // Still blocked on the event: the body has not finished.
    EXPECT_EQ(args.output.load(), 0);

    args.go.Set();
    thread.Join();
    EXPECT_FALSE(thread.IsValid());
    EXPECT_EQ(args.output.load(), 42);
}

TEST(ThreadTest, IdsAreUniqueAndNeverZero) {
    std::set<unsigned> ids;
    std::vector<CThreadHandle> threads(8);
    for (auto& t : threads) {
        ASSERT_TRUE(t.Start([] { return 0u; }));
        ids.insert(t.ThreadId());
    }
    EXPECT_EQ(ids.size(), threads.size());
    EXPECT_EQ(ids.count(0u), 0u);
}

TEST(ThreadTest, HandleJoinsWhenItGoes) {
    auto done = std::make_shared<std::atomic<bool>>(false);
    {
        CThreadHandle thread;
        ASSERT_TRUE(thread.Start([done] {
            CEvent never(true, false);
            never.Wait(50);
            done->store(true);
            return 0u;
        }));
    }
    // The body had not ended when the handle went, so the handle must have waited for it.
    EXPECT_TRUE(done->load());
}

TEST(ThreadTest, ThreadMayLetGoOfItsOwnHandle) {
    // An object that owns its thread and is torn down from that very thread must not bring the
    // process down: the thread then runs on to its end alone.
    struct Owner {
        CThreadHandle thread;
        CEvent go{true, false};
        CEvent released{true, false};
    };
    auto owner = std::make_shared<Owner>();
    ASSERT_TRUE(owner->thread.Start([owner] {
        owner->go.Wait(INFINITE);
        owner->thread = CThreadHandle();
        owner->released.Set();
        return 0u;
    }));
    owner->go.Set();
    EXPECT_EQ(owner->released.Wait(60000), WAIT_OBJECT_0);
    EXPECT_FALSE(owner->thread.IsValid());
}

TEST(ThreadTest, CriticalSectionExcludesOtherThreads) {
    CCriticalSection cs;
    long counter = 0;
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i) {
        threads.emplace_back([&] {
            for (int k = 0; k < 20000; ++k) {
                std::lock_guard lock(cs);
                counter = counter + 1;
            }
        });
    }
    for (auto& t : threads) {
        t.join();
    }
    EXPECT_EQ(counter, 80000);
}

TEST(ThreadTest, CriticalSectionLetsItsOwnerEnterAgain) {
    CRITICAL_SECTION cs;
    InitializeCriticalSection(&cs);
    EnterCriticalSection(&cs);
    EnterCriticalSection(&cs);
    auto tryFromOther = [&] {
        BOOL got = FALSE;
        std::thread other([&] {
            got = TryEnterCriticalSection(&cs);
            if (got) {
                LeaveCriticalSection(&cs);
            }
        });
        other.join();
        return got;
    };
    EXPECT_FALSE(tryFromOther());
    LeaveCriticalSection(&cs);
    // Entered twice, left once: still held.
    EXPECT_FALSE(tryFromOther());
    LeaveCriticalSection(&cs);
    EXPECT_TRUE(tryFromOther());
    DeleteCriticalSection(&cs);
}

} // namespace
