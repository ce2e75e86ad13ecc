// Properties every series must keep, and the look-back each indicator states: values from
// the newest bars plus the look-back agree with those of the whole series.
#include "Averages.h"
#include "Bollinger.h"
#include "Extremes.h"
#include "Ichimoku.h"
#include "LookBack.h"
#include "Macd.h"
#include "Rci.h"
#include "Rsi.h"
#include "Stochastics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>

using namespace quorex::indicators;

namespace {

struct Bars {
    std::vector<double> high, low, close;
};

enum class Walk { Random, Rising, Falling, Flat, Jumpy };

Bars MakeBars(Walk walk, int count, unsigned seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0, 1);
    Bars bars;
    double close = 1000;
    for (int i = 0; i < count; ++i) {
        switch (walk) {
        case Walk::Random: close *= 1 + noise(random) * 0.015; break;
        case Walk::Rising: close += 3; break;
        case Walk::Falling: close -= 0.1; break;
        case Walk::Flat: break;
        case Walk::Jumpy: close *= i % 97 == 0 ? 1.6 : 1 + noise(random) * 0.03; break;
        }
        const double spread = walk == Walk::Flat ? 0 : std::abs(noise(random)) * close * 0.01;
        bars.close.push_back(close);
        bars.high.push_back(close + spread);
        bars.low.push_back(close - spread * 0.7);
    }
    return bars;
}

constexpr Walk kWalks[] = {Walk::Random, Walk::Rising, Walk::Falling, Walk::Flat, Walk::Jumpy};

void ExpectWithin(const Line& line, double lo, double hi, const char* what)
{
    for (std::size_t i = 0; i < line.values.size(); ++i) {
        if (!line.Defined(i))
            continue;
        EXPECT_GE(line.values[i], lo - 1e-9) << what << " bar " << i;
        EXPECT_LE(line.values[i], hi + 1e-9) << what << " bar " << i;
    }
}

TEST(IndicatorProperties, OscillatorsStayInTheirRanges)
{
    for (const Walk walk : kWalks) {
        const Bars bars = MakeBars(walk, 800, 3);
        for (const int period : {2, 9, 14, 52}) {
            ExpectWithin(Rsi(bars.close, period), 0, 100, "RSI");
            ExpectWithin(Rci(bars.close, period), -100, 100, "RCI");
            const StochasticLines stoch = Stochastics(bars.high, bars.low, bars.close, period,
                                                      3, 3);
            ExpectWithin(stoch.k, 0, 100, "%K");
            ExpectWithin(stoch.d, 0, 100, "%D");
            EXPECT_LT(stoch.d.first, bars.close.size());
        }
    }
}

TEST(IndicatorProperties, LinesKeepTheirRelations)
{
    for (const Walk walk : kWalks) {
        const Bars bars = MakeBars(walk, 600, 5);
        const BollingerBands bands = Bollinger(bars.close, 20, 2.5);
        const MacdLines macd = Macd(bars.close, 12, 26, 9);
        const StochasticLines stoch = Stochastics(bars.high, bars.low, bars.close, 14, 3, 3);
        const Line averageK = SimpleAverage(stoch.k.values, 3);
        EXPECT_EQ(bands.upper.first, 19u);
        EXPECT_EQ(macd.macd.first, 25u);
        EXPECT_EQ(macd.signal.first, 33u);
        for (std::size_t i = 0; i < bars.close.size(); ++i) {
            if (bands.middle.Defined(i)) {
                const double scale = 1e-9 * bands.middle.values[i];
                EXPECT_NEAR(bands.upper.values[i] - bands.middle.values[i],
                            bands.middle.values[i] - bands.lower.values[i], scale);
                EXPECT_GE(bands.upper.values[i], bands.lower.values[i]);
            }
            if (macd.signal.Defined(i)) {
                EXPECT_DOUBLE_EQ(macd.histogram.values[i],
                                 macd.macd.values[i] - macd.signal.values[i]);
            }
            EXPECT_EQ(stoch.d.Defined(i), averageK.Defined(i));
            if (stoch.d.Defined(i)) {
                EXPECT_NEAR(stoch.d.values[i], averageK.values[i], 1e-9);
            }
        }
    }
}

TEST(IndicatorProperties, RankCorrelationOfMonotoneSeries)
{
    const struct {
        Walk walk;
        double expected;
    } rows[] = {{Walk::Rising, 100}, {Walk::Falling, -100}, {Walk::Flat, 0}};
    for (const auto& row : rows) {
        const Bars bars = MakeBars(row.walk, 120, 1);
        for (const int period : {2, 9, 26, 120}) {
            const Line rci = Rci(bars.close, period);
            ASSERT_EQ(rci.first, std::size_t(period - 1));
            for (std::size_t i = rci.first; i < bars.close.size(); ++i)
                EXPECT_NEAR(rci.values[i], row.expected, 1e-9) << period << " bar " << i;
        }
    }
}

TEST(IndicatorProperties, ABadValueLeavesOnlyTheBarsThatSeeIt)
{
    Bars bars = MakeBars(Walk::Random, 300, 9);
    bars.close[150] = kUndefined;
    bars.high[150] = kUndefined;
    const Line sma = SimpleAverage(bars.close, 10);
    const Line ema = ExponentialAverage(bars.close, 10);
    const Line rsi = Rsi(bars.close, 14);
    const StochasticLines stoch = Stochastics(bars.high, bars.low, bars.close, 14, 3, 3);
    EXPECT_TRUE(sma.Defined(149) && !sma.Defined(159) && sma.Defined(160));
    EXPECT_TRUE(ema.Defined(149) && !ema.Defined(159) && ema.Defined(160));
    EXPECT_TRUE(rsi.Defined(149) && !rsi.Defined(164) && rsi.Defined(165));
    EXPECT_TRUE(stoch.d.Defined(149) && !stoch.d.Defined(167) && stoch.d.Defined(168));
    EXPECT_TRUE(Rci(bars.close, 9).Defined(159));
    EXPECT_FALSE(Rci(bars.close, 9).Defined(158));
    for (const int period : {0, -3})
        EXPECT_EQ(SimpleAverage(bars.close, period).first, bars.close.size());
}

// Window extremes against a plain scan of each window, with bad values cutting the runs.
TEST(IndicatorProperties, ExtremesAreThoseOfEachWindow)
{
    const auto scan = [](const std::vector<double>& values, int period, bool highest) {
        std::vector<double> out(values.size(), kUndefined);
        for (std::size_t i = std::max(period, 1) - 1; period > 0 && i < values.size(); ++i) {
            double kept = values[i];
            for (std::size_t k = i + 1 - std::size_t(period); k <= i; ++k) {
                if (!std::isfinite(values[k])) {
                    kept = kUndefined;
                    break;
                }
                kept = highest ? std::max(kept, values[k]) : std::min(kept, values[k]);
            }
            out[i] = kept;
        }
        return out;
    };
    const auto same = [](const std::vector<double>& a, const std::vector<double>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](double x, double y) {
            return std::isnan(x) ? std::isnan(y) : x == y;
        });
    };
    for (const Walk walk : kWalks) {
        Bars bars = MakeBars(walk, 160, 13);
        for (const std::size_t bad : {0, 50, 51, 130, 159})
            bars.high[bad] = bars.low[bad] = kUndefined;
        for (const int period : {1, 2, 9, 26, 52, 79, 200, 0}) {
            EXPECT_TRUE(same(Highest(bars.high, period).values, scan(bars.high, period, true)))
                << period;
            EXPECT_TRUE(same(Lowest(bars.low, period).values, scan(bars.low, period, false)))
                << period;
        }
    }
}

// The newest `shown` values computed from shown + look-back bars against the whole series,
// within 0.01 % of the shown values' range.
struct WarmUpRow {
    const char* name;
    std::size_t lookBack;
    std::function<std::vector<Line>(const Bars&)> compute;
};

Bars Newest(const Bars& bars, std::size_t count)
{
    const std::size_t from = bars.close.size() - std::min(count, bars.close.size());
    return {{bars.high.begin() + from, bars.high.end()},
            {bars.low.begin() + from, bars.low.end()},
            {bars.close.begin() + from, bars.close.end()}};
}

TEST(IndicatorProperties, LookBackGivesTheWholeSeriesValues)
{
    const std::vector<WarmUpRow> rows = {
        {"SMA75", SimpleAverageLookBack(75), [](const Bars& b) {
             return std::vector<Line>{SimpleAverage(b.close, 75)}; }},
        {"EMA12", ExponentialAverageLookBack(12), [](const Bars& b) {
             return std::vector<Line>{ExponentialAverage(b.close, 12)}; }},
        {"EMA200", ExponentialAverageLookBack(200), [](const Bars& b) {
             return std::vector<Line>{ExponentialAverage(b.close, 200)}; }},
        {"BB20", BollingerLookBack(20), [](const Bars& b) {
             const BollingerBands bands = Bollinger(b.close, 20, 2);
             return std::vector<Line>{bands.upper, bands.lower}; }},
        {"Ichimoku", IchimokuLookBack(9, 26, 52), [](const Bars& b) {
             const IchimokuLines cloud = Ichimoku(b.high, b.low, b.close, 9, 26, 52);
             return std::vector<Line>{cloud.conversion, cloud.base, cloud.leadingA,
                                      cloud.leadingB, cloud.lagging}; }},
        {"RSI14", RsiLookBack(14), [](const Bars& b) {
             return std::vector<Line>{Rsi(b.close, 14)}; }},
        {"RSI2", RsiLookBack(2), [](const Bars& b) {
             return std::vector<Line>{Rsi(b.close, 2)}; }},
        {"MACD", MacdLookBack(12, 26, 9), [](const Bars& b) {
             const MacdLines macd = Macd(b.close, 12, 26, 9);
             return std::vector<Line>{macd.macd, macd.signal, macd.histogram}; }},
        {"Stoch", StochasticsLookBack(14, 3, 3), [](const Bars& b) {
             const StochasticLines stoch = Stochastics(b.high, b.low, b.close, 14, 3, 3);
             return std::vector<Line>{stoch.k, stoch.d}; }},
        {"RCI26", RciLookBack(26), [](const Bars& b) {
             return std::vector<Line>{Rci(b.close, 26)}; }},
    };
    constexpr std::size_t kShown = 60;
    for (const Walk walk : {Walk::Random, Walk::Jumpy, Walk::Rising}) {
        const Bars bars = MakeBars(walk, 3000, 11);
        for (const WarmUpRow& row : rows) {
            const std::vector<Line> whole = row.compute(bars);
            const std::vector<Line> part = row.compute(Newest(bars, kShown + row.lookBack));
            for (std::size_t k = 0; k < whole.size(); ++k) {
                // Lines drawn ahead hold more values than there are bars.
                const std::size_t tail = whole[k].values.size() - bars.close.size();
                const auto shownOf = [&](const Line& line) {
                    return std::vector<double>(line.values.end() - tail - kShown,
                                               line.values.end() - tail);
                };
                const std::vector<double> expected = shownOf(whole[k]);
                const std::vector<double> got = shownOf(part[k]);
                double lo = INFINITY, hi = -INFINITY;
                for (const double value : expected) {
                    if (std::isfinite(value)) {
                        lo = std::min(lo, value);
                        hi = std::max(hi, value);
                    }
                }
                const double tolerance = std::max(hi - lo, 1e-9) * 1e-4;
                for (std::size_t i = 0; i < kShown; ++i) {
                    if (std::isnan(expected[i])) {
                        EXPECT_TRUE(std::isnan(got[i])) << row.name << " line " << k;
                        continue;
                    }
                    EXPECT_NEAR(got[i], expected[i], tolerance)
                        << row.name << " line " << k << " bar " << i;
                }
            }
        }
    }
}

} // namespace
