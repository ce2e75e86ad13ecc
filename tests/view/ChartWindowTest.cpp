#include "FakeComponents.h"

#include "chart/PluginComponentProvider.h"
#include "settings/SettingsStore.h"
#include "support/TestFolders.h"
#include "thumbnails/ThumbnailStore.h"
#include "view/CCatalogView.h"
#include "view/ChartCanvas.h"
#include "view/ChartOutput.h"
#include "view/ChartWindow.h"
#include "view/ChartWindowSettings.h"
#include "model/GridArrangement.h"
#include "view/PeriodEnds.h"
#include "view/PreviewController.h"
#include "model/ShownOrder.h"

#include <QApplication>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

constexpr int kCellWidth = 100;
constexpr int kCellHeight = 50;
constexpr int kWaitMs = 20000;

// Weekdays from 2020-01-06 on, as many as the code's number says (code "300": 300 bars).
std::vector<quorex::PriceBar> SeriesOf(const std::string& code)
{
    std::vector<quorex::PriceBar> bars;
    QDate day(2020, 1, 6);
    const int count = std::stoi(code);
    while (int(bars.size()) < count) {
        if (day.dayOfWeek() <= 5) {
            const double close = 100 + int(bars.size()) % 17;
            bars.push_back({std::int32_t(day.year() * 10000 + day.month() * 100 + day.day()),
                            close, close + 2, close - 2, close, 1000});
        }
        day = day.addDays(1);
    }
    return bars;
}

class Series : public quorex::IPriceData {
public:
    explicit Series(std::vector<quorex::PriceBar> bars) : m_bars(std::move(bars)) {}
    std::span<const quorex::PriceBar> Bars() const override { return m_bars; }

private:
    std::vector<quorex::PriceBar> m_bars;
};

class SeriesLibrary : public quorex::IDataLibrary {
public:
    quorex::PriceDataPtr LoadData(const std::string&, const std::string& code,
                                  std::int32_t) override
    {
        return std::make_shared<Series>(SeriesOf(code));
    }
};

// The fakes' chart control over libraries that give whole series; the built one when a
// test needs what only it answers (the bar under a point).
class SeriesProvider : public FakeProvider {
public:
    std::unique_ptr<quorex::IDataLibrary> CreateDataLibrary() override
    {
        return std::make_unique<SeriesLibrary>();
    }
    std::unique_ptr<quorex::IChartControl> CreateChartControl() override
    {
        return builtControl ? m_plugins.CreateChartControl()
                            : FakeProvider::CreateChartControl();
    }

    bool builtControl = false;

private:
    PluginComponentProvider m_plugins{MOSGRID_PROGRAM_DIR "/"};
};

class ChartWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_view = std::make_unique<CCatalogView>(
            ProgramPaths{m_folder.exeDir(), m_folder.iniFile()}, &m_provider);
        m_view->model().builder().SetWorkerCount(1);
        m_view->model().SetThumbnailSize(QSize(kCellWidth, kCellHeight));
        const char* codes[] = {"300", "1200", "45", "800"};
        CatalogItemList items;
        for (const char* code : codes) {
            auto item = std::make_unique<CatalogItem>();
            item->m_nType = 1;
            item->m_strSource = "s";
            item->m_strCode = code;
            item->m_strName = "name";
            items.push_back(std::move(item));
        }
        m_view->model().AdoptItems(std::move(items));
        m_view->model().store().Reset(4, QSize(kCellWidth, kCellHeight), kFilledGeneration);
        for (int i = 0; i < 4; ++i) {
            QImage image(kCellWidth, kCellHeight, QImage::Format_RGB32);
            image.fill(Qt::darkGray);
            ItemFacts facts;
            facts.hasData = true;
            facts.lastClose = 4 - i;  // descending by last: list order
            m_view->model().store().Put(kFilledGeneration, i, image, facts);
        }
        m_view->arrangement().ItemsChanged();
        m_view->resize(4 * kCellWidth + 30, kCellHeight + 10);
        m_view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
    }

    void TearDown() override { m_view.reset(); }

    ChartWindow* Open(int item)
    {
        m_view->preview().OpenWindow(item);
        std::vector<ChartWindow*> windows = m_view->preview().windows();
        for (ChartWindow* window : windows) {
            if (window->item().m_strCode == m_view->model().items()[item]->m_strCode) {
                EXPECT_TRUE(QTest::qWaitFor([&] { return window->isLoaded(); }, kWaitMs));
                return window;
            }
        }
        ADD_FAILURE() << "no window for item " << item;
        return nullptr;
    }

    void Settle(ChartWindow* window)
    {
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return window->isLoaded() && !window->canvas()->isDrawing(); }, kWaitMs));
    }

    TestProgramFolder m_folder{QStringList{}, false};
    SeriesProvider m_provider;
    std::unique_ptr<CCatalogView> m_view;
};

TEST_F(ChartWindowTest, OneWindowPerSecurityOpenedByTheMiddleButtonToo)
{
    ChartWindow* first = Open(1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->windowTitle(), QStringLiteral("1200 name (2 / 4)"));
    Open(1);
    EXPECT_EQ(m_view->preview().windows().size(), 1u);
    QTest::mouseClick(m_view->viewport(), Qt::MiddleButton, {}, QPoint(kCellWidth * 2 + 50, 25));
    ASSERT_EQ(m_view->preview().windows().size(), 2u);
    EXPECT_EQ(m_view->preview().windows()[1]->item().m_strCode, "45");
    Settle(first);
    const std::shared_ptr<const ChartFrame> frame = first->canvas()->frame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->image().size(), first->canvas()->size());
    EXPECT_EQ(frame->image().pixel(5, 5), PriceColour(SeriesOf("1200").back().close).rgb());
}

TEST_F(ChartWindowTest, KeysZoomScrollAndSwitchThePeriod)
{
    ChartWindow* window = Open(1);
    ASSERT_NE(window, nullptr);
    // The thumbnails' 60 bars at first, the newest.
    EXPECT_EQ(window->range(), BarRange::Newest(1200, 60));
    const std::vector<quorex::PriceBar> daily = SeriesOf("1200");
    const int weeks = int(PeriodEnds(daily, PeriodChoice::Weekly).size());
    const int months = int(PeriodEnds(daily, PeriodChoice::Monthly).size());
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        BarRange expected;
    } steps[] = {
        {Qt::Key_Minus, Qt::NoModifier, {1200, 75, 1200}},
        {Qt::Key_Left, Qt::NoModifier, {1200, 75, 1199}},
        {Qt::Key_Left, Qt::ShiftModifier, {1200, 75, 1124}},
        {Qt::Key_Right, Qt::NoModifier, {1200, 75, 1125}},
        {Qt::Key_Plus, Qt::NoModifier, {1200, 60, 1117}},
        {Qt::Key_Home, Qt::NoModifier, {1200, 60, 60}},
        {Qt::Key_End, Qt::NoModifier, {1200, 60, 1200}},
        {Qt::Key_W, Qt::NoModifier, {weeks, 60, weeks}},
        {Qt::Key_M, Qt::NoModifier, {months, months, months}},
        {Qt::Key_D, Qt::NoModifier, {1200, 60, 1200}},  // the zoom the user chose
    };
    for (const auto& step : steps) {
        QTest::keyClick(window, Qt::Key(step.key), step.modifiers);
        EXPECT_EQ(window->range(), step.expected) << step.key;
    }
    // Scrolled back, a period switch keeps the newest day shown.
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(window, Qt::Key_Left, Qt::ShiftModifier);
    const int dailyEnd = window->range().end;
    EXPECT_EQ(dailyEnd, 600);
    QTest::keyClick(window, Qt::Key_W);
    EXPECT_EQ(window->range().end,
              PeriodIndexOf(PeriodEnds(daily, PeriodChoice::Weekly), dailyEnd - 1) + 1);
    QTest::keyClick(window, Qt::Key_L);
    EXPECT_TRUE(window->logScale());
    // Dragging by small moves scrolls as far as one long move.
    const BarRange dragged = window->range();
    const int barWidth = window->canvas()->width() / dragged.count;
    QTest::mousePress(window->canvas(), Qt::LeftButton, {}, QPoint(100, 50));
    for (int x = 101; x <= 100 + 3 * barWidth; ++x)
        QTest::mouseMove(window->canvas(), QPoint(x, 50));
    QTest::mouseRelease(window->canvas(), Qt::LeftButton, {}, QPoint(100 + 3 * barWidth, 50));
    EXPECT_NEAR(window->range().end, dragged.end - 3, 1);
    // The wheel zooms in around the pointer.
    const BarRange before = window->range();
    window->ZoomAt(2, QPoint(0, 10));
    EXPECT_LT(window->range().count, before.count);
    EXPECT_EQ(window->range().first(), before.first());
    Settle(window);
}

TEST_F(ChartWindowTest, SteppingFollowsTheSortedAndFilteredGridKeepingZoomAndPeriod)
{
    m_view->arrangement().SetSort(SortKey::Code, false);  // 45, 300, 800, 1200
    ChartWindow* window = Open(2);
    ASSERT_NE(window, nullptr);
    QTest::keyClick(window, Qt::Key_W);
    // Nine weeks show all of them; the thumbnails' 60 stay wanted.
    EXPECT_EQ(window->range().count, 9);
    constexpr int kZoom = 60;
    const struct {
        int key;
        const char* code;
        int selected;
        const char* title;
    } steps[] = {
        {Qt::Key_PageDown, "300", 0, "300 name (2 / 4)"},
        {Qt::Key_Space, "800", 3, "800 name (3 / 4)"},
        {Qt::Key_Space, "1200", 1, "1200 name (4 / 4)"},
        {Qt::Key_PageDown, "1200", 1, "1200 name (4 / 4)"},  // the last stays
        {Qt::Key_Backspace, "800", 3, "800 name (3 / 4)"},
        {Qt::Key_PageUp, "300", 0, "300 name (2 / 4)"},
    };
    for (const auto& step : steps) {
        QTest::keyClick(window, Qt::Key(step.key));
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->isLoaded(); }, kWaitMs));
        EXPECT_EQ(window->item().m_strCode, step.code);
        EXPECT_EQ(m_view->selectedItem(), step.selected) << step.code;
        EXPECT_EQ(window->windowTitle(), QString::fromLatin1(step.title));
        EXPECT_EQ(window->period(), PeriodChoice::Weekly);
        EXPECT_EQ(window->range().count,
                  std::min(kZoom, int(PeriodEnds(SeriesOf(step.code), PeriodChoice::Weekly)
                                         .size())))
            << step.code;
    }
    // A filter narrows what is stepped through.
    m_view->arrangement().SetFilter(QStringLiteral("00"));  // 300, 800, 1200
    QTest::keyClick(window, Qt::Key_PageDown);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->isLoaded(); }, kWaitMs));
    EXPECT_EQ(window->item().m_strCode, "800");
    EXPECT_EQ(window->windowTitle(), QStringLiteral("800 name (2 / 3)"));
    Settle(window);
}

TEST_F(ChartWindowTest, SlideshowAdvancesUntilAKey)
{
    SettingsStore(m_folder.iniFile()).WriteText("ChartWindow", "SlideSeconds", "1");
    ChartWindow* window = Open(0);
    ASSERT_NE(window, nullptr);
    QTest::keyClick(window, Qt::Key_S);
    EXPECT_TRUE(window->slideshowRunning());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->item().m_strCode == "45"; }, kWaitMs));
    QTest::keyClick(window, Qt::Key_Shift);
    EXPECT_FALSE(window->slideshowRunning());
    Settle(window);
    EXPECT_EQ(window->item().m_strCode, "45");
}

TEST_F(ChartWindowTest, StateIsRememberedAndTheChartSavedAsPngAndPdf)
{
    ChartWindow* window = Open(3);
    ASSERT_NE(window, nullptr);
    QTest::keyClick(window, Qt::Key_M);
    QTest::keyClick(window, Qt::Key_L);
    Settle(window);
    const std::shared_ptr<const ChartFrame> frame = window->canvas()->frame();
    ASSERT_NE(frame, nullptr);
    const QString png = m_folder.filePath(QStringLiteral("chart.png"));
    const QString pdf = m_folder.filePath(QStringLiteral("chart.pdf"));
    EXPECT_TRUE(ChartOutput::SavePng(*frame, png));
    EXPECT_TRUE(ChartOutput::SavePdf(*frame, pdf));
    EXPECT_EQ(QImage(png).size(), frame->image().size());
    EXPECT_TRUE(ReadFileBytes(pdf).startsWith("%PDF"));
    EXPECT_FALSE(ChartOutput::SavePng(*frame, m_folder.filePath(QStringLiteral("no/such.png"))));

    // Monthly shows fewer than the 60 wanted; the 60 are kept.
    EXPECT_LT(window->range().count, 60);
    const int bars = 60;
    window->close();
    const ChartWindowSettings kept = ChartWindowSettings::Read(SettingsStore(m_folder.iniFile()));
    EXPECT_EQ(kept.period, PeriodChoice::Monthly);
    EXPECT_TRUE(kept.log);
    EXPECT_EQ(kept.bars, bars);
    EXPECT_TRUE(kept.geometry.isValid());
    // The next window starts as this one ended.
    ChartWindow* next = Open(1);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->period(), PeriodChoice::Monthly);
    EXPECT_EQ(next->range().count, std::min(bars, next->range().total));
    Settle(next);
}

TEST_F(ChartWindowTest, TheGridsPictureStandsForTheChartUntilTheSeriesIsRead)
{
    // Each item's thumbnail a colour of its own.
    const QRgb colours[] = {0xffc00000, 0xff00c000, 0xff0000c0, 0xffc0c000};
    for (int i = 0; i < 4; ++i) {
        QImage image(kCellWidth, kCellHeight, QImage::Format_RGB32);
        image.fill(colours[i]);
        ItemFacts facts;
        facts.hasData = true;
        facts.lastClose = 4 - i;
        m_view->model().store().Put(kFilledGeneration, i, image, facts);
    }
    const auto middle = [](ChartWindow* window) {
        const QImage shown = window->canvas()->grab().toImage();
        return shown.pixel(shown.rect().center()) | 0xff000000;
    };
    // Opened, then stepped: the new security's picture at once, its chart when read.
    m_view->preview().OpenWindow(1);
    ASSERT_EQ(m_view->preview().windows().size(), 1U);
    ChartWindow* window = m_view->preview().windows().front();
    const struct {
        int key;
        int item;
    } steps[] = {{0, 1}, {Qt::Key_PageDown, 2}, {Qt::Key_PageUp, 1}, {Qt::Key_PageUp, 0}};
    for (const auto& step : steps) {
        if (step.key != 0)
            QTest::keyClick(window, Qt::Key(step.key));
        EXPECT_EQ(middle(window), colours[step.item]) << step.item;
        EXPECT_EQ(window->canvas()->frame(), nullptr);
        Settle(window);
        EXPECT_EQ(window->item().m_strCode, m_view->model().items()[step.item]->m_strCode);
        ASSERT_NE(window->canvas()->frame(), nullptr);
        EXPECT_TRUE(window->canvas()->standIn().isNull());
        EXPECT_NE(middle(window), colours[step.item]) << step.item;
    }
}

TEST_F(ChartWindowTest, CtrlArrowsMoveTheCrosshairBarByBarAndScrollAtTheEdge)
{
    m_provider.builtControl = true;
    ChartWindow* window = Open(1);
    ASSERT_NE(window, nullptr);
    // Keys only: a pointer move the platform makes up where an earlier test left the pointer
    // (as windows come and go) would take the crosshair there.
    window->canvas()->setAttribute(Qt::WA_TransparentForMouseEvents);
    Settle(window);
    const std::vector<quorex::PriceBar> daily = SeriesOf("1200");
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        int end;   // of the range shown
        int bar;   // read out under the crosshair
    } steps[] = {
        {Qt::Key_Right, Qt::ControlModifier, 1200, 1199},  // put up on the newest
        {Qt::Key_Left, Qt::ControlModifier, 1200, 1198},
        {Qt::Key_Left, Qt::ControlModifier, 1200, 1197},
        {Qt::Key_Right, Qt::ControlModifier, 1200, 1198},
        {Qt::Key_Right, Qt::ControlModifier, 1200, 1199},
        {Qt::Key_Right, Qt::ControlModifier, 1200, 1199},  // nothing newer
        {Qt::Key_Left, Qt::ShiftModifier, 1140, 1139},     // it stays as the chart moves
        {Qt::Key_Right, Qt::ControlModifier, 1141, 1140},  // at the edge the chart moves
    };
    for (const auto& step : steps) {
        QTest::keyClick(window, Qt::Key(step.key), step.modifiers);
        Settle(window);
        EXPECT_EQ(window->range().end, step.end) << step.bar;
        const std::optional<QPoint> at = window->canvas()->crosshair();
        ASSERT_TRUE(at.has_value()) << step.bar;
        const std::optional<quorex::PriceBar> bar = window->canvas()->frame()->BarAt(*at);
        ASSERT_TRUE(bar.has_value()) << step.bar;
        EXPECT_EQ(bar->date, daily[std::size_t(step.bar)].date) << step.bar;
    }
}

TEST_F(ChartWindowTest, WindowsStillOpenWhenTheProgramEndsKeepTheirState)
{
    ChartWindow* window = Open(1);
    ASSERT_NE(window, nullptr);
    QTest::keyClick(window, Qt::Key_W);
    QTest::keyClick(window, Qt::Key_Minus);
    QTest::keyClick(window, Qt::Key_Minus);
    const QRect place(40, 30, 700, 420);
    window->setGeometry(place);
    const int bars = window->range().count;
    EXPECT_GT(bars, 60);
    Settle(window);
    // The catalog goes, and its chart windows with it, without closing.
    m_view.reset();
    const ChartWindowSettings kept = ChartWindowSettings::Read(SettingsStore(m_folder.iniFile()));
    EXPECT_EQ(kept.period, PeriodChoice::Weekly);
    EXPECT_EQ(kept.bars, bars);
    EXPECT_EQ(kept.geometry.size(), place.size());
}

TEST_F(ChartWindowTest, TheWindowsOwnDefinitionsReplaceTheCatalogsWhenChosen)
{
    SettingsStore settings(m_folder.iniFile());
    settings.WriteText("ChartWindow", "Definitions", "2");
    settings.WriteText("ChartWindow", "Chart0", "Monthly; MA=12");
    settings.WriteText("ChartWindow", "Chart1", "Volume");
    ChartWindow* window = Open(1);
    ASSERT_NE(window, nullptr);
    const std::vector<quorex::PriceBar> daily = SeriesOf("1200");
    EXPECT_FALSE(window->ownDefinitions());
    EXPECT_EQ(window->range().total, 1200);
    // Its monthly chart counts months.
    window->UseOwnDefinitions(true);
    EXPECT_TRUE(window->ownDefinitions());
    EXPECT_EQ(window->range().total, int(PeriodEnds(daily, PeriodChoice::Monthly).size()));
    window->UseOwnDefinitions(false);
    EXPECT_EQ(window->range().total, 1200);
    Settle(window);
}

TEST(ChartOutput, FittedRectKeepsProportionsInTheMiddle)
{
    const struct {
        QSize size;
        QRect page;
        QRect fitted;
    } cases[] = {
        {{200, 100}, {0, 0, 1000, 1000}, {0, 250, 1000, 500}},
        {{100, 200}, {0, 0, 1000, 1000}, {250, 0, 500, 1000}},
        {{100, 100}, {10, 20, 300, 100}, {110, 20, 100, 100}},
        {{0, 100}, {0, 0, 100, 100}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChartOutput::FittedRect(c.size, c.page), c.fitted);
}

} // namespace
