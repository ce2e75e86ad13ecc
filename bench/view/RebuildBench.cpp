// The thumbnail rebuild with the real plugins: what a user waits for at start-up and after
// the settings sheet. Run from the repository root, where the sample catalog's sources lie.
#include "chart/PluginComponentProvider.h"
#include "view/CCatalogView.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <string>

using namespace mosgrid;

namespace {

// The sample catalog repeated to a list of `count` lines.
std::string MakeList(const QTemporaryDir& dir, int count)
{
    QFile sample(QStringLiteral(MOSGRID_SOURCE_DIR "/examples/sample.lst"));
    sample.open(QIODevice::ReadOnly);
    const QList<QByteArray> lines = sample.readAll().split('\n');
    QByteArray list;
    int written = 0;
    while (written < count) {
        for (const QByteArray& line : lines) {
            if (line.isEmpty() || written == count)
                continue;
            list += line + '\n';
            ++written;
        }
    }
    const QString path = dir.filePath(QStringLiteral("list.lst"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(list);
    return QFile::encodeName(path).toStdString();
}

void BM_Rebuild(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string exeDir = MOSGRID_PROGRAM_DIR "/";
    PluginComponentProvider provider(exeDir);
    const std::string ini = QFile::encodeName(dir.filePath(QStringLiteral("mosgrid.ini"))).toStdString();
    CCatalogView view(ProgramPaths{exeDir, ini}, &provider);
    view.SetListFile(MakeList(dir, static_cast<int>(state.range(0))), false);
    view.LoadList();  // loads the list, plugins and price files once
    view.model().builder().WaitUntilBuilt();
    for (auto _ : state) {
        view.model().RebuildThumbnails();
        view.model().builder().WaitUntilBuilt();
    }
    state.counters["thumbnails"] = static_cast<double>(view.model().store().size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Rebuild)->Arg(24)->Arg(240)->Unit(benchmark::kMillisecond);

} // namespace
