#include "model/SearchFold.h"
#include "model/SortOrder.h"

#include <benchmark/benchmark.h>

#include <QString>

#include <random>
#include <vector>

using namespace mosgrid;

namespace {

constexpr int kItems = 100000;

// A large catalog as the grid sorts it: codes, folded names, facts of every series.
std::vector<SortEntry> Catalog()
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> price(100, 50000);
    std::vector<SortEntry> entries;
    entries.reserve(kItems);
    for (int i = 0; i < kItems; ++i) {
        ItemFacts facts;
        facts.made = i % 50 != 0;
        facts.hasData = i % 97 != 0;
        facts.lastClose = price(random);
        facts.previousClose = price(random);
        facts.lastVolume = price(random) * 100;
        entries.push_back({QString::number(1000 + i % 9000),
                           FoldForSearch(QStringLiteral("ﾄﾖﾀ自動車 %1").arg(i)), facts});
    }
    return entries;
}

// One re-sort as facts arrive during a build: what the grid does at most every 400 ms.
void BM_SortByChange(benchmark::State& state)
{
    const std::vector<SortEntry> entries = Catalog();
    for (auto _ : state)
        benchmark::DoNotOptimize(SortedItems(entries, SortKey::Change, true));
}
BENCHMARK(BM_SortByChange)->Unit(benchmark::kMillisecond);

void BM_SortByName(benchmark::State& state)
{
    const std::vector<SortEntry> entries = Catalog();
    for (auto _ : state)
        benchmark::DoNotOptimize(SortedItems(entries, SortKey::Name, false));
}
BENCHMARK(BM_SortByName)->Unit(benchmark::kMillisecond);

// One keystroke in the search field over every security.
void BM_FilterKeystroke(benchmark::State& state)
{
    const std::vector<SortEntry> entries = Catalog();
    for (auto _ : state) {
        const QString filter = FoldForSearch(QStringLiteral("とよた 9"));
        int shown = 0;
        for (const SortEntry& entry : entries)
            shown += MatchesFilter(filter, entry.code, entry.name) ? 1 : 0;
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(BM_FilterKeystroke)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
