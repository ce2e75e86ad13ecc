#include "ChartControl.h"
#include "ChartPlanChecks.h"
#include "PeriodBars.h"
#include "ChartRenderer.h"
#include "ChartStyle.h"
#include "ChartTestSeries.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <thread>

using namespace quorex;
using namespace quorex::chart;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kBlue = 0xFF0000FF;
// White background, pure red rising and pure blue falling candles.
constexpr char kPlainColours[] = "BackColor=16777215; UpColor=255; DownColor=16711680";

QImage Render(const std::vector<PriceBar>& bars, std::vector<ChartDefinition> charts,
              const std::string& params, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    RenderChart(painter, image.rect(), {bars, charts, ParseParams(params), {}});
    return image;
}

ChartDefinition Daily()
{
    return *ParseDefinition("Daily");
}

// Columns and rows that hold a colour.
struct Extent {
    int left = INT_MAX, right = -1, top = INT_MAX, bottom = -1, pixels = 0;
};

Extent FindColour(const QImage& image, QRgb colour)
{
    Extent extent;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != colour)
                continue;
            extent.left = std::min(extent.left, x);
            extent.right = std::max(extent.right, x);
            extent.top = std::min(extent.top, y);
            extent.bottom = std::max(extent.bottom, y);
            ++extent.pixels;
        }
    }
    return extent;
}

int CountInRow(const QImage& image, int y, QRgb colour)
{
    int count = 0;
    for (int x = 0; x < image.width(); ++x)
        count += image.pixel(x, y) == colour;
    return count;
}

TEST(ChartRender, UpDayAndDownDayLandInTheirColumnsAndColours)
{
    // Day 1 rises 100 -> 110, day 2 falls 110 -> 102.
    const std::vector<PriceBar> bars = {{20240603, 100, 112, 98, 110, 1000},
                                        {20240604, 110, 111, 100, 102, 800}};
    const QImage image = Render(bars, {Daily()}, std::string(kPlainColours) + "; DispNum=2",
                                QSize(200, 120));
    const Extent up = FindColour(image, kRed);
    const Extent down = FindColour(image, kBlue);
    ASSERT_GT(up.pixels, 0);
    ASSERT_GT(down.pixels, 0);
    EXPECT_LT(up.right, 100);      // first slot: left half
    EXPECT_GE(down.left, 100);     // second slot: right half
    // Higher prices are higher up: the rising day reaches both the highest high and the
    // lowest low.
    EXPECT_LT(up.top, down.top);
    EXPECT_GT(up.bottom, down.bottom);
    // Wicks are one pixel wide; bodies are wider.
    EXPECT_EQ(CountInRow(image, up.top, kRed), 1);
    EXPECT_EQ(CountInRow(image, down.bottom, kBlue), 1);
    EXPECT_GT(CountInRow(image, (up.top + up.bottom) / 2, kRed), 1);
}

TEST(ChartRender, FlatSeriesDrawsAMiddleLine)
{
    std::vector<PriceBar> bars;
    for (int i = 0; i < 30; ++i)
        bars.push_back({AddDays(20240101, i), 500, 500, 500, 500, 0});
    const ChartDefinition volume = *ParseDefinition("Volume");
    const QImage image = Render(bars, {*ParseDefinition("Daily; DispMaxMin=1; MA=5"), volume},
                                std::string(kPlainColours) + "; AssistLine=1", QSize(300, 180));
    const Extent up = FindColour(image, kRed);
    ASSERT_GT(up.pixels, 0);
    EXPECT_EQ(up.top, up.bottom);   // one row: open = high = low = close
}

// No charts: background everywhere. No data: background inside the frame a chart has, so
// a catalog's cells without data stay apart.
TEST(ChartRender, NoDataIsBackgroundInItsFrameAndNoChartsBackgroundEverywhere)
{
    const std::vector<PriceBar> bars = RandomWalk(100, 1);
    const std::string params = "BackColor=2113664";   // 0x204080: red 128, green 64, blue 32
    const QRgb back = qRgb(128, 64, 32);
    EXPECT_EQ(FindColour(Render(bars, {}, params, QSize(120, 80)), back).pixels, 120 * 80);
    const QImage empty = Render({}, {Daily()}, params, QSize(120, 80));
    const QRect box(2, 2, 116, 76);  // within the outer margin
    for (int y = 0; y < empty.height(); ++y) {
        for (int x = 0; x < empty.width(); ++x) {
            const bool border = box.contains(x, y) && !box.adjusted(1, 1, -1, -1).contains(x, y);
            ASSERT_EQ(empty.pixel(x, y) != back, border) << x << "," << y;
        }
    }
}

TEST(ChartRender, ExtremeSizesDoNotCrash)
{
    const std::vector<PriceBar> bars = RandomWalk(300, 2);
    const std::vector<ChartDefinition> all = {*ParseDefinition("Daily; DispMaxMin=1; MA=5,25"),
                                              *ParseDefinition("Weekly"),
                                              *ParseDefinition("Volume")};
    const std::string params = "AssistLine=1; ShowScrollBar=1; FontSize=72";
    for (const QSize size : {QSize(1, 1), QSize(2, 3), QSize(7, 5), QSize(40, 25)}) {
        const QImage image = Render(bars, all, params, size);
        EXPECT_EQ(image.size(), size);
    }
    const QImage big = Render(bars, all, "AssistLine=1; ShowScrollBar=1", QSize(4096, 4096));
    EXPECT_EQ(big.pixel(0, 0), kWhite);
    EXPECT_EQ(big.pixel(4095, 4095) == kWhite, false);   // the scroll bar's corner
}

TEST(ChartRender, BadBarsAreSkipped)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<PriceBar> bars = RandomWalk(40, 5);
    bars[3] = {bars[3].date, nan, nan, nan, nan, nan};
    bars[10].high = inf;
    bars[20] = {bars[20].date, 1e308, -1e308, 1e308, -1e308, -5};
    bars[30].high = bars[30].low - 50;   // high below low
    const QImage image = Render(bars, {*ParseDefinition("Daily; DispMaxMin=1; MA=3"),
                                       *ParseDefinition("Volume")},
                                "AssistLine=1", QSize(300, 180));
    EXPECT_FALSE(image.isNull());
}

TEST(ChartRender, HollowCandleWhenBodyMatchesBackground)
{
    const std::vector<PriceBar> bars = {{20240603, 100, 130, 90, 125, 0}};
    const QImage image = Render(bars, {Daily()},
                                "DispNum=1; BackColor=16777215; UpColor=16777215; LineColor=0",
                                QSize(60, 120));
    const Extent edge = FindColour(image, 0xFF000000);
    ASSERT_GT(edge.pixels, 0);
    // The body's middle is background, its left and right edges are the outline.
    const int row = (edge.top + edge.bottom) / 2;
    EXPECT_EQ(CountInRow(image, row, 0xFF000000), 2);
}

TEST(ChartRender, SameSceneSamePixelsOnManyThreads)
{
    const std::vector<PriceBar> bars = RandomWalk(500, 9);
    const std::vector<ChartDefinition> charts = {
        *ParseDefinition("Daily; DispMaxMin=1; MA=5,25,75"), *ParseDefinition("Volume")};
    const std::string params = "AssistLine=1; ShowScrollBar=1; DispNum=80";
    const QImage reference = Render(bars, charts, params, QSize(300, 180));
    constexpr int kThreads = 4;
    std::vector<int> mismatches(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 25; ++round)
                mismatches[t] += Render(bars, charts, params, QSize(300, 180)) != reference;
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int t = 0; t < kThreads; ++t)
        EXPECT_EQ(mismatches[t], 0) << "thread " << t;
}

TEST(ChartRender, LeavesThePainterAsItFoundIt)
{
    QImage image(100, 60, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setPen(Qt::green);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const std::vector<PriceBar> bars = RandomWalk(50, 4);
    const std::vector<ChartDefinition> charts = {*ParseDefinition("Daily; MA=5")};
    RenderChart(painter, image.rect(), {bars, charts, ParseParams("AssistLine=1"), {}});
    EXPECT_EQ(painter.pen().color(), QColor(Qt::green));
    EXPECT_FALSE(painter.testRenderHint(QPainter::Antialiasing));
}

} // namespace

namespace {

// Direct pixel writes on a plain image painter and QPainter's own fills give one picture.
TEST(ChartRender, DirectFillMatchesPainterFill)
{
    const std::vector<PriceBar> bars = RandomWalk(200, 12);
    const std::vector<ChartDefinition> charts = {*ParseDefinition("Daily; DispMaxMin=1; MA=5"),
                                                 *ParseDefinition("Volume")};
    for (const char* params : {"AssistLine=1; ShowScrollBar=1", "UpColor=16777215; DownColor=0"}) {
        const ChartScene scene{bars, charts, ParseParams(params), {}};
        const QImage direct = Render(bars, charts, params, QSize(300, 180));
        QImage clipped(300, 180, QImage::Format_RGB32);
        QPainter painter(&clipped);
        painter.setClipRect(clipped.rect());   // any clip turns the direct path off
        RenderChart(painter, clipped.rect(), scene);
        painter.end();
        EXPECT_EQ(direct, clipped) << params;
    }
}

} // namespace

namespace {

// The catalog writes an item's name over the picture's top-left corner: the top pane keeps
// its first line free of candles.
TEST(ChartRender, TopLineStaysFreeForTheLabel)
{
    const std::vector<PriceBar> bars = RandomWalk(120, 21);
    const QImage image = Render(bars, {Daily()}, std::string(kPlainColours) + "; FontSize=9",
                                QSize(300, 180));
    ASSERT_GT(FindColour(image, kRed).pixels + FindColour(image, kBlue).pixels, 0);
    const QImage topLine = image.copy(0, 0, 300, 15);
    EXPECT_EQ(FindColour(topLine, kRed).pixels, 0);
    EXPECT_EQ(FindColour(topLine, kBlue).pixels, 0);
}

} // namespace

namespace {

// The Period parameter draws every price chart in its period, Volume following.
TEST(ChartRender, PeriodParameterActsLikeTheDefinitions)
{
    const std::vector<PriceBar> bars = RandomWalk(900, 14);
    const std::vector<std::tuple<std::vector<std::string>, const char*, std::vector<std::string>>>
        rows = {{{"Daily; MA=5", "Volume"}, "Weekly", {"Weekly; MA=5", "Volume"}},
                {{"Daily", "Weekly; DispMaxMin=1", "Volume"}, "Monthly",
                 {"Monthly", "Monthly; DispMaxMin=1", "Volume"}},
                {{"Monthly; MA=3"}, "daily", {"Daily; MA=3"}},
                {{"Weekly", "Volume"}, "Hourly", {"Weekly", "Volume"}}};
    for (const auto& [given, period, same] : rows) {
        const std::string params = "AssistLine=1; Period=" + std::string(period);
        EXPECT_EQ(Render(bars, Definitions(given), params, QSize(400, 300)),
                  Render(bars, Definitions(same), "AssistLine=1", QSize(400, 300)))
            << period;
    }
    // A lone Volume pane follows the parameter too.
    const std::vector<ChartDefinition> volume = Definitions({"Volume"});
    const ChartPlan plan = PlanOf(bars, volume, "Period=Monthly", QSize(400, 300));
    EXPECT_EQ(plan.panes[0].window.bars.size(), AggregateBars(bars, Period::Monthly).size());
}

} // namespace
