// Indicators against worked examples: published tables where there are such, small ones
// worked by hand (in the comments) where the convention matters most.
#include "Bollinger.h"
#include "Ichimoku.h"
#include "Macd.h"
#include "Rci.h"
#include "Rsi.h"
#include "Averages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace quorex::indicators;

namespace {

constexpr double kNone = kUndefined;

struct ExampleRow {
    const char* name;
    std::function<Line()> compute;
    std::vector<double> expected;   // kNone where undefined
    double tolerance;
};

void PrintTo(const ExampleRow& row, std::ostream* out)
{
    *out << row.name;
}

class IndicatorExample : public testing::TestWithParam<ExampleRow> {};

TEST_P(IndicatorExample, MatchesTheWorkedValues)
{
    const ExampleRow& row = GetParam();
    const Line line = row.compute();
    ASSERT_EQ(line.values.size(), row.expected.size());
    std::size_t first = row.expected.size();
    for (std::size_t i = 0; i < row.expected.size(); ++i) {
        if (std::isnan(row.expected[i])) {
            EXPECT_TRUE(std::isnan(line.values[i])) << "bar " << i << ": " << line.values[i];
            continue;
        }
        first = std::min(first, i);
        EXPECT_NEAR(line.values[i], row.expected[i], row.tolerance) << "bar " << i;
    }
    EXPECT_EQ(line.first, first);
}

// Wilder's RSI, 14 days: the well-known ChartSchool spreadsheet (two decimals; its article's
// text rounds the first averages to 0.24 and 0.10 and so prints 70.53 for the first value).
const std::vector<double> kRsiCloses = {
    44.34, 44.09, 44.15, 43.61, 44.33, 44.83, 45.10, 45.42, 45.84, 46.08, 45.89,
    46.03, 45.61, 46.28, 46.28, 46.00, 46.03, 46.41, 46.22, 45.64, 46.21, 46.25,
    45.71, 46.45, 45.78, 45.35, 44.03, 44.18, 44.22, 44.57, 43.42, 42.66, 43.13};
std::vector<double> RsiTable()
{
    std::vector<double> rsi(14, kNone);
    for (const double value : {70.46, 66.25, 66.48, 69.35, 66.29, 57.92, 62.88, 63.21, 56.01,
                               62.34, 54.67, 50.39, 40.02, 41.49, 41.90, 45.50, 37.32, 33.09,
                               37.79})
        rsi.push_back(value);
    return rsi;
}

// Bollinger, 5 bars, 2 deviations: mean 26.6, population variance 1.825 / 5 = 0.365.
const std::vector<double> kBandCloses = {25.5, 26.75, 27.0, 26.5, 27.25};
const double kBandWidth = 2 * std::sqrt(0.365);

// MACD(2,3,2) of 10, 12, 11, 13, 15, 14 by hand:
//   EMA2 (alpha 2/3, seed (10 + 12) / 2 = 11):  -, 11, 11, 12.3333, 14.1111, 14.0370
//   EMA3 (alpha 1/2, seed 11):                  -, -, 11, 12, 13.5, 13.75
//   MACD:                                       -, -, 0, 0.3333, 0.6111, 0.2870
//   signal (EMA2 of MACD, seed 0.1667):         -, -, -, 0.1667, 0.4630, 0.3457
const std::vector<double> kMacdCloses = {10, 12, 11, 13, 15, 14};

// Ichimoku(2,3,4), shift 2, by hand from these bars:
//   転換 (2):  -, 10, 9.5, 10.5, 12.5, 13        基準 (3): -, -, 9.5, 10.5, 11, 12.5
//   先行1 at its own bar: -, -, 9.5, 10.5, 11.75, 12.75, drawn 2 bars later
//   先行2 (4) at its own bar: -, -, -, 10.5, 11, 11, drawn 2 bars later
//   遅行: the close 2 bars later
const std::vector<double> kHigh = {10, 12, 11, 14, 15, 13};
const std::vector<double> kLow = {8, 9, 7, 10, 12, 11};
const std::vector<double> kClose = {9, 11, 8, 13, 14, 12};

IchimokuLines Cloud()
{
    return Ichimoku(kHigh, kLow, kClose, 2, 3, 4);
}

INSTANTIATE_TEST_SUITE_P(Table, IndicatorExample, testing::Values(
    ExampleRow{"Rsi14", [] { return Rsi(kRsiCloses, 14); }, RsiTable(), 0.006},
    ExampleRow{"BollingerMiddle", [] { return Bollinger(kBandCloses, 5, 2).middle; },
               {kNone, kNone, kNone, kNone, 26.6}, 1e-12},
    ExampleRow{"BollingerUpper", [] { return Bollinger(kBandCloses, 5, 2).upper; },
               {kNone, kNone, kNone, kNone, 26.6 + kBandWidth}, 1e-12},
    ExampleRow{"BollingerLower", [] { return Bollinger(kBandCloses, 5, 2).lower; },
               {kNone, kNone, kNone, kNone, 26.6 - kBandWidth}, 1e-12},
    ExampleRow{"Ema2", [] { return ExponentialAverage(kMacdCloses, 2); },
               {kNone, 11, 11, 12.333333, 14.111111, 14.037037}, 1e-6},
    ExampleRow{"Macd", [] { return Macd(kMacdCloses, 2, 3, 2).macd; },
               {kNone, kNone, 0, 0.333333, 0.611111, 0.287037}, 1e-6},
    ExampleRow{"MacdSignal", [] { return Macd(kMacdCloses, 2, 3, 2).signal; },
               {kNone, kNone, kNone, 0.166667, 0.462963, 0.345679}, 1e-6},
    ExampleRow{"MacdHistogram", [] { return Macd(kMacdCloses, 2, 3, 2).histogram; },
               {kNone, kNone, kNone, 0.166667, 0.148148, -0.058642}, 1e-6},
    ExampleRow{"IchimokuConversion", [] { return Cloud().conversion; },
               {kNone, 10, 9.5, 10.5, 12.5, 13}, 1e-12},
    ExampleRow{"IchimokuBase", [] { return Cloud().base; },
               {kNone, kNone, 9.5, 10.5, 11, 12.5}, 1e-12},
    ExampleRow{"IchimokuLeadingA", [] { return Cloud().leadingA; },
               {kNone, kNone, kNone, kNone, 9.5, 10.5, 11.75, 12.75}, 1e-12},
    ExampleRow{"IchimokuLeadingB", [] { return Cloud().leadingB; },
               {kNone, kNone, kNone, kNone, kNone, 10.5, 11, 11}, 1e-12},
    ExampleRow{"IchimokuLagging", [] { return Cloud().lagging; },
               {8, 13, 14, 12, kNone, kNone}, 1e-12},
    // Date ranks 1..5, close ranks 1, 3, 2, 5, 4: sum d^2 = 4, 1 - 24 / 120 = 0.8.
    ExampleRow{"Rci5", [] { return Rci(std::vector<double>{10, 12, 11, 14, 13}, 5); },
               {kNone, kNone, kNone, kNone, 80}, 1e-9},
    // Ties: close ranks 1.5, 1.5, 3; date-rank correlation 0.8660.
    ExampleRow{"Rci3Ties", [] { return Rci(std::vector<double>{5, 5, 7}, 3); },
               {kNone, kNone, 100 * std::sqrt(0.75)}, 1e-9}),
    [](const testing::TestParamInfo<ExampleRow>& info) { return std::string(info.param.name); });

} // namespace
