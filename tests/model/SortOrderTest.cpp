#include "model/SearchFold.h"
#include "model/SortOrder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

using namespace mosgrid;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

ItemFacts Facts(double last, double previous, double volume)
{
    ItemFacts facts;
    facts.made = true;
    facts.hasData = true;
    facts.lastClose = last;
    facts.previousClose = previous;
    facts.lastVolume = volume;
    return facts;
}

ItemFacts NoData()
{
    ItemFacts facts;
    facts.made = true;
    return facts;
}

ItemFacts NotMadeYet()
{
    return ItemFacts{};
}

// Seven securities in list order: ties in change (0 and 3), in close (1 and 4) and in
// volume (2 and 5), one without data (6), one not made yet (7), one with a single bar (8).
std::vector<SortEntry> Catalog()
{
    const auto entry = [](const char* code, const char* name, ItemFacts facts) {
        return SortEntry{FoldForSearch(QString::fromUtf8(code)),
                         FoldForSearch(QString::fromUtf8(name)), facts};
    };
    return {
        entry("7203", "トヨタ自動車", Facts(110, 100, 500)),    // +10 %
        entry("130", "あいう", Facts(50, 100, 300)),            // -50 %
        entry("9984", "ソフトバンク", Facts(30, 40, 700)),      // -25 %
        entry("1301", "極洋", Facts(220, 200, 100)),            // +10 %
        entry("AAPL", "Apple", Facts(50, 25, 900)),             // +100 %
        entry("0001", "ｱｲｳ", Facts(10, 20, 700)),               // -50 %
        entry("8035", "東京エレクトロン", NoData()),
        entry("6758", "ソニー", NotMadeYet()),
        entry("12", "いろは", Facts(5, kNaN, 50)),              // change unknown
    };
}

struct SortCase {
    const char* name;
    SortKey key;
    bool descending;
    std::vector<int> expected;
};

void PrintTo(const SortCase& c, std::ostream* out)
{
    *out << c.name;
}

class SortTable : public ::testing::TestWithParam<SortCase> {};

TEST_P(SortTable, OrdersStablyWithSecuritiesWithoutValuesLast)
{
    const SortCase& c = GetParam();
    EXPECT_EQ(SortedItems(Catalog(), c.key, c.descending), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Keys, SortTable, ::testing::Values(
    SortCase{"ListIsTheIdentity", SortKey::List, false, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
    SortCase{"ListDescendingIsReversed", SortKey::List, true, {8, 7, 6, 5, 4, 3, 2, 1, 0}},
    // Whole-number codes by value (0001 = 1, before 12 and 130), then the others as text.
    SortCase{"CodeNumbersFirst", SortKey::Code, false, {5, 8, 1, 3, 7, 0, 6, 2, 4}},
    SortCase{"CodeDescending", SortKey::Code, true, {4, 2, 6, 0, 7, 3, 1, 8, 5}},
    // Names folded: あいう and ｱｲｳ are the same text, so list order keeps them as they were.
    SortCase{"NameFoldedTiesInListOrder", SortKey::Name, false, {4, 1, 5, 8, 7, 2, 0, 6, 3}},
    SortCase{"ChangeAscending", SortKey::Change, false, {1, 5, 2, 0, 3, 4, 6, 7, 8}},
    SortCase{"ChangeDescendingTiesStillInListOrder", SortKey::Change, true,
             {4, 0, 3, 2, 1, 5, 6, 7, 8}},
    SortCase{"LastAscending", SortKey::Last, false, {8, 5, 2, 1, 4, 0, 3, 6, 7}},
    SortCase{"LastDescending", SortKey::Last, true, {3, 0, 1, 4, 2, 5, 8, 6, 7}},
    SortCase{"VolumeAscending", SortKey::Volume, false, {8, 3, 1, 0, 2, 5, 4, 6, 7}},
    SortCase{"VolumeDescending", SortKey::Volume, true, {4, 2, 5, 0, 1, 3, 8, 6, 7}}),
    [](const ::testing::TestParamInfo<SortCase>& info) { return std::string(info.param.name); });

TEST(SortValue, NothingWithoutDataOrANumber)
{
    EXPECT_FALSE(SortValue(NoData(), SortKey::Last));
    EXPECT_FALSE(SortValue(NotMadeYet(), SortKey::Volume));
    EXPECT_FALSE(SortValue(Facts(5, kNaN, 1), SortKey::Change));
    EXPECT_FALSE(SortValue(Facts(5, 0, 1), SortKey::Change));
    EXPECT_FALSE(SortValue(Facts(std::numeric_limits<double>::infinity(), 1, 1),
                           SortKey::Last));
    ASSERT_TRUE(SortValue(Facts(110, 100, 1), SortKey::Change));
    EXPECT_DOUBLE_EQ(*SortValue(Facts(110, 100, 1), SortKey::Change), 10.0);
    EXPECT_DOUBLE_EQ(*SortValue(Facts(110, 100, 7), SortKey::Volume), 7.0);
}

} // namespace
