#include "export/PdfExportWriter.h"

#include "base/DialogLayout.h"
#include "base/FileTexts.h"
#include "export/ExportTarget.h"

#include <QPageLayout>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>

namespace mosgrid {

namespace {

// One device unit per point: the layout is worked out in points.
constexpr int kResolution = 72;
constexpr int kHeaderFontPoints = 9;
constexpr QRgb kHeaderRule = 0xff808080;

QPageLayout PageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                       QMarginsF(PdfExportWriter::kMarginMm, PdfExportWriter::kMarginMm,
                                 PdfExportWriter::kMarginMm, PdfExportWriter::kMarginMm),
                       QPageLayout::Millimeter);
}

} // namespace

PdfExportWriter::PdfExportWriter(const QString& path, ExportHeader header, QSize thumbnail)
    : m_file(QFile::encodeName(path).toStdString())
    , m_header(std::move(header))
    , m_thumbnail(thumbnail)
{
    const QRectF area = PageLayout().paintRect(QPageLayout::Point);
    m_grid = ExportLayout::FitPage(QSizeF(area.width(), area.height() - kHeaderPoints),
                                   thumbnail);
}

PdfExportWriter::~PdfExportWriter()
{
    Abort();
}

std::vector<ExportLayout::Range> PdfExportWriter::Runs(int count) const
{
    return ExportLayout::Split(count, m_grid.perPage());
}

bool PdfExportWriter::Begin(int count)
{
    m_pages = static_cast<int>(Runs(count).size());
    if (!m_file.open(QIODevice::WriteOnly))
        return false;
    m_writer = std::make_unique<QPdfWriter>(&m_file);
    m_writer->setPageLayout(PageLayout());
    m_writer->setResolution(kResolution);
    m_writer->setCreator(QString::fromLatin1(kExportCreator));
    m_writer->setTitle(m_header.listName);
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_writer.get()))
        return false;
    // Flate instead of JPEG: no fringes around thin candles and text.
    m_painter->setRenderHint(QPainter::LosslessImageRendering);
    return true;
}

void PdfExportWriter::DrawHeader()
{
    QPainter& p = *m_painter;
    const double width = m_writer->width();
    QFont font = DialogFont();
    font.setPointSize(kHeaderFontPoints);
    p.setFont(font);
    p.setPen(Qt::black);
    const QRectF line(0, 0, width, kHeaderPoints - 6);
    p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, m_header.listName);
    p.drawText(line, Qt::AlignHCenter | Qt::AlignVCenter,
               m_header.when.toString(FileTexts::kDateFormat));
    p.drawText(line, Qt::AlignRight | Qt::AlignVCenter,
               FileTexts::kPageNumber.arg(m_page).arg(m_pages));
    p.setPen(QColor::fromRgb(kHeaderRule));
    p.drawLine(QPointF(0, kHeaderPoints - 4), QPointF(width, kHeaderPoints - 4));
}

bool PdfExportWriter::Add(std::span<const ExportCell> cells)
{
    if (!m_painter || !m_painter->isActive())
        return false;
    if (m_page > 0 && !m_writer->newPage())
        return false;
    ++m_page;
    DrawHeader();
    const int perPage = m_grid.perPage();
    for (const ExportCell& cell : cells) {
        const int slot = cell.position % perPage;
        const QRectF rect(QPointF((slot % m_grid.columns) * m_grid.cell.width(),
                                  kHeaderPoints + (slot / m_grid.columns) * m_grid.cell.height()),
                          m_grid.cell);
        // A thumbnail that could not be made is background, as on the screen.
        if (!cell.picture.isNull())
            DrawPicture(rect, cell.picture);
        else if (cell.image.isNull())
            m_painter->fillRect(rect, Qt::black);
        else
            m_painter->drawImage(rect, cell.image);
    }
    return true;
}

void PdfExportWriter::DrawPicture(const QRectF& rect, const QPicture& picture)
{
    const QRect bounds = picture.boundingRect();
    if (bounds.isEmpty())
        return;
    QPainter& p = *m_painter;
    // A replay scales by the page's resolution over the picture's: undone here, so the
    // recorded cell fills rect exactly.
    const double dpiX = double(picture.logicalDpiX()) / m_writer->logicalDpiX();
    const double dpiY = double(picture.logicalDpiY()) / m_writer->logicalDpiY();
    p.save();
    p.setClipRect(rect);
    p.translate(rect.topLeft());
    p.scale(rect.width() / bounds.width() * dpiX, rect.height() / bounds.height() * dpiY);
    p.drawPicture(0, 0, picture);
    p.restore();
}

bool PdfExportWriter::Finish()
{
    if (!m_painter || !m_painter->end())
        return false;
    m_painter.reset();
    m_writer.reset();
    return m_file.commit();
}

void PdfExportWriter::Abort()
{
    if (m_painter && m_painter->isActive())
        m_painter->end();
    m_painter.reset();
    m_writer.reset();
    m_file.cancelWriting();
}

} // namespace mosgrid
