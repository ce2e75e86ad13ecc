#include "BarNeed.h"
#include "PriceSeries.h"

#include <QDate>

#include <gtest/gtest.h>

#include <algorithm>

#include <vector>

namespace {

int Yyyymmdd(const QDate& day)
{
    return day.year() * 10000 + day.month() * 100 + day.day();
}

// Every day of two centuries and more lies in the week of its Monday, as QDate counts it;
// a date that is no calendar day is a week of its own.
TEST(DataLibBarNeed, WeeksBeginOnMonday)
{
    const QDate epoch(1970, 1, 1);
    for (QDate day(1899, 12, 25); day <= QDate(2101, 1, 10); day = day.addDays(1)) {
        const QDate monday = day.addDays(1 - day.dayOfWeek());
        ASSERT_EQ(brasko::WeekOf(Yyyymmdd(day)), epoch.daysTo(monday)) << Yyyymmdd(day);
    }
    const std::vector<int> notDays{0, -20240101, 20230229, 20240230, 20241301, 20240100,
                                   19000229, 100000101};
    for (const int date : notDays) {
        EXPECT_NE(brasko::WeekOf(date), brasko::WeekOf(20240101)) << date;
        EXPECT_NE(brasko::WeekOf(date), brasko::WeekOf(date + 1)) << date;
    }
    EXPECT_EQ(brasko::WeekOf(20000229), brasko::WeekOf(20000228)) << "2000 is a leap year";
}

// A weekday series with halted weeks and a missing month: what a request keeps, and
// whether the kept bars answer the same request again.
struct KeptCase {
    quorex::DataRequest need;
    int firstKept; // yyyymmdd of the first bar kept
};

class DataLibBarNeedKept : public ::testing::TestWithParam<KeptCase> {};

std::vector<quorex::PriceBar> Series()
{
    std::vector<quorex::PriceBar> bars;
    for (QDate day(2024, 1, 2); day <= QDate(2024, 6, 28); day = day.addDays(1)) {
        const bool halted = day >= QDate(2024, 5, 6) && day <= QDate(2024, 5, 19);
        const bool missing = day.month() == 3;
        if (day.dayOfWeek() <= 5 && !halted && !missing)
            bars.push_back({Yyyymmdd(day), 1, 1, 1, 1, 1});
    }
    return bars;
}

TEST_P(DataLibBarNeedKept, KeepsWholePeriodsAndTheBarBefore)
{
    const std::vector<quorex::PriceBar> bars = Series();
    const KeptCase& c = GetParam();
    const std::size_t first = brasko::FirstKept(bars, c.need);
    EXPECT_EQ(bars[first].date, c.firstKept);
    const std::span<const quorex::PriceBar> kept = std::span(bars).subspan(first);
    EXPECT_EQ(brasko::Covers(c.need, kept), first > 0);
    EXPECT_EQ(brasko::Covers(c.need, brasko::CountPeriods(kept, c.need)), first > 0);
    if (first > 1) {
        // One bar fewer no longer shows the oldest period whole.
        EXPECT_FALSE(brasko::Covers(c.need, kept.subspan(1)));
        EXPECT_FALSE(brasko::Covers(c.need, brasko::CountPeriods(kept.subspan(1), c.need)));
    }
    // Rows newest first, each day twice (the later row kept): a series made of them for
    // the request holds what the request keeps of the whole series, and no more.
    std::vector<quorex::PriceBar> rows;
    for (auto bar = bars.rbegin(); bar != bars.rend(); ++bar) {
        rows.push_back({bar->date, 9, 9, 9, 9, 9});
        rows.push_back(*bar);
    }
    const auto series = brasko::PriceSeries::FromRows(rows, c.need);
    ASSERT_TRUE(series);
    EXPECT_EQ(series->Bars().front().date, c.firstKept);
    EXPECT_EQ(series->Size(), kept.size());
    EXPECT_EQ(series->Bars().back().close, 1);
    EXPECT_EQ(brasko::PriceSeries::Newest(series, c.need), series);
    // Rows in order, one a day: the bars before the kept ones may stay in memory, unseen
    // (as when nearly all are kept).
    for (const quorex::DataRequest& need : {c.need, quorex::DataRequest{bars.size() - 3, 0, 0}}) {
        const auto plain = brasko::PriceSeries::FromRows(bars, need);
        ASSERT_TRUE(plain);
        const std::size_t from = brasko::FirstKept(bars, need);
        ASSERT_EQ(plain->Size(), bars.size() - from);
        EXPECT_EQ(plain->Bars().front().date, bars[from].date);
        EXPECT_EQ(plain->Bars().back().date, bars.back().date);
    }
    const auto newest = brasko::PriceSeries::Newest(series, {1, 0, 0});
    ASSERT_EQ(newest->Size(), 1u);
    EXPECT_EQ(newest->Bars().front().date, bars.back().date);
}

INSTANTIATE_TEST_SUITE_P(Table, DataLibBarNeedKept, ::testing::Values(
    KeptCase{{1, 0, 0}, 20240628},
    KeptCase{{5, 0, 0}, 20240624},
    KeptCase{{0, 3, 3}, 20240102},         // every bar
    KeptCase{{1, 1, 0}, 20240621},         // this week, and last Friday
    KeptCase{{1, 7, 0}, 20240426},         // the halted fortnight is no week
    KeptCase{{30, 1, 0}, 20240520},        // thirty bars reach further than a week
    KeptCase{{1, 0, 1}, 20240531},         // June, and the last day of May
    KeptCase{{1, 0, 3}, 20240229},         // June, May, April; March held nothing
    KeptCase{{1, 9, 2}, 20240412},         // nine weeks reach before two months
    KeptCase{{1, 0, 6}, 20240102}));       // more months than the series holds

} // namespace
