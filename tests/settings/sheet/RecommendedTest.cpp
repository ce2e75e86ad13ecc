// "推奨の表示にする": OK writes exactly the recommended keys (and the General page's own),
// on whichever pages were shown before or after the click; Cancel writes nothing.
#include "SheetDriver.h"

#include "sheet/CPropGeneral.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

using namespace mosgrid;

namespace {

enum Page { General = 0, Common = 1, Charts = 2, Label = 3 };
constexpr int kParamId = 1007;
constexpr int kLabelId = 1011;

const QStringList kGeneralKeys = {"SizeX=300", "SizeY=180"};
const QStringList kNameKeys = {"BackColor=8421440", "TextColor=16777215", "TransParent=0"};
const QString kParam = QStringLiteral("AssistLine=1; FontSize=9; DispNum=60; ShowScrollBar=0");
const QStringList kChartKeys = {"Num=2", "Chart0=Daily; MA=5,25,75; DispMaxMin=1",
                                "Chart1=Volume"};
const QString kLabel = QStringLiteral("Label={code} {name} {last} {change%}");

struct Row {
    const char* name;
    std::function<void(SheetDriver&)> act;  // around the click
    bool ok;
    std::optional<QByteArray> after;
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

void Recommend(SheetDriver& d) { d.click(CPropGeneral::kIdRecommended); }

class Recommended : public ::testing::TestWithParam<Row> {
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }
    SheetTestFolder m_folder;
};

TEST_P(Recommended, WritesOnOkOnly)
{
    const Row& row = GetParam();
    {
        SheetDriver d;
        row.act(d);
        // Nothing is written before the sheet closes.
        EXPECT_FALSE(m_folder.ini().has_value());
        row.ok ? d.ok() : d.cancel();
    }
    EXPECT_EQ(m_folder.ini(), row.after);
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, Recommended,
    ::testing::Values(
        Row{"OkWithOnlyTheGeneralPageShown", Recommend, true,
            NewIni(QStringList{"[Chart]"} + kGeneralKeys + kChartKeys + QStringList{"[Name]"}
                   + kNameKeys + QStringList{kLabel, "[Charts]", "Param=" + kParam})},
        Row{"CancelWritesNothing",
            [](SheetDriver& d) {
                Recommend(d);
                d.showPage(Common);
            },
            false, std::nullopt},
        Row{"PagesShownBeforeAndAfterShowIt",
            [](SheetDriver& d) {
                d.showPage(Common);
                d.retype(kParamId, "Foo=1 DispNum=20");
                d.showPage(General);
                Recommend(d);
                d.showPage(Common);
                EXPECT_EQ(d.text(kParamId), "Foo=1 DispNum=20; AssistLine=1");
                d.showPage(Charts);
                EXPECT_EQ(d.entries(),
                          (QStringList{"Daily; MA=5,25,75; DispMaxMin=1", "Volume"}));
                d.showPage(Label);
                EXPECT_EQ(d.text(kLabelId), "{code} {name} {last} {change%}");
            },
            true,
            // Pages that were shown write all their keys, as always.
            NewIni(QStringList{"[Chart]"} + kGeneralKeys + kChartKeys + QStringList{"[Name]"}
                   + kNameKeys
                   + QStringList{kLabel, "StaleDays=7", "[Charts]",
                                 "Param=Foo=1 DispNum=20; AssistLine=1"})}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
