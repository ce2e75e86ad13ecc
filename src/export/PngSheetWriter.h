#pragma once

#include "export/ExportWriter.h"
#include "base/SafeFile.h"
#include "export/PngStream.h"


#include <memory>

// One PNG of every thumbnail at its own size, rows of them under a header, streamed a band
// of rows at a time.
class PngSheetWriter : public ExportWriter {
public:
    PngSheetWriter(const QString& path, ExportHeader header, QSize thumbnail);
    ~PngSheetWriter() override;

    std::vector<ExportLayout::Range> Runs(int count) const override;
    bool Begin(int count) override;
    bool Add(std::span<const ExportCell> cells) override;
    bool Finish() override;
    void Abort() override;

    // A band holds at least this many thumbnails, so the workers have enough to do.
    static constexpr int kMinBandCells = 24;

private:
    int RowsPerBand(const ExportLayout::SheetGrid& sheet) const;

    SafeFile m_file;
    ExportHeader m_header;
    QSize m_thumbnail;
    ExportLayout::SheetGrid m_sheet;
    std::unique_ptr<PngStream> m_stream;
};
