// The chart window's targets: a redraw for one zoom or scroll step of a 20-year daily series
// at 1600 x 900 with averages, Bollinger bands, volume and two indicator panes; the first
// picture of a newly opened window; the next security when its file is in the series cache.
#include "catalog/CatalogItem.h"
#include "chart/PluginComponentProvider.h"
#include "view/BarRange.h"
#include "view/ChartFrame.h"
#include "view/ChartOutput.h"
#include "view/ChartWindowInputs.h"
#include "view/PeriodEnds.h"
#include "view/WholeSeries.h"

#include <benchmark/benchmark.h>

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <random>

using namespace mosgrid;

namespace {

constexpr int kBars = 5000;
constexpr int kSteps = 100;
const QSize kSize(1600, 900);
const std::vector<std::string> kDefinitions = {"Daily; MA=25,75; BB=20,2; DispMaxMin=1",
                                               "Volume", "RSI=14", "MACD"};
constexpr char kCommon[] = "AssistLine=1; FontSize=9; DispNum=60; ShowScrollBar=0";

// A random walk of kBars weekdays as a price file of type 0, oldest first.
QByteArray PriceFile(unsigned seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> step(0.0003, 0.018);
    QByteArray text = "Date,Open,High,Low,Close,Adj Close,Volume\n";
    QDate day(2005, 1, 3);
    double price = 1000;
    for (int n = 0; n < kBars; day = day.addDays(1)) {
        if (day.dayOfWeek() > 5)
            continue;
        const double close = price * std::exp(step(random));
        text += day.toString(Qt::ISODate).toLatin1() + ',' + QByteArray::number(price) + ','
            + QByteArray::number(std::max(price, close) * 1.004) + ','
            + QByteArray::number(std::min(price, close) * 0.996) + ','
            + QByteArray::number(close) + ',' + QByteArray::number(close) + ",1500000\n";
        price = close;
        ++n;
    }
    return text;
}

struct Fixture {
    QTemporaryDir dir;
    PluginComponentProvider provider{MOSGRID_PROGRAM_DIR "/"};

    CatalogItem Item(int index)
    {
        CatalogItem item;
        item.m_strSource = dir.path().toStdString();
        item.m_strCode = std::to_string(7000 + index);
        const QString path = dir.filePath(QString::fromStdString(item.m_strCode) + ".csv");
        if (!QFile::exists(path)) {
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            file.write(PriceFile(unsigned(index)));
        }
        return item;
    }

    FrameRequest Request(const WholeSeries& series, const BarRange& range,
                         const std::vector<int>& ends)
    {
        FrameRequest request;
        request.series = series.data;
        request.dailyBars = ends[range.end - 1];
        request.params = ChartWindowInputs::Params(kCommon, range.count, PeriodChoice::Daily);
        request.definitions = kDefinitions;
        request.size = kSize;
        request.provider = &provider;
        return request;
    }
};

Fixture& Shared()
{
    static Fixture fixture;
    return fixture;
}

// 100 steps as a user makes them: zoom out to everything, scroll back, zoom in again.
std::vector<BarRange> Steps(int total)
{
    std::vector<BarRange> steps;
    BarRange range = BarRange::Newest(total, 60);
    for (int i = 0; steps.size() < std::size_t(kSteps); ++i) {
        const int phase = i / 25 % 4;
        if (phase == 0)
            range = range.ZoomedOut(range.end - 1);
        else if (phase == 1)
            range = range.Scrolled(-range.count / 10);
        else if (phase == 2)
            range = range.ZoomedIn(range.first() + range.count / 2);
        else
            range = range.Scrolled(range.count / 10);
        steps.push_back(range);
    }
    return steps;
}

// One redraw per iteration, the 100 steps replayed in turn.
void BM_ZoomOrScrollStep(benchmark::State& state)
{
    Fixture& fixture = Shared();
    const WholeSeries series = WholeSeries::Load(fixture.provider, fixture.Item(0));
    if (!series.data) {
        state.SkipWithError("no series");
        return;
    }
    const std::vector<int> ends = PeriodEnds(series.data->Bars(), PeriodChoice::Daily);
    const std::vector<BarRange> steps = Steps(int(ends.size()));
    std::size_t next = 0;
    for (auto _ : state) {
        const auto frame = ChartFrame::Render(fixture.Request(series, steps[next], ends));
        benchmark::DoNotOptimize(frame->image().constBits());
        next = (next + 1) % steps.size();
    }
}
BENCHMARK(BM_ZoomOrScrollStep)->Unit(benchmark::kMillisecond)->Iterations(kSteps);

// One redraw at a fixed zoom: where the time of a step goes.
void BM_RedrawAtZoom(benchmark::State& state)
{
    Fixture& fixture = Shared();
    const WholeSeries series = WholeSeries::Load(fixture.provider, fixture.Item(0));
    if (!series.data) {
        state.SkipWithError("no series");
        return;
    }
    const std::vector<int> ends = PeriodEnds(series.data->Bars(), PeriodChoice::Daily);
    const BarRange range = BarRange::Newest(int(ends.size()), int(state.range(0)));
    for (auto _ : state) {
        const auto frame = ChartFrame::Render(fixture.Request(series, range, ends));
        benchmark::DoNotOptimize(frame->image().constBits());
    }
}
BENCHMARK(BM_RedrawAtZoom)->Unit(benchmark::kMillisecond)->Arg(120)->Arg(1000)->Arg(5000);

// Ctrl+S to PDF: the chart drawn again as lines and text. MOSGRID_KEEP_PDF names a file
// to keep the last one in, for looking at.
void BM_SavePdf(benchmark::State& state)
{
    Fixture& fixture = Shared();
    const WholeSeries series = WholeSeries::Load(fixture.provider, fixture.Item(0));
    if (!series.data) {
        state.SkipWithError("no series");
        return;
    }
    const std::vector<int> ends = PeriodEnds(series.data->Bars(), PeriodChoice::Daily);
    const auto frame = ChartFrame::Render(
        fixture.Request(series, BarRange::Newest(int(ends.size()), 250), ends));
    const QString kept = qEnvironmentVariable("MOSGRID_KEEP_PDF");
    const QString path = kept.isEmpty() ? fixture.dir.filePath("chart.pdf") : kept;
    for (auto _ : state) {
        if (!ChartOutput::SavePdf(*frame, path))
            state.SkipWithError("not saved");
    }
}
BENCHMARK(BM_SavePdf)->Unit(benchmark::kMillisecond)->Iterations(10);

// A window opened on a security read for the first time: the whole file, then a picture.
void BM_FirstPicture(benchmark::State& state)
{
    Fixture& fixture = Shared();
    int index = 100;
    for (auto _ : state) {
        state.PauseTiming();
        const CatalogItem item = fixture.Item(index++);
        state.ResumeTiming();
        const WholeSeries series = WholeSeries::Load(fixture.provider, item);
        const std::vector<int> ends = PeriodEnds(series.data->Bars(), PeriodChoice::Daily);
        const BarRange range = BarRange::Newest(int(ends.size()), 60);
        benchmark::DoNotOptimize(ChartFrame::Render(fixture.Request(series, range, ends)));
    }
}
BENCHMARK(BM_FirstPicture)->Unit(benchmark::kMillisecond)->Iterations(20);

// Stepping to a security whose file the series cache holds.
void BM_StepToCachedSecurity(benchmark::State& state)
{
    Fixture& fixture = Shared();
    const CatalogItem items[] = {fixture.Item(1), fixture.Item(2)};
    for (const CatalogItem& item : items)
        WholeSeries::Load(fixture.provider, item);
    int next = 0;
    for (auto _ : state) {
        const WholeSeries series = WholeSeries::Load(fixture.provider, items[next]);
        const std::vector<int> ends = PeriodEnds(series.data->Bars(), PeriodChoice::Daily);
        const BarRange range = BarRange::Newest(int(ends.size()), 120);
        benchmark::DoNotOptimize(ChartFrame::Render(fixture.Request(series, range, ends)));
        next = 1 - next;
    }
}
BENCHMARK(BM_StepToCachedSecurity)->Unit(benchmark::kMillisecond)->Iterations(40);

} // namespace
