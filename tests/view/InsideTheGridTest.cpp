#include "FakeComponents.h"

#include "settings/SettingsStore.h"
#include "settings/ViewChoices.h"
#include "support/TestFolders.h"
#include "thumbnails/ThumbnailStore.h"
#include "view/CCatalogView.h"
#include "view/ChartCanvas.h"
#include "view/ChartPicture.h"
#include "view/ChartWindow.h"
#include "model/GridArrangement.h"
#include "view/EmptyHint.h"
#include "view/GridSearchBar.h"
#include "view/PreviewController.h"
#include "view/PreviewPopup.h"
#include "model/ShownOrder.h"
#include "view/ToolLauncher.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QPointer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

constexpr int kCellWidth = 100;
constexpr int kCellHeight = 50;
constexpr int kWaitMs = 20000;

QColor ColourOf(int index)
{
    return QColor(10 + index * 7, 200 - index * 5, 30 + index * 3);
}

QRgb Inverted(QRgb rgb)
{
    return qRgb(255 - qRed(rgb), 255 - qGreen(rgb), 255 - qBlue(rgb));
}

// Types text as a keyboard with an input method would: one key event per character.
void TypeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

// Pointer input delivered as a window system that ignores input transparency does: to the
// widget under the point on screen, in the topmost window there (tool tips stand above the
// main window).
QWidget* WidgetUnder(QPoint global)
{
    QWidget* under = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || !window->geometry().contains(global))
            continue;
        if (under == nullptr || window->windowType() == Qt::ToolTip)
            under = window;
    }
    if (under == nullptr)
        return nullptr;
    QWidget* child = under->childAt(under->mapFromGlobal(global));
    return child != nullptr ? child : under;
}

void MoveOnScreen(QPoint global)
{
    QWidget* target = WidgetUnder(global);
    if (target == nullptr)
        return;
    QMouseEvent move(QEvent::MouseMove, target->mapFromGlobal(global), global, Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
}

void DoubleClickOnScreen(QPoint global)
{
    MoveOnScreen(global);
    QWidget* target = WidgetUnder(global);
    ASSERT_NE(target, nullptr);
    const QPoint local = target->mapFromGlobal(global);
    QTest::mouseClick(target, Qt::LeftButton, {}, local);
    QTest::mouseDClick(target, Qt::LeftButton, {}, local);
}

struct Security {
    const char* code;
    const char* name;
    double lastClose;  // < 0: no data
};

// A view of 100 x 50 cells over securities whose thumbnails are made already, each in its
// own colour, with the facts a worker would have recorded.
class InsideTheGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_view = std::make_unique<CCatalogView>(
            ProgramPaths{m_folder.exeDir(), m_folder.iniFile()}, &m_provider);
        m_view->model().builder().SetWorkerCount(1);
    }

    void TearDown() override
    {
        SetToolStartHandler({});
        m_view.reset();
    }

    void Use(const std::vector<Security>& securities)
    {
        m_view->model().SetThumbnailSize(QSize(kCellWidth, kCellHeight));
        CatalogItemList items;
        for (const Security& security : securities) {
            auto item = std::make_unique<CatalogItem>();
            item->m_nType = 1;
            item->m_strSource = "s";
            item->m_strCode = security.code;
            item->m_strName = security.name;
            items.push_back(std::move(item));
        }
        m_view->model().AdoptItems(std::move(items));
        const int count = static_cast<int>(securities.size());
        m_view->model().store().Reset(count, QSize(kCellWidth, kCellHeight), kFilledGeneration);
        for (int i = 0; i < count; ++i) {
            QImage image(kCellWidth, kCellHeight, QImage::Format_RGB32);
            image.fill(ColourOf(i));
            ItemFacts facts;
            facts.hasData = securities[i].lastClose >= 0;
            facts.lastClose = std::max(securities[i].lastClose, 0.0);
            m_view->model().store().Put(kFilledGeneration, i, image, facts);
        }
        m_view->arrangement().ItemsChanged();
    }

    void UseNumbered(int count)
    {
        std::vector<Security> securities;
        m_codes.clear();
        for (int i = 0; i < count; ++i)
            m_codes.push_back(std::to_string(1000 + i));
        for (int i = 0; i < count; ++i)
            securities.push_back({m_codes[i].c_str(), "name", double(i)});
        Use(securities);
    }

    // Shown with cells of 3 columns and 2 rows, the keyboard in the grid.
    void ShowThreeByTwo()
    {
        m_view->resize(QSize(3 * kCellWidth, 2 * kCellHeight)
                       + QSize(m_view->verticalScrollBar()->sizeHint().width(), 0));
        m_view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
        m_view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_view.get()));
        m_view->setFocus();
        QApplication::processEvents();
        Paint();
    }

    QImage Paint()
    {
        const QSize client = m_view->viewport()->size();
        QImage target(client, QImage::Format_RGB32);
        target.fill(Qt::magenta);
        QPainter painter(&target);
        m_view->OnDraw(painter, QRect(QPoint(0, 0), client), false);
        return target;
    }

    // The item whose colour the cell at a shown position has, or -1.
    int ItemPaintedAt(const QImage& shot, int cell)
    {
        const QPoint centre((cell % 3) * kCellWidth + 50, (cell / 3) * kCellHeight + 25);
        for (int i = 0; i < static_cast<int>(m_view->model().items().size()); ++i) {
            const QRgb pixel = shot.pixel(centre);
            if (pixel == ColourOf(i).rgb() || pixel == Inverted(ColourOf(i).rgb()))
                return i;
        }
        return -1;
    }

    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(m_view.get(), Qt::Key(key), modifiers);
    }

    TestProgramFolder m_folder{QStringList{}, false};
    FakeProvider m_provider;
    std::unique_ptr<CCatalogView> m_view;
    std::vector<std::string> m_codes;
};

TEST_F(InsideTheGridTest, ArrowsHomeEndAndPagesMoveTheSelectionAndScrollByRows)
{
    UseNumbered(10);
    ShowThreeByTwo();
    struct Step {
        int key;
        int selected;
        int top;
    };
    const Step steps[] = {
        {Qt::Key_Right, 0, 0},  // nothing selected: the top-left cell
        {Qt::Key_Right, 1, 0},  {Qt::Key_Down, 4, 0},   {Qt::Key_Down, 7, 3},
        {Qt::Key_Down, 9, 6},   {Qt::Key_Up, 6, 6},     {Qt::Key_Home, 0, 0},
        {Qt::Key_PageDown, 6, 3}, {Qt::Key_End, 9, 6},  {Qt::Key_PageUp, 3, 3},
        {Qt::Key_Left, 2, 0},   {Qt::Key_Escape, -1, 0},
    };
    for (const Step& step : steps) {
        Key(step.key);
        EXPECT_EQ(m_view->selectedItem(), step.selected) << "key " << std::hex << step.key;
        EXPECT_EQ(m_view->topIndex(), step.top) << "key " << std::hex << step.key;
        // The bar stands at most at its last position, max - page + 1.
        EXPECT_EQ(m_view->verticalScrollBar()->value(), std::min(step.top, 7));
    }
    // The selection is drawn inverted where it is shown.
    Key(Qt::Key_Down);
    Key(Qt::Key_Right);
    const QImage shot = Paint();
    EXPECT_EQ(shot.pixel(150, 25), Inverted(ColourOf(1).rgb()));
    EXPECT_EQ(shot.pixel(50, 25), ColourOf(0).rgb());
}

TEST_F(InsideTheGridTest, CtrlShiftAndCtrlASelectSeveralWhichPaintInvertedAndCopy)
{
    UseNumbered(6);
    ShowThreeByTwo();
    const auto click = [this](int cell, Qt::KeyboardModifiers modifiers) {
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, modifiers,
                          QPoint((cell % 3) * kCellWidth + 10, (cell / 3) * kCellHeight + 10));
    };
    const auto inverted = [this] {
        const QImage shot = Paint();
        std::vector<int> cells;
        for (int cell = 0; cell < 6; ++cell)
            if (shot.pixel((cell % 3) * kCellWidth + 50, (cell / 3) * kCellHeight + 25)
                == Inverted(ColourOf(cell).rgb()))
                cells.push_back(cell);
        return cells;
    };
    click(1, Qt::NoModifier);
    click(4, Qt::ControlModifier);
    EXPECT_EQ(inverted(), (std::vector<int>{1, 4}));
    click(3, Qt::ShiftModifier);  // from the last click, 4, back to 3
    EXPECT_EQ(inverted(), (std::vector<int>{3, 4}));
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(inverted(), (std::vector<int>{4, 5}));
    EXPECT_EQ(m_view->selectedItem(), 5);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("1004\tname\n1005\tname\n"));
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(inverted(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    click(2, Qt::NoModifier);  // a plain click selects one, as always
    EXPECT_EQ(inverted(), (std::vector<int>{2}));
}

TEST_F(InsideTheGridTest, SortReordersCellsWithoutMakingThumbnailsAgainAndKeepsTheSelection)
{
    Use({{"7203", "トヨタ", 2500}, {"1301", "極洋", 3000}, {"9984", "ソフトバンク", -1},
         {"6758", "ソニー", 3000}, {"8035", "東京エレクトロン", 40000}, {"4063", "信越", 10}});
    ShowThreeByTwo();
    m_view->model().SelectOnly(0);
    const std::uint64_t generation = m_view->model().builder().generation();

    m_view->arrangement().SetSort(SortKey::Last, true);
    QImage shot = Paint();
    // Highest close first, the tie (1301, 6758) in list order, no data last.
    const int expected[] = {4, 1, 3, 0, 5, 2};
    for (int cell = 0; cell < 6; ++cell)
        EXPECT_EQ(ItemPaintedAt(shot, cell), expected[cell]) << "cell " << cell;
    EXPECT_EQ(m_view->selectedItem(), 0);
    EXPECT_EQ(shot.pixel(50, 75), Inverted(ColourOf(0).rgb()));
    EXPECT_EQ(m_view->model().builder().generation(), generation);
    // Clicks and the hit test reach the security shown, not the one of the list position.
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, QPoint(150, 25));
    EXPECT_EQ(m_view->selectedItem(), 1);
    EXPECT_EQ(ReadSortKey(SettingsStore(m_folder.iniFile())), SortKey::Last);
    EXPECT_TRUE(ReadSortDescending(SettingsStore(m_folder.iniFile())));

    m_view->arrangement().SetSort(SortKey::Code, false);
    shot = Paint();
    const int byCode[] = {1, 5, 3, 0, 4, 2};
    for (int cell = 0; cell < 6; ++cell)
        EXPECT_EQ(ItemPaintedAt(shot, cell), byCode[cell]) << "cell " << cell;

    m_view->arrangement().SetSort(SortKey::List, false);
    EXPECT_TRUE(m_view->shownOrder().isIdentity());
    shot = Paint();
    for (int cell = 0; cell < 6; ++cell)
        EXPECT_EQ(ItemPaintedAt(shot, cell), cell);
}

// A sort the user chooses shows its first cells, the selection kept where it went; facts
// arriving later re-sort the grid but keep the selection in view.
TEST_F(InsideTheGridTest, NewSortShowsTheTopAndFactsKeepTheSelectionInView)
{
    UseNumbered(12);
    ShowThreeByTwo();
    m_view->SelectAndScroll(1, 3);
    // Descending by close: item 1 goes to position 10, in the fourth row.
    m_view->arrangement().SetSort(SortKey::Last, true);
    EXPECT_EQ(m_view->shownOrder().PositionOf(1), 10);
    EXPECT_EQ(m_view->topIndex(), 0);
    EXPECT_EQ(m_view->verticalScrollBar()->value(), 0);
    EXPECT_EQ(m_view->selectedItem(), 1);
    EXPECT_EQ(ItemPaintedAt(Paint(), 0), 11);

    // The top gainer selected, then its facts fall: the re-sort follows it down.
    m_view->SelectAndScroll(11, 0);
    QImage image(kCellWidth, kCellHeight, QImage::Format_RGB32);
    image.fill(ColourOf(11));
    ItemFacts facts;
    facts.hasData = true;
    facts.lastClose = 0.5;
    m_view->model().store().Put(kFilledGeneration, 11, image, facts);
    m_view->arrangement().FactsChanged();
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_view->shownOrder().PositionOf(11) == 10; },
                                kWaitMs));
    EXPECT_EQ(m_view->topIndex(), 6);
    EXPECT_EQ(Paint().pixel(150, 75), Inverted(ColourOf(11).rgb()));
}

TEST_F(InsideTheGridTest, FactsArrivingDuringABuildSortTheGridSoonAfter)
{
    Use({{"1", "a", 1}, {"2", "b", 2}, {"3", "c", 3}});
    ShowThreeByTwo();
    // A new build: nothing made yet, so every security sorts last, in list order.
    const std::uint64_t build = kFilledGeneration + 1;
    m_view->model().store().Reset(3, QSize(kCellWidth, kCellHeight), build);
    m_view->arrangement().SetSort(SortKey::Last, true);
    EXPECT_TRUE(m_view->shownOrder().isIdentity());
    ItemFacts facts;
    facts.hasData = true;
    facts.lastClose = 50;
    m_view->model().store().Put(build, 2, QImage(), facts);
    m_view->arrangement().FactsChanged();
    EXPECT_EQ(m_view->shownOrder().ItemAt(0), 0);  // not at once: the grid holds still
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_view->shownOrder().ItemAt(0) == 2; }, kWaitMs));
    EXPECT_EQ(m_view->shownOrder().ItemAt(1), 0);
    EXPECT_EQ(m_view->shownOrder().ItemAt(2), 1);
}

// An export writes every security in the sort order shown; a search text leaves none out.
TEST_F(InsideTheGridTest, ExportOrderFollowsTheSortButNotTheFilter)
{
    Use({{"7203", "トヨタ", 2500}, {"1301", "極洋", 3000}, {"9984", "ソフトバンク", -1},
         {"6758", "ソニー", 3000}});
    const struct {
        SortKey key;
        bool descending;
        QString filter;
        std::vector<int> expected;
    } rows[] = {
        {SortKey::List, false, "", {0, 1, 2, 3}},
        {SortKey::List, false, "ソ", {0, 1, 2, 3}},
        {SortKey::Code, false, "", {1, 3, 0, 2}},
        {SortKey::Last, true, "トヨタ", {1, 3, 0, 2}},
        {SortKey::Name, true, "極", {1, 0, 2, 3}},
    };
    for (const auto& row : rows) {
        m_view->arrangement().SetSort(row.key, row.descending);
        m_view->arrangement().SetFilter(row.filter);
        EXPECT_EQ(m_view->ExportOrder(), row.expected)
            << int(row.key) << row.descending << row.filter.toStdString();
    }
}

TEST_F(InsideTheGridTest, NarrowingsLeaveSecuritiesOutOfTheGridAndTheExport)
{
    Use({{"7203", "トヨタ", 2500}, {"1301", "極洋", 3000}, {"9984", "ソフトバンク", -1},
         {"6758", "ソニー", 3000}});
    using N = GridArrangement::Narrowing;
    GridArrangement& arrangement = m_view->arrangement();
    const struct {
        std::vector<char> condition;
        std::vector<char> flag;
        QString filter;
        std::vector<int> exported;
        int shown;
    } rows[] = {
        {{}, {}, "", {0, 1, 2, 3}, 4},
        {{1, 0, 1, 1}, {}, "", {0, 2, 3}, 3},
        {{1, 0, 1, 1}, {0, 0, 1, 1}, "", {2, 3}, 2},
        {{1, 0, 1, 1}, {0, 0, 1, 1}, "ソニ", {2, 3}, 1},
        {{1, 1}, {}, "", {0, 1}, 2},  // items beyond a mask are left out
        {{}, {}, "ソ", {0, 1, 2, 3}, 2},
    };
    for (const auto& row : rows) {
        arrangement.SetNarrowing(N::Condition, row.condition);
        arrangement.SetNarrowing(N::Flag, row.flag);
        arrangement.SetFilter(row.filter);
        EXPECT_EQ(m_view->ExportOrder(), row.exported) << row.filter.toStdString();
        EXPECT_EQ(m_view->shownOrder().count(), row.shown) << row.filter.toStdString();
    }
}

TEST_F(InsideTheGridTest, FilterShowsMatchingSecuritiesCountsThemAndEscapeClearsIt)
{
    Use({{"7203", "トヨタ自動車", 1}, {"6758", "ソニー", 1}, {"3116", "ﾄﾖﾀ紡織", 1},
         {"７２０１", "日産", 1}});
    ShowThreeByTwo();
    Key(Qt::Key_F, Qt::ControlModifier);
    GridSearchBar& bar = m_view->searchBar();
    ASSERT_TRUE(bar.isVisible());
    EXPECT_TRUE(bar.field()->hasFocus());
    // The grid starts below the field.
    EXPECT_GE(m_view->viewport()->geometry().top(), bar.height());

    TypeText(bar.field(), QStringLiteral("とよた"));
    EXPECT_EQ(m_view->shownOrder().count(), 2);
    EXPECT_EQ(bar.countText(), QStringLiteral("2 / 4"));
    QImage shot = Paint();
    EXPECT_EQ(ItemPaintedAt(shot, 0), 0);
    EXPECT_EQ(ItemPaintedAt(shot, 1), 2);
    EXPECT_EQ(shot.pixel(250, 25), qRgb(0, 0, 0));

    // No hits: the grid says so in its middle, in the hint's colour.
    bar.field()->clear();
    TypeText(bar.field(), QStringLiteral("該当なし"));
    EXPECT_EQ(bar.countText(), QStringLiteral("0 / 4"));
    shot = Paint();
    const QRect middle(shot.width() / 4, shot.height() / 3, shot.width() / 2, shot.height() / 3);
    int hinted = 0;
    for (int y = middle.top(); y <= middle.bottom(); ++y) {
        for (int x = middle.left(); x <= middle.right(); ++x)
            hinted += shot.pixel(x, y) == kEmptyHintRgb ? 1 : 0;
    }
    EXPECT_GT(hinted, 10);

    bar.field()->clear();
    TypeText(bar.field(), QStringLiteral("72"));  // the full-width code too
    EXPECT_EQ(bar.countText(), QStringLiteral("2 / 4"));
    shot = Paint();
    EXPECT_EQ(ItemPaintedAt(shot, 0), 0);
    EXPECT_EQ(ItemPaintedAt(shot, 1), 3);

    // Keys in the grid act on the cells as shown.
    QTest::keyClick(bar.field(), Qt::Key_Return);
    EXPECT_TRUE(m_view->hasFocus());
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    EXPECT_EQ(m_view->selectedItem(), 3);

    bar.field()->setFocus();
    QTest::keyClick(bar.field(), Qt::Key_Escape);
    EXPECT_FALSE(bar.isVisible());
    EXPECT_TRUE(bar.field()->text().isEmpty());
    EXPECT_TRUE(m_view->shownOrder().isIdentity());
    EXPECT_EQ(m_view->viewport()->geometry().top(), 0);
    EXPECT_EQ(m_view->selectedItem(), 3);
}

TEST_F(InsideTheGridTest, PeriodKeysStoreTheSwitchAndStartANewBuild)
{
    const QByteArray stored = "[Chart]\nNum=2\nChart0=Daily; MA=5\nChart1=Volume\n";
    const QString ini = QString::fromStdString(m_folder.iniFile());
    ASSERT_TRUE(WriteFileBytes(ini, stored));
    Use({{"1", "a", 1}, {"2", "b", 2}});
    ShowThreeByTwo();
    const struct {
        int key;
        PeriodChoice period;
    } steps[] = {{Qt::Key_W, PeriodChoice::Weekly}, {Qt::Key_M, PeriodChoice::Monthly},
                 {Qt::Key_D, PeriodChoice::Daily}};
    for (const auto& step : steps) {
        const std::uint64_t before = m_view->model().builder().generation();
        Key(step.key);
        EXPECT_EQ(m_view->periodChoice(), step.period);
        EXPECT_GT(m_view->model().builder().generation(), before);
        ASSERT_TRUE(m_view->model().builder().WaitUntilBuilt());
    }
    // The chart definitions are exactly as they were; only [View] was added.
    EXPECT_TRUE(ReadFileBytes(ini).startsWith(stored));
    EXPECT_TRUE(ReadFileBytes(ini).contains("[View]\nPeriod=daily"));
}

class LaunchPathTest : public InsideTheGridTest {
protected:
    void SetUp() override
    {
        InsideTheGridTest::SetUp();
        // A PATH without the tool, and no tool beside the program.
        m_oldPath = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(m_emptyDir.path()));
        SetToolStartHandler([this](const std::string& program, const std::vector<std::string>&) {
            m_started.push_back(program);
        });
        Use({{"7203", "トヨタ", 1}, {"6758", "ソニー", 2}});
        ShowThreeByTwo();
    }
    void TearDown() override
    {
        qputenv("PATH", m_oldPath);
        InsideTheGridTest::TearDown();
    }

    // The press that begins a double-click selects, as on the platform.
    void DoubleClick(QPoint at)
    {
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, {}, at);
    }

    QTemporaryDir m_emptyDir;
    QByteArray m_oldPath;
    std::vector<std::string> m_started;
};

TEST_F(LaunchPathTest, MissingToolOpensTheChartInAWindowOfItsOwn)
{
    DoubleClick(QPoint(150, 25));
    EXPECT_TRUE(m_started.empty());
    std::vector<ChartWindow*> windows = m_view->preview().windows();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0]->item().m_strCode, "6758");
    EXPECT_EQ(windows[0]->windowTitle(), QStringLiteral("6758 ソニー (2 / 2)"));
    ChartCanvas* canvas = windows[0]->canvas();
    // A first frame may be drawn before the window has its size: the one shown once settled.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return canvas->frame() != nullptr && !canvas->isDrawing(); }, kWaitMs));
    EXPECT_EQ(canvas->frame()->image().size(), canvas->size());
    // Drawn fresh by the fake control: its colour for data.
    const QImage& image = canvas->frame()->image();
    EXPECT_EQ(image.pixel(image.width() - 2, image.height() - 2), kWithData.rgb());

    // Enter on the selection does the same; Escape closes the window.
    m_view->setFocus();
    Key(Qt::Key_Left);
    Key(Qt::Key_Return);
    windows = m_view->preview().windows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[1]->item().m_strCode, "7203");
    QTest::keyClick(windows[1], Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(m_view->preview().windows().size(), 1u);
}

TEST_F(LaunchPathTest, ToolBesideTheProgramIsStartedAsBeforeAndNoWindowOpens)
{
    const QString tool = m_folder.filePath(QStringLiteral("tarnel.exe"));
    ASSERT_TRUE(WriteFileBytes(tool, "#!/bin/sh\n"));
    QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    DoubleClick(QPoint(150, 25));
    EXPECT_EQ(m_view->selectedItem(), 1);
    Key(Qt::Key_Return);
    EXPECT_EQ(m_started, (std::vector<std::string>(2, m_folder.exeDir() + "tarnel.exe")));
    EXPECT_TRUE(m_view->preview().windows().empty());
}

// A double-click on the second security right after one on the first starts the tool for
// the second: with the defaults no preview opens over it, and one opened by hovering takes
// no clicks.
TEST_F(LaunchPathTest, DoubleClickOnTheNextSecurityRightAfterOneStartsTheToolForIt)
{
    const QString tool = m_folder.filePath(QStringLiteral("tarnel.exe"));
    ASSERT_TRUE(WriteFileBytes(tool, "#!/bin/sh\n"));
    QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    std::vector<std::string> codes;
    SetToolStartHandler([&codes](const std::string&, const std::vector<std::string>& args) {
        codes.push_back(args.size() > 2 ? args[2] : std::string());
    });
    m_view->preview().SetHoverDelay(0);  // the user rests longer than the delay
    const QPoint first = m_view->viewport()->mapToGlobal(QPoint(50, 25));
    const QPoint second = m_view->viewport()->mapToGlobal(QPoint(150, 25));
    for (const bool hover : {false, true}) {
        SCOPED_TRACE(hover ? "HoverPreview=1" : "defaults");
        if (hover) {
            SettingsStore settings(m_folder.iniFile());
            WriteHoverPreview(settings, true);
        }
        codes.clear();
        DoubleClickOnScreen(first);
        QTest::qWait(50);
        EXPECT_EQ(m_view->preview().isShown(), hover);
        DoubleClickOnScreen(second);
        EXPECT_EQ(codes, (std::vector<std::string>{"/dpacs,7203", "/dpacs,6758"}));
        EXPECT_EQ(m_view->selectedItem(), 1);
        m_view->preview().Close();
    }
}

TEST_F(InsideTheGridTest, SpaceShowsTheEnlargedPreviewBesideTheCellAndClosesIt)
{
    Use({{"7203", "トヨタ", 1}, {"nodata", "なし", -1}, {"6758", "ソニー", 2}});
    ShowThreeByTwo();
    Key(Qt::Key_Space);  // nothing selected: nothing to preview
    EXPECT_FALSE(m_view->preview().isShown());
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    // The pointer rests on the next cell, which the preview covers.
    const QPoint resting = m_view->viewport()->mapToGlobal(QPoint(250, 25));
    MoveOnScreen(resting);
    Key(Qt::Key_Space);
    ASSERT_TRUE(m_view->preview().isShown());
    MoveOnScreen(resting);  // repeated as the popup appears: not a move
    ASSERT_TRUE(m_view->preview().isShown());
    PreviewPopup* popup = m_view->preview().popup();
    EXPECT_EQ(popup->item(), 1);
    ChartPicture* picture = popup->picture();
    ASSERT_TRUE(QTest::qWaitFor([&] { return picture->chart() != nullptr; }, kWaitMs));
    const QImage& image = picture->chart()->image();
    EXPECT_GE(image.width() * image.height(), 3 * kCellWidth * kCellHeight);
    EXPECT_EQ(image.pixel(image.width() - 2, image.height() - 2), kWithoutData.rgb());
    // Beside the cell: its left edge at the cell's right edge.
    const QPoint cellRight = m_view->viewport()->mapToGlobal(QPoint(2 * kCellWidth, 0));
    EXPECT_EQ(popup->geometry().left(), cellRight.x());
    EXPECT_TRUE(m_view->hasFocus());  // the grid keeps the keyboard

    MoveOnScreen(resting + QPoint(3, 0));  // a move within the next cell closes it
    EXPECT_FALSE(m_view->preview().isShown());
    Key(Qt::Key_Space);
    ASSERT_TRUE(m_view->preview().isShown());
    Key(Qt::Key_Space);
    EXPECT_FALSE(m_view->preview().isShown());
    Key(Qt::Key_Space);
    ASSERT_TRUE(m_view->preview().isShown());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(m_view->preview().isShown());
    EXPECT_EQ(m_view->selectedItem(), 1);  // Escape closed the preview only
}

TEST_F(InsideTheGridTest, PointerRestingOnACellShowsThePreviewOnlyWhenTurnedOn)
{
    Use({{"7203", "トヨタ", 1}, {"6758", "ソニー", 2}, {"1301", "極洋", 3}});
    ShowThreeByTwo();
    m_view->preview().SetHoverDelay(0);
    QTest::mouseMove(m_view->viewport(), QPoint(250, 25));
    QTest::qWait(50);
    EXPECT_FALSE(m_view->preview().isShown());  // the default: Space only

    SettingsStore settings(m_folder.iniFile());
    WriteHoverPreview(settings, true);
    QTest::mouseMove(m_view->viewport(), QPoint(240, 20));
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_view->preview().isShown(); }, kWaitMs));
    PreviewPopup* popup = m_view->preview().popup();
    EXPECT_EQ(popup->item(), 2);
    EXPECT_TRUE(popup->windowFlags().testFlag(Qt::WindowTransparentForInput));
    // The crosshair stands where the pointer does in the cell, at the picture's scale.
    QTest::mouseMove(m_view->viewport(), QPoint(225, 30));
    const ChartPicture* picture = popup->picture();
    ASSERT_TRUE(picture->crosshair().has_value());
    EXPECT_EQ(*picture->crosshair(), QPoint(25 * picture->width() / kCellWidth,
                                            30 * picture->height() / kCellHeight));
    QTest::mouseMove(m_view->viewport(), QPoint(50, 75));  // below the last cell: none
    EXPECT_FALSE(m_view->preview().isShown());
}

// Closing the preview from inside one of its own pointer events left Qt reading a deleted
// window: preview shown, a click on it, the pointer out of the window and back over it.
TEST_F(InsideTheGridTest, PreviewClickedLeftAndReturnedToClosesWithoutACrash)
{
    Use({{"7203", "トヨタ", 1}, {"6758", "ソニー", 2}, {"1301", "極洋", 3}});
    ShowThreeByTwo();
    Key(Qt::Key_Right);
    Key(Qt::Key_Space);
    ASSERT_TRUE(m_view->preview().isShown());
    QPointer<PreviewPopup> popup = m_view->preview().popup();
    bool inEvent = false;
    bool deletedInEvent = false;
    QObject::connect(popup, &QObject::destroyed, [&] { deletedInEvent = inEvent; });
    const QPoint over = popup->geometry().center();
    const QPoint away = m_view->geometry().bottomRight() + QPoint(400, 400);

    MoveOnScreen(over);
    QPointer<QWidget> under = WidgetUnder(over);
    ASSERT_NE(under, nullptr);
    QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFromGlobal(over));
    // The pointer leaves: the window it was over hears of it, then it comes back.
    QCursor::setPos(away);
    QPointer<QWidget> left = under->window();
    for (QWidget* widget : {under.data(), left.data()}) {
        QEvent leave(QEvent::Leave);
        inEvent = true;
        if (widget != nullptr)
            QApplication::sendEvent(widget, &leave);
        inEvent = false;
    }
    MoveOnScreen(over + QPoint(5, 5));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_FALSE(deletedInEvent);
    EXPECT_FALSE(m_view->preview().isShown());
    EXPECT_TRUE(popup.isNull());
}

} // namespace
