// An edit of a 4,000-line list as the Edit menu makes it: the list read, the edit written,
// and the grid reloaded with the new order (thumbnails of unchanged securities kept).
#include "catalog/ListEditSession.h"
#include "chart/PluginComponentProvider.h"
#include "view/CCatalogView.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <string>

using namespace mosgrid;

namespace {

constexpr int kLines = 4000;
constexpr int kMiddle = kLines / 2;

std::string MakeList(const QTemporaryDir& dir)
{
    QByteArray list;
    for (int line = 0; line < kLines; ++line) {
        list += "1," MOSGRID_SOURCE_DIR "/examples/data," + QByteArray::number(1000 + line)
            + ",\x83\x67\x83\x88\x83\x5E " + QByteArray::number(line) + "\r\n";
    }
    const QString path = dir.filePath(QStringLiteral("list.lst"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(list);
    return QFile::encodeName(path).toStdString();
}

using Edit = ListEditOutcome (*)(ListEditSession&, int iteration);

void EditAndShow(benchmark::State& state, Edit edit)
{
    QTemporaryDir dir;
    const std::string exeDir = MOSGRID_PROGRAM_DIR "/";
    PluginComponentProvider provider(exeDir);
    const std::string ini = QFile::encodeName(dir.filePath(QStringLiteral("mosgrid.ini")))
                                .toStdString();
    CCatalogView view(ProgramPaths{exeDir, ini}, &provider);
    const std::string list = MakeList(dir);
    view.SetListFile(list, false);
    view.LoadList();
    view.model().builder().WaitUntilBuilt();
    ListEditSession session;
    int iteration = 0;
    for (auto _ : state) {
        if (session.Read(list) != ListFileError::None || !edit(session, iteration++).done())
            state.SkipWithError("edit not written");
        if (view.ReloadList() != CCatalogView::ReloadResult::Changed)
            state.SkipWithError("edit not shown");
    }
}

void BM_MoveAndShow(benchmark::State& state)
{
    EditAndShow(state, [](ListEditSession& session, int iteration) {
        return session.Move({kMiddle}, iteration % 2 == 0 ? 1 : -1);
    });
}
BENCHMARK(BM_MoveAndShow)->Unit(benchmark::kMillisecond);

// Deletes and puts back the middle security in turn.
void BM_DeleteOrAddAndShow(benchmark::State& state)
{
    EditAndShow(state, [](ListEditSession& session, int iteration) {
        if (iteration % 2 == 0)
            return session.Delete({kMiddle});
        return session.Insert(kMiddle, {{1, "/p", "9999", "n"}});
    });
}
BENCHMARK(BM_DeleteOrAddAndShow)->Unit(benchmark::kMillisecond);

} // namespace
