// The chart list beyond adding and deleting: editing in place, reordering, duplicating; and
// the Add-chart dialog's kind chooser writing the definition it then adds.
#include "SheetDriver.h"

#include "sheet/CPropCharts.h"
#include "settings/SettingsStore.h"
#include "sheet/ChartKindChooser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace mosgrid;

namespace {

constexpr int kChartsPage = 2;
constexpr int kListId = 1003;
constexpr int kChartEditId = 1004;
constexpr int kOkId = 1;
constexpr int kCancelId = 2;
constexpr int kMaField = ChartKindChooser::kIdFirstOption;
constexpr int kMaxMinField = ChartKindChooser::kIdFirstOption + 1;

template <typename T>
T* In(QWidget* dialog, int id)
{
    return dialog->findChild<T*>(QString::number(id));
}

void Close(QWidget* dialog, bool ok)
{
    QTest::mouseClick(In<QPushButton>(dialog, ok ? kOkId : kCancelId), Qt::LeftButton);
}

void ChooseKind(QWidget* dialog, int kind)
{
    auto* combo = In<QComboBox>(dialog, ChartKindChooser::kIdKind);
    combo->setCurrentIndex(kind);
    emit combo->activated(kind);
}

QString DialogText(QWidget* dialog)
{
    return In<QLineEdit>(dialog, kChartEditId)->text();
}

// Answers the next Add-chart dialog with `answer`, then double-clicks the entry.
void EditByDoubleClick(SheetDriver& d, int row, std::function<void(QWidget*)> answer)
{
    AnswerAddChartDialog(&d.sheet(), std::move(answer));
    auto* list = d.control<QListWidget>(kListId);
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

struct Row {
    const char* name;
    std::function<void(SheetDriver&)> act;
    QStringList entries;  // the list after the act, which OK writes as Chart0..
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

class ChartsPageEdit : public ::testing::TestWithParam<Row> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_folder.setIni(HandIni({"[Chart]", "Num=3", "Chart0=A", "Chart1=Daily; MA=5",
                                 "Chart2=C"}));
    }

    SheetTestFolder m_folder;
};

TEST_P(ChartsPageEdit, WritesTheListAsShown)
{
    const Row& row = GetParam();
    SheetDriver d;
    d.showPage(kChartsPage);
    row.act(d);
    EXPECT_EQ(d.entries(), row.entries);
    d.ok();
    ASSERT_TRUE(d.accepted());
    const SettingsStore settings(AppPaths().iniFile);
    EXPECT_EQ(settings.ReadInt("Chart", "Num", -1), row.entries.size());
    for (int i = 0; i < row.entries.size(); ++i) {
        const std::string key = "Chart" + std::to_string(i);
        EXPECT_EQ(settings.ReadText("Chart", key.c_str(), ""), row.entries[i].toStdString());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, ChartsPageEdit,
    ::testing::Values(
        Row{"DoubleClickEditsInPlaceThroughTheFields",
            [](SheetDriver& d) {
                EditByDoubleClick(d, 1, [](QWidget* dialog) {
                    EXPECT_EQ(In<QComboBox>(dialog, ChartKindChooser::kIdKind)->currentIndex(),
                              0);
                    auto* ma = In<QLineEdit>(dialog, kMaField);
                    EXPECT_EQ(ma->text(), "5");
                    QTest::keyClicks(ma, ",25");
                    QTest::mouseClick(In<QCheckBox>(dialog, kMaxMinField), Qt::LeftButton);
                    EXPECT_EQ(DialogText(dialog), "Daily; MA=5,25; DispMaxMin=1");
                    Close(dialog, true);
                });
            },
            {"A", "Daily; MA=5,25; DispMaxMin=1", "C"}},
        Row{"EditButtonAndTypingUpdateTheChooser",
            [](SheetDriver& d) {
                d.selectEntry(0);
                AnswerAddChartDialog(&d.sheet(), [](QWidget* dialog) {
                    auto* edit = In<QLineEdit>(dialog, kChartEditId);
                    edit->selectAll();
                    QTest::keyClicks(edit, "Monthly MA=12");
                    EXPECT_EQ(In<QComboBox>(dialog, ChartKindChooser::kIdKind)->currentIndex(),
                              2);
                    EXPECT_EQ(In<QLineEdit>(dialog, kMaField)->text(), "12");
                    Close(dialog, true);
                });
                d.click(CPropCharts::kIdEdit);
            },
            {"Monthly MA=12", "Daily; MA=5", "C"}},
        Row{"CancelledEditKeepsTheEntry",
            [](SheetDriver& d) {
                EditByDoubleClick(d, 2, [](QWidget* dialog) {
                    ChooseKind(dialog, 3);
                    EXPECT_EQ(DialogText(dialog), "Volume");
                    Close(dialog, false);
                });
            },
            {"A", "Daily; MA=5", "C"}},
        Row{"UpDownAndDuplicate",
            [](SheetDriver& d) {
                d.selectEntry(2);
                d.click(CPropCharts::kIdUp);    // A C B
                d.click(CPropCharts::kIdUp);    // C A B
                d.click(CPropCharts::kIdUp);    // at the top: nothing
                d.click(CPropCharts::kIdDuplicate);  // C C A B, the copy selected
                d.click(CPropCharts::kIdDown);  // C A C B
            },
            {"C", "A", "C", "Daily; MA=5"}},
        Row{"NothingSelectedButtonsDoNothing",
            [](SheetDriver& d) {
                for (int id : {CPropCharts::kIdEdit, CPropCharts::kIdDuplicate,
                               CPropCharts::kIdUp, CPropCharts::kIdDown})
                    d.click(id);
            },
            {"A", "Daily; MA=5", "C"}},
        Row{"AddChoosingAKindKeepsSharedOptions",
            [](SheetDriver& d) {
                AnswerAddChartDialog(&d.sheet(), [](QWidget* dialog) {
                    ChooseKind(dialog, 1);
                    QTest::keyClicks(In<QLineEdit>(dialog, kMaField), "13,26");
                    ChooseKind(dialog, 2);  // monthly keeps the averages
                    EXPECT_EQ(DialogText(dialog), "Monthly; MA=13,26");
                    Close(dialog, true);
                });
                d.click(1001);
            },
            {"A", "Daily; MA=5", "C", "Monthly; MA=13,26"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
