// F5 on a very long list, and opening one: the longest time the user-interface thread is
// held while the list is read (on a worker) and the reload or the new catalog applied. No components, so no thumbnail is
// made and only the list's own work is measured.
#include "base/MessageBox.h"
#include "view/CCatalogView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <malloc.h>
#include <fstream>
#include <string>

using namespace mosgrid;

namespace {

std::string WriteList(const QTemporaryDir& dir, int count, int firstCode)
{
    const std::string path = dir.filePath(QStringLiteral("list.lst")).toStdString();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (int i = 0; i < count; ++i)
        out << i % 3 << ",examples/data," << firstCode + i << ",銘柄" << i << '\n';
    return path;
}

std::size_t HeapBytes()
{
    const struct mallinfo2 info = ::mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The longest stretch the event loop went without a 1 ms tick, kept in `longest`, from
// construction on; Mark ends a stretch where the loop did not run.
class BlockWatch {
public:
    explicit BlockWatch(double& longest) : m_longest(longest)
    {
        m_ticker.setInterval(1);
        QObject::connect(&m_ticker, &QTimer::timeout, [this] { Mark(); });
        m_sinceTick.start();
        m_ticker.start();
    }
    void Mark()
    {
        m_longest = std::max(m_longest, m_sinceTick.nsecsElapsed() / 1e6);
        m_sinceTick.restart();
    }

private:
    double& m_longest;
    QElapsedTimer m_sinceTick;
    QTimer m_ticker;
};

void BM_ReloadLongList(benchmark::State& state)
{
    SetMessageBoxHandler([](const QString&) {});
    QTemporaryDir dir;
    const int count = static_cast<int>(state.range(0));
    const std::string ini = dir.filePath(QStringLiteral("mosgrid.ini")).toStdString();
    CCatalogView view(ProgramPaths{dir.path().toStdString() + "/", ini}, nullptr);
    view.SetListFile(WriteList(dir, count, 1000), false);
    const std::size_t before = HeapBytes();
    view.LoadList();
    // Everything the view keeps per security, strings included (no thumbnail is made).
    state.counters["view_bytes_per_item"] = double(HeapBytes() - before) / count;
    double longestMs = 0;
    int round = 0;
    for (auto _ : state) {
        // Every other round a list that differs in its first line, so the reload applies.
        state.PauseTiming();
        WriteList(dir, count, 1000 + (++round % 2));
        state.ResumeTiming();
        BlockWatch watch(longestMs);
        QEventLoop loop;
        QObject::connect(&view, &CCatalogView::reloadFinished, &loop, &QEventLoop::quit);
        const CCatalogView::ReloadResult result = view.ReloadList();
        watch.Mark();
        if (result == CCatalogView::ReloadResult::Pending)
            loop.exec();
        watch.Mark();
    }
    state.counters["items"] = double(view.model().items().size());
    state.counters["longest_block_ms"] = longestMs;
}
BENCHMARK(BM_ReloadLongList)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(2);

// File > 開く (or a recent list) of a very long list, alternating between two of them.
void BM_OpenLongList(benchmark::State& state)
{
    SetMessageBoxHandler([](const QString&) {});
    QTemporaryDir first;
    QTemporaryDir second;
    const int count = static_cast<int>(state.range(0));
    const std::string ini = first.filePath(QStringLiteral("mosgrid.ini")).toStdString();
    CCatalogView view(ProgramPaths{first.path().toStdString() + "/", ini}, nullptr);
    const std::string lists[] = {WriteList(first, count, 1000), WriteList(second, count, 2000)};
    double longestMs = 0;
    int round = 0;
    for (auto _ : state) {
        BlockWatch watch(longestMs);
        QEventLoop loop;
        QObject::connect(&view.model(), &CatalogModel::listLoaded, &loop, &QEventLoop::quit);
        view.OpenList(lists[round++ % 2]);
        watch.Mark();
        if (view.model().isLoading())
            loop.exec();
        watch.Mark();
    }
    state.counters["items"] = double(view.model().items().size());
    state.counters["longest_block_ms"] = longestMs;
}
BENCHMARK(BM_OpenLongList)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
