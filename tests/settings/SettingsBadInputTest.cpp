#include "RowName.h"
#include "SettingsTestFolder.h"

#include "settings/SettingsStore.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsValues.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

using namespace mosgrid;

using namespace std::string_literals;

namespace {

std::string Garbage(std::size_t size)
{
    std::mt19937 random(7);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = char(random() & 0xFF);
    return bytes;
}

struct BadFileRow {
    const char* name;
    std::string before;
    int sizeX;       // "Chart"/"SizeX" as read
    int backColor;   // "Name"/"BackColor" as read
    // The file after writing SizeX=640; nullopt: the original bytes and a short tail.
    std::optional<std::string> after;
};

void PrintTo(const BadFileRow& row, std::ostream* out)
{
    *out << row.name;
}

class SettingsStoreBadFile : public ::testing::TestWithParam<BadFileRow> {};

TEST_P(SettingsStoreBadFile, ReadsDefinedValuesAndKeepsTheBytes)
{
    const BadFileRow& row = GetParam();
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.Write(row.before));

    SettingsStore settings(folder.iniPath());
    EXPECT_EQ(settings.ReadInt("Chart", "SizeX", 300), row.sizeX);
    EXPECT_EQ(settings.ReadInt("Name", "BackColor", 8421440), row.backColor);
    // Every reader of the program, on the same bytes.
    EffectiveChartDefinitions(settings);
    EffectiveCommonParams(settings);
    ReadLabelStyle(settings);
    const ThumbnailSize size = ReadThumbnailSize(settings);
    EXPECT_GE(size.width, SettingsKeys::kMinUsableSize);
    EXPECT_LE(size.width, SettingsKeys::kMaxUsableSize);

    ASSERT_TRUE(settings.WriteText("Chart", "SizeX", "640"));
    const std::optional<std::string> after = folder.Read();
    ASSERT_TRUE(after);
    if (row.after) {
        EXPECT_EQ(*after, *row.after);
    } else {
        // The garbage's own first line end decides the new lines' ends.
        EXPECT_EQ(after->substr(0, row.before.size()), row.before);
        EXPECT_LE(after->size(), row.before.size() + 24);
    }
    EXPECT_EQ(settings.ReadInt("Chart", "SizeX", 300), 640);
}

const std::string kLongLine(1 << 20, 'p');

const BadFileRow kBadFileRows[] = {
    {"binary garbage", Garbage(64 * 1024), 300, 8421440, std::nullopt},
    {"NUL bytes in lines", "[Chart]\0\nSizeX=\0\0 12\nSizeY=34\0\n\0[Name]\nBackColor=5\n"s, 300,
     8421440, "[Chart]\0\nSizeX=640\nSizeY=34\0\n\0[Name]\nBackColor=5\n"s},
    {"only NUL bytes", std::string(1000, '\0'), 300, 8421440,
     std::string(1000, '\0') + "\r\n[Chart]\r\nSizeX=640\r\n"},
    {"brackets never closed", "[Chart\nSizeX=5\n[Name\nBackColor=1\n", 300, 8421440,
     "[Chart\nSizeX=5\n[Name\nBackColor=1\n[Chart]\nSizeX=640\n"},
    {"keys without values", "[Chart]\nSizeX\nSizeY=\nNum= \n=7\n", 300, 8421440,
     "[Chart]\nSizeX\nSizeY=\nNum= \n=7\nSizeX=640\n"},
    {"line of 1 MB", "[Charts]\nParam=" + kLongLine + "\n[Chart]\nSizeX=7\n", 7, 8421440,
     "[Charts]\nParam=" + kLongLine + "\n[Chart]\nSizeX=640\n"},
    {"only CR line ends", "\r\r\r[Chart]\rSizeX=9\r[Name]\rBackColor=3", 9, 3,
     "\r\r\r[Chart]\rSizeX=640\r[Name]\rBackColor=3"},
    {"header without name", "[]\nSizeX=1\n[ ]\nBackColor=2\n", 300, 8421440,
     "[]\nSizeX=1\n[ ]\nBackColor=2\n[Chart]\nSizeX=640\n"},
};

INSTANTIATE_TEST_SUITE_P(Rows, SettingsStoreBadFile, ::testing::ValuesIn(kBadFileRows),
                         RowName<BadFileRow>);

TEST(SettingsStoreBadFile, LineOfOneMegabyteReadsCut)
{
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.Write("[Charts]\r\nParam=" + kLongLine + "\r\n"));
    EXPECT_EQ(EffectiveCommonParams(SettingsStore(folder.iniPath())), kLongLine.substr(0, 1023));
}

TEST(SettingsStoreBadFile, FiftyMegabyteFile)
{
    std::string before = "[Big]\n";
    const std::string filler(90, 'v');
    for (int i = 0; before.size() < 50u * 1000 * 1000; ++i)
        before += "Key" + std::to_string(i) + "=" + filler + "\n";
    before += "[Chart]\nSizeX=7";
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.Write(before));

    SettingsStore settings(folder.iniPath());
    EXPECT_EQ(settings.ReadInt("Chart", "SizeX", 300), 7);
    EXPECT_EQ(settings.ReadInt("Chart", "SizeY", 180), 180);
    EXPECT_EQ(settings.ReadText("Big", "Key400000", ""), filler);
    ASSERT_TRUE(settings.WriteText("Chart", "SizeY", "2"));
    EXPECT_EQ(folder.Read(), before + "\nSizeY=2\n");
    EXPECT_EQ(settings.ReadInt("Chart", "SizeY", 180), 2);
}

} // namespace
