#include "DataLibTestSupport.h"

#include "BusyDatabases.h"
#include "DataLibrary.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <thread>

// Reads of databases that would hang or stall without their bounds. They run with a ctest
// time limit, so a read that hangs fails the test rather than the whole run.
namespace {

using quorex::DataProblem;

constexpr int kCodes = 40;

class DataLibSqliteBounds : public ::testing::Test {
protected:
    std::string Path() const { return datalibtest::LocalPath(m_dir.filePath("prices.db")); }

    // A database with one row for each of the codes C0, C1, ...
    void MakeCodes()
    {
        QStringList statements{datalibtest::kCreatePrices, "BEGIN"};
        for (int i = 0; i < kCodes; ++i)
            statements << QString("INSERT INTO prices VALUES('C%1','2024-01-04',1,2,1,2,5)")
                              .arg(i);
        datalibtest::MakeDatabase(m_dir.filePath("prices.db"), statements << "COMMIT");
    }

    QTemporaryDir m_dir;
    std::shared_ptr<brasko::BusyDatabases> m_busy = std::make_shared<brasko::BusyDatabases>();
    brasko::DataLibrary m_library{nullptr, m_busy};
};

// A writer of the database, holding its lock until it goes.
class LockingWriter {
public:
    explicit LockingWriter(const QString& path)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "writer");
        db.setDatabaseName(path);
        m_locked = db.open() && QSqlQuery(db).exec("BEGIN EXCLUSIVE");
    }
    ~LockingWriter()
    {
        QSqlDatabase::database("writer").close();
        QSqlDatabase::removeDatabase("writer");
    }
    bool IsLocked() const { return m_locked; }

private:
    bool m_locked = false;
};

// A view over a recursive query without end: for a code it never holds (the query runs on
// finding nothing) and for one it holds (rows without end).
TEST_F(DataLibSqliteBounds, EndlessPricesViewIsBusy)
{
    datalibtest::MakeDatabase(
        m_dir.filePath("prices.db"),
        {"CREATE VIEW prices AS WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r) "
         "SELECT 'A' || (n % 2) AS code, '2024-01-04' AS date, 1.0 AS open, 1.0 AS high, "
         "1.0 AS low, 1.0 AS close, 1.0 AS volume FROM r"});
    for (const char* code : {"X", "A1"}) {
        brasko::DataLibrary library(nullptr);
        for (std::size_t latestBars : {0, 60}) {
            const quorex::DataResult result = library.LoadData(Path(), code, 5, {latestBars});
            EXPECT_EQ(result.data, nullptr);
            EXPECT_EQ(result.problem, DataProblem::Busy) << code << " " << latestBars;
        }
    }
    // The second read of a library gives up at once.
    for (std::size_t latestBars : {0, 60})
        EXPECT_EQ(m_library.LoadData(Path(), "X", 5, {latestBars}).problem, DataProblem::Busy);
    EXPECT_EQ(m_busy->Waits(), 1u);
    EXPECT_TRUE(QSqlDatabase::connectionNames().isEmpty());
}

TEST_F(DataLibSqliteBounds, LockedDatabaseCostsOneWaitPerCatalog)
{
    MakeCodes();
    {
        const LockingWriter writer(m_dir.filePath("prices.db"));
        ASSERT_TRUE(writer.IsLocked());
        for (int i = 0; i < kCodes; ++i) {
            const std::size_t latestBars = i % 2 ? 60 : 0;
            const quorex::DataResult result =
                m_library.LoadData(Path(), "C" + std::to_string(i), 5, {latestBars});
            EXPECT_EQ(result.problem, DataProblem::Busy) << i;
        }
        EXPECT_EQ(m_busy->Waits(), 1u);
    }
    // Once the writer is gone, a library that has not met the lock reads the rows.
    brasko::DataLibrary fresh(nullptr);
    EXPECT_NE(fresh.LoadData(Path(), "C0", 5), nullptr);
}

TEST_F(DataLibSqliteBounds, WorkersShareTheMemoryOfALock)
{
    MakeCodes();
    const LockingWriter writer(m_dir.filePath("prices.db"));
    ASSERT_TRUE(writer.IsLocked());
    constexpr int kWorkers = 4;
    std::vector<std::thread> workers;
    std::vector<int> busy(kWorkers, 0);
    for (int w = 0; w < kWorkers; ++w) {
        workers.emplace_back([this, w, &busy] {
            brasko::DataLibrary library(nullptr, m_busy); // a worker's own, as the plugin makes
            for (int i = w; i < kCodes; i += kWorkers) {
                const auto result = library.LoadData(Path(), "C" + std::to_string(i), 5, {60});
                busy[std::size_t(w)] += result.problem == DataProblem::Busy;
            }
        });
    }
    for (std::thread& worker : workers)
        worker.join();
    EXPECT_EQ(busy, std::vector<int>(kWorkers, kCodes / kWorkers));
    EXPECT_LE(m_busy->Waits(), std::size_t(kWorkers)) << "each worker waits once at most";
}

} // namespace
