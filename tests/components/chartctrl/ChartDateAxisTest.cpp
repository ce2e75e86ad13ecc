// Each run of panes of one period gets a date axis labelled from its own bars.
#include "ChartPlanChecks.h"
#include "ChartTestSeries.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quorex;
using namespace quorex::chart;

namespace {

struct AxisRow {
    std::vector<std::string> charts;
    std::string params;
    std::vector<bool> axisBelow;   // which panes close a run
};

class ChartDateAxis : public testing::TestWithParam<AxisRow> {};

// "2024/03" -> 202403, "2024" -> 2024 * 100 + 12 (its last month), "3/18" -> the month of the
// pane's last bar that can carry it.
int MonthOfLabel(const QString& label, const SeriesWindow& window)
{
    const QStringList parts = label.split(QLatin1Char('/'));
    if (parts.size() == 1)
        return parts[0].toInt() * 100 + 12;
    if (parts[0].size() == 4)
        return parts[0].toInt() * 100 + parts[1].toInt();
    const int lastYear = window[window.count - 1].date / 10000;
    const int month = parts[0].toInt();
    return (month <= window[window.count - 1].date / 100 % 100 ? lastYear : lastYear - 1) * 100
        + month;
}

TEST_P(ChartDateAxis, LabelsComeFromTheirOwnPanesBars)
{
    const AxisRow& row = GetParam();
    const std::vector<PriceBar> bars = RandomWalk(1500, 12);
    const std::vector<ChartDefinition> charts = Definitions(row.charts);
    const ChartPlan plan = PlanOf(bars, charts, "AssistLine=1; " + row.params, QSize(600, 420));
    ASSERT_EQ(plan.layout.dateAxes.size(), row.axisBelow.size());
    for (std::size_t i = 0; i < row.axisBelow.size(); ++i)
        EXPECT_EQ(!plan.layout.dateAxes[i].isEmpty(), bool(row.axisBelow[i])) << "pane " << i;

    for (std::size_t i = 0; i < row.axisBelow.size(); ++i) {
        const QRect& axis = plan.layout.dateAxes[i];
        if (axis.isEmpty())
            continue;
        int labels = 0;
        for (const TextItem& item : plan.texts) {
            if (item.role != TextRole::DateLabel || !axis.contains(item.rect))
                continue;
            ++labels;
            // The label's pane is the last pane with bars of this run.
            ASSERT_GE(item.pane, 0);
            ASSERT_LE(item.pane, int(i));
            const PanePlan& pane = plan.panes[item.pane];
            EXPECT_TRUE(pane.columns.has_value());
            for (int j = item.pane + 1; j <= int(i); ++j)
                EXPECT_FALSE(plan.panes[j].columns.has_value()) << "pane " << j;
            // It names a boundary of that pane's bars and stands at its column.
            const auto mark = std::find_if(pane.marks.begin(), pane.marks.end(),
                [&](const TimeMark& m) { return m.label == item.text; });
            ASSERT_NE(mark, pane.marks.end()) << item.text.toStdString();
            // At its boundary's column, or ending at the axis's edge when that is nearer.
            const int boundary = pane.columns->Boundary(mark->index) + 2;
            if (item.rect.right() != axis.right())
                EXPECT_EQ(item.rect.left(), boundary) << item.text.toStdString();
            EXPECT_LE(item.rect.left(), boundary) << item.text.toStdString();
            // And a date inside the shown bars of that pane.
            const int month = MonthOfLabel(item.text, pane.window);
            EXPECT_GE(month, pane.window[0].date / 100) << item.text.toStdString();
            EXPECT_LE(month, pane.window[pane.window.count - 1].date / 100 + 11)
                << item.text.toStdString();
        }
        EXPECT_GT(labels, 0) << "axis under pane " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ChartDateAxis, testing::Values(
    AxisRow{{"Daily", "Weekly"}, "", {true, true}},
    AxisRow{{"Daily", "Volume"}, "", {false, true}},
    AxisRow{{"Weekly; MA=13", "Monthly", "Volume"}, "", {true, true, true}},
    AxisRow{{"Daily", "Volume", "Weekly", "Monthly"}, "", {false, true, true, true}},
    AxisRow{{"Monthly", "Monthly; MA=12", "Volume"}, "", {false, false, true}},
    // An unreadable pane stays in the run it stands in.
    AxisRow{{"Daily", "Wekly", "Volume"}, "", {false, false, true}},
    AxisRow{{"Wekly", "Weekly", "Daily"}, "", {false, true, true}},
    // One period for every chart: one run.
    AxisRow{{"Daily", "Weekly", "Monthly", "Volume"}, "Period=Weekly",
            {false, false, false, true}}));

// Labels of a weekly pane stand for weeks: the weekly axis reaches back past the daily bars.
TEST(ChartDateAxis, WeeklyLabelsAreNotTheDailyOnes)
{
    const std::vector<PriceBar> bars = RandomWalk(1500, 12);
    const std::vector<ChartDefinition> charts = Definitions({"Daily", "Weekly"});
    const ChartPlan plan = PlanOf(bars, charts, "AssistLine=1", QSize(600, 420));
    QStringList daily, weekly;
    for (const TextItem& item : plan.texts) {
        if (item.role == TextRole::DateLabel)
            (item.pane == 0 ? daily : weekly).append(item.text);
    }
    ASSERT_FALSE(daily.isEmpty());
    ASSERT_FALSE(weekly.isEmpty());
    EXPECT_NE(daily, weekly);
    EXPECT_LT(MonthOfLabel(weekly.front(), plan.panes[1].window),
              plan.panes[0].window[0].date / 100);
}

} // namespace
