#include "export/PngSheetWriter.h"

#include "export/ExportHeaderBand.h"
#include "export/ExportTarget.h"

#include <QFile>
#include <QPainter>

#include <algorithm>

PngSheetWriter::PngSheetWriter(const QString& path, ExportHeader header, QSize thumbnail)
    : m_file(QFile::encodeName(path).toStdString())
    , m_header(std::move(header))
    , m_thumbnail(thumbnail)
{
}

PngSheetWriter::~PngSheetWriter()
{
    Abort();
}

int PngSheetWriter::RowsPerBand(const ExportLayout::SheetGrid& sheet) const
{
    return std::max(1, (kMinBandCells + sheet.columns - 1) / sheet.columns);
}

std::vector<ExportLayout::Range> PngSheetWriter::Runs(int count) const
{
    const ExportLayout::SheetGrid sheet = ExportLayout::FitSheet(count, m_thumbnail);
    return ExportLayout::Split(count, sheet.columns * RowsPerBand(sheet));
}

bool PngSheetWriter::Begin(int count)
{
    m_sheet = ExportLayout::FitSheet(count, m_thumbnail);
    if (!m_file.open(QIODevice::WriteOnly))
        return false;
    m_stream = std::make_unique<PngStream>(m_file);
    const std::vector<std::pair<std::string, std::string>> texts{
        {"Software", kExportCreator}, {"Title", m_header.listName.toStdString()}};
    // A title that is not Latin-1 is left out rather than written wrong.
    std::vector<std::pair<std::string, std::string>> kept;
    for (const auto& text : texts) {
        const bool latin1 = std::all_of(text.second.begin(), text.second.end(),
                                        [](char c) { return (c & 0x80) == 0; });
        if (latin1)
            kept.push_back(text);
    }
    if (!m_stream->Begin(m_sheet.size, kept))
        return false;
    QImage band(m_sheet.size.width(), ExportLayout::kSheetHeaderHeight, QImage::Format_RGB32);
    QPainter painter(&band);
    PaintSheetHeader(painter, band.rect(), m_header, count);
    painter.end();
    return m_stream->WriteRows(band);
}

bool PngSheetWriter::Add(std::span<const ExportCell> cells)
{
    if (!m_stream || cells.empty())
        return m_stream != nullptr;
    const int perBand = m_sheet.columns * RowsPerBand(m_sheet);
    const int rows = (static_cast<int>(cells.size()) + m_sheet.columns - 1) / m_sheet.columns;
    QImage band(m_sheet.size.width(), rows * m_thumbnail.height(), QImage::Format_RGB32);
    band.fill(Qt::black);
    QPainter painter(&band);
    for (const ExportCell& cell : cells) {
        const int slot = cell.position % perBand;
        if (!cell.image.isNull())
            painter.drawImage(QPoint((slot % m_sheet.columns) * m_thumbnail.width(),
                                     (slot / m_sheet.columns) * m_thumbnail.height()),
                              cell.image);
    }
    painter.end();
    return m_stream->WriteRows(band);
}

bool PngSheetWriter::Finish()
{
    if (!m_stream || !m_stream->Finish())
        return false;
    m_stream.reset();
    return m_file.commit();
}

void PngSheetWriter::Abort()
{
    m_stream.reset();
    m_file.cancelWriting();
}
