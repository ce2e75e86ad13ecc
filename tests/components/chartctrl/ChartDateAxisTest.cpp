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
    std::vector<bool> axisBelow;   // the panes that close a run
};

class ChartDateAxis : public testing::TestWithParam<AxisRow> {};

// The yyyymm a label names: "2024/03", "2024" (its first month) or "3/18" (in the year
// of the pane's bars).
int MonthOf(const QString& label, int lastDate)
{
    const QStringList parts = label.split(QLatin1Char('/'));
    if (parts.size() == 1)
        return parts[0].toInt() * 100 + 1;
    if (parts[0].size() == 4)
        return parts[0].toInt() * 100 + parts[1].toInt();
    const int month = parts[0].toInt();
    return (lastDate / 10000 - (month > lastDate / 100 % 100 ? 1 : 0)) * 100 + month;
}

TEST_P(ChartDateAxis, LabelsComeFromTheirOwnPanesBars)
{
    const AxisRow& row = GetParam();
    const std::vector<PriceBar> bars = RandomWalk(1500, 12);
    const std::vector<ChartDefinition> charts = Definitions(row.charts);
    const ChartPlan plan = PlanOf(bars, charts, "AssistLine=1; " + row.params, QSize(600, 420));
    ASSERT_EQ(plan.layout.dateAxes.size(), row.axisBelow.size());
    for (std::size_t i = 0; i < row.axisBelow.size(); ++i) {
        const QRect& axis = plan.layout.dateAxes[i];
        ASSERT_EQ(!axis.isEmpty(), bool(row.axisBelow[i])) << "pane " << i;
        if (axis.isEmpty())
            continue;
        int labels = 0;
        for (const TextItem& item : plan.texts) {
            if (item.role != TextRole::DateLabel || !axis.contains(item.rect))
                continue;
            ++labels;
            // From the last pane with bars above the axis, at a boundary of its bars (or
            // ending at the axis's edge), naming a month its shown bars span.
            ASSERT_GE(item.pane, 0);
            const PanePlan& pane = plan.panes[item.pane];
            for (std::size_t j = item.pane + 1; j <= i; ++j)
                EXPECT_FALSE(plan.panes[j].columns) << "pane " << j;
            const auto mark = std::find_if(pane.marks.begin(), pane.marks.end(),
                [&](const TimeMark& m) { return m.label == item.text; });
            ASSERT_NE(mark, pane.marks.end()) << item.text.toStdString();
            const int boundary = pane.columns->Boundary(mark->index) + 2;
            EXPECT_TRUE(item.rect.left() == boundary
                        || (item.rect.left() < boundary && item.rect.right() == axis.right()));
            const int last = pane.window[pane.window.count - 1].date;
            const int month = MonthOf(item.text, last);
            EXPECT_GE(month, pane.window[0].date / 100) << item.text.toStdString();
            EXPECT_LE(month, last / 100) << item.text.toStdString();
        }
        EXPECT_GT(labels, 0) << "axis under pane " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ChartDateAxis, testing::Values(
    AxisRow{{"Daily", "Weekly"}, "", {true, true}},
    AxisRow{{"Weekly; MA=13", "Monthly", "Volume"}, "", {true, true, true}},
    AxisRow{{"Daily", "Volume", "Weekly", "Monthly"}, "", {false, true, true, true}},
    AxisRow{{"Monthly", "Monthly; MA=12", "Volume"}, "", {false, false, true}},
    // An unreadable pane stays in the run it stands in.
    AxisRow{{"Daily", "Wekly", "Volume"}, "", {false, false, true}},
    AxisRow{{"Wekly", "Weekly", "Daily"}, "", {false, true, true}},
    // One period for every chart: one run.
    AxisRow{{"Daily", "Weekly", "Monthly", "Volume"}, "Period=Weekly",
            {false, false, false, true}}));

} // namespace
