#include "catalog/CatalogListLoader.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>
#include <malloc.h>

#include <algorithm>

using namespace mosgrid;

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

// What a string's own heap block takes: nothing within the short-string buffer, else its
// capacity and terminator in a malloc chunk (8 bytes of header, 16-byte steps).
std::size_t StringHeapBytes(const std::string& text)
{
    constexpr std::size_t kInline = 15;
    if (text.capacity() <= kInline)
        return 0;
    return std::max<std::size_t>(32, (text.capacity() + 1 + 8 + 15) / 16 * 16);
}

// The heap a loaded list holds per security, all of it and beyond the strings' own blocks
// (the item, its pointer and the list's array).
void BM_ListMemoryPerItem(benchmark::State& state)
{
    const std::size_t count = static_cast<std::size_t>(state.range(0));
    char folder[] = "/tmp/mosgrid-bench-XXXXXX";
    const std::string dir = ::mkdtemp(folder) ? folder : "/tmp";
    const std::string path = dir + "/million.txt";
    {
        std::ofstream out(path, std::ios::binary);
        for (std::size_t line = 0; line < count; ++line)
            out << line % 3 << ",/home/user/quorex/data," << 1000 + line % 9000
                << ",\x83\x67\x83\x88\x83\x5E " << line << "\n";
    }
    double total = 0;
    double strings = 0;
    for (auto _ : state) {
        const std::size_t before = ::mallinfo2().uordblks + ::mallinfo2().hblkhd;
        CatalogItemList items;
        LoadCatalogList(path, false, items);
        const std::size_t after = ::mallinfo2().uordblks + ::mallinfo2().hblkhd;
        std::size_t stringBytes = 0;
        for (const auto& item : items) {
            stringBytes += StringHeapBytes(item->m_strSource) + StringHeapBytes(item->m_strCode)
                + StringHeapBytes(item->m_strName);
        }
        total = double(after - before) / double(items.size());
        strings = double(stringBytes) / double(items.size());
    }
    state.counters["bytes_per_item"] = total;
    state.counters["beyond_strings"] = total - strings;
    std::remove(path.c_str());
    ::rmdir(dir.c_str());
}
BENCHMARK(BM_ListMemoryPerItem)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
