#include "settings/FlagStore.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

using namespace mosgrid;

namespace {

constexpr int kFlaggedCodes = 10000;
constexpr int kOtherLists = 20;
constexpr int kCodesPerOtherList = 200;

std::string Code(int i)
{
    return std::to_string(1000 + i) + ".T";
}

// A flags file as a heavy user's might grow: one list with 10,000 flagged securities and
// twenty more lists of 200 each.
std::string MakeFlagsFile(const std::string& folder, const std::string& list)
{
    FlagStore store(folder + "/mosgrid/flags.ini");
    const int main = store.Open(list);
    for (int i = 0; i < kFlaggedCodes; ++i)
        store.Set(main, Code(i), static_cast<FlagColor>(i % kFlagColorCount + 1));
    for (int l = 0; l < kOtherLists; ++l) {
        const int other = store.Open(folder + "/other" + std::to_string(l) + ".txt");
        for (int i = 0; i < kCodesPerOtherList; ++i)
            store.Set(other, Code(i), FlagColor::Red);
    }
    store.Save();
    return store.file();
}

// What opening a 10,000-security list costs the flags: the file read and parsed once, the
// list found, the flag of every security looked up.
void BM_LoadFlagsOf10000(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    const std::string list = folder + "/watch.txt";
    std::ofstream(list) << "0,src,1000.T,name\n";
    const std::string file = MakeFlagsFile(folder, list);
    std::vector<std::string> codes;
    for (int i = 0; i < kFlaggedCodes; ++i)
        codes.push_back(Code(i));
    for (auto _ : state) {
        FlagStore store(file);
        const int opened = store.Open(list);
        int flagged = 0;
        for (const std::string& code : codes)
            flagged += store.ColorOf(opened, code) != FlagColor::None ? 1 : 0;
        if (flagged != kFlaggedCodes)
            state.SkipWithError("flags lost");
        benchmark::DoNotOptimize(flagged);
    }
}
BENCHMARK(BM_LoadFlagsOf10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
