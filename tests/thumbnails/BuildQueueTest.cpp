// Which item a worker makes next.
#include "thumbnails/BuildQueue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <thread>
#include <vector>

using namespace mosgrid;

namespace {

std::vector<int> TakeAll(BuildQueue& queue, std::uint64_t generation)
{
    std::vector<int> taken;
    while (const auto index = queue.Take(generation)) {
        taken.push_back(*index);
        queue.Done(generation, *index);
    }
    return taken;
}

struct OrderCase {
    const char* name;
    int count;
    std::vector<int> order;
    std::size_t priority;
    std::vector<int> expected;
};

void PrintTo(const OrderCase& row, std::ostream* os) { *os << row.name; }

class QueueOrderTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(QueueOrderTest, PriorityThenOrderThenTheRestEachOnce)
{
    const OrderCase& row = GetParam();
    BuildQueue queue;
    const std::uint64_t generation = queue.Start(row.count);
    queue.SetOrder(row.order, row.priority);
    ASSERT_EQ(queue.ReserveWorkers(1), row.count > 0 ? 1 : 0);
    EXPECT_EQ(TakeAll(queue, generation), row.expected);
    EXPECT_TRUE(queue.progress().finished());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, QueueOrderTest,
    ::testing::Values(
        OrderCase{"NoOrderIsListOrder", 4, {}, 0, {0, 1, 2, 3}},
        OrderCase{"ScreenFirst", 6, {3, 4, 2}, 3, {3, 4, 2, 0, 1, 5}},
        OrderCase{"OrderAfterPriority", 6, {4, 5, 0}, 1, {4, 5, 0, 1, 2, 3}},
        OrderCase{"BadIndexesIgnored", 3, {7, -1, 2}, 2, {2, 0, 1}},
        OrderCase{"Empty", 0, {}, 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BuildQueue, NewOrderJumpsTheQueueMidBuild)
{
    BuildQueue queue;
    const std::uint64_t generation = queue.Start(10);
    queue.SetOrder({0, 1, 2}, 3);
    queue.ReserveWorkers(1);
    std::vector<int> taken;
    for (int i = 0; i < 2; ++i) {
        taken.push_back(*queue.Take(generation));
        queue.Done(generation, taken.back());
    }
    // Scrolled: rows 8 and 9 are on screen now.
    queue.SetOrder({8, 9}, 2);
    const std::vector<int> rest = TakeAll(queue, generation);
    taken.insert(taken.end(), rest.begin(), rest.end());
    EXPECT_EQ(taken, (std::vector<int>{0, 1, 8, 9, 2, 3, 4, 5, 6, 7}));
}

TEST(BuildQueue, DroppedItemsOnScreenAreMadeAgainOthersNot)
{
    BuildQueue queue;
    const std::uint64_t generation = queue.Start(5);
    queue.ReserveWorkers(1);
    TakeAll(queue, generation);
    queue.Dropped(generation + 1, std::vector<int>{0});
    queue.Dropped(generation, std::vector<int>{1, 3, 7, -1});
    EXPECT_EQ(queue.ReserveWorkers(1), 0) << "nothing on screen needs making";
    queue.SetOrder({3, 4, 0}, 3);
    ASSERT_EQ(queue.ReserveWorkers(1), 1);
    const auto again = queue.Take(generation);
    ASSERT_TRUE(again);
    EXPECT_EQ(*again, 3);
    // Dropped while being made again: what lands next counts.
    queue.Dropped(generation, std::vector<int>{3});
    queue.Done(generation, 3);
    EXPECT_FALSE(queue.Take(generation)) << "item 0's drop was of another build";
    EXPECT_EQ(queue.progress().made, 5);
}

TEST(BuildQueue, ANewBuildOrAStopVoidsTheOldJobs)
{
    BuildQueue queue;
    const std::uint64_t first = queue.Start(3);
    queue.ReserveWorkers(2);
    const auto inHand = queue.Take(first);
    ASSERT_TRUE(inHand);
    const std::uint64_t second = queue.Start(2);
    // The old worker's result and its next request go nowhere.
    queue.Done(first, *inHand);
    EXPECT_FALSE(queue.Take(first));
    EXPECT_EQ(queue.progress().made, 0);
    EXPECT_EQ(queue.ReserveWorkers(2), 2) << "the new build counts its own workers";
    EXPECT_EQ(TakeAll(queue, second), (std::vector<int>{0, 1}));
    queue.Stop();
    EXPECT_FALSE(queue.WaitUntilBuilt());
    EXPECT_EQ(queue.ReserveWorkers(1), 0);
}

TEST(BuildQueue, WaitsReturnWhenTheWorkersAreDone)
{
    BuildQueue queue;
    const std::uint64_t generation = queue.Start(200);
    const int workers = queue.ReserveWorkers(3);
    ASSERT_EQ(workers, 3);
    std::vector<std::thread> threads;
    std::vector<std::vector<int>> taken(workers);
    for (int w = 0; w < workers; ++w)
        threads.emplace_back([&, w] { taken[w] = TakeAll(queue, generation); });
    EXPECT_TRUE(queue.WaitUntilMade(std::vector<int>{199, 0}));
    EXPECT_TRUE(queue.WaitUntilBuilt());
    for (std::thread& thread : threads)
        thread.join();
    std::multiset<int> all;
    for (const auto& list : taken)
        all.insert(list.begin(), list.end());
    EXPECT_EQ(all.size(), 200u);
    EXPECT_EQ(std::set<int>(all.begin(), all.end()).size(), 200u) << "each item once";
    EXPECT_EQ(queue.runningWorkers(), 0);
}

} // namespace
