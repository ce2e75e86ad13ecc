// ファイル > エクスポート...: each kind's button, its suggested target, and the way back.
#include "app/CExportDlg.h"

#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

TEST(ExportDialog, EachKindSuggestsItsTargetAndIsReadBack)
{
    const struct {
        ExportKind kind;
        const char* button;
        const char* target;
    } rows[] = {
        {ExportKind::Csv, "csv", "/lists/nikkei.csv"},
        {ExportKind::PngFolder, "folder", "/lists/nikkei_png/"},
        {ExportKind::PngSheet, "sheet", "/lists/nikkei.png"},
        {ExportKind::Pdf, "pdf", "/lists/nikkei.pdf"},
    };
    CExportDlg dialog(nullptr, QStringLiteral("/lists/nikkei.lst"));
    for (const auto& row : rows) {
        dialog.findChild<QRadioButton*>(QString::fromLatin1(row.button))->setChecked(true);
        EXPECT_EQ(dialog.kind(), row.kind) << row.button;
        EXPECT_EQ(dialog.target(), QString::fromLatin1(row.target)) << row.button;
        EXPECT_EQ(ExportKindOf(row.target), row.kind) << "the command line reads it alike";
    }
    dialog.SetTarget(QStringLiteral("/mine/own.csv"));
    dialog.SetKind(ExportKind::Csv);
    EXPECT_TRUE(dialog.findChild<QRadioButton*>(QStringLiteral("csv"))->isChecked());
    EXPECT_EQ(dialog.target(), QStringLiteral("/mine/own.csv")) << "a typed path stays";
}

} // namespace
