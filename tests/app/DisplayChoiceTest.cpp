#include "app/DisplayChoice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace mosgrid;

namespace {

struct ChoiceRow {
    const char* name;
    DisplayEnvironment environment;
    std::vector<std::string> args;
    std::string platform;  // empty: Qt chooses
};

void PrintTo(const ChoiceRow& row, std::ostream* os)
{
    *os << row.name;
}

class DisplayChoiceTest : public ::testing::TestWithParam<ChoiceRow> {};

TEST_P(DisplayChoiceTest, OffscreenOnlyWhenNothingNamesADisplay)
{
    const ChoiceRow& row = GetParam();
    EXPECT_EQ(PlatformForWindowlessRun(row.environment, row.args), row.platform);
}

const std::vector<std::string> kPrint = {"-pt", "list", "out.pdf", "d", "p"};

const ChoiceRow kRows[] = {
    {"NoDisplayAtAll", {"", "", ""}, kPrint, "offscreen"},
    {"X11Display", {"", ":0", ""}, kPrint, ""},
    {"WaylandDisplay", {"", "", "wayland-0"}, kPrint, ""},
    {"BothDisplays", {"", ":1", "wayland-1"}, kPrint, ""},
    {"PlatformChosenByTheUser", {"xcb", "", ""}, kPrint, ""},
    {"OffscreenChosenByTheUser", {"offscreen", "", ""}, kPrint, ""},
    {"PlatformOption", {"", "", ""}, {"-platform", "vnc", "-p", "list"}, ""},
    {"DoubleDashPlatformOption", {"", "", ""}, {"-p", "list", "--platform", "vnc"}, ""},
    {"DisplayOption", {"", "", ""}, {"-display", ":2", "-p", "list"}, ""},
    {"OptionNameAsAListIsNotAnOption", {"", "", ""}, {"-p", "-platformx"}, "offscreen"},
};

INSTANTIATE_TEST_SUITE_P(Rows, DisplayChoiceTest, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DisplayChoice, ScreenlessPlatforms)
{
    EXPECT_TRUE(IsScreenlessPlatform(QStringLiteral("offscreen")));
    EXPECT_TRUE(IsScreenlessPlatform(QStringLiteral("minimal")));
    EXPECT_FALSE(IsScreenlessPlatform(QStringLiteral("xcb")));
    EXPECT_FALSE(IsScreenlessPlatform(QStringLiteral("wayland")));
    EXPECT_FALSE(IsScreenlessPlatform(QString()));
}

} // namespace
