#include "RowName.h"
#include "SettingsTestFolder.h"

#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace mosgrid;

using namespace std::string_literals;

namespace {

struct WriteRow {
    const char* name;
    std::optional<std::string> before;  // nullopt: no file yet
    std::string section;
    std::string key;
    std::string value;
    std::string after;     // the file's exact bytes after the write
    std::string readBack;  // what the key reads afterwards
};

void PrintTo(const WriteRow& row, std::ostream* out)
{
    *out << row.name;
}

class SettingsStoreWriteRules : public ::testing::TestWithParam<WriteRow> {};

TEST_P(SettingsStoreWriteRules, WritesExactBytes)
{
    const WriteRow& row = GetParam();
    SettingsTestFolder folder;
    if (row.before) {
        ASSERT_TRUE(folder.Write(*row.before));
    }

    SettingsStore settings(folder.iniPath());
    // A read first, so the write has to replace what the cache holds.
    settings.ReadText(row.section, row.key, "");
    EXPECT_TRUE(settings.WriteText(row.section, row.key, row.value));

    EXPECT_EQ(folder.Read(), row.after);
    EXPECT_EQ(settings.ReadText(row.section, row.key, "<absent>"), row.readBack);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"mosgrid.ini"});
}

const WriteRow kWriteRows[] = {
    // creating
    {"new file uses CR LF", std::nullopt, "Chart", "Num", "2", "[Chart]\r\nNum=2\r\n", "2"},
    {"empty file like a new one", "", "Chart", "Num", "2", "[Chart]\r\nNum=2\r\n", "2"},
    {"names trimmed", std::nullopt, " Chart\t", " Num ", "2", "[Chart]\r\nNum=2\r\n", "2"},
    // replacing in place
    {"replace keeps other lines",
     "; top\n[Chart]\n  sizex = 1 ; c\n\nNum=2\n[Name]\nSizeX=9\n", "Chart", "SizeX", "7",
     "; top\n[Chart]\nsizex=7\n\nNum=2\n[Name]\nSizeX=9\n", "7"},
    {"replace keeps CR LF", "[Chart]\r\nSizeX=1\r\nNum=2\r\n", "Chart", "SizeX", "640",
     "[Chart]\r\nSizeX=640\r\nNum=2\r\n", "640"},
    {"replace last line without line end", "[Chart]\nSizeX=1", "Chart", "SizeX", "9",
     "[Chart]\nSizeX=9", "9"},
    {"replace with empty value", "[Chart]\nSizeX=1\n", "Chart", "SizeX", "", "[Chart]\nSizeX=\n",
     ""},
    {"replace keeps the key's spelling", "[chart]\r\nsizex=1\r\n", "Chart", "SizeX", "3",
     "[chart]\r\nsizex=3\r\n", "3"},
    {"first of duplicate keys replaced", "[S]\nA=1\nA=2\n", "S", "A", "9", "[S]\nA=9\nA=2\n",
     "9"},
    {"key in first duplicate section", "[Chart]\nA=1\n[Chart]\nNum=5\n", "Chart", "Num", "2",
     "[Chart]\nA=1\nNum=2\n[Chart]\nNum=5\n", "2"},
    // adding a key
    {"added after the last key line", "[Chart]\nSizeX=1\n; note\n\n[Name]\nA=1\n", "Chart",
     "Num", "2", "[Chart]\nSizeX=1\nNum=2\n; note\n\n[Name]\nA=1\n", "2"},
    {"added after the header of a keyless section", "[Chart]\n; c\n[Name]\n", "Chart", "Num",
     "2", "[Chart]\nNum=2\n; c\n[Name]\n", "2"},
    {"commented key is no key", "[Chart]\n;Num=1\n", "Chart", "Num", "2",
     "[Chart]\nNum=2\n;Num=1\n", "2"},
    {"added after a last line without line end", "[Chart]\nSizeX=1", "Chart", "Num", "2",
     "[Chart]\nSizeX=1\nNum=2\n", "2"},
    {"added after a lone header", "[Chart]", "Chart", "Num", "2", "[Chart]\r\nNum=2\r\n", "2"},
    {"broken header ends the section", "[Chart]\nA=1\n[Bad\nNum=7\n", "Chart", "Num", "2",
     "[Chart]\nA=1\nNum=2\n[Bad\nNum=7\n", "2"},
    {"added in lone CR style", "[Chart]\rA=1\r", "Chart", "Num", "2", "[Chart]\rA=1\rNum=2\r",
     "2"},
    // adding a section
    {"section appended without a blank line", "[Name]\nA=1\n", "Chart", "Num", "2",
     "[Name]\nA=1\n[Chart]\nNum=2\n", "2"},
    {"section appended after a last line without line end", "[Name]\r\nA=1", "Chart", "Num",
     "2", "[Name]\r\nA=1\r\n[Chart]\r\nNum=2\r\n", "2"},
    {"first line end sets the style", "[Name]\nA=1\r\n", "Chart", "Num", "2",
     "[Name]\nA=1\r\n[Chart]\nNum=2\n", "2"},
    {"key outside any section is not the key", "Num=7\n", "Chart", "Num", "2",
     "Num=7\n[Chart]\nNum=2\n", "2"},
    {"trailing blank lines kept", "[Name]\nA=1\n\n\n", "Chart", "Num", "2",
     "[Name]\nA=1\n\n\n[Chart]\nNum=2\n", "2"},
    // values
    {"LF in a value becomes a blank", std::nullopt, "Charts", "Param", "a\nb",
     "[Charts]\r\nParam=a b\r\n", "a b"},
    {"CR LF in a value becomes one blank", std::nullopt, "Charts", "Param", "a\r\nb",
     "[Charts]\r\nParam=a b\r\n", "a b"},
    {"lone CR in a value becomes a blank", std::nullopt, "Charts", "Param", "a\rb",
     "[Charts]\r\nParam=a b\r\n", "a b"},
    {"each break its own blank", std::nullopt, "Charts", "Param", "a\n\r\nb\r",
     "[Charts]\r\nParam=a  b \r\n", "a  b"},
    {"break cannot add a key", "[Charts]\nParam=x\n", "Charts", "Param", "a\nb=evil",
     "[Charts]\nParam=a b=evil\n", "a b=evil"},
    {"value bytes unchanged", std::nullopt, "Charts", "Param", "  '\x93\xFA' ; x\t",
     "[Charts]\r\nParam=  '\x93\xFA' ; x\t\r\n", "'\x93\xFA' ; x"},
    {"value ends at NUL", std::nullopt, "Charts", "Param", "ab\0cd"s, "[Charts]\r\nParam=ab\r\n",
     "ab"},
};

INSTANTIATE_TEST_SUITE_P(Rows, SettingsStoreWriteRules, ::testing::ValuesIn(kWriteRows),
                         RowName<WriteRow>);

struct RefusedRow {
    const char* name;
    std::string section;
    std::string key;
};

void PrintTo(const RefusedRow& row, std::ostream* out)
{
    *out << row.name;
}

class SettingsStoreRefusedNames : public ::testing::TestWithParam<RefusedRow> {};

// Names that could not be read back are not written at all.
TEST_P(SettingsStoreRefusedNames, LeaveTheFileAlone)
{
    const RefusedRow& row = GetParam();
    SettingsTestFolder folder;
    const std::string before = "[Chart]\nSizeX=1\n";
    ASSERT_TRUE(folder.Write(before));

    EXPECT_FALSE(SettingsStore(folder.iniPath()).WriteText(row.section, row.key, "v"));
    EXPECT_EQ(folder.Read(), before);
}

const RefusedRow kRefusedRows[] = {
    {"empty section", "", "Num"},
    {"blank section", " \t", "Num"},
    {"empty key", "Chart", ""},
    {"section with closing bracket", "a]b", "Num"},
    {"section with line break", "a\nb", "Num"},
    {"key with equals", "Chart", "a=b"},
    {"key with line break", "Chart", "a\rb"},
    {"key starting a comment", "Chart", ";a"},
    {"key starting a header", "Chart", "[a"},
};

INSTANTIATE_TEST_SUITE_P(Rows, SettingsStoreRefusedNames, ::testing::ValuesIn(kRefusedRows),
                         RowName<RefusedRow>);

TEST(SettingsStoreWriteRules, SuccessiveWritesBuildTheFile)
{
    SettingsTestFolder folder;
    SettingsStore settings(folder.iniPath());
    EXPECT_TRUE(settings.WriteText("Chart", "SizeX", "300"));
    EXPECT_TRUE(settings.WriteText("Name", "BackColor", "8421440"));
    EXPECT_TRUE(settings.WriteText("Chart", "SizeY", "180"));
    EXPECT_TRUE(settings.WriteText("Chart", "SizeX", "640"));
    EXPECT_EQ(folder.Read(),
              "[Chart]\r\nSizeX=640\r\nSizeY=180\r\n[Name]\r\nBackColor=8421440\r\n");
}

} // namespace
