// mosgrid --export=...: the program run as a user runs it, without a display; its exit
// statuses and its one line on standard error.
#include "../view/FakeComponents.h"

#include "app/CommandLineExport.h"
#include "base/FileTexts.h"
#include "base/SafeFile.h"
#include "export/CatalogExporter.h"
#include "export/ExportOverwrite.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

struct ProgramRun {
    int status = -1;
    QStringList errors;  // the lines on standard error
};

class CommandLineExportTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_program.isValid()); }

    // The program copy run from the source folder, where the sample list's sources are.
    ProgramRun Export(const QStringList& args)
    {
        QProcess process;
        process.setWorkingDirectory(QStringLiteral(MOSGRID_SOURCE_DIR));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        process.setProcessEnvironment(environment);
        process.start(m_program.filePath(QStringLiteral("mosgrid")), args);
        ProgramRun run;
        if (!process.waitForFinished(120000))
            return run;
        run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
        const QString errors = QString::fromLocal8Bit(process.readAllStandardError());
        if (!errors.isEmpty())
            run.errors = errors.trimmed().split(QLatin1Char('\n'));
        return run;
    }

    QString Out(const QString& name) const { return m_out.filePath(name); }

    TestProgramFolder m_program;
    QTemporaryDir m_out;
    const QString m_sample = QStringLiteral("examples/sample.lst");
};

TEST_F(CommandLineExportTest, EachKindIsWrittenWithoutADisplayAndEndsWithStatusZero)
{
    const ProgramRun pdf = Export({"--export=" + Out("sample.pdf"), m_sample});
    EXPECT_EQ(pdf.status, 0);
    EXPECT_TRUE(pdf.errors.isEmpty()) << pdf.errors.join('|').toStdString();
    EXPECT_TRUE(IsExportedFile(ExportKind::Pdf, QFile::encodeName(Out("sample.pdf")).data()));

    EXPECT_EQ(Export({m_sample, "--export=" + Out("sample.png")}).status, 0);
    const QImage sheet(Out("sample.png"));
    EXPECT_EQ(sheet.width(), 13 * 300) << "the sample's 24 thumbnails, 13 to a row";

    EXPECT_EQ(Export({"--export=" + Out("each/"), m_sample}).status, 0);
    EXPECT_EQ(QDir(Out("each")).entryList({"*.png"}, QDir::Files).size(), 24);
    // Again: an earlier export of the same kind is replaced.
    EXPECT_EQ(Export({"--export=" + Out("sample.pdf"), m_sample}).status, 0);
}

// The charts and labels go into a PDF as drawing commands and text, never as pictures, so
// they stay sharp however far the page is zoomed.
TEST_F(CommandLineExportTest, PdfKeepsChartsAsVectorsAndLabelsAsText)
{
    ASSERT_EQ(Export({"--export=" + Out("vectors.pdf"), m_sample}).status, 0);
    QFile pdf(Out("vectors.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_FALSE(pdf.readAll().contains("/Subtype /Image"));
    const QString extractor = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (extractor.isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    QProcess text;
    text.start(extractor, {Out("vectors.pdf"), QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(60000));
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    // Two securities' names, from their labels.
    EXPECT_TRUE(words.contains(QStringLiteral("北斗精機"))) << words.toStdString();
    EXPECT_TRUE(words.contains(QStringLiteral("瑞穂化成")));
}

struct FailureCase {
    const char* name;
    QStringList args;  // %OUT% stands for the output folder
    int status;
};

void PrintTo(const FailureCase& row, std::ostream* os) { *os << row.name; }

class CommandLineFailureTest : public CommandLineExportTest,
                               public ::testing::WithParamInterface<FailureCase> {};

TEST_P(CommandLineFailureTest, NonZeroWithOneLineOnStandardError)
{
    ASSERT_TRUE(WriteFileBytes(Out("mine.pdf"), "the user's own"));
    QStringList args;
    for (QString arg : GetParam().args)
        args << arg.replace(QStringLiteral("%OUT%"), m_out.path());
    const ProgramRun run = Export(args);
    EXPECT_EQ(run.status, GetParam().status);
    ASSERT_EQ(run.errors.size(), 1) << run.errors.join('|').toStdString();
    EXPECT_TRUE(run.errors[0].startsWith(QStringLiteral("mosgrid: ")));
    EXPECT_EQ(ReadFileBytes(Out("mine.pdf")), QByteArray("the user's own"));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CommandLineFailureTest,
    ::testing::Values(
        FailureCase{"NoSuchList", {"--export=%OUT%/a.pdf", "no/such/list.lst"}, 1},
        FailureCase{"NoList", {"--export=%OUT%/a.pdf"}, 2},
        FailureCase{"UnknownKind", {"--export=%OUT%/a.jpg", "examples/sample.lst"}, 2},
        FailureCase{"NoTarget", {"--export", "examples/sample.lst"}, 2},
        FailureCase{"NotAnExport", {"--export=%OUT%/mine.pdf", "examples/sample.lst"}, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandLineExportTest, ForceReplacesWhatIsNotAnExport)
{
    ASSERT_TRUE(WriteFileBytes(Out("mine.pdf"), "the user's own"));
    EXPECT_EQ(Export({"--export=" + Out("mine.pdf"), "--force", m_sample}).status, 0);
    EXPECT_TRUE(IsExportedFile(ExportKind::Pdf, QFile::encodeName(Out("mine.pdf")).data()));
}

// The list is loaded as the command line loads it: /rm deletes it, but only once the export
// may go ahead.
TEST(CommandLineExportList, RemoveFlagHonouredOnlyWhenTheExportGoesAhead)
{
    TestProgramFolder folder({}, false);
    FakeProvider provider;
    const QString list = folder.filePath(QStringLiteral("temp.lst"));
    const ProgramPaths paths{folder.exeDir(), folder.iniFile()};
    QStringList reports;
    const auto report = [&reports](const QString& line) { reports << line; };

    ASSERT_TRUE(WriteFileBytes(folder.filePath("mine.png"), "the user's own"));
    ASSERT_TRUE(WriteFileBytes(list, "1,s,a,A\n1,s,b,B\n"));
    ExportOptions refused{true, QFile::encodeName(folder.filePath("mine.png")).toStdString()};
    EXPECT_EQ(RunCommandLineExport(refused, list.toStdString(), true, paths, &provider, report),
              int(ExportStatus::Refused));
    EXPECT_TRUE(QFile::exists(list));

    ExportOptions fine{true, QFile::encodeName(folder.filePath("out.png")).toStdString()};
    EXPECT_EQ(RunCommandLineExport(fine, list.toStdString(), true, paths, &provider, report),
              0);
    EXPECT_FALSE(QFile::exists(list));
    EXPECT_EQ(QImage(folder.filePath("out.png")).pixel(10, 100), kWithData.rgb());
    EXPECT_EQ(reports.size(), 1);

    // Without a data library there is nothing to export.
    ASSERT_TRUE(WriteFileBytes(list, "1,s,a,A\n"));
    provider.dataLibraryAvailable = false;
    EXPECT_EQ(RunCommandLineExport(fine, list.toStdString(), false, paths, &provider, report),
              int(ExportStatus::Failed));
    EXPECT_TRUE(reports.last().contains(QStringLiteral("Can't Create brasko.DLL")));
}

// /rm: an export that fails while writing keeps the list; a list that cannot be removed
// after a finished export is told, and the export stays.
TEST(CommandLineExportList, RemoveFlagWaitsForAFinishedExport)
{
    TestProgramFolder folder({}, false);
    FakeProvider provider;
    const QString list = folder.filePath(QStringLiteral("temp.lst"));
    const ProgramPaths paths{folder.exeDir(), folder.iniFile()};
    QStringList reports;
    const auto report = [&reports](const QString& line) { reports << line; };
    const ExportOptions out{true, QFile::encodeName(folder.filePath("out.pdf")).toStdString()};

    ASSERT_TRUE(WriteFileBytes(list, "1,s,a,A\n1,s,b,B\n"));
    SafeFile::SetSpaceLeftForTesting(1000);
    const int full = RunCommandLineExport(out, list.toStdString(), true, paths, &provider, report);
    SafeFile::SetSpaceLeftForTesting(-1);
    EXPECT_EQ(full, int(ExportStatus::Failed));
    EXPECT_TRUE(QFile::exists(list));
    EXPECT_FALSE(QFile::exists(folder.filePath("out.pdf")));

    // No one may remove a file of /proc, not even root.
    const std::string unremovable = "/proc/version";
    reports.clear();
    EXPECT_EQ(RunCommandLineExport(out, unremovable, true, paths, &provider, report),
              int(ExportStatus::Failed));
    EXPECT_TRUE(QFile::exists(folder.filePath("out.pdf")));
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains(FileTexts::kListNotRemoved.arg("/proc/version")))
        << reports[0].toStdString();
}

} // namespace
