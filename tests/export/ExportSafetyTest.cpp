// Exports under attack: a disk that fills up, links planted at the target, the marker or the
// temporary names, a folder export that fails half way. The user's files stay as they were
// and no failure is reported as success.
#include "base/SafeFile.h"
#include "export/CatalogExporter.h"
#include "ExportTestSupport.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <map>

using namespace mosgrid;

namespace {

// Every entry of a folder (hidden ones too): a file's bytes, a link's target, "<folder>".
std::map<QString, QByteArray> Snapshot(const QString& folder)
{
    std::map<QString, QByteArray> entries;
    const QDir dir(folder);
    const auto filter = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QFileInfo& entry : dir.entryInfoList(filter)) {
        if (entry.isSymLink())
            entries[entry.fileName()] = "link:" + entry.symLinkTarget().toUtf8();
        else if (entry.isDir())
            entries[entry.fileName()] = "<folder>";
        else
            entries[entry.fileName()] = ReadFileBytes(entry.filePath());
    }
    return entries;
}

bool MakeLink(const QString& target, const QString& link)
{
    return QFile::link(target, link);
}

class ExportSafetyTest : public ExportFixture {
protected:
    void TearDown() override { SafeFile::SetSpaceLeftForTesting(-1); }

    // The user's file that planted links point at.
    QString Victim()
    {
        const QString victim = m_dir.filePath(QStringLiteral("victim.txt"));
        if (!QFile::exists(victim)) {
            EXPECT_TRUE(WriteFileBytes(victim, "the user's own"));
        }
        return victim;
    }
    void ExpectVictimUntouched()
    {
        EXPECT_EQ(ReadFileBytes(m_dir.filePath(QStringLiteral("victim.txt"))),
                  QByteArray("the user's own"));
    }
};

struct DiskCase {
    const char* name;
    const char* target;
    long long spaceLeft;  // bytes the disk takes of the second export
};

void PrintTo(const DiskCase& row, std::ostream* os) { *os << row.name; }

class FullDiskTest : public ExportSafetyTest, public ::testing::WithParamInterface<DiskCase> {};

// The last bytes of a file are often written only by the final flush: that failure too ends
// the export as failed, the earlier export stays whole and no temporary file is left.
TEST_P(FullDiskTest, AnExportThatRunsOutOfSpaceFailsAndLeavesTheEarlierOne)
{
    ColourSource source(QSize(120, 80));
    ASSERT_EQ(Export(source, 40, Path(GetParam().target)).status, ExportStatus::Done);
    const auto before = Snapshot(m_dir.path());
    const auto folderBefore = Snapshot(m_dir.filePath(QStringLiteral("out")));

    source.shift = 5;
    SafeFile::SetSpaceLeftForTesting(GetParam().spaceLeft);
    const ExportOutcome outcome = Export(source, 60, Path(GetParam().target));
    SafeFile::SetSpaceLeftForTesting(-1);
    EXPECT_EQ(outcome.status, ExportStatus::Failed);
    EXPECT_EQ(Snapshot(m_dir.path()), before);
    EXPECT_EQ(Snapshot(m_dir.filePath(QStringLiteral("out"))), folderBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FullDiskTest,
    ::testing::Values(DiskCase{"PdfNoSpace", "out.pdf", 0},
                      DiskCase{"PdfLastFlush", "out.pdf", 4000},
                      DiskCase{"SheetNoSpace", "out.png", 0},
                      DiskCase{"SheetLastFlush", "out.png", 2000},
                      DiskCase{"FolderFirstFile", "out/", 0},
                      DiskCase{"FolderHalfWay", "out/", 6000}),
    [](const auto& info) { return std::string(info.param.name); });

struct LinkCase {
    const char* name;
    const char* target;
    int chain;  // links in a row from the target to the victim (1: one link)
};

void PrintTo(const LinkCase& row, std::ostream* os) { *os << row.name; }

class LinkAtTargetTest : public ExportSafetyTest,
                         public ::testing::WithParamInterface<LinkCase> {};

// A link at the target is someone else's: refused without force, and with force the link
// itself is replaced, never the file it names, however long the chain.
TEST_P(LinkAtTargetTest, IsRefusedAndUnderForceReplacedItself)
{
    QString target = m_dir.filePath(QString::fromLatin1(GetParam().target));
    if (target.endsWith(QLatin1Char('/')))
        target.chop(1);
    QString next = Victim();
    for (int i = GetParam().chain - 1; i > 0; --i) {
        const QString link = m_dir.filePath(QStringLiteral("chain%1").arg(i));
        ASSERT_TRUE(MakeLink(next, link));
        next = link;
    }
    ASSERT_TRUE(MakeLink(next, target));
    ColourSource source(QSize(30, 20));
    EXPECT_EQ(Export(source, 3, Path(GetParam().target)).status, ExportStatus::Refused);
    ExpectVictimUntouched();
    EXPECT_TRUE(QFileInfo(target).isSymLink());

    EXPECT_EQ(Export(source, 3, Path(GetParam().target), true).status, ExportStatus::Done);
    ExpectVictimUntouched();
    EXPECT_FALSE(QFileInfo(target).isSymLink());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LinkAtTargetTest,
    ::testing::Values(LinkCase{"Pdf", "out.pdf", 1}, LinkCase{"Sheet", "out.png", 1},
                      LinkCase{"PdfChainTooLongToFollow", "out.pdf", 46},
                      LinkCase{"SheetChain", "out.png", 3}, LinkCase{"Folder", "out/", 1}),
    [](const auto& info) { return std::string(info.param.name); });

// Links planted in an exported folder under the names the next export writes: the files they
// name stay, and the folder ends up with plain files of its own.
TEST_F(ExportSafetyTest, LinksPlantedInAFolderAreNeverWrittenThrough)
{
    ColourSource source(QSize(30, 20));
    const QDir out(m_dir.filePath(QStringLiteral("out")));
    ASSERT_EQ(Export(source, 3, Path(QStringLiteral("out/"))).status, ExportStatus::Done);
    for (const QString& name : {QStringLiteral("0001_c0.png.part"),
                                QStringLiteral("0002_c1.png"), QStringLiteral("0004_c3.png")}) {
        QFile::remove(out.filePath(name));
        ASSERT_TRUE(MakeLink(Victim(), out.filePath(name)));
    }
    EXPECT_EQ(Export(source, 4, Path(QStringLiteral("out/"))).status, ExportStatus::Done);
    ExpectVictimUntouched();
    for (const QString& name : {QStringLiteral("0001_c0.png"), QStringLiteral("0002_c1.png"),
                                QStringLiteral("0004_c3.png")}) {
        EXPECT_FALSE(QFileInfo(out.filePath(name)).isSymLink()) << name.toStdString();
        EXPECT_EQ(QImage(out.filePath(name)).pixel(1, 1), ColourOf(name.mid(6, 1).toInt()).rgb());
    }

    // A marker that is a link is not an export's: refused, and under force replaced itself.
    const QString marker = out.filePath(QStringLiteral(".mosgrid-export"));
    ASSERT_TRUE(QFile::remove(marker));
    ASSERT_TRUE(MakeLink(Victim(), marker));
    EXPECT_EQ(Export(source, 2, Path(QStringLiteral("out/"))).status, ExportStatus::Refused);
    EXPECT_EQ(Export(source, 2, Path(QStringLiteral("out/")), true).status, ExportStatus::Done);
    ExpectVictimUntouched();
    EXPECT_FALSE(QFileInfo(marker).isSymLink());
    EXPECT_TRUE(ReadFileBytes(marker).startsWith("mosgrid export\n0001_c0.png\n"));
}

// A folder export that fails while moving its files in puts back every file it moved; one
// that fails while writing never touched the folder.
TEST_F(ExportSafetyTest, AFailedFolderExportLeavesTheFolderAsItWas)
{
    ColourSource source(QSize(30, 20));
    const QString out = m_dir.filePath(QStringLiteral("out"));
    ASSERT_EQ(Export(source, 6, Path(QStringLiteral("out/"))).status, ExportStatus::Done);
    ASSERT_TRUE(QFile::remove(out + QStringLiteral("/0005_c4.png")));
    ASSERT_TRUE(QDir(out).mkdir(QStringLiteral("0005_c4.png")));
    ASSERT_TRUE(WriteFileBytes(out + QStringLiteral("/0005_c4.png/inside"), "mine"));
    const auto before = Snapshot(out);
    const auto beside = Snapshot(m_dir.path());

    source.shift = 3;
    EXPECT_EQ(Export(source, 8, Path(QStringLiteral("out/"))).status, ExportStatus::Failed);
    EXPECT_EQ(Snapshot(out), before);
    EXPECT_EQ(Snapshot(m_dir.path()), beside) << "no temporary folder left beside";

    // Without the obstacle the same export goes in whole.
    ASSERT_TRUE(QDir(out + QStringLiteral("/0005_c4.png")).removeRecursively());
    EXPECT_EQ(Export(source, 8, Path(QStringLiteral("out/"))).status, ExportStatus::Done);
    EXPECT_EQ(QDir(out).entryList(QDir::Files).size(), 8);
    EXPECT_EQ(QImage(out + QStringLiteral("/0008_c7.png")).pixel(1, 1), ColourOf(10).rgb());
}

// A plain file where a folder export is to go is the wrong kind of thing, not a failure.
TEST_F(ExportSafetyTest, AFileWhereAFolderIsToGoIsTheWrongKind)
{
    ASSERT_TRUE(WriteFileBytes(m_dir.filePath(QStringLiteral("afile")), "mine"));
    ColourSource source(QSize(30, 20));
    EXPECT_EQ(Export(source, 2, Path(QStringLiteral("afile/"))).status, ExportStatus::Usage);
    EXPECT_EQ(Export(source, 2, Path(QStringLiteral("afile/")), true).status,
              ExportStatus::Usage);
    EXPECT_EQ(ReadFileBytes(m_dir.filePath(QStringLiteral("afile"))), QByteArray("mine"));
}

} // namespace
