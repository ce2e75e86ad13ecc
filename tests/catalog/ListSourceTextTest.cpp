#include "ListWriterTestSupport.h"

#include "catalog/ListEdits.h"
#include "catalog/ListSourceText.h"

#include <QDir>

#include <unistd.h>

using namespace mosgrid;

namespace {

using catalog_test::PrintTo;

struct SourceRow {
    std::string name;
    std::string listPath;
    std::string source;
    std::string written;
};

const SourceRow kSourceRows[] = {
    {"FileInFolder", "/lists/a.txt", "/lists/data.db", "data.db"},
    {"FileBelowFolder", "/lists/a.txt", "/lists/csv/7203.csv", "csv/7203.csv"},
    {"FolderBelowKeepsSlash", "/lists/a.txt", "/lists/csv/", "csv/"},
    {"DotsResolved", "/lists/./a.txt", "/lists/x/../csv//7203.csv", "csv/7203.csv"},
    {"TheFolderItself", "/lists/a.txt", "/lists", "/lists"},
    {"SiblingWithSamePrefix", "/lists/a.txt", "/lists2/data.db", "/lists2/data.db"},
    {"Outside", "/lists/a.txt", "/data/data.db", "/data/data.db"},
    {"UpAndBackOut", "/lists/a.txt", "/lists/../data.db", "/lists/../data.db"},
    {"RelativeKept", "/lists/a.txt", "csv/7203.csv", "csv/7203.csv"},
    {"EmptyKept", "/lists/a.txt", "", ""},
};

class ListSourceText : public testing::TestWithParam<SourceRow> {};

TEST_P(ListSourceText, InsideTheListFolderBecomesRelative)
{
    const SourceRow& row = GetParam();
    EXPECT_EQ(SourceRelativeToList(row.listPath, row.source), row.written);
}

INSTANTIATE_TEST_SUITE_P(Rows, ListSourceText, testing::ValuesIn(kSourceRows),
                         RowName<SourceRow>);

TEST(ListSourceTextLinks, FolderReachedThroughALink)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("real/csv")));
    const std::string real = NativePath(dir.filePath(QStringLiteral("real")));
    const std::string link = NativePath(dir.filePath(QStringLiteral("link")));
    ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
    EXPECT_EQ(SourceRelativeToList(link + "/a.txt", real + "/csv/1.csv"), "csv/1.csv");
    EXPECT_EQ(SourceRelativeToList(real + "/a.txt", link + "/csv/1.csv"), "csv/1.csv");
}

// A relative list path is taken from the working folder, and the written source is found
// beside the list when the catalog loads it from elsewhere.
TEST(ListSourceTextLinks, WrittenSourceLoadsFromTheListFolder)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("lists"));
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/csv-listwriter-test")));
    const std::string source = NativePath(folder) + "/csv-listwriter-test";
    const std::string listPath = NativePath(folder) + "/a.txt";

    const ListEditResult result =
        InsertListItems(ListDocument(), 0, {{1, source, "7203", "t"}}, listPath);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.document.ItemText(0), "1,csv-listwriter-test,7203,t");
    ASSERT_TRUE(WriteFileBytes(QString::fromStdString(listPath),
                               QByteArray::fromStdString(result.document.Bytes())));
    CatalogItemList items;
    ASSERT_TRUE(LoadCatalogList(listPath, false, items).complete);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0]->m_strSource, source);

    const QString oldFolder = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder));
    EXPECT_EQ(SourceRelativeToList("a.txt", source), "csv-listwriter-test");
    EXPECT_EQ(SourceRelativeToList("../lists/a.txt", source), "csv-listwriter-test");
    ASSERT_TRUE(QDir::setCurrent(oldFolder));
}

} // namespace
