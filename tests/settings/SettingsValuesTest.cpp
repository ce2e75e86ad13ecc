#include "RowName.h"
#include "SettingsTestFolder.h"

#include "settings/SettingsStore.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsValues.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

using namespace mosgrid;

namespace {

using Strings = std::vector<std::string>;

const std::string kBuiltInChart = SettingsKeys::kBuiltInChart;
const std::string kBuiltInParam = SettingsKeys::kBuiltInParam;

struct ValuesRow {
    const char* name;
    std::optional<std::string> file;
    Strings definitions;
    std::string params = kBuiltInParam;
    int width = 300;
    int height = 180;
};

void PrintTo(const ValuesRow& row, std::ostream* out)
{
    *out << row.name;
}

class SettingsStoreValues : public ::testing::TestWithParam<ValuesRow> {};

TEST_P(SettingsStoreValues, DerivesWhatTheReadersUse)
{
    const ValuesRow& row = GetParam();
    SettingsTestFolder folder;
    if (row.file) {
        ASSERT_TRUE(folder.Write(*row.file));
    }

    const SettingsStore settings(folder.iniPath());
    EXPECT_EQ(EffectiveChartDefinitions(settings), row.definitions);
    EXPECT_EQ(EffectiveCommonParams(settings), row.params);
    const ThumbnailSize size = ReadThumbnailSize(settings);
    EXPECT_EQ(size.width, row.width);
    EXPECT_EQ(size.height, row.height);
}

const std::string kLong(1500, 'L');

const ValuesRow kValuesRows[] = {
    {"no file", std::nullopt, {kBuiltInChart}},
    {"Num 0 ignores Chart0", "[Chart]\nNum=0\nChart0=a\n", {kBuiltInChart}},
    {"Num absent ignores Chart0", "[Chart]\nChart0=a\n", {kBuiltInChart}},
    {"Num 3 skips an empty Chart1", "[Chart]\nNum=3\nChart0=a\nChart1=\nChart2=c\n", {"a", "c"}},
    {"Num 3 skips a missing Chart1", "[Chart]\nNum=3\nChart0=a\nChart2=c\n", {"a", "c"}},
    {"Num minus 1 gives none", "[Chart]\nNum=-1\nChart0=a\n", {}},
    {"keys from Num up are not read", "[Chart]\nNum=2\nChart0=a\nChart1=b\nChart2=c\nChart3=d\n",
     {"a", "b"}},
    {"position order, not file order", "[Chart]\nChart2=c\nChart0=a\nNum=3\n", {"a", "c"}},
    {"key names fold case", "[Chart]\nNum=2\nCHART0=a\nchart1=b\n", {"a", "b"}},
    {"other spellings are other keys", "[Chart]\nNum=2\nChart01=x\nChart+1=y\nChart0=a\n",
     {"a"}},
    {"first of duplicate definitions", "[Chart]\nNum=1\nChart0=a\nChart0=b\n", {"a"}},
    {"definitions of the first section only", "[Chart]\nNum=2\nChart0=a\n[Chart]\nChart1=b\n",
     {"a"}},
    {"huge Num reads the keys present", "[Chart]\nNum=2000000000\nChart0=a\nChart7=h\n",
     {"a", "h"}},
    {"definition cut to 1023 bytes", "[Chart]\nNum=1\nChart0=" + kLong + "\n",
     {kLong.substr(0, 1023)}},
    {"Param empty gives the built-in", "[Charts]\nParam=\n", {kBuiltInChart}},
    {"Param stored", "[Charts]\nParam=FontSize=12\n", {kBuiltInChart}, "FontSize=12"},
    {"Param cut to 1023 bytes", "[Charts]\nParam=" + kLong + "\n", {kBuiltInChart},
     kLong.substr(0, 1023)},
    {"SizeX 5 is used", "[Chart]\nSizeX=5\nSizeY=7\n", {kBuiltInChart}, kBuiltInParam, 5, 7},
    {"size 0 gives the default", "[Chart]\nSizeX=0\nSizeY=0\n", {kBuiltInChart}, kBuiltInParam,
     300, 180},
    {"text size gives the default", "[Chart]\nSizeX=wide\nSizeY=\n", {kBuiltInChart},
     kBuiltInParam, 300, 180},
    {"huge size capped", "[Chart]\nSizeX=100000\nSizeY=100000\n", {kBuiltInChart},
     kBuiltInParam, 4096, 4096},
};

INSTANTIATE_TEST_SUITE_P(Rows, SettingsStoreValues, ::testing::ValuesIn(kValuesRows),
                         RowName<ValuesRow>);

struct ExtentRow {
    const char* name;
    int stored;
    int expected;
};

void PrintTo(const ExtentRow& row, std::ostream* out)
{
    *out << row.name;
}

class SettingsStoreUsableExtent : public ::testing::TestWithParam<ExtentRow> {};

TEST_P(SettingsStoreUsableExtent, ClampsToTheUsableRange)
{
    EXPECT_EQ(UsableThumbnailExtent(GetParam().stored, 300), GetParam().expected);
}

const ExtentRow kExtentRows[] = {
    {"negative", -5, 300},      {"zero", 0, 300},          {"one", 1, 1},
    {"below the page's 10", 9, 9}, {"upper bound", 4096, 4096}, {"above", 4097, 4096},
    {"int max", 2147483647, 4096},
};

INSTANTIATE_TEST_SUITE_P(Rows, SettingsStoreUsableExtent, ::testing::ValuesIn(kExtentRows),
                         RowName<ExtentRow>);

struct LabelRow {
    const char* name;
    std::optional<std::string> file;
    ColorRef back;
    ColorRef text;
    bool transparent;
    QRgb backRgb;
};

void PrintTo(const LabelRow& row, std::ostream* out)
{
    *out << row.name;
}

class SettingsStoreLabel : public ::testing::TestWithParam<LabelRow> {};

TEST_P(SettingsStoreLabel, ReadsTheLabelStyle)
{
    const LabelRow& row = GetParam();
    SettingsTestFolder folder;
    if (row.file) {
        ASSERT_TRUE(folder.Write(*row.file));
    }
    const LabelStyle style = ReadLabelStyle(SettingsStore(folder.iniPath()));
    EXPECT_EQ(style.backColor, row.back);
    EXPECT_EQ(style.textColor, row.text);
    EXPECT_EQ(style.transparent, row.transparent);
    EXPECT_EQ(ColorRefToRgb(style.backColor), row.backRgb);
}

const LabelRow kLabelRows[] = {
    {"defaults: white on red 64 green 128 blue 128", std::nullopt, 0x808040, 0xFFFFFF, false,
     qRgb(64, 128, 128)},
    {"stored colours", "[Name]\nBackColor=255\nTextColor=65280\nTransParent=1\n", 0x0000FF,
     0x00FF00, true, qRgb(255, 0, 0)},
    {"any nonzero is transparent", "[Name]\nTransParent=2\n", 0x808040, 0xFFFFFF, true,
     qRgb(64, 128, 128)},
    {"minus one keeps its bits", "[Name]\nBackColor=-1\n", 0xFFFFFFFF, 0xFFFFFF, false,
     qRgb(255, 255, 255)},
};

INSTANTIATE_TEST_SUITE_P(Rows, SettingsStoreLabel, ::testing::ValuesIn(kLabelRows),
                         RowName<LabelRow>);

TEST(SettingsStoreColor, ConvertsBothWays)
{
    const struct {
        ColorRef ref;
        QRgb rgb;
    } rows[] = {
        {0x000000, qRgb(0, 0, 0)},     {0x0000FF, qRgb(255, 0, 0)},
        {0x00FF00, qRgb(0, 255, 0)},   {0xFF0000, qRgb(0, 0, 255)},
        {0x808040, qRgb(64, 128, 128)}, {0x123456, qRgb(0x56, 0x34, 0x12)},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ColorRefToRgb(row.ref), row.rgb) << std::hex << row.ref;
        EXPECT_EQ(RgbToColorRef(row.rgb), row.ref) << std::hex << row.ref;
    }
    // The top byte of a stored value is not part of the colour; Qt's alpha is not stored.
    EXPECT_EQ(ColorRefToRgb(0xAB808040), qRgb(64, 128, 128));
    EXPECT_EQ(RgbToColorRef(qRgba(64, 128, 128, 7)), 0x808040u);
}

TEST(SettingsStoreValues, ShorterListLeavesOldKeysUnread)
{
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.Write("[Chart]\r\nNum=4\r\nChart0=a\r\nChart1=b\r\nChart2=c\r\n"
                             "Chart3=d\r\n"));
    SettingsStore settings(folder.iniPath());
    ASSERT_EQ(EffectiveChartDefinitions(settings), (Strings{"a", "b", "c", "d"}));

    EXPECT_TRUE(settings.WriteText("Chart", "Num", "2"));
    EXPECT_EQ(folder.Read(),
              "[Chart]\r\nNum=2\r\nChart0=a\r\nChart1=b\r\nChart2=c\r\nChart3=d\r\n");
    EXPECT_EQ(EffectiveChartDefinitions(settings), (Strings{"a", "b"}));
}

TEST(SettingsStoreValues, ReadSectionListsFirstKeysInFileOrder)
{
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.Write("[S]\nB=2\n;C=0\na=1\nb=9\nX\n =e\n[S]\nD=4\n"));
    using Entries = std::vector<SettingsStore::Entry>;
    EXPECT_EQ(SettingsStore(folder.iniPath()).ReadSection("s"),
              (Entries{{"B", "2"}, {"a", "1"}}));
}

} // namespace
