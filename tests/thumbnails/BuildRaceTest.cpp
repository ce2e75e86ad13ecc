// Builds started again and again while the cells are read as a paint reads them, the order
// moves as a scroll moves it, and the settings preview renders beside the workers: the
// thread checker's scenario, and the component rule's.
#include "../view/FakeComponents.h"

#include "chart/ChartPreview.h"
#include "support/TestFolders.h"
#include "thumbnails/ThumbnailBuilder.h"
#include "thumbnails/ThumbnailStore.h"

#include <QCoreApplication>
#include <QFuture>

#include <gtest/gtest.h>

#include <atomic>
#include <numeric>
#include <thread>

using namespace mosgrid;

namespace {

const QSize kSize(60, 40);
constexpr int kItems = 120;

// The fakes, with a record of any two components made at the same time.
class SerialProvider : public FakeProvider {
public:
    std::unique_ptr<quorex::IDataLibrary> CreateDataLibrary() override
    {
        const Inside inside(*this);
        return FakeProvider::CreateDataLibrary();
    }
    std::unique_ptr<quorex::IChartControl> CreateChartControl() override
    {
        const Inside inside(*this);
        return FakeProvider::CreateChartControl();
    }

    std::atomic<int> overlaps = 0;

private:
    struct Inside {
        explicit Inside(SerialProvider& provider) : m_provider(provider)
        {
            if (m_provider.m_inside.fetch_add(1) != 0)
                ++m_provider.overlaps;
            std::this_thread::yield();
        }
        ~Inside() { --m_provider.m_inside; }
        SerialProvider& m_provider;
    };
    std::atomic<int> m_inside = 0;
};

TEST(BuildRace, RebuildsWhileCellsArePaintedScrolledAndPreviewed)
{
    TestProgramFolder folder{QStringList{}, false};
    ASSERT_TRUE(folder.isValid());
    SerialProvider provider;
    CatalogItemList items;
    for (int i = 0; i < kItems; ++i) {
        items.push_back(std::make_unique<CatalogItem>());
        items.back()->m_strCode = std::to_string(i);
    }
    // Room for a screen and a half: thumbnails are dropped and made again all along.
    ThumbnailStore store(ThumbnailStore::BudgetFor(kItems, 18, kSize));
    ThumbnailBuilder builder(store);
    builder.SetWorkerCount(2);
    ChartPreview preview(provider, *items.front(), folder.iniFile());
    std::vector<int> same(kItems);
    std::iota(same.begin(), same.end(), 0);

    for (int round = 0; round < 12; ++round) {
        const BuildInputs inputs{&items, kSize, folder.iniFile(), &provider};
        if (round % 3 == 2)
            builder.Restart(inputs, same, std::vector<int>{round, round + 40});
        else
            builder.Start(inputs);
        QFuture<QImage> render = preview.RenderDefinition("Daily");
        for (int step = 0; step < 8; ++step) {
            const int top = (round * 17 + step * 9) % (kItems - 12);
            std::vector<int> order(12);
            std::iota(order.begin(), order.end(), top);
            const std::vector<int> onScreen(order.begin(), order.begin() + 6);
            builder.SetOrder(order, order.size(), onScreen);
            for (int i = 0; i < kItems; ++i) {
                const ThumbnailStore::Cell cell = store.ReadCell(i);
                if (cell.state == ThumbnailStore::State::Ready) {
                    ASSERT_EQ(cell.image.size(), kSize) << "a ready cell has its image";
                }
            }
            QCoreApplication::processEvents();
        }
        render.waitForFinished();
    }
    ASSERT_TRUE(builder.WaitUntilBuilt());
    for (int i = 0; i < kItems; ++i)
        EXPECT_TRUE(store.Facts(i).made) << i;
    // What was on screen last is there.
    std::vector<int> last(12);
    std::iota(last.begin(), last.end(), 30);
    builder.SetOrder(last, last.size(), last);
    ASSERT_TRUE(builder.WaitUntilMade(last));
    EXPECT_TRUE(store.MissingAmong(last).empty());
    EXPECT_LE(store.usedBytes(), store.budgetBytes());
    EXPECT_EQ(provider.overlaps.load(), 0) << "components are made one at a time";
}

} // namespace
