#include "settings/SettingsStore.h"
#include "support/TestFolders.h"
#include "view/BarRange.h"
#include "view/ChartActions.h"
#include "view/CrosshairSteps.h"
#include "view/ChartWindowInputs.h"
#include "view/ChartWindowSettings.h"
#include "view/PeriodEnds.h"

#include <gtest/gtest.h>

#include <functional>

using namespace mosgrid;

namespace {

// ---- zoom and scroll ------------------------------------------------------------------

struct RangeCase {
    const char* what;
    BarRange from;
    std::function<BarRange(const BarRange&)> step;
    BarRange expected;
};

TEST(BarRange, ZoomAndScrollStayInsideTheSeries)
{
    const RangeCase cases[] = {
        {"newest of a long series", {}, [](const BarRange&) { return BarRange::Newest(5000, 60); },
         {5000, 60, 5000}},
        {"fewer bars than asked", {}, [](const BarRange&) { return BarRange::Newest(12, 60); },
         {12, 12, 12}},
        {"no bars", {}, [](const BarRange&) { return BarRange::Newest(0, 60); }, {0, 1, 0}},
        {"never under twenty", {1000, 20, 1000}, [](const BarRange& r) { return r.ZoomedIn(990); },
         {1000, 20, 1000}},
        {"never over what the control draws", {9000, 5000, 9000},
         [](const BarRange& r) { return r.ZoomedOut(8000); }, {9000, 5000, 9000}},
        {"out to everything", {300, 280, 300}, [](const BarRange& r) { return r.ZoomedOut(150); },
         {300, 300, 300}},
        // The anchor at the newest edge keeps the newest bar shown.
        {"in at the newest bar", {1000, 100, 1000},
         [](const BarRange& r) { return r.ZoomedIn(1000); }, {1000, 80, 1000}},
        // The anchor in the middle stays in the middle: 450 + 40 = 490.
        {"in around the middle", {1000, 100, 500},
         [](const BarRange& r) { return r.ZoomedIn(450); }, {1000, 80, 490}},
        {"out around the oldest bar", {1000, 100, 100},
         [](const BarRange& r) { return r.ZoomedOut(0); }, {1000, 125, 125}},
        {"out near the newest end stops there", {1000, 100, 995},
         [](const BarRange& r) { return r.ZoomedOut(905); }, {1000, 125, 1000}},
        {"a bar back", {1000, 100, 1000}, [](const BarRange& r) { return r.Scrolled(-1); },
         {1000, 100, 999}},
        {"past the newest", {1000, 100, 999}, [](const BarRange& r) { return r.Scrolled(5); },
         {1000, 100, 1000}},
        {"a screen back past the oldest", {1000, 100, 150},
         [](const BarRange& r) { return r.Scrolled(-100); }, {1000, 100, 100}},
        {"Home", {1000, 100, 700}, [](const BarRange& r) { return r.Oldest(); },
         {1000, 100, 100}},
        {"End", {1000, 100, 700}, [](const BarRange& r) { return r.NewestEnd(); },
         {1000, 100, 1000}},
        {"new bars pin the newest", {1000, 100, 1000},
         [](const BarRange& r) { return r.Resized(1002, 400); }, {1002, 100, 1002}},
        {"another period keeps the end", {1000, 100, 700},
         [](const BarRange& r) { return r.Resized(200, 140); }, {200, 100, 140}},
        {"another period too short", {1000, 100, 700},
         [](const BarRange& r) { return r.Resized(30, 14); }, {30, 30, 30}},
    };
    for (const RangeCase& c : cases)
        EXPECT_EQ(c.step(c.from), c.expected) << c.what;
}

TEST(BarRange, ZoomingInThenOutComesBackAroundTheAnchor)
{
    for (const int anchor : {0, 333, 700, 999}) {
        const BarRange start{1000, 200, std::min(1000, anchor + 100)};
        BarRange range = start.Clamped();
        for (int i = 0; i < 3; ++i)
            range = range.ZoomedIn(anchor);
        for (int i = 0; i < 3; ++i)
            range = range.ZoomedOut(anchor);
        EXPECT_NEAR(range.count, start.Clamped().count, 2) << anchor;
        EXPECT_NEAR(range.end, start.Clamped().end, 3) << anchor;
        EXPECT_LE(range.first(), std::max(anchor, range.first())) << anchor;
    }
}

// ---- period ends ----------------------------------------------------------------------

std::vector<quorex::PriceBar> Days(std::initializer_list<std::int32_t> dates)
{
    std::vector<quorex::PriceBar> bars;
    for (const std::int32_t date : dates)
        bars.push_back({date, 1, 1, 1, 1, 1});
    return bars;
}

TEST(PeriodEnds, GroupWeeksFromMondayAndCalendarMonths)
{
    // 2024-01-05 Fri, 01-08 Mon, 01-12 Fri, 01-31 Wed, 02-01 Thu, 02-05 Mon.
    const std::vector<quorex::PriceBar> bars =
        Days({20240105, 20240108, 20240112, 20240131, 20240201, 20240205});
    struct Case {
        PeriodChoice period;
        std::vector<int> ends;
    };
    const Case cases[] = {
        {PeriodChoice::Daily, {1, 2, 3, 4, 5, 6}},
        {PeriodChoice::Definitions, {1, 2, 3, 4, 5, 6}},
        {PeriodChoice::Weekly, {1, 3, 5, 6}},
        {PeriodChoice::Monthly, {4, 6}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PeriodEnds(bars, c.period), c.ends) << PeriodChoiceWord(c.period);
}

TEST(PeriodEnds, ABadDateStandsAloneAndIndexesFindTheirBar)
{
    const std::vector<quorex::PriceBar> bars = Days({20240108, 20240199, 20240109, 20240110});
    const std::vector<int> ends = PeriodEnds(bars, PeriodChoice::Weekly);
    EXPECT_EQ(ends, (std::vector<int>{1, 2, 4}));
    const int expected[] = {0, 1, 2, 2};
    for (int daily = 0; daily < 4; ++daily)
        EXPECT_EQ(PeriodIndexOf(ends, daily), expected[daily]) << daily;
    EXPECT_EQ(PeriodIndexOf(ends, 99), 2);
    EXPECT_EQ(PeriodIndexOf({}, 3), 0);
    EXPECT_TRUE(PeriodEnds({}, PeriodChoice::Monthly).empty());
}

// ---- keys -----------------------------------------------------------------------------

TEST(ChartActions, KeysAndTheirModifiers)
{
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        std::optional<ChartAction> action;
    };
    const Case cases[] = {
        {Qt::Key_Plus, Qt::KeypadModifier, ChartAction::ZoomIn},
        {Qt::Key_Minus, Qt::KeypadModifier, ChartAction::ZoomOut},
        {Qt::Key_Left, Qt::NoModifier, ChartAction::BarBack},
        {Qt::Key_Left, Qt::ShiftModifier, ChartAction::ScreenBack},
        {Qt::Key_Right, Qt::ShiftModifier, ChartAction::ScreenForward},
        {Qt::Key_Left, Qt::ControlModifier, ChartAction::CrosshairBack},
        {Qt::Key_Right, Qt::ControlModifier, ChartAction::CrosshairForward},
        {Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier, std::nullopt},
        {Qt::Key_Home, Qt::NoModifier, ChartAction::Oldest},
        {Qt::Key_End, Qt::NoModifier, ChartAction::Newest},
        {Qt::Key_W, Qt::NoModifier, ChartAction::Weekly},
        {Qt::Key_L, Qt::NoModifier, ChartAction::Log},
        {Qt::Key_Space, Qt::NoModifier, ChartAction::NextItem},
        {Qt::Key_Backspace, Qt::NoModifier, ChartAction::PreviousItem},
        {Qt::Key_PageUp, Qt::NoModifier, ChartAction::PreviousItem},
        {Qt::Key_S, Qt::NoModifier, ChartAction::Slideshow},
        {Qt::Key_S, Qt::ControlModifier, ChartAction::Save},
        {Qt::Key_C, Qt::NoModifier, std::nullopt},
        {Qt::Key_C, Qt::ControlModifier, ChartAction::Copy},
        {Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChartActionOf(c.key, c.modifiers), c.action) << c.key;
}

// ---- the crosshair moved by keys -----------------------------------------------------

TEST(CrosshairSteps, NeighbourBarsAtAnyWidthAndNothingAtTheEdges)
{
    // Bars dated 1, 2, ... in slots of `slot` pixels from column `left`.
    struct Layout {
        int left;
        double slot;
        int count;
    };
    struct Case {
        const char* name;
        Layout layout;
        int column;
        int direction;
        std::optional<int> expected;
    };
    constexpr int kWidth = 80;
    const Layout wide{10, 5, 10};   // columns 10..59
    const Layout dense{0, 0.25, 200};  // four bars a column
    const Case cases[] = {
        {"next", wide, 32, 1, 37},
        {"previous", wide, 32, -1, 27},
        {"from a bar's edge", wide, 35, -1, 32},
        {"past the newest", wide, 57, 1, std::nullopt},
        {"before the oldest", wide, 12, -1, std::nullopt},
        {"from off the picture", wide, kWidth, -1, 57},
        {"from beyond the bars", wide, 70, -1, 57},
        {"from before the bars", wide, 0, 1, 12},
        {"dense: the next column", dense, 20, 1, 21},
        {"dense: the previous column", dense, 20, -1, 19},
        {"dense: the newest", dense, 49, 1, std::nullopt},
    };
    for (const Case& c : cases) {
        const Layout layout = c.layout;
        const auto dateAt = [&](int x) -> std::optional<std::int32_t> {
            const double from = x - layout.left;
            if (from < 0 || from >= layout.slot * layout.count)
                return std::nullopt;
            return std::int32_t(from / layout.slot) + 1;
        };
        EXPECT_EQ(CrosshairSteps::NeighbourBarColumn(c.column, c.direction, kWidth, dateAt),
                  c.expected)
            << c.name;
    }
}

TEST(CrosshairSteps, AKeysCrosshairStartsAmidTheFirstRowsWithBars)
{
    struct Band {
        int top, bottom;
    };
    struct Case {
        std::vector<Band> bands;
        std::optional<int> expected;
    };
    const Case cases[] = {
        {{{10, 49}, {60, 79}}, 29},
        {{{0, 0}}, 0},
        {{{90, 99}}, 94},
        {{}, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto hasBar = [&](int y) {
            return std::any_of(c.bands.begin(), c.bands.end(),
                               [y](const Band& b) { return b.top <= y && y <= b.bottom; });
        };
        EXPECT_EQ(CrosshairSteps::FirstBandMiddle(100, hasBar), c.expected);
    }
}

// ---- what the control is given --------------------------------------------------------

TEST(ChartWindowInputs, ParamsDrawTheZoomWithoutTheScrollBar)
{
    EXPECT_EQ(ChartWindowInputs::Params("AssistLine=1; DispNum=60; ShowScrollBar=1", 250,
                                        PeriodChoice::Weekly),
              "AssistLine=1; DispNum=250; ShowScrollBar=0; Period=Weekly");
    EXPECT_EQ(ChartWindowInputs::Params("FontSize=9", 20, PeriodChoice::Definitions),
              "FontSize=9; DispNum=20; ShowScrollBar=0");
}

TEST(ChartWindowInputs, LogScaleOnPriceChartsAndTheCountingPeriod)
{
    const std::vector<std::string> definitions = {"Volume", "weekly; MA=13", "Daily; Log=0",
                                                  "RSI=14"};
    EXPECT_EQ(ChartWindowInputs::WithLogScale(definitions, false), definitions);
    EXPECT_EQ(ChartWindowInputs::WithLogScale(definitions, true),
              (std::vector<std::string>{"Volume", "weekly; MA=13; Log=1", "Daily; Log=1",
                                        "RSI=14"}));
    struct Case {
        std::string common;
        std::vector<std::string> definitions;
        PeriodChoice chosen;
        PeriodChoice counted;
    };
    const Case cases[] = {
        {"", definitions, PeriodChoice::Definitions, PeriodChoice::Weekly},
        {"", definitions, PeriodChoice::Monthly, PeriodChoice::Monthly},
        {"Period=Monthly", definitions, PeriodChoice::Definitions, PeriodChoice::Monthly},
        {"Period=Monthly", definitions, PeriodChoice::Daily, PeriodChoice::Daily},
        {"", {"Volume", "MACD"}, PeriodChoice::Definitions, PeriodChoice::Daily},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChartWindowInputs::CountingPeriod(c.common, c.definitions, c.chosen), c.counted)
            << c.common << " " << PeriodChoiceWord(c.chosen);
    }
    EXPECT_EQ(ChartWindowInputs::ThumbnailBars("DispNum=90"), 90);
    EXPECT_EQ(ChartWindowInputs::ThumbnailBars("DispNum=x"), 60);
}

// ---- remembered state -----------------------------------------------------------------

TEST(ChartWindowSettings, ReadWithDefaultsForAbsentAndBadValues)
{
    struct Case {
        const char* file;
        QRect geometry;
        int bars;
        PeriodChoice period;
        bool log;
        int slideSeconds;
        std::vector<std::string> definitions;
        bool own;
    };
    const Case cases[] = {
        {"", {}, 0, PeriodChoice::Definitions, false, 5, {}, false},
        {"[ChartWindow]\nGeometry=10,20,800,600\nBars=240\nPeriod=weekly\nLog=1\n"
         "SlideSeconds=2\nDefinitions=3\nChart0=Daily; MA=25\nChart1=\nChart2=RSI\n"
         "OwnDefinitions=1\n",
         {10, 20, 800, 600}, 240, PeriodChoice::Weekly, true, 2, {"Daily; MA=25", "RSI"}, true},
        {"[ChartWindow]\nGeometry=10,20,0,600\nBars=-5\nPeriod=yearly\nSlideSeconds=0\n"
         "OwnDefinitions=1\n",
         {}, 0, PeriodChoice::Definitions, false, 1, {}, false},
        {"[ChartWindow]\nGeometry=a,b,c,d\nSlideSeconds=999999\nDefinitions=99999\n"
         "Chart0=Weekly\n",
         {}, 0, PeriodChoice::Definitions, false, 3600, {"Weekly"}, false},
    };
    for (const Case& c : cases) {
        TestProgramFolder folder({}, false);
        ASSERT_TRUE(WriteFileBytes(QString::fromStdString(folder.iniFile()), c.file));
        const ChartWindowSettings read = ChartWindowSettings::Read(SettingsStore(folder.iniFile()));
        EXPECT_EQ(read.geometry, c.geometry) << c.file;
        EXPECT_EQ(read.bars, c.bars) << c.file;
        EXPECT_EQ(read.period, c.period) << c.file;
        EXPECT_EQ(read.log, c.log) << c.file;
        EXPECT_EQ(read.slideSeconds, c.slideSeconds) << c.file;
        EXPECT_EQ(read.definitions, c.definitions) << c.file;
        EXPECT_EQ(read.ownDefinitions, c.own) << c.file;
    }
}

TEST(ChartWindowSettings, StateWrittenIsReadBackAndTheSetIsLeftAlone)
{
    TestProgramFolder folder({}, false);
    ASSERT_TRUE(WriteFileBytes(QString::fromStdString(folder.iniFile()),
                               "[ChartWindow]\nDefinitions=1\nChart0=Monthly\nSlideSeconds=9\n"));
    SettingsStore settings(folder.iniFile());
    ChartWindowSettings state = ChartWindowSettings::Read(settings);
    state.geometry = QRect(5, 6, 700, 500);
    state.bars = 400;
    state.period = PeriodChoice::Monthly;
    state.log = true;
    state.ownDefinitions = true;
    state.WriteState(settings);
    const ChartWindowSettings read = ChartWindowSettings::Read(settings);
    EXPECT_EQ(read.geometry, state.geometry);
    EXPECT_EQ(read.bars, 400);
    EXPECT_EQ(read.period, PeriodChoice::Monthly);
    EXPECT_TRUE(read.log);
    EXPECT_TRUE(read.ownDefinitions);
    EXPECT_EQ(read.slideSeconds, 9);
    EXPECT_EQ(read.definitions, (std::vector<std::string>{"Monthly"}));
}

} // namespace
