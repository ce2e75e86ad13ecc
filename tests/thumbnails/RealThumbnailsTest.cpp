// With the real plugins on the sample catalog: a thumbnail made on a worker, dropped and
// made again is the picture a host draws for the item on this thread.
#include "chart/ChartHost.h"
#include "chart/PluginComponentProvider.h"
#include "support/TestFolders.h"
#include "thumbnails/ThumbnailStore.h"
#include "view/CCatalogView.h"

#include <QDir>
#include <QFile>
#include <QPainter>

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 180;

class RealThumbnailsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFile::exists(BuiltProgramDir() + "/components/libbrasko.so")
            || !QFile::exists(BuiltProgramDir() + "/components/libxquorexctrl.so"))
            GTEST_SKIP() << "plugins not built";
        ASSERT_TRUE(m_folder.isValid());
        // The sample catalog's sources are relative to the source tree.
        m_previous = QDir::currentPath();
        QDir::setCurrent(QStringLiteral(MOSGRID_SOURCE_DIR));
    }
    void TearDown() override
    {
        if (!m_previous.isEmpty())
            QDir::setCurrent(m_previous);
    }

    // The picture the host draws for one item on this thread, into a fresh image.
    QImage FreshRender(const CatalogItem& item)
    {
        ChartHost host(m_provider, m_folder.iniFile());
        EXPECT_EQ(host.CreateHost(kWidth, kHeight), 1);
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        {
            QPainter painter(&image);
            host.RenderItem(item);
            host.CaptureItem(painter, 0, 0, item);
        }
        host.DestroyWindow();
        return image;
    }

    TestProgramFolder m_folder;
    PluginComponentProvider m_provider{m_folder.exeDir()};
    QString m_previous;
};

TEST_F(RealThumbnailsTest, DroppedAndMadeAgainEqualsAFreshRender)
{
    CCatalogView view(ProgramPaths{m_folder.exeDir(), m_folder.iniFile()}, &m_provider);
    view.model().builder().SetWorkerCount(2);
    view.SetListFile(MOSGRID_SOURCE_DIR "/examples/sample.lst", false);
    // Room for three thumbnails besides the slots and spares.
    view.model().SetThumbnailMemoryBudget(ThumbnailStore::BudgetFor(64, 3, QSize(kWidth, kHeight)));
    view.LoadList();
    ASSERT_TRUE(view.model().builder().WaitUntilBuilt());
    const int count = view.model().store().size();
    ASSERT_GE(count, 20);
    int missing = 0;
    for (int i = 0; i < count; ++i)
        missing += view.model().store().StateOf(i) == ThumbnailStore::State::Missing ? 1 : 0;
    EXPECT_GE(missing, count - 3) << "the budget held more than it has room for";

    // Three at a time on "screen", as a scroll would bring them back.
    for (int first = 0; first < count; first += 3) {
        std::vector<int> cells;
        for (int i = first; i < std::min(count, first + 3); ++i)
            cells.push_back(i);
        view.model().builder().SetOrder(cells, cells.size(), cells);
        ASSERT_TRUE(view.model().builder().WaitUntilMade(cells));
        for (const int i : cells) {
            const QImage made = view.model().store().Image(i);
            ASSERT_FALSE(made.isNull()) << i;
            EXPECT_TRUE(made == FreshRender(*view.model().items()[i]))
                << "item " << i << " (" << view.model().items()[i]->m_strCode << ")";
        }
    }
}

} // namespace
