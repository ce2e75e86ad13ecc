// Exports written from thumbnails of known colours: pages, a sheet and a folder, checked by
// their pixels; runs asked for in order; nothing replaced that is not an export's own.
#include "base/FileTexts.h"
#include "export/CatalogExporter.h"
#include "export/ExportOverwrite.h"
#include "ExportTestSupport.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <set>

using namespace mosgrid;

namespace {

class ExportWriterTest : public ExportFixture {};

TEST_F(ExportWriterTest, PdfPagesHoldWholeRowsUnderAHeaderAndEverySecurityOnce)
{
    ColourSource source(QSize(300, 180));
    const std::string pdf = Path(QStringLiteral("catalog.pdf"));
    const ExportOutcome outcome = Export(source, 60, pdf);
    ASSERT_EQ(outcome.status, ExportStatus::Done) << outcome.message.toStdString();
    EXPECT_EQ(outcome.written, 60);
    EXPECT_TRUE(IsExportedFile(ExportKind::Pdf, pdf));
    // Pages of 5 x 5, asked for in order, each with the next page to make meanwhile.
    ASSERT_EQ(source.fetched.size(), 3u);
    EXPECT_EQ(source.fetched[1].front(), 25);
    EXPECT_EQ(source.fetched[2].size(), 10u);
    EXPECT_EQ(source.following[0], source.fetched[1]);
    EXPECT_TRUE(source.following[2].empty());
    const QByteArray bytes = ReadFileBytes(QFile::decodeName(pdf.c_str()));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), 3);
    // Lossless pictures: JPEG blurs thin candles and the labels' text.
    EXPECT_FALSE(bytes.contains("/DCTDecode"));
    EXPECT_TRUE(bytes.contains("/FlateDecode"));

    // The pixels of the first page: cell 0 and cell 6 (second row, second column).
    const QString renderer = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (renderer.isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    const QString prefix = m_dir.filePath(QStringLiteral("page"));
    ASSERT_EQ(QProcess::execute(renderer, {"-r", "72", "-f", "1", "-l", "1", "-png",
                                           QFile::decodeName(pdf.c_str()), prefix}), 0);
    const QImage page(prefix + QStringLiteral("-1.png"));
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(page.size(), QSize(842, 595));
    const double margin = 10 / 25.4 * 72;
    const double cellWidth = (842 - 2 * margin) / 5;
    const double cellHeight = cellWidth * 180 / 300;
    const auto centre = [&](int slot) {
        return QPoint(int(margin + (slot % 5 + 0.5) * cellWidth),
                      int(margin + 22 + (slot / 5 + 0.5) * cellHeight));
    };
    EXPECT_TRUE(Near(page.pixel(centre(0)), ColourOf(0).rgb()));
    EXPECT_TRUE(Near(page.pixel(centre(6)), ColourOf(6).rgb()));
    EXPECT_TRUE(Near(page.pixel(int(margin) + 1, int(margin) + 1), qRgb(255, 255, 255)))
        << "the header is on white paper";
}

TEST_F(ExportWriterTest, SheetHoldsEveryThumbnailAtItsOwnSizeUnderAHeader)
{
    ColourSource source(QSize(1000, 20), {5});
    const std::string png = Path(QStringLiteral("sheet.png"));
    ASSERT_EQ(Export(source, 30, png).status, ExportStatus::Done);
    EXPECT_TRUE(IsExportedFile(ExportKind::PngSheet, png));
    const QImage sheet(QFile::decodeName(png.c_str()));
    ASSERT_EQ(sheet.size(), QSize(4000, 28 + 8 * 20));
    for (int i = 0; i < 30; ++i) {
        const QPoint centre((i % 4) * 1000 + 500, 28 + (i / 4) * 20 + 10);
        const QRgb expected = i == 5 ? qRgb(0, 0, 0) : ColourOf(i).rgb();
        EXPECT_EQ(sheet.pixel(centre), expected) << "thumbnail " << i;
    }
    EXPECT_EQ(sheet.pixel(3500, 28 + 7 * 20 + 10), qRgb(0, 0, 0)) << "past the last: black";
    EXPECT_EQ(sheet.pixel(0, 0), qRgb(0, 0, 0));
}

TEST_F(ExportWriterTest, FolderGetsOneFilePerSecurityAndTheNextExportReplacesOnlyThose)
{
    const QString folder = m_dir.filePath(QStringLiteral("out"));
    const std::string target = Path(QStringLiteral("out/"));
    ColourSource first(QSize(30, 20), {1});
    ASSERT_EQ(Export(first, 5, target).status, ExportStatus::Done);
    QDir dir(folder);
    EXPECT_EQ(dir.entryList(QDir::Files),
              (QStringList{"0001_c0.png", "0003_c2.png", "0004_c3.png", "0005_c4.png"}));
    EXPECT_EQ(QImage(dir.filePath("0004_c3.png")).pixel(15, 10), ColourOf(3).rgb());

    ASSERT_TRUE(WriteFileBytes(dir.filePath("notes.txt"), "mine"));
    ColourSource second(QSize(30, 20));
    ASSERT_EQ(Export(second, 2, target).status, ExportStatus::Done);
    EXPECT_EQ(dir.entryList(QDir::Files),
              (QStringList{"0001_c0.png", "0002_c1.png", "notes.txt"}));
    EXPECT_TRUE(dir.exists(QStringLiteral(".mosgrid-export")));
}

TEST_F(ExportWriterTest, WhatIsNotAnExportIsReplacedOnlyWithForce)
{
    ColourSource source(QSize(30, 20));
    for (const QString& name : {QStringLiteral("mine.pdf"), QStringLiteral("mine.png")}) {
        const QString path = m_dir.filePath(name);
        ASSERT_TRUE(WriteFileBytes(path, "the user's own"));
        const ExportOutcome refused = Export(source, 3, Path(name));
        EXPECT_EQ(refused.status, ExportStatus::Refused) << name.toStdString();
        EXPECT_EQ(refused.message, FileTexts::kExportNotOverwritable.arg(path));
        EXPECT_EQ(ReadFileBytes(path), QByteArray("the user's own"));
        EXPECT_EQ(Export(source, 3, Path(name), true).status, ExportStatus::Done);
    }
    // A folder of someone else's files, and a folder where a PDF is to go.
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("photos")));
    ASSERT_TRUE(WriteFileBytes(m_dir.filePath("photos/cat.png"), "meow"));
    EXPECT_EQ(Export(source, 3, Path(QStringLiteral("photos/"))).status, ExportStatus::Refused);
    EXPECT_EQ(Export(source, 3, Path(QStringLiteral("photos/")), true).status,
              ExportStatus::Done);
    EXPECT_EQ(ReadFileBytes(m_dir.filePath("photos/cat.png")), QByteArray("meow"));
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("odd.pdf")));
    EXPECT_EQ(Export(source, 3, Path(QStringLiteral("odd.pdf")), true).status,
              ExportStatus::Usage);
    EXPECT_EQ(Export(source, 3, Path(QStringLiteral("out.jpg"))).status, ExportStatus::Usage);
}

TEST_F(ExportWriterTest, AStoppedExportLeavesTheEarlierOneAsItWas)
{
    ColourSource source(QSize(300, 180));
    const std::string pdf = Path(QStringLiteral("catalog.pdf"));
    ASSERT_EQ(Export(source, 30, pdf).status, ExportStatus::Done);
    const QByteArray before = ReadFileBytes(QFile::decodeName(pdf.c_str()));
    const ExportOutcome stopped =
        Export(source, 80, pdf, false, [](int done, int) { return done < 50; });
    EXPECT_EQ(stopped.status, ExportStatus::Cancelled);
    EXPECT_EQ(ReadFileBytes(QFile::decodeName(pdf.c_str())), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"catalog.pdf"})
        << "no temporary file left behind";
}

// A catalog taller than a viewer takes goes into numbered sheets of whole rows, each with
// the header; none is put in place over someone else's file.
TEST_F(ExportWriterTest, ATallSheetIsSplitIntoNumberedSheets)
{
    ColourSource source(QSize(2100, 6000));
    ASSERT_TRUE(WriteFileBytes(m_dir.filePath("sheet-002.png"), "the user's own"));
    EXPECT_EQ(Export(source, 3, Path(QStringLiteral("sheet.png"))).status,
              ExportStatus::Refused);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"sheet-002.png"});

    ASSERT_EQ(Export(source, 3, Path(QStringLiteral("sheet.png")), true).status,
              ExportStatus::Done);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files),
              (QStringList{"sheet-001.png", "sheet-002.png"}));
    // Two rows of one, then the last. (Bigger than Qt reads by default.)
    QImageReader::setAllocationLimit(0);
    const QImage first(m_dir.filePath(QStringLiteral("sheet-001.png")));
    const QImage second(m_dir.filePath(QStringLiteral("sheet-002.png")));
    ASSERT_FALSE(first.isNull());
    ASSERT_FALSE(second.isNull());
    EXPECT_EQ(first.size(), QSize(2100, 28 + 2 * 6000));
    EXPECT_EQ(second.size(), QSize(2100, 28 + 6000));
    EXPECT_EQ(first.pixel(5, 28 + 10), ColourOf(0).rgb());
    EXPECT_EQ(first.pixel(5, 28 + 6000 + 10), ColourOf(1).rgb());
    EXPECT_EQ(second.pixel(5, 28 + 10), ColourOf(2).rgb());
}

} // namespace
