#include "DataLibTestSupport.h"

#include "DataLibrary.h"
#include "PriceSeries.h"
#include "SeriesCache.h"
#include "support/TestFolders.h"

#include <QDate>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <malloc.h>

namespace {

using brasko::PriceSeries;
using brasko::SeriesCache;

PriceSeries::Ptr MakeSeries(int bars)
{
    std::vector<quorex::PriceBar> rows(std::size_t(bars), quorex::PriceBar{0, 1, 1, 1, 1, 1});
    for (int i = 0; i < bars; ++i) {
        const QDate day = QDate(2000, 1, 1).addDays(i);
        rows[std::size_t(i)].date = day.year() * 10000 + day.month() * 100 + day.day();
    }
    return PriceSeries::FromRows(std::move(rows));
}

const brasko::FileStamp kStamp{1, 1};

TEST(DataLibCache, DropsTheLeastRecentlyUsedBeyondItsBudget)
{
    const std::size_t entry = SeriesCache::EntryBytes("a", *MakeSeries(4));
    SeriesCache cache(3 * entry);
    cache.Store("a", kStamp, MakeSeries(4), true);
    cache.Store("b", kStamp, MakeSeries(4), true);
    cache.Store("c", kStamp, MakeSeries(4), true);
    ASSERT_NE(cache.Find("a", kStamp, {}), nullptr); // a is now the most recent
    cache.Store("d", kStamp, MakeSeries(4), true);  // b goes
    EXPECT_NE(cache.Find("a", kStamp, {}), nullptr);
    EXPECT_EQ(cache.Find("b", kStamp, {}), nullptr);
    EXPECT_NE(cache.Find("c", kStamp, {}), nullptr);
    EXPECT_NE(cache.Find("d", kStamp, {}), nullptr);
    EXPECT_EQ(cache.BytesHeld(), 3 * entry);

    cache.Store("big", kStamp, MakeSeries(40), true); // larger than the whole cache: not kept
    EXPECT_EQ(cache.Find("big", kStamp, {}), nullptr);
    EXPECT_EQ(cache.EntryCount(), 3u);
    EXPECT_EQ(cache.Find("a", brasko::FileStamp{2, 1}, {}), nullptr); // stale: dropped
    EXPECT_EQ(cache.EntryCount(), 2u);
    EXPECT_EQ(cache.BytesHeld(), 2 * entry);
}

// What an entry of 75 newest bars (a day each from Saturday 1 January 2000: 12 weeks from
// Monday, 3 months), or of a whole file's 100, satisfies.
struct NeedCase {
    bool complete;
    quorex::DataRequest need;
    bool found;
};

class DataLibCacheNeeds : public ::testing::TestWithParam<NeedCase> {};

TEST_P(DataLibCacheNeeds, EntryServesWhatItHolds)
{
    SeriesCache cache;
    cache.Store("p", kStamp, MakeSeries(GetParam().complete ? 100 : 75), GetParam().complete);
    EXPECT_EQ(cache.Find("p", kStamp, GetParam().need) != nullptr, GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(Cases, DataLibCacheNeeds, ::testing::Values(
    NeedCase{true, {0, 0, 0}, true},
    NeedCase{true, {60, 0, 0}, true},
    NeedCase{true, {500, 0, 0}, true},
    NeedCase{true, {1, 500, 500}, true},
    NeedCase{false, {0, 0, 0}, false},
    NeedCase{false, {0, 1, 1}, false},
    NeedCase{false, {60, 0, 0}, true},
    NeedCase{false, {75, 0, 0}, true},
    NeedCase{false, {76, 0, 0}, false},
    NeedCase{false, {1, 11, 0}, true},
    NeedCase{false, {1, 12, 0}, false},
    NeedCase{false, {1, 0, 2}, true},
    NeedCase{false, {1, 0, 3}, false},
    NeedCase{false, {60, 11, 2}, true},
    NeedCase{false, {76, 1, 1}, false}));

TEST(DataLibCache, KeepsTheEntryThatHoldsMore)
{
    SeriesCache cache;
    const auto whole = MakeSeries(100);
    cache.Store("p", kStamp, whole, true);
    cache.Store("p", kStamp, MakeSeries(75), false); // a reader of fewer bars, finishing later
    EXPECT_EQ(cache.Find("p", kStamp, {}), whole);
    cache.Store("p", brasko::FileStamp{2, 1}, MakeSeries(75), false); // the file changed
    EXPECT_EQ(cache.Find("p", brasko::FileStamp{2, 1}, {60})->Size(), 75u);
}

// Ten thousand securities of the newest 200 bars each, with a typical path, fit the default
// budget, spare bars and bookkeeping counted.
TEST(DataLibCache, DefaultBudgetHoldsALargeCatalog)
{
    constexpr std::size_t kSecurities = 10000;
    const std::string path = "/home/trader/prices/tse/prime/7203.csv";
    const auto series = MakeSeries(int(brasko::DataLibrary::BarsKept(200)));
    EXPECT_LE(kSecurities * SeriesCache::EntryBytes(path, *series),
              SeriesCache::kDefaultBudgetBytes);
    // A path or a series of any length counts in full.
    EXPECT_GT(SeriesCache::EntryBytes(std::string(4096, 'x'), *series),
              SeriesCache::EntryBytes(path, *series) + 4000);
}

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kPlainAllocator = false;
#else
constexpr bool kPlainAllocator = true;
#endif

// The memory the budget counts is the memory the entries take from the allocator.
TEST(DataLibCache, CountsWhatItHolds)
{
    if (!kPlainAllocator)
        GTEST_SKIP() << "a sanitizer's allocator keeps its own books";
    constexpr int kEntries = 2000;
    const std::size_t before = mallinfo2().uordblks;
    SeriesCache cache(std::size_t(1) << 40);
    for (int i = 0; i < kEntries; ++i) {
        const std::string path = "/data/prices/folder/" + std::to_string(100000 + i) + ".csv";
        cache.Store(path, kStamp, MakeSeries(60 + i % 200), false);
    }
    const std::size_t taken = mallinfo2().uordblks - before;
    EXPECT_GE(cache.BytesHeld(), taken);
    EXPECT_LE(cache.BytesHeld(), taken + taken / 10) << "counted far more than held";
}

// Through LoadData: a request for more bars than an entry holds reads the file again; the
// larger entry then serves the smaller requests, and a whole read serves every one.
TEST(DataLibCache, MoreBarsThanHeldAreReadAgain)
{
    QTemporaryDir dir;
    std::string text = "Date,Close\n";
    for (int i = 0; i < 600; ++i)
        text += std::to_string(20000000 + 10000 * (i / 300) + 100 * (i % 300 / 28 + 1)
                               + i % 28 + 1)
                + "," + std::to_string(100 + i) + "\n";
    const QString file = dir.filePath("7203.csv");
    ASSERT_TRUE(WriteFileBytes(file, QByteArray::fromStdString(text)));
    const std::string source = datalibtest::LocalPath(file);

    auto cache = std::make_shared<SeriesCache>();
    brasko::DataLibrary library(cache);
    const auto load = [&](std::size_t latestBars) {
        return library.LoadData(source, "", 0, {latestBars, 0, 0}).data;
    };
    const auto sixty = load(60);
    ASSERT_NE(sixty, nullptr);
    EXPECT_EQ(sixty->Bars().size(), brasko::DataLibrary::BarsKept(60)) << "kept what was asked";
    EXPECT_EQ(load(60), sixty);
    EXPECT_EQ(load(brasko::DataLibrary::BarsKept(60)), sixty);

    const auto more = load(200);
    EXPECT_NE(more, sixty);
    EXPECT_GE(more->Bars().size(), 200u);
    EXPECT_EQ(load(60), more);
    EXPECT_EQ(cache->EntryCount(), 1u);

    const auto whole = load(0);
    EXPECT_EQ(whole->Bars().size(), 600u);
    EXPECT_EQ(load(500), whole);
    EXPECT_EQ(library.LoadData(source, "", 0), whole);
}

} // namespace
