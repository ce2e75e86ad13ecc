// Parsing a daily price file of 5,000 rows (about 260 KB): the work LoadData does per
// security and thumbnail when the series is not cached; and reading only the newest 60
// bars of it, as a thumbnail of the default chart needs, or its newest months.

#include "CsvPriceParser.h"
#include "DataLibrary.h"
#include "PriceShapes.h"
#include "SeriesCache.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kRows = 5000;
constexpr double kLowestPrice = 1000;
constexpr double kHighestPrice = 9000;

// A seeded random walk written the way most English exports look.
std::string MakePriceFile()
{
    std::mt19937 random(5000);
    std::normal_distribution<double> step(0, 0.015);
    std::string text = "Date,Open,High,Low,Close,Volume\n";
    double close = 1500;
    int year = 2004;
    int dayOfYear = 0;
    char row[128];
    for (int i = 0; i < kRows; ++i) {
        if (++dayOfYear > 250) {
            dayOfYear = 1;
            ++year;
        }
        const int month = 1 + (dayOfYear - 1) / 21;
        const int day = 1 + (dayOfYear - 1) % 21;
        const double open = close * (1 + step(random) / 3);
        close = open * (1 + step(random));
        if (close < kLowestPrice || close > kHighestPrice)
            close = open; // keeps four-digit prices, so the file has its intended size
        const double high = std::max(open, close) * 1.006;
        const double low = std::min(open, close) * 0.994;
        const int volume = 10'000'000 + int(random() % 80'000'000);
        std::snprintf(row, sizeof row, "%04d-%02d-%02d,%.2f,%.2f,%.2f,%.2f,%d\n", year, month,
                      day, open, high, low, close, volume);
        text += row;
    }
    return text;
}

// The shared build machine is rarely idle: the fastest repetition shows what a quiet core
// does, next to the median.
double Fastest(const std::vector<double>& times)
{
    return *std::min_element(times.begin(), times.end());
}

const std::string& PriceFileText()
{
    static const std::string text = MakePriceFile();
    return text;
}

// The parse alone, from a buffer as LoadData holds it after its one read.
void BM_ParsePriceCsv(benchmark::State& state)
{
    const std::string& text = PriceFileText();
    std::string buffer;
    buffer.reserve(text.size());
    for (auto _ : state) {
        buffer.assign(text); // the parse works in place
        auto series = brasko::ParsePriceFile(buffer);
        benchmark::DoNotOptimize(series);
        if (!series || series->Bars().size() != std::size_t(kRows))
            state.SkipWithError("wrong bar count");
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
    state.counters["file_bytes"] = double(text.size());
}
BENCHMARK(BM_ParsePriceCsv)->Unit(benchmark::kMillisecond)->Repetitions(10)
    ->ComputeStatistics("min", Fastest)->ReportAggregatesOnly(true);

// The file's rows newest first, as many vendors write them.
std::string NewestFirst(const std::string& text)
{
    std::vector<std::string_view> lines;
    std::string_view rest(text);
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n') + 1;
        lines.push_back(rest.substr(0, end));
        rest.remove_prefix(end);
    }
    std::reverse(lines.begin() + 1, lines.end());
    std::string out;
    for (std::string_view line : lines)
        out += line;
    return out;
}

// A price file in the temporary folder for the length of one benchmark.
class BenchFile {
public:
    BenchFile(const char* name, const std::string& text)
        : m_path(std::filesystem::temp_directory_path() / name)
    {
        std::ofstream(m_path, std::ios::binary) << text;
        // Older than the time a file is taken to be still being written.
        std::filesystem::last_write_time(
            m_path, std::filesystem::file_time_type::clock::now() - std::chrono::minutes(1));
    }
    ~BenchFile() { std::filesystem::remove(m_path); }
    std::string Path() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

// The whole LoadData of an uncached file: locate, open, read, decode check, parse.
void BM_LoadDataFromFile(benchmark::State& state)
{
    const BenchFile file("mosgrid_datalib_bench.csv", PriceFileText());
    brasko::DataLibrary library(nullptr);
    for (auto _ : state) {
        auto series = library.LoadData(file.Path(), "", 0);
        benchmark::DoNotOptimize(series);
    }
}
BENCHMARK(BM_LoadDataFromFile)->Unit(benchmark::kMillisecond)->Repetitions(10)
    ->ComputeStatistics("min", Fastest)->ReportAggregatesOnly(true);

constexpr std::size_t kDefaultChartBars = 60;

// The newest 60 bars of the same file, uncached (no cache: every load reads the file):
// state.range(0) 0 reads an oldest-first file from its tail, 1 a newest-first one from its
// head.
void BM_LoadLatest60(benchmark::State& state)
{
    const bool newestFirst = state.range(0) != 0;
    const BenchFile file("mosgrid_datalib_bench_latest.csv",
                         newestFirst ? NewestFirst(PriceFileText()) : PriceFileText());
    brasko::DataLibrary library(nullptr);
    for (auto _ : state) {
        const quorex::DataResult result = library.LoadData(file.Path(), "", 0,
                                                           {kDefaultChartBars, 0, 0});
        benchmark::DoNotOptimize(result);
        if (!result.data || result.data->Bars().size() < kDefaultChartBars)
            state.SkipWithError("too few bars");
    }
}
BENCHMARK(BM_LoadLatest60)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Repetitions(10)
    ->ComputeStatistics("min", Fastest)->ReportAggregatesOnly(true);

// The newest bars a thumbnail of 60 bars with MACD(12,26,9) needs (its warm-up of 275 bars
// before the first shown) of the same file, uncached: state.range(0) as for BM_LoadLatest60.
void BM_LoadLatestWithWarmUp(benchmark::State& state)
{
    constexpr std::size_t kWarmUpBars = 275;
    const bool newestFirst = state.range(0) != 0;
    const BenchFile file("mosgrid_datalib_bench_warmup.csv",
                         newestFirst ? NewestFirst(PriceFileText()) : PriceFileText());
    brasko::DataLibrary library(nullptr);
    const quorex::DataRequest request{kDefaultChartBars + kWarmUpBars, 0, 0};
    for (auto _ : state) {
        const quorex::DataResult result = library.LoadData(file.Path(), "", 0, request);
        benchmark::DoNotOptimize(result);
        if (!result.data || result.data->Bars().size() < request.latestBars)
            state.SkipWithError("too few bars");
    }
}
BENCHMARK(BM_LoadLatestWithWarmUp)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)->ComputeStatistics("min", Fastest)->ReportAggregatesOnly(true);

// What a monthly chart of 60 bars needs of the same file, uncached: state.range(0) 0 asks
// for the 61 newest months as such, 1 for as many daily rows as 31 a month would be (what
// a library that counts only rows must be asked for).
void BM_LoadLatestMonths(benchmark::State& state)
{
    constexpr std::size_t kMonths = 61;
    constexpr std::size_t kDaysPerMonth = 31;
    const BenchFile file("mosgrid_datalib_bench_months.csv", PriceFileText());
    brasko::DataLibrary library(nullptr);
    quorex::DataRequest request;
    request.latestBars = 1;
    if (state.range(0) == 0)
        request.latestMonths = kMonths;
    else
        request.latestBars = (kMonths + 1) * kDaysPerMonth;
    for (auto _ : state) {
        const quorex::DataResult result = library.LoadData(file.Path(), "", 0, request);
        benchmark::DoNotOptimize(result);
        if (!result.data)
            state.SkipWithError("no series");
    }
}
BENCHMARK(BM_LoadLatestMonths)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Repetitions(10)
    ->ComputeStatistics("min", Fastest)->ReportAggregatesOnly(true);

// A rebuild that finds the file unchanged.
void BM_LoadDataCached(benchmark::State& state)
{
    const BenchFile file("mosgrid_datalib_bench_cached.csv", PriceFileText());
    brasko::DataLibrary library(std::make_shared<brasko::SeriesCache>());
    for (auto _ : state) {
        auto series = library.LoadData(file.Path(), "", 0);
        benchmark::DoNotOptimize(series);
    }
}
BENCHMARK(BM_LoadDataCached)->Unit(benchmark::kMicrosecond);

// The newest 60 bars of each of 400 securities in one shape (see PriceShapes.h), as a first
// build of a catalog does: a fresh library (nothing cached, no database judged) per pass.
// CPU time per pass; per_security (CPU seconds) is the figure the README quotes.
constexpr int kShapeSecurities = 400;
constexpr unsigned kShapeDistinctFiles = 16;

std::filesystem::path ShapeFolder()
{
    return std::filesystem::temp_directory_path() / "mosgrid-bench-shapes";
}

void BM_LoadShape(benchmark::State& state)
{
    const benchshapes::Shape& shape = benchshapes::Shapes()[std::size_t(state.range(0))];
    state.SetLabel(shape.name);
    const std::filesystem::path folder = ShapeFolder() / shape.name;
    std::filesystem::create_directories(folder);
    std::vector<std::pair<std::string, std::string>> items; // source, code
    if (shape.database) {
        const std::string db = (folder / "prices.db").string();
        if (!benchshapes::MakeDatabase(shape, db, kShapeSecurities)) {
            state.SkipWithError("cannot make the database");
            return;
        }
        for (int i = 0; i < kShapeSecurities; ++i)
            items.emplace_back(db, benchshapes::CodeName(i));
    } else {
        for (unsigned f = 0; f < kShapeDistinctFiles; ++f) {
            const std::filesystem::path path = folder / (std::to_string(f) + ".csv");
            std::ofstream(path, std::ios::binary) << benchshapes::PriceFileBytes(shape, f + 1);
            std::filesystem::last_write_time(
                path, std::filesystem::file_time_type::clock::now() - std::chrono::minutes(1));
        }
        for (int i = 0; i < kShapeSecurities; ++i)
            items.emplace_back((folder / (std::to_string(i % kShapeDistinctFiles) + ".csv"))
                                   .string(), std::string());
    }
    const std::int32_t type = shape.database ? brasko::DataLibrary::kDatabaseType : 0;
    for (auto _ : state) {
        brasko::DataLibrary library(nullptr);
        for (const auto& [source, code] : items) {
            const quorex::DataResult result =
                library.LoadData(source, code, type, {kDefaultChartBars, 0, 0});
            benchmark::DoNotOptimize(result);
            if (!result.data || result.data->Bars().size() < kDefaultChartBars) {
                state.SkipWithError("too few bars");
                return;
            }
        }
    }
    // CPU seconds per security.
    state.counters["per_security"] = benchmark::Counter(
        kShapeSecurities, benchmark::Counter::kIsIterationInvariantRate
                              | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LoadShape)->DenseRange(0, 7)->Unit(benchmark::kMillisecond)->Repetitions(3)
    ->ComputeStatistics("min", Fastest)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
