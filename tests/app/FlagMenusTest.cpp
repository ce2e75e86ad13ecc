// The View menu's flags and heat colours, as a user reaches them: keys and items act on the
// selection, the filter narrows the grid, flags are saved in the per-user data folder and
// come back with the list; the heat item stores [Name] Heat.
#include "app/CCatalogApp.h"
#include "app/CMainFrame.h"
#include "app/FlagMenus.h"
#include "app/HeatCommand.h"
#include "base/MessageBox.h"
#include "settings/SettingsStore.h"
#include "support/TestFolders.h"
#include "view/CCatalogView.h"
#include "view/GridSearchBar.h"
#include "model/ItemFlags.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

class FlagMenusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        ASSERT_TRUE(m_data.isValid());
        // Flags go to a data folder of the test's own, never the user's.
        m_oldDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", m_data.path().toUtf8());
        SetMessageBoxHandler([](const QString&) {});
        m_list = m_folder.filePath(QStringLiteral("watch.txt")).toStdString();
        ASSERT_TRUE(WriteFileBytes(QString::fromStdString(m_list),
                                   "1,x,7203,Toyota\n1,x,6758,Sony\n1,x,9984,SoftBank\n"));
        Start();
    }

    void TearDown() override
    {
        m_app.reset();
        qputenv("XDG_DATA_HOME", m_oldDataHome);
        SetMessageBoxHandler([](const QString& text) { ADD_FAILURE() << text.toStdString(); });
    }

    // The program started anew on the list.
    void Start()
    {
        m_app.reset();
        m_app = std::make_unique<CCatalogApp>(m_folder.exeDir() + "mosgrid");
        ASSERT_TRUE(m_app->InitInstance({}));
        m_view = m_app->mainFrame()->GetCatalogView();
        m_view->OpenList(m_list);
        m_menus = m_app->mainFrame()->findChild<FlagMenus*>();
        ASSERT_NE(m_menus, nullptr);
    }

    // The items the flag filter lets through (the folder has no components, so the grid
    // itself has no cells to narrow).
    std::vector<int> Shown() const
    {
        const std::vector<char> mask = m_view->flags().Mask();
        std::vector<int> items;
        for (std::size_t i = 0; i < mask.size(); ++i) {
            if (mask[i])
                items.push_back(int(i));
        }
        return items;
    }

    TestProgramFolder m_folder{QStringList{}, false};
    QTemporaryDir m_data;
    QByteArray m_oldDataHome;
    std::string m_list;
    std::unique_ptr<CCatalogApp> m_app;
    CCatalogView* m_view = nullptr;
    FlagMenus* m_menus = nullptr;
};

TEST_F(FlagMenusTest, MenusHoldTheColoursWithTheirKeys)
{
    QStringList set;
    for (const QAction* action : m_menus->setMenu()->actions()) {
        set << (action->isSeparator() ? QStringLiteral("-")
                                      : action->text() + ' ' + action->shortcut().toString());
    }
    EXPECT_EQ(set, (QStringList{"赤 1", "オレンジ 2", "黄 3", "緑 4", "青 5", "紫 6", "-",
                                "旗を外す 0"}));
    QStringList filter;
    for (const QAction* action : m_menus->filterMenu()->actions())
        filter << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(filter, (QStringList{"絞り込まない", "旗のある銘柄すべて", "-", "赤", "オレンジ",
                                   "黄", "緑", "青", "紫"}));
    EXPECT_TRUE(m_menus->filterAction(0)->isChecked());
}

TEST_F(FlagMenusTest, FlagsOfTheSelectionAreSavedAndComeBack)
{
    const struct {
        int selected;
        FlagColor key;
    } steps[] = {{0, FlagColor::Red}, {2, FlagColor::Blue}, {1, FlagColor::Green},
                 {1, FlagColor::Green}};
    for (const auto& step : steps) {
        m_view->model().SelectOnly(step.selected);
        m_menus->setAction(step.key)->trigger();
    }
    // The red filter, then any flag.
    m_menus->filterAction(2)->trigger();
    EXPECT_EQ(Shown(), (std::vector<int>{0}));
    m_menus->filterAction(1)->trigger();
    EXPECT_EQ(Shown(), (std::vector<int>{0, 2}));
    EXPECT_TRUE(m_menus->filterAction(1)->isChecked());

    Start();
    const QString file = m_data.path() + QStringLiteral("/mosgrid/flags.ini");
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_EQ(m_view->flags().ColorOf(0), FlagColor::Red);
    EXPECT_EQ(m_view->flags().ColorOf(1), FlagColor::None);
    EXPECT_EQ(m_view->flags().ColorOf(2), FlagColor::Blue);
    // Never in the list file.
    EXPECT_EQ(ReadFileBytes(QString::fromStdString(m_list)),
              "1,x,7203,Toyota\n1,x,6758,Sony\n1,x,9984,SoftBank\n");
}

TEST_F(FlagMenusTest, DigitKeysFlagOnlyWhileTheGridHasTheFocus)
{
    CMainFrame* frame = m_app->mainFrame();
    frame->show();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    m_view->setFocus();
    m_view->model().SelectOnly(1);
    QTest::keyClick(m_view, Qt::Key_4);
    EXPECT_EQ(m_view->flags().ColorOf(1), FlagColor::Green);
    QTest::keyClick(m_view, Qt::Key_0);
    EXPECT_EQ(m_view->flags().ColorOf(1), FlagColor::None);
    // Typed into the search field, a digit is text.
    m_view->searchBar().Open();
    m_view->searchBar().field()->setFocus();
    QTest::keyClick(m_view->searchBar().field(), Qt::Key_2);
    EXPECT_EQ(m_view->flags().ColorOf(1), FlagColor::None);
    EXPECT_EQ(m_view->searchBar().field()->text(), QStringLiteral("2"));
}

TEST_F(FlagMenusTest, HeatItemStoresTheKey)
{
    auto* heat = m_app->mainFrame()->findChild<HeatCommand*>();
    ASSERT_NE(heat, nullptr);
    EXPECT_FALSE(heat->action()->isChecked());
    const SettingsStore settings(m_folder.iniFile());
    for (const bool on : {true, false}) {
        heat->action()->trigger();
        EXPECT_EQ(heat->action()->isChecked(), on);
        EXPECT_EQ(settings.ReadInt("Name", "Heat", -1), on ? 1 : 0);
    }
}

} // namespace
