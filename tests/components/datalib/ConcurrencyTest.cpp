#include "DataLibTestSupport.h"

#include "DataLibrary.h"
#include "SeriesCache.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <thread>

#include "support/TestFolders.h"

namespace {

// Several threads load the same CSV files and the same database at once, through one
// shared cache; each must see what a lone caller sees.
TEST(DataLibThreads, ConcurrentLoadsAgreeWithALoneCaller)
{
    QTemporaryDir dir;
    std::string rows = "Date,Open,High,Low,Close,Volume\n";
    for (int day = 1; day <= 28; ++day)
        rows += "2024-02-" + std::to_string(100 + day).substr(1) + ",10,12,9,11,100\n";
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(WriteFileBytes(dir.filePath(QString("%1.csv").arg(i)),
                                   QByteArray::fromStdString(rows)));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "maker");
        db.setDatabaseName(dir.filePath("prices.db"));
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec("CREATE TABLE prices(code TEXT, date TEXT, open REAL, "
                               "high REAL, low REAL, close REAL, volume REAL)"));
        ASSERT_TRUE(query.exec("INSERT INTO prices VALUES('A','2024-02-01',10,12,9,11,100)"));
    }
    QSqlDatabase::removeDatabase("maker");

    const std::string folder = datalibtest::LocalPath(dir.path());
    const std::string database = datalibtest::LocalPath(dir.filePath("prices.db"));
    brasko::DataLibrary lone(nullptr);
    const auto csvExpected = datalibtest::BarsOf(lone.LoadData(folder, "0", 0));
    const auto dbExpected = datalibtest::BarsOf(lone.LoadData(database, "A", 5));
    ASSERT_EQ(csvExpected.size(), 28u);
    ASSERT_EQ(dbExpected.size(), 1u);

    auto cache = std::make_shared<brasko::SeriesCache>();
    constexpr int kThreads = 8;
    constexpr int kRounds = 40;
    std::vector<int> failures(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            brasko::DataLibrary library(cache);
            for (int r = 0; r < kRounds; ++r) {
                const std::string code = std::to_string((t + r) % 4);
                if (datalibtest::BarsOf(library.LoadData(folder, code, 0)) != csvExpected)
                    ++failures[t];
                if (datalibtest::BarsOf(library.LoadData(database, "A", 5)) != dbExpected)
                    ++failures[t];
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures, std::vector<int>(kThreads, 0));
    EXPECT_TRUE(QSqlDatabase::connectionNames().isEmpty());
}

} // namespace
