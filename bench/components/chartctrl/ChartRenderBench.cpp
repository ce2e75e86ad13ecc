// How long the chart control takes to paint a picture, buffer reused as in a rebuild.
#include "ChartControl.h"
#include "ChartDefinition.h"
#include "ChartPainter.h"
#include "ChartPlanner.h"
#include "ChartTestSeries.h"

#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

constexpr char kBuiltInParam[] = "AssistLine=0; FontSize=9; DispNum=60; ShowScrollBar=0";
constexpr char kBuiltInChart[] = "Daily; DispMaxMin=0";
constexpr char kFullParam[] = "AssistLine=1; FontSize=9; DispNum=60; ShowScrollBar=1";

void RenderLoop(benchmark::State& state, int width, int height, const char* params,
                std::vector<const char*> definitions)
{
    quorex::chart::ChartControl control;
    control.SetData(MakeData(RandomWalk(250, 11)));
    auto charts = control.GetCharts();
    charts->SetParam(params);
    for (const char* definition : definitions) {
        if (auto chart = charts->Add(definition))
            chart->Refresh();
    }
    control.SetSize(width, height);
    control.Update();   // first paint: buffer, fonts and glyphs
    for (auto _ : state) {
        control.Update();
        benchmark::DoNotOptimize(control.Picture().constBits());
    }
}

// The catalog's default thumbnail: 300 x 180, 60 daily candles, antialiased.
void BM_Thumbnail300x180Default(benchmark::State& state)
{
    RenderLoop(state, 300, 180, kBuiltInParam, {kBuiltInChart});
}

// Every feature at thumbnail size: guide lines, labels, extremes, averages, volume.
void BM_Thumbnail300x180Full(benchmark::State& state)
{
    RenderLoop(state, 300, 180, kFullParam, {"Daily; DispMaxMin=1; MA=5,25", "Volume"});
}

// The indicator definitions at thumbnail size, as the catalog draws them.
void BM_Thumbnail300x180Indicators(benchmark::State& state)
{
    RenderLoop(state, 300, 180, kBuiltInParam,
               {"Daily; MA=5,25,75; BB=20,2; Ichimoku", "RSI=14", "MACD=12,26,9", "Volume"});
}

void BM_Chart1200x800Full(benchmark::State& state)
{
    RenderLoop(state, 1200, 800, kFullParam, {"Daily; DispMaxMin=1; MA=5,25,75", "Volume"});
}

// The indicator thumbnail's two halves apart: planning (indicators, scales, texts) and
// painting, on as many bars as a thumbnail reads for MACD's warm-up.
struct IndicatorScene {
    std::vector<quorex::PriceBar> bars = RandomWalk(440, 11);
    std::vector<quorex::chart::ChartDefinition> charts;
    quorex::chart::ChartScene scene;

    IndicatorScene()
    {
        for (const char* text :
             {"Daily; MA=5,25,75; BB=20,2; Ichimoku", "RSI=14", "MACD=12,26,9", "Volume"})
            charts.push_back(*quorex::chart::ParseDefinition(text));
        scene = {bars, charts, quorex::chart::ParseParams(kBuiltInParam), {}};
    }
};

void BM_IndicatorsPlan(benchmark::State& state)
{
    const IndicatorScene indicators;
    for (auto _ : state)
        benchmark::DoNotOptimize(quorex::chart::PlanChart(QRect(0, 0, 300, 180),
                                                          indicators.scene));
}

void BM_IndicatorsPaint(benchmark::State& state)
{
    const IndicatorScene indicators;
    const quorex::chart::ChartPlan plan =
        quorex::chart::PlanChart(QRect(0, 0, 300, 180), indicators.scene);
    QImage image(300, 180, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        quorex::chart::PaintChart(painter, plan);
    }
}

BENCHMARK(BM_IndicatorsPlan)->Unit(benchmark::kMicrosecond)->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_IndicatorsPaint)->Unit(benchmark::kMicrosecond)->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Thumbnail300x180Default)->Unit(benchmark::kMicrosecond)->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Thumbnail300x180Full)->Unit(benchmark::kMicrosecond)->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Thumbnail300x180Indicators)->Unit(benchmark::kMicrosecond)->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Chart1200x800Full)->Unit(benchmark::kMicrosecond)->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace
