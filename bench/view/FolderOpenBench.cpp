// A folder of price files opened as a catalog: how long until the first screen of thumbnails
// is made (the user's wait), and how long listing the folder takes alone.
#include "catalog/CatalogListLoader.h"
#include "chart/PluginComponentProvider.h"
#include "view/CCatalogView.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

using namespace mosgrid;

namespace {

// Cells on a first screen of the default window: three by three, and a row more.
constexpr int kFirstScreen = 12;

// A folder of `count` price files, copies of the sample securities' files; made once.
const QTemporaryDir& PriceFolder(int count)
{
    static std::map<int, std::unique_ptr<QTemporaryDir>> folders;
    auto& folder = folders[count];
    if (folder)
        return *folder;
    folder = std::make_unique<QTemporaryDir>();
    const QDir samples(QStringLiteral(MOSGRID_SOURCE_DIR "/examples/data"));
    std::vector<QByteArray> files;
    for (const QString& name : samples.entryList({QStringLiteral("*.csv")}, QDir::Files)) {
        QFile file(samples.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            files.push_back(file.readAll());
    }
    for (int i = 0; i < count && !files.empty(); ++i) {
        QFile out(folder->filePath(QString::number(100000 + i) + QStringLiteral(".csv")));
        if (out.open(QIODevice::WriteOnly))
            out.write(files[std::size_t(i) % files.size()]);
    }
    return *folder;
}

std::string Native(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

void BM_ListFolder(benchmark::State& state)
{
    const std::string folder = Native(PriceFolder(int(state.range(0))).path());
    for (auto _ : state) {
        CatalogItemList items;
        LoadCatalogList(folder, false, items);
        if (int(items.size()) != state.range(0))
            state.SkipWithError("folder not listed whole");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ListFolder)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

// From opening the folder to the first screen's thumbnails made, with the real plugins.
void BM_FolderFirstScreen(benchmark::State& state)
{
    const QTemporaryDir& folder = PriceFolder(int(state.range(0)));
    QTemporaryDir dir;
    const std::string exeDir = MOSGRID_PROGRAM_DIR "/";
    PluginComponentProvider provider(exeDir);
    const std::string ini = Native(dir.filePath(QStringLiteral("mosgrid.ini")));
    std::vector<int> first(kFirstScreen);
    std::iota(first.begin(), first.end(), 0);
    for (auto _ : state) {
        CCatalogView view(ProgramPaths{exeDir, ini}, &provider);
        view.SetListFile(Native(folder.path()), false);
        view.LoadList();
        if (!view.model().builder().WaitUntilMade(first))
            state.SkipWithError("first screen not made");
        state.PauseTiming();
        view.model().builder().Stop();
        view.model().builder().StopAndWait();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FolderFirstScreen)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
