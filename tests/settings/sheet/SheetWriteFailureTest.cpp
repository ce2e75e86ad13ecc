// OK when the settings file cannot be written: the user is told where and why, and the sheet
// stays open with everything typed, so nothing is lost; once the cause is gone OK works.
#include "SheetDriver.h"

#include "base/MessageBox.h"
#include "settings/SettingsStore.h"
#include "sheet/DialogResults.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

using namespace mosgrid;

namespace {

struct FailureCase {
    const char* name;
    // Makes the obstacle in dir; returns the settings path.
    std::function<std::string(const QTemporaryDir& dir)> block;
    // Takes it away again.
    std::function<void(const QTemporaryDir& dir)> unblock;
    const char* reason;  // a part of the message
    bool needsNonRoot;   // root writes into folders without write bits
};

void PrintTo(const FailureCase& row, std::ostream* os) { *os << row.name; }

std::string Local(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

const FailureCase kCases[] = {
    {"PerUserFolderIsAFile",
     [](const QTemporaryDir& dir) {
         EXPECT_TRUE(WriteFileBytes(dir.filePath("config"), "not a folder"));
         const std::string ini = Local(dir.filePath("config/mosgrid/mosgrid.ini"));
         // A per-user file standing on the program's own.
         SettingsStore::SetSeedFile(ini, Local(dir.filePath("seed.ini")));
         return ini;
     },
     [](const QTemporaryDir& dir) { QFile::remove(dir.filePath("config")); },
     "フォルダのあるべき場所にファイルがあります", false},
    {"ReadOnlyFile",
     [](const QTemporaryDir& dir) {
         const QString ini = dir.filePath("mosgrid.ini");
         EXPECT_TRUE(WriteFileBytes(ini, "[Chart]\nSizeX=400\n"));
         ::chmod(QFile::encodeName(ini).constData(), 0444);
         return Local(ini);
     },
     [](const QTemporaryDir& dir) {
         ::chmod(QFile::encodeName(dir.filePath("mosgrid.ini")).constData(), 0644);
     },
     "読み取り専用", false},
    {"ReadOnlyFolder",
     [](const QTemporaryDir& dir) {
         EXPECT_TRUE(QDir(dir.path()).mkdir("user"));
         ::chmod(QFile::encodeName(dir.filePath("user")).constData(), 0555);
         return Local(dir.filePath("user/mosgrid.ini"));
     },
     [](const QTemporaryDir& dir) {
         ::chmod(QFile::encodeName(dir.filePath("user")).constData(), 0755);
     },
     "フォルダに書き込む権限がありません", true},
};

class SheetWriteFailureTest : public ::testing::TestWithParam<FailureCase> {
protected:
    void TearDown() override
    {
        SetMessageBoxHandler(m_handler);
        for (const std::string& ini : m_seeded)
            SettingsStore::SetSeedFile(ini, "");
    }

    SheetTestFolder m_folder;
    std::vector<std::string> m_seeded;
    MessageBoxHandler m_handler = CurrentMessageBoxHandler();
};

TEST_P(SheetWriteFailureTest, TellsWhereAndWhyAndStaysOpen)
{
    const FailureCase& row = GetParam();
    if (row.needsNonRoot && ::geteuid() == 0)
        GTEST_SKIP() << "root may write into any folder";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string ini = row.block(dir);
    m_seeded.push_back(ini);
    QStringList messages;
    SetMessageBoxHandler([&messages](const QString& text) { messages << text; });

    CPropGeneralSheet sheet(nullptr, ProgramPaths{AppPaths().exeDir, ini}, 0);
    sheet.Open();
    auto* width = sheet.findChild<QLineEdit*>(QStringLiteral("1005"));
    ASSERT_NE(width, nullptr);
    width->setText(QStringLiteral("640"));
    auto* ok = sheet.findChild<QPushButton*>(QString::number(kIdOk));
    QTest::mouseClick(ok, Qt::LeftButton);

    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QFile::decodeName(ini.c_str())))
        << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains(QString::fromUtf8(row.reason)))
        << messages[0].toStdString();
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_NE(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(width->text(), QStringLiteral("640"));

    // The cause gone, the same OK keeps what was typed.
    row.unblock(dir);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(SettingsStore(ini).ReadInt("Chart", "SizeX", 0), 640);
}

INSTANTIATE_TEST_SUITE_P(Rows, SheetWriteFailureTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
