// Reloading a shown catalog: only thumbnails whose prices changed are made again, selection
// and scroll stay on the same securities, and a file being written is never shown half-read.
#include "FakeComponents.h"
#include "PriceFolder.h"

#include "support/TestFolders.h"
#include "view/CCatalogView.h"
#include "view/CatalogTabs.h"

#include <QApplication>
#include <QFile>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

#include <fcntl.h>
#include <unistd.h>
#include <sys/stat.h>
#include <ctime>

using namespace mosgrid;

namespace {

constexpr int kCellWidth = 100;
constexpr int kCellHeight = 50;
constexpr int kOld = 3600;  // seconds: long settled

class CatalogReloadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        ASSERT_TRUE(WriteFileBytes(m_folder.filePath(QStringLiteral("mosgrid.ini")),
                                   "[Chart]\nSizeX=100\nSizeY=50\n"));
        m_provider.readPriceFiles = true;
        m_view = std::make_unique<CCatalogView>(
            ProgramPaths{m_folder.exeDir(), m_folder.iniFile()}, &m_provider);
        m_view->model().builder().SetWorkerCount(1);
    }

    // Securities s0 .. s<count-1>, the close of si being 100 + i.
    void MakeCatalog(int count)
    {
        std::vector<std::string> codes;
        for (int i = 0; i < count; ++i) {
            codes.push_back("s" + std::to_string(i));
            ASSERT_TRUE(m_prices.Write(codes.back(), std::to_string(100 + i) + "\n", kOld));
        }
        WriteList(codes);
        m_view->SetListFile(m_listFile, false);
        m_view->LoadList();
        Built();
    }

    void WriteList(const std::vector<std::string>& codes)
    {
        std::string list;
        for (const std::string& code : codes)
            list += ListLine(m_prices.source(), code, "N" + code);
        const QString path = m_folder.filePath(QStringLiteral("list.txt"));
        ASSERT_TRUE(WriteFileBytes(path, QByteArray::fromStdString(list)));
        m_listFile = QFile::encodeName(path).toStdString();
    }

    void Built() { ASSERT_TRUE(m_view->model().builder().WaitUntilBuilt()); }

    // The codes loaded since the last call, sorted.
    std::vector<std::string> TakeLoaded()
    {
        const std::lock_guard lock(m_provider.counters.codesMutex);
        std::vector<std::string> codes;
        codes.swap(m_provider.counters.loadedCodes);
        std::sort(codes.begin(), codes.end());
        return codes;
    }

    int IndexOf(const std::string& code) const
    {
        for (std::size_t i = 0; i < m_view->model().items().size(); ++i) {
            if (m_view->model().items()[i]->m_strCode == code)
                return static_cast<int>(i);
        }
        return -1;
    }

    QRgb Shown(const std::string& code) const
    {
        return m_view->model().store().Image(IndexOf(code)).pixel(kCellWidth / 2, kCellHeight - 2);
    }

    TestProgramFolder m_folder{QStringList{}, false};
    PriceFolder m_prices{m_folder.filePath(QStringLiteral("prices"))};
    std::string m_listFile;
    FakeProvider m_provider;
    std::unique_ptr<CCatalogView> m_view;
};

TEST_F(CatalogReloadTest, OnlyThumbnailsWhosePricesChangedAreMadeAgain)
{
    MakeCatalog(6);
    EXPECT_EQ(TakeLoaded().size(), 6u);
    const qint64 keptKey = m_view->model().store().Image(0).cacheKey();

    ASSERT_TRUE(m_prices.Write("s2", "100\n140\n", kOld - 10));  // new prices
    ASSERT_TRUE(m_prices.Touch("s4", kOld - 10));                // same bytes, a new time
    EXPECT_EQ(m_view->ReloadList(), CCatalogView::ReloadResult::Changed);
    Built();
    EXPECT_EQ(TakeLoaded(), (std::vector<std::string>{"s2", "s4"}));
    EXPECT_EQ(Shown("s2"), PriceColour(140).rgb());
    EXPECT_EQ(Shown("s4"), PriceColour(104).rgb());
    EXPECT_EQ(m_view->model().store().Image(0).cacheKey(), keptKey) << "s0's picture itself kept";

    EXPECT_EQ(m_view->ReloadList(), CCatalogView::ReloadResult::Unchanged);
    Built();
    EXPECT_TRUE(TakeLoaded().empty());
}

TEST_F(CatalogReloadTest, ASecurityStillWithoutDataIsNoChange)
{
    ASSERT_TRUE(m_prices.Write("s0", "100\n", kOld));
    std::string list = ListLine(m_prices.source(), "s0", "Ns0")
        + ListLine(m_prices.source(), "gone", "Ngone")
        + ListLine(m_prices.source() + "/nowhere", "s0", "Nnowhere");
    const QString path = m_folder.filePath(QStringLiteral("list.txt"));
    ASSERT_TRUE(WriteFileBytes(path, QByteArray::fromStdString(list)));
    // The folder as long settled as its files.
    const timespec old[2] = {{::time(nullptr) - kOld, 0}, {::time(nullptr) - kOld, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, m_prices.source().c_str(), old, 0), 0);
    m_view->SetListFile(QFile::encodeName(path).toStdString(), false);
    m_view->LoadList();
    Built();
    TakeLoaded();

    EXPECT_EQ(m_view->ReloadList(), CCatalogView::ReloadResult::Unchanged);
    Built();
    EXPECT_TRUE(TakeLoaded().empty());

    // The missing file turns up: its folder changed.
    ASSERT_TRUE(m_prices.Write("gone", "120\n", kOld));
    EXPECT_EQ(m_view->ReloadList(), CCatalogView::ReloadResult::Changed);
    Built();
    EXPECT_EQ(TakeLoaded(), (std::vector<std::string>{"gone"}));
}

TEST_F(CatalogReloadTest, SelectionAndScrollStayOnTheSameSecurities)
{
    MakeCatalog(30);
    m_view->resize(3 * kCellWidth + m_view->verticalScrollBar()->sizeHint().width(),
                   2 * kCellHeight);
    m_view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
    m_view->OnLButtonDown(QPoint(kCellWidth + 10, 10));  // second cell of the top row
    m_view->ScrollTo(9);
    m_view->OnLButtonDown(QPoint(kCellWidth + 10, kCellHeight + 10));
    ASSERT_EQ(m_view->topIndex(), 9);
    ASSERT_EQ(m_view->selectedItem(), 13);
    TakeLoaded();

    // Two new securities in front, s3 gone, s20 moved to the end.
    std::vector<std::string> codes{"n1", "n2"};
    for (int i = 0; i < 30; ++i) {
        if (i != 3 && i != 20)
            codes.push_back("s" + std::to_string(i));
    }
    codes.push_back("s20");
    ASSERT_TRUE(m_prices.Write("n1", "70\n", kOld));
    ASSERT_TRUE(m_prices.Write("n2", "71\n", kOld));
    WriteList(codes);
    EXPECT_EQ(m_view->ReloadList(), CCatalogView::ReloadResult::Changed);
    EXPECT_EQ(m_view->topIndex(), IndexOf("s9"));
    EXPECT_EQ(m_view->selectedItem(), IndexOf("s13"));
    EXPECT_EQ(m_view->verticalScrollBar()->value(), IndexOf("s9"));
    Built();
    EXPECT_EQ(TakeLoaded(), (std::vector<std::string>{"n1", "n2"}));
    EXPECT_EQ(Shown("s20"), PriceColour(120).rgb());
    EXPECT_EQ(Shown("n2"), PriceColour(71).rgb());

    // The selected security leaves the list: nothing is selected.
    codes.erase(std::find(codes.begin(), codes.end(), "s13"));
    WriteList(codes);
    EXPECT_EQ(m_view->ReloadList(), CCatalogView::ReloadResult::Changed);
    EXPECT_EQ(m_view->selectedItem(), -1);
    EXPECT_EQ(m_view->topIndex(), IndexOf("s9"));
    Built();
}

TEST_F(CatalogReloadTest, AFileBeingWrittenIsNotShownHalfReadAndIsReadAgain)
{
    MakeCatalog(2);
    ASSERT_EQ(Shown("s1"), PriceColour(101).rgb());
    // The vendor has written one line and part of the next.
    ASSERT_TRUE(m_prices.Write("s1", "150\n13", kOld - 10));
    EXPECT_EQ(m_view->ReloadList(), CCatalogView::ReloadResult::Changed);
    Built();
    EXPECT_EQ(Shown("s1"), PriceColour(101).rgb()) << "the finished picture stays";
    EXPECT_TRUE(m_view->model().store().Facts(IndexOf("s1")).unsettled);

    // Read again at the next reload even before the file changes once more ...
    TakeLoaded();
    EXPECT_EQ(m_view->ReloadList(), CCatalogView::ReloadResult::Changed);
    Built();
    EXPECT_EQ(TakeLoaded(), (std::vector<std::string>{"s1"}));
    // ... and shown once it is whole.
    ASSERT_TRUE(m_prices.Write("s1", "150\n130\n", kOld - 20));
    EXPECT_EQ(m_view->ReloadList(), CCatalogView::ReloadResult::Changed);
    Built();
    EXPECT_EQ(Shown("s1"), PriceColour(130).rgb());
    EXPECT_FALSE(m_view->model().store().Facts(IndexOf("s1")).unsettled);
}

TEST_F(CatalogReloadTest, AListThatNoLongerOpensKeepsWhatIsShown)
{
    MakeCatalog(3);
    ASSERT_TRUE(QFile::remove(QFile::decodeName(m_listFile.c_str())));
    EXPECT_EQ(m_view->ReloadList(), CCatalogView::ReloadResult::Unreadable);
    EXPECT_EQ(m_view->model().items().size(), 3u);
    EXPECT_EQ(m_view->model().store().StateOf(2), ThumbnailStore::State::Ready);
}

// A list too large to read at once is read on a worker: the catalog shown stays as it is
// until the new one has been read whole, and the reload then ends as any other does.
TEST_F(CatalogReloadTest, ALargeListIsReadOnAWorkerAndShownOnlyOnceRead)
{
    MakeCatalog(3);
    m_view->model().SelectOnly(2);
    // A name long enough to make the file larger than a quick read.
    const std::string longName(AsyncListLoader::kQuickReadBytes + 1, 'x');
    const std::string list = ListLine(m_prices.source(), "s0", "Ns0")
        + ListLine(m_prices.source(), "s2", "Ns2") + ListLine(m_prices.source(), "s9", longName);
    ASSERT_TRUE(WriteFileBytes(QFile::decodeName(m_listFile.c_str()),
                               QByteArray::fromStdString(list)));
    QSignalSpy finished(m_view.get(), &CCatalogView::reloadFinished);
    EXPECT_EQ(m_view->ReloadList(), CCatalogView::ReloadResult::Pending);
    EXPECT_EQ(m_view->model().items()[1]->m_strCode, "s1") << "nothing changes before it is read";
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(finished.takeFirst().at(0).value<CCatalogView::ReloadResult>(),
              CCatalogView::ReloadResult::Changed);
    ASSERT_EQ(m_view->model().items().size(), 3u);
    EXPECT_EQ(m_view->model().items()[2]->m_strName.size(), longName.size());
    EXPECT_EQ(m_view->selectedItem(), 1) << "the selection stays on s2";
    Built();
    EXPECT_EQ(Shown("s2"), PriceColour(102).rgb());
}

// Opening a large list or a stream reads it on a worker: the call returns at once, the grid
// says it is reading, and the list is shown once read (removed then under /rm only).
TEST_F(CatalogReloadTest, ALargeListOrAStreamOpensOnAWorker)
{
    const std::string longName(AsyncListLoader::kQuickReadBytes + 1, 'x');
    const std::string text =
        ListLine(m_prices.source(), "s1", "Ns1") + ListLine(m_prices.source(), "s2", longName);
    for (const bool stream : {false, true}) {
        for (const bool remove : {false, true}) {
            if (stream && remove)
                continue;
            SCOPED_TRACE(stream ? "stream" : remove ? "large under /rm" : "large");
            MakeCatalog(3);
            const std::string path =
                QFile::encodeName(m_folder.filePath(QStringLiteral("big"))).toStdString();
            ::unlink(path.c_str());
            if (stream)
                ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
            else
                ASSERT_TRUE(WriteFileBytes(QFile::decodeName(path.c_str()),
                                           QByteArray::fromStdString(text)));
            QSignalSpy loaded(&m_view->model(), &CatalogModel::listLoaded);
            m_view->SetListFile(path, remove);
            m_view->model().StartLoadList();
            EXPECT_TRUE(m_view->model().isLoading());
            EXPECT_FALSE(m_view->model().isLoaded());
            if (stream) {
                const int fd = ::open(path.c_str(), O_WRONLY);
                ASSERT_GE(fd, 0);
                ASSERT_EQ(::write(fd, text.data(), text.size()), ssize_t(text.size()));
                ::close(fd);
            }
            ASSERT_TRUE(loaded.wait(20000));
            EXPECT_TRUE(m_view->model().isLoaded());
            ASSERT_EQ(m_view->model().items().size(), 2u);
            EXPECT_EQ(m_view->model().items()[1]->m_strName.size(), longName.size());
            EXPECT_EQ(QFile::exists(QFile::decodeName(path.c_str())), !remove);
            Built();
            EXPECT_EQ(Shown("s2"), PriceColour(102).rgb());
        }
    }
}

TEST_F(CatalogReloadTest, OpeningAnotherListStartsAfreshAndNeverRemovesIt)
{
    MakeCatalog(8);
    m_view->model().SelectOnly(5);
    m_view->model().SetTopIndex(3);
    const QString other = m_folder.filePath(QStringLiteral("other.txt"));
    ASSERT_TRUE(WriteFileBytes(other, QByteArray::fromStdString(
                                          ListLine(m_prices.source(), "s1", "B"))));
    m_view->OpenList(QFile::encodeName(other).toStdString());
    Built();
    EXPECT_EQ(m_view->model().items().size(), 1u);
    EXPECT_EQ(m_view->selectedItem(), -1);
    EXPECT_EQ(m_view->topIndex(), 0);
    EXPECT_TRUE(QFile::exists(other));
}

} // namespace

namespace {

TEST_F(CatalogReloadTest, TabsKeepTheirOwnCatalogAndOnlyTheShownOneBuilds)
{
    MakeCatalog(6);
    m_view->model().SelectOnly(4);
    m_view->model().SetTopIndex(2);
    CatalogTabs& tabs = m_view->tabs();
    EXPECT_TRUE(tabs.bar()->isHidden());

    const QString second = m_folder.filePath(QStringLiteral("second.txt"));
    ASSERT_TRUE(WriteFileBytes(second, QByteArray::fromStdString(
                                           ListLine(m_prices.source(), "s1", "one")
                                           + ListLine(m_prices.source(), "s2", "two"))));
    tabs.Open(QFile::encodeName(second).toStdString());
    m_view->LoadList();  // shown, a tab reads its list; here the test does
    Built();
    ASSERT_EQ(tabs.count(), 2);
    EXPECT_FALSE(tabs.bar()->isHidden());
    EXPECT_EQ(m_view->model().items().size(), 2u);
    EXPECT_EQ(m_view->model().selection().current(), -1);
    EXPECT_EQ(tabs.at(0).store().size(), 0);  // the tab left gave its thumbnails back

    tabs.Step(1);  // around the end, back to the first
    Built();
    ASSERT_EQ(&m_view->model(), &tabs.at(0));
    EXPECT_EQ(m_view->model().store().size(), 6);
    EXPECT_EQ(m_view->model().selection().current(), 4);
    EXPECT_EQ(m_view->topIndex(), 2);
    EXPECT_EQ(tabs.at(1).store().size(), 0);

    // Each tab its own sort: the one chosen in the second stays there.
    tabs.Step(-1);
    m_view->arrangement().SetSort(SortKey::Name, true);
    tabs.Step(1);
    EXPECT_EQ(m_view->arrangement().sortKey(), SortKey::List);
    EXPECT_FALSE(m_view->arrangement().sortDescending());
    tabs.Step(1);
    EXPECT_EQ(m_view->arrangement().sortKey(), SortKey::Name);
    EXPECT_TRUE(m_view->arrangement().sortDescending());

    EXPECT_TRUE(tabs.Close(1));
    EXPECT_EQ(tabs.count(), 1);
    EXPECT_EQ(m_view->model().items().size(), 6u);
    EXPECT_TRUE(tabs.bar()->isHidden());
    EXPECT_FALSE(tabs.Close(0));  // the last stays
}

} // namespace
