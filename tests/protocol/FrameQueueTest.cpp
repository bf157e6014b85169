#include "protocol/FrameQueue.h"
#include "protocol/FrameHeader.h"
#include "protocol/ReassemblyArea.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <numeric>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

std::unique_ptr<FrameItem> Item(DWORD tag, std::size_t bytes = 8) {
    auto item = std::make_unique<FrameItem>();
    item->descriptor.frame_time = tag;
    item->data.assign(bytes, BYTE(tag));
    return item;
}

std::vector<BYTE> Bytes(std::size_t n, BYTE first) {
    std::vector<BYTE> v(n);
    std::iota(v.begin(), v.end(), first);
    return v;
}

} // namespace

TEST(FrameQueue, CountsItsItemsAndHandsThemOutOldestFirst) {
    CFrameQueue queue(8);
    EXPECT_EQ(queue.GetCount(), 0u);
    EXPECT_EQ(queue.Take(), nullptr);
    for (DWORD i = 1; i <= 3; ++i) {
        ASSERT_TRUE(queue.Add(Item(i)));
    }
    EXPECT_EQ(queue.GetCount(), 3u);
    for (DWORD i = 1; i <= 3; ++i) {
        auto item = queue.Take();
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->descriptor.frame_time, i);
    }
    EXPECT_EQ(queue.GetCount(), 0u);
    EXPECT_EQ(queue.Take(), nullptr);
}

TEST(FrameQueue, RefusesItemsBeyondItsBounds) {
    CFrameQueue byCount(3);
    for (DWORD i = 0; i < 3; ++i) {
        ASSERT_TRUE(byCount.Add(Item(i)));
    }
    EXPECT_FALSE(byCount.Add(Item(9)));
    EXPECT_EQ(byCount.GetCount(), 3u);
    EXPECT_EQ(byCount.GetRefusedCount(), 1u);

    CFrameQueue byBytes(100, 1000);
    ASSERT_TRUE(byBytes.Add(Item(1, 5000))); // one item always fits
    EXPECT_FALSE(byBytes.Add(Item(2, 1)));
    byBytes.Take();
    ASSERT_TRUE(byBytes.Add(Item(3, 600)));
    EXPECT_FALSE(byBytes.Add(Item(4, 600)));
    EXPECT_TRUE(byBytes.Add(Item(5, 400)));
    EXPECT_EQ(byBytes.GetBytes(), 1000u);
}

TEST(FrameQueue, RefusingAndClearingForTeardown) {
    CFrameQueue queue(8);
    ASSERT_TRUE(queue.Add(Item(1)));
    ASSERT_TRUE(queue.Add(Item(2)));
    queue.SetRefuse(true);
    EXPECT_FALSE(queue.Add(Item(3)));
    std::unique_ptr<FrameItem> kept = Item(4);
    EXPECT_FALSE(queue.AddWait(kept, 5s)); // refusing does not wait
    EXPECT_NE(kept, nullptr);
    queue.Clear();
    EXPECT_EQ(queue.GetCount(), 0u);
    EXPECT_EQ(queue.GetBytes(), 0u);
}

TEST(FrameQueue, AddWaitGivesUpOnAFullQueueAndKeepsTheItem) {
    CFrameQueue queue(1);
    ASSERT_TRUE(queue.Add(Item(1)));
    std::unique_ptr<FrameItem> item = Item(2);
    EXPECT_FALSE(queue.AddWait(item, 20ms));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->descriptor.frame_time, 2u);
}

TEST(FrameQueue, EventIsManualReset) {
    CFrameQueue queue(8);
    EXPECT_FALSE(queue.WaitEvent(0ms));
    queue.Add(Item(1));
    EXPECT_TRUE(queue.WaitEvent(0ms));
    queue.Take();
    EXPECT_TRUE(queue.WaitEvent(0ms)); // taking does not reset it
    queue.ResetEvent();
    EXPECT_FALSE(queue.WaitEvent(0ms));
}

// The consumer takes until the producer has ended and the queue is empty, whatever the producer met,
// so a producer that fails ends the test instead of leaving the consumer waiting for items that never
// come; the checks follow once both sides are done.
TEST(FrameQueue, ProducerWaitsForASlowConsumerAndNothingIsLost) {
    CFrameQueue queue(4);
    constexpr DWORD kItems = 2000;
    std::atomic<bool> producerDone{false};
    std::atomic<DWORD> added{0};
    std::thread producer([&] {
        for (DWORD i = 0; i < kItems; ++i) {
            std::unique_ptr<FrameItem> item = Item(i);
            if (!queue.AddWait(item, 30s)) {
                break;
            }
            ++added;
        }
        producerDone = true;
    });
    std::vector<DWORD> taken;
    const auto deadline = std::chrono::steady_clock::now() + 120s;
    while (std::chrono::steady_clock::now() < deadline) {
        queue.ResetEvent();
        const bool ended = producerDone.load();
        std::unique_ptr<FrameItem> item = queue.Take();
        if (item) {
            taken.push_back(item->descriptor.frame_time);
            continue;
        }
        if (ended) {
            break;
        }
        queue.WaitEvent(1s);
    }
    producer.join();
    EXPECT_EQ(added.load(), kItems);
    ASSERT_EQ(taken.size(), std::size_t(kItems));
    for (DWORD i = 0; i < kItems; ++i) {
        ASSERT_EQ(taken[i], i);
    }
    EXPECT_EQ(queue.GetRefusedCount(), 0u);
}

TEST(ReassemblyArea, GathersFragmentsIntoOneBlock) {
    CReassemblyArea area(1000);
    const std::vector<BYTE> a = Bytes(300, 0), b = Bytes(500, 44), c = Bytes(200, 99);
    area.Append(a);
    std::span<BYTE> target = area.Reserve(b.size());
    std::copy(b.begin(), b.end(), target.begin());
    area.Commit(b.size());
    area.Append(c);
    ASSERT_TRUE(area.IsComplete());
    ASSERT_EQ(area.GetFill(), 1000u);
    std::vector<BYTE> all = a;
    all.insert(all.end(), b.begin(), b.end());
    all.insert(all.end(), c.begin(), c.end());
    EXPECT_TRUE(std::equal(all.begin(), all.end(), area.Block().begin()));
}

TEST(ReassemblyArea, DiscardsABlockThatWouldOverrunItUntilReset) {
    CReassemblyArea area(1000);
    area.Append(Bytes(600, 1));
    area.Append(Bytes(600, 2)); // does not fit: the whole block goes
    EXPECT_FALSE(area.IsComplete());
    EXPECT_EQ(area.GetFill(), 0u);
    area.Append(Bytes(10, 3)); // still the same block
    EXPECT_FALSE(area.IsComplete());
    EXPECT_EQ(area.GetFill(), 0u);
    area.Reset();
    area.Append(Bytes(1000, 4)); // exactly the capacity
    EXPECT_TRUE(area.IsComplete());
    EXPECT_EQ(area.GetFill(), 1000u);
}

TEST(ReassemblyArea, ManyFragmentsWithoutAnEndNeverGrowIt) {
    CReassemblyArea area(kFrameAreaSize);
    const std::vector<BYTE> fragment = Bytes(65535, 0);
    for (int i = 0; i < 40; ++i) { // 2.6 MB without a last fragment
        area.Append(fragment);
        ASSERT_LE(area.GetFill(), area.GetCapacity());
    }
    EXPECT_FALSE(area.IsComplete());
}
