// Whole-catalog figures with the real plugins, on a generated catalog of price files with
// 5,000 daily rows each (a few distinct files, hard-linked under every code, so a large
// catalog costs little disk but every security is a file of its own to the data library).
//
//   catalog_build_bench --scenario=endtoend --count=1000 --workers=1 --defs=three
//   catalog_build_bench --scenario=endtoend --count=1000 --workers=1 --defs=indicators
//   catalog_build_bench --scenario=firstscreen --count=4000
//   catalog_build_bench --scenario=memory --count=10000
//   catalog_build_bench --scenario=settings --count=4000
//   catalog_build_bench --scenario=csv --count=4000 --defs=indicators
//                       (mosgrid --export=OUT.csv as the command line runs it, every core)
//   ... --catalog=DIR   keeps the generated catalog in DIR and uses it again next time
//   ... --store-mb=N    a thumbnail store of N MiB instead of the default budget
//   ... --shape=NAME    price data in one shape of bench/support/PriceShapes (yahoo, broker,
//                       sjis, sqlite, yahoo-newest, sjis-newest, utf16, sqlite-noindex; 5,100
//                       rows each), or --shape=mixed: yahoo, broker, sjis and sqlite in turn
//
// Each scenario runs once per process, so nothing is cached from an earlier run; run the
// command several times and quote the median.
#include "PriceShapes.h"
#include "app/CommandLineExport.h"
#include "chart/PluginComponentProvider.h"
#include "settings/SettingsStore.h"
#include "thumbnails/ThumbnailStore.h"
#include "view/CCatalogView.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <string>

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

using namespace mosgrid;

namespace {

constexpr int kRows = 5000;
constexpr int kDistinctFiles = 64;
constexpr int kWindowColumns = 3;
constexpr int kWindowRows = 3;

const std::map<std::string, std::vector<std::string>> kDefinitions{
    {"default", {}},
    {"three", {"Daily; MA=25,75", "Weekly", "Monthly"}},
    {"indicators", {"Daily; MA=5,25,75; BB=20,2; Ichimoku", "RSI=14", "MACD=12,26,9", "Volume"}},
};

struct Options {
    std::string scenario = "all";
    int count = 1000;
    int workers = 0;  // 0: every core
    std::string defs = "default";
    std::string catalog;  // empty: a temporary folder
    int storeMb = 0;      // 0: the store's default budget
    std::string shape;    // empty: the original 5,000-row files
};

Options Parse(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&arg] { return arg.substr(arg.find('=') + 1); };
        if (arg.rfind("--scenario=", 0) == 0)
            options.scenario = value();
        else if (arg.rfind("--count=", 0) == 0)
            options.count = std::stoi(value());
        else if (arg.rfind("--workers=", 0) == 0)
            options.workers = std::stoi(value());
        else if (arg.rfind("--defs=", 0) == 0)
            options.defs = value();
        else if (arg.rfind("--catalog=", 0) == 0)
            options.catalog = value();
        else if (arg.rfind("--store-mb=", 0) == 0)
            options.storeMb = std::stoi(value());
        else if (arg.rfind("--shape=", 0) == 0)
            options.shape = value();
    }
    return options;
}

// One price file: a random walk, oldest first, as a vendor exports it.
void WritePriceFile(const std::string& path, unsigned seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> step(0.0, 1.2);
    std::ofstream out(path);
    out << "Date,Open,High,Low,Close,Volume\n";
    QDate date(2005, 1, 3);
    double close = 1000 + seed % 500;
    char line[160];
    for (int row = 0; row < kRows; ++row) {
        const double open = close;
        close = std::max(10.0, open * (1 + step(random) / 100));
        const double high = std::max(open, close) * 1.004;
        const double low = std::min(open, close) * 0.996;
        std::snprintf(line, sizeof line, "%04d-%02d-%02d,%.1f,%.1f,%.1f,%.1f,%d\n",
                      date.year(), date.month(), date.day(), open, high, low, close,
                      100000 + int(random() % 900000));
        out << line;
        date = date.addDays(date.dayOfWeek() == 5 ? 3 : 1);
    }
}

void WriteSettings(const std::string& root, const Options& options)
{
    QFile::remove(QString::fromStdString(root + "/mosgrid.ini"));
    SettingsStore settings(root + "/mosgrid.ini");
    const std::vector<std::string>& definitions = kDefinitions.at(options.defs);
    if (!definitions.empty()) {
        settings.WriteText("Chart", "Num", std::to_string(definitions.size()));
        for (std::size_t i = 0; i < definitions.size(); ++i)
            settings.WriteText("Chart", "Chart" + std::to_string(i), definitions[i]);
    }
}

// The shapes of a --shape catalog, item by item.
std::vector<const benchshapes::Shape*> ShapesOf(const std::string& name)
{
    if (name == "mixed") {
        return {benchshapes::FindShape("yahoo"), benchshapes::FindShape("broker"),
                benchshapes::FindShape("sjis"), benchshapes::FindShape("sqlite")};
    }
    const benchshapes::Shape* shape = benchshapes::FindShape(name);
    if (!shape) {
        std::fprintf(stderr, "no shape %s\n", name.c_str());
        std::exit(2);
    }
    return {shape};
}

// A catalog of the shapes: files hard-linked as below, database items in one database.
void MakeShapeCatalog(const std::string& root, const Options& options)
{
    const std::vector<const benchshapes::Shape*> shapes = ShapesOf(options.shape);
    const std::string prices = root + "/prices";
    QDir().mkpath(QString::fromStdString(prices));
    std::map<std::string, int> databaseCodes;
    for (int i = 0; i < options.count; ++i) {
        const benchshapes::Shape& shape = *shapes[std::size_t(i) % shapes.size()];
        if (shape.database)
            ++databaseCodes[shape.name];
    }
    for (const auto& [name, codes] : databaseCodes) {
        if (!benchshapes::MakeDatabase(*benchshapes::FindShape(name),
                                       prices + "/" + name + ".db", codes)) {
            std::fprintf(stderr, "cannot make the database\n");
            std::exit(2);
        }
    }
    std::map<std::string, int> used;
    std::ofstream list(root + "/list.lst");
    for (int i = 0; i < options.count; ++i) {
        const benchshapes::Shape& shape = *shapes[std::size_t(i) % shapes.size()];
        const int n = used[shape.name]++;
        if (shape.database) {
            list << "5," << prices << "/" << shape.name << ".db," << benchshapes::CodeName(n)
                 << ",Security " << i << "\n";
            continue;
        }
        const int f = n % kDistinctFiles;
        const std::string base = prices + "/" + shape.name + std::to_string(f) + ".base";
        if (n < kDistinctFiles) {
            std::ofstream(base, std::ios::binary)
                << benchshapes::PriceFileBytes(shape, unsigned(f + 1));
        }
        const std::string code = std::to_string(10000 + i);
        if (::link(base.c_str(), (prices + "/" + code + ".csv").c_str()) != 0)
            std::perror("link");
        list << "1," << prices << "," << code << ",Security " << code << "\n";
    }
}

// The catalog: the list file and a settings file in root (made unless it is there).
std::string MakeCatalog(const std::string& root, const Options& options)
{
    const std::string prices = root + "/prices";
    const std::string listPath = root + "/list.lst";
    if (QFile::exists(QString::fromStdString(listPath))) {
        WriteSettings(root, options);
        return root;
    }
    if (!options.shape.empty()) {
        MakeShapeCatalog(root, options);
        WriteSettings(root, options);
        return root;
    }
    QDir().mkpath(QString::fromStdString(prices));
    for (int f = 0; f < kDistinctFiles; ++f)
        WritePriceFile(prices + "/base" + std::to_string(f) + ".txt", unsigned(f + 1));
    std::ofstream list(listPath);
    for (int i = 0; i < options.count; ++i) {
        const std::string code = std::to_string(10000 + i);
        const std::string base = prices + "/base" + std::to_string(i % kDistinctFiles) + ".txt";
        if (::link(base.c_str(), (prices + "/" + code + ".csv").c_str()) != 0)
            std::perror("link");
        list << "1," << prices << "," << code << ",Security " << code << "\n";
    }
    WriteSettings(root, options);
    return root;
}

// CPU time of the whole process, every thread: on a busy machine wall time says little.
double ProcessCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Pages the process touched for the first time: on some virtual machines each costs more
// than a microsecond, a share of the CPU time worth seeing apart.
long MinorFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

long PeakResidentKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

// The longest the event loop went without running a 2 ms timer, while it runs.
class StallMeter {
public:
    StallMeter()
    {
        m_timer.setInterval(2);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, m_clock.restart());
        });
        m_clock.start();
        m_timer.start();
    }
    qint64 longestMs() const { return m_longest; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longest = 0;
};

bool CellsReady(CCatalogView& view, int first, int count)
{
    for (int i = first; i < std::min(first + count, view.model().store().size()); ++i) {
        if (view.model().store().StateOf(i) != ThumbnailStore::State::Ready)
            return false;
    }
    return true;
}

// Runs the event loop until done() or the time runs out; the milliseconds it took.
template <class Done>
qint64 RunUntil(Done done, int limitMs = 600000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limitMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    return clock.elapsed();
}

struct Catalog {
    QTemporaryDir dir;
    std::string root;
    PluginComponentProvider provider{MOSGRID_PROGRAM_DIR "/"};
    std::unique_ptr<CCatalogView> view;

    explicit Catalog(const Options& options)
    {
        const std::string folder = options.catalog.empty()
            ? QFile::encodeName(dir.path()).toStdString() : options.catalog;
        QDir().mkpath(QString::fromStdString(folder));
        root = MakeCatalog(folder, options);
        view = std::make_unique<CCatalogView>(
            ProgramPaths{MOSGRID_PROGRAM_DIR "/", root + "/mosgrid.ini"}, &provider);
        if (options.workers > 0)
            view->model().builder().SetWorkerCount(options.workers);
        if (options.storeMb > 0)
            view->model().store().SetBudget(std::uint64_t(options.storeMb) << 20);
        view->SetListFile(root + "/list.lst", false);
    }
    void Show()
    {
        view->resize(kWindowColumns * 300 + view->verticalScrollBar()->sizeHint().width(),
                     kWindowRows * 180);
        view->show();
    }
};

void EndToEnd(const Options& options)
{
    Catalog catalog(options);
    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = ProcessCpuMs();
    const long faultsBefore = MinorFaults();
    catalog.view->LoadList();
    catalog.view->model().builder().WaitUntilBuilt();
    const double ms = clock.nsecsElapsed() / 1e6;
    const double cpuMs = ProcessCpuMs() - cpuBefore;
    const long faults = MinorFaults() - faultsBefore;
    const int workers = catalog.view->model().builder().workerCount();
    std::printf("endtoend count=%d workers=%d defs=%s total_ms=%.1f per_security_ms=%.4f "
                "per_security_per_core_ms=%.4f cpu_per_security_ms=%.4f "
                "page_faults_per_security=%.2f\n",
                options.count, workers, options.defs.c_str(), ms, ms / options.count,
                ms * workers / options.count, cpuMs / options.count,
                double(faults) / options.count);
}

void FirstScreen(const Options& options)
{
    Catalog catalog(options);
    StallMeter stalls;
    QElapsedTimer clock;
    clock.start();
    catalog.Show();
    const int visible = kWindowColumns * kWindowRows;
    const qint64 first = RunUntil([&] {
        return catalog.view->model().isLoaded() && catalog.view->model().store().size() > 0
            && CellsReady(*catalog.view, 0, visible);
    });
    const qint64 whole = first + RunUntil([&] {
        return catalog.view->model().builder().progress().finished();
    });
    std::printf("firstscreen count=%d first_screen_ms=%lld whole_catalog_ms=%lld "
                "longest_ui_stall_ms=%lld\n",
                options.count, first, whole, stalls.longestMs());
}

void Memory(const Options& options)
{
    Catalog catalog(options);
    catalog.Show();
    RunUntil([&] { return catalog.view->model().isLoaded(); });
    RunUntil([&] { return catalog.view->model().builder().progress().finished(); });
    // Row by row to the end, each screen made before the next step.
    const int columns = catalog.view->columns();
    for (int top = 0; top < catalog.view->model().store().size(); top += columns) {
        catalog.view->ScrollTo(top);
        catalog.view->viewport()->repaint();
        RunUntil([&] { return CellsReady(*catalog.view, top, columns * kWindowRows); });
    }
    std::printf("memory count=%d peak_resident_mb=%.1f store_used_mb=%.1f\n", options.count,
                PeakResidentKb() / 1024.0, catalog.view->model().store().usedBytes() / 1048576.0);
}

void SettingsOk(const Options& options)
{
    Catalog catalog(options);
    catalog.Show();
    RunUntil([&] { return catalog.view->model().isLoaded(); });
    RunUntil([&] { return catalog.view->model().builder().progress().finished(); });
    SettingsStore settings(catalog.root + "/mosgrid.ini");
    settings.WriteText("Chart", "SizeX", "200");
    settings.WriteText("Chart", "SizeY", "120");
    QElapsedTimer clock;
    clock.start();
    catalog.view->model().RebuildThumbnails();
    catalog.view->viewport()->update();
    const int visible = (catalog.view->viewport()->width() / 200)
                      * ((catalog.view->viewport()->height() + 119) / 120);
    const qint64 ms = RunUntil([&] { return CellsReady(*catalog.view, 0, visible); });
    std::printf("settings count=%d visible=%d visible_at_new_size_ms=%lld\n", options.count,
                visible, ms);
}

// The command line's value table: load the list, make every row, write the file.
void ValueTable(const Options& options)
{
    Catalog catalog(options);
    const std::string out = catalog.root + "/values.csv";
    ExportOptions exportOptions;
    exportOptions.requested = true;
    exportOptions.path = out;
    exportOptions.force = true;
    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = ProcessCpuMs();
    const int status = RunCommandLineExport(
        exportOptions, catalog.root + "/list.lst", false,
        ProgramPaths{MOSGRID_PROGRAM_DIR "/", catalog.root + "/mosgrid.ini"}, &catalog.provider,
        ReportOnStandardError);
    const double ms = clock.nsecsElapsed() / 1e6;
    const double cpuMs = ProcessCpuMs() - cpuBefore;
    std::printf("csv count=%d defs=%s status=%d total_ms=%.1f cpu_ms=%.1f "
                "cpu_per_security_ms=%.4f\n",
                options.count, options.defs.c_str(), status, ms, cpuMs, cpuMs / options.count);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    SettingsStore::SetRecheckInterval(SettingsStore::kRecheckInterval);
    const Options options = Parse(argc, argv);
    if (options.scenario == "endtoend" || options.scenario == "all")
        EndToEnd(options);
    if (options.scenario == "firstscreen" || options.scenario == "all")
        FirstScreen(options);
    if (options.scenario == "memory" || options.scenario == "all")
        Memory(options);
    if (options.scenario == "settings" || options.scenario == "all")
        SettingsOk(options);
    if (options.scenario == "csv")
        ValueTable(options);
    return 0;
}
