// Any prices, any size: a defined picture, never a crash, nothing drawn out of its place.
#include "AxisTicks.h"
#include "ChartPlanChecks.h"
#include "ChartTestSeries.h"

#include <gtest/gtest.h>

#include <limits>

using namespace quorex;
using namespace quorex::chart;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kDenormal = 5e-324;

enum class Expect { Candles, TooLarge, Nothing };

struct Magnitude {
    const char* name;
    double level;        // the walk's prices scaled to about this
    double flat;         // else every price this (the last bar's high `peak`)
    double peak;
    Expect expect;
};

const std::vector<Magnitude> kMagnitudes = {
    {"1e12", 1e12, 0, 0, Expect::Candles},
    {"1e33", 1e33, 0, 0, Expect::Candles},
    {"1e300", 1e300, 0, 0, Expect::Candles},
    {"negative", -2500, 0, 0, Expect::Candles},
    {"max", 0, kMax, kMax, Expect::Candles},
    {"zero", 0, 0, 0, Expect::Candles},
    {"denormal", 0, kDenormal, kDenormal, Expect::Candles},
    {"zeroToDenormal", 0, 0, kDenormal, Expect::Candles},
    {"overflowingRange", 0, -1e308, 1e308, Expect::TooLarge},
    {"inf", 0, kInf, kInf, Expect::Nothing},
    {"minusInf", 0, -kInf, -kInf, Expect::Nothing},
    {"nan", 0, std::nan(""), std::nan(""), Expect::Nothing},
};

std::vector<PriceBar> BarsOf(const Magnitude& magnitude)
{
    std::vector<PriceBar> bars = RandomWalk(120, 31);
    if (magnitude.level != 0)
        return Scaled(bars, magnitude.level / 1500);
    for (PriceBar& bar : bars)
        bar.open = bar.high = bar.low = bar.close = magnitude.flat;
    bars.back().high = bars.back().close = magnitude.peak;
    return bars;
}

using RobustCase = std::tuple<int, QSize>;

class ChartRobustness : public testing::TestWithParam<RobustCase> {};

TEST_P(ChartRobustness, DrawsWhatFitsAtAnyMagnitude)
{
    const auto& [index, size] = GetParam();
    const Magnitude& magnitude = kMagnitudes[index];
    const std::vector<PriceBar> bars = BarsOf(magnitude);
    const std::vector<ChartDefinition> charts =
        Definitions({"Daily; DispMaxMin=1; MA=5,25", "Volume"});
    const std::string params = "AssistLine=1; ShowScrollBar=1; UpColor=255; DownColor=16711680";
    const QImage picture = PictureOf(bars, charts, params, size);
    ASSERT_EQ(picture.size(), size);
    const ChartPlan plan = PlanOf(bars, charts, params, size);
    EXPECT_TRUE(TextFaults(plan).empty());
    if (plan.panes.empty())
        return;   // no room for panes: the background alone

    // Candles only inside the price pane, in the plan and in the picture.
    const QRect pane = plan.layout.panes[0];
    const std::vector<QRect> candles = CandleRects(plan);
    for (const QRect& candle : candles)
        EXPECT_TRUE(pane.contains(candle));
    const auto candlePixels = [&](const QRect& area) {
        return CountColour(picture, 0xFFFF0000, area) + CountColour(picture, 0xFF0000FF, area);
    };
    const int inside = candlePixels(pane);
    EXPECT_EQ(candlePixels(picture.rect()), inside);
    if (magnitude.expect == Expect::Candles && plan.panes[0].rows.HasValueRows()) {
        EXPECT_FALSE(candles.empty());
    }
    if (magnitude.expect != Expect::Candles) {
        EXPECT_EQ(candles.size() + inside, 0u);
    }
    const bool message = std::any_of(plan.texts.begin(), plan.texts.end(), [](auto& text) {
        return text.text == QStringLiteral("値が大きすぎます");
    });
    if (magnitude.expect != Expect::TooLarge) {
        EXPECT_FALSE(message);
    } else if (pane.height() >= 40) {
        EXPECT_TRUE(message);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ChartRobustness, testing::Combine(
    testing::Range(0, int(kMagnitudes.size())),
    testing::Values(QSize(300, 180), QSize(100, 60), QSize(100, 180), QSize(160, 100),
                    QSize(1200, 800), QSize(40, 25), QSize(7, 5), QSize(1, 1))),
    [](const testing::TestParamInfo<RobustCase>& info) {
        const QSize size = std::get<1>(info.param);
        return std::string(kMagnitudes[std::get<0>(info.param)].name) + "_"
            + std::to_string(size.width()) + "x" + std::to_string(size.height());
    });

// Ticks are defined for every range: none where no round step exists, else inside it.
TEST(ChartTicks, DefinedForZeroDenormalAndNonFiniteRanges)
{
    const std::vector<std::tuple<double, double, bool>> rows = {
        {0, 0, false}, {0, kDenormal, false}, {-1e-310, 1e-310, false}, {0, 1e-300, true},
        {-kMax, kMax, false}, {1e308, kMax, true}, {-kInf, 0, false}, {0, std::nan(""), false}};
    for (const auto& [lo, hi, any] : rows) {
        for (const int maxTicks : {1, 8}) {
            const AxisTicks ticks = NiceTicks(lo, hi, maxTicks);
            EXPECT_EQ(ticks.count > 0, any) << lo << ".." << hi;
            EXPECT_LE(ticks.count, maxTicks + 1);
            if (ticks.count > 0) {
                EXPECT_TRUE(ticks.Value(0) >= lo && ticks.Value(ticks.count - 1) <= hi);
            }
        }
        EXPECT_GE(PriceDecimals(lo, hi), 0);
    }
}

} // namespace
