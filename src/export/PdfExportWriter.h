#pragma once

#include "export/ExportWriter.h"

#include "base/SafeFile.h"

#include <memory>

class QPainter;
class QPdfWriter;

namespace mosgrid {

// A landscape A4 PDF: a header on every page (list name, date, "page n / N") over as many
// whole rows of thumbnails as fit legibly.
class PdfExportWriter : public ExportWriter {
public:
    PdfExportWriter(const QString& path, ExportHeader header, QSize thumbnail);
    ~PdfExportWriter() override;

    std::vector<ExportLayout::Range> Runs(int count) const override;
    bool TakesPictures() const override { return true; }
    bool Begin(int count) override;
    bool Add(std::span<const ExportCell> cells) override;
    bool Finish() override;
    void Abort() override;

    // The page's grid, known from construction.
    const ExportLayout::PageGrid& grid() const { return m_grid; }

    static constexpr double kMarginMm = 10;
    static constexpr double kHeaderPoints = 22;

private:
    void DrawHeader();
    void DrawPicture(const QRectF& rect, const QPicture& picture);

    SafeFile m_file;
    ExportHeader m_header;
    QSize m_thumbnail;
    ExportLayout::PageGrid m_grid;
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<QPainter> m_painter;
    int m_page = 0;
    int m_pages = 1;
};

} // namespace mosgrid
