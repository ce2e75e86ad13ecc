// What a reload asks of the build: thumbnails carried to their securities' new places, only
// the changed ones made again, a picture of a file being written never replacing a finished
// one, and an export's order that makes nothing it does not list.
#include "thumbnails/BuildQueue.h"
#include "thumbnails/OriginTable.h"
#include "thumbnails/ThumbnailStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace mosgrid;

namespace {

const QSize kSize(20, 10);

QImage Filled(int shade)
{
    QImage image(kSize, QImage::Format_RGB32);
    image.fill(qRgb(shade, 255 - shade, 40));
    return image;
}

std::vector<int> TakeAll(BuildQueue& queue, std::uint64_t generation)
{
    std::vector<int> taken;
    while (const auto index = queue.Take(generation)) {
        taken.push_back(*index);
        queue.Done(generation, *index);
    }
    return taken;
}

struct CarryCase {
    const char* name;
    int oldCount;
    std::vector<int> previous;   // per new slot: the old slot, or -1
    std::vector<int> oldShades;  // per new slot: the old slot's shade, or -1 for empty
};

void PrintTo(const CarryCase& row, std::ostream* os) { *os << row.name; }

class StoreCarryTest : public ::testing::TestWithParam<CarryCase> {};

TEST_P(StoreCarryTest, EachSlotTakesItsSecuritysThumbnail)
{
    const CarryCase& row = GetParam();
    ThumbnailStore store;
    store.Reset(row.oldCount, kSize, 1);
    for (int i = 0; i < row.oldCount; ++i)
        store.Put(1, i, Filled(10 * (i + 1)), ItemFacts{});
    store.Carry(row.previous, 2);
    ASSERT_EQ(store.size(), static_cast<int>(row.previous.size()));
    for (std::size_t i = 0; i < row.previous.size(); ++i) {
        const int shade = row.oldShades[i];
        if (shade < 0) {
            EXPECT_EQ(store.StateOf(int(i)), ThumbnailStore::State::Missing) << i;
            EXPECT_FALSE(store.Facts(int(i)).made) << i;
        } else {
            EXPECT_EQ(store.Image(int(i)).pixel(0, 0), Filled(shade).pixel(0, 0)) << i;
            EXPECT_TRUE(store.Facts(int(i)).made) << i;
        }
    }
    // Late puts of the build before go nowhere; the new build's land.
    store.Put(1, 0, Filled(200), ItemFacts{});
    EXPECT_NE(store.Image(0).pixel(0, 0), Filled(200).pixel(0, 0));
    EXPECT_LE(store.usedBytes(), store.budgetBytes());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StoreCarryTest,
    ::testing::Values(
        CarryCase{"Same", 3, {0, 1, 2}, {10, 20, 30}},
        CarryCase{"Reordered", 3, {2, 0, 1}, {30, 10, 20}},
        CarryCase{"InsertedAndRemoved", 3, {-1, 0, 2, -1}, {-1, 10, 30, -1}},
        CarryCase{"OldSlotClaimedTwiceGoesToTheFirst", 2, {1, 1, 0}, {20, -1, 10}},
        CarryCase{"BadOldIndexesAreEmpty", 2, {5, -3}, {-1, -1}},
        CarryCase{"EverythingGone", 3, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StoreProvisional, AFileBeingWrittenNeverReplacesAFinishedPicture)
{
    ThumbnailStore store;
    store.Reset(2, kSize, 1);
    store.Put(1, 0, Filled(50), ItemFacts{});
    // A provisional picture over a finished one: the finished one stays.
    store.Put(1, 0, Filled(90), ItemFacts{}, true);
    EXPECT_EQ(store.Image(0).pixel(0, 0), Filled(50).pixel(0, 0));
    EXPECT_TRUE(store.Facts(0).unsettled);
    // With nothing before it, it is what there is.
    store.Put(1, 1, Filled(90), ItemFacts{}, true);
    EXPECT_EQ(store.Image(1).pixel(0, 0), Filled(90).pixel(0, 0));
    // A settled picture replaces either.
    store.Put(1, 0, Filled(120), ItemFacts{});
    EXPECT_EQ(store.Image(0).pixel(0, 0), Filled(120).pixel(0, 0));
    EXPECT_FALSE(store.Facts(0).unsettled);
}

TEST(QueueAlreadyMade, OnlyTheOthersAreMadeAndProgressCountsTheKept)
{
    BuildQueue queue;
    const std::vector<int> kept{0, 2, 3, 9, -1};
    const std::uint64_t generation = queue.Start(5, kept);
    EXPECT_EQ(queue.progress().made, 3);
    EXPECT_EQ(queue.ReserveWorkers(1), 1);
    EXPECT_EQ(TakeAll(queue, generation), (std::vector<int>{1, 4}));
    EXPECT_TRUE(queue.progress().finished());

    const std::uint64_t all = queue.Start(3, std::vector<int>{0, 1, 2});
    EXPECT_TRUE(queue.progress().finished());
    EXPECT_EQ(queue.ReserveWorkers(1), 0) << "nothing to make";
    EXPECT_TRUE(TakeAll(queue, all).empty());
}

TEST(QueueScope, ListedOnlyMakesTheOrderAndNothingElseUntilEverythingIsWanted)
{
    BuildQueue queue;
    const std::uint64_t generation = queue.Start(8);
    queue.SetOrder({4, 5, 6}, 2, BuildQueue::Scope::ListedOnly);
    ASSERT_EQ(queue.ReserveWorkers(1), 1);
    EXPECT_EQ(TakeAll(queue, generation), (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(queue.ReserveWorkers(1), 0);
    queue.SetScope(BuildQueue::Scope::Everything);
    ASSERT_EQ(queue.ReserveWorkers(1), 1);
    EXPECT_EQ(TakeAll(queue, generation), (std::vector<int>{0, 1, 2, 3, 7}));
}

TEST(OriginTable, RecordsByItemCarriesWithThemAndSummarisesTheFilesInUse)
{
    OriginTable table;
    table.Reset(4, 1);
    table.Set(1, 0, ItemOrigin{"/p/a.csv", FileStamp{10, 100}, true});
    table.Set(1, 1, ItemOrigin{"/p/b.csv", FileStamp{20, 200}, false});
    table.Set(1, 2, ItemOrigin{"/q/a.csv", FileStamp{30, 300}, true});
    table.Set(1, 3, ItemOrigin{"/p/a.csv", FileStamp{10, 100}, true});
    table.Set(7, 3, ItemOrigin{"/other", FileStamp{}, true});  // another build's: ignored

    const OriginTable::Summary summary = table.Summarize();
    EXPECT_EQ(summary.files, (std::vector<std::string>{"/p/a.csv", "/p/b.csv", "/q/a.csv"}));
    EXPECT_EQ(summary.unsettled, 1);

    table.Carry(std::vector<int>{2, -1, 0}, 2);
    ASSERT_EQ(table.size(), 3);
    ASSERT_TRUE(table.Get(0));
    EXPECT_EQ(table.Get(0)->path, "/q/a.csv");
    EXPECT_EQ(table.Get(0)->stamp, (FileStamp{30, 300}));
    EXPECT_FALSE(table.Get(1)) << "a new item has not been read";
    EXPECT_EQ(table.Get(2)->path, "/p/a.csv");
    EXPECT_TRUE(table.Get(2)->settled);
    EXPECT_EQ(table.Summarize().unsettled, 0);
}

} // namespace
