// What the store tells of a whole build from the facts of its items: the catalog's newest
// bar and how many securities had no data, and the status-bar line made of them.
#include "thumbnails/BuildSummary.h"
#include "thumbnails/ThumbnailStore.h"

#include <gtest/gtest.h>

#include <vector>

using namespace mosgrid;

namespace {

constexpr std::uint64_t kGeneration = 3;
const QSize kSize(30, 20);

ItemFacts WithData(std::int32_t date)
{
    ItemFacts facts;
    facts.hasData = true;
    facts.lastDate = date;
    return facts;
}

ItemFacts NoData()
{
    ItemFacts facts;
    facts.problem = quorex::DataProblem::FileMissing;
    return facts;
}

QImage Picture()
{
    QImage image(kSize, QImage::Format_RGB32);
    image.fill(Qt::gray);
    return image;
}

struct PutStep {
    int index;
    ItemFacts facts;
    bool image = true;                   // false: the thumbnail could not be made
    std::uint64_t generation = kGeneration;
};

struct FactsCase {
    const char* name;
    int count;
    std::vector<PutStep> puts;
    std::int32_t newest;
    int noData;
};

void PrintTo(const FactsCase& row, std::ostream* os) { *os << row.name; }

class StoreFactsTest : public ::testing::TestWithParam<FactsCase> {};

TEST_P(StoreFactsTest, NewestDateAndNoDataCount)
{
    ThumbnailStore store;
    store.Reset(GetParam().count, kSize, kGeneration);
    for (const PutStep& put : GetParam().puts)
        store.Put(put.generation, put.index, put.image ? Picture() : QImage(), put.facts);
    EXPECT_EQ(store.NewestDate(), GetParam().newest);
    EXPECT_EQ(store.NoDataCount(), GetParam().noData);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StoreFactsTest,
    ::testing::Values(
        FactsCase{"NothingMadeYet", 4, {}, 0, 0},
        FactsCase{"NewestOfAll", 3,
                  {{0, WithData(20240105)}, {1, WithData(20241230)}, {2, WithData(20190628)}},
                  20241230, 0},
        FactsCase{"CountsTheMissing", 4,
                  {{0, NoData()}, {1, WithData(20240105)}, {2, NoData()}, {3, NoData()}},
                  20240105, 3},
        FactsCase{"MadeAgainCountsOnce", 2,
                  {{0, NoData()}, {0, NoData()}, {1, NoData()}, {1, WithData(20240105)}},
                  20240105, 1},
        FactsCase{"AFailedPictureSaysNothingOfTheData", 2,
                  {{0, ItemFacts{}, false}, {1, NoData()}}, 0, 1},
        FactsCase{"OtherBuildsAreIgnored", 2,
                  {{0, NoData(), true, kGeneration + 1}, {1, WithData(20240105), true, 1}},
                  0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StoreFactsResetTest, ANewBuildStartsFromNothing)
{
    ThumbnailStore store;
    store.Reset(2, kSize, kGeneration);
    store.Put(kGeneration, 0, Picture(), NoData());
    store.Put(kGeneration, 1, Picture(), WithData(20241230));
    store.Reset(2, kSize, kGeneration + 1);
    EXPECT_EQ(store.NewestDate(), 0);
    EXPECT_EQ(store.NoDataCount(), 0);
}

TEST(StoreFactsDropTest, DroppedThumbnailsKeepTheirCount)
{
    // Room for the slots and one thumbnail: two of three are dropped.
    ThumbnailStore store(ThumbnailStore::BudgetFor(3, 1, kSize));
    store.Reset(3, kSize, kGeneration);
    for (int i = 0; i < 3; ++i)
        store.Put(kGeneration, i, Picture(), NoData());
    int dropped = 0;
    for (int i = 0; i < 3; ++i)
        dropped += store.StateOf(i) == ThumbnailStore::State::Missing ? 1 : 0;
    EXPECT_EQ(dropped, 2);
    EXPECT_EQ(store.NoDataCount(), 3);
}

TEST(BuildSummaryTest, SecuritiesAndThoseWithoutData)
{
    EXPECT_EQ(BuildSummaryText(4000, 3), QStringLiteral("4,000 銘柄 · データなし 3"));
    EXPECT_EQ(BuildSummaryText(24, 0), QStringLiteral("24 銘柄 · データなし 0"));
    EXPECT_EQ(BuildSummaryText(1234567, 1234), QStringLiteral("1,234,567 銘柄 · データなし 1,234"));

    ThumbnailStore store;
    EXPECT_EQ(BuildSummaryOf(store), QString());
    store.Reset(2, kSize, kGeneration);
    store.Put(kGeneration, 1, Picture(), NoData());
    EXPECT_EQ(BuildSummaryOf(store), QStringLiteral("2 銘柄 · データなし 1"));
}

} // namespace
