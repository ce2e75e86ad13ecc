// Any prices, any size: a defined picture, never a crash, nothing drawn outside its place.
#include "AxisTicks.h"
#include "ChartPlanChecks.h"
#include "ChartTestSeries.h"
#include "ValueMapper.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace quorex;
using namespace quorex::chart;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kDenormal = 5e-324;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kBlue = 0xFF0000FF;

enum class Expect { Candles, TooLarge, Nothing };

struct Magnitude {
    const char* name;
    std::vector<PriceBar> (*bars)();
    Expect expect;
};

std::vector<PriceBar> Level(double price)
{
    return Scaled(RandomWalk(120, 31), price / 1500);
}

std::vector<PriceBar> Constant(double price)
{
    std::vector<PriceBar> bars = RandomWalk(120, 31);
    for (PriceBar& bar : bars)
        bar.open = bar.high = bar.low = bar.close = price;
    return bars;
}

const std::vector<Magnitude> kMagnitudes = {
    {"1e12", [] { return Level(1e12); }, Expect::Candles},
    {"1e33", [] { return Level(1e33); }, Expect::Candles},
    {"1e300", [] { return Level(1e300); }, Expect::Candles},
    {"max", [] { return Constant(std::numeric_limits<double>::max()); }, Expect::Candles},
    {"zero", [] { return Constant(0); }, Expect::Candles},
    {"denormal", [] { return Constant(kDenormal); }, Expect::Candles},
    {"zeroToDenormal", [] {
         std::vector<PriceBar> bars = Constant(0);
         bars.back().high = bars.back().close = kDenormal;
         return bars;
     }, Expect::Candles},
    {"negative", [] { return Level(-2500); }, Expect::Candles},
    {"overflowingRange", [] {
         std::vector<PriceBar> bars = Constant(1e308);
         bars.back().low = bars.back().open = -1e308;
         return bars;
     }, Expect::TooLarge},
    {"inf", [] { return Constant(kInf); }, Expect::Nothing},
    {"minusInf", [] { return Constant(-kInf); }, Expect::Nothing},
    {"nan", [] { return Constant(kNaN); }, Expect::Nothing},
    {"oneBar", [] { return RandomWalk(1, 2); }, Expect::Candles},
};

const std::vector<QSize> kSizes = {{300, 180}, {100, 60}, {100, 180}, {160, 100},
                                   {1200, 800}, {40, 25}, {7, 5}, {1, 1}};

using RobustCase = std::tuple<int, QSize>;

class ChartRobustness : public testing::TestWithParam<RobustCase> {};

TEST_P(ChartRobustness, DrawsWhatFitsAtAnyMagnitude)
{
    const auto& [index, size] = GetParam();
    const Magnitude& magnitude = kMagnitudes[index];
    const std::vector<PriceBar> bars = magnitude.bars();
    const std::vector<ChartDefinition> charts =
        Definitions({"Daily; DispMaxMin=1; MA=5,25", "Volume"});
    const std::string params = "AssistLine=1; ShowScrollBar=1; BackColor=16777215; "
                               "UpColor=255; DownColor=16711680";
    const QImage picture = PictureOf(bars, charts, params, size);
    ASSERT_EQ(picture.size(), size);
    const ChartPlan plan = PlanOf(bars, charts, params, size);
    EXPECT_TRUE(TextFaults(plan).empty()) << magnitude.name;
    if (plan.panes.empty())
        return;   // too small for panes: the background alone

    // Candles only inside the price pane, in the plan and in the picture.
    const QRect pane = plan.layout.panes[0];
    const std::vector<QRect> candles = CandleRects(plan);
    for (const QRect& candle : candles)
        EXPECT_TRUE(pane.contains(candle)) << magnitude.name;
    const int inside = CountColour(picture, kRed, pane) + CountColour(picture, kBlue, pane);
    const int all = CountColour(picture, kRed, picture.rect())
        + CountColour(picture, kBlue, picture.rect());
    EXPECT_EQ(all, inside) << magnitude.name;
    if (magnitude.expect == Expect::Candles && plan.panes[0].rows.HasValueRows())
        EXPECT_FALSE(candles.empty()) << magnitude.name;
    if (magnitude.expect != Expect::Candles) {
        EXPECT_TRUE(candles.empty()) << magnitude.name;
        EXPECT_EQ(inside, 0) << magnitude.name;
    }
    const bool message = std::any_of(plan.texts.begin(), plan.texts.end(), [](const TextItem& t) {
        return t.role == TextRole::Message && t.text == QStringLiteral("値が大きすぎます");
    });
    if (magnitude.expect == Expect::TooLarge && pane.height() >= 40)
        EXPECT_TRUE(message) << magnitude.name;
    if (magnitude.expect != Expect::TooLarge)
        EXPECT_FALSE(message) << magnitude.name;
}

INSTANTIATE_TEST_SUITE_P(Table, ChartRobustness,
                         testing::Combine(testing::Range(0, int(kMagnitudes.size())),
                                          testing::ValuesIn(kSizes)),
                         [](const testing::TestParamInfo<RobustCase>& info) {
                             const QSize size = std::get<1>(info.param);
                             return std::string(kMagnitudes[std::get<0>(info.param)].name) + "_"
                                 + std::to_string(size.width()) + "x"
                                 + std::to_string(size.height());
                         });

// Ticks are defined for every range: none where no round step exists, else inside it.
TEST(ChartTicks, DefinedForZeroDenormalAndNonFiniteRanges)
{
    struct Row {
        double lo, hi;
        bool any;
    };
    const double max = std::numeric_limits<double>::max();
    for (const Row& row : std::vector<Row>{{0, 0, false}, {0, kDenormal, false},
                                           {-kDenormal, kDenormal, false},
                                           {0, 1e-300, true}, {-max, max, false},
                                           {0, 1e307, true}, {-kInf, 0, false}, {0, kNaN, false},
                                           {kNaN, kNaN, false}, {1e308, max, true},
                                           {-1e-310, 1e-310, false}}) {
        for (const int maxTicks : {1, 4, 8}) {
            const AxisTicks ticks = NiceTicks(row.lo, row.hi, maxTicks);
            EXPECT_EQ(ticks.count > 0, row.any) << row.lo << ".." << row.hi;
            EXPECT_LE(ticks.count, maxTicks + 1);
            for (int k = 0; k < ticks.count; ++k) {
                EXPECT_GE(ticks.Value(k), row.lo - ticks.step * 1e-6);
                EXPECT_LE(ticks.Value(k), row.hi + ticks.step * 1e-6);
            }
        }
        EXPECT_GE(PriceDecimals(row.lo, row.hi), 0);
    }
}

// A range of denormal width is shown like a flat one: its bars sit in the middle.
TEST(ChartValueMapper, DenormalRangeSitsInTheMiddle)
{
    for (const auto& [lo, hi] : std::vector<std::pair<double, double>>{
             {0, kDenormal}, {kDenormal, kDenormal}, {-kDenormal, 0}, {0, 1e-295}}) {
        const ValueMapper values(lo, hi, 0, 100);
        EXPECT_NEAR(values.ToRow(lo), 50, 1) << lo << ".." << hi;
        EXPECT_NEAR(values.ToRow(hi), 50, 1) << lo << ".." << hi;
        EXPECT_TRUE(std::isfinite(values.ToValue(30)));
    }
}

} // namespace
