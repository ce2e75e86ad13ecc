#include "CatalogTestSupport.h"

#include "catalog/CatalogListLoader.h"
#include "catalog/SourceCatalog.h"

#include <QDir>

#include <sqlite3.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <ctime>

using namespace mosgrid;

namespace {

using catalog_test::PrintTo;

struct FolderRow {
    std::string name;
    std::vector<QString> files;     // made empty; a name ending in '/' is a folder
    std::vector<std::string> codes; // what the catalog lists, in order
};

class FolderCatalogTest : public testing::TestWithParam<FolderRow> {};

TEST_P(FolderCatalogTest, ListsPriceFilesSortedByCode)
{
    QTemporaryDir dir;
    for (const QString& file : GetParam().files) {
        if (file.endsWith(QLatin1Char('/')))
            ASSERT_TRUE(QDir(dir.path()).mkpath(file));
        else
            ASSERT_TRUE(WriteFileBytes(dir.filePath(file), "date,close\n"));
    }
    const std::string folder = NativePath(dir.path());
    ASSERT_EQ(SourceCatalogKindOf(folder), SourceCatalogKind::CsvFolder);

    CatalogItemList items;
    const ListLoadOutcome outcome = LoadCatalogList(folder, true, items);
    EXPECT_TRUE(outcome.complete);
    std::vector<std::string> codes;
    for (const auto& item : items) {
        codes.push_back(item->m_strCode);
        EXPECT_EQ(item->m_strName, item->m_strCode);
        EXPECT_EQ(item->m_strSource, folder);
        EXPECT_EQ(item->m_nType, 1);
    }
    EXPECT_EQ(codes, GetParam().codes);
    // Given with /rm, a folder is never removed.
    EXPECT_TRUE(QDir(dir.path()).exists());
}

INSTANTIATE_TEST_SUITE_P(
    Folders, FolderCatalogTest,
    testing::Values(
        FolderRow{"Empty", {}, {}},
        FolderRow{"SortedAsBytes", {"7203.csv", "1301.csv", "130.csv", "9984.csv"},
                  {"130", "1301", "7203", "9984"}},
        FolderRow{"UpperCaseExtensionOnce", {"1301.CSV", "1301.csv", "6758.CSV"},
                  {"1301", "6758"}},
        FolderRow{"OtherFilesLeftOut",
                  {"notes.txt", ".csv", "1301.csv.bak", "x.Csv", "sub.csv/", "8306.csv"},
                  {"8306"}},
        FolderRow{"JapaneseNames", {"日経平均.csv", "1301.csv"}, {"1301", "日経平均"}}),
    RowName<FolderRow>);

struct DatabaseRow {
    std::string name;
    std::string sql;                // run on a new database
    bool readable = true;
    std::vector<std::string> codes;
};

class DatabaseCatalogTest : public testing::TestWithParam<DatabaseRow> {};

TEST_P(DatabaseCatalogTest, ListsCodesOfPricesTable)
{
    QTemporaryDir dir;
    const std::string file = NativePath(dir.filePath(QStringLiteral("prices.db")));
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, GetParam().sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);

    ASSERT_EQ(SourceCatalogKindOf(file), SourceCatalogKind::Database);
    CatalogItemList items;
    EXPECT_EQ(LoadCatalogList(file, true, items).opened, GetParam().readable);
    std::vector<std::string> codes;
    for (const auto& item : items) {
        codes.push_back(item->m_strCode);
        EXPECT_EQ(item->m_nType, 5);
        EXPECT_EQ(item->m_strSource, file);
    }
    EXPECT_EQ(codes, GetParam().codes);
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("prices.db"))));
}

INSTANTIATE_TEST_SUITE_P(
    Databases, DatabaseCatalogTest,
    testing::Values(
        DatabaseRow{"DistinctSorted",
                    "CREATE TABLE prices(code TEXT, date INTEGER, close REAL);"
                    "INSERT INTO prices VALUES('7203',1,1),('1301',1,1),('7203',2,1),"
                    "(NULL,1,1),('',1,1);",
                    true,
                    {"1301", "7203"}},
        DatabaseRow{"NumericCodesAsText",
                    "CREATE TABLE prices(code, date);"
                    "INSERT INTO prices VALUES(1301,1),(130,1),('9984',1);",
                    true,
                    {"130", "1301", "9984"}},
        DatabaseRow{"NoPricesTable", "CREATE TABLE other(x);", false, {}}),
    RowName<DatabaseRow>);

TEST(SourceCatalogKindTest, ListFilesKeepTheirMeaning)
{
    QTemporaryDir dir;
    const std::string list = WriteListFile(dir, "1,/s,1301,a\n");
    const std::string almost = WriteListFile(dir, "SQLite format 3", QStringLiteral("a.db"));
    EXPECT_EQ(SourceCatalogKindOf(list), SourceCatalogKind::None);
    EXPECT_EQ(SourceCatalogKindOf(almost), SourceCatalogKind::None);
    EXPECT_EQ(SourceCatalogKindOf(NativePath(dir.filePath(QStringLiteral("none")))),
              SourceCatalogKind::None);
}

} // namespace

namespace {

// A listing made ahead is taken once, and only while the folder is as it was when listed.
TEST(ListedCodesTest, TakenOnceWhileTheFolderIsUnchanged)
{
    struct Row {
        const char* name;
        bool otherPath;
        bool fileAdded;
        bool takenTwice;
        bool taken;
    };
    const Row rows[] = {
        {"Unchanged", false, false, false, true},
        {"OtherPath", true, false, false, false},
        {"FileAddedSinceListing", false, true, false, false},
        {"SecondTake", false, false, true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        ASSERT_TRUE(WriteFileBytes(dir.filePath(QStringLiteral("1301.csv")), "1\n"));
        const std::string folder = NativePath(dir.path());
        KeepListedCodes(folder, SourceStamp(folder), {"listed"});
        if (row.fileAdded) {
            // A second later, so that even a coarse clock moves.
            struct timespec later[2] = {{0, UTIME_OMIT}, {::time(nullptr) + 1, 0}};
            ASSERT_TRUE(WriteFileBytes(dir.filePath(QStringLiteral("7203.csv")), "1\n"));
            ASSERT_EQ(::utimensat(AT_FDCWD, folder.c_str(), later, 0), 0);
        }
        if (row.takenTwice)
            TakeListedCodes(folder);
        const auto taken = TakeListedCodes(row.otherPath ? folder + "/x" : folder);
        EXPECT_EQ(taken.has_value(), row.taken);
        // The load takes a listing kept for it instead of listing again.
        KeepListedCodes(folder, SourceStamp(folder), {"kept"});
        CatalogItemList items;
        LoadCatalogList(folder, false, items);
        ASSERT_EQ(items.size(), 1u);
        EXPECT_EQ(items[0]->m_strCode, "kept");
    }
}

} // namespace
