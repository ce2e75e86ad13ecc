#include "CatalogTestSupport.h"

#include "catalog/CatalogListLoader.h"
#include "catalog/TypeField.h"

#include <QDir>
#include <QFileInfo>

#include <fcntl.h>
#include <limits>
#include <sys/file.h>
#include <unistd.h>
#include <vector>

using namespace mosgrid;

using namespace std::string_literals;

namespace {

using catalog_test::PrintTo;

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

struct Item {
    std::int32_t type;
    std::string source, code, name;
    bool operator==(const Item&) const = default;
};

void PrintTo(const Item& item, std::ostream* out)
{
    *out << '{' << item.type << ", \"" << item.source << "\", \"" << item.code << "\", \""
         << item.name << "\"}";
}

std::vector<Item> Items(const CatalogItemList& list)
{
    std::vector<Item> items;
    for (const auto& item : list)
        items.push_back({item->m_nType, item->m_strSource, item->m_strCode, item->m_strName});
    return items;
}

struct LoadRow {
    std::string name;
    std::string bytes;
    std::vector<Item> items;
};

const LoadRow kLoadRows[] = {
    {"EmptyFile", "", {}},
    {"LineFeedsOnly", "\n\n\r\n\n", {}},
    {"TwoLines", "1,C:\\data,7203,Toyota\n2,C:\\data,6758,Sony\n",
     {{1, "C:\\data", "7203", "Toyota"}, {2, "C:\\data", "6758", "Sony"}}},
    {"LastLineWithoutLineFeed", "1,a,b,c\n2,d,e,f", {{1, "a", "b", "c"}, {2, "d", "e", "f"}}},
    {"CrLfLeavesNoCr", "1,a,b,c\r\n2,d,e,f\r\n", {{1, "a", "b", "c"}, {2, "d", "e", "f"}}},
    {"LoneCrKept", "1,a,b,c\rd\n", {{1, "a", "b", "c\rd"}}},
    {"EmptyLinesBetween", "\n1,a\n\n\n2,b\n\n", {{1, "a", "", ""}, {2, "b", "", ""}}},
    {"SpacesOnlyLine", "   \n", {{0, "", "", ""}}},
    {"SingleField", "42\n", {{42, "", "", ""}}},
    {"FiveFields", "1,a,b,c,d,e\n", {{1, "a", "b", "c"}}},
    {"TwoCommasInARow", "1,,b,\n", {{1, "", "b", ""}}},
    {"QuotedCommaSplits", "\"1,2\",a\n", {{0, "2\"", "a", ""}}},
    {"TypeWithSpacesAndSign", " \t+7,a\n", {{7, "a", "", ""}}},
    {"CtrlZEnds", "1,a\n\x1A" "2,b\n", {{1, "a", "", ""}}},
    {"FfEnds", "1,a\xFF" "2,b\n3,c\n", {{1, "a\xFF", "", ""}}},
    {"NulInName", "1,a,b,c\0d\n"s, {{1, "a", "b", "c\0d"s}}},
    {"ShiftJis", "1,C:\\data,7203,\x83\x67\x83\x88\x83\x5E\n9,C:\\\x95\x5C,\x83\x5C,\x95\x5C\x8E\xA6",
     {{1, "C:\\data", "7203", "\x83\x67\x83\x88\x83\x5E"},
      {9, "C:\\\x95\x5C", "\x83\x5C", "\x95\x5C\x8E\xA6"}}},
    {"Utf8Bom", "\xEF\xBB\xBF" "12,src,code,\xE3\x83\x88\n3,s,c,n\n",
     {{12, "src", "code", "\xE3\x83\x88"}, {3, "s", "c", "n"}}},
    {"Utf8BomCrLf", "\xEF\xBB\xBF" "4,a\r\n", {{4, "a", "", ""}}},
    {"Utf8BomAloneOnFirstLine", "\xEF\xBB\xBF\n5,a", {{5, "a", "", ""}}},
    {"Utf8BomOnlyAtStart", "1,a\n\xEF\xBB\xBF" "2,b\n", {{1, "a", "", ""}, {0, "b", "", ""}}},
    {"Utf8BomOnlyOnce", "\xEF\xBB\xBF\xEF\xBB\xBF" "3,a\n", {{0, "a", "", ""}}},
    {"PartialBomKept", "\xEF\xBB" "6,a\n", {{0, "a", "", ""}}},
};

class CatalogLoad : public testing::TestWithParam<LoadRow> {
};

TEST_P(CatalogLoad, LoadsLinesAsItemsInFileOrder)
{
    const LoadRow& row = GetParam();
    QTemporaryDir dir;
    const std::string path = WriteListFile(dir, row.bytes);
    CatalogItemList list;
    list.push_back(std::make_unique<CatalogItem>(CatalogItem{-5, "kept", "", ""}));

    const ListLoadOutcome outcome = LoadCatalogList(path, false, list);
    EXPECT_TRUE(outcome.opened);
    EXPECT_TRUE(outcome.complete);
    std::vector<Item> expected{{-5, "kept", "", ""}};
    expected.insert(expected.end(), row.items.begin(), row.items.end());
    EXPECT_EQ(Items(list), expected);
    EXPECT_EQ(ReadBytes(path), row.bytes);
    EXPECT_TRUE(CListFileReader().OpenFile(path, 0)); // closed again
}

INSTANTIATE_TEST_SUITE_P(Rows, CatalogLoad, testing::ValuesIn(kLoadRows), RowName<LoadRow>);

enum class FileState { Readable, Empty, Missing, Locked, FailsMidFile };

struct OutcomeRow {
    std::string name;
    FileState state;
    bool remove;
    bool opened, complete, fileRemains;
    std::vector<Item> items;
};

const std::vector<Item> kAll{{1, "a", "", ""}, {2, "b", "", ""}};
const std::vector<Item> kFirst{{1, "a", "", ""}};

const OutcomeRow kOutcomeRows[] = {
    {"ReadableKept", FileState::Readable, false, true, true, true, kAll},
    {"ReadableRemoved", FileState::Readable, true, true, true, false, kAll},
    {"EmptyRemovedToo", FileState::Empty, true, true, true, false, {}},
    {"MissingWithRemove", FileState::Missing, true, false, false, false, {}},
    {"LockedNotRemoved", FileState::Locked, true, false, false, true, {}},
    {"ReadErrorKeepsItemsAndFile", FileState::FailsMidFile, true, true, false, true, kFirst},
    {"ReadErrorWithoutRemove", FileState::FailsMidFile, false, true, false, true, kFirst},
};

class CatalogLoadOutcome : public testing::TestWithParam<OutcomeRow> {
};

TEST_P(CatalogLoadOutcome, RemovesOnlyAFileReadWhole)
{
    const OutcomeRow& row = GetParam();
    const std::string bytes = row.state == FileState::Empty ? "" : "1,a\n2,b\n";
    QTemporaryDir dir;
    const std::string path = row.state == FileState::Missing
        ? NativePath(dir.filePath(QStringLiteral("missing.txt")))
        : WriteListFile(dir, bytes);
    const int lockFd = row.state == FileState::Locked ? ::open(path.c_str(), O_RDONLY) : -1;
    if (lockFd >= 0) {
        ASSERT_EQ(::flock(lockFd, LOCK_EX | LOCK_NB), 0);
    }

    ScriptedReader reader;
    if (row.state == FileState::FailsMidFile)
        reader.failAfter = 6; // inside the second line
    CatalogItemList list;
    const ListLoadOutcome outcome = LoadCatalogList(reader, path, row.remove, list);
    if (lockFd >= 0)
        ::close(lockFd);

    EXPECT_EQ(outcome.opened, row.opened);
    EXPECT_EQ(outcome.complete, row.complete);
    EXPECT_EQ(Items(list), row.items);
    EXPECT_EQ(QFileInfo::exists(QFile::decodeName(path.c_str())), row.fileRemains);
    if (row.fileRemains) {
        EXPECT_EQ(ReadBytes(path), bytes);
    }
    EXPECT_FALSE(reader.IsOpen());
}

INSTANTIATE_TEST_SUITE_P(Rows, CatalogLoadOutcome, testing::ValuesIn(kOutcomeRows),
                         RowName<OutcomeRow>);

struct TypeRow {
    std::string name;
    std::string field;
    std::int32_t type;
};

const TypeRow kTypeRows[] = {
    {"Plain", "42", 42},
    {"LeadingSpaces", "   42", 42},
    {"LeadingTabAndLineBreaks", "\t\r\v\f 42", 42},
    {"PlusSign", "+42", 42},
    {"MinusSign", "-42", -42},
    {"TrailingLetters", "42abc", 42},
    {"TrailingSpaceThenDigits", "4 2", 4},
    {"LettersOnly", "abc", 0},
    {"Empty", "", 0},
    {"SignOnly", "-", 0},
    {"SpaceAfterSign", "- 5", 0},
    {"Hexadecimal", "0x1F", 0},
    {"LeadingZeros", "0007", 7},
    {"NonBreakingSpaceIsNoSpace", "\xA0" "5", 0},
    {"FullWidthDigitIsNoDigit", "\xEF\xBC\x95", 0},
    {"Maximum", "2147483647", kMax},
    {"Minimum", "-2147483648", kMin},
    {"JustAboveMaximum", "2147483648", kMax},
    {"JustBelowMinimum", "-2147483649", kMin},
    {"BeyondLong", "99999999999999999999999", kMax},
    {"BeyondLongNegative", "-99999999999999999999999", kMin},
    {"NulEndsDigits", "12\0" "3"s, 12},
};

class CatalogTypeField : public testing::TestWithParam<TypeRow> {
};

TEST_P(CatalogTypeField, ReadsLikeStrtolSaturatedTo32Bits)
{
    EXPECT_EQ(ParseTypeField(GetParam().field), GetParam().type);
}

INSTANTIATE_TEST_SUITE_P(Rows, CatalogTypeField, testing::ValuesIn(kTypeRows),
                         RowName<TypeRow>);

// A relative source is looked for in the working folder first; only when nothing is there
// and the same path from the list's folder exists is that one taken.
TEST(CatalogRelativeSources, WorkingFolderFirstThenTheListsFolder)
{
    QTemporaryDir work;
    QTemporaryDir lists;
    ASSERT_TRUE(work.isValid() && lists.isValid());
    const auto make = [](const QTemporaryDir& dir, const QString& name) {
        EXPECT_TRUE(QDir(dir.path()).mkpath(name));
    };
    make(work, QStringLiteral("both"));
    make(lists, QStringLiteral("both"));
    make(lists, QStringLiteral("beside/prices"));
    EXPECT_TRUE(WriteFileBytes(lists.filePath(QStringLiteral("one.csv")), "x"));
    const std::string listDir = NativePath(lists.path());
    const std::string workDir = NativePath(work.path());
    const struct {
        std::string source;
        std::string expected;
    } rows[] = {
        {"both", "both"},
        {"beside/prices", listDir + "/beside/prices"},
        {"one.csv", listDir + "/one.csv"},
        {"./one.csv", listDir + "/./one.csv"},
        {"nowhere", "nowhere"},
        {"", ""},
        {workDir + "/both", workDir + "/both"},
        {"/nowhere/at/all", "/nowhere/at/all"},
    };
    std::string bytes;
    for (const auto& row : rows)
        bytes += "1," + row.source + ",c,n\n";
    const std::string list = WriteListFile(lists, bytes);

    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(work.path()));
    CatalogItemList items;
    LoadCatalogList(list, false, items);
    // The list named relative to the working folder too.
    CatalogItemList fromRelative;
    const std::string relative =
        QDir(work.path()).relativeFilePath(QString::fromStdString(list)).toStdString();
    LoadCatalogList(relative, false, fromRelative);
    QDir::setCurrent(before);

    ASSERT_EQ(items.size(), std::size(rows));
    ASSERT_EQ(fromRelative.size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(items[i]->m_strSource, rows[i].expected) << rows[i].source;
        // The same file either way.
        const auto info = [&work](const CatalogItem& item) {
            return QFileInfo(QDir(work.path()).filePath(QString::fromStdString(item.m_strSource)));
        };
        const QFileInfo a = info(*fromRelative[i]);
        const QFileInfo b = info(*items[i]);
        EXPECT_EQ(a.exists(), b.exists()) << rows[i].source;
        if (a.exists())
            EXPECT_EQ(a.canonicalFilePath(), b.canonicalFilePath()) << rows[i].source;
    }
}

} // namespace
