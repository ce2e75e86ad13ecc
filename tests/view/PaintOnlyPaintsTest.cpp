#include "FakeComponents.h"

#include "base/MessageBox.h"
#include "support/TestFolders.h"
#include "view/CCatalogView.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

constexpr QSize kCell(100, 50);

// A view inside a shown window, so a resize reaches it at once, without the event loop (and
// so without a paint).
class PaintOnlyPaintsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_view = new CCatalogView(ProgramPaths{m_folder.exeDir(), m_folder.iniFile()},
                                  &m_provider, &m_window);
        m_window.resize(800, 400);
        m_boxes.clear();
        m_before = CurrentMessageBoxHandler();
        SetMessageBoxHandler([this](const QString& text) { m_boxes << text; });
    }

    void TearDown() override { SetMessageBoxHandler(m_before); }

    // count thumbnails already made, in a window showing the given width of grid.
    void ShowThumbnails(int count, int gridWidth)
    {
        m_view->model().AdoptItems({});
        FillStore(m_view->model().store(), kCell,
                  std::vector<QImage>(count, QImage(kCell, QImage::Format_RGB32)));
        m_view->model().SetThumbnailSize(QSize(kCell.width(), kCell.height()));
        SizeGrid(gridWidth);
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }

    void SizeGrid(int width)
    {
        m_view->resize(width + m_view->verticalScrollBar()->sizeHint().width(), 200);
    }

    void PaintOn(int width)
    {
        QImage target(width, 200, QImage::Format_RGB32);
        QPainter painter(&target);
        m_view->OnDraw(painter, target.rect(), false);
    }

    TestProgramFolder m_folder{QStringList{}, false};
    FakeProvider m_provider;
    QWidget m_window;
    CCatalogView* m_view = nullptr;
    QStringList m_boxes;
    MessageBoxHandler m_before;
};

TEST_F(PaintOnlyPaintsTest, PaintNeverLoadsTheList)
{
    const QString list = m_folder.filePath(QStringLiteral("list.txt"));
    ASSERT_TRUE(WriteFileBytes(list, "1,s,a,A\n1,s,b,B\n"));
    m_view->SetListFile(QFile::encodeName(list).toStdString(), true);
    PaintOn(300);
    EXPECT_FALSE(m_view->model().isLoaded());
    EXPECT_TRUE(m_view->model().items().empty());
    EXPECT_TRUE(QFile::exists(list));  // unread, so not removed either
}

TEST_F(PaintOnlyPaintsTest, ResizeLaysOutTheGridAndPaintLeavesItAlone)
{
    // Ten thumbnails 100 wide: the columns that fit, and the bar's last position.
    ShowThumbnails(10, 350);
    const struct {
        int width;
        int columns;
        int barMaximum;
    } rows[] = {{350, 3, 7}, {460, 4, 6}, {60, 1, 9}, {1050, 10, 0}, {250, 2, 8}};
    for (const auto& row : rows) {
        SizeGrid(row.width);
        EXPECT_EQ(m_view->columns(), row.columns) << row.width;
        EXPECT_EQ(m_view->verticalScrollBar()->maximum(), row.barMaximum) << row.width;
        // A paint of another width (a printer's page) changes neither.
        PaintOn(row.width * 2);
        EXPECT_EQ(m_view->columns(), row.columns) << row.width;
        EXPECT_EQ(m_view->verticalScrollBar()->maximum(), row.barMaximum) << row.width;
    }
}

TEST_F(PaintOnlyPaintsTest, PrintingAnUnloadedListMakesNoPageAndShowsNoBox)
{
    m_view->SetListFile(m_folder.exeDir() + "missing.txt", false);
    const QString pdf = m_folder.filePath(QStringLiteral("page.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    EXPECT_FALSE(m_view->PrintPage(printer));
    EXPECT_TRUE(m_boxes.isEmpty()) << m_boxes.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(m_view->model().isLoaded());
    EXPECT_FALSE(QFile::exists(pdf));
}

} // namespace
