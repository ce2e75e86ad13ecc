// The two keys of the label in section "Name": the template and the stale allowance, as
// every reader derives them.
#include "RowName.h"
#include "SettingsTestFolder.h"

#include "settings/SettingsStore.h"
#include "settings/LabelSettings.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace mosgrid;

namespace {

struct LabelRow {
    const char* name;
    std::optional<std::string> file;
    std::string labelTemplate;
    int staleDays;
};

void PrintTo(const LabelRow& row, std::ostream* out) { *out << row.name; }

class LabelSettingsTest : public ::testing::TestWithParam<LabelRow> {};

TEST_P(LabelSettingsTest, TemplateAndStaleDays)
{
    SettingsTestFolder folder;
    if (GetParam().file)
        ASSERT_TRUE(folder.Write(*GetParam().file));
    const SettingsStore settings(folder.iniPath());
    EXPECT_EQ(ReadLabelTemplate(settings), GetParam().labelTemplate);
    EXPECT_EQ(ReadStaleDays(settings), GetParam().staleDays);
}

const LabelRow kLabelRows[] = {
    {"no file", std::nullopt, "{name}", 7},
    {"keys absent", "[Name]\nBackColor=0\n", "{name}", 7},
    {"both set", "[Name]\nLabel={code} {last}\nStaleDays=30\n", "{code} {last}", 30},
    {"empty label is the default", "[Name]\nLabel=\nStaleDays=\n", "{name}", 7},
    {"quoted and blanks trimmed", "[name]\n label = \" {name} \"\n", " {name} ", 7},
    {"zero turns the badge off", "[Name]\nStaleDays=0\n", "{name}", 0},
    {"negative is off", "[Name]\nStaleDays=-9\n", "{name}", 0},
    {"not a number is zero", "[Name]\nStaleDays=abc\n", "{name}", 0},
    {"other section ignored", "[Chart]\nLabel=x\nStaleDays=3\n", "{name}", 7},
    {"long template cut to 1023 bytes", "[Name]\nLabel=" + std::string(1500, 'x') + "\n",
     std::string(1023, 'x'), 7},
};

INSTANTIATE_TEST_SUITE_P(Rows, LabelSettingsTest, ::testing::ValuesIn(kLabelRows),
                         RowName<LabelRow>);

} // namespace
