#include "export/PngSheetWriter.h"

#include "export/ExportHeaderBand.h"
#include "export/ExportTarget.h"

#include <QFile>
#include <QPainter>

#include <algorithm>

namespace mosgrid {

namespace {

constexpr int kMinSheetDigits = 3;
constexpr int kBytesPerPixel = 4;

} // namespace

PngSheetWriter::PngSheetWriter(const QString& path, ExportHeader header, QSize thumbnail)
    : m_path(QFile::encodeName(path).toStdString())
    , m_header(std::move(header))
    , m_thumbnail(thumbnail)
{
}

PngSheetWriter::~PngSheetWriter()
{
    Abort();
}

std::string PngSheetWriter::SheetPath(const std::string& path, int index, int sheets)
{
    if (sheets <= 1)
        return path;
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    const std::size_t cut =
        dot != std::string::npos && (slash == std::string::npos || dot > slash + 1)
        ? dot : path.size();
    std::string number = std::to_string(index + 1);
    const std::size_t digits =
        std::max<std::size_t>(kMinSheetDigits, std::to_string(sheets).size());
    number.insert(0, digits - std::min(digits, number.size()), '0');
    return path.substr(0, cut) + '-' + number + path.substr(cut);
}

int PngSheetWriter::RowsPerBand(const ExportLayout::SheetGrid& sheet) const
{
    const int wanted = (kMinBandCells + sheet.columns - 1) / sheet.columns;
    const qint64 rowBytes =
        qint64(sheet.size.width()) * std::max(1, m_thumbnail.height()) * kBytesPerPixel;
    const int fitting = int(std::max<qint64>(1, kMaxBandBytes / std::max<qint64>(1, rowBytes)));
    return std::max(1, std::min(wanted, fitting));
}

std::vector<ExportLayout::Range> PngSheetWriter::Runs(int count) const
{
    // Bands never cross from one sheet to the next.
    std::vector<ExportLayout::Range> runs;
    for (const ExportLayout::Range& sheet : ExportLayout::SplitSheets(count, m_thumbnail)) {
        const ExportLayout::SheetGrid grid = ExportLayout::FitSheet(sheet.count, m_thumbnail);
        for (ExportLayout::Range band :
             ExportLayout::Split(sheet.count, grid.columns * RowsPerBand(grid))) {
            band.first += sheet.first;
            runs.push_back(band);
        }
    }
    return runs;
}

std::vector<std::string> PngSheetWriter::MoreTargets(int count) const
{
    std::vector<std::string> paths;
    const int sheets = int(ExportLayout::SplitSheets(count, m_thumbnail).size());
    for (int i = 0; sheets > 1 && i < sheets; ++i)
        paths.push_back(SheetPath(m_path, i, sheets));
    return paths;
}

bool PngSheetWriter::Begin(int count)
{
    Abort();
    m_count = count;
    m_sheets = ExportLayout::SplitSheets(count, m_thumbnail);
    return StartSheet(0);
}

bool PngSheetWriter::StartSheet(int index)
{
    m_current = index;
    const ExportLayout::Range range = m_sheets[std::size_t(index)];
    m_sheet = ExportLayout::FitSheet(range.count, m_thumbnail);
    auto file = std::make_unique<SafeFile>(SheetPath(m_path, index, int(m_sheets.size())));
    if (!file->open(QIODevice::WriteOnly))
        return false;
    m_stream = std::make_unique<PngStream>(*file);
    m_files.push_back(std::move(file));
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
    PaintSheetHeader(painter, band.rect(), m_header, m_count);
    painter.end();
    return m_stream->WriteRows(band);
}

bool PngSheetWriter::EndSheet()
{
    const bool ended = m_stream && m_stream->Finish();
    m_stream.reset();
    return ended;
}

bool PngSheetWriter::Add(std::span<const ExportCell> cells)
{
    if (!m_stream || cells.empty())
        return m_stream != nullptr;
    const int first = cells.front().position;
    const ExportLayout::Range current = m_sheets[std::size_t(m_current)];
    if (first >= current.first + current.count) {
        if (!EndSheet() || !StartSheet(m_current + 1))
            return false;
    }
    const int rows = (static_cast<int>(cells.size()) + m_sheet.columns - 1) / m_sheet.columns;
    QImage band(m_sheet.size.width(), rows * m_thumbnail.height(), QImage::Format_RGB32);
    band.fill(Qt::black);
    QPainter painter(&band);
    for (const ExportCell& cell : cells) {
        const int slot = cell.position - first;
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
    if (!EndSheet() || m_current + 1 != int(m_sheets.size())) {
        Abort();
        return false;
    }
    // Every sheet is whole before the first is put in place.
    for (const std::unique_ptr<SafeFile>& file : m_files) {
        if (!file->commit()) {
            Abort();
            return false;
        }
    }
    m_files.clear();
    return true;
}

void PngSheetWriter::Abort()
{
    m_stream.reset();
    for (const std::unique_ptr<SafeFile>& file : m_files)
        file->cancelWriting();
    m_files.clear();
    m_current = -1;
}

} // namespace mosgrid
