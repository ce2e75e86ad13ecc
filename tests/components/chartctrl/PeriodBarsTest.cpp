#include "PeriodBars.h"

#include <gtest/gtest.h>

using namespace quorex;
using namespace quorex::chart;

namespace {

PriceBar Bar(int date, double open, double high, double low, double close, double volume)
{
    return {date, open, high, low, close, volume};
}

struct AggregateRow {
    const char* name;
    Period period;
    std::vector<PriceBar> daily;
    std::vector<PriceBar> expected;
};

void PrintTo(const AggregateRow& row, std::ostream* out)
{
    *out << row.name;
}

class ChartPeriodBars : public testing::TestWithParam<AggregateRow> {};

TEST_P(ChartPeriodBars, MergesPeriods)
{
    const std::vector<PriceBar> result = AggregateBars(GetParam().daily, GetParam().period);
    ASSERT_EQ(result.size(), GetParam().expected.size());
    for (std::size_t i = 0; i < result.size(); ++i) {
        const PriceBar& got = result[i];
        const PriceBar& want = GetParam().expected[i];
        EXPECT_EQ(got.date, want.date) << i;
        EXPECT_EQ(got.open, want.open) << i;
        EXPECT_EQ(got.high, want.high) << i;
        EXPECT_EQ(got.low, want.low) << i;
        EXPECT_EQ(got.close, want.close) << i;
        EXPECT_EQ(got.volume, want.volume) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ChartPeriodBars, testing::Values(
    // Fri 2024-03-29, Mon 04-01 .. Wed 04-03: the Monday starts a week and a month.
    AggregateRow{"weekAndMonthStart", Period::Weekly,
        {Bar(20240328, 10, 12, 9, 11, 100), Bar(20240329, 11, 13, 10, 12, 50),
         Bar(20240401, 12, 15, 11, 14, 10), Bar(20240403, 14, 14, 8, 9, 5)},
        {Bar(20240328, 10, 13, 9, 12, 150), Bar(20240401, 12, 15, 8, 9, 15)}},
    AggregateRow{"monthsAcrossWeeks", Period::Monthly,
        {Bar(20240328, 10, 12, 9, 11, 100), Bar(20240329, 11, 13, 10, 12, 50),
         Bar(20240401, 12, 15, 11, 14, 10), Bar(20240403, 14, 14, 8, 9, 5)},
        {Bar(20240328, 10, 13, 9, 12, 150), Bar(20240401, 12, 15, 8, 9, 15)}},
    // Tue 2024-12-31 and Thu 2025-01-02 share the week of Mon 12-30.
    AggregateRow{"weekAcrossNewYear", Period::Weekly,
        {Bar(20241227, 5, 6, 4, 5, 1), Bar(20241231, 5, 7, 5, 6, 2),
         Bar(20250102, 6, 9, 3, 8, 3), Bar(20250106, 8, 8, 7, 7, 4)},
        {Bar(20241227, 5, 6, 4, 5, 1), Bar(20241231, 5, 9, 3, 8, 5),
         Bar(20250106, 8, 8, 7, 7, 4)}},
    AggregateRow{"monthAcrossNewYear", Period::Monthly,
        {Bar(20241227, 5, 6, 4, 5, 1), Bar(20241231, 5, 7, 5, 6, 2),
         Bar(20250102, 6, 9, 3, 8, 3), Bar(20250106, 8, 8, 7, 7, 4)},
        {Bar(20241227, 5, 7, 4, 6, 3), Bar(20250102, 6, 9, 3, 7, 7)}},
    // Sunday belongs to the week that began the Monday before.
    AggregateRow{"sundayEndsWeek", Period::Weekly,
        {Bar(20240603, 1, 2, 1, 2, 1), Bar(20240609, 2, 3, 2, 3, 1),
         Bar(20240610, 3, 3, 3, 3, 1)},
        {Bar(20240603, 1, 3, 1, 3, 2), Bar(20240610, 3, 3, 3, 3, 1)}},
    // Same month number a year apart is not the same month.
    AggregateRow{"sameMonthNextYear", Period::Monthly,
        {Bar(20230515, 1, 1, 1, 1, 1), Bar(20240515, 2, 2, 2, 2, 1)},
        {Bar(20230515, 1, 1, 1, 1, 1), Bar(20240515, 2, 2, 2, 2, 1)}},
    // A date that is no day stands alone instead of joining a week.
    AggregateRow{"badDate", Period::Weekly,
        {Bar(20240603, 1, 1, 1, 1, 1), Bar(20240632, 2, 2, 2, 2, 1),
         Bar(20240604, 3, 3, 3, 3, 1)},
        {Bar(20240603, 1, 1, 1, 1, 1), Bar(20240632, 2, 2, 2, 2, 1),
         Bar(20240604, 3, 3, 3, 3, 1)}},
    AggregateRow{"empty", Period::Monthly, {}, {}},
    AggregateRow{"dailyUnchanged", Period::Daily,
        {Bar(20240603, 1, 2, 0, 1, 9)}, {Bar(20240603, 1, 2, 0, 1, 9)}}),
    [](const testing::TestParamInfo<AggregateRow>& info) { return info.param.name; });

} // namespace
