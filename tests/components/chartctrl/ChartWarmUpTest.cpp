// What a chart shows of an indicator, read from the newest bars its request asks for, agrees
// with the indicator computed over the whole series within 0.01 % of the pane's range.
#include "ChartControl.h"
#include "ChartPlanChecks.h"
#include "ChartTestSeries.h"

#include "Averages.h"
#include "Bollinger.h"
#include "Ichimoku.h"
#include "Macd.h"
#include "Rci.h"
#include "Rsi.h"
#include "Stochastics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace quorex;
using namespace quorex::chart;
namespace ind = quorex::indicators;

namespace {

struct Columns {
    std::vector<double> high, low, close;
};

Columns ColumnsOf(std::span<const PriceBar> bars)
{
    Columns columns;
    for (const PriceBar& bar : bars) {
        columns.high.push_back(bar.high);
        columns.low.push_back(bar.low);
        columns.close.push_back(bar.close);
    }
    return columns;
}

// The lines a pane draws, in its order, from the whole series; the last two of Ichimoku
// are the cloud's spans.
using WholeLines = std::function<std::vector<ind::Line>(const Columns&)>;

struct WarmUpRow {
    const char* definition;
    WholeLines lines;
};

const std::vector<WarmUpRow> kRows = {
    {"Daily; EMA=12,200", [](const Columns& c) {
         return std::vector{ind::ExponentialAverage(c.close, 12),
                            ind::ExponentialAverage(c.close, 200)}; }},
    {"Daily; BB=20,2", [](const Columns& c) {
         const auto bands = ind::Bollinger(c.close, 20, 2);
         return std::vector{bands.upper, bands.middle, bands.lower}; }},
    {"Daily; Ichimoku", [](const Columns& c) {
         const auto cloud = ind::Ichimoku(c.high, c.low, c.close, 9, 26, 52);
         return std::vector{cloud.lagging, cloud.base, cloud.conversion, cloud.leadingA,
                            cloud.leadingB}; }},
    {"RSI=14", [](const Columns& c) { return std::vector{ind::Rsi(c.close, 14)}; }},
    {"MACD=12,26,9", [](const Columns& c) {
         const auto macd = ind::Macd(c.close, 12, 26, 9);
         return std::vector{macd.macd, macd.signal, macd.histogram}; }},
    {"Stoch=14,3,3", [](const Columns& c) {
         const auto stoch = ind::Stochastics(c.high, c.low, c.close, 14, 3, 3);
         return std::vector{stoch.k, stoch.d}; }},
    {"RCI=9,52", [](const Columns& c) {
         return std::vector{ind::Rci(c.close, 9), ind::Rci(c.close, 52)}; }},
};

// The pane's drawn values in the order WholeLines gives them.
std::vector<std::vector<double>> Drawn(const PanePlan& pane)
{
    std::vector<std::vector<double>> drawn;
    for (const PlotLine& line : pane.lines)
        drawn.push_back(line.values);
    if (!pane.histogram.empty())
        drawn.push_back(pane.histogram);
    if (!pane.cloudA.empty()) {
        drawn.push_back(pane.cloudA);
        drawn.push_back(pane.cloudB);
    }
    return drawn;
}

class ChartWarmUp : public testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(ChartWarmUp, ShownValuesAgreeWithTheWholeSeries)
{
    const auto& [rowIndex, seed] = GetParam();
    const WarmUpRow& row = kRows[rowIndex];
    // Calm walks, and one that jumps, so that old prices lie far from the shown ones.
    std::vector<PriceBar> bars = RandomWalk(3000, seed);
    if (seed == 3) {
        for (std::size_t i = 0; i < bars.size(); i += 250)
            bars[i].close *= 1.8;
    }
    const std::string params = "AssistLine=1; DispNum=60";
    const std::vector<std::string> texts = {row.definition};
    const DataRequest request = ChartControl().DataNeeded(params, texts);
    ASSERT_GT(request.latestBars, 60u);
    const std::vector<PriceBar> newest(bars.end() - std::min(request.latestBars, bars.size()),
                                       bars.end());
    const auto charts = Definitions(texts);
    const ChartPlan plan = PlanOf(newest, charts, params, QSize(600, 360));
    ASSERT_EQ(plan.panes.size(), 1u);
    const PanePlan& pane = plan.panes.front();
    const double tolerance = (pane.values->hi() - pane.values->lo()) * 1e-4;

    const std::vector<ind::Line> whole = row.lines(ColumnsOf(bars));
    const std::vector<std::vector<double>> drawn = Drawn(pane);
    ASSERT_EQ(drawn.size(), whole.size());
    const std::size_t first = bars.size() - static_cast<std::size_t>(pane.window.count);
    int compared = 0;
    for (std::size_t k = 0; k < whole.size(); ++k) {
        for (int i = 0; i < pane.window.count; ++i) {
            const double expected = whole[k].values[first + i];
            if (std::isnan(expected)) {
                EXPECT_TRUE(std::isnan(drawn[k][i])) << row.definition << " line " << k;
                continue;
            }
            EXPECT_NEAR(drawn[k][i], expected, tolerance)
                << row.definition << " line " << k << " bar " << i;
            ++compared;
        }
    }
    EXPECT_GE(compared, pane.window.count);
}

INSTANTIATE_TEST_SUITE_P(Table, ChartWarmUp, testing::Combine(
    testing::Range(0, int(kRows.size())), testing::Values(1, 2, 3)));

} // namespace
