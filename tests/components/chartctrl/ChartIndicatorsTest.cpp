// Overlays, indicator panes, the log scale and the price styles, judged by their pixels and
// their plans.
#include "ChartPlanChecks.h"
#include "ChartStyle.h"
#include "ChartTestSeries.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>

using namespace quorex;
using namespace quorex::chart;

namespace {

// White background, pure red rising and pure blue falling.
const std::string kPlain = "BackColor=16777215; UpColor=255; DownColor=16711680";
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kBlue = 0xFF0000FF;

int PaneOf(const ChartPlan& plan, ChartKind kind)
{
    for (std::size_t i = 0; i < plan.panes.size(); ++i) {
        if (plan.panes[i].definition->kind == kind)
            return static_cast<int>(i);
    }
    return -1;
}

TEST(ChartIndicators, CloudTakesTheTintOfTheLeadingSpan)
{
    const ChartStyle style = ChartStyle::From(ParseParams(kPlain));
    const struct {
        SeriesShape shape;
        QColor shown, absent;
    } rows[] = {{SeriesShape::Rising, style.upCloud, style.downCloud},
                {SeriesShape::Falling, style.downCloud, style.upCloud}};
    for (const auto& row : rows) {
        const std::vector<PriceBar> bars = ShapedSeries(row.shape, 200, 60);
        const auto charts = Definitions({"Daily; Ichimoku"});
        const QImage image = PictureOf(bars, charts, kPlain, QSize(300, 180));
        EXPECT_GT(CountColour(image, row.shown.rgb(), image.rect()), 300);
        EXPECT_EQ(CountColour(image, row.absent.rgb(), image.rect()), 0);
    }
}

TEST(ChartIndicators, GuideLevelsLieAtTheirValues)
{
    const std::vector<PriceBar> bars = RandomWalk(400, 5);
    const auto charts = Definitions({"Daily", "RSI", "MACD", "Stoch", "RCI=9,26"});
    for (const QSize size : {QSize(300, 180), QSize(600, 360)}) {
        const ChartPlan plan = PlanOf(bars, charts, kPlain, size);
        const QImage image = PictureOf(bars, charts, kPlain, size);
        const struct {
            ChartKind kind;
            std::vector<double> levels;
        } rows[] = {{ChartKind::Rsi, {30, 70}}, {ChartKind::Macd, {0}},
                    {ChartKind::Stoch, {20, 80}}, {ChartKind::Rci, {-80, 0, 80}}};
        for (const auto& row : rows) {
            const int index = PaneOf(plan, row.kind);
            ASSERT_GE(index, 0);
            const PanePlan& pane = plan.panes[index];
            EXPECT_EQ(pane.levels, row.levels);
            const QRect rect = plan.layout.panes[index];
            for (const double level : row.levels) {
                const QRect line(rect.left() + 1, pane.values->ToRow(level), rect.width() - 2, 1);
                // Dotted: about half the row, where no line crosses it.
                EXPECT_GT(CountColour(image, plan.style.level.rgb(), line), line.width() / 8)
                    << int(row.kind) << " level " << level;
            }
            // Every value inside the pane's value rows.
            for (const PlotLine& line : pane.lines) {
                for (const double value : line.values) {
                    if (std::isfinite(value)) {
                        EXPECT_GE(pane.values->ToRow(value), pane.rows.valueTop);
                        EXPECT_LE(pane.values->ToRow(value), pane.rows.valueBottom);
                    }
                }
            }
        }
    }
}

TEST(ChartIndicators, StylesDrawBarsOrALineInsteadOfCandles)
{
    const std::vector<PriceBar> bars = RandomWalk(200, 8);
    const QSize size(300, 180);
    const std::string params = kPlain + "; DispNum=30";
    const auto count = [&](const char* definition, QRgb colour) {
        const QImage image = PictureOf(bars, Definitions({definition}), params, size);
        return CountColour(image, colour, image.rect());
    };
    const int candles = count("Daily", kRed) + count("Daily", kBlue);
    const int priceBars = count("Daily; Style=Bar", kRed) + count("Daily; Style=Bar", kBlue);
    EXPECT_GT(priceBars, 60);
    EXPECT_LT(priceBars * 2, candles);
    EXPECT_EQ(count("Daily; Style=Line", kRed) + count("Daily; Style=Line", kBlue), 0);
    // The line is drawn in the dark text colour across the plot.
    const QImage line = PictureOf(bars, Definitions({"Daily; Style=Line"}), params, size);
    int columns = 0;
    for (int x = 0; x < line.width(); ++x) {
        for (int y = 0; y < line.height(); ++y) {
            if (qGray(line.pixel(x, y)) < 130) {
                ++columns;
                break;
            }
        }
    }
    EXPECT_GT(columns, size.width() * 3 / 4);
}

TEST(ChartIndicators, LogScaleGivesEqualRatiosEqualHeights)
{
    std::vector<PriceBar> bars = RandomWalk(300, 4);
    const auto charts = Definitions({"Daily; Log=1"});
    const ChartPlan plan = PlanOf(bars, charts, kPlain, QSize(600, 360));
    const ValueMapper& values = *plan.panes.front().values;
    ASSERT_TRUE(values.logarithmic());
    const double lo = values.lo(), hi = values.hi();
    EXPECT_NEAR(values.ToPixel(std::sqrt(lo * hi)),
                (values.ToPixel(lo) + values.ToPixel(hi)) / 2, 1e-6);
    EXPECT_NEAR(values.ToValue(values.ToPixel(1234.5)), 1234.5, 1e-6);
    // A price at zero or below keeps the linear scale.
    bars.back().low = -5;
    const ChartPlan linear = PlanOf(bars, charts, kPlain, QSize(600, 360));
    EXPECT_FALSE(linear.panes.front().values->logarithmic());
}

TEST(ChartIndicators, LegendNamesEachLineWhereItFits)
{
    const std::vector<PriceBar> bars = RandomWalk(400, 6);
    const auto charts = Definitions({"Daily; MA=5; EMA=12; BB=20,2.5", "RSI=9", "MACD"});
    const ChartPlan plan = PlanOf(bars, charts, "AssistLine=1", QSize(600, 480));
    QStringList legend;
    for (const TextItem& item : plan.texts) {
        if (item.role == TextRole::Legend)
            legend << item.text;
    }
    EXPECT_EQ(legend, QStringList({"MA5", "EMA12", "BB20,2.5", "RSI9", "MACD12,26,9", "Sig9"}));
    // Thumbnails of the target definitions place their texts by the rules.
    const auto target = Definitions({"Daily; MA=5,25,75; BB=20,2; Ichimoku", "RSI=14",
                                     "MACD=12,26,9", "Volume"});
    for (const QSize size : {QSize(300, 180), QSize(600, 360)}) {
        for (const char* params : {"AssistLine=0", "AssistLine=1"}) {
            const std::vector<std::string> faults =
                TextFaults(PlanOf(bars, target, params, size));
            EXPECT_TRUE(faults.empty()) << params << " " << size.width() << ": " << faults.front();
        }
    }
}

// Names are kept per thread by definition: definitions that differ in one period, planned
// in turn, each keep their own.
TEST(ChartIndicators, LinesAreNamedByTheirOwnDefinition)
{
    const std::vector<PriceBar> bars = RandomWalk(400, 7);
    const struct {
        const char* definition;
        QStringList named;
        QStringList legend;
    } rows[] = {
        {"Daily; MA=5; EMA=12; BB=20,2.5", {"MA(5)", "EMA(12)", "BB upper(20,2.5)",
                                            "BB middle(20,2.5)", "BB lower(20,2.5)"},
         {"MA5", "EMA12", "BB20,2.5"}},
        {"Daily; MA=6; EMA=13; BB=21,2", {"MA(6)", "EMA(13)", "BB upper(21,2)",
                                          "BB middle(21,2)", "BB lower(21,2)"},
         {"MA6", "EMA13", "BB21,2"}},
        {"Daily; Ichimoku=7,22,44",
         {"Ichimoku 遅行スパン(7,22,44)", "Ichimoku 基準線(7,22,44)", "Ichimoku 転換線(7,22,44)",
          "Ichimoku 先行スパン1(7,22,44)", "Ichimoku 先行スパン2(7,22,44)"},
         {"一目7,22,44"}},
        {"MACD=5,10,3", {"MACD(5,10,3)", "MACD signal(5,10,3)", "MACD histogram(5,10,3)"},
         {"MACD5,10,3", "Sig3"}},
        {"MACD", {"MACD(12,26,9)", "MACD signal(12,26,9)", "MACD histogram(12,26,9)"},
         {"MACD12,26,9", "Sig9"}},
        {"Stoch=10,4,2", {"Stoch %K(10,4,2)", "Stoch %D(10,4,2)"}, {"%K10,4", "%D2"}},
        {"RCI=9,26", {"RCI(9)", "RCI(26)"}, {"RCI9", "RCI26"}},
        {"RSI", {"RSI(14)"}, {"RSI14"}},
    };
    for (int round = 0; round < 2; ++round) {
        for (const auto& row : rows) {
            const auto charts = Definitions({row.definition});
            const ChartPlan plan = PlanOf(bars, charts, "AssistLine=0", QSize(600, 360));
            ASSERT_FALSE(plan.panes.empty()) << row.definition;
            QStringList named, legend;
            for (const auto& [name, values] : plan.panes.front().named)
                named << name;
            for (const LegendEntry& entry : plan.panes.front().legend)
                legend << entry.text;
            EXPECT_EQ(named, row.named) << row.definition;
            EXPECT_EQ(legend, row.legend) << row.definition;
        }
    }
}

} // namespace

namespace {

// Styles are kept per thread by what they are made of: parameters asked for in turn, that
// differ in one colour or the font size, each get their own.
TEST(ChartIndicators, StylesFollowTheirParameters)
{
    const std::string dark = "BackColor=0; LineColor=16777215";
    const std::vector<std::string> texts = {kPlain,
                                            dark,
                                            dark + "; FontSize=14",
                                            kPlain + "; LineColor=255",
                                            dark + "; UpColor=65280",
                                            dark + "; DownColor=65280",
                                            kPlain};
    for (const std::string& text : texts) {
        const ChartParams params = ParseParams(text);
        const ChartStyle style = ChartStyle::From(params);
        EXPECT_EQ(style.back, ColorFromColorRef(params.backColor)) << text;
        EXPECT_EQ(style.text, ColorFromColorRef(params.lineColor)) << text;
        EXPECT_EQ(style.upBody, ColorFromColorRef(params.upColor)) << text;
        EXPECT_EQ(style.downBody, ColorFromColorRef(params.downColor)) << text;
        EXPECT_EQ(style.font.pixelSize(), PixelSizeForPoints(params.fontSize)) << text;
    }
}

// The panes of one picture read one copy of the bars, made for the longest look-back among
// them: each pane's lines are still those it has in a picture of its own, to the bit, with
// any other panes around it, of the same period or not. (Indicator panes take the period
// of the first price chart: a daily one comes first here, as alone they are daily.)
TEST(ChartIndicators, PanesTogetherDrawWhatEachDrawsAlone)
{
    const std::vector<PriceBar> bars = RandomWalk(1500, 11);
    const std::vector<std::string> alone = {"Daily; BB=20,2; Ichimoku", "RSI=14", "MACD",
                                            "Stoch", "Weekly; EMA=13", "RCI=9,26"};
    const std::vector<std::vector<std::string>> together = {
        alone, {"MACD", "RSI=14", "Daily; BB=20,2; Ichimoku"},
        {"RSI=14", "Daily; EMA=5", "Stoch", "Weekly; EMA=13", "RCI=9,26"}};
    const auto linesOf = [](const PanePlan& pane) {
        std::vector<std::pair<QString, std::vector<double>>> lines;
        for (const auto& [name, values] : pane.named)
            lines.emplace_back(name, values);
        return lines;
    };
    for (const auto& texts : together) {
        const auto charts = Definitions(texts);
        const ChartPlan plan = PlanOf(bars, charts, "AssistLine=0", QSize(600, 600));
        ASSERT_EQ(plan.panes.size(), texts.size());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const auto one = Definitions({texts[i]});
            const ChartPlan single = PlanOf(bars, one, "AssistLine=0", QSize(600, 600));
            ASSERT_FALSE(single.panes.empty()) << texts[i];
            const auto expected = linesOf(single.panes.front());
            const auto actual = linesOf(plan.panes[i]);
            ASSERT_FALSE(expected.empty()) << texts[i];
            ASSERT_EQ(actual.size(), expected.size()) << texts[i];
            for (std::size_t k = 0; k < expected.size(); ++k) {
                EXPECT_EQ(actual[k].first, expected[k].first) << texts[i];
                ASSERT_EQ(actual[k].second.size(), expected[k].second.size()) << texts[i];
                for (std::size_t j = 0; j < expected[k].second.size(); ++j) {
                    const double a = actual[k].second[j], e = expected[k].second[j];
                    EXPECT_TRUE(a == e || (std::isnan(a) && std::isnan(e)))
                        << texts[i] << " " << expected[k].first.toStdString() << " " << j;
                }
            }
        }
    }
}

} // namespace
