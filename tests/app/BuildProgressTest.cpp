// The status bar while thumbnails are made: how far the build is, then how many securities
// had no data.
#include "../view/FakeComponents.h"

#include "app/CCatalogApp.h"
#include "app/CMainFrame.h"
#include "support/TestFolders.h"
#include "view/CCatalogView.h"

#include <QApplication>
#include <QLabel>
#include <QStatusTipEvent>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

using namespace mosgrid;

namespace {

TEST(BuildProgressTest, StatusBarCountsWhileALongBuildRunsThenSumsUp)
{
    TestProgramFolder folder({}, false);
    QByteArray list;
    for (int i = 0; i < 1500; ++i)
        list += "1,s," + QByteArray::number(i) + ",N\n";
    const QString path = folder.filePath(QStringLiteral("list.txt"));
    ASSERT_TRUE(WriteFileBytes(path, list));
    CCatalogApp app(folder.exeDir() + "mosgrid");
    ASSERT_TRUE(app.InitInstance({path.toStdString()}));
    CMainFrame* frame = app.mainFrame();
    CCatalogView* view = frame->GetCatalogView();

    // The build holds at item 1000 until the test has seen the count.
    std::mutex mutex;
    std::condition_variable changed;
    bool open = false;
    FakeProvider provider;
    provider.onLoad = [&](const std::string& code) {
        if (code != "1000")
            return;
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return open; });
    };
    view->model().SetComponentProvider(&provider);
    view->model().builder().SetWorkerCount(1);
    frame->SetProgressDelay(0);

    auto* idle = frame->m_wndStatusBar->findChild<QLabel*>(QStringLiteral("idleText"));
    ASSERT_NE(idle, nullptr);
    view->LoadList();
    QTRY_COMPARE(idle->text(), QStringLiteral("作成中 1,000 / 1,500"));
    {
        const std::lock_guard lock(mutex);
        open = true;
        changed.notify_all();
    }
    QTRY_COMPARE(idle->text(), QStringLiteral("1,500 銘柄 · データなし 0"));
    view->model().builder().WaitUntilBuilt();
}

TEST(BuildProgressTest, SummaryCountsTheSecuritiesWithoutDataUntilTheNextMessage)
{
    TestProgramFolder folder({}, false);
    const QString path = folder.filePath(QStringLiteral("list.txt"));
    ASSERT_TRUE(WriteFileBytes(path, QByteArray("1,s,a,A\n1,s,nodata,B\n1,s,c,C\n"
                                                "1,s,nodata,D\n1,s,e,E\n")));
    CCatalogApp app(folder.exeDir() + "mosgrid");
    ASSERT_TRUE(app.InitInstance({path.toStdString()}));
    CMainFrame* frame = app.mainFrame();
    CCatalogView* view = frame->GetCatalogView();
    FakeProvider provider;
    view->model().SetComponentProvider(&provider);
    auto* idle = frame->m_wndStatusBar->findChild<QLabel*>(QStringLiteral("idleText"));
    ASSERT_NE(idle, nullptr);

    view->LoadList();
    QTRY_COMPARE(idle->text(), QStringLiteral("5 銘柄 · データなし 2"));
    // Thumbnails made again later (after scrolling) leave the summary standing.
    emit view->model().builder().progressChanged(5, 5);
    EXPECT_EQ(idle->text(), QStringLiteral("5 銘柄 · データなし 2"));
    // A prompt covers it for a while; then it is back.
    QStatusTipEvent prompt(QStringLiteral("prompt"));
    QApplication::sendEvent(frame, &prompt);
    EXPECT_TRUE(idle->isHidden());
    QStatusTipEvent cleared{QString()};
    QApplication::sendEvent(frame, &cleared);
    EXPECT_FALSE(idle->isHidden());
    EXPECT_EQ(idle->text(), QStringLiteral("5 銘柄 · データなし 2"));
    // The next build says its own.
    view->model().FreeItems();
    view->model().RebuildThumbnails();
    QTRY_COMPARE(idle->text(), QStringLiteral("ﾚﾃﾞｨ"));
    view->model().builder().WaitUntilBuilt();
}

} // namespace
