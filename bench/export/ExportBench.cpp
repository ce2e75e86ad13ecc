// Exporting a whole catalog with the real plugins: every thumbnail made from the price files
// and written, as `mosgrid --export=...` does; and the writing alone, from ready pictures.
// Run from anywhere: the sample catalog's sources are found from the repository root.
#include "chart/PluginComponentProvider.h"
#include "export/BuilderThumbnailSource.h"
#include "export/CatalogExporter.h"
#include "export/ThumbnailSource.h"
#include "view/CCatalogView.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <string>

using namespace mosgrid;

namespace {

// The sample catalog (24 securities) repeated to a list of `count` lines.
std::string MakeList(const QTemporaryDir& dir, int count)
{
    QFile sample(QStringLiteral(MOSGRID_SOURCE_DIR "/examples/sample.lst"));
    sample.open(QIODevice::ReadOnly);
    const QList<QByteArray> lines = sample.readAll().split('\n');
    QByteArray list;
    for (int written = 0; written < count;) {
        for (const QByteArray& line : lines) {
            if (!line.isEmpty() && written < count) {
                list += line + '\n';
                ++written;
            }
        }
    }
    const QString path = dir.filePath(QStringLiteral("list.lst"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(list);
    return QFile::encodeName(path).toStdString();
}

ExportRequest Request(const QTemporaryDir& dir, const char* target)
{
    ExportRequest request;
    request.path = QFile::encodeName(dir.filePath(QString::fromLatin1(target))).toStdString();
    request.header = ExportHeader{QStringLiteral("list.lst"), QDateTime::currentDateTime()};
    return request;
}

double PeakMegabytes()
{
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024;
}

// The whole process's peak: run one benchmark at a time (--benchmark_filter) to read it.
void CountFileSize(benchmark::State& state, const QTemporaryDir& dir, const char* target)
{
    state.counters["peak_MB"] = PeakMegabytes();
    if (std::string(target).ends_with(".pdf")) {
        const QFileInfo written(QFile::decodeName(Request(dir, target).path.c_str()));
        state.counters["file_MB"] = double(written.size()) / (1024 * 1024);
    }
}

// Load, make every thumbnail, write: a fresh view each time, as a new process would.
void ExportWhole(benchmark::State& state, const char* target)
{
    QTemporaryDir dir;
    const std::string exeDir = MOSGRID_PROGRAM_DIR "/";
    PluginComponentProvider provider(exeDir);
    const std::string list = MakeList(dir, static_cast<int>(state.range(0)));
    const ProgramPaths paths{exeDir, QFile::encodeName(dir.filePath("mosgrid.ini")).toStdString()};
    for (auto _ : state) {
        CCatalogView view(paths, &provider);
        view.SetListFile(list, false);
        view.LoadList();
        BuilderThumbnailSource source(view.model().builder(), view.model().store());
        const ExportOutcome outcome =
            ExportCatalog(source, view.model().items(), view.ExportOrder(), Request(dir, target));
        if (outcome.status != ExportStatus::Done)
            state.SkipWithError(outcome.message.toStdString().c_str());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    CountFileSize(state, dir, target);
}

void BM_ExportPdf(benchmark::State& state) { ExportWhole(state, "catalog.pdf"); }
void BM_ExportPngFolder(benchmark::State& state) { ExportWhole(state, "catalog/"); }
void BM_ExportPngSheet(benchmark::State& state) { ExportWhole(state, "catalog.png"); }
BENCHMARK(BM_ExportPdf)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExportPngFolder)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExportPngSheet)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);

// Ready pictures of the default size, so only the writing is measured.
class ReadySource : public ThumbnailSource {
public:
    explicit ReadySource(QSize size = QSize(300, 180))
        : m_image(size, QImage::Format_RGB32)
    {
        // A picture of lines and flat areas, like a chart.
        m_image.fill(Qt::white);
        for (int x = 0; x < m_image.width(); x += 5)
            for (int y = 40 + (x * 7) % 100; y < 60 + (x * 7) % 100; ++y)
                m_image.setPixel(x, y, x % 10 ? qRgb(220, 40, 40) : qRgb(40, 80, 220));
    }
    QSize thumbnailSize() const override { return m_image.size(); }
    bool Fetch(std::span<const int>, std::span<const int>) override { return true; }
    // A picture of its own per item, as a catalog has (a writer may share equal ones).
    QImage Image(int item) const override
    {
        QImage image = m_image.copy();
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, (item * 3 + x) % image.height(), qRgb(item % 256, 90, 90));
        return image;
    }

private:
    QImage m_image;
};


void WriteOnly(benchmark::State& state, const char* target, QSize size = QSize(300, 180))
{
    QTemporaryDir dir;
    const int count = static_cast<int>(state.range(0));
    CatalogItemList items;
    std::vector<int> order;
    for (int i = 0; i < count; ++i) {
        items.push_back(std::make_unique<CatalogItem>());
        items.back()->m_strCode = std::to_string(1000 + i);
        order.push_back(i);
    }
    ReadySource source(size);
    for (auto _ : state) {
        const ExportOutcome outcome = ExportCatalog(source, items, order, Request(dir, target));
        if (outcome.status != ExportStatus::Done)
            state.SkipWithError(outcome.message.toStdString().c_str());
    }
    state.SetItemsProcessed(state.iterations() * count);
    // The whole process's peak: run one benchmark at a time (--benchmark_filter) to read it.
    CountFileSize(state, dir, target);
}

void BM_WritePdf(benchmark::State& state) { WriteOnly(state, "ready.pdf"); }
void BM_WritePngFolder(benchmark::State& state) { WriteOnly(state, "ready/"); }
void BM_WritePngSheet(benchmark::State& state) { WriteOnly(state, "ready.png"); }
BENCHMARK(BM_WritePdf)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_WritePngFolder)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_WritePngSheet)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->Iterations(3);

// Thumbnails of 4096 x 4096 (SizeX = SizeY = 4096): the peak memory of each kind.
constexpr QSize kHugeThumbnail(4096, 4096);
void BM_WriteHugePdf(benchmark::State& state) { WriteOnly(state, "huge.pdf", kHugeThumbnail); }
void BM_WriteHugeSheet(benchmark::State& state) { WriteOnly(state, "huge.png", kHugeThumbnail); }
void BM_WriteHugeFolder(benchmark::State& state) { WriteOnly(state, "huge/", kHugeThumbnail); }
BENCHMARK(BM_WriteHugePdf)->Arg(30)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_WriteHugeSheet)->Arg(30)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_WriteHugeFolder)->Arg(30)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
