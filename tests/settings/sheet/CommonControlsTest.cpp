// The controls above the common-parameters text: each one rewrites the text the page stores,
// typing in the text sets them, and OK writes the text.
#include "SheetDriver.h"

#include "settings/SettingsStore.h"
#include "sheet/ColorChooser.h"
#include "sheet/CommonParamControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace mosgrid;

namespace {

constexpr int kCommonPage = 1;
constexpr int kParamId = 1007;
using Id = CommonParamControls::Id;

std::string StoredParam()
{
    return SettingsStore(AppPaths().iniFile).ReadText("Charts", "Param", "");
}

struct Row {
    const char* name;
    const char* stored;  // "Param" before; empty: none
    std::function<void(SheetDriver&)> act;
    const char* shown;   // the text after the act, which OK writes
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

class CommonControls : public ::testing::TestWithParam<Row> {
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }
    void TearDown() override { SetColorChooser({}); }

    SheetTestFolder m_folder;
};

TEST_P(CommonControls, RewriteTheStoredText)
{
    const Row& row = GetParam();
    if (*row.stored)
        m_folder.setIni(HandIni({"[Charts]", QStringLiteral("Param=") + row.stored}));
    SheetDriver d;
    d.showPage(kCommonPage);
    row.act(d);
    EXPECT_EQ(d.text(kParamId), QString::fromUtf8(row.shown));
    d.ok();
    EXPECT_EQ(StoredParam(), row.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, CommonControls,
    ::testing::Values(
        Row{"BuiltInWithGuideLines", "", [](SheetDriver& d) { d.clickCheck(Id::kIdAssistLine); },
            "AssistLine=1; FontSize=9; DispNum=60; ShowScrollBar=0"},
        Row{"UnknownNamesStayInOrder", "Foo=1; FontSize=9; Bar",
            [](SheetDriver& d) {
                d.control<QSpinBox>(Id::kIdFontSize)->setValue(12);
                d.control<QSpinBox>(Id::kIdDispNum)->setValue(250);
                d.clickCheck(Id::kIdShowScrollBar);
            },
            "Foo=1; FontSize=12; Bar; DispNum=250; ShowScrollBar=1"},
        Row{"PeriodChosenAndCleared", "Period=Weekly; DispNum=60",
            [](SheetDriver& d) {
                auto* period = d.control<QComboBox>(Id::kIdPeriod);
                EXPECT_EQ(period->currentIndex(), 2);
                period->setCurrentIndex(0);
            },
            "DispNum=60"},
        Row{"ColourDialogWritesDecimal", "DispNum=60",
            [](SheetDriver& d) {
                SetColorChooser([](ColorRef) { return ColorRef{255}; });
                d.click(Id::kIdUpColor);
                SetColorChooser([](ColorRef) { return std::nullopt; });
                d.click(Id::kIdDownColor);  // cancelled: nothing written
            },
            "DispNum=60; UpColor=255"},
        Row{"TypingSetsTheControls", "",
            [](SheetDriver& d) {
                d.retype(kParamId, "fontsize = 30 AssistLine Period=monthly X=1");
                EXPECT_EQ(d.control<QSpinBox>(Id::kIdFontSize)->value(), 30);
                EXPECT_TRUE(d.control<QCheckBox>(Id::kIdAssistLine)->isChecked());
                EXPECT_EQ(d.control<QComboBox>(Id::kIdPeriod)->currentIndex(), 3);
                // A control changed after typing keeps what was typed around it.
                d.control<QSpinBox>(Id::kIdDispNum)->setValue(5000);
            },
            "fontsize = 30 AssistLine Period=monthly X=1; DispNum=5000"},
        Row{"InvalidTypedValueShowsTheDefault", "",
            [](SheetDriver& d) {
                d.retype(kParamId, "FontSize=huge");
                EXPECT_EQ(d.control<QSpinBox>(Id::kIdFontSize)->value(), 9);
            },
            "FontSize=huge"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
