// The Add-chart dialog's kind chooser with the indicator names: fields write the text, and
// typed text sets the fields.
#include "SheetDriver.h"

#include "sheet/CAddChartDlg.h"
#include "sheet/ChartKindChooser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace mosgrid;

namespace {

constexpr int kChartEditId = 1004;
// Option rows of a price kind.
constexpr int kEma = ChartKindChooser::kIdFirstOption + 2;
constexpr int kBands = ChartKindChooser::kIdFirstOption + 3;
constexpr int kIchimoku = ChartKindChooser::kIdFirstOption + 4;
constexpr int kLog = ChartKindChooser::kIdFirstOption + 5;
constexpr int kStyle = ChartKindChooser::kIdFirstOption + 6;
constexpr int kPaneValue = ChartKindChooser::kIdFirstOption;
constexpr int kRsiKind = 4;
constexpr int kStochKind = 6;

template <typename T>
T* In(QWidget* dialog, int id, const char* part = nullptr)
{
    QWidget* field = dialog->findChild<QWidget*>(QString::number(id));
    if (part == nullptr)
        return qobject_cast<T*>(field);
    return field ? field->findChild<T*>(QString::fromLatin1(part)) : nullptr;
}

void ChooseKind(QWidget* dialog, int kind)
{
    auto* combo = In<QComboBox>(dialog, ChartKindChooser::kIdKind);
    combo->setCurrentIndex(kind);
    emit combo->activated(kind);
}

void Choose(QComboBox* combo, int index)
{
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

struct Row {
    const char* name;
    const char* start;
    std::function<void(QWidget*)> act;
    const char* text;
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

class IndicatorChooser : public ::testing::TestWithParam<Row> {};

TEST_P(IndicatorChooser, FieldsWriteTheDefinition)
{
    SheetTestFolder folder;
    CAddChartDlg dialog(AppPaths().exeDir);
    auto* edit = dialog.findChild<QLineEdit*>(QString::number(kChartEditId));
    edit->setText(QString::fromUtf8(GetParam().start));
    GetParam().act(&dialog);
    EXPECT_EQ(edit->text(), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, IndicatorChooser,
    ::testing::Values(
        Row{"EmaTyped", "Daily; MA=25",
            [](QWidget* d) { QTest::keyClicks(In<QLineEdit>(d, kEma), "12,26"); },
            "Daily; MA=25; EMA=12,26"},
        Row{"BandsCheckedBare", "Daily",
            [](QWidget* d) {
                QTest::mouseClick(In<QCheckBox>(d, kBands, "on"), Qt::LeftButton,
                                  {}, QPoint(4, 4));
            },
            "Daily; BB"},
        Row{"CloudNumbersTurnItOn", "Weekly",
            [](QWidget* d) { QTest::keyClicks(In<QLineEdit>(d, kIchimoku, "numbers"), "7,22"); },
            "Weekly; Ichimoku=7,22"},
        Row{"RealWidthOfBands", "Daily; BB",
            [](QWidget* d) { QTest::keyClicks(In<QLineEdit>(d, kBands, "numbers"), "20,2.5"); },
            "Daily; BB=20,2.5"},
        Row{"LogAndStyle", "Daily",
            [](QWidget* d) {
                QTest::mouseClick(In<QCheckBox>(d, kLog), Qt::LeftButton, {}, QPoint(4, 4));
                Choose(In<QComboBox>(d, kStyle), 3);
            },
            "Daily; Log=1; Style=Line"},
        Row{"StyleBackToDefault", "Daily; Style=Bar; Foo",
            [](QWidget* d) { Choose(In<QComboBox>(d, kStyle), 0); }, "Daily; Foo"},
        Row{"PaneChosenThenValued", "Daily; MA=5",
            [](QWidget* d) {
                ChooseKind(d, kRsiKind);
                QTest::keyClicks(In<QLineEdit>(d, kPaneValue), "9");
            },
            "RSI=9"},
        Row{"PaneToPaneTakesTheDefaults", "RSI=9",
            [](QWidget* d) { ChooseKind(d, kStochKind); }, "Stoch"}),
    [](const auto& info) { return std::string(info.param.name); });

// Typed text sets the fields, an unknown style word included.
TEST(IndicatorChooserRead, TypingSetsTheFields)
{
    SheetTestFolder folder;
    CAddChartDlg dialog(AppPaths().exeDir);
    auto* edit = dialog.findChild<QLineEdit*>(QString::number(kChartEditId));
    edit->setText(QStringLiteral("Daily; BB; Ichimoku=9,26,52; Log; Style=bar"));
    EXPECT_TRUE(In<QCheckBox>(&dialog, kBands, "on")->isChecked());
    EXPECT_TRUE(In<QLineEdit>(&dialog, kBands, "numbers")->text().isEmpty());
    EXPECT_EQ(In<QLineEdit>(&dialog, kIchimoku, "numbers")->text(), "9,26,52");
    EXPECT_TRUE(In<QCheckBox>(&dialog, kLog)->isChecked());
    EXPECT_EQ(In<QComboBox>(&dialog, kStyle)->currentData().toString(), "Bar");

    edit->setText(QStringLiteral("Daily; Style=Wavy"));
    EXPECT_FALSE(In<QCheckBox>(&dialog, kBands, "on")->isChecked());
    QTest::keyClicks(In<QLineEdit>(&dialog, kEma), "5");
    EXPECT_EQ(edit->text(), "Daily; Style=Wavy; EMA=5") << "a word it does not know stays";

    edit->setText(QStringLiteral("MACD=5,35,5"));
    EXPECT_EQ(In<QComboBox>(&dialog, ChartKindChooser::kIdKind)->currentIndex(), 5);
    EXPECT_EQ(In<QLineEdit>(&dialog, kPaneValue)->text(), "5,35,5");
}

} // namespace
