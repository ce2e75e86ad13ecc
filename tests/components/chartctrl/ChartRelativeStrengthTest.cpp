// RS=CODE: a security's close against another's, matched by period and rebased to 100.
#include "ChartControl.h"
#include "ChartPlanChecks.h"
#include "ChartTestSeries.h"
#include "RelativeStrength.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace quorex;
using namespace quorex::chart;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::vector<PriceBar> Closes(std::initializer_list<std::pair<std::int32_t, double>> rows)
{
    std::vector<PriceBar> bars;
    for (const auto& [date, close] : rows)
        bars.push_back({date, close, close, close, close, 1000});
    return bars;
}

struct RsRow {
    const char* name;
    std::vector<PriceBar> shown;
    std::vector<PriceBar> other;
    Period period;
    std::vector<double> expected;  // NaN: no value
};

void PrintTo(const RsRow& row, std::ostream* os) { *os << row.name; }

class RelativeStrengthTable : public ::testing::TestWithParam<RsRow> {};

TEST_P(RelativeStrengthTable, RatioRebasedAtTheFirstSharedBar)
{
    const RsRow& row = GetParam();
    const std::vector<double> values = RelativeStrength(row.shown, row.other, row.period);
    ASSERT_EQ(values.size(), row.expected.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (std::isnan(row.expected[i]))
            EXPECT_TRUE(std::isnan(values[i])) << i << ": " << values[i];
        else
            EXPECT_NEAR(values[i], row.expected[i], 1e-9) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RelativeStrengthTable,
    ::testing::Values(
        RsRow{"SameDays",
              Closes({{20240603, 100}, {20240604, 110}, {20240605, 99}}),
              Closes({{20240603, 50}, {20240604, 50}, {20240605, 55}}), Period::Daily,
              {100, 110, 90}},
        RsRow{"MissingDayHasNoValue",
              Closes({{20240603, 100}, {20240604, 120}, {20240605, 130}}),
              Closes({{20240603, 10}, {20240605, 13}}), Period::Daily, {100, kNaN, 100}},
        RsRow{"BaseIsTheFirstSharedBar",
              Closes({{20240603, 100}, {20240604, 120}, {20240605, 60}}),
              Closes({{20240604, 10}, {20240605, 10}}), Period::Daily, {kNaN, 100, 50}},
        // Friday's bar against the other's Thursday: the same week.
        RsRow{"WeeksMatchWhateverTheirLastDay",
              Closes({{20240607, 200}, {20240614, 220}}),
              Closes({{20240606, 100}, {20240613, 100}}), Period::Weekly, {100, 110}},
        RsRow{"MonthsMatchByMonth",
              Closes({{20240131, 10}, {20240229, 30}}),
              Closes({{20240130, 5}, {20240228, 10}}), Period::Monthly, {100, 150}},
        RsRow{"ZeroCloseOfTheOtherIsSkipped",
              Closes({{20240603, 100}, {20240604, 100}}),
              Closes({{20240603, 0}, {20240604, 20}}), Period::Daily, {kNaN, 100}},
        RsRow{"NoOtherBars", Closes({{20240603, 100}}), {}, Period::Daily, {kNaN}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RelativeStrengthPane, CodesOnceValuesNamedAndAMissingCodeSaid)
{
    ChartControl control;
    const std::vector<std::string> texts{"Daily", "RS=1321", "RSI", "RS=1306", "RS=1321",
                                         "RS"};
    EXPECT_EQ(control.RelatedCodes(texts), (std::vector<std::string>{"1321", "1306"}));

    // The other is the stock at half its price: a flat 100.
    const std::vector<PriceBar> bars = RandomWalk(300, 3);
    control.SetData(MakeData(bars));
    control.SetRelatedData("1321", MakeData(Scaled(bars, 0.5)));
    auto charts = control.GetCharts();
    charts->Add("Daily")->Refresh();
    charts->Add("RS=1321")->Refresh();
    control.SetSize(300, 180);
    control.Update();
    bool found = false;
    for (const IndicatorValue& value : control.NewestValues()) {
        if (value.name == "RS(1321)") {
            found = true;
            EXPECT_NEAR(value.value, 100, 1e-9);
        }
    }
    EXPECT_TRUE(found);

    // Without the other's series the pane says so, and draws no line.
    const auto definitions = Definitions({"Daily", "RS=9999"});
    const ChartPlan plan = PlanOf(bars, definitions, "AssistLine=1", QSize(600, 360));
    ASSERT_EQ(plan.panes.size(), 2u);
    EXPECT_TRUE(plan.panes[1].lines.empty());
    bool said = false;
    for (const TextItem& item : plan.texts)
        said = said || item.text == QStringLiteral("9999 のデータがありません");
    EXPECT_TRUE(said);
    EXPECT_FALSE(control.CheckDefinition("RS").empty());
    EXPECT_TRUE(control.CheckDefinition("RS=1321").empty());
}

} // namespace
