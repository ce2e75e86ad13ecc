#include "catalog/ListEdits.h"
#include "catalog/ListFileWriter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace mosgrid;

namespace {

constexpr int kLines = 4000;
constexpr int kMiddle = kLines / 2;

// A 4,000-line Shift-JIS list with CR LF ends, read for editing from a temporary folder.
class EditedList {
public:
    EditedList()
    {
        char folder[] = "/tmp/mosgrid-bench-XXXXXX";
        if (::mkdtemp(folder))
            m_folder = folder;
        m_path = m_folder + "/list.txt";
        std::ofstream out(m_path, std::ios::binary);
        for (int line = 0; line < kLines; ++line) {
            out << line % 3 << ",/home/user/prices," << 1000 + line % 9000
                << ",\x83\x67\x83\x88\x83\x5E\x8E\xA9\x93\xAE\x8E\xD4 " << line << "\r\n";
        }
        out.close();
        m_file = ListFileWriter(m_path);
        std::string bytes;
        m_ok = m_file.Read(bytes) == ListFileError::None;
        m_list = ListDocument(std::move(bytes));
    }
    ~EditedList()
    {
        std::remove(m_path.c_str());
        ::rmdir(m_folder.c_str());
    }
    EditedList(const EditedList&) = delete;
    EditedList& operator=(const EditedList&) = delete;

    // The edit written to the file; false when either failed.
    bool Apply(const ListEditResult& result)
    {
        if (!m_ok || !result.ok() || m_file.Write(result.document.Bytes()) != ListFileError::None)
            return false;
        m_list = result.document;
        return true;
    }
    const ListDocument& list() const { return m_list; }
    const std::string& path() const { return m_path; }

private:
    std::string m_folder;
    std::string m_path;
    ListFileWriter m_file{""};
    ListDocument m_list;
    bool m_ok = false;
};

const NewListItem kNewItem{1, "/home/user/prices", "7203", "\xE6\x97\xA5\xE7\x94\xA3"};

void BM_AddWritten(benchmark::State& state)
{
    EditedList edited;
    for (auto _ : state) {
        if (!edited.Apply(InsertListItems(edited.list(), kMiddle, {kNewItem}, edited.path())))
            state.SkipWithError("add failed");
        state.PauseTiming();
        edited.Apply(DeleteListItems(edited.list(), {kMiddle}));
        state.ResumeTiming();
    }
}

void BM_DeleteWritten(benchmark::State& state)
{
    EditedList edited;
    for (auto _ : state) {
        if (!edited.Apply(DeleteListItems(edited.list(), {kMiddle})))
            state.SkipWithError("delete failed");
        state.PauseTiming();
        edited.Apply(InsertListItems(edited.list(), kMiddle, {kNewItem}, edited.path()));
        state.ResumeTiming();
    }
}

void BM_MoveWritten(benchmark::State& state)
{
    EditedList edited;
    int step = 1;
    for (auto _ : state) {
        if (!edited.Apply(MoveListItem(edited.list(), step > 0 ? kMiddle : kMiddle + 1, step)))
            state.SkipWithError("move failed");
        step = -step;
    }
}

// The edit alone, without the write: what the file system adds is the rest.
void BM_MoveInMemory(benchmark::State& state)
{
    EditedList edited;
    for (auto _ : state)
        benchmark::DoNotOptimize(MoveListItem(edited.list(), kMiddle, 1));
}

BENCHMARK(BM_AddWritten)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteWritten)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveWritten)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveInMemory)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
