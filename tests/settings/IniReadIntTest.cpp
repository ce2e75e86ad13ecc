#include "RowName.h"
#include "SettingsTestFolder.h"

#include "settings/SettingsStore.h"
#include "settings/IniNumber.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

using namespace mosgrid;

namespace {

constexpr int kDefault = 77;

struct IntRow {
    const char* name;
    std::optional<std::string> line;  // the line under [Chart]; nullopt: no Num key
    int expected;
};

void PrintTo(const IntRow& row, std::ostream* out)
{
    *out << row.name;
}

class SettingsStoreReadInt : public ::testing::TestWithParam<IntRow> {};

TEST_P(SettingsStoreReadInt, ConvertsTheStoredText)
{
    const IntRow& row = GetParam();
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.Write("[Chart]\r\n" + row.line.value_or("Other=1") + "\r\n"));
    EXPECT_EQ(SettingsStore(folder.iniPath()).ReadInt("Chart", "Num", kDefault), row.expected);
}

const IntRow kIntRows[] = {
    // default or not
    {"absent key", std::nullopt, kDefault},
    {"empty value", "Num=", kDefault},
    {"blank value", "Num= \t ", kDefault},
    {"empty quotes", "Num=\"\"", kDefault},
    {"blank in quotes", "Num=\" \"", kDefault},
    {"no digits", "Num=abc", 0},
    {"sign alone", "Num=-", 0},
    // decimal
    {"plain", "Num=12", 12},
    {"negative", "Num=-5", -5},
    {"plus sign", "Num=+7", 7},
    {"leading zeros stay decimal", "Num=010", 10},
    {"stops at the first other character", "Num=12abc", 12},
    {"exponent not read", "Num=1e3", 1},
    {"trailing comment text", "Num=3 ; three", 3},
    {"blank after sign", "Num=- 5", 0},
    {"double sign", "Num=--5", 0},
    {"quoted", "Num=\"42\"", 42},
    {"single quoted negative", "Num='-3'", -3},
    {"blanks inside quotes", "Num=\" 9 \"", 9},
    // prefixes
    {"hex", "Num=0x10", 16},
    {"hex upper digits", "Num=0xFF", 255},
    {"hex lower digits", "Num=0xff", 255},
    {"upper X is no prefix", "Num=0X10", 0},
    {"octal", "Num=0o17", 15},
    {"octal stops at 8", "Num=0o78", 7},
    {"binary", "Num=0b101", 5},
    {"binary stops at 2", "Num=0b12", 1},
    {"prefix without digits", "Num=0x", 0},
    {"negative hex", "Num=-0x10", -16},
    // 32-bit wrap
    {"wraps modulo 2 to the 32", "Num=99999999999", 1215752191},
    {"all ones is minus one", "Num=4294967295", -1},
    {"just above int max", "Num=2147483648", INT_MIN},
    {"just below int min", "Num=-2147483649", INT_MAX},
    {"hex colour with top bit", "Num=0xFFFFFFFF", -1},
};

INSTANTIATE_TEST_SUITE_P(Rows, SettingsStoreReadInt, ::testing::ValuesIn(kIntRows),
                         RowName<IntRow>);

TEST(SettingsStoreReadInt, MissingFileGivesEveryDefault)
{
    SettingsTestFolder folder;
    const SettingsStore settings(folder.iniPath());
    for (const int fallback : {0, -1, 300, INT_MAX, INT_MIN})
        EXPECT_EQ(settings.ReadInt("Chart", "SizeX", fallback), fallback);
}

TEST(SettingsStoreReadInt, ParserSkipsBlanksItself)
{
    // Values reach the parser trimmed; callers with their own text rely on this too.
    EXPECT_EQ(ParseProfileInt(" \t-12 "), -12);
    EXPECT_EQ(ParseProfileInt(""), 0);
}

} // namespace
