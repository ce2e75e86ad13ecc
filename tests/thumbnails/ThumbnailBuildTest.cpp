// Builds on worker threads as the view drives them: visible first, re-ordered on scroll,
// stopped by a new build or by closing, and waited for by printing.
#include "../view/FakeComponents.h"

#include "support/TestFolders.h"
#include "thumbnails/ThumbnailStore.h"
#include "view/CCatalogView.h"

#include <QApplication>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

using namespace mosgrid;

namespace {

constexpr int kCellWidth = 100;
constexpr int kCellHeight = 50;

// Holds every worker that reaches LoadData until the test opens it.
class Gate {
public:
    void Wait()
    {
        std::unique_lock lock(m_mutex);
        ++m_waiting;
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return m_open; });
    }
    // Until `count` workers stand at the gate.
    void AwaitWaiting(int count)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_waiting >= count; });
    }
    void Open()
    {
        const std::lock_guard lock(m_mutex);
        m_open = true;
        m_changed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_waiting = 0;
    bool m_open = false;
};

class ThumbnailBuildTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        ASSERT_TRUE(WriteFileBytes(m_folder.filePath(QStringLiteral("mosgrid.ini")),
                                   "[Chart]\nSizeX=100\nSizeY=50\n"));
        m_view = std::make_unique<CCatalogView>(
            ProgramPaths{m_folder.exeDir(), m_folder.iniFile()}, &m_provider);
        m_view->model().builder().SetWorkerCount(1);
    }

    void MakeItems(int count)
    {
        CatalogItemList items;
        for (int i = 0; i < count; ++i) {
            auto item = std::make_unique<CatalogItem>();
            item->m_strCode = std::to_string(i);
            items.push_back(std::move(item));
        }
        m_view->model().AdoptItems(std::move(items));
    }

    // Shows the view with room for 3 x 2 cells.
    void Show()
    {
        m_view->resize(3 * kCellWidth + m_view->verticalScrollBar()->sizeHint().width(),
                       2 * kCellHeight);
        m_view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
    }

    std::vector<std::string> Loaded()
    {
        const std::lock_guard lock(m_provider.counters.codesMutex);
        return m_provider.counters.loadedCodes;
    }

    TestProgramFolder m_folder{QStringList{}, false};
    FakeProvider m_provider;
    std::unique_ptr<CCatalogView> m_view;
};

std::vector<std::string> Codes(std::initializer_list<int> indexes)
{
    std::vector<std::string> codes;
    for (const int index : indexes)
        codes.push_back(std::to_string(index));
    return codes;
}

TEST_F(ThumbnailBuildTest, CellsOnScreenFirstAndAgainFirstAfterAScroll)
{
    MakeItems(30);
    Gate gate;
    m_provider.onLoad = [&gate](const std::string& code) {
        if (code == "0")
            gate.Wait();
    };
    Show();
    m_view->model().RebuildThumbnails();
    gate.AwaitWaiting(1);
    // While the worker is in the first item, the grid is scrolled to row 5.
    m_view->ScrollTo(15);
    m_view->viewport()->repaint();
    gate.Open();
    ASSERT_TRUE(m_view->model().builder().WaitUntilBuilt());

    const std::vector<std::string> loaded = Loaded();
    ASSERT_EQ(loaded.size(), 30u);
    // The first item was in hand; then the six cells on screen, then the two rows below.
    const std::vector<std::string> first(loaded.begin() + 1, loaded.begin() + 13);
    EXPECT_EQ(first, Codes({15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26}));
}

TEST_F(ThumbnailBuildTest, PlaceholderUntilMadeThenTheThumbnail)
{
    MakeItems(4);
    Gate gate;
    m_provider.onLoad = [&gate](const std::string&) { gate.Wait(); };
    Show();
    m_view->model().RebuildThumbnails();
    gate.AwaitWaiting(1);
    QImage shot = m_view->viewport()->grab().toImage();
    EXPECT_EQ(shot.pixel(50, 25), CCatalogView::kPlaceholderFill);
    EXPECT_EQ(shot.pixel(0, 0), CCatalogView::kPlaceholderFrame);
    gate.Open();
    ASSERT_TRUE(m_view->model().builder().WaitUntilBuilt());
    // The repaint comes by itself once the thumbnails are there.
    QTRY_COMPARE(m_view->viewport()->grab().toImage().pixel(50, 25), kWithData.rgb());
}

TEST_F(ThumbnailBuildTest, ANewBuildStopsTheOldOneAndOnlyItsThumbnailsLand)
{
    MakeItems(40);
    Gate gate;
    m_provider.onLoad = [&gate](const std::string& code) {
        if (code == "0")
            gate.Wait();
    };
    m_view->model().builder().SetWorkerCount(2);
    m_view->model().RebuildThumbnails();
    gate.AwaitWaiting(1);
    ASSERT_TRUE(WriteFileBytes(m_folder.filePath(QStringLiteral("mosgrid.ini")),
                               "[Chart]\nSizeX=60\nSizeY=40\n"));
    m_view->model().RebuildThumbnails();
    gate.Open();
    ASSERT_TRUE(m_view->model().builder().WaitUntilBuilt());
    ASSERT_EQ(m_view->model().store().size(), 40);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(m_view->model().store().Image(i).size(), QSize(60, 40)) << i;
    EXPECT_EQ(m_provider.counters.controlsAlive, 0);
    EXPECT_EQ(m_provider.counters.librariesAlive, 0);
}

TEST_F(ThumbnailBuildTest, ClosingDuringABuildStopsTheWorkersAndReleasesEverything)
{
    MakeItems(3000);
    std::atomic<int> loads = 0;
    m_provider.onLoad = [&loads](const std::string&) {
        ++loads;
        // Some work per item, so the build is still running when the view goes.
        volatile double sink = 0;
        for (int i = 0; i < 200000; ++i)
            sink = sink + i * 0.5;
    };
    m_view->model().builder().SetWorkerCount(2);
    Show();
    m_view->model().RebuildThumbnails();
    QTRY_VERIFY(loads > 0);
    m_view.reset();
    EXPECT_LT(loads, 3000) << "the build went on to the end";
    EXPECT_EQ(m_provider.counters.controlsAlive, 0);
    EXPECT_EQ(m_provider.counters.librariesAlive, 0);
}

TEST_F(ThumbnailBuildTest, PrintingWaitsForEveryThumbnailAndThePageCells)
{
    MakeItems(12);
    // Room for the slots and two thumbnails: the page needs six.
    m_view->model().SetThumbnailMemoryBudget(
        ThumbnailStore::BudgetFor(12, 2, QSize(kCellWidth, kCellHeight)));
    m_view->model().RebuildThumbnails();
    QImage page(3 * kCellWidth, 2 * kCellHeight, QImage::Format_RGB32);
    {
        QPainter painter(&page);
        m_view->OnDraw(painter, page.rect(), true);
    }
    EXPECT_TRUE(m_view->model().builder().progress().finished());
    for (int cell = 0; cell < 6; ++cell) {
        const QPoint centre((cell % 3) * kCellWidth + 50, (cell / 3) * kCellHeight + 25);
        EXPECT_EQ(page.pixel(centre), kWithData.rgb()) << "cell " << cell;
    }
}

} // namespace
