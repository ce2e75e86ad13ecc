#include "ListWriterTestSupport.h"

#include "catalog/CListFileReader.h"
#include "catalog/ListDocument.h"

using namespace mosgrid;

using namespace std::string_literals;

namespace {

using catalog_test::PrintTo;

const std::string kLongLine = "1,s,c," + std::string(70000, 'n'); // beyond one reader buffer

struct DocumentRow {
    std::string name;
    std::string bytes;
    std::vector<int> itemLines;
    int stopLine;
    ListEncoding encoding;
    ListLineEnd dominantEnd;
};

const DocumentRow kDocumentRows[] = {
    {"Empty", "", {}, -1, ListEncoding::Utf8, ListLineEnd::Lf},
    {"BlankLinesSkipped", "1,a\n\n2,b", {0, 2}, -1, ListEncoding::Utf8, ListLineEnd::Lf},
    {"BomAloneOnFirstLine", "\xEF\xBB\xBF\r\n1,a\r\n", {1}, -1, ListEncoding::Utf8Bom,
     ListLineEnd::CrLf},
    {"BomOnly", "\xEF\xBB\xBF", {}, -1, ListEncoding::Utf8Bom, ListLineEnd::Lf},
    {"CrLfLineIsBlank", "\r\n\r\n1,a\r\n2,b\n", {2, 3}, -1, ListEncoding::Utf8,
     ListLineEnd::CrLf},
    {"LoneCrLineIsItem", "\r\n\r\r\n", {1}, -1, ListEncoding::Utf8, ListLineEnd::CrLf},
    {"CtrlZLineStops", "1,a\n\x1A\n2,b\n", {0}, 1, ListEncoding::Utf8, ListLineEnd::Lf},
    {"CtrlZInsideItem", "\n1,a\x1A" "b\n2,c", {1}, 1, ListEncoding::Utf8, ListLineEnd::Lf},
    {"CtrlZAtVeryEnd", "1,a\n\x1A", {0}, 1, ListEncoding::Utf8, ListLineEnd::Lf},
    {"FfStops", "1,a\xFF\n2,b\n", {0}, 0, ListEncoding::ShiftJis, ListLineEnd::Lf},
    {"ShiftJisMajority", "1,\x83\x67\n2,\xE6\x97\xA5\n3,\x83\x5C\n", {0, 1, 2}, -1,
     ListEncoding::ShiftJis, ListLineEnd::Lf},
    {"Utf8Majority", "1,\xE6\x97\xA5\n2,\xE7\x94\xA3\n3,\x83\x5C\n", {0, 1, 2}, -1,
     ListEncoding::Utf8, ListLineEnd::Lf},
    {"InvalidOnlyAfterStop", "1,a\n\x1A\x83\x67\n", {0}, 1, ListEncoding::Utf8,
     ListLineEnd::Lf},
    {"LineLongerThanReaderBuffer", kLongLine + "\r\n\r\n2,b\r\n", {0, 2}, -1,
     ListEncoding::Utf8, ListLineEnd::CrLf},
    {"NulInLine", "1,a\0b\n\n"s, {0}, -1, ListEncoding::Utf8, ListLineEnd::Lf},
};

class ListDocumentLines : public testing::TestWithParam<DocumentRow> {
protected:
    QTemporaryDir m_dir;
};

TEST_P(ListDocumentLines, MarksTheLinesTheLoaderReads)
{
    const DocumentRow& row = GetParam();
    const ListDocument document(row.bytes);
    std::vector<int> itemLines;
    for (int item = 0; item < document.ItemCount(); ++item) {
        itemLines.push_back(document.LineOfItem(item));
        EXPECT_EQ(document.ItemOfLine(document.LineOfItem(item)), item);
    }
    EXPECT_EQ(itemLines, row.itemLines);
    EXPECT_EQ(document.StopLine(), row.stopLine);
    EXPECT_EQ(document.Encoding(), row.encoding);
    EXPECT_EQ(document.DominantLineEnd(), row.dominantEnd);

    // The item texts split as the loader splits them give what it loads.
    std::vector<std::pair<std::string, std::string>> fields;
    for (const std::string& text : document.ItemTexts())
        fields.emplace_back(CListFileReader::GetField(text, 2),
                            CListFileReader::GetField(text, 3));
    EXPECT_EQ(fields, LoadedCodesAndNames(m_dir, row.bytes));

    // The lines put back together are the bytes.
    std::string joined = document.HasByteOrderMark() ? "\xEF\xBB\xBF" : "";
    for (int line = 0; line < document.LineCount(); ++line) {
        joined += document.LineContent(line);
        joined += ListDocument::EndBytes(document.LineEnd(line));
    }
    EXPECT_EQ(joined, row.bytes);
}

INSTANTIATE_TEST_SUITE_P(Rows, ListDocumentLines, testing::ValuesIn(kDocumentRows),
                         RowName<DocumentRow>);

} // namespace
