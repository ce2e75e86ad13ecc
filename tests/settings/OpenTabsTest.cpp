#include "SettingsTestFolder.h"

#include "settings/OpenTabs.h"
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace mosgrid;

namespace {

struct TabsCase {
    const char* name;
    std::string before;           // the file before (empty: none)
    std::optional<OpenTabs> write;  // written, or only read
    std::vector<std::string> files;  // read back
    int current;
    std::optional<std::string> after;  // the file after, when it matters
};

class OpenTabsTest : public testing::TestWithParam<TabsCase> {};

TEST_P(OpenTabsTest, KeepsTwoOrMoreTabsAndNeverWritesForOne)
{
    const TabsCase& row = GetParam();
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.isValid());
    if (!row.before.empty())
        ASSERT_TRUE(folder.Write(row.before));
    SettingsStore settings(folder.iniPath());
    if (row.write)
        WriteOpenTabs(settings, *row.write);
    const OpenTabs read = ReadOpenTabs(SettingsStore(folder.iniPath()));
    EXPECT_EQ(read.files, row.files);
    EXPECT_EQ(read.current, row.current);
    if (row.after)
        EXPECT_EQ(folder.Read(), row.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenTabsTest,
    testing::Values(
        TabsCase{"ThreeTabsComeBack", "", OpenTabs{{"/a.txt", "/b.txt", "/c.txt"}, 1},
                 {"/a.txt", "/b.txt", "/c.txt"}, 1, std::nullopt},
        TabsCase{"OneTabWritesNothing", "[View]\r\nSort=code\r\n", OpenTabs{{"/a.txt"}, 0}, {},
                 0, std::string("[View]\r\nSort=code\r\n")},
        TabsCase{"BackToOneEmptiesTheSection",
                 "[Tabs]\r\nFile1=/a.txt\r\nFile2=/b.txt\r\nCurrent=2\r\n",
                 OpenTabs{{"/a.txt"}, 0}, {}, 0,
                 std::string("[Tabs]\r\nFile1=\r\nFile2=\r\nCurrent=\r\n")},
        TabsCase{"FewerTabsLeaveNoStaleFile",
                 "[Tabs]\r\nFile1=/a\r\nFile2=/b\r\nFile3=/c\r\nCurrent=3\r\n",
                 OpenTabs{{"/x", "/y"}, 0}, {"/x", "/y"}, 0, std::nullopt},
        TabsCase{"CurrentOutOfRangeIsClamped", "[Tabs]\r\nFile1=/a\r\nFile2=/b\r\nCurrent=9\r\n",
                 std::nullopt, {"/a", "/b"}, 1, std::nullopt},
        TabsCase{"CurrentNotANumberIsTheFirst",
                 "[Tabs]\r\nFile1=/a\r\nFile2=/b\r\nCurrent=x\r\n", std::nullopt, {"/a", "/b"}, 0,
                 std::nullopt},
        TabsCase{"AGapEndsTheList", "[Tabs]\r\nFile1=/a\r\nFile3=/c\r\n", std::nullopt, {}, 0,
                 std::nullopt}),
    [](const testing::TestParamInfo<TabsCase>& info) { return std::string(info.param.name); });

} // namespace
