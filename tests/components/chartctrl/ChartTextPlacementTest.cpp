// Texts meet no candle, no other text and not the catalog's label line; the plot keeps one
// size whatever the data; price axes show at least two round labels.
#include "ChartPlanChecks.h"
#include "ChartTestSeries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace quorex;
using namespace quorex::chart;

namespace {

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr char kPlain[] = "; BackColor=16777215; UpColor=255; DownColor=16711680";

struct Charts {
    std::vector<std::string> texts;
    std::string params;
};

const std::vector<Charts> kCharts = {
    {{"Daily; DispMaxMin=1; MA=5,25,75", "Volume"}, "AssistLine=1; ShowScrollBar=1"},
    {{"Daily; DispMaxMin=1; MA=5,25,75,200"}, "AssistLine=1; FontSize=11"},
    {{"Weekly; DispMaxMin=1; MA=13,26", "Daily; DispMaxMin=1", "Volume"}, "AssistLine=1"},
    {{"Volume", "Daily; DispMaxMin=1; MA=5", "Volume", "Daily"}, "AssistLine=0; FontSize=8"},
};

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += "\n  " + line;
    return text;
}

using PlacementCase = std::tuple<int, QSize, SeriesShape>;

class ChartTextPlacement : public testing::TestWithParam<PlacementCase> {};

TEST_P(ChartTextPlacement, TextsMeetNoCandleNoTextAndNotTheLabelLine)
{
    const auto& [set, size, shape] = GetParam();
    const std::vector<PriceBar> bars = ShapedSeries(shape, 400, 60);
    const std::vector<ChartDefinition> charts = Definitions(kCharts[set].texts);
    const std::string params = kCharts[set].params + kPlain;
    const ChartPlan plan = PlanOf(bars, charts, params, size);
    EXPECT_TRUE(TextFaults(plan).empty()) << Joined(TextFaults(plan));
    // In the picture too: no candle pixel in the label line.
    ASSERT_FALSE(plan.freeLine.isEmpty());
    const QImage picture = PictureOf(bars, charts, params, size);
    EXPECT_EQ(CountColour(picture, kRed, plan.freeLine), 0);
    EXPECT_EQ(CountColour(picture, kBlue, plan.freeLine), 0);
    // The marks are placed, not merely left out, where a pane has room.
    for (std::size_t i = 0; i < plan.panes.size(); ++i) {
        if (!plan.panes[i].IsPrice() || !plan.panes[i].definition->dispMaxMin
            || size.width() < 300 || plan.layout.panes[i].height() < 100)
            continue;
        const auto marks = std::count_if(plan.texts.begin(), plan.texts.end(), [&](auto& t) {
            return t.pane == int(i) && t.role == TextRole::Extreme;
        });
        EXPECT_EQ(marks, shape == SeriesShape::Flat ? 1 : 2) << "pane " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ChartTextPlacement, testing::Combine(
    testing::Range(0, int(kCharts.size())),
    testing::Values(QSize(120, 80), QSize(160, 100), QSize(240, 160), QSize(300, 180),
                    QSize(450, 270), QSize(600, 360), QSize(800, 500), QSize(1200, 800)),
    testing::Values(SeriesShape::Walk, SeriesShape::Rising, SeriesShape::Falling,
                    SeriesShape::Flat, SeriesShape::SpikeNewest, SeriesShape::SpikeOldest)));

// The label line stays free at small heights too, and where small panes crowd it.
TEST(ChartLabelLine, NoCandleEntersItAtSmallHeights)
{
    const std::vector<PriceBar> bars = RandomWalk(200, 3);
    std::vector<std::string> many(12, "Daily; DispMaxMin=1");
    many.insert(many.begin(), "Volume");
    const std::vector<std::vector<std::string>> sets = {
        {"Daily; MA=5", "Volume"}, {"Volume", "Daily"}, {"Volume", "Volume", "Daily"}, many};
    for (const auto& texts : sets) {
        const std::vector<ChartDefinition> charts = Definitions(texts);
        for (const int height : {30, 36, 45, 60, 80, 120}) {
            const std::string params = std::string("AssistLine=1; FontSize=4") + kPlain;
            const ChartPlan plan = PlanOf(bars, charts, params, QSize(200, height));
            ASSERT_GE(plan.freeLine.height(), 13);
            const QImage picture = PictureOf(bars, charts, params, QSize(200, height));
            EXPECT_EQ(CountColour(picture, kRed, plan.freeLine)
                          + CountColour(picture, kBlue, plan.freeLine), 0) << height;
            EXPECT_TRUE(TextFaults(plan).empty()) << height << Joined(TextFaults(plan));
        }
    }
}

// Within one catalog every thumbnail's plot lines up: the same rectangles whatever the bars.
TEST(ChartPlotRect, SameForEverySeriesAtOneSize)
{
    const std::vector<PriceBar> walk = RandomWalk(300, 8);
    const std::vector<std::vector<PriceBar>> series = {
        walk, Scaled(walk, 1e-3), Scaled(walk, 100), Scaled(walk, 1e33), RandomWalk(3, 1),
        ShapedSeries(SeriesShape::Flat, 300, 60), ShapedSeries(SeriesShape::Rising, 300, 60)};
    const std::vector<ChartDefinition> charts =
        Definitions({"Daily; DispMaxMin=1; MA=5", "Volume"});
    for (const char* params : {"AssistLine=1", "AssistLine=1; ShowScrollBar=1; FontSize=11"}) {
        for (const QSize size : {QSize(160, 100), QSize(300, 180), QSize(600, 360)}) {
            const ChartPlan first = PlanOf(series.front(), charts, params, size);
            for (std::size_t k = 1; k < series.size(); ++k) {
                const ChartPlan plan = PlanOf(series[k], charts, params, size);
                EXPECT_EQ(plan.layout.panes, first.layout.panes) << params << " series " << k;
                EXPECT_EQ(plan.layout.priceAxis, first.layout.priceAxis) << params;
            }
        }
    }
}

// A price pane at least 120 pixels tall shows two or more round labels; prices too wide for
// the column are shortened, so they still fit and differ.
TEST(ChartPriceLabels, AtLeastTwoRoundOnesInPanesFrom120PixelsUp)
{
    const std::vector<PriceBar> walk = RandomWalk(300, 6);
    const std::vector<std::vector<PriceBar>> series = {
        walk, Scaled(walk, 0.01), Scaled(walk, 30), Scaled(walk, 1e6), Scaled(walk, 1e30),
        ShapedSeries(SeriesShape::Flat, 300, 60), ShapedSeries(SeriesShape::SpikeNewest, 300, 60)};
    const std::vector<ChartDefinition> charts =
        Definitions({"Daily; DispMaxMin=1; MA=5", "Volume"});
    for (const int height : {190, 220, 260, 300, 800}) {
        for (const int font : {8, 9, 12}) {
            for (std::size_t k = 0; k < series.size(); ++k) {
                const std::string params = "AssistLine=1; FontSize=" + std::to_string(font);
                const ChartPlan plan = PlanOf(series[k], charts, params, QSize(300, height));
                ASSERT_GE(plan.layout.panes[0].height(), 120);
                std::set<QString> labels;
                for (const TextItem& item : plan.texts) {
                    if (item.pane == 0 && item.role == TextRole::PriceLabel)
                        labels.insert(item.text);
                }
                EXPECT_GE(labels.size(), 2u) << height << " font " << font << " series " << k;
                const double step = plan.panes[0].ticks.step;
                const double factor = step / std::pow(10.0, std::floor(std::log10(step)));
                const double round[] = {1, 2, 2.5, 5};
                EXPECT_TRUE(std::any_of(std::begin(round), std::end(round),
                                        [&](double f) { return std::abs(f - factor) < 1e-9; }))
                    << step;
                EXPECT_TRUE(TextFaults(plan).empty()) << Joined(TextFaults(plan));
            }
        }
    }
}

} // namespace

// The high and low marks write prices with the series' own decimals, as the label does, not
// with as many as a narrow range would tell apart.
TEST(ChartExtremeMarks, WriteTheSeriesOwnDecimals)
{
    const struct {
        double base;
        double tick;     // every price is base + a multiple of tick
        int decimals;
    } rows[] = {{1.2, 0.01, 2}, {1520, 1, 0}, {98.5, 0.5, 1}, {0.0452, 0.0001, 4},
                {31000, 5, 0}, {12.31, 0.01, 2}};
    const std::vector<ChartDefinition> charts = Definitions({"Daily; DispMaxMin=1"});
    for (const auto& row : rows) {
        std::vector<PriceBar> bars;
        for (int i = 0; i < 60; ++i) {
            const double mid = row.base + ((i * 7) % 6) * row.tick;
            bars.push_back({20240101 + i % 28 + 100 * (i / 28), mid, mid + row.tick,
                            mid - row.tick, mid, 1000});
        }
        const ChartPlan plan = PlanOf(bars, charts, "AssistLine=1", QSize(300, 180));
        int marks = 0;
        for (const TextItem& item : plan.texts) {
            if (item.role != TextRole::Extreme)
                continue;
            ++marks;
            const qsizetype point = item.text.indexOf(QLatin1Char('.'));
            EXPECT_EQ(point < 0 ? 0 : item.text.size() - point - 1, row.decimals)
                << item.text.toStdString();
        }
        EXPECT_EQ(marks, 2) << row.base;
    }
}
