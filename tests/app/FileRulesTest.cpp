// The pure rules of opening, watching and remembering: recent lists, window placement,
// what to watch, when a burst of changes has ended, the command line's export options.
#include "app/CatalogWatcher.h"
#include "app/CommandLineExport.h"
#include "app/RecentFiles.h"
#include "app/WatchPlan.h"
#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace mosgrid;

namespace {

using Files = std::vector<std::string>;

struct RecentCase {
    const char* name;
    Files before;
    std::string opened;
    Files after;
};

void PrintTo(const RecentCase& row, std::ostream* os) { *os << row.name; }

class RecentListTest : public ::testing::TestWithParam<RecentCase> {};

TEST_P(RecentListTest, NewestFirstEachOnceAtMostEight)
{
    EXPECT_EQ(RecentFiles::With(GetParam().before, GetParam().opened, 8), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RecentListTest,
    ::testing::Values(
        RecentCase{"First", {}, "/a", {"/a"}},
        RecentCase{"NewGoesFirst", {"/a", "/b"}, "/c", {"/c", "/a", "/b"}},
        RecentCase{"AgainMovesToTheFront", {"/a", "/b", "/c"}, "/c", {"/c", "/a", "/b"}},
        RecentCase{"AlreadyFirst", {"/a", "/b"}, "/a", {"/a", "/b"}},
        RecentCase{"NinthPushesTheOldestOut",
                   {"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8"}, "/9",
                   {"/9", "/1", "/2", "/3", "/4", "/5", "/6", "/7"}},
        RecentCase{"AgainWhenFull", {"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8"}, "/8",
                   {"/8", "/1", "/2", "/3", "/4", "/5", "/6", "/7"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecentFiles, OneFileIsOneEntryAndOnlyStorablePathsAreKept)
{
    EXPECT_EQ(RecentFiles::Canonical("/tmp/x/../lists/./a.lst"), "/tmp/lists/a.lst");
    EXPECT_EQ(RecentFiles::Without({"/a", "/b", "/a"}, "/a"), (Files{"/b"}));
    EXPECT_TRUE(RecentFiles::IsStorable("/home/user/リスト.lst"));
    EXPECT_FALSE(RecentFiles::IsStorable(""));
    EXPECT_FALSE(RecentFiles::IsStorable("/tmp/two\nlines"));
    EXPECT_FALSE(RecentFiles::IsStorable("/" + std::string(1100, 'x')));
}

struct FitCase {
    const char* name;
    QRect saved;
    QList<QRect> screens;
    WindowPlacement::Fit fit;
};

void PrintTo(const FitCase& row, std::ostream* os) { *os << row.name; }

class WindowFitTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(WindowFitTest, RestoredOnlyWhereItFits)
{
    EXPECT_EQ(WindowPlacement::FitOnScreens(GetParam().saved, GetParam().screens),
              GetParam().fit);
}

const QRect kLeftScreen(0, 0, 1920, 1050);
const QRect kRightScreen(1920, 0, 1280, 1000);

INSTANTIATE_TEST_SUITE_P(
    Rows, WindowFitTest,
    ::testing::Values(
        FitCase{"Inside", QRect(100, 80, 900, 600), {kLeftScreen}, WindowPlacement::Fit::Whole},
        FitCase{"OnTheSecondScreen", QRect(2000, 50, 900, 600), {kLeftScreen, kRightScreen},
                WindowPlacement::Fit::Whole},
        FitCase{"SecondScreenGone", QRect(2000, 50, 900, 600), {kLeftScreen},
                WindowPlacement::Fit::SizeOnly},
        FitCase{"AcrossTwoScreens", QRect(1500, 50, 900, 600), {kLeftScreen, kRightScreen},
                WindowPlacement::Fit::SizeOnly},
        FitCase{"LargerThanAnyScreen", QRect(0, 0, 2500, 1200), {kLeftScreen, kRightScreen},
                WindowPlacement::Fit::None},
        FitCase{"NoScreens", QRect(0, 0, 100, 100), {}, WindowPlacement::Fit::None},
        FitCase{"Empty", QRect(), {kLeftScreen}, WindowPlacement::Fit::None}),
    [](const auto& info) { return std::string(info.param.name); });

// A size shrunk to fit a smaller screen (another scale) is not kept in place of the saved one.
TEST(WindowKeep, ShrunkSizeLeftAloneKeepsTheSavedOne)
{
    using WindowPlacement::Restored;
    using WindowPlacement::Saved;
    const QList<QRect> screens{kLeftScreen, kRightScreen};
    EXPECT_EQ(WindowPlacement::FittedSize(QSize(2500, 1200), screens), QSize(1920, 1050));
    EXPECT_EQ(WindowPlacement::FittedSize(QSize(1000, 2000), screens), QSize(1000, 1050));
    const struct {
        QRect now;
        std::optional<Restored> restored;
        QRect kept;
    } rows[] = {
        {QRect(5, 6, 800, 500), Restored{QSize(1600, 1000), QSize(800, 500)},
         QRect(5, 6, 1600, 1000)},
        {QRect(5, 6, 700, 500), Restored{QSize(1600, 1000), QSize(800, 500)},
         QRect(5, 6, 700, 500)},
        {QRect(5, 6, 800, 500), Restored{QSize(800, 500), QSize(800, 500)},
         QRect(5, 6, 800, 500)},
        {QRect(5, 6, 800, 500), std::nullopt, QRect(5, 6, 800, 500)},
    };
    for (const auto& row : rows) {
        const Saved kept = WindowPlacement::ToKeep(Saved{row.now, true}, row.restored);
        EXPECT_EQ(kept.geometry, row.kept);
        EXPECT_TRUE(kept.maximized);
    }
}

struct PlanCase {
    const char* name;
    bool listExists;
    Files prices;
    Files sources;
    WatchLimits limits;
    Files files;
    std::vector<WatchPlan::Folder> folders;
    bool complete;
};

void PrintTo(const PlanCase& row, std::ostream* os) { *os << row.name; }

class WatchPlanTest : public ::testing::TestWithParam<PlanCase> {};

TEST_P(WatchPlanTest, FilesWhileFewFoldersWhenMany)
{
    const PlanCase& row = GetParam();
    const WatchPlan plan =
        PlanWatches("/l/list.lst", row.listExists, row.prices, row.sources, row.limits);
    EXPECT_EQ(plan.files, row.files);
    ASSERT_EQ(plan.folders.size(), row.folders.size());
    for (std::size_t i = 0; i < plan.folders.size(); ++i) {
        EXPECT_EQ(plan.folders[i].path, row.folders[i].path) << i;
        EXPECT_EQ(plan.folders[i].names, row.folders[i].names) << i;
    }
    EXPECT_EQ(plan.complete, row.complete);
    EXPECT_LE(plan.size(), row.limits.maxWatches);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WatchPlanTest,
    ::testing::Values(
        PlanCase{"FewFiles", true, {"/p/a.csv", "/p/b.csv"}, {}, {2, 10},
                 {"/l/list.lst", "/p/a.csv", "/p/b.csv"}, {}, true},
        PlanCase{"ManyFilesByFolder", true, {"/p/a.csv", "/q/b.csv", "/p/c.csv"}, {}, {2, 10},
                 {"/l/list.lst"}, {{"/p/", {"a.csv", "c.csv"}}, {"/q/", {"b.csv"}}}, true},
        PlanCase{"MissingListByItsFolder", false, {}, {}, {2, 10}, {},
                 {{"/l/", {"list.lst"}}}, true},
        PlanCase{"SourceFolderWatchesAnyFile", true, {"/p/a.csv", "/p/b.csv", "/p/c.csv"},
                 {"/p"}, {2, 10}, {"/l/list.lst"}, {{"/p/", {}}}, true},
        PlanCase{"OverTheLimitKeepsTheListFirst", true, {"/p/a.csv", "/q/b.csv", "/r/c.csv"},
                 {}, {2, 3}, {"/l/list.lst"}, {{"/p/", {"a.csv"}}, {"/q/", {"b.csv"}}}, false},
        PlanCase{"NothingButTheList", true, {}, {}, {}, {"/l/list.lst"}, {}, true}),
    [](const auto& info) { return std::string(info.param.name); });

struct DelayCase {
    qint64 sinceFirst;
    qint64 sinceLast;
    int delay;
};

TEST(ReloadDelay, ABurstWaitsForQuietButNeverTooLong)
{
    const int quiet = CatalogWatcher::kQuietMs;
    const int longest = CatalogWatcher::kLongestWaitMs;
    const DelayCase cases[] = {
        {0, 0, quiet},                       // the first change
        {400, 400, quiet - 400},             // nothing since
        {900, 100, quiet - 100},             // a change 100 ms ago restarts the quiet
        {quiet, quiet, 0},                   // quiet long enough
        {longest - 50, 0, 50},               // a long burst: the longest wait ends it
        {longest + 10, 0, 0},
        {5000, 3000, 0},
    };
    for (const DelayCase& c : cases)
        EXPECT_EQ(ReloadDelayMs(c.sinceFirst, c.sinceLast), c.delay)
            << c.sinceFirst << " / " << c.sinceLast;
}

TEST(ExportOptions, TakenOutOfTheArgumentsTheRestParsedAsEver)
{
    std::vector<std::string> args{"--export=out/", "list.lst", "--force", "/rm"};
    ASSERT_TRUE(HasExportOption(args));
    const ExportOptions options = TakeExportOptions(args);
    EXPECT_TRUE(options.requested);
    EXPECT_EQ(options.path, "out/");
    EXPECT_TRUE(options.force);
    EXPECT_EQ(args, (std::vector<std::string>{"list.lst", "/rm"}));

    std::vector<std::string> bare{"--export", "list.lst"};
    const ExportOptions noPath = TakeExportOptions(bare);
    EXPECT_TRUE(noPath.requested);
    EXPECT_TRUE(noPath.path.empty());
    EXPECT_FALSE(HasExportOption({"list.lst", "--exported", "-p"}));
}

} // namespace
