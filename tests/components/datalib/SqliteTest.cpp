#include "DataLibTestSupport.h"

#include "DataLibrary.h"
#include "support/TestFolders.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>

#include <cstdio>

#include <sys/stat.h>

namespace {

using datalibtest::Bar;

class DataLibSqlite : public ::testing::Test {
protected:
    quorex::PriceDataPtr Load(const QString& path, const std::string& code)
    {
        return m_library.LoadData(datalibtest::LocalPath(path), code, 5);
    }

    QString DatabasePath() const { return m_dir.filePath("prices.db"); }

    QTemporaryDir m_dir;
    brasko::DataLibrary m_library{nullptr};
};

const QString kCreate = datalibtest::kCreatePrices;

TEST_F(DataLibSqlite, ReadsTheRowsOfOneCodeInDateOrder)
{
    datalibtest::MakeDatabase(DatabasePath(),
                 {kCreate,
                  "INSERT INTO prices VALUES('7203','2024-01-09',111,111,100,102,1500)",
                  "INSERT INTO prices VALUES('9999','2024-01-08',1,1,1,1,1)",
                  "INSERT INTO prices VALUES('7203','2024/1/4',100,110,95,105,1000)",
                  "INSERT INTO prices VALUES('7203',20240105,105,112,101,111,NULL)",
                  "INSERT INTO prices VALUES('7203','2024-01-10',NULL,NULL,NULL,NULL,5)",
                  "INSERT INTO prices VALUES('7203','bad',1,1,1,1,1)",
                  "INSERT INTO prices VALUES('7203','2024-01-11',5,4,6,5,1)"});
    const std::vector<Bar> expected{
        {20240104, 100, 110, 95, 105, 1000},
        {20240105, 105, 112, 101, 111, 0},
        {20240109, 111, 111, 100, 102, 1500},
    };
    EXPECT_EQ(datalibtest::BarsOf(Load(DatabasePath(), "7203")), expected);
    // The database is what to watch for new prices, for a code it holds or not.
    const std::string database = DatabasePath().toStdString();
    for (const std::string code : {"7203", "0000"}) {
        const std::string origin = m_library.LoadData(database, code, 5, {}).origin;
        EXPECT_TRUE(std::filesystem::equivalent(origin, database)) << code;
    }
    EXPECT_EQ(m_library.LoadData(database + ".none", "7203", 5, {}).origin, "");
}

TEST_F(DataLibSqlite, TextValuesFollowThePriceFileRules)
{
    datalibtest::MakeDatabase(DatabasePath(),
                 {kCreate, "INSERT INTO prices VALUES('1','2024-01-04','100','$110','95',"
                           "'1,105.5','1.5K')"});
    const std::vector<Bar> expected{{20240104, 100, 110, 95, 1105.5, 1500}};
    EXPECT_EQ(datalibtest::BarsOf(Load(DatabasePath(), "1")), expected);
}

struct NoDataCase {
    const char* name;
    QStringList statements; // empty: no database file at all
    const char* code;
    quorex::DataProblem problem;
};

class DataLibSqliteNull
    : public DataLibSqlite,
      public ::testing::WithParamInterface<std::tuple<NoDataCase, std::size_t>> {};

TEST_P(DataLibSqliteNull, SaysWhyAndCreatesNothing)
{
    const auto& [c, latestBars] = GetParam();
    if (!c.statements.isEmpty())
        datalibtest::MakeDatabase(DatabasePath(), c.statements);
    const bool existed = QFile::exists(DatabasePath());
    const quorex::DataResult result =
        m_library.LoadData(datalibtest::LocalPath(DatabasePath()), c.code, 5, {latestBars});
    EXPECT_EQ(result.data, nullptr);
    EXPECT_EQ(result.problem, c.problem);
    EXPECT_EQ(QFile::exists(DatabasePath()), existed);
    EXPECT_EQ(QSqlDatabase::connectionNames(), QStringList()) << "connection left behind";
}

using quorex::DataProblem;

INSTANTIATE_TEST_SUITE_P(Cases, DataLibSqliteNull, ::testing::Combine(::testing::Values(
    NoDataCase{"MissingFile", {}, "7203", DataProblem::DatabaseMissing},
    NoDataCase{"EmptyTable", {kCreate}, "7203", DataProblem::CodeMissing},
    NoDataCase{"OtherCodeOnly", {kCreate, "INSERT INTO prices VALUES('1','2024-01-04',1,1,1,1,1)"},
               "7203", DataProblem::CodeMissing},
    NoDataCase{"NoPricesTable", {"CREATE TABLE quotes(code TEXT)"}, "7203",
               DataProblem::TableMissing},
    NoDataCase{"MissingColumn", {"CREATE TABLE prices(code TEXT, date TEXT)"}, "7203",
               DataProblem::TableMissing},
    NoDataCase{"OnlyBadRows",
               {kCreate, "INSERT INTO prices VALUES('7203','2024-01-04',-1,1,1,1,1)"},
               "7203", DataProblem::Unreadable}),
    ::testing::Values(0, 60)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + "_"
               + std::to_string(std::get<1>(info.param));
    });

TEST_F(DataLibSqlite, NotADatabaseGivesNullAndLeavesTheFileAlone)
{
    const QByteArray bytes = "Date,Close\n2024-01-04,105\n";
    ASSERT_TRUE(WriteFileBytes(DatabasePath(), bytes));
    const auto result = m_library.LoadData(datalibtest::LocalPath(DatabasePath()), "7203", 5, {});
    EXPECT_EQ(result.data, nullptr);
    EXPECT_EQ(result.problem, quorex::DataProblem::TableMissing);
    EXPECT_EQ(ReadFileBytes(DatabasePath()), bytes);
}

TEST_F(DataLibSqlite, PathBytesArePassedUnchanged)
{
    // A Shift-JIS folder name ("株価") and URI characters in the file name.
    const std::string folder = datalibtest::LocalPath(m_dir.path()) + "/\x8A\x94\x89\xBF";
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    const std::string path = folder + "/a?b#c%20.db";
    datalibtest::MakeDatabase(m_dir.filePath("maker.db"),
                 {kCreate, "INSERT INTO prices VALUES('1','2024-01-04',1,2,1,2,5)"});
    const std::string made = datalibtest::LocalPath(m_dir.filePath("maker.db"));
    ASSERT_EQ(std::rename(made.c_str(), path.c_str()), 0);
    EXPECT_NE(m_library.LoadData(path, "1", 5), nullptr);
}

TEST_F(DataLibSqlite, FolderAsDatabaseIsNoDatabase)
{
    const auto result = m_library.LoadData(datalibtest::LocalPath(m_dir.path()), "7203", 5, {});
    EXPECT_EQ(result.data, nullptr);
    EXPECT_EQ(result.problem, quorex::DataProblem::DatabaseMissing);
}

} // namespace
