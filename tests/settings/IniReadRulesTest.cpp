#include "RowName.h"
#include "SettingsTestFolder.h"

#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace mosgrid;

using namespace std::string_literals;

namespace {

constexpr char kAbsent[] = "<absent>";

struct ReadRow {
    const char* name;
    std::optional<std::string> file;  // nullopt: no file at all
    std::string section;
    std::string key;
    std::optional<std::string> expected;  // nullopt: the default comes back
};

void PrintTo(const ReadRow& row, std::ostream* out)
{
    *out << row.name;
}

class SettingsStoreReadRules : public ::testing::TestWithParam<ReadRow> {};

TEST_P(SettingsStoreReadRules, ReadsAsTheProfileFunctions)
{
    const ReadRow& row = GetParam();
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.isValid());
    if (row.file) {
        ASSERT_TRUE(folder.Write(*row.file));
    }

    const SettingsStore settings(folder.iniPath());
    EXPECT_EQ(settings.ReadText(row.section, row.key, kAbsent), row.expected.value_or(kAbsent));
}

const ReadRow kReadRows[] = {
    // section headers
    {"plain", "[Chart]\r\nSizeX=5\r\n", "Chart", "SizeX", "5"},
    {"header after blanks", " \t[Chart]\nA=1\n", "Chart", "A", "1"},
    {"header name trimmed", "[ \tChart \t]\nA=1\n", "Chart", "A", "1"},
    {"text after bracket ignored", "[Chart] x ; y]\nA=1\n", "Chart", "A", "1"},
    {"bracket without close is no header", "[Chart\nA=1\n", "Chart", "A", std::nullopt},
    {"keys under a broken header unreachable", "[Chart]\nA=1\n[Name\nB=2\n", "Chart", "B",
     std::nullopt},
    {"broken header ends the section above", "[Chart]\nA=1\n[Name\nB=2\n", "Chart", "A", "1"},
    {"byte-order mark before the first header", "\xEF\xBB\xBF[Chart]\r\nA=1\r\n", "Chart", "A",
     "1"},
    {"byte-order mark only at the start", "[S]\n\xEF\xBB\xBF[Chart]\nA=1\n", "Chart", "A",
     std::nullopt},
    // key lines
    {"key and value trimmed", "[S]\n \t A \t= \t v w \t\n", "S", "A", "v w"},
    {"value after the first equals", "[S]\nA=b=c\n", "S", "A", "b=c"},
    {"line without equals is no key", "[S]\nA\n", "S", "A", std::nullopt},
    {"line without equals is skipped", "[S]\nA\nA=2\n", "S", "A", "2"},
    {"comment line", "[S]\n;A=1\nA=2\n", "S", "A", "2"},
    {"indented comment", "[S]\n \t;A=1\n", "S", "A", std::nullopt},
    {"hash starts a key", "[S]\n#A=1\n", "S", "#A", "1"},
    {"semicolon inside a value kept", "[S]\nA=v ; note\n", "S", "A", "v ; note"},
    {"tab inside a value kept", "[S]\nA=a\tb\n", "S", "A", "a\tb"},
    {"key before any section", "A=1\n[S]\n", "S", "A", std::nullopt},
    {"empty key name asked", "[S]\n=1\n", "S", "", std::nullopt},
    {"empty section name asked", "[]\nA=1\n", "", "A", std::nullopt},
    {"missing section", "[S]\nA=1\n", "T", "A", std::nullopt},
    // names
    {"section case-insensitive", "[cHaRt]\nA=1\n", "Chart", "A", "1"},
    {"key case-insensitive", "[S]\nsizex=1\n", "S", "SIZEX", "1"},
    {"asked names trimmed", "[Chart]\nSizeX=1\n", " Chart\t", "\tSizeX ", "1"},
    {"only ASCII letters fold", "[S]\n\xC3\xA4=1\n", "S", "\xC3\x84", std::nullopt},
    // quotes
    {"double quotes removed", "[S]\nA=\"x y\"\n", "S", "A", "x y"},
    {"single quotes removed", "[S]\nA='x'\n", "S", "A", "x"},
    {"unmatched quote kept", "[S]\nA=\"x\n", "S", "A", "\"x"},
    {"mixed quotes kept", "[S]\nA=\"x'\n", "S", "A", "\"x'"},
    {"one pair only", "[S]\nA=\"\"x\"\"\n", "S", "A", "\"x\""},
    {"blanks inside quotes kept", "[S]\nA=\" x \"\n", "S", "A", " x "},
    {"quotes after trimming", "[S]\nA=  'x'  \n", "S", "A", "x"},
    {"lone quote kept", "[S]\nA=\"\n", "S", "A", "\""},
    {"empty quotes", "[S]\nA=\"\"\n", "S", "A", ""},
    // duplicates
    {"first of duplicate sections", "[S]\nA=1\n[T]\nB=0\n[S]\nA=2\nC=3\n", "S", "A", "1"},
    {"duplicate section never merged", "[S]\nA=1\n[T]\nB=0\n[S]\nA=2\nC=3\n", "S", "C",
     std::nullopt},
    {"first of duplicate keys", "[S]\nA=1\na=2\n", "S", "A", "1"},
    // NUL and line ends
    {"NUL ends the value", "[S]\nA=ab\0cd\nB=2\n"s, "S", "A", "ab"},
    {"NUL ends only its value", "[S]\nA=ab\0cd\nB=2\n"s, "S", "B", "2"},
    {"blanks before NUL trimmed", "[S]\nA=ab \0cd\n"s, "S", "A", "ab"},
    {"CR LF", "[S]\r\nA=1\r\nB=2\r\n", "S", "A", "1"},
    {"lone CR", "[S]\rA=1\rB=2\r", "S", "B", "2"},
    {"no final line end", "[S]\nA=1", "S", "A", "1"},
    {"mixed line ends", "[S]\r\nA=1\rB=2\nC=3", "S", "C", "3"},
    {"CR CR LF is two line ends", "[S]\r\r\nA=1\r\r\n", "S", "A", "1"},
    // values
    {"empty value is not absent", "[S]\nA=\n", "S", "A", ""},
    {"blank value reads empty", "[S]\nA= \t\n", "S", "A", ""},
    {"bytes pass through", "[S]\nA=\x93\xFA\x96\x7B\n", "S", "A", "\x93\xFA\x96\x7B"},
    // files
    {"no file", std::nullopt, "Chart", "SizeX", std::nullopt},
    {"empty file", "", "Chart", "SizeX", std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Rows, SettingsStoreReadRules, ::testing::ValuesIn(kReadRows),
                         RowName<ReadRow>);

struct CapacityRow {
    const char* name;
    std::optional<std::size_t> storedLength;  // nullopt: key absent, default of 6 bytes
    std::size_t capacity;
    std::size_t expectedLength;
};

void PrintTo(const CapacityRow& row, std::ostream* out)
{
    *out << row.name;
}

class SettingsStoreReadCapacity : public ::testing::TestWithParam<CapacityRow> {};

TEST_P(SettingsStoreReadCapacity, CutsToCapacityLessOne)
{
    const CapacityRow& row = GetParam();
    SettingsTestFolder folder;
    std::string stored;
    for (std::size_t i = 0; i < row.storedLength.value_or(0); ++i)
        stored += char('a' + i % 26);
    if (row.storedLength) {
        ASSERT_TRUE(folder.Write("[Charts]\r\nParam=" + stored + "\r\n"));
    }
    const std::string fallback = "abcdef";

    const SettingsStore settings(folder.iniPath());
    const std::string text = settings.ReadText("Charts", "Param", fallback, row.capacity);
    const std::string& source = row.storedLength ? stored : fallback;
    EXPECT_EQ(text, source.substr(0, row.expectedLength));
}

const CapacityRow kCapacityRows[] = {
    {"1500 characters read as 1023", 1500, 1024, 1023},
    {"1023 characters fit", 1023, 1024, 1023},
    {"1024 characters lose one", 1024, 1024, 1023},
    {"short value whole", 10, 1024, 10},
    {"capacity one holds nothing", 10, 1, 0},
    {"capacity zero holds nothing", 10, 0, 0},
    {"default cut too", std::nullopt, 4, 3},
    {"default whole", std::nullopt, 1024, 6},
    {"default with capacity zero", std::nullopt, 0, 0},
};

INSTANTIATE_TEST_SUITE_P(Rows, SettingsStoreReadCapacity, ::testing::ValuesIn(kCapacityRows),
                         RowName<CapacityRow>);

struct DefaultRow {
    const char* name;
    std::string fallback;
    std::size_t capacity;
    std::string expected;
};

void PrintTo(const DefaultRow& row, std::ostream* out)
{
    *out << row.name;
}

class SettingsStoreReadDefault : public ::testing::TestWithParam<DefaultRow> {};

// The profile functions return a default without its trailing blanks.
TEST_P(SettingsStoreReadDefault, TrailingBlanksDropped)
{
    const DefaultRow& row = GetParam();
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.Write("[Charts]\r\nOther=1\r\n"));
    const SettingsStore settings(folder.iniPath());
    EXPECT_EQ(settings.ReadText("Charts", "Param", row.fallback, row.capacity), row.expected);
    EXPECT_EQ(settings.ReadText("Missing", "Param", row.fallback, row.capacity), row.expected);
}

const DefaultRow kDefaultRows[] = {
    {"trailing blanks", "default   ", 1024, "default"},
    {"blanks only", "   ", 1024, ""},
    {"leading blanks kept", "  a", 1024, "  a"},
    {"inner blanks kept", "a  b ", 1024, "a  b"},
    {"tab is not a blank", "a\t", 1024, "a\t"},
    {"blank before a tab kept", "a \t", 1024, "a \t"},
    {"none to drop", "abc", 1024, "abc"},
    {"dropped before the cut", "ab    ", 4, "ab"},
    {"cut after the drop", "abcdef  ", 4, "abc"},
};

INSTANTIATE_TEST_SUITE_P(Rows, SettingsStoreReadDefault, ::testing::ValuesIn(kDefaultRows),
                         RowName<DefaultRow>);

TEST(SettingsStoreReadCapacity, DefaultCapacityIsTheProgramsBuffer)
{
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.Write("[Charts]\nParam=" + std::string(1500, 'p') + "\n"));
    EXPECT_EQ(SettingsStore(folder.iniPath()).ReadText("Charts", "Param", "").size(), 1023u);
}

} // namespace
