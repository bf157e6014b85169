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
    std::atomic<unsigned> seenId{0};
    CEvent go{true, false};
};

unsigned StartFunction(void* p) {
    auto* args = static_cast<StartArgs*>(p);
    args->seenId = GetCurrentThreadId();
    args->go.Wait(INFINITE);
    return unsigned(args->input * 2);
}

TEST(ThreadTest, BeginThreadRunsAtOnceAndIsWaitedFor) {
    StartArgs args;
    args.input = 21;
    unsigned id = 0;
    CThreadHandle thread = _beginthreadex(nullptr, 0, StartFunction, &args, 0, &id);
    ASSERT_TRUE(thread.IsValid());
    EXPECT_NE(id, 0u);
    EXPECT_EQ(id, thread.ThreadId());
    EXPECT_NE(id, GetCurrentThreadId());

    // Still blocked on the event: the wait times out and there is no exit code yet.
    DWORD code = 0;
    EXPECT_EQ(WaitForSingleObject(thread, 20), WAIT_TIMEOUT);
    EXPECT_FALSE(GetExitCodeThread(thread, &code));

    args.go.Set();
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(args.seenId.load(), id);
    EXPECT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 42u);
    // Waiting again on an ended thread answers at once.
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
    EXPECT_TRUE(CloseHandle(thread));
    EXPECT_EQ(thread.ThreadId(), 0u);
    EXPECT_FALSE(CloseHandle(thread));
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

TEST(ThreadTest, DetachedThreadRunsOn) {
    auto release = std::make_shared<CEvent>(true, false);
    auto done = std::make_shared<CEvent>(true, false);
    {
        CThreadHandle thread;
        ASSERT_TRUE(thread.Start([release, done] {
            release->Wait(INFINITE);
            done->Set();
            return 0u;
        }));
        thread.Detach();
        EXPECT_FALSE(thread.IsValid());
    }
    release->Set();
    EXPECT_EQ(done->Wait(60000), WAIT_OBJECT_0);
}

TEST(ThreadTest, ThreadCannotWaitForItself) {
    CThreadHandle thread;
    CEvent go(true, false);
    std::atomic<DWORD> selfWait{0};
    ASSERT_TRUE(thread.Start([&] {
        go.Wait(INFINITE);
        selfWait = thread.Wait(INFINITE);
        return 0u;
    }));
    go.Set();
    EXPECT_EQ(thread.Wait(INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(selfWait.load(), WAIT_FAILED);
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
