#include "ListWriterTestSupport.h"

#include "catalog/ShownListWriter.h"

#include "base/SafeFile.h"

using namespace mosgrid;

namespace {

using catalog_test::PrintTo;

#define BOM "\xEF\xBB\xBF"
// Names in Shift-JIS: トヨタ, ソニー (its second byte is a backslash), 日産.
#define SJ_TOYOTA "\x83\x67\x83\x88\x83\x5E"
#define SJ_SONY "\x83\x5C\x83\x6A\x81\x5B"
#define SJ_NISSAN "\x93\xFA\x8E\x59"

struct ShownRow {
    std::string name;
    std::string list;
    std::vector<int> shown;
    std::string expected;
};

class ShownListWriterTest : public testing::TestWithParam<ShownRow> {};

// The new file holds the shown lines byte for byte, and reads back as those securities.
TEST_P(ShownListWriterTest, KeepsEachLineAndItsEncoding)
{
    const ShownRow& row = GetParam();
    const ListDocument list(row.list);
    const std::string bytes = ShownListBytes(list, row.shown);
    EXPECT_EQ(bytes, row.expected);

    QTemporaryDir dir;
    const std::string original = WriteListFile(dir, row.list);
    CatalogItemList before;
    LoadCatalogList(original, false, before);
    const std::string saved = NativePath(dir.filePath(QStringLiteral("saved.txt")));
    ASSERT_EQ(WriteListFileAtomically(saved, bytes), 0);
    EXPECT_EQ(ReadBytes(saved), row.expected);
    CatalogItemList after;
    LoadCatalogList(saved, false, after);
    std::vector<int> valid;
    for (const int item : row.shown) {
        if (item >= 0 && item < int(before.size()))
            valid.push_back(item);
    }
    ASSERT_EQ(after.size(), valid.size());
    for (std::size_t i = 0; i < valid.size(); ++i) {
        EXPECT_EQ(after[i]->m_strCode, before[valid[i]]->m_strCode);
        EXPECT_EQ(after[i]->m_strName, before[valid[i]]->m_strName);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ShownListWriterTest,
    testing::Values(
        ShownRow{"Utf8Lf", "1,/s,1,トヨタ\n1,/s,2,ソニー\n1,/s,3,日産\n", {2, 0},
                 "1,/s,3,日産\n1,/s,1,トヨタ\n"},
        ShownRow{"Utf8BomCrLf", BOM "1,/s,1,トヨタ\r\n\r\n1,/s,2,ソニー\r\n", {1, 0},
                 BOM "1,/s,2,ソニー\r\n1,/s,1,トヨタ\r\n"},
        ShownRow{"ShiftJisCrLf",
                 "1,/s,1," SJ_TOYOTA "\r\n1,/s,2," SJ_SONY "\r\n1,/s,3," SJ_NISSAN "\r\n",
                 {1, 2}, "1,/s,2," SJ_SONY "\r\n1,/s,3," SJ_NISSAN "\r\n"},
        ShownRow{"LastLineWithoutEndTakesUsualEnd", "1,/s,1,a\r\n1,/s,2,b", {1, 0},
                 "1,/s,2,b\r\n1,/s,1,a\r\n"},
        ShownRow{"MixedEndsKeptPerLine", "1,/s,1,a\r\n1,/s,2,b\n1,/s,3,c\n", {0, 1},
                 "1,/s,1,a\r\n1,/s,2,b\n"},
        ShownRow{"SkippedLinesAndUnknownItemsLeftOut", "\n1,/s,1,a\n\n1,/s,2,b\n", {1, 7, -1},
                 "1,/s,2,b\n"},
        ShownRow{"NothingShownBomOnly", BOM "1,/s,1,a\n", {}, BOM}),
    RowName<ShownRow>);

TEST(ItemListBytesTest, WritesLoadedFieldsWithSourcesRelativeToTheList)
{
    QTemporaryDir dir;
    const std::string folder = NativePath(dir.path());
    CatalogItemList items;
    auto add = [&](int type, std::string source, std::string code, std::string name) {
        items.push_back(std::make_unique<CatalogItem>(
            CatalogItem{type, std::move(source), std::move(code), std::move(name)}));
    };
    add(1, folder + "/prices", "1301", SJ_TOYOTA);
    add(5, "/elsewhere/p.db", "7203", "7203");
    add(1, folder, "a,b", "a,b");  // a file name the format cannot hold
    int skipped = 0;
    const std::string list = folder + "/watch.txt";
    EXPECT_EQ(ItemListBytes(items, {1, 2, 0}, list, skipped),
              "5,/elsewhere/p.db,7203,7203\n1,prices,1301," SJ_TOYOTA "\n");
    EXPECT_EQ(skipped, 1);
}

TEST(WriteListFileAtomicallyTest, ReplacesWholeOrNotAtAll)
{
    QTemporaryDir dir;
    const std::string path = WriteListFile(dir, "old\n");
    EXPECT_EQ(WriteListFileAtomically(path, "new\n"), 0);
    EXPECT_EQ(ReadBytes(path), "new\n");
    SafeFile::SetSpaceLeftForTesting(2);
    EXPECT_NE(WriteListFileAtomically(path, "longer than two\n"), 0);
    SafeFile::SetSpaceLeftForTesting(-1);
    EXPECT_EQ(ReadBytes(path), "new\n");
    EXPECT_NE(WriteListFileAtomically(NativePath(dir.filePath("none/x.txt")), "x"), 0);
}

} // namespace
