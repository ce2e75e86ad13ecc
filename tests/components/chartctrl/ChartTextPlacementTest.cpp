// Texts never meet candles, each other or the catalog's label line; the plot keeps one size
// whatever the data; price axes show at least two round labels.
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
constexpr char kPlainColours[] = "; BackColor=16777215; UpColor=255; DownColor=16711680";

struct ChartSet {
    const char* name;
    std::vector<std::string> charts;
    std::string params;
};

const std::vector<ChartSet> kChartSets = {
    {"full", {"Daily; DispMaxMin=1; MA=5,25,75", "Volume"}, "AssistLine=1; ShowScrollBar=1"},
    {"single", {"Daily; DispMaxMin=1; MA=5,25"}, "AssistLine=1; FontSize=10"},
    {"periods", {"Weekly; DispMaxMin=1; MA=13,26", "Daily; DispMaxMin=1", "Volume"},
     "AssistLine=1; FontSize=8"},
    {"noLabels", {"Daily; MA=5,25,75,200", "Volume"}, "AssistLine=0"},
    {"volumeFirst", {"Volume", "Daily; DispMaxMin=1; MA=5"}, "AssistLine=1"},
};

const std::vector<QSize> kSizes = {{120, 80}, {160, 100}, {240, 160}, {300, 180},
                                   {450, 270}, {600, 360}, {800, 500}, {1200, 800}};

const std::vector<SeriesShape> kShapes = {SeriesShape::Walk, SeriesShape::Rising,
                                          SeriesShape::Falling, SeriesShape::Flat,
                                          SeriesShape::SpikeNewest, SeriesShape::SpikeOldest};

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
    const ChartSet& charts = kChartSets[set];
    const std::vector<PriceBar> bars = ShapedSeries(shape, 400, 60);
    const std::vector<ChartDefinition> definitions = Definitions(charts.charts);
    const std::string params = charts.params + kPlainColours;
    const ChartPlan plan = PlanOf(bars, definitions, params, size);
    ASSERT_EQ(plan.panes.size(), definitions.size());
    const std::vector<std::string> faults = TextFaults(plan);
    EXPECT_TRUE(faults.empty()) << charts.name << " " << size.width() << "x" << size.height()
                                << Joined(faults);

    // In the picture too: no candle pixel in the label line.
    ASSERT_FALSE(plan.freeLine.isEmpty());
    const QImage picture = PictureOf(bars, definitions, params, size);
    EXPECT_EQ(CountColour(picture, kRed, plan.freeLine), 0);
    EXPECT_EQ(CountColour(picture, kBlue, plan.freeLine), 0);

    // The marks are placed, not merely left out, where the pane has room.
    for (std::size_t i = 0; i < plan.panes.size(); ++i) {
        const PanePlan& pane = plan.panes[i];
        if (!pane.IsPrice() || !pane.definition->dispMaxMin || size.width() < 300
            || plan.layout.panes[i].height() < 100)
            continue;
        const auto marks = std::count_if(plan.texts.begin(), plan.texts.end(),
            [&](const TextItem& item) {
                return item.pane == int(i) && item.role == TextRole::Extreme;
            });
        EXPECT_EQ(marks, shape == SeriesShape::Flat ? 1 : 2) << charts.name << " pane " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ChartTextPlacement,
                         testing::Combine(testing::Range(0, int(kChartSets.size())),
                                          testing::ValuesIn(kSizes),
                                          testing::ValuesIn(kShapes)));

// Legends go where they fit: never into the price column, or they are left out.
TEST(ChartLegend, StaysInsideItsPaneOrIsLeftOut)
{
    const std::vector<PriceBar> bars = RandomWalk(300, 4);
    const std::vector<ChartDefinition> charts =
        Definitions({"Daily; DispMaxMin=1; MA=5,25,75,200", "Weekly; MA=13,26,52"});
    for (const QSize size :
         {QSize(130, 300), QSize(200, 300), QSize(300, 180), QSize(1200, 800)}) {
        const ChartPlan plan = PlanOf(bars, charts, "AssistLine=1; FontSize=11", size);
        for (const TextItem& item : plan.texts) {
            if (item.role != TextRole::Legend)
                continue;
            EXPECT_TRUE(plan.layout.panes[item.pane].adjusted(1, 1, -1, -1).contains(item.rect))
                << item.text.toStdString();
            EXPECT_FALSE(item.rect.intersects(plan.layout.priceAxis)) << item.text.toStdString();
        }
        EXPECT_TRUE(TextFaults(plan).empty()) << size.width() << Joined(TextFaults(plan));
    }
}

// Within one catalog every thumbnail's plot lines up: the same rectangles whatever the bars.
TEST(ChartPlotRect, SameForEverySeriesAtOneSize)
{
    const std::vector<PriceBar> walk = RandomWalk(300, 8);
    const std::vector<std::vector<PriceBar>> series = {
        walk, Scaled(walk, 1e-3), Scaled(walk, 100), Scaled(walk, 1e9),
        ShapedSeries(SeriesShape::Flat, 300, 60), ShapedSeries(SeriesShape::Rising, 300, 60),
        RandomWalk(3, 1), Scaled(walk, 1e33)};
    const std::vector<ChartDefinition> charts =
        Definitions({"Daily; DispMaxMin=1; MA=5,25", "Weekly", "Volume"});
    for (const char* params : {"AssistLine=1", "AssistLine=1; ShowScrollBar=1; FontSize=11",
                               "AssistLine=0; DispNum=120"}) {
        for (const QSize size : {QSize(160, 100), QSize(300, 180), QSize(600, 360)}) {
            const ChartPlan first = PlanOf(series.front(), charts, params, size);
            for (std::size_t k = 1; k < series.size(); ++k) {
                const ChartPlan plan = PlanOf(series[k], charts, params, size);
                EXPECT_EQ(plan.layout.plot, first.layout.plot) << params << " series " << k;
                EXPECT_EQ(plan.layout.panes, first.layout.panes) << params << " series " << k;
                EXPECT_EQ(plan.layout.priceAxis, first.layout.priceAxis) << params;
            }
        }
    }
}

bool IsRoundStep(double step)
{
    const double unit = std::pow(10.0, std::floor(std::log10(step)));
    const double factor = step / unit;
    constexpr double kRound[] = {1, 2, 2.5, 5};
    return std::any_of(std::begin(kRound), std::end(kRound),
                       [&](double f) { return std::abs(factor - f) < 1e-9; });
}

// A price axis of a pane at least 120 pixels tall shows two round labels or more.
TEST(ChartPriceLabels, AtLeastTwoRoundOnesInPanesFrom120PixelsUp)
{
    const std::vector<PriceBar> walk = RandomWalk(300, 6);
    const std::vector<std::vector<PriceBar>> series = {
        walk, Scaled(walk, 0.01), Scaled(walk, 30), Scaled(walk, 1e6),
        ShapedSeries(SeriesShape::Flat, 300, 60), ShapedSeries(SeriesShape::SpikeNewest, 300, 60),
        ShapedSeries(SeriesShape::Rising, 300, 60)};
    const std::vector<ChartDefinition> charts =
        Definitions({"Daily; DispMaxMin=1; MA=5", "Volume"});
    int panesSeen = 0;
    for (const int height : {170, 200, 240, 300, 420, 800}) {
        for (const int fontSize : {8, 9, 10, 12}) {
            for (std::size_t k = 0; k < series.size(); ++k) {
                const std::string params = "AssistLine=1; FontSize=" + std::to_string(fontSize);
                const ChartPlan plan = PlanOf(series[k], charts, params, QSize(300, height));
                for (std::size_t i = 0; i < plan.panes.size(); ++i) {
                    if (!plan.panes[i].IsPrice() || plan.layout.panes[i].height() < 120)
                        continue;
                    ++panesSeen;
                    std::set<QString> labels;
                    for (const TextItem& item : plan.texts) {
                        if (item.pane == int(i) && item.role == TextRole::PriceLabel)
                            labels.insert(item.text);
                    }
                    EXPECT_GE(labels.size(), 2u) << "height " << height << " font " << fontSize
                                                 << " series " << k;
                    EXPECT_TRUE(IsRoundStep(plan.panes[i].ticks.step))
                        << plan.panes[i].ticks.step;
                }
            }
        }
    }
    EXPECT_GT(panesSeen, 100);
}

// Prices too wide for the column are shortened so that the labels still fit and differ.
TEST(ChartPriceLabels, WidePricesAreShortened)
{
    struct Row {
        double factor;
        const char* contains;
    };
    const std::vector<PriceBar> walk = RandomWalk(200, 6);
    const std::vector<ChartDefinition> charts = Definitions({"Daily"});
    for (const Row& row : std::vector<Row>{{100, "K"}, {1e5, "M"}, {1e10, "T"}, {1e30, "e"}}) {
        const std::vector<PriceBar> bars = Scaled(walk, row.factor);
        const ChartPlan plan = PlanOf(bars, charts, "AssistLine=1", QSize(300, 300));
        std::set<QString> labels;
        for (const TextItem& item : plan.texts) {
            if (item.role != TextRole::PriceLabel)
                continue;
            EXPECT_TRUE(item.text.contains(QLatin1String(row.contains)))
                << item.text.toStdString();
            labels.insert(item.text);
        }
        EXPECT_GE(labels.size(), 2u) << row.factor;
        EXPECT_TRUE(TextFaults(plan).empty()) << Joined(TextFaults(plan));
    }
}

// The top line stays free at any size where a line of the catalog's label fits, also when
// many small panes share the picture.
TEST(ChartLabelLine, NoCandleEntersItAtSmallHeights)
{
    const std::vector<PriceBar> bars = RandomWalk(200, 3);
    std::vector<std::string> many(12, "Daily; DispMaxMin=1");
    many.insert(many.begin() + 1, "Volume");
    const std::vector<std::vector<std::string>> chartSets = {
        {"Daily; MA=5", "Volume", "Weekly"}, {"Volume", "Daily"},
        {"Volume", "Volume", "Daily; MA=5"}, many};
    for (const std::vector<std::string>& texts : chartSets) {
        const std::vector<ChartDefinition> charts = Definitions(texts);
        for (const int height : {30, 36, 45, 60, 80, 120}) {
            for (const char* params : {"AssistLine=0", "AssistLine=1; FontSize=4"}) {
                const std::string plain = params + std::string(kPlainColours);
                const ChartPlan plan = PlanOf(bars, charts, plain, QSize(200, height));
                ASSERT_FALSE(plan.freeLine.isEmpty()) << height;
                EXPECT_GE(plan.freeLine.height(), 13);
                const QImage picture = PictureOf(bars, charts, plain, QSize(200, height));
                EXPECT_EQ(CountColour(picture, kRed, plan.freeLine), 0) << height << params;
                EXPECT_EQ(CountColour(picture, kBlue, plan.freeLine), 0) << height << params;
                EXPECT_TRUE(TextFaults(plan).empty()) << height << Joined(TextFaults(plan));
            }
        }
    }
}

} // namespace
