#include "ChartControl.h"
#include "ChartTestSeries.h"
#include "PeriodBars.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace quorex;
using namespace quorex::chart;

namespace {

constexpr int kShown = 30;

struct BarAtCase {
    const char* name;
    std::vector<std::string> definitions;
    std::string params;
    Period period;       // of the bars the top pane shows
    QSize size;
};

void PrintTo(const BarAtCase& c, std::ostream* out)
{
    *out << c.name;
}

class BarAtTable : public testing::TestWithParam<BarAtCase> {};

// Walking along the middle row of the top pane, each column names a bar; together they are
// the pane's latest bars of its period in order, each bar over a run of columns.
TEST_P(BarAtTable, ColumnsAcrossThePaneNameItsBarsInOrder)
{
    const BarAtCase& c = GetParam();
    const std::vector<PriceBar> daily = RandomWalk(800, 11);
    ChartControl control;
    control.SetSize(c.size.width(), c.size.height());
    control.SetData(MakeData(daily));
    auto charts = control.GetCharts();
    charts->SetParam(c.params);
    for (const std::string& definition : c.definitions)
        charts->Add(definition)->Refresh();
    control.Update();

    const std::vector<PriceBar> periodBars = AggregateBars(daily, c.period);
    const std::vector<PriceBar> expected(periodBars.end() - kShown, periodBars.end());
    const int row = c.size.height() / (3 * int(c.definitions.size()));
    std::vector<std::int32_t> seen;
    for (int x = 0; x < c.size.width(); ++x) {
        const std::optional<PriceBar> bar = control.BarAt(x, row);
        if (bar && (seen.empty() || seen.back() != bar->date))
            seen.push_back(bar->date);
    }
    ASSERT_EQ(seen.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(seen[i], expected[i].date) << "bar " << i;
    // The bar under the rightmost slot carries that period's prices.
    std::optional<PriceBar> last;
    for (int x = c.size.width() - 1; x >= 0 && !last; --x)
        last = control.BarAt(x, row);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->close, expected.back().close);
    EXPECT_EQ(last->high, expected.back().high);
    EXPECT_EQ(last->volume, expected.back().volume);
}

INSTANTIATE_TEST_SUITE_P(Panes, BarAtTable, testing::Values(
    BarAtCase{"DailyThumbnail", {"Daily"}, "DispNum=30", Period::Daily, QSize(300, 180)},
    BarAtCase{"WeeklyDefinition", {"Weekly", "Volume"}, "DispNum=30", Period::Weekly,
              QSize(600, 360)},
    BarAtCase{"DailyDrawnWeekly", {"Daily", "Volume"}, "DispNum=30; Period=Weekly",
              Period::Weekly, QSize(600, 360)},
    BarAtCase{"DailyDrawnMonthly", {"Daily"}, "DispNum=30; Period=Monthly", Period::Monthly,
              QSize(900, 500)}),
    [](const testing::TestParamInfo<BarAtCase>& info) { return std::string(info.param.name); });

TEST(BarAt, NothingWithoutDataOutsideThePanesOrBeforeAnyPaint)
{
    ChartControl control;
    control.SetSize(300, 180);
    EXPECT_FALSE(control.BarAt(150, 90));
    control.SetData(MakeData(RandomWalk(100, 5)));
    control.GetCharts()->Add("Daily")->Refresh();
    EXPECT_FALSE(control.BarAt(150, 90));  // not painted yet
    control.Update();
    EXPECT_TRUE(control.BarAt(150, 90));
    EXPECT_FALSE(control.BarAt(-1, 90));
    EXPECT_FALSE(control.BarAt(150, 400));
    control.SetData(nullptr);
    control.Update();
    EXPECT_FALSE(control.BarAt(150, 90));
}

} // namespace

namespace {

// The readout's values under the pointer and the value table's newest values: every line
// of every pane, named with its parameters, at the pointer's date.
TEST(ChartValuesAt, NameEveryLineAtThePointersDate)
{
    const std::vector<PriceBar> daily = RandomWalk(800, 12);
    ChartControl control;
    control.SetSize(600, 360);
    control.SetData(MakeData(daily));
    auto charts = control.GetCharts();
    charts->SetParam("DispNum=60");
    for (const char* definition : {"Daily; MA=5; BB=20,2; Ichimoku", "RSI=14", "MACD", "Volume"})
        charts->Add(definition)->Refresh();
    control.Update();

    const std::vector<std::string> names = {
        "MA(5)", "BB upper(20,2)", "BB middle(20,2)", "BB lower(20,2)",
        "Ichimoku 遅行スパン(9,26,52)", "Ichimoku 基準線(9,26,52)", "Ichimoku 転換線(9,26,52)",
        "Ichimoku 先行スパン1(9,26,52)", "Ichimoku 先行スパン2(9,26,52)", "RSI(14)",
        "MACD(12,26,9)", "MACD signal(12,26,9)", "MACD histogram(12,26,9)"};
    const auto namesOf = [](const std::vector<IndicatorValue>& values) {
        std::vector<std::string> got;
        for (const IndicatorValue& value : values)
            got.push_back(value.name);
        return got;
    };
    const std::vector<IndicatorValue> newest = control.NewestValues();
    EXPECT_EQ(namesOf(newest), names);
    // MA(5) of the newest bar, and the lagging span has no close ahead of the newest bar.
    double sum = 0;
    for (std::size_t i = daily.size() - 5; i < daily.size(); ++i)
        sum += daily[i].close;
    EXPECT_NEAR(newest[0].value, sum / 5, 1e-9);
    EXPECT_TRUE(std::isnan(newest[4].value));

    // Under the pointer in the RSI pane and in the price pane: the same date, the same values.
    const int x = 300;
    const std::optional<PriceBar> top = control.BarAt(x, 100);
    const std::optional<PriceBar> low = control.BarAt(x, 210);
    ASSERT_TRUE(top && low);
    EXPECT_EQ(top->date, low->date);
    const std::vector<IndicatorValue> atTop = control.ValuesAt(x, 100);
    const std::vector<IndicatorValue> atLow = control.ValuesAt(x, 210);
    EXPECT_EQ(namesOf(atTop), names);
    ASSERT_EQ(atTop.size(), atLow.size());
    for (std::size_t k = 0; k < atTop.size(); ++k) {
        if (!std::isnan(atTop[k].value)) {
            EXPECT_EQ(atTop[k].value, atLow[k].value) << atTop[k].name;
        }
    }
    EXPECT_GE(atTop[9].value, 0);
    EXPECT_LE(atTop[9].value, 100);
    EXPECT_TRUE(control.ValuesAt(-5, 100).empty());
}

} // namespace
