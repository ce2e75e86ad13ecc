#include "app/CCatalogApp.h"
#include "app/CMainFrame.h"
#include "app/GridMenus.h"
#include "base/MessageBox.h"
#include "settings/SettingsStore.h"
#include "support/TestFolders.h"
#include "view/CCatalogView.h"
#include "view/ChartWindow.h"
#include "view/ColumnFit.h"
#include "view/GridSearchBar.h"

#include <QAction>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

class GridMenusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        // The folder holds no components: each rebuild says so, which is not what this tests.
        SetMessageBoxHandler([](const QString&) {});
        m_app = std::make_unique<CCatalogApp>(m_folder.exeDir() + "mosgrid");
        ASSERT_TRUE(m_app->InitInstance({}));
        m_frame = m_app->mainFrame();
        ASSERT_NE(m_frame, nullptr);
        m_menus = m_frame->findChild<GridMenus*>();
        ASSERT_NE(m_menus, nullptr);
    }

    void TearDown() override
    {
        m_app.reset();
        SetMessageBoxHandler([](const QString& text) { ADD_FAILURE() << text.toStdString(); });
    }

    SettingsStore Settings() const { return SettingsStore(m_folder.iniFile()); }

    TestProgramFolder m_folder{QStringList{}, false};
    std::unique_ptr<CCatalogApp> m_app;
    CMainFrame* m_frame = nullptr;
    GridMenus* m_menus = nullptr;
};

TEST_F(GridMenusTest, SubmenusHoldTheirChoicesWithTheDefaultsChecked)
{
    QStringList sort;
    for (const QAction* action : m_menus->sortMenu()->actions())
        sort << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(sort, (QStringList{"リスト順", "コード順", "銘柄名順", "騰落率順", "終値順",
                                 "出来高順", "-", "降順"}));
    QStringList period;
    for (const QAction* action : m_menus->periodMenu()->actions())
        period << action->text();
    EXPECT_EQ(period, (QStringList{"定義どおり", "日足\tD", "週足\tW", "月足\tM"}));
    EXPECT_TRUE(m_menus->sortAction(SortKey::List)->isChecked());
    EXPECT_FALSE(m_menus->descendingAction()->isChecked());
    EXPECT_TRUE(m_menus->periodAction(PeriodChoice::Definitions)->isChecked());
    EXPECT_TRUE(m_menus->hoverPreviewAction()->isCheckable());
    EXPECT_FALSE(m_menus->hoverPreviewAction()->isChecked());
    // Nothing is written until the user chooses.
    EXPECT_FALSE(QFile::exists(QString::fromStdString(m_folder.iniFile())));
}

TEST_F(GridMenusTest, ChoicesAreStoredAndChecksFollowTheKeysToo)
{
    const struct {
        SortKey key;
        const char* word;
    } sorts[] = {{SortKey::Code, "code"}, {SortKey::Name, "name"}, {SortKey::Change, "change"},
                 {SortKey::Last, "last"}, {SortKey::Volume, "volume"}, {SortKey::List, "list"}};
    for (const auto& sort : sorts) {
        m_menus->sortAction(sort.key)->trigger();
        EXPECT_EQ(Settings().ReadText("View", "Sort", ""), sort.word);
        EXPECT_TRUE(m_menus->sortAction(sort.key)->isChecked());
    }
    m_menus->descendingAction()->trigger();
    EXPECT_EQ(Settings().ReadInt("View", "SortDescending", 0), 1);
    EXPECT_EQ(Settings().ReadText("View", "Sort", ""), "list");

    CCatalogView* view = m_frame->GetCatalogView();
    const std::uint64_t generation = view->model().builder().generation();
    m_menus->periodAction(PeriodChoice::Weekly)->trigger();
    EXPECT_EQ(Settings().ReadText("View", "Period", ""), "weekly");
    EXPECT_GT(view->model().builder().generation(), generation);
    QTest::keyClick(view, Qt::Key_M);
    EXPECT_TRUE(m_menus->periodAction(PeriodChoice::Monthly)->isChecked());
    m_menus->periodAction(PeriodChoice::Definitions)->trigger();
    EXPECT_EQ(Settings().ReadText("View", "Period", ""), "definitions");

    m_menus->filterAction()->trigger();
    EXPECT_TRUE(view->searchBar().isVisible());

    for (const int on : {1, 0}) {
        m_menus->hoverPreviewAction()->trigger();
        EXPECT_EQ(Settings().ReadInt("View", "HoverPreview", -1), on);
        m_menus->ShowChecks();
        EXPECT_EQ(m_menus->hoverPreviewAction()->isChecked(), on == 1);
    }
}

} // namespace

namespace {

// 表示 > 列数 and the size steps: what they store and the thumbnail size the view then uses.
TEST_F(GridMenusTest, ColumnsFitTheWindowAndStepsWriteTheSettings)
{
    CCatalogView* view = m_frame->GetCatalogView();
    ASSERT_NE(view, nullptr);
    m_frame->show();
    EXPECT_TRUE(m_menus->columnsAction(0)->isChecked());
    EXPECT_EQ(view->model().thumbnailSize().width(), 300);

    m_menus->columnsAction(4)->trigger();
    EXPECT_EQ(Settings().ReadInt("Chart", "Columns", -1), 4);
    const int gridWidth = view->viewport()->width()
        - (view->verticalScrollBar()->isVisible()
               ? 0
               : view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view));
    EXPECT_EQ(view->model().thumbnailSize().width(), std::max(1, gridWidth / 4));
    EXPECT_EQ(view->model().thumbnailSize().height(), (view->model().thumbnailSize().width() * 180 + 150) / 300);

    // Bigger: one column less; the stored fixed size is left alone.
    view->columnFit().Step(1);
    EXPECT_EQ(Settings().ReadInt("Chart", "Columns", -1), 3);
    m_menus->ShowChecks();
    EXPECT_TRUE(m_menus->columnsAction(3)->isChecked());
    EXPECT_EQ(Settings().ReadText("Chart", "SizeX", "none"), "none");

    // A wider window refits once the resize has settled.
    const int before = view->model().thumbnailSize().width();
    m_frame->resize(m_frame->width() + 300, m_frame->height());
    QTest::qWait(ColumnFit::kSettleMs * 3);
    EXPECT_GT(view->model().thumbnailSize().width(), before);

    // 自動: the fixed size again, which a step changes by a tenth.
    m_menus->columnsAction(0)->trigger();
    EXPECT_EQ(view->model().thumbnailSize().width(), 300);
    view->columnFit().Step(-1);
    EXPECT_EQ(Settings().ReadInt("Chart", "SizeX", 0), 273);
    EXPECT_EQ(Settings().ReadInt("Chart", "SizeY", 0), 164);
    EXPECT_EQ(view->model().thumbnailSize().width(), 273);
}

} // namespace

namespace {

TEST_F(GridMenusTest, OpenChartTakesCtrlEnterAndNeedsASelection)
{
    QAction* open = m_menus->openChartAction();
    ASSERT_NE(open, nullptr);
    EXPECT_TRUE(open->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Return)));
    EXPECT_TRUE(open->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Enter)));
    // No list, no selection: nothing opens.
    open->trigger();
    EXPECT_TRUE(m_frame->findChildren<ChartWindow*>().empty());
}

} // namespace
