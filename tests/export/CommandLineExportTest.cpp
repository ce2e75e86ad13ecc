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

using namespace mosgrid;

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

// The value table: one line per security in the list's order, the indicator columns the
// definitions draw, and its own earlier table replaced without --force.
TEST_F(CommandLineExportTest, ValueTableHasALinePerSecurityAndEveryIndicatorColumn)
{
    ASSERT_TRUE(WriteFileBytes(QString::fromStdString(m_program.iniFile()),
                               "[Chart]\nNum=3\nChart0=Daily; MA=25; BB=20,2\n"
                               "Chart1=RSI=14\nChart2=MACD=12,26,9\n"));
    for (int run = 0; run < 2; ++run) {
        const ProgramRun csv = Export({"--export=" + Out("values.csv"), m_sample});
        ASSERT_EQ(csv.status, 0) << csv.errors.join('|').toStdString();
    }
    const QByteArray text = ReadFileBytes(Out("values.csv"));
    EXPECT_TRUE(IsExportedFile(ExportKind::Csv, QFile::encodeName(Out("values.csv")).data()));
    const QStringList lines =
        QString::fromUtf8(text.mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 25) << "a heading and the sample's 24 securities";
    for (const char* column : {"MA(25)", "\"BB upper(20,2)\"", "RSI(14)",
                               "\"MACD histogram(12,26,9)\""})
        EXPECT_TRUE(lines[0].contains(QString::fromUtf8(column))) << column;
    // Cells split at commas outside quotes (no cell here holds a quote).
    const auto cells = [](const QString& line) {
        QStringList out{QString()};
        bool quoted = false;
        for (const QChar c : line) {
            if (c == QLatin1Char('"'))
                quoted = !quoted;
            else if (c == QLatin1Char(',') && !quoted)
                out << QString();
            else
                out.last() += c;
        }
        return out;
    };
    const int rsi = int(cells(lines[0]).indexOf(QStringLiteral("RSI(14)")));
    ASSERT_GT(rsi, 0);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("1301,")));
    const int problem = int(cells(lines[0]).indexOf(QStringLiteral("problem")));
    int withValues = 0;
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList line = cells(lines[i]);
        // A security without a file says why and leaves its values empty.
        if (line.value(5).isEmpty()) {
            EXPECT_FALSE(line.value(problem).isEmpty()) << lines[i].toStdString();
            EXPECT_TRUE(line.value(rsi).isEmpty());
            continue;
        }
        bool number = false;
        const double value = line.value(rsi).toDouble(&number);
        EXPECT_TRUE(number && value >= 0 && value <= 100) << lines[i].toStdString();
        ++withValues;
    }
    EXPECT_GE(withValues, 20);

    ASSERT_TRUE(WriteFileBytes(Out("mine.csv"), "a,b\r\n"));
    EXPECT_EQ(Export({"--export=" + Out("mine.csv"), m_sample}).status, 3);
    EXPECT_EQ(ReadFileBytes(Out("mine.csv")), QByteArray("a,b\r\n"));
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

// [View] Screen= narrows what --export writes; a condition that does not parse is told in
// one line and narrows nothing.
TEST(CommandLineExportList, TheSettingsConditionNarrowsTheExport)
{
    TestProgramFolder folder({}, false);
    FakeProvider provider;
    const QString list = folder.filePath(QStringLiteral("screen.lst"));
    const ProgramPaths paths{folder.exeDir(), folder.iniFile()};
    ASSERT_TRUE(WriteFileBytes(list, "1,s,a,A\n1,s,nodata,N\n1,s,b,B\n"));
    const struct {
        const char* condition;
        int files;
        int reports;
    } cases[] = {{"close > 100", 2, 0}, {"close < 100", 0, 0}, {"close >", 3, 1}, {"", 3, 0}};
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteFileBytes(QString::fromStdString(folder.iniFile()),
                                   QByteArray("[View]\nScreen=") + c.condition + "\n"));
        const QString out = folder.filePath(QStringLiteral("each%1/").arg(c.files));
        QDir(out).removeRecursively();
        QStringList reports;
        const ExportOptions options{true, QFile::encodeName(out).toStdString(), true};
        RunCommandLineExport(options, list.toStdString(), false, paths, &provider,
                             [&reports](const QString& line) { reports << line; });
        EXPECT_EQ(QDir(out).entryList({"*.png"}, QDir::Files).size(), c.files) << c.condition;
        EXPECT_EQ(reports.size(), c.reports) << c.condition;
    }
}
