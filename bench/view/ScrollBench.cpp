// Holding PageDown through a large catalog: how many of the cells each frame shows are still
// placeholders. The catalog's price files fit the data library's series cache, the whole
// catalog has been made once (so most thumbnails were dropped again to fit the store's
// budget), and then a key repeat of --rate presses a second runs from the top to the end.
//
//   view_scroll_bench                      2,000 securities, PageDown at 25 a second
//   view_scroll_bench --count=2000 --rate=25 --key=down   one row a press instead
//   ... --columns=5 --rows=5   a larger window (3 by 3 cells of 300 x 180 by default)
//   ... --during-build  starts at once, while the first build still reads every file
//   ... --catalog=DIR   keeps the generated catalog in DIR and uses it again next time
//
// Prints the frames painted, the placeholder share of the worst frame, the mean, the 95th
// percentile and how many frames had more than 10 % placeholders.
#include "chart/PluginComponentProvider.h"
#include "thumbnails/ThumbnailStore.h"
#include "view/CCatalogView.h"
#include "view/GridGeometry.h"
#include "model/ShownOrder.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

using namespace mosgrid;

namespace {

constexpr int kRows = 1000;
constexpr int kDistinctFiles = 32;
constexpr double kTarget = 0.10;

struct Options {
    int count = 2000;
    int rate = 25;
    int key = Qt::Key_PageDown;
    int columns = 3;  // the window's first size: three by three cells
    int rows = 3;
    bool duringBuild = false;  // start at once, while the first build still reads the files
    std::string catalog;
};

Options Parse(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const std::string value = arg.substr(arg.find('=') + 1);
        if (arg.rfind("--count=", 0) == 0)
            options.count = std::stoi(value);
        else if (arg.rfind("--rate=", 0) == 0)
            options.rate = std::max(1, std::stoi(value));
        else if (arg.rfind("--key=", 0) == 0)
            options.key = value == "down" ? Qt::Key_Down : Qt::Key_PageDown;
        else if (arg.rfind("--columns=", 0) == 0)
            options.columns = std::max(1, std::stoi(value));
        else if (arg.rfind("--rows=", 0) == 0)
            options.rows = std::max(1, std::stoi(value));
        else if (arg == "--during-build")
            options.duringBuild = true;
        else if (arg.rfind("--catalog=", 0) == 0)
            options.catalog = value;
    }
    return options;
}

void WritePriceFile(const std::string& path, unsigned seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> step(0.0, 1.2);
    std::ofstream out(path);
    out << "Date,Open,High,Low,Close,Volume\n";
    QDate date(2020, 1, 6);
    double close = 1000 + seed % 500;
    char line[160];
    for (int row = 0; row < kRows; ++row) {
        const double open = close;
        close = std::max(10.0, open * (1 + step(random) / 100));
        std::snprintf(line, sizeof line, "%04d-%02d-%02d,%.1f,%.1f,%.1f,%.1f,%d\n",
                      date.year(), date.month(), date.day(), open,
                      std::max(open, close) * 1.004, std::min(open, close) * 0.996, close,
                      100000 + int(random() % 900000));
        out << line;
        date = date.addDays(date.dayOfWeek() == 5 ? 3 : 1);
    }
}

// The list file of a catalog in root, made unless it is there: every security a file of its
// own (hard links of a few distinct ones).
std::string MakeCatalog(const std::string& root, int count)
{
    const std::string list = root + "/list.lst";
    if (QFile::exists(QString::fromStdString(list)))
        return list;
    const std::string prices = root + "/prices";
    QDir().mkpath(QString::fromStdString(prices));
    for (int f = 0; f < kDistinctFiles; ++f)
        WritePriceFile(prices + "/base" + std::to_string(f) + ".txt", unsigned(f + 1));
    std::ofstream out(list);
    for (int i = 0; i < count; ++i) {
        const std::string code = std::to_string(10000 + i);
        const std::string base = prices + "/base" + std::to_string(i % kDistinctFiles) + ".txt";
        if (::link(base.c_str(), (prices + "/" + code + ".csv").c_str()) != 0)
            std::perror("link");
        out << "1," << prices << "," << code << ",Security " << code << "\n";
    }
    return list;
}

template <class Done>
void RunUntil(Done done, int limitMs = 600000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limitMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}

// Counts, at every paint of the grid, the cells on screen whose thumbnail is not there.
class FrameCounter : public QObject {
public:
    explicit FrameCounter(CCatalogView& view) : m_view(view)
    {
        m_view.viewport()->installEventFilter(this);
    }
    void Start() { m_counting = true; }
    void Stop() { m_counting = false; }
    const std::vector<double>& shares() const { return m_shares; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (m_counting && watched == m_view.viewport() && event->type() == QEvent::Paint)
            Count();
        return false;
    }

private:
    void Count()
    {
        const GridGeometry::Grid grid{m_view.columns(), m_view.model().thumbnailSize().width(), m_view.model().thumbnailSize().height(),
                                      m_view.topIndex(), m_view.shownOrder().count()};
        const int height = m_view.viewport()->height();
        int shown = 0;
        int missing = 0;
        for (const GridGeometry::PaintedCell& cell : GridGeometry::PaintWalk(grid, height)) {
            // Only the cells the user sees.
            if (cell.rect.top() >= height)
                continue;
            ++shown;
            const int item = m_view.shownOrder().ItemAt(cell.index);
            if (m_view.model().store().StateOf(item) == ThumbnailStore::State::Missing)
                ++missing;
        }
        if (shown > 0)
            m_shares.push_back(double(missing) / shown);
    }

    CCatalogView& m_view;
    bool m_counting = false;
    std::vector<double> m_shares;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const Options options = Parse(argc, argv);
    QTemporaryDir temporary;
    const std::string root = options.catalog.empty()
        ? QFile::encodeName(temporary.path()).toStdString() : options.catalog;
    QDir().mkpath(QString::fromStdString(root));
    const std::string list = MakeCatalog(root, options.count);

    PluginComponentProvider provider(MOSGRID_PROGRAM_DIR "/");
    CCatalogView view(ProgramPaths{MOSGRID_PROGRAM_DIR "/", root + "/mosgrid.ini"}, &provider);
    view.SetListFile(list, false);
    view.resize(options.columns * 300 + view.verticalScrollBar()->sizeHint().width(),
                options.rows * 180);
    view.show();
    RunUntil([&] { return view.model().isLoaded(); });
    if (!options.duringBuild)
        RunUntil([&] { return view.model().builder().progress().finished(); });
    view.setFocus();

    FrameCounter frames(view);
    frames.Start();
    const int intervalMs = 1000 / options.rate;
    int presses = 0;
    QElapsedTimer clock;
    clock.start();
    while (view.topIndex() + options.columns * options.rows < view.shownOrder().count()) {
        QKeyEvent press(QEvent::KeyPress, options.key, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(&view, &press);
        ++presses;
        // The next repeat comes on the clock, whatever the frames took.
        const qint64 next = qint64(presses) * intervalMs;
        RunUntil([&] { return clock.elapsed() >= next; });
    }
    frames.Stop();
    const double seconds = clock.elapsed() / 1000.0;

    std::vector<double> shares = frames.shares();
    std::sort(shares.begin(), shares.end());
    double sum = 0;
    for (const double share : shares)
        sum += share;
    const auto over = std::count_if(shares.begin(), shares.end(),
                                    [](double share) { return share > kTarget; });
    const double rows = double(view.topIndex() / std::max(1, view.columns()));
    std::printf("scroll count=%d presses=%d rows_per_s=%.1f frames=%zu "
                "placeholders_worst=%.1f%% mean=%.2f%% p95=%.1f%% frames_over_10%%=%lld\n",
                options.count, presses, rows / seconds, shares.size(),
                shares.empty() ? 0.0 : shares.back() * 100,
                shares.empty() ? 0.0 : sum / shares.size() * 100,
                shares.empty() ? 0.0 : shares[shares.size() * 95 / 100] * 100,
                static_cast<long long>(over));
    return 0;
}
