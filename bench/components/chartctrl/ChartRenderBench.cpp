// How long the chart control takes to paint a picture, buffer reused as in a rebuild.
#include "ChartControl.h"
#include "ChartTestSeries.h"

#include <QGuiApplication>

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

BENCHMARK(BM_Thumbnail300x180Default)->Unit(benchmark::kMicrosecond)->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Thumbnail300x180Full)->Unit(benchmark::kMicrosecond)->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Thumbnail300x180Indicators)->Unit(benchmark::kMicrosecond)->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Chart1200x800Full)->Unit(benchmark::kMicrosecond)->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
