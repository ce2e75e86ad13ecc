// The Add-chart dialog on its own: its answer, its buttons and its help page.
#include "SheetDriver.h"

#include "sheet/CAddChartDlg.h"
#include "sheet/DialogResults.h"
#include "support/UrlRecorder.h"

#include <QDesktopServices>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

class AddChartDlgTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }
    SheetTestFolder m_folder;
};

struct AnswerCase {
    const char* name;
    QString typed;
    int button;       // 1 OK, 2 Cancel, 0 Return key
    int result;
    QString chart;
};

void PrintTo(const AnswerCase& row, std::ostream* os) { *os << row.name; }

class AddChartAnswerTest : public AddChartDlgTest,
                           public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(AddChartAnswerTest, DoModalReportsTheButtonAndTheText)
{
    const AnswerCase& row = GetParam();
    QWidget owner;
    CAddChartDlg dlg(AppPaths().exeDir, &owner);
    AnswerAddChartDialog(&owner, [row](QWidget* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("1004"));
        QTest::keyClicks(edit, row.typed);
        if (row.button == 0)
            QTest::keyClick(edit, Qt::Key_Return);
        else
            QTest::mouseClick(dialog->findChild<QPushButton*>(QString::number(row.button)),
                              Qt::LeftButton);
    });
    EXPECT_EQ(dlg.DoModal(), row.result);
    EXPECT_EQ(dlg.m_strChart, row.chart);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, AddChartAnswerTest,
    ::testing::Values(
        AnswerCase{"OkTakesTheTextUnchanged", "  Weekly; x=1 ", 1, kIdOk, "  Weekly; x=1 "},
        AnswerCase{"ReturnIsOk", "Monthly", 0, kIdOk, "Monthly"},
        AnswerCase{"CancelTakesNothing", "Monthly", 2, kIdCancel, ""},
        AnswerCase{"OkWithNothingTyped", "", 1, kIdOk, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AddChartDlgTest, HelpOpensChartsPageAndLeavesTheDialogAsItWas)
{
    UrlRecorder recorder;
    CAddChartDlg dlg(AppPaths().exeDir);
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("チャートの追加"));
    auto* edit = dlg.findChild<QLineEdit*>(QStringLiteral("1004"));
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, "Daily; DispMaxMin=1");
    QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("3")), Qt::LeftButton);

    ASSERT_EQ(recorder.urls.size(), 1);
    // The directory ends in '/', so the path holds two separators in a row there.
    const QString expected = QString::fromStdString(m_folder.exeDir()) + "/help/x/Charts.htm";
    EXPECT_TRUE(expected.contains("//help/x/"));
    EXPECT_EQ(recorder.urls.front(), QUrl::fromLocalFile(expected));
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), 0);
    EXPECT_EQ(edit->text(), "Daily; DispMaxMin=1");
}

} // namespace

