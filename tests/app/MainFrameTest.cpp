#include "app/CAboutBox.h"
#include "app/CCatalogApp.h"
#include "app/CMainFrame.h"
#include "app/HelpWindow.h"
#include "app/ListOpenCheck.h"
#include "base/AppTexts.h"
#include "base/MessageBox.h"
#include "support/TestFolders.h"
#include "support/UrlRecorder.h"
#include "view/CCatalogView.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextBrowser>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <map>

using namespace mosgrid;

namespace {

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_app = std::make_unique<CCatalogApp>(m_folder.exeDir() + "mosgrid");
        ASSERT_TRUE(m_app->InitInstance({}));
        m_frame = m_app->mainFrame();
        ASSERT_NE(m_frame, nullptr);
    }

    struct MenuRow {
        QString text;
        QString prompt;
        QString tip;
    };

    static std::vector<MenuRow> RowsOf(const QMenu* menu)
    {
        std::vector<MenuRow> rows;
        for (const QAction* action : menu->actions()) {
            // What the menu shows: a hidden separator (no recent lists yet) is not there.
            if (!action->isVisible())
                continue;
            rows.push_back({action->isSeparator() ? QStringLiteral("-") : action->text(),
                            action->statusTip(), action->toolTip()});
        }
        return rows;
    }

    TestProgramFolder m_folder{QStringList{}, false};
    std::unique_ptr<CCatalogApp> m_app;
    CMainFrame* m_frame = nullptr;
};

TEST_F(MainFrameTest, CaptionIsFixedWithAndWithoutAList)
{
    EXPECT_EQ(m_frame->windowTitle(), AppTexts::kWindowTitle);
    EXPECT_TRUE(m_frame->isVisible());
    EXPECT_EQ(m_frame->windowTitle(), QStringLiteral("Quorex Catalog"));
}

TEST_F(MainFrameTest, MenuBarHoldsExactlyTheFourMenus)
{
    QStringList titles;
    for (const QAction* action : m_frame->menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, (QStringList{"ﾌｧｲﾙ(&F)", "編集(&E)", "表示(&V)", "ﾍﾙﾌﾟ(&H)"}));
}

TEST_F(MainFrameTest, MenusHoldTheirItemsPromptsAndTips)
{
    const auto menus = m_frame->menuBar()->actions();
    ASSERT_EQ(menus.size(), 4);
    const std::vector<std::vector<MenuRow>> expected = {
        {{"新規一覧", "空の一覧を始める", "新規一覧"},
         {"開く(&O)...", "一覧ファイルを開く", "開く"},
         {"新しいタブで開く(&T)...", "一覧ファイルを新しいタブで開く", "新しいタブで開く"},
         {"タブを閉じる(&W)", "表示中のタブを閉じる", "タブを閉じる"},
         {"フォルダを開く…", "価格ファイルのフォルダまたはデータベースを一覧として開く",
          "フォルダを開く"},
         {"再読み込み(&R)", "一覧ファイルと価格ファイルを読み直し、変わった銘柄を描き直す",
          "再読み込み"},
         {"エクスポート(&E)...", "すべての銘柄を PDF または PNG に書き出す", "エクスポート"},
         {"名前を付けて保存…", "一覧を別の名前で保存する", "名前を付けて保存"},
         {"表示中の銘柄を一覧として保存…",
          "表示中の (複数選んだときは選んだ) 銘柄を新しい一覧ファイルに保存する", "表示中を保存"},
         {"-", "", ""},
         {"設定", "設定", "設定"},
         {"-", "", ""},
         {"ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示", "終了"}},
        {{"銘柄を追加…", "一覧に銘柄を加える", "銘柄を追加"},
         {"削除", "選んだ銘柄を一覧から除く", "削除"},
         {"上へ", "選んだ銘柄を一覧の一つ前へ移す", "上へ"},
         {"下へ", "選んだ銘柄を一覧の一つ後へ移す", "下へ"},
         {"貼り付け", "クリップボードのコード (と名前) を銘柄として加える", "貼り付け"},
         {"-", "", ""},
         {"元に戻す", "一覧の最後の変更を取り消す", "元に戻す"},
         {"やり直し", "取り消した変更をもう一度行う", "やり直し"}},
        {{"ｽﾃｰﾀｽ ﾊﾞｰ(&S)", "ｽﾃｰﾀｽ ﾊﾞｰの 表示/非表示", "ｽﾃｰﾀｽ ﾊﾞｰの表示切り替え"},
         {"-", "", ""},
         {"並べ替え", "一覧をこの順に並べ替え", "並べ替え"},
         {"期間", "すべてのチャートをこの期間で表示(設定は書き換えない)", "期間"},
         {"列数", "サムネイルを横にこの数だけ並べ、幅をウィンドウに合わせる(自動: 設定の大きさのまま)",
          "列数"},
         {"-", "", ""},
         {"絞り込み\tCtrl+F", "コードか銘柄名に含まれる文字で絞り込み", "絞り込み"},
         {"チャートを開く\tCtrl+Enter", "選択した銘柄の全期間のチャートをウィンドウで開く",
          "チャートを開く"},
         {"ポインタを止めて拡大表示",
          "マウス ポインタを止めた銘柄を拡大表示する(Space キーはいつでも使える)", "拡大表示"},
         {"条件で絞り込み(&C)...", "価格と指標の条件に合う銘柄だけを表示", "条件で絞り込み"},
         {"-", "", ""},
         {"旗を付ける", "選択した銘柄にこの色の旗を付ける(同じ色をもう一度で外す)", "旗"},
         {"旗で絞り込み", "旗の付いた銘柄だけを表示・印刷・エクスポートする", "旗で絞り込み"},
         {"騰落率で色分け", "銘柄名の背景を前日比の騰落率で色分けする(±5% で最も濃い)",
          "騰落率で色分け"},
         {"自動更新", "一覧ファイルと価格ファイルの変更を監視して読み直す", "自動更新"},
         {"-", "", ""},
         {"次のタブ", "次のタブの一覧を表示する", "次のタブ"},
         {"前のタブ", "前のタブの一覧を表示する", "前のタブ"}},
        {{"ﾍﾙﾌﾟ", "ヘルプ", "ヘルプ"},
         {"-", "", ""},
         {"ﾊﾞｰｼﾞｮﾝ情報(&A)...", "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示",
          "ﾊﾞｰｼﾞｮﾝ情報"}},
    };
    for (int m = 0; m < 4; ++m) {
        const auto rows = RowsOf(menus[m]->menu());
        ASSERT_EQ(rows.size(), expected[m].size()) << "menu " << m;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].text, expected[m][i].text) << "menu " << m << " item " << i;
            if (rows[i].text == "-")
                continue;
            EXPECT_EQ(rows[i].prompt, expected[m][i].prompt) << rows[i].text.toStdString();
            EXPECT_EQ(rows[i].tip, expected[m][i].tip) << rows[i].text.toStdString();
        }
    }
}

TEST_F(MainFrameTest, OnlyOpenReloadSizeStepsScreenTabsAndEditsHaveShortcutsAndNoToolBar)
{
    const std::map<QString, QKeySequence> edits{
        {"新規一覧", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"銘柄を追加…", QKeySequence(Qt::Key_Insert)},
        {"削除", QKeySequence(Qt::Key_Delete)},
        {"上へ", QKeySequence(Qt::CTRL | Qt::Key_Up)},
        {"下へ", QKeySequence(Qt::CTRL | Qt::Key_Down)},
        {"貼り付け", QKeySequence(Qt::CTRL | Qt::Key_V)},
        {"元に戻す", QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {"やり直し", QKeySequence(Qt::CTRL | Qt::Key_Y)},
    };
    for (const QAction* action : m_frame->findChildren<QAction*>()) {
        if (edits.contains(action->text()))
            EXPECT_EQ(action->shortcut(), edits.at(action->text()));
        else if (action->text() == QStringLiteral("開く(&O)..."))
            EXPECT_EQ(action->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
        else if (action->text() == QStringLiteral("再読み込み(&R)"))
            EXPECT_EQ(action->shortcut(), QKeySequence(Qt::Key_F5));
        else if (action->text() == QStringLiteral("新しいタブで開く(&T)..."))
            EXPECT_EQ(action->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
        else if (action->text() == QStringLiteral("タブを閉じる(&W)"))
            EXPECT_EQ(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_W));
        else if (action->text() == QStringLiteral("次のタブ"))
            EXPECT_EQ(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Tab));
        else if (action->text() == QStringLiteral("前のタブ"))
            EXPECT_EQ(action->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab));
        else if (action->text() == QStringLiteral("大きく"))
            EXPECT_EQ(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Plus));
        else if (action->text() == QStringLiteral("小さく"))
            EXPECT_EQ(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Minus));
        else if (action->text() == QStringLiteral("チャートを開く\tCtrl+Enter"))
            EXPECT_EQ(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Return));
        else if (action->text() == QStringLiteral("条件で絞り込み(&C)..."))
            EXPECT_EQ(action->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
        else if (action->shortcutContext() == Qt::WidgetShortcut)
            // The flag keys 1–6 and 0, only while the grid has the focus.
            EXPECT_TRUE(action->shortcut().count() == 1
                        && action->shortcut()[0].key() >= Qt::Key_0
                        && action->shortcut()[0].key() <= Qt::Key_6)
                << action->text().toStdString();
        else
            EXPECT_TRUE(action->shortcut().isEmpty()) << action->text().toStdString();
    }
    EXPECT_TRUE(m_frame->findChildren<QToolBar*>().isEmpty());
}

TEST_F(MainFrameTest, StatusBarShowsReadyWhenIdleAndThePromptWhileHighlighted)
{
    QStatusBar* bar = m_frame->m_wndStatusBar;
    ASSERT_NE(bar, nullptr);
    auto* idle = bar->findChild<QLabel*>(QStringLiteral("idleText"));
    ASSERT_NE(idle, nullptr);
    EXPECT_EQ(idle->text(), QStringLiteral("ﾚﾃﾞｨ"));

    QStatusTipEvent highlighted(m_frame->aboutAction()->statusTip());
    QApplication::sendEvent(m_frame, &highlighted);
    EXPECT_EQ(bar->currentMessage(), QStringLiteral("ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示"));
    EXPECT_TRUE(idle->isHidden());

    QStatusTipEvent cleared{QString()};
    QApplication::sendEvent(m_frame, &cleared);
    EXPECT_TRUE(bar->currentMessage().isEmpty());
    EXPECT_FALSE(idle->isHidden());
}

TEST_F(MainFrameTest, StatusBarToggleKeepsTheCheckMarkInStep)
{
    QAction* toggle = m_frame->statusBarAction();
    ASSERT_TRUE(toggle->isCheckable());
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_TRUE(m_frame->m_wndStatusBar->isVisible());

    toggle->trigger();
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_FALSE(m_frame->m_wndStatusBar->isVisible());

    toggle->trigger();
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_TRUE(m_frame->m_wndStatusBar->isVisible());
}

TEST_F(MainFrameTest, HelpOpensThePageBesideTheProgramAndMissingPageIsSilent)
{
    UrlRecorder recorder;
    m_frame->showHelpAction()->trigger();
    ASSERT_EQ(recorder.urls.size(), 1);
    EXPECT_EQ(recorder.urls[0].toLocalFile(),
              QString::fromStdString(m_app->m_strExeDir) + "help/mosgrid/index.htm");
}

// Where no browser can be started (the test platform starts none), the page is shown in the
// program's own window; a page that is not there is named in a message.
TEST_F(MainFrameTest, HelpWithoutABrowserShowsThePageInTheProgram)
{
    const QString page = QString::fromStdString(m_app->m_strExeDir) + "help/mosgrid/index.htm";
    m_frame->showHelpAction()->trigger();
    HelpWindow* window = m_frame->helpWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->browser()->source(), QUrl::fromLocalFile(page));
    EXPECT_FALSE(window->browser()->toPlainText().trimmed().isEmpty());
    m_frame->showHelpAction()->trigger();
    EXPECT_EQ(m_frame->findChildren<HelpWindow*>().size(), 1);

    window->close();
    ASSERT_TRUE(QFile::rename(page, page + ".gone"));
    QStringList messages;
    SetMessageBoxHandler([&messages](const QString& text) { messages << text; });
    m_frame->showHelpAction()->trigger();
    SetMessageBoxHandler([](const QString& text) { ADD_FAILURE() << text.toStdString(); });
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(page));
}

TEST_F(MainFrameTest, ExitClosesWithoutAsking)
{
    m_frame->exitAction()->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(m_frame->isVisible());
}

TEST_F(MainFrameTest, SettingsCommandIsAlwaysEnabled)
{
    EXPECT_TRUE(m_frame->settingsAction()->isEnabled());
    EXPECT_TRUE(m_frame->showHelpAction()->isEnabled());
    EXPECT_NE(m_frame->GetCatalogView(), nullptr);
}

TEST(AboutBox, ShowsIconProductCopyrightAndOk)
{
    CAboutBox box;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("About..."));
    auto* product = box.findChild<QLabel*>(QStringLiteral("product"));
    auto* copyright = box.findChild<QLabel*>(QStringLiteral("copyright"));
    auto* ok = box.findChild<QPushButton*>(QStringLiteral("ok"));
    ASSERT_TRUE(product && copyright && ok);
    EXPECT_EQ(product->text(), QStringLiteral("Quorex Catalog"));
    EXPECT_TRUE(copyright->text().contains(QStringLiteral("2.0w")));
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_TRUE(ok->isDefault());
    // The controls keep the dialog's arrangement: text right of the icon, OK at the right.
    EXPECT_LT(box.findChild<QLabel*>(QStringLiteral("icon"))->geometry().right(),
              product->geometry().left());
    EXPECT_LT(product->geometry().right(), ok->geometry().left());
    EXPECT_LT(product->geometry().bottom(), copyright->geometry().top());
}

TEST(AboutBox, EnterAndEscapeCloseIt)
{
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        CAboutBox box;
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        QTest::keyClick(&box, key);
        EXPECT_FALSE(box.isVisible()) << key;
    }
}

TEST(CatalogAppStart, UnopenableListShowsTheFrameworkMessageAndEndsWithoutAWindow)
{
    TestProgramFolder folder({}, false);
    const QString missing = folder.filePath(QStringLiteral("no such list.txt"));
    const QString device = QStringLiteral("/dev/zero");
    for (const QString& path : {missing, device}) {
        QStringList messages;
        SetMessageBoxHandler([&](const QString& text) { messages << text; });
        CCatalogApp app(folder.exeDir() + "mosgrid");
        EXPECT_FALSE(app.InitInstance({path.toStdString(), "/rm"}));
        EXPECT_NE(app.exitCode(), 0);
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].contains(path));
        EXPECT_TRUE(app.mainFrame() == nullptr || !app.mainFrame()->isVisible());
        SetMessageBoxHandler({});
    }
    SetMessageBoxHandler([](const QString& text) { ADD_FAILURE() << text.toStdString(); });
}

TEST(CatalogAppStart, ReadableListOpensTheWindowAndKeepsThePath)
{
    TestProgramFolder folder({}, false);
    const QString list = folder.filePath(QStringLiteral("list.txt"));
    ASSERT_TRUE(WriteFileBytes(list, "1,src,130,Sample\n"));
    CCatalogApp app(folder.exeDir() + "mosgrid");
    ASSERT_TRUE(app.InitInstance({list.toStdString()}));
    EXPECT_EQ(app.m_strListFile, list.toStdString());
    ASSERT_NE(app.mainFrame(), nullptr);
    EXPECT_TRUE(app.mainFrame()->isVisible());
    EXPECT_EQ(app.mainFrame()->windowTitle(), QStringLiteral("Quorex Catalog"));
    EXPECT_EQ(QCoreApplication::organizationName(), QStringLiteral("Quorex"));
}

TEST(CatalogViewState, FreshViewHasTheInitialState)
{
    CCatalogView view(ProgramPaths{"/nonexistent/", "/nonexistent//mosgrid.ini"}, nullptr);
    EXPECT_TRUE(view.model().items().empty());
    EXPECT_TRUE(view.model().store().empty());
    EXPECT_EQ(view.model().thumbnailSize().width(), 300);
    EXPECT_EQ(view.model().thumbnailSize().height(), 180);
    EXPECT_EQ(view.selectedItem(), -1);
    EXPECT_EQ(view.topIndex(), 0);
    EXPECT_FALSE(view.model().isLoaded());
    EXPECT_EQ(view.columns(), 1);
    EXPECT_NE(view.verticalScrollBar(), nullptr);
}

// A FIFO without a writer must not hang start-up, and it can be read once only: the check
// must not open it, or a writer that finished meanwhile would lose its list when the check
// closes it again.
TEST(ListOpenCheck, StreamIsCheckedWithoutBeingOpened)
{
    TestProgramFolder folder({}, false);
    const QByteArray fifo = QFile::encodeName(folder.filePath(QStringLiteral("fifo")));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, fifo.constData(), IN_OPEN), 0);
    EXPECT_TRUE(ConfirmListOpens(fifo.toStdString()));
    alignas(inotify_event) char events[4096];
    EXPECT_LE(::read(watch, events, sizeof events), 0) << "the FIFO was opened";
    ::close(watch);
}

// What the view could not read as a list is refused at the open, with the message, instead
// of giving an empty catalog; a folder opens as the catalog of its price files.
TEST(ListOpenCheck, DevicesAndHeldFilesAreRefusedWithTheMessage)
{
    TestProgramFolder folder({}, false);
    const QString list = folder.filePath(QStringLiteral("held.lst"));
    ASSERT_TRUE(WriteFileBytes(list, "1,a,b,c\n"));
    const int holder = ::open(QFile::encodeName(list).constData(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
    EXPECT_TRUE(ConfirmListOpens(QFile::encodeName(folder.path()).toStdString()));
    for (const QString& path : {QStringLiteral("/dev/zero"), list}) {
        QStringList messages;
        SetMessageBoxHandler([&](const QString& text) { messages << text; });
        EXPECT_FALSE(ConfirmListOpens(QFile::encodeName(path).toStdString()))
            << path.toStdString();
        EXPECT_EQ(messages, QStringList{path + QStringLiteral("\nファイルを開けませんでした。")});
    }
    SetMessageBoxHandler([](const QString& text) { ADD_FAILURE() << text.toStdString(); });
    ::close(holder);
}

} // namespace

