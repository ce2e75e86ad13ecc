// The add-security dialog's live check, read on its worker with the fake components.
#include "../view/FakeComponents.h"

#include "app/AddSecurityDialog.h"
#include "base/AddSecurityTexts.h"
#include "chart/DataProblemText.h"
#include "support/TestFolders.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

constexpr int kWaitMs = 20000;

struct CheckRow {
    std::string name;
    AddSecurityDialog::SourceKind kind;
    QString code;            // typed; the folder holds 1301.csv with closes, 1302.csv empty
    QString expectedCheck;   // empty: a readable series
    int expectedType;
};

class AddSecurityDialogTest : public testing::TestWithParam<CheckRow> {};

TEST_P(AddSecurityDialogTest, ChecksAsTypedAndPreviews)
{
    const CheckRow& row = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(WriteFileBytes(dir.filePath(QStringLiteral("1301.csv")), "100\n101\n102\n"));
    ASSERT_TRUE(WriteFileBytes(dir.filePath(QStringLiteral("1302.csv")), ""));
    ASSERT_TRUE(WriteFileBytes(dir.filePath(QStringLiteral("mosgrid.ini")),
                               "[Chart]\nSizeX=100\nSizeY=50\n"));
    FakeProvider provider;
    provider.readPriceFiles = true;
    AddSecurityDialog dialog(nullptr, provider,
                             QFile::encodeName(dir.filePath(QStringLiteral("mosgrid.ini")))
                                 .toStdString(),
                             NewListItem{1, QFile::encodeName(dir.path()).toStdString(), {}, {}});
    dialog.SetKind(row.kind);
    dialog.SetSource(dir.path());
    EXPECT_EQ(dialog.checkText(), AddSecurityTexts::kIncomplete);
    dialog.SetCode(row.code);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.IsBusy(); }, kWaitMs));
    if (row.expectedCheck.isEmpty())
        EXPECT_TRUE(dialog.checkText().startsWith(AddSecurityTexts::kReadable.left(4)))
            << dialog.checkText().toStdString();
    else
        EXPECT_EQ(dialog.checkText(), row.expectedCheck);
    EXPECT_FALSE(dialog.previewImage().isNull());
    EXPECT_EQ(dialog.previewImage().size(), QSize(100, 50));
    const NewListItem item = dialog.Item();
    EXPECT_EQ(item.type, row.expectedType);
    EXPECT_EQ(item.code, row.code.toStdString());
    EXPECT_EQ(item.name, item.code);  // a missing name is the code
}

INSTANTIATE_TEST_SUITE_P(
    Checks, AddSecurityDialogTest,
    testing::Values(
        CheckRow{"Readable", AddSecurityDialog::SourceKind::CsvFolder, "1301", {}, 1},
        CheckRow{"MissingFile", AddSecurityDialog::SourceKind::CsvFolder, "9999",
                 DataProblemText(quorex::DataProblem::FileMissing), 1},
        CheckRow{"EmptyFile", AddSecurityDialog::SourceKind::CsvFolder, "1302",
                 DataProblemText(quorex::DataProblem::NoRows), 1},
        CheckRow{"DatabaseKindTypesFive", AddSecurityDialog::SourceKind::Database, "1301", {},
                 5}),
    [](const testing::TestParamInfo<CheckRow>& info) { return info.param.name; });

} // namespace
