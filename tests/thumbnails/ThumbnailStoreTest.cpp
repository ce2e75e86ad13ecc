// The store's budget: what is dropped first, what is never dropped, what is counted.
#include "thumbnails/ThumbnailStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using namespace mosgrid;

namespace {

constexpr std::uint64_t kGeneration = 7;
const QSize kSize(40, 30);

QImage Filled(int shade)
{
    QImage image(kSize, QImage::Format_RGB32);
    image.fill(qRgb(shade, shade, 255 - shade));
    return image;
}

std::uint64_t Budget(int items, int images)
{
    return ThumbnailStore::BudgetFor(items, images, kSize);
}

std::vector<int> Held(const ThumbnailStore& store)
{
    std::vector<int> held;
    for (int i = 0; i < store.size(); ++i) {
        if (store.StateOf(i) == ThumbnailStore::State::Ready)
            held.push_back(i);
    }
    return held;
}

// One scenario: items shown one after the other and made, then others made while `pinned`
// are on screen; the budget holds `room` thumbnails besides the slots and spares.
struct DropCase {
    const char* name;
    int room;
    std::vector<int> shownFirst;   // shown (and left) before anything is made
    std::vector<int> pinned;       // on screen while the items are made
    std::vector<int> made;
    std::vector<int> held;         // what is left, ascending
};

void PrintTo(const DropCase& row, std::ostream* os) { *os << row.name; }

class StoreDropTest : public ::testing::TestWithParam<DropCase> {};

TEST_P(StoreDropTest, KeepsWhatTheRulesKeep)
{
    const DropCase& row = GetParam();
    ThumbnailStore store(Budget(8, row.room));
    store.Reset(8, kSize, kGeneration);
    // On screen, then made, as a view and its workers go.
    for (const int index : row.shownFirst) {
        store.SetPinned(std::vector<int>{index}, std::vector<int>{index});
        store.Put(kGeneration, index, Filled(index), ItemFacts{});
    }
    store.SetPinned(row.pinned, row.pinned);
    for (const int index : row.made)
        store.Put(kGeneration, index, Filled(index), ItemFacts{});
    EXPECT_EQ(Held(store), row.held);
    if (row.name != std::string("ScreenBeyondBudget")) {
        EXPECT_LE(store.usedBytes(), store.budgetBytes());
    }
    for (const int index : row.made)
        EXPECT_TRUE(store.Facts(index).made) << "facts stay when the image goes: " << index;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StoreDropTest,
    ::testing::Values(
        DropCase{"AllFit", 8, {}, {}, {0, 1, 2, 3}, {0, 1, 2, 3}},
        // Never shown: the newest made goes first, so the rows near the screen stay.
        DropCase{"NewestNeverShownFirst", 2, {}, {}, {0, 1, 2, 3}, {0, 1}},
        DropCase{"PinnedNeverDropped", 2, {}, {5, 6}, {0, 1, 2, 5, 6}, {5, 6}},
        // Shown ones go after the never shown, least recently shown first.
        DropCase{"ShownAfterNeverShown", 3, {2, 1}, {}, {5, 6}, {1, 2, 5}},
        DropCase{"LeastRecentlyShownFirst", 1, {2, 1}, {}, {}, {1}},
        // What is on screen stays even beyond the budget.
        DropCase{"ScreenBeyondBudget", 1, {}, {0, 1, 2}, {0, 1, 2, 3}, {0, 1, 2}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ThumbnailStore, PutsOfAnotherBuildAndBadIndexesAreIgnored)
{
    ThumbnailStore store;
    store.Reset(3, kSize, kGeneration);
    store.Put(kGeneration - 1, 0, Filled(1), ItemFacts{});
    store.Put(kGeneration, 3, Filled(1), ItemFacts{});
    store.Put(kGeneration, -1, Filled(1), ItemFacts{});
    EXPECT_TRUE(Held(store).empty());
    // A null image or one of another size: made, but failed.
    store.Put(kGeneration, 1, QImage(), ItemFacts{});
    store.Put(kGeneration, 2, QImage(QSize(5, 5), QImage::Format_RGB32), ItemFacts{});
    EXPECT_EQ(store.StateOf(1), ThumbnailStore::State::Failed);
    EXPECT_EQ(store.StateOf(2), ThumbnailStore::State::Failed);
    EXPECT_TRUE(store.Facts(1).made);
    EXPECT_EQ(store.StateOf(0), ThumbnailStore::State::Missing);
}

TEST(ThumbnailStore, CountsSlotsImagesAndSparesAndReusesDroppedMemory)
{
    const int items = 100;
    ThumbnailStore store(Budget(items, 60));
    store.Reset(items, kSize, kGeneration);
    EXPECT_EQ(store.usedBytes(), items * ThumbnailStore::SlotBytes());
    std::set<const uchar*> memory;
    for (int i = 0; i < items; ++i) {
        QImage buffer = store.TakeBuffer();
        ASSERT_EQ(buffer.size(), kSize);
        buffer.fill(qRgb(i, 0, 0));
        memory.insert(buffer.constBits());
        store.Put(kGeneration, i, std::move(buffer), ItemFacts{});
        EXPECT_LE(store.usedBytes(), store.budgetBytes()) << i;
    }
    EXPECT_LE(Held(store).size(), 60u);
    EXPECT_GE(Held(store).size(), 50u);
    // Dropped thumbnails' memory comes back for the next ones.
    EXPECT_LT(memory.size(), std::size_t(items));

    // The spares are counted until they are given back.
    const std::uint64_t one = ThumbnailStore::ImageBytesFor(kSize);
    const std::uint64_t held = items * ThumbnailStore::SlotBytes() + Held(store).size() * one;
    EXPECT_GE(store.usedBytes(), held + one);
    EXPECT_LE(store.usedBytes(), held + ThumbnailStore::kMaxSpareBuffers * one);
    store.ReleaseSpares();
    EXPECT_EQ(store.usedBytes(), held);

    // A new build of the same size keeps spares of the old thumbnails, within the budget.
    store.Reset(2, kSize, kGeneration + 1);
    EXPECT_GT(store.usedBytes(), 2 * ThumbnailStore::SlotBytes());
    EXPECT_LE(store.usedBytes(), store.budgetBytes());
    EXPECT_EQ(store.TakeBuffer().size(), kSize);
}

TEST(ThumbnailStore, ResetToAnotherSizeDropsEverything)
{
    ThumbnailStore store;
    store.Reset(2, kSize, kGeneration);
    store.Put(kGeneration, 0, store.TakeBuffer(), ItemFacts{});
    store.Reset(2, QSize(10, 10), kGeneration + 1);
    EXPECT_EQ(store.StateOf(0), ThumbnailStore::State::Missing);
    EXPECT_EQ(store.usedBytes(), 2 * ThumbnailStore::SlotBytes()) << "no spare of the old size";
    EXPECT_EQ(store.TakeBuffer().size(), QSize(10, 10));
}

TEST(ThumbnailStore, ACellIsReadWhole)
{
    ThumbnailStore store;
    store.Reset(2, kSize, kGeneration);
    ItemFacts facts;
    facts.hasData = true;
    facts.lastDate = 20240105;
    store.Put(kGeneration, 1, Filled(3), facts);
    const ThumbnailStore::Cell ready = store.ReadCell(1);
    EXPECT_EQ(ready.state, ThumbnailStore::State::Ready);
    EXPECT_EQ(ready.image.pixel(0, 0), Filled(3).pixel(0, 0));
    EXPECT_EQ(ready.facts.lastDate, 20240105);
    EXPECT_EQ(ready.newestDate, 20240105);
    for (const int index : {0, 2, -1}) {
        const ThumbnailStore::Cell missing = store.ReadCell(index);
        EXPECT_EQ(missing.state, ThumbnailStore::State::Missing) << index;
        EXPECT_TRUE(missing.image.isNull()) << index;
    }
    EXPECT_EQ(store.MissingAmong(std::vector<int>{0, 1, 5}), std::vector<int>{0});
}

} // namespace
