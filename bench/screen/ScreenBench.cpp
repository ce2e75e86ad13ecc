// Screening a whole catalog by a condition, on the real data library over price files.
//
//   screen_bench [--dir=FOLDER] [--count=4000] [--threads=2] [--condition=TEXT]
//                [--first-screen=40] [--repeat=5]
//   screen_bench --make=FOLDER --count=2000      only write the catalog (for screenshots)
//
// Per run: the time from the condition's text to the first results told, to the first
// screen of matches (every security before the first-screen-th match in list order
// evaluated), and to the last. "uncached" starts with an empty series cache (the files may
// be in the system's page cache: a second process run shows the same); "cached" repeats the
// condition over the series the first run left in the cache.
#include "ScreenCatalog.h"

#include "chart/IComponentProvider.h"
#include "screen/ConditionParser.h"
#include "screen/ScreenRun.h"

#include <DataLibrary.h>
#include <SeriesCache.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using namespace mosgrid;

namespace {

struct Options {
    std::string dir = (std::filesystem::temp_directory_path() / "mosgrid-screen-bench").string();
    std::string make;
    int count = 4000;
    int threads = 2;
    int firstScreen = 40;
    int repeat = 5;
    std::string condition = "close > MA(25) and RSI(14) > 50 and volume > AVGVOL(20)";
};

std::string ValueOf(const std::string& arg, const char* name)
{
    const std::string prefix = std::string(name) + "=";
    return arg.rfind(prefix, 0) == 0 ? arg.substr(prefix.size()) : std::string();
}

Options Parse(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (const auto v = ValueOf(arg, "--dir"); !v.empty())
            options.dir = v;
        else if (const auto v = ValueOf(arg, "--make"); !v.empty())
            options.make = v;
        else if (const auto v = ValueOf(arg, "--count"); !v.empty())
            options.count = std::stoi(v);
        else if (const auto v = ValueOf(arg, "--threads"); !v.empty())
            options.threads = std::stoi(v);
        else if (const auto v = ValueOf(arg, "--first-screen"); !v.empty())
            options.firstScreen = std::stoi(v);
        else if (const auto v = ValueOf(arg, "--repeat"); !v.empty())
            options.repeat = std::stoi(v);
        else if (const auto v = ValueOf(arg, "--condition"); !v.empty())
            options.condition = v;
    }
    return options;
}

// The data library as the plugin makes it, over a cache of the bench's own.
class BenchProvider : public IComponentProvider {
public:
    std::unique_ptr<quorex::IDataLibrary> CreateDataLibrary() override
    {
        return std::make_unique<brasko::DataLibrary>(cache);
    }
    std::unique_ptr<quorex::IChartControl> CreateChartControl() override { return nullptr; }

    std::shared_ptr<brasko::SeriesCache> cache = std::make_shared<brasko::SeriesCache>();
};

struct Timing {
    double firstTold = -1;
    double firstScreen = -1;
    double last = -1;
    ScreenCounts counts;
};

// Whether every item up to the firstScreen-th match (in item order) is evaluated.
bool FirstScreenKnown(const std::vector<ScreenOutcome>& outcomes, int firstScreen)
{
    int holds = 0;
    for (const ScreenOutcome outcome : outcomes) {
        if (outcome == ScreenOutcome::Pending)
            return false;
        if (outcome == ScreenOutcome::Holds && ++holds >= firstScreen)
            return true;
    }
    return true;
}

Timing RunOnce(BenchProvider& provider, const Options& options,
               const std::vector<ScreenItem>& items)
{
    Timing timing;
    QElapsedTimer clock;
    clock.start();
    const auto parsed = ConditionParser::Parse(QString::fromStdString(options.condition));
    if (!parsed.condition) {
        std::fprintf(stderr, "condition: %s\n",
                     parsed.error ? parsed.error->Text().toLocal8Bit().constData() : "blank");
        return timing;
    }
    ScreenRun run(provider);
    run.SetMaxThreads(options.threads);
    QEventLoop loop;
    QObject::connect(&run, &ScreenRun::progressed, &loop, [&] {
        const double now = clock.nsecsElapsed() / 1e6;
        if (timing.firstTold < 0)
            timing.firstTold = now;
        if (timing.firstScreen < 0 && FirstScreenKnown(run.Outcomes(), options.firstScreen))
            timing.firstScreen = now;
    });
    QObject::connect(&run, &ScreenRun::finished, &loop, [&] {
        timing.last = clock.nsecsElapsed() / 1e6;
        if (timing.firstScreen < 0)
            timing.firstScreen = timing.last;
        timing.counts = run.counts();
        loop.quit();
    });
    run.Start(parsed.condition, items, {}, {});
    loop.exec();
    return timing;
}

void Print(const char* what, const Timing& t)
{
    std::printf("%-9s first told %8.1f ms  first screen %8.1f ms  all %8.1f ms  "
                "(%d of %d hold, %d not evaluable)\n",
                what, t.firstTold, t.firstScreen, t.last, t.counts.holds, t.counts.total,
                t.counts.notEvaluable);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const Options options = Parse(argc, argv);
    if (!options.make.empty()) {
        const bool made = benchscreen::MakeCatalog(options.make, options.count);
        std::printf("%s/catalog.lst: %d securities%s\n", options.make.c_str(), options.count,
                    made ? "" : " (FAILED)");
        return made ? 0 : 1;
    }
    if (!benchscreen::MakeCatalog(options.dir, options.count)) {
        std::fprintf(stderr, "cannot write %s\n", options.dir.c_str());
        return 1;
    }
    const std::string prices = (std::filesystem::path(options.dir) / "prices").string();
    std::vector<ScreenItem> items;
    for (int i = 0; i < options.count; ++i)
        items.push_back({1, prices, benchscreen::CodeOf(i)});
    std::printf("%d securities of %d bars, %d threads, condition: %s\n", options.count,
                benchscreen::kBars, options.threads, options.condition.c_str());

    BenchProvider provider;
    Print("uncached", RunOnce(provider, options, items));
    std::vector<double> totals;
    Timing cached;
    for (int k = 0; k < options.repeat; ++k) {
        cached = RunOnce(provider, options, items);
        totals.push_back(cached.last);
    }
    Print("cached", cached);
    std::sort(totals.begin(), totals.end());
    if (!totals.empty()) {
        std::printf("cached, %d runs: median %.1f ms, best %.1f ms, worst %.1f ms\n",
                    options.repeat, totals[totals.size() / 2], totals.front(), totals.back());
    }
    return 0;
}
