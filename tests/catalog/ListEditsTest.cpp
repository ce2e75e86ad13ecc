#include "ListWriterTestSupport.h"

#include "catalog/ListEdits.h"

#include <functional>

using namespace mosgrid;

namespace {

using catalog_test::PrintTo;

// Names in Shift-JIS and UTF-8.
#define SJ_TOYOTA "\x83\x67\x83\x88\x83\x5E"
#define SJ_SONY "\x83\x5C\x83\x6A\x81\x5B"
#define SJ_NISSAN "\x93\xFA\x8E\x59"
#define U8_NISSAN "\xE6\x97\xA5\xE7\x94\xA3"
#define BOM "\xEF\xBB\xBF"

using Edit = std::function<ListEditResult(const ListDocument&, const std::string& listPath)>;
using CodesAndNames = std::vector<std::pair<std::string, std::string>>;

const NewListItem kNissan{1, "/s", "1003", U8_NISSAN};

Edit Insert(int position, std::vector<NewListItem> items)
{
    return [=](const ListDocument& list, const std::string& listPath) {
        return InsertListItems(list, position, items, listPath);
    };
}

Edit Delete(std::vector<int> items)
{
    return [=](const ListDocument& list, const std::string&) {
        return DeleteListItems(list, items);
    };
}

Edit Move(int item, int step)
{
    return [=](const ListDocument& list, const std::string&) {
        return MoveListItem(list, item, step);
    };
}

struct EditRow {
    std::string name;
    std::string bytes;
    Edit edit;
    std::string expected;  // every byte of the result
    CodesAndNames items;   // as the catalog then loads it
};

const EditRow kEditRows[] = {
    {"Utf8LfInsertBeforeItemAfterBlank", "1,/d,1001,a\n\n2,/d,1002,b\n", Insert(1, {kNissan}),
     "1,/d,1001,a\n\n1,/s,1003," U8_NISSAN "\n2,/d,1002,b\n",
     {{"1001", "a"}, {"1003", U8_NISSAN}, {"1002", "b"}}},
    {"Utf8BomCrLfInsertFirst", BOM "1,/d,1001,a\r\n2,/d,1002,b\r\n", Insert(0, {kNissan}),
     BOM "1,/s,1003," U8_NISSAN "\r\n1,/d,1001,a\r\n2,/d,1002,b\r\n",
     {{"1003", U8_NISSAN}, {"1001", "a"}, {"1002", "b"}}},
    {"ShiftJisCrLfAppendBeforeTrailingBlank",
     "1,C:\\d,1001," SJ_TOYOTA "\r\n\r\n2,C:\\d,1002," SJ_SONY "\r\n\r\n",
     Insert(2, {kNissan}),
     "1,C:\\d,1001," SJ_TOYOTA "\r\n\r\n2,C:\\d,1002," SJ_SONY "\r\n1,/s,1003," SJ_NISSAN
     "\r\n\r\n",
     {{"1001", SJ_TOYOTA}, {"1002", SJ_SONY}, {"1003", SJ_NISSAN}}},
    {"ShiftJisLfAppendAfterUnendedLine", "1,d,1001," SJ_TOYOTA "\n2,d,1002," SJ_SONY,
     Insert(2, {kNissan, {2, "/t", "1004", "x"}}),
     "1,d,1001," SJ_TOYOTA "\n2,d,1002," SJ_SONY "\n1,/s,1003," SJ_NISSAN "\n2,/t,1004,x",
     {{"1001", SJ_TOYOTA}, {"1002", SJ_SONY}, {"1003", SJ_NISSAN}, {"1004", "x"}}},
    {"MixedEndsTakeDominantLf", "1,d,1001,a\r\n2,d,1002,b\n3,d,1003,c\n",
     Insert(1, {{9, "e", "1009", "n"}}),
     "1,d,1001,a\r\n9,e,1009,n\n2,d,1002,b\n3,d,1003,c\n",
     {{"1001", "a"}, {"1009", "n"}, {"1002", "b"}, {"1003", "c"}}},
    {"AppendGoesBeforeCtrlZ", "1,d,1001,a\r\n\x1A\r\n2,d,1002,hidden\r\n",
     Insert(1, {{5, "e", "1005", "n"}}),
     "1,d,1001,a\r\n5,e,1005,n\r\n\x1A\r\n2,d,1002,hidden\r\n", {{"1001", "a"}, {"1005", "n"}}},
    {"EmptyFileInsert", "", Insert(0, {{1, "e", "1001", "n"}, {-2, "", "", ""}}),
     "1,e,1001,n\n-2,,,\n", {{"1001", "n"}, {"", ""}}},
    {"BlankLinesOnlyInsert", "\r\n\r\n", Insert(0, {{1, "e", "1001", "n"}}),
     "1,e,1001,n\r\n\r\n\r\n", {{"1001", "n"}}},
    {"DeleteFirstKeepsBom", BOM "1,/d,1001,a\r\n\r\n2,/d,1002,b\r\n", Delete({0}),
     BOM "\r\n2,/d,1002,b\r\n", {{"1002", "b"}}},
    {"DeleteLastWithoutEnd", "1,d,1001,a\n2,d,1002,b", Delete({1}), "1,d,1001,a\n",
     {{"1001", "a"}}},
    {"DeleteSeveralShiftJis",
     "1,d,1001," SJ_TOYOTA "\r\n2,d,1002," SJ_SONY "\r\n3,d,1003," SJ_NISSAN "\r\n",
     Delete({2, 0, 2}), "2,d,1002," SJ_SONY "\r\n", {{"1002", SJ_SONY}}},
    {"DeleteKeepsLoneCrItem", "1,d,1001,a\rx\n2,d,1002,b\n", Delete({1}), "1,d,1001,a\rx\n",
     {{"1001", "a\rx"}}},
    {"MoveDownLineEndsStay", "1,d,1001,a\r\n2,d,1002,b\n", Move(0, 1),
     "2,d,1002,b\r\n1,d,1001,a\n", {{"1002", "b"}, {"1001", "a"}}},
    {"MoveUpAcrossBlankLines", "1,d,1001,a\n\n\n2,d,1002,b", Move(1, -1),
     "2,d,1002,b\n\n\n1,d,1001,a", {{"1002", "b"}, {"1001", "a"}}},
    {"MoveShiftJisWithBom", BOM "1,d,1001," SJ_TOYOTA "\r\n2,d,1002," SJ_SONY "\r\n",
     Move(1, -1), BOM "2,d,1002," SJ_SONY "\r\n1,d,1001," SJ_TOYOTA "\r\n",
     {{"1002", SJ_SONY}, {"1001", SJ_TOYOTA}}},
};

class ListEdits : public testing::TestWithParam<EditRow> {
protected:
    QTemporaryDir m_dir;
};

TEST_P(ListEdits, WritesExactlyTheExpectedBytesAndReadsBack)
{
    const EditRow& row = GetParam();
    const std::string listPath = NativePath(m_dir.filePath(QStringLiteral("list.txt")));
    const ListEditResult result = row.edit(ListDocument(row.bytes), listPath);
    ASSERT_TRUE(result.ok()) << int(result.error);
    EXPECT_EQ(result.document.Bytes(), row.expected);
    EXPECT_EQ(LoadedCodesAndNames(m_dir, result.document.Bytes()), row.items);
}

INSTANTIATE_TEST_SUITE_P(Rows, ListEdits, testing::ValuesIn(kEditRows), RowName<EditRow>);

struct RefusalRow {
    std::string name;
    std::string bytes;
    Edit edit;
    ListEditError error;
    int newItem;
    ListField field;
};

const std::string kShiftJisList = "1,d,1001," SJ_TOYOTA "\r\n2,d,1002," SJ_SONY "\r\n";
const std::string kUtf8List = "1,d,1001,a\n2,d,1002,b\n";

const RefusalRow kRefusalRows[] = {
    {"EuroNotInShiftJis", kShiftJisList, Insert(0, {{1, "s", "1", "\xE2\x82\xAC"}}),
     ListEditError::NotInShiftJis, 0, fieldName},
    {"EmojiNotInShiftJis", kShiftJisList, Insert(2, {{1, "s", "1", "\xF0\x9F\x98\x80"}}),
     ListEditError::NotInShiftJis, 0, fieldName},
    {"SecondItemsCode", kShiftJisList,
     Insert(1, {{1, "s", "1", "ok"}, {1, "s", "\xE2\x82\xAC", "ok"}}),
     ListEditError::NotInShiftJis, 1, fieldCode},
    {"CommaInName", kUtf8List, Insert(0, {{1, "s", "1", "a,b"}}),
     ListEditError::FieldHasSeparator, 0, fieldName},
    {"LineFeedInName", kUtf8List, Insert(0, {{1, "s", "1", "a\nb"}}),
     ListEditError::FieldHasSeparator, 0, fieldName},
    {"CarriageReturnInCode", kUtf8List, Insert(0, {{1, "s", "1\r", "a"}}),
     ListEditError::FieldHasSeparator, 0, fieldCode},
    {"CtrlZInName", kShiftJisList, Insert(0, {{1, "s", "1", "a\x1A"}}),
     ListEditError::FieldHasSeparator, 0, fieldName},
    {"CommaInSource", kUtf8List, Insert(0, {{1, "/a,b", "1", "a"}}),
     ListEditError::FieldHasSeparator, 0, fieldSource},
    {"BrokenUtf8Name", kUtf8List, Insert(0, {{1, "s", "1", "\xE6\x97"}}),
     ListEditError::FieldNotUtf8, 0, fieldName},
    {"InsertPastEnd", kUtf8List, Insert(3, {{1, "s", "1", "a"}}), ListEditError::NoSuchItem,
     -1, fieldType},
    {"DeleteMissing", kUtf8List, Delete({0, 2}), ListEditError::NoSuchItem, -1, fieldType},
    {"MoveFirstUp", kUtf8List, Move(0, -1), ListEditError::NoSuchItem, -1, fieldType},
    {"MoveLastDown", kUtf8List, Move(1, 1), ListEditError::NoSuchItem, -1, fieldType},
    {"MoveTwoSteps", "1,a\n2,b\n3,c\n", Move(0, 2), ListEditError::NoSuchItem, -1,
     fieldType},
    {"DeleteItemEndingReading", "1,a\n2,b\x1A" "3,c\n", Delete({1}),
     ListEditError::LineEndsReading, -1, fieldType},
    {"AppendAfterItemEndingReading", "1,a\n2,b\xFF\n3,c\n", Insert(2, {{1, "s", "1", "a"}}),
     ListEditError::LineEndsReading, -1, fieldType},
    {"MoveOntoItemEndingReading", "1,a\n2,b\x1A", Move(0, 1),
     ListEditError::LineEndsReading, -1, fieldType},
    {"MoveUnendedCrLineIntoMiddle", "1,a\n2,b\r", Move(1, -1),
     ListEditError::WouldChangeOtherItems, -1, fieldType},
    {"DeleteBeforeLineStartingWithBom", "1,a\n" BOM "2,b\n", Delete({0}),
     ListEditError::WouldChangeOtherItems, -1, fieldType},
};

class ListEditRefusals : public testing::TestWithParam<RefusalRow> {};

TEST_P(ListEditRefusals, LeaveTheListAsItWas)
{
    const RefusalRow& row = GetParam();
    const ListEditResult result = row.edit(ListDocument(row.bytes), "/lists/list.txt");
    EXPECT_EQ(result.error, row.error);
    EXPECT_EQ(result.newItem, row.newItem);
    EXPECT_EQ(result.field, row.field);
    EXPECT_TRUE(result.document.Bytes().empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, ListEditRefusals, testing::ValuesIn(kRefusalRows),
                         RowName<RefusalRow>);

TEST(ListEditsUtf8, TakesWhatShiftJisRefuses)
{
    const ListEditResult result = InsertListItems(
        ListDocument(kUtf8List), 0, {{1, "s", "1", "\xF0\x9F\x98\x80"}}, "/lists/list.txt");
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.document.ItemText(0), "1,s,1,\xF0\x9F\x98\x80");
}

} // namespace
