// The newest DailyBarsNeeded bars draw exactly the picture of the whole series, and so do
// the bars a DataNeeded request asks for, which are never more.
#include "ChartControl.h"
#include "ChartTestSeries.h"

#include <QDate>

#include <set>

#include <gtest/gtest.h>

using namespace quorex;
using namespace quorex::chart;

namespace {

enum class Shape { Plain, Gaps, MidWeek, MidMonth, Short, BadDate };

std::vector<PriceBar> SeriesOf(Shape shape)
{
    constexpr int kBars = 6000;
    std::vector<PriceBar> bars = RandomWalk(shape == Shape::Short ? 40 : kBars, 41,
                                            shape == Shape::MidWeek    ? 20150107
                                            : shape == Shape::MidMonth ? 20150116
                                                                       : 20150105);
    if (shape == Shape::Gaps) {
        // Halted weeks, a missing month and scattered holidays.
        std::vector<PriceBar> kept;
        for (std::size_t i = 0; i < bars.size(); ++i) {
            if ((i / 5) % 37 != 11 && (i < 5200 || i >= 5222) && i % 29 != 3)
                kept.push_back(bars[i]);
        }
        bars = kept;
    }
    if (shape == Shape::BadDate)
        bars[bars.size() - 300].date = 20170231;   // no such day: a period of its own
    return bars;
}

QImage Draw(std::span<const PriceBar> bars, const std::string& params,
            const std::vector<std::string>& definitions, QSize size)
{
    ChartControl control;
    control.SetSize(size.width(), size.height());
    control.SetData(MakeData({bars.begin(), bars.end()}));
    auto charts = control.GetCharts();
    charts->SetParam(params);
    for (const std::string& definition : definitions) {
        if (auto chart = charts->Add(definition))
            chart->Refresh();
    }
    control.Update();
    return control.Picture();
}

// What a library gives for request: the newest latestBars bars, and every bar of the newest
// latestWeeks ISO weeks and latestMonths months with the one bar before them (a day that is
// no calendar day being a period of its own).
std::span<const PriceBar> Requested(std::span<const PriceBar> bars, const DataRequest& request)
{
    if (request.latestBars == 0)
        return bars;
    const std::size_t byBars = bars.size() - std::min(request.latestBars, bars.size());
    if (request.latestWeeks == 0 && request.latestMonths == 0)
        return bars.subspan(byBars);
    std::set<long long> weeks;
    std::set<long long> months;
    for (std::size_t i = bars.size(); i-- > 0;) {
        const int date = bars[i].date;
        const QDate day(date / 10000, date / 100 % 100, date % 100);
        int weekYear = 0;
        const int week = day.isValid() ? day.weekNumber(&weekYear) : 0;
        weeks.insert(day.isValid() ? weekYear * 100LL + week : -date);
        months.insert(day.isValid() ? date / 100 : -date);
        if ((request.latestWeeks == 0 || weeks.size() > request.latestWeeks)
            && (request.latestMonths == 0 || months.size() > request.latestMonths))
            return bars.subspan(std::min(byBars, i));
    }
    return bars;
}

struct NeededRow {
    std::string params;
    std::vector<std::string> definitions;
    std::size_t atMost;   // periods counted as the rule says; 0: every bar
};

const std::vector<NeededRow> kRows = {
    {"AssistLine=0; FontSize=9; DispNum=60; ShowScrollBar=0", {"Daily; DispMaxMin=0"}, 61},
    {"AssistLine=1", {"Daily; DispMaxMin=1; MA=5,25,75", "Volume"}, 134},
    {"AssistLine=1; DispNum=1", {"Daily; MA=5"}, 5},
    {"AssistLine=1", {"Weekly; DispMaxMin=1; MA=13,26", "Volume"}, 86 * 7},
    {"AssistLine=1; DispNum=24", {"Monthly; MA=12", "Volume"}, 36 * 31},
    {"AssistLine=1; DispNum=40", {"Daily; MA=25", "Weekly; MA=13", "Monthly"}, 42 * 31},
    {"AssistLine=1; Period=Weekly", {"Daily; DispMaxMin=1; MA=5,25", "Volume"}, 85 * 7},
    {"AssistLine=1; Period=Monthly; DispNum=20", {"Daily; MA=3", "Volume"}, 23 * 31},
    {"DispNum=5000; AssistLine=1", {"Daily; MA=75"}, 5074},
    {"DispNum=5000", {"Monthly; DispMaxMin=1"}, 5002 * 31},
    {"AssistLine=1; ShowScrollBar=1", {"Daily; DispMaxMin=1"}, 0},
    {"AssistLine=1", {"Volume", "Wekly"}, 61},
    // Indicators: MACD(12,26,9) looks back 275 bars, RSI14 201, Ichimoku 76, RCI52 51,
    // MACD(3,6,2) 61.
    {"AssistLine=1", {"Daily; MA=5,25,75; BB=20,2; Ichimoku", "RSI=14", "MACD=12,26,9", "Volume"},
     335},
    {"AssistLine=1; DispNum=40", {"Daily; Style=Bar; Log=1", "Stoch", "RCI=9,26,52"}, 91},
    {"AssistLine=1", {"Weekly; EMA=13; Ichimoku", "RSI"}, 262 * 7},
    {"AssistLine=0; Period=Monthly; DispNum=24", {"Daily; BB", "MACD=3,6,2"}, 86 * 31},
};

using NeededCase = std::tuple<int, Shape>;

class ChartBarsNeeded : public testing::TestWithParam<NeededCase> {};

TEST_P(ChartBarsNeeded, NewestBarsDrawTheWholePicture)
{
    const auto& [index, shape] = GetParam();
    const NeededRow& row = kRows[index];
    const std::vector<PriceBar> bars = SeriesOf(shape);
    const std::size_t needed = ChartControl().DailyBarsNeeded(row.params, row.definitions);
    EXPECT_EQ(needed == 0, row.atMost == 0);
    EXPECT_LE(needed, row.atMost);
    if (needed == 0)
        return;
    const std::span<const PriceBar> newest =
        std::span<const PriceBar>(bars).last(std::min(needed, bars.size()));
    const std::span<const PriceBar> requested = Requested(
        bars, ChartControl().DataNeeded(row.params, row.definitions));
    EXPECT_LE(requested.size(), newest.size());
    for (const QSize size : {QSize(300, 180), QSize(600, 360)}) {
        const QImage whole = Draw(bars, row.params, row.definitions, size);
        EXPECT_EQ(whole, Draw(newest, row.params, row.definitions, size))
            << row.params << " needs " << needed << " of " << bars.size();
        EXPECT_EQ(whole, Draw(requested, row.params, row.definitions, size))
            << row.params << " asks for " << requested.size() << " of " << bars.size();
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ChartBarsNeeded, testing::Combine(
    testing::Range(0, int(kRows.size())),
    testing::Values(Shape::Plain, Shape::Gaps, Shape::MidWeek, Shape::MidMonth, Shape::Short,
                    Shape::BadDate)));

} // namespace
