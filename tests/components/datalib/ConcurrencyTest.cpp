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

// Workers ask for different numbers of bars of the same files through one small cache, so
// entries are stored, replaced by larger ones and evicted while others read them. Each
// answer must be the newest bars of the whole series, at least as many as asked for.
TEST(DataLibThreads, RequestsOfDifferentNeedsShareASmallCache)
{
    QTemporaryDir dir;
    constexpr int kFiles = 6;
    constexpr int kRows = 400;
    for (int f = 0; f < kFiles; ++f) {
        std::string text = "Date,Open,High,Low,Close,Volume\n";
        for (int n = 0; n < kRows; ++n) {
            const int i = f % 2 ? kRows - 1 - n : n; // half the files newest first
            text += std::to_string(20010000 + 10000 * (i / 308) + 100 * (i % 308 / 28 + 1)
                                   + i % 28 + 1)
                    + ",10,12,9,11," + std::to_string(f * 1000 + i) + "\n";
        }
        ASSERT_TRUE(WriteFileBytes(dir.filePath(QString("%1.csv").arg(f)),
                                   QByteArray::fromStdString(text)));
    }
    const std::string folder = datalibtest::LocalPath(dir.path());
    brasko::DataLibrary lone(nullptr);
    std::vector<std::vector<datalibtest::Bar>> whole;
    for (int f = 0; f < kFiles; ++f)
        whole.push_back(datalibtest::BarsOf(lone.LoadData(folder, std::to_string(f), 0)));

    // Room for about three whole series.
    auto cache = std::make_shared<brasko::SeriesCache>(3 * kRows * sizeof(quorex::PriceBar));
    constexpr int kThreads = 8;
    constexpr int kRounds = 60;
    constexpr std::size_t kNeeds[] = {0, 1, 60, 200};
    std::vector<int> failures(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            brasko::DataLibrary library(cache);
            for (int r = 0; r < kRounds; ++r) {
                const int f = (t + r) % kFiles;
                const std::size_t need = kNeeds[std::size_t(t + r / kFiles) % std::size(kNeeds)];
                const auto bars = datalibtest::BarsOf(
                    library.LoadData(folder, std::to_string(f), 0, {need}).data);
                const auto& all = whole[std::size_t(f)];
                const bool newest = bars.size() >= std::min(need ? need : all.size(), all.size())
                                    && bars.size() <= all.size()
                                    && std::equal(bars.begin(), bars.end(),
                                                  all.end() - long(bars.size()));
                failures[std::size_t(t)] += !newest;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures, std::vector<int>(kThreads, 0));
    EXPECT_LE(cache->BytesHeld(), 3 * kRows * sizeof(quorex::PriceBar));
}

} // namespace
