#include "../view/FakeComponents.h"

#include "app/CCatalogApp.h"
#include "app/CMainFrame.h"
#include "sheet/CPropGeneralSheet.h"
#include "support/TestFolders.h"
#include "view/CCatalogView.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

// The Settings command: the sheet runs modally; after OK the catalog is drawn anew with the
// written settings, after Cancel nothing changes.
class SettingsCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        const QString list = m_folder.filePath(QStringLiteral("list.txt"));
        ASSERT_TRUE(WriteFileBytes(list, "1,s,a,A\n2,s,b,B\n0,s,c,C\n"));
        m_app = std::make_unique<CCatalogApp>(m_folder.exeDir() + "mosgrid");
        ASSERT_TRUE(m_app->InitInstance({list.toStdString()}));
        m_view = m_app->mainFrame()->GetCatalogView();
        m_view->model().SetComponentProvider(&m_provider);
        m_view->model().builder().SetWorkerCount(1);
        m_view->LoadList();
        ASSERT_TRUE(m_view->model().builder().WaitUntilBuilt());
        ASSERT_EQ(m_view->model().store().size(), 3);
    }

    // Answers the sheet once it runs: sizes typed into the General page, then OK or Cancel.
    void AnswerSheet(const QString& width, const QString& height, bool ok)
    {
        QTimer::singleShot(0, [=] {
            auto* sheet = qobject_cast<CPropGeneralSheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            sheet->findChild<QLineEdit*>(QStringLiteral("1005"))->setText(width);
            sheet->findChild<QLineEdit*>(QStringLiteral("1006"))->setText(height);
            if (ok)
                sheet->accept();
            else
                sheet->reject();
        });
    }

    TestProgramFolder m_folder{QStringList{}, false};
    FakeProvider m_provider;
    std::unique_ptr<CCatalogApp> m_app;
    CCatalogView* m_view = nullptr;
};

TEST_F(SettingsCommandTest, OkRebuildsEveryThumbnailAtTheNewSize)
{
    m_view->model().SelectOnly(1);
    AnswerSheet(QStringLiteral("200"), QStringLiteral("100"), true);
    m_app->mainFrame()->OnSettings();
    ASSERT_TRUE(m_view->model().builder().WaitUntilBuilt());
    ASSERT_EQ(m_view->model().store().size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(m_view->model().store().Image(i).size(), QSize(200, 100));
    EXPECT_EQ(m_view->model().thumbnailSize().width(), 200);
    EXPECT_EQ(m_view->selectedItem(), 1);
    // Per rebuild: the check that the control exists, and the one worker's host.
    EXPECT_EQ(m_provider.counters.controlsCreated, 4);
}

TEST_F(SettingsCommandTest, CancelWritesNothingAndKeepsTheThumbnails)
{
    const qint64 before = m_view->model().store().Image(0).cacheKey();
    AnswerSheet(QStringLiteral("200"), QStringLiteral("100"), false);
    m_app->mainFrame()->OnSettings();
    EXPECT_EQ(m_view->model().store().Image(0).cacheKey(), before);
    EXPECT_EQ(m_view->model().store().Image(0).size(), QSize(300, 180));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(m_app->m_strIniFile)));
    EXPECT_EQ(m_provider.counters.controlsCreated, 2);
}

} // namespace
