#include "CatalogTestSupport.h"

#include <tuple>
#include <vector>

using namespace std::string_literals;

namespace {

using catalog_test::PrintTo;

constexpr unsigned int kText = 0;
constexpr unsigned int kBinary = CListFileReader::flagBinary;

struct ReadRow {
    std::string name;
    std::string bytes;
    unsigned int flags;
    std::string delimiters;
    std::vector<std::string> reads; // every ReadUntil up to the end marker
    std::uint32_t lines;            // the line counter afterwards
};

const ReadRow kReadRows[] = {
    {"EmptyFile", "", kText, "\n", {""}, 1},
    {"LineFeedsOnly", "\n\n\n", kText, "\n", {"", "", "", ""}, 4},
    {"LastLineWithoutLineFeed", "1,a\n2,b", kText, "\n", {"1,a", "2,b"}, 2},
    {"EndsWithLineFeed", "a\nb\n", kText, "\n", {"a", "b", ""}, 3},
    {"CrLfText", "a\r\nb\r\n", kText, "\n", {"a", "b", ""}, 3},
    {"CrLfBinary", "a\r\nb\r\n", kBinary, "\n", {"a\r", "b\r", ""}, 3},
    {"LoneCrStays", "a\rb\n\r", kText, "\n", {"a\rb", "\r"}, 2},
    {"CrCrLf", "a\r\r\nb", kText, "\n", {"a\r", "b"}, 2},
    {"CrAsDelimiter", "a\rb\r\nc", kText, "\r", {"a", "b\nc"}, 2},
    {"CtrlZEndsText", "a\nb\x1A" "c\n", kText, "\n", {"a", "b"}, 2},
    {"CtrlZPassesBinary", "a\nb\x1A" "c\n", kBinary, "\n", {"a", "b\x1A" "c", ""}, 3},
    {"CrBeforeCtrlZ", "a\r\x1A\n", kText, "\n", {"a\r"}, 1},
    {"FfEndsText", "a\nb\xFF" "c\nd", kText, "\n", {"a", "b\xFF"}, 2},
    {"FfEndsBinary", "a\nb\xFF" "c\nd", kBinary, "\n", {"a", "b\xFF"}, 2},
    {"FfFirst", "\xFF\n", kText, "\n", {"\xFF"}, 1},
    {"FfAsDelimiter", "a\xFF" "b", kText, "\xFF", {"a"}, 1},
    {"LineFeedOutsideDelimiters", "a,b\nc,d", kText, ",", {"a", "b\nc", "d"}, 2},
    {"CrLfOutsideDelimiters", "a\r\nb", kText, ",", {"a\nb"}, 2},
    {"EmptyDelimiterSet", "ab\ncd\n", kText, "", {"ab\ncd\n"}, 3},
    {"SeveralDelimiters", "a;b,c", kText, ",;", {"a", "b", "c"}, 1},
    {"NulIsData", "a\0b\n"s, kText, "\n", {"a\0b"s, ""}, 2},
    {"ShiftJisBytes", "\x83\x5C,\x95\x5C\n", kText, "\n", {"\x83\x5C,\x95\x5C", ""}, 2},
};

// Each table row also runs with reads of one and two bytes, so every CR LF, 0x1A and
// 0xFF also falls on a buffer boundary.
class CatalogReaderRead : public testing::TestWithParam<std::tuple<ReadRow, std::size_t>> {
};

TEST_P(CatalogReaderRead, ReadsUpToDelimitersAndEnd)
{
    const auto& [row, chunk] = GetParam();
    QTemporaryDir dir;
    const std::string path = WriteListFile(dir, row.bytes);
    ScriptedReader reader;
    reader.chunk = chunk;
    ASSERT_TRUE(reader.OpenFile(path, row.flags));

    std::vector<std::string> reads;
    for (int guard = 0; !reader.AtEnd() && guard < 100; ++guard)
        reads.push_back(reader.ReadUntil(row.delimiters));
    EXPECT_EQ(reads, row.reads);
    EXPECT_EQ(reader.Line(), row.lines);
    EXPECT_FALSE(reader.HasReadError());

    // At the end every read returns nothing and leaves the file alone.
    const int calls = reader.readCalls;
    EXPECT_EQ(reader.ReadUntil(row.delimiters), "");
    EXPECT_EQ(reader.ReadUntil(""), "");
    EXPECT_EQ(reader.readCalls, calls);
    EXPECT_EQ(reader.LastByte(), CListFileReader::kEndMarker);
}

INSTANTIATE_TEST_SUITE_P(Rows, CatalogReaderRead,
                         testing::Combine(testing::ValuesIn(kReadRows),
                                          testing::Values(std::size_t{0}, 1, 2)),
                         [](const auto& info) {
                             return std::get<0>(info.param).name + "_chunk"
                                 + std::to_string(std::get<1>(info.param));
                         });

TEST(CatalogReader, LastByteHoldsTheDelimiter)
{
    QTemporaryDir dir;
    ScriptedReader reader;
    ASSERT_TRUE(reader.OpenFile(WriteListFile(dir, "a;b\nc"), kText));
    EXPECT_EQ(reader.LastByte(), 0);
    EXPECT_EQ(reader.ReadUntil(";\n"), "a");
    EXPECT_EQ(reader.LastByte(), ';');
    EXPECT_EQ(reader.ReadUntil(";\n"), "b");
    EXPECT_EQ(reader.LastByte(), '\n');
    EXPECT_EQ(reader.ReadUntil(";\n"), "c");
    EXPECT_TRUE(reader.AtEnd());
}

struct OverflowRow {
    std::string name;
    std::uint32_t start;
    int lineFeeds;
    int messages;
    std::uint32_t finalLine;
};

const OverflowRow kOverflowRows[] = {
    {"BelowMaximum", 0xFFFFFFFDu, 1, 0, 0xFFFFFFFEu},
    {"ReachesMaximum", 0xFFFFFFFEu, 1, 0, 0xFFFFFFFFu},
    {"EveryLineFeedPastMaximum", 0xFFFFFFFEu, 3, 2, 0xFFFFFFFFu},
    {"AtMaximum", 0xFFFFFFFFu, 2, 2, 0xFFFFFFFFu},
};

class CatalogReaderOverflow : public testing::TestWithParam<OverflowRow> {
};

TEST_P(CatalogReaderOverflow, WarnsAtMaximumAndReadsOn)
{
    const OverflowRow& row = GetParam();
    QTemporaryDir dir;
    std::string bytes;
    for (int i = 0; i < row.lineFeeds; ++i)
        bytes += "x\n";
    ScriptedReader reader;
    ASSERT_TRUE(reader.OpenFile(WriteListFile(dir, bytes), kText));
    reader.SetLineCounter(row.start);

    MessageRecorder recorder;
    int lines = 0;
    while (!reader.AtEnd())
        lines += reader.ReadUntil("\n") == "x";
    EXPECT_EQ(lines, row.lineFeeds);
    EXPECT_EQ(reader.Line(), row.finalLine);
    EXPECT_EQ(recorder.texts(), QStringList(row.messages, QStringLiteral("Over flow.\n")));
}

INSTANTIATE_TEST_SUITE_P(Rows, CatalogReaderOverflow, testing::ValuesIn(kOverflowRows),
                         RowName<OverflowRow>);

struct FailureRow {
    std::string name;
    std::int64_t failAfter;
    int interrupts;
    std::vector<std::string> reads;
    bool readError;
};

const FailureRow kFailureRows[] = {
    {"FailsAtOnce", 0, 0, {""}, true},
    {"FailsMidLineDropsThePart", 6, 0, {"1,a", ""}, true},
    {"FailsAfterLineFeed", 4, 0, {"1,a", ""}, true},
    {"FailsBetweenCrAndLf", 8, 0, {"1,a", ""}, true},
    {"InterruptedReadsRetried", -1, 3, {"1,a", "2,b", "3,c"}, false},
};

class CatalogReaderFailure : public testing::TestWithParam<FailureRow> {
};

TEST_P(CatalogReaderFailure, ReadErrorEndsInputAndIsReported)
{
    const FailureRow& row = GetParam();
    QTemporaryDir dir;
    ScriptedReader reader;
    reader.failAfter = row.failAfter;
    reader.interrupts = row.interrupts;
    ASSERT_TRUE(reader.OpenFile(WriteListFile(dir, "1,a\n2,b\r\n3,c"), kText));
    std::vector<std::string> reads;
    for (int guard = 0; !reader.AtEnd() && guard < 100; ++guard)
        reads.push_back(reader.ReadUntil("\n"));
    EXPECT_EQ(reads, row.reads);
    EXPECT_EQ(reader.HasReadError(), row.readError);
    EXPECT_EQ(reader.ReadUntil("\n"), "");

    // A new open starts clean.
    ASSERT_TRUE(reader.OpenFile(WriteListFile(dir, "z", "other.txt"), kText));
    EXPECT_FALSE(reader.HasReadError());
}

INSTANTIATE_TEST_SUITE_P(Rows, CatalogReaderFailure, testing::ValuesIn(kFailureRows),
                         RowName<FailureRow>);

struct FieldRow {
    std::string name;
    std::string line;
    int n;
    std::string field;
};

const FieldRow kFieldRows[] = {
    {"First", "7,ab,,c d", 0, "7"},
    {"Second", "7,ab,,c d", 1, "ab"},
    {"EmptyBetweenCommas", "7,ab,,c d", 2, ""},
    {"LastKeepsSpace", "7,ab,,c d", 3, "c d"},
    {"PastLast", "7,ab,,c d", 4, ""},
    {"Negative", "7,ab,,c d", -1, ""},
    {"QuoteOpensField", "\"a,b\",c", 0, "\"a"},
    {"QuoteClosesField", "\"a,b\",c", 1, "b\""},
    {"AfterQuotedComma", "\"a,b\",c", 2, "c"},
    {"OneFieldWhole", " 42 ", 0, " 42 "},
    {"OneFieldSecondMissing", "42", 1, ""},
    {"EmptyLine", "", 0, ""},
    {"TrailingComma", "a,", 1, ""},
    {"LeadingComma", ",a", 0, ""},
    {"FifthField", "1,a,b,c,d,e", 4, "d"},
    {"TabsAndNul", "\t1\0,x"s, 0, "\t1\0"s},
    {"ShiftJisTrailBytes", "\x83\x5C\x95\x5C,\x8E\xA6", 1, "\x8E\xA6"},
};

class CatalogGetField : public testing::TestWithParam<FieldRow> {
};

TEST_P(CatalogGetField, SplitsAtEveryComma)
{
    const FieldRow& row = GetParam();
    EXPECT_EQ(CListFileReader::GetField(row.line, row.n), row.field);
}

INSTANTIATE_TEST_SUITE_P(Rows, CatalogGetField, testing::ValuesIn(kFieldRows),
                         RowName<FieldRow>);

} // namespace
