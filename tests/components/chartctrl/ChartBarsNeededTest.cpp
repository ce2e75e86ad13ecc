// The newest DailyBarsNeeded bars draw exactly the picture of the whole series.
#include "ChartControl.h"
#include "ChartTestSeries.h"

#include <gtest/gtest.h>

using namespace quorex;
using namespace quorex::chart;

namespace {

enum class Shape { Plain, Gaps, MidWeek, MidMonth, Short, BadDates };

// Daily bars that end on a Friday (or with a half week), with the shape's quirks.
std::vector<PriceBar> SeriesOf(Shape shape, int count)
{
    switch (shape) {
    case Shape::Plain:
        return RandomWalk(count, 41, 20150105);
    case Shape::Gaps: {
        // Missing weeks and a missing month, as trading halts and holidays leave them.
        std::vector<PriceBar> bars = RandomWalk(count + 60, 42, 20150105);
        std::vector<PriceBar> kept;
        for (std::size_t i = 0; i < bars.size(); ++i) {
            const bool halted = (i / 5) % 37 == 11 || (i >= 200 && i < 222) || i % 29 == 3;
            if (!halted)
                kept.push_back(bars[i]);
        }
        return kept;
    }
    case Shape::MidWeek:
        return RandomWalk(count, 43, 20150107);   // a Wednesday
    case Shape::MidMonth:
        return RandomWalk(count, 44, 20150116);
    case Shape::Short:
        return RandomWalk(40, 45, 20240610);
    case Shape::BadDates: {
        std::vector<PriceBar> bars = RandomWalk(count, 46, 20150105);
        bars[bars.size() - 300].date = 20170231;   // no such day: a period of its own
        return bars;
    }
    }
    return {};
}

QImage Draw(const std::vector<PriceBar>& bars, const std::string& params,
            const std::vector<std::string>& definitions, QSize size)
{
    ChartControl control;
    control.SetSize(size.width(), size.height());
    control.SetData(MakeData(bars));
    auto charts = control.GetCharts();
    charts->SetParam(params);
    for (const std::string& definition : definitions) {
        if (auto chart = charts->Add(definition))
            chart->Refresh();
    }
    control.Update();
    return control.Picture();
}

struct NeededRow {
    std::string params;
    std::vector<std::string> definitions;
    bool all;     // the whole series is needed
    bool fewer;   // fewer than 6000 bars are needed
};

const std::vector<NeededRow> kRows = {
    {"AssistLine=0; FontSize=9; DispNum=60; ShowScrollBar=0", {"Daily; DispMaxMin=0"}, false,
     true},
    {"AssistLine=1", {"Daily; DispMaxMin=1; MA=5,25,75", "Volume"}, false, true},
    {"AssistLine=1; DispNum=1", {"Daily; MA=5"}, false, true},
    {"AssistLine=1", {"Weekly; DispMaxMin=1; MA=13,26", "Volume"}, false, true},
    {"AssistLine=1; DispNum=24", {"Monthly; MA=12", "Volume"}, false, true},
    {"AssistLine=1; DispNum=40", {"Daily; MA=25", "Weekly; MA=13", "Monthly"}, false, true},
    {"AssistLine=1; Period=Weekly", {"Daily; DispMaxMin=1; MA=5,25", "Volume"}, false, true},
    {"AssistLine=1; Period=Monthly; DispNum=20", {"Daily; MA=3", "Volume"}, false, true},
    {"DispNum=5000; AssistLine=1", {"Daily; MA=75"}, false, true},
    {"DispNum=5000", {"Monthly; DispMaxMin=1"}, false, false},
    {"AssistLine=1; ShowScrollBar=1", {"Daily; DispMaxMin=1"}, true, false},
    {"AssistLine=1", {"Volume", "Wekly"}, false, true},
};

using NeededCase = std::tuple<int, Shape>;

class ChartBarsNeeded : public testing::TestWithParam<NeededCase> {};

TEST_P(ChartBarsNeeded, NewestBarsDrawTheWholePicture)
{
    const auto& [index, shape] = GetParam();
    const NeededRow& row = kRows[index];
    const std::vector<PriceBar> bars = SeriesOf(shape, 6000);
    ChartControl control;
    const std::size_t needed = control.DailyBarsNeeded(row.params, row.definitions);
    EXPECT_EQ(needed == 0, row.all);
    if (needed == 0)
        return;
    if (row.fewer && shape != Shape::Short)
        EXPECT_LT(needed, bars.size());   // so that the comparison means something
    const std::vector<PriceBar> newest(bars.end() - std::min(needed, bars.size()), bars.end());
    for (const QSize size : {QSize(300, 180), QSize(600, 360)}) {
        const QImage whole = Draw(bars, row.params, row.definitions, size);
        const QImage tail = Draw(newest, row.params, row.definitions, size);
        EXPECT_EQ(whole, tail) << row.params << " needs " << needed << " at " << size.width();
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ChartBarsNeeded,
                         testing::Combine(testing::Range(0, int(kRows.size())),
                                          testing::Values(Shape::Plain, Shape::Gaps,
                                                          Shape::MidWeek, Shape::MidMonth,
                                                          Shape::Short, Shape::BadDates)));

// The count stays near what the panes show, so reading only those bars saves work.
TEST(ChartBarsNeededBound, IsNotFarAboveWhatIsNeeded)
{
    ChartControl control;
    const std::vector<std::string> daily = {"Daily; MA=25"};
    EXPECT_LE(control.DailyBarsNeeded("DispNum=60", daily), 60u + 25u);
    const std::vector<std::string> weekly = {"Weekly"};
    EXPECT_LE(control.DailyBarsNeeded("DispNum=60", weekly), (60u + 2u) * 7u);
    const std::vector<std::string> none;
    EXPECT_EQ(control.DailyBarsNeeded("", none), 1u);
}

} // namespace
