#include "catalog/CatalogListLoader.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

constexpr int kLines = 100000;

// A list file as the suite writes one: Shift-JIS names, CR LF or LF line ends.
class ListFile {
public:
    explicit ListFile(bool crlf)
    {
        char folder[] = "/tmp/mosgrid-bench-XXXXXX";
        if (::mkdtemp(folder))
            m_folder = folder;
        m_path = m_folder + "/list.txt";
        std::ofstream out(m_path, std::ios::binary);
        const char* ending = crlf ? "\r\n" : "\n";
        for (int line = 0; line < kLines; ++line) {
            out << line % 3 << ",C:\\Quorex\\data," << 1000 + line % 9000
                << ",\x83\x67\x83\x88\x83\x5E\x8E\xA9\x93\xAE\x8E\xD4 " << line << ending;
        }
    }
    ~ListFile()
    {
        std::remove(m_path.c_str());
        ::rmdir(m_folder.c_str());
    }
    const std::string& path() const { return m_path; }

private:
    std::string m_folder;
    std::string m_path;
};

void BM_LoadCatalogList(benchmark::State& state)
{
    const ListFile file(state.range(0) != 0);
    for (auto _ : state) {
        CatalogItemList items;
        const ListLoadOutcome outcome = LoadCatalogList(file.path(), false, items);
        if (!outcome.complete || items.size() != kLines)
            state.SkipWithError("list did not load whole");
        benchmark::DoNotOptimize(items.data());
        // Freeing the items is the view's FreeItems, not part of the load.
        state.PauseTiming();
        items.clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}

BENCHMARK(BM_LoadCatalogList)->ArgName("crlf")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
