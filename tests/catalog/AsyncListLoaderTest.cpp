// Lists read on a worker: what comes back for each kind of list, that only the newest load
// answers, and that nothing arrives before the caller's event loop runs.
#include "catalog/AsyncListLoader.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <string>

using namespace mosgrid;

namespace {

using Status = ListLoadResult::Status;

std::string WriteList(const QTemporaryDir& dir, const std::string& name, int lines)
{
    const std::string path = dir.filePath(QString::fromStdString(name)).toStdString();
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < lines; ++i)
        out << "1,src," << 1000 + i << ",name" << i << "\n\n";
    return path;
}

std::shared_ptr<ListLoadResult> Wait(QSignalSpy& spy)
{
    if (spy.isEmpty() && !spy.wait(10000))
        return nullptr;
    return spy.takeFirst().at(0).value<std::shared_ptr<ListLoadResult>>();
}

struct LoadRow {
    const char* name;
    int lines;         // -1: no file
    std::size_t limit;
    Status status;
    std::size_t items;
};

class AsyncListLoaderRows : public ::testing::TestWithParam<LoadRow> {};

TEST_P(AsyncListLoaderRows, ResultMatchesTheList)
{
    const LoadRow& row = GetParam();
    QTemporaryDir dir;
    const std::string path = row.lines < 0 ? dir.filePath("missing.lst").toStdString()
                                           : WriteList(dir, "list.lst", row.lines);
    AsyncListLoader loader;
    QSignalSpy spy(&loader, &AsyncListLoader::loaded);
    const std::uint64_t ticket = loader.Start(path, row.limit);
    EXPECT_TRUE(loader.IsLoading());
    const auto result = Wait(spy);
    ASSERT_TRUE(result);
    EXPECT_FALSE(loader.IsLoading());
    EXPECT_EQ(result->ticket, ticket);
    EXPECT_EQ(result->path, path);
    EXPECT_EQ(result->status, row.status);
    ASSERT_EQ(result->items.size(), row.items);
    if (row.items > 0) {
        EXPECT_EQ(result->items.back()->m_strCode, std::to_string(1000 + row.items - 1));
        EXPECT_EQ(result->items.front()->m_strName, "name0");
    }
    // The list is never removed by a load on a worker.
    EXPECT_EQ(row.lines >= 0, std::ifstream(path).good());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AsyncListLoaderRows,
    ::testing::Values(LoadRow{"Read", 7, 100, Status::Read, 7},
                      LoadRow{"ExactlyTheLimit", 5, 5, Status::Read, 5},
                      LoadRow{"OneBeyondTheLimitGivesNothing", 6, 5, Status::TooMany, 0},
                      LoadRow{"EmptyList", 0, 5, Status::Read, 0},
                      LoadRow{"Missing", -1, 5, Status::NotOpened, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AsyncListLoader, OnlyTheNewestLoadAnswers)
{
    QTemporaryDir dir;
    const std::string first = WriteList(dir, "first.lst", 3);
    const std::string second = WriteList(dir, "second.lst", 4);
    AsyncListLoader loader;
    QSignalSpy spy(&loader, &AsyncListLoader::loaded);
    loader.Start(first);
    const std::uint64_t newest = loader.Start(second);
    // Delivered through the event loop only: nothing has arrived yet.
    EXPECT_TRUE(spy.isEmpty());
    const auto result = Wait(spy);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->ticket, newest);
    EXPECT_EQ(result->items.size(), 4u);
    EXPECT_FALSE(spy.wait(300)) << "the superseded load answered too";
}

TEST(AsyncListLoader, CancelVoidsTheLoad)
{
    QTemporaryDir dir;
    AsyncListLoader loader;
    QSignalSpy spy(&loader, &AsyncListLoader::loaded);
    loader.Start(WriteList(dir, "list.lst", 3));
    loader.Cancel();
    EXPECT_FALSE(loader.IsLoading());
    EXPECT_FALSE(spy.wait(300));
}

// A database given as the list stands for its codes on a worker as when read at once.
TEST(AsyncListLoader, ADatabaseGivesItsCodes)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("prices.db")).toStdString();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "CREATE TABLE prices(code TEXT, date INTEGER);"
                           "INSERT INTO prices VALUES('7203',1),('1301',1);",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    AsyncListLoader loader;
    QSignalSpy spy(&loader, &AsyncListLoader::loaded);
    loader.Start(path);
    const auto result = Wait(spy);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, Status::Read);
    ASSERT_EQ(result->items.size(), 2u);
    EXPECT_EQ(result->items[0]->m_strCode, "1301");
    EXPECT_EQ(result->items[1]->m_strCode, "7203");
}

// A loader that goes while its worker waits on a pipe nobody writes to does not wait with it.
TEST(AsyncListLoader, GoingWhileAStreamHasNoWriterDoesNotHang)
{
    QTemporaryDir dir;
    const std::string fifo = dir.filePath(QStringLiteral("list.fifo")).toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    {
        AsyncListLoader loader;
        loader.Start(fifo);
    }
    // Let the worker go: it finds the loader gone and ends quietly.
    const int writer = ::open(fifo.c_str(), O_WRONLY);
    ASSERT_GE(writer, 0);
    ::close(writer);
}

} // namespace
