#include "AxisTicks.h"
#include "ChartLayout.h"
#include "ChartTestSeries.h"
#include "SeriesWindow.h"
#include "SlotMapper.h"
#include "TimeAxis.h"
#include "ValueMapper.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace quorex;
using namespace quorex::chart;

namespace {

TEST(ChartValueMapper, MapsHighToTopAndLowToBottom)
{
    const ValueMapper values(100, 200, 10, 110);
    EXPECT_EQ(values.ToRow(200), 10);
    EXPECT_EQ(values.ToRow(100), 110);
    EXPECT_EQ(values.ToRow(150), 60);
}

TEST(ChartValueMapper, FlatAndBrokenRangesStayFinite)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const auto& [lo, hi] : std::vector<std::pair<double, double>>{
             {500, 500}, {0, 0}, {-3, -3}, {nan, 1}, {0, inf}, {200, 100}, {1e300, 1e300}}) {
        const ValueMapper values(lo, hi, 0, 100);
        EXPECT_LT(values.lo(), values.hi()) << lo << " " << hi;
        for (const double v : {lo, hi, nan, inf, -inf, 1e308}) {
            const double pixel = values.ToPixel(v);
            EXPECT_TRUE(std::isfinite(pixel)) << lo << " " << hi << " " << v;
            EXPECT_LE(std::abs(pixel), 1e6);
        }
    }
    // A flat series sits in the middle.
    EXPECT_EQ(ValueMapper(500, 500, 0, 100).ToRow(500), 50);
}

TEST(ChartSlotMapper, SpreadsBarsWithGapsAndOddBodies)
{
    for (const auto& [width, count] : std::vector<std::pair<int, int>>{
             {296, 60}, {240, 60}, {1150, 120}, {100, 3}, {50, 100}, {0, 5}, {10, 0}}) {
        const SlotMapper columns(2, width, count);
        EXPECT_EQ(columns.BodyWidth() % 2, 1) << width << "/" << count;
        for (int i = 1; i < columns.count(); ++i) {
            EXPECT_GE(columns.Centre(i), columns.Centre(i - 1));
            if (columns.slotWidth() >= 2) {
                // Bodies never touch.
                EXPECT_GT(columns.Centre(i) - columns.BodyWidth() / 2,
                          columns.Centre(i - 1) + columns.BodyWidth() / 2)
                    << width << "/" << count;
            }
        }
        if (width > 0 && count > 0) {
            EXPECT_GE(columns.Centre(0), 2);
            EXPECT_LT(columns.Centre(columns.count() - 1), 2 + width);
        }
    }
}

// Point columns are the centres' middles for any geometry, asked in any order: those kept
// from the last call are only given back for the very same one.
TEST(ChartSlotMapper, PointColumnsFollowEachGeometry)
{
    const std::vector<std::tuple<int, int, int, std::size_t>> geometries = {
        {2, 296, 60, 60}, {3, 296, 60, 60}, {2, 296, 60, 60}, {2, 295, 60, 60},
        {2, 296, 61, 60}, {2, 296, 60, 85}, {0, 0, 5, 5}, {2, 296, 60, 0}};
    for (int round = 0; round < 2; ++round) {
        for (const auto& [left, width, count, asked] : geometries) {
            const SlotMapper columns(left, width, count);
            const std::vector<double> xs = columns.PointColumns(asked);
            ASSERT_EQ(xs.size(), asked);
            for (std::size_t i = 0; i < asked; ++i)
                EXPECT_EQ(xs[i], columns.Centre(int(i)) + 0.5) << left << "/" << width;
        }
    }
}

// From a slot of 3 pixels on, bodies are 2 pixels or wider with a gap of 1 or more; the
// wick's column is on the body, left of its middle when the width is even.
TEST(ChartSlotMapper, BodyWidthAndGapPerSlotWidth)
{
    for (const auto& [width, count, minBody] : std::vector<std::tuple<int, int, int>>{
             {120, 60, 1}, {180, 60, 2}, {192, 60, 2}, {236, 60, 2}, {296, 60, 3}, {600, 60, 5},
             {1150, 60, 11}, {60, 20, 2}, {100, 3, 19}, {50, 100, 1}, {4000, 1, 2399}}) {
        const SlotMapper columns(2, width, count);
        const int body = columns.BodyWidth();
        EXPECT_GE(body, minBody) << width << "/" << count;
        EXPECT_GE(body, columns.slotWidth() >= 3 ? 2 : 1) << width << "/" << count;
        for (int i = 0; i < count; ++i) {
            EXPECT_GE(columns.Centre(i) - columns.BodyLeft(i), 0);
            EXPECT_LE(columns.Centre(i) - columns.BodyLeft(i), (body - 1) / 2);
            if (i > 0 && columns.slotWidth() >= 2) {
                EXPECT_GE(columns.BodyLeft(i) - columns.BodyLeft(i - 1) - body, 1)
                    << width << "/" << count << " bar " << i;
            }
        }
    }
}

TEST(ChartTicks, RoundStepsInsideRangeAndWithinCount)
{
    struct Row {
        double lo, hi;
        int maxTicks;
        double step;
        int decimals;
    };
    for (const Row& row : std::vector<Row>{{2706, 3431, 4, 200, 0}, {2706, 3431, 3, 250, 0},
                                           {0, 1000, 5, 200, 0}, {12.31, 12.97, 4, 0.2, 1},
                                           {0, 0.7, 3, 0.25, 2}, {1, 1e6, 8, 200000, 0}}) {
        const AxisTicks ticks = NiceTicks(row.lo, row.hi, row.maxTicks);
        EXPECT_DOUBLE_EQ(ticks.step, row.step) << row.lo << ".." << row.hi;
        EXPECT_EQ(ticks.decimals, row.decimals) << row.lo << ".." << row.hi;
        EXPECT_GE(ticks.count, 1);
        EXPECT_LE(ticks.count, row.maxTicks + 1);
        EXPECT_GE(ticks.Value(0), row.lo - 1e-9);
        EXPECT_LE(ticks.Value(ticks.count - 1), row.hi + 1e-9);
    }
    EXPECT_EQ(NiceTicks(5, 5, 4).count, 0);
    EXPECT_EQ(NiceTicks(0, 10, 0).count, 0);
    EXPECT_EQ(NiceTicks(0, std::numeric_limits<double>::infinity(), 4).count, 0);
}

TEST(ChartLabelText, PricesAndVolumes)
{
    EXPECT_EQ(FormatPrice(1234567, 0), "1,234,567");
    EXPECT_EQ(FormatPrice(12.5, 2), "12.50");
    EXPECT_EQ(FormatPrice(-0.0, 0), "0");
    EXPECT_EQ(PriceDecimals(2706, 3431), 0);
    EXPECT_EQ(PriceDecimals(12.31, 12.97), 3);
    EXPECT_EQ(PriceDecimals(101.5, 180.25), 2);
    EXPECT_EQ(FormatVolume(850), "850");
    EXPECT_EQ(FormatVolume(12500), "12.5K");
    EXPECT_EQ(FormatVolume(3000000), "3M");
    EXPECT_EQ(FormatVolume(1250000000), "1.25B");
}

TEST(ChartTimeMarks, PicksTheFinestStepWhoseLabelsFit)
{
    const std::vector<PriceBar> bars = RandomWalk(400, 3, 20230102);
    const SeriesWindow window = SeriesWindow::Latest(bars, 60);
    // Too many weeks for 500 pixels: every month start, labelled yyyy/mm.
    const std::vector<TimeMark> months =
        TimeMarks(bars, window.first, window.count, Period::Daily, 500, 7);
    ASSERT_GE(months.size(), 2u);
    ASSERT_LE(months.size(), 4u);
    for (const TimeMark& mark : months) {
        const PriceBar& bar = window[mark.index];
        const PriceBar& before = bars[window.first + mark.index - 1];
        EXPECT_NE(bar.date / 100, before.date / 100) << mark.label.toStdString();
        EXPECT_EQ(mark.label, QStringLiteral("%1/%2").arg(bar.date / 10000)
                                  .arg(bar.date / 100 % 100, 2, 10, QLatin1Char('0')));
    }
    // Narrow: fewer, coarser marks, never more than fit.
    const std::vector<TimeMark> narrow =
        TimeMarks(bars, window.first, window.count, Period::Daily, 120, 7);
    EXPECT_LE(narrow.size() * 9 * 7, 120u);
    EXPECT_TRUE(TimeMarks(bars, 0, 0, Period::Daily, 100, 7).empty());
    EXPECT_TRUE(TimeMarks(bars, 390, 60, Period::Daily, 100, 7).empty());
}

TEST(ChartMovingAverage, UsesBarsBeforeTheWindowAndSkipsBadCloses)
{
    std::vector<PriceBar> bars;
    for (int i = 0; i < 10; ++i)
        bars.push_back({20240101 + i, 0, 0, 0, double(i + 1), 0});
    const SeriesWindow window = SeriesWindow::Latest(bars, 4);
    const std::vector<double> average = MovingAverage(window, 3);
    ASSERT_EQ(average.size(), 4u);
    EXPECT_DOUBLE_EQ(average[0], (5 + 6 + 7) / 3.0);
    EXPECT_DOUBLE_EQ(average[3], (8 + 9 + 10) / 3.0);
    EXPECT_TRUE(std::isnan(MovingAverage(window, 11)[3]));
    bars[7].close = std::numeric_limits<double>::quiet_NaN();
    const std::vector<double> gap = MovingAverage(SeriesWindow::Latest(bars, 4), 2);
    EXPECT_TRUE(std::isnan(gap[1]) && std::isnan(gap[2]));
    EXPECT_DOUBLE_EQ(gap[3], 9.5);
}

TEST(ChartLayoutPanes, PanesShareTheHeightByParts)
{
    LayoutRequest request{QRect(0, 0, 300, 180), {3, 1}, true, 14, 40, {}};
    const ChartLayout layout = ComputeLayout(request);
    ASSERT_EQ(layout.panes.size(), 2u);
    EXPECT_EQ(layout.panes[0].top(), layout.plot.top());
    EXPECT_EQ(layout.panes[1].top(), layout.panes[0].bottom() + 1);
    EXPECT_EQ(layout.panes[1].bottom(), layout.plot.bottom());
    EXPECT_NEAR(layout.panes[0].height(), 3 * layout.panes[1].height(), 3);
    EXPECT_EQ(layout.scrollBar.bottom(), 179);
    EXPECT_LT(layout.dateAxes.back().bottom(), layout.scrollBar.top());
    EXPECT_EQ(layout.priceAxis.left(), layout.plot.right() + 1);
    EXPECT_TRUE(ComputeLayout({QRect(0, 0, 3, 3), {3}, true, 0, 0, {}}).panes.empty());
}

// Panes and the date axes that close their runs tile the plot without gap or overlap.
TEST(ChartLayoutPanes, DateAxesCloseTheirRuns)
{
    const std::vector<std::vector<bool>> rows = {
        {false, true}, {true, true, true}, {false, true, false, true}, {true, false}};
    for (const std::vector<bool>& below : rows) {
        const std::vector<int> parts(below.size(), 2);
        const ChartLayout layout =
            ComputeLayout({QRect(0, 0, 300, 400), parts, true, 14, 40, below});
        ASSERT_EQ(layout.panes.size(), below.size());
        int y = layout.plot.top();
        for (std::size_t i = 0; i < below.size(); ++i) {
            EXPECT_EQ(layout.panes[i].top(), y) << i;
            y = layout.panes[i].bottom() + 1;
            ASSERT_EQ(!layout.dateAxes[i].isEmpty(), bool(below[i])) << i;
            if (below[i])
                y = layout.dateAxes[i].top() == y ? layout.dateAxes[i].bottom() + 1 : -1;
        }
        EXPECT_EQ(y, (below.back() ? layout.dateAxes.back() : layout.plot).bottom() + 1);
        EXPECT_EQ(layout.boxes.size(), std::size_t(std::count(below.begin(), below.end(), true))
                                           + (below.back() ? 0 : 1));
    }
    // Three axes leave no room in 40 pixels.
    EXPECT_TRUE(ComputeLayout({QRect(0, 0, 300, 40), {1, 1, 1}, true, 14, 40, {true, true, true}})
                    .panes.empty());
}

} // namespace
