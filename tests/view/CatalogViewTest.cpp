#include "FakeComponents.h"

#include "base/MessageBox.h"
#include "settings/SettingsStore.h"
#include "support/TestFolders.h"
#include "thumbnails/ThumbnailStore.h"
#include "view/CCatalogView.h"
#include "view/ToolLauncher.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

constexpr int kCellWidth = 100;
constexpr int kCellHeight = 50;

// A colour per thumbnail index, so a pixel tells which thumbnail was copied there.
QColor ColourOf(int index)
{
    return QColor(10 + index * 7, 200 - index * 5, 30 + index * 3);
}

QRgb Inverted(QRgb rgb)
{
    return qRgb(255 - qRed(rgb), 255 - qGreen(rgb), 255 - qBlue(rgb));
}

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

class CatalogViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_view = std::make_unique<CCatalogView>(
            ProgramPaths{m_folder.exeDir(), m_folder.iniFile()}, &m_provider);
        // One worker: the fakes see the items in list order.
        m_view->model().builder().SetWorkerCount(1);
    }

    void TearDown() override { SetToolStartHandler({}); }

    // count thumbnails of 100 x 50, each filled with its own colour, already loaded; the size
    // set last lays the grid out over them, as a rebuild does.
    void UseThumbnails(int count)
    {
        m_view->model().AdoptItems({});
        std::vector<QImage> images;
        for (int i = 0; i < count; ++i) {
            QImage image(kCellWidth, kCellHeight, QImage::Format_RGB32);
            image.fill(ColourOf(i));
            images.push_back(image);
        }
        FillStore(m_view->model().store(), QSize(kCellWidth, kCellHeight), images);
        m_view->model().SetThumbnailSize(QSize(kCellWidth, kCellHeight));
    }

    // Every thumbnail of the build made once, and every worker gone.
    void Built() { ASSERT_TRUE(m_view->model().builder().WaitUntilBuilt()); }

    std::vector<QImage> Thumbnails() const
    {
        std::vector<QImage> images;
        for (int i = 0; i < m_view->model().store().size(); ++i)
            images.push_back(m_view->model().store().Image(i));
        return images;
    }

    QImage Paint(const QSize& client)
    {
        QImage target(client, QImage::Format_RGB32);
        target.fill(Qt::magenta);  // anything the paint misses shows
        QPainter painter(&target);
        m_view->OnDraw(painter, QRect(QPoint(0, 0), client), false);
        return target;
    }

    void ShowSized(const QSize& client)
    {
        m_view->resize(client + QSize(m_view->verticalScrollBar()->sizeHint().width(), 0));
        m_view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
        QApplication::processEvents();
    }

    void WriteList(const QByteArray& bytes, bool remove = false)
    {
        const QString path = m_folder.filePath(QStringLiteral("list.txt"));
        ASSERT_TRUE(WriteFileBytes(path, bytes));
        m_listFile = QFile::encodeName(path).toStdString();
        m_view->SetListFile(m_listFile, remove);
    }

    TestProgramFolder m_folder{QStringList{}, false};
    std::string m_listFile;
    FakeProvider m_provider;
    std::unique_ptr<CCatalogView> m_view;
};

TEST_F(CatalogViewTest, CellsAreCopiedRowByRowOnBlack)
{
    UseThumbnails(7);
    const QImage shot = Paint(QSize(350, 200));  // three columns, 50 pixels left over
    for (int i = 0; i < 7; ++i) {
        const QPoint centre((i % 3) * kCellWidth + 50, (i / 3) * kCellHeight + 25);
        EXPECT_EQ(shot.pixel(centre), ColourOf(i).rgb()) << "thumbnail " << i;
    }
    // Exact cell edges, no gaps.
    EXPECT_EQ(shot.pixel(99, 49), ColourOf(0).rgb());
    EXPECT_EQ(shot.pixel(100, 0), ColourOf(1).rgb());
    EXPECT_EQ(shot.pixel(0, 50), ColourOf(3).rgb());
    // Right of the grid and below the last thumbnail: the black background.
    EXPECT_EQ(shot.pixel(320, 10), qRgb(0, 0, 0));
    EXPECT_EQ(shot.pixel(150, 125), qRgb(0, 0, 0));
    EXPECT_EQ(shot.pixel(10, 190), qRgb(0, 0, 0));
}

TEST_F(CatalogViewTest, SelectedCellIsInvertedExactly)
{
    UseThumbnails(5);
    for (const int selected : {-1, 0, 4, 7}) {
        m_view->model().SelectOnly(selected);
        const QImage shot = Paint(QSize(300, 100));
        for (int i = 0; i < 5; ++i) {
            const QPoint centre((i % 3) * kCellWidth + 50, (i / 3) * kCellHeight + 25);
            const QRgb plain = ColourOf(i).rgb();
            EXPECT_EQ(shot.pixel(centre), i == selected ? Inverted(plain) : plain)
                << "selected " << selected << ", thumbnail " << i;
        }
    }
}

TEST_F(CatalogViewTest, TopIndexNotAMultipleOfTheColumnsStartsTheGrid)
{
    UseThumbnails(10);
    m_view->model().SetTopIndex(4);
    const QImage shot = Paint(QSize(300, 100));
    EXPECT_EQ(shot.pixel(50, 25), ColourOf(4).rgb());
    EXPECT_EQ(shot.pixel(250, 25), ColourOf(6).rgb());
    EXPECT_EQ(shot.pixel(50, 75), ColourOf(7).rgb());
}

TEST_F(CatalogViewTest, TopIndexAtOrBeyondTheEndPaintsOnlyBlackAndKeepsTheRange)
{
    UseThumbnails(4);
    ShowSized(QSize(300, 100));
    for (const int top : {4, 9}) {
        m_view->model().SetTopIndex(top);
        const QImage shot = Paint(QSize(300, 100));
        QImage black(shot.size(), QImage::Format_RGB32);
        black.fill(Qt::black);
        EXPECT_EQ(shot, black) << top;
        // Four thumbnails in rows of three: the bar's last position starts the second row.
        EXPECT_EQ(m_view->verticalScrollBar()->maximum(), 1);
        EXPECT_EQ(m_view->verticalScrollBar()->pageStep(), 3);
    }
}

TEST_F(CatalogViewTest, ClientNarrowerThanOneThumbnailHasOneColumn)
{
    UseThumbnails(3);
    const QImage shot = Paint(QSize(60, 120));
    EXPECT_EQ(shot.pixel(59, 10), ColourOf(0).rgb());
    EXPECT_EQ(shot.pixel(10, 60), ColourOf(1).rgb());
    EXPECT_EQ(shot.pixel(10, 110), ColourOf(2).rgb());
}

TEST_F(CatalogViewTest, ScrollRangeFollowsTheThumbnailsAndPageTheColumns)
{
    const struct {
        int thumbnails;
        int width;
        int max;
        int page;
    } rows[] = {{10, 300, 9, 3}, {10, 450, 9, 4}, {0, 300, 0, 1}, {1, 90, 0, 1}};
    for (const auto& row : rows) {
        UseThumbnails(row.thumbnails);
        ShowSized(QSize(row.width, 100));
        // The bar's positions run to the last one that starts a full page.
        const QScrollBar* bar = m_view->verticalScrollBar();
        const int page = std::min(row.page, row.max + 1);
        EXPECT_EQ(bar->minimum(), 0);
        EXPECT_EQ(bar->maximum(), row.max + 1 - page) << row.thumbnails << " at " << row.width;
        EXPECT_EQ(bar->pageStep(), page);
    }
}

TEST_F(CatalogViewTest, EmptyThumbnailEntryIsBackgroundAndWhiteWhenSelected)
{
    FillStore(m_view->model().store(), QSize(kCellWidth, kCellHeight),
              {QImage(kCellWidth, kCellHeight, QImage::Format_RGB32), QImage(),
               QImage(kCellWidth, kCellHeight, QImage::Format_RGB32)});
    m_view->model().AdoptItems({});
    m_view->model().SetThumbnailSize(QSize(kCellWidth, kCellHeight));
    const QImage plain = Paint(QSize(300, 50));
    EXPECT_EQ(plain.pixel(150, 25), qRgb(0, 0, 0));
    m_view->model().SelectOnly(1);
    const QImage selected = Paint(QSize(300, 50));
    EXPECT_EQ(selected.pixel(150, 25), qRgb(255, 255, 255));
}

TEST_F(CatalogViewTest, ClickSelectsAndRepaintsOnlyWhenTheSelectionChanges)
{
    UseThumbnails(10);
    ShowSized(QSize(300, 200));
    PaintCounter counter;
    m_view->viewport()->installEventFilter(&counter);

    const struct {
        QPoint point;
        int selected;
        bool repaint;
    } clicks[] = {
        {{150, 25}, 1, true},    // a thumbnail
        {{150, 25}, 1, false},   // the same one again
        {{10, 160}, 9, true},    // row 3, column 0
        {{110, 160}, -1, true},  // row 3, column 1: no item
        {{120, 170}, -1, false}, // empty space with nothing selected
    };
    for (const auto& click : clicks) {
        counter.paints = 0;
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, click.point);
        QApplication::processEvents();
        EXPECT_EQ(m_view->selectedItem(), click.selected) << click.point.x() << "," << click.point.y();
        EXPECT_EQ(counter.paints > 0, click.repaint) << click.point.x() << "," << click.point.y();
    }
    m_view->viewport()->removeEventFilter(&counter);
}

TEST_F(CatalogViewTest, ScrollBarStepsMoveByRowsAndMayPassItsLastPosition)
{
    UseThumbnails(10);
    ShowSized(QSize(300, 100));
    QScrollBar* bar = m_view->verticalScrollBar();
    ASSERT_EQ(bar->maximum(), 7);

    bar->setValue(6);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(m_view->topIndex(), 9);
    EXPECT_EQ(bar->value(), 7);
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(m_view->topIndex(), 4);
    EXPECT_EQ(bar->value(), 4);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(m_view->topIndex(), 7);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(m_view->topIndex(), 0);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(m_view->topIndex(), 9);
    // Dragging the thumb sets the top index to the item it stands for.
    bar->setSliderPosition(5);
    EXPECT_EQ(m_view->topIndex(), 5);
    bar->triggerAction(QAbstractSlider::SliderNoAction);
    EXPECT_EQ(m_view->topIndex(), 5);

    // After such a step the grid starts with the last thumbnail.
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    const QImage shot = m_view->viewport()->grab().toImage();
    EXPECT_EQ(shot.pixel(50, 25), ColourOf(9).rgb());
    EXPECT_EQ(shot.pixel(150, 25), qRgb(0, 0, 0));
}

TEST_F(CatalogViewTest, WheelScrollsOneRowPerNotchOnlyWhenThereIsSomethingToScroll)
{
    UseThumbnails(10);
    ShowSized(QSize(300, 100));
    auto wheel = [&](int delta) {
        QWheelEvent event(QPointF(50, 50), m_view->mapToGlobal(QPointF(50, 50)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(m_view->viewport(), &event);
    };
    wheel(-120);
    EXPECT_EQ(m_view->topIndex(), 3);
    wheel(-60);  // half a notch waits for the other half
    EXPECT_EQ(m_view->topIndex(), 3);
    wheel(-60);
    EXPECT_EQ(m_view->topIndex(), 6);
    wheel(240);
    EXPECT_EQ(m_view->topIndex(), 0);

    UseThumbnails(2);
    m_view->viewport()->repaint();
    wheel(-120);
    EXPECT_EQ(m_view->topIndex(), 0);
}

TEST_F(CatalogViewTest, FirstPaintLoadsOnceAndRemovesTheListUnderTheFlag)
{
    WriteList("1,src,130,Sample\n0,src,7203,Other\n", true);
    ShowSized(QSize(300, 100));
    QTRY_VERIFY(m_view->model().isLoaded());
    ASSERT_EQ(m_view->model().items().size(), 2u);
    EXPECT_EQ(m_view->model().store().size(), 2);
    EXPECT_FALSE(QFile::exists(QFile::decodeName(m_listFile.c_str())));

    // A later paint does not read again, even when the file is back with other lines.
    WriteList("2,x,1,A\n2,x,2,B\n2,x,3,C\n");
    m_view->viewport()->repaint();
    QApplication::processEvents();
    EXPECT_EQ(m_view->model().items().size(), 2u);
    EXPECT_EQ(m_view->model().items()[0]->m_strCode, "130");
}

TEST_F(CatalogViewTest, ListThatDoesNotOpenStillRebuildsAndIsNotRetried)
{
    m_view->SetListFile(m_folder.exeDir() + "missing.txt", false);
    m_view->LoadList();
    Built();
    EXPECT_TRUE(m_view->model().isLoaded());
    EXPECT_TRUE(m_view->model().items().empty());
    EXPECT_TRUE(m_view->model().store().empty());
    EXPECT_GE(m_provider.counters.controlsCreated, 1);
    EXPECT_EQ(m_provider.counters.controlsAlive, 0);
}

TEST_F(CatalogViewTest, RebuildMakesOneThumbnailPerItemAtTheSizeOfTheSettings)
{
    WriteList("1,s,a,A\n1,s,nodata,B\n1,s,c,C\n");
    m_view->LoadList();
    Built();
    ASSERT_EQ(m_view->model().store().size(), 3);
    for (const QImage& image : Thumbnails())
        EXPECT_EQ(image.size(), QSize(300, 180));
    EXPECT_EQ(m_provider.counters.loadedCodes, (std::vector<std::string>{"a", "nodata", "c"}));
    // One host for the whole run on the one worker, besides the check that the components
    // exist; every one gone afterwards.
    EXPECT_EQ(m_provider.counters.controlsCreated, 2);
    EXPECT_EQ(m_provider.counters.librariesCreated, 2);
    EXPECT_EQ(m_provider.counters.controlsAlive, 0);
    EXPECT_EQ(m_provider.counters.librariesAlive, 0);
    // Every item carries its label, data or not: the label's first pixel is BackColor.
    for (const QImage& image : Thumbnails())
        EXPECT_EQ(image.pixel(0, 0), qRgb(64, 128, 128));

    m_view->model().SelectOnly(2);
    m_view->model().SetTopIndex(1);
    SettingsStore settings(m_folder.iniFile());
    settings.WriteText("Chart", "SizeX", "200");
    settings.WriteText("Chart", "SizeY", "100");
    m_view->model().RebuildThumbnails();
    Built();
    ASSERT_EQ(m_view->model().store().size(), 3);
    for (const QImage& image : Thumbnails())
        EXPECT_EQ(image.size(), QSize(200, 100));
    EXPECT_EQ(m_view->model().thumbnailSize().width(), 200);
    EXPECT_EQ(m_view->model().thumbnailSize().height(), 100);
    // The rebuild leaves the selection and the top index alone.
    EXPECT_EQ(m_view->selectedItem(), 2);
    EXPECT_EQ(m_view->topIndex(), 1);
}

TEST_F(CatalogViewTest, UnusableStoredSizesAreHeldOffFromTheGrid)
{
    WriteList("1,s,a,A\n");
    SettingsStore settings(m_folder.iniFile());
    const struct {
        const char* x;
        const char* y;
        QSize size;
    } rows[] = {{"0", "-5", {300, 180}}, {"abc", "", {300, 180}}, {"5", "7", {5, 7}},
                {"100000", "100000", {4096, 4096}}};
    m_view->LoadList();
    for (const auto& row : rows) {
        settings.WriteText("Chart", "SizeX", row.x);
        settings.WriteText("Chart", "SizeY", row.y);
        m_view->model().RebuildThumbnails();
        Built();
        ASSERT_EQ(m_view->model().store().size(), 1);
        // A thumbnail beyond the memory budget may be dropped until it is shown.
        EXPECT_EQ(m_view->model().store().imageSize(), row.size) << row.x << " x " << row.y;
        const QImage made = m_view->model().store().Image(0);
        EXPECT_TRUE(made.isNull() || made.size() == row.size) << row.x << " x " << row.y;
        EXPECT_GE(m_view->model().thumbnailSize().width(), 1);
    }
}

TEST_F(CatalogViewTest, MissingDataLibraryIsReportedOncePerRebuildAndLeavesTheGridEmpty)
{
    QStringList messages;
    SetMessageBoxHandler([&](const QString& text) { messages << text; });
    m_provider.dataLibraryAvailable = false;
    WriteList("1,s,a,A\n1,s,b,B\n");
    m_view->LoadList();
    Built();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Can't Create brasko.DLL")});
    EXPECT_TRUE(m_view->model().store().empty());
    EXPECT_EQ(m_view->model().items().size(), 2u);
    EXPECT_EQ(m_provider.counters.controlsAlive, 0);
    m_view->model().RebuildThumbnails();
    EXPECT_EQ(messages.size(), 2);
    SetMessageBoxHandler([](const QString& text) { ADD_FAILURE() << text.toStdString(); });
}

TEST_F(CatalogViewTest, ThumbnailsPastTheMemoryBudgetKeepTheirPlaceSoClicksReachTheRightItem)
{
    WriteList("1,s,a,A\n2,s,b,B\n5,s,c,C\n");
    m_view->model().SetThumbnailMemoryBudget(ThumbnailStore::BudgetFor(3, 2, QSize(300, 180)));
    m_view->LoadList();
    Built();
    ASSERT_EQ(m_view->model().store().size(), 3);
    int held = 0;
    for (int i = 0; i < 3; ++i) {
        held += m_view->model().store().StateOf(i) == ThumbnailStore::State::Ready ? 1 : 0;
        EXPECT_TRUE(m_view->model().store().Facts(i).made) << i;
    }
    EXPECT_LE(held, 2);

    std::vector<std::string> started;
    SetToolStartHandler([&](const std::string&, const std::vector<std::string>& argv) {
        started = argv;
    });
    // The tool must exist to be started: a stand-in beside the program.
    const QString tool = m_folder.filePath(QStringLiteral("tarnel.exe"));
    ASSERT_TRUE(WriteFileBytes(tool, "#!/bin/sh\n"));
    QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    ShowSized(QSize(900, 360));
    m_view->OnLButtonDblClk(QPoint(650, 20));
    EXPECT_EQ(started, (std::vector<std::string>{"tarnel.exe", "/dC(c)", "/pandbs,c"}));
}

TEST_F(CatalogViewTest, DoubleClickOnNothingStartsNothing)
{
    UseThumbnails(0);
    bool started = false;
    SetToolStartHandler([&](const std::string&, const std::vector<std::string>&) {
        started = true;
    });
    m_view->OnLButtonDblClk(QPoint(10, 10));
    EXPECT_FALSE(started);
}

} // namespace
