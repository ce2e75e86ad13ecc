#pragma once

#include "base/SafeFile.h"
#include "export/ExportWriter.h"
#include "export/PngStream.h"

#include <memory>
#include <string>
#include <vector>

namespace mosgrid {

// Every thumbnail at its own size, rows of them under a header, streamed a band of rows at a
// time. A catalog taller than ExportLayout::kMaxSheetHeight goes into numbered sheets beside
// the target (out.png: out-001.png, out-002.png, ...), all put in place at the end.
class PngSheetWriter : public ExportWriter {
public:
    PngSheetWriter(const QString& path, ExportHeader header, QSize thumbnail);
    ~PngSheetWriter() override;

    std::vector<ExportLayout::Range> Runs(int count) const override;
    std::vector<std::string> MoreTargets(int count) const override;
    bool Begin(int count) override;
    bool Add(std::span<const ExportCell> cells) override;
    bool Finish() override;
    void Abort() override;

    // The path of sheet index (0-based) of sheets.
    static std::string SheetPath(const std::string& path, int index, int sheets);

    // A band holds at least this many thumbnails, so the workers have enough to do, and no
    // more pixels than this, so big thumbnails stay in bounded memory.
    static constexpr int kMinBandCells = 24;
    static constexpr qint64 kMaxBandBytes = 64 * 1024 * 1024;

private:
    int RowsPerBand(const ExportLayout::SheetGrid& sheet) const;
    bool StartSheet(int index);
    bool EndSheet();

    std::string m_path;
    ExportHeader m_header;
    QSize m_thumbnail;
    int m_count = 0;
    std::vector<ExportLayout::Range> m_sheets;
    int m_current = -1;
    ExportLayout::SheetGrid m_sheet;  // the current sheet's
    std::vector<std::unique_ptr<SafeFile>> m_files;
    std::unique_ptr<PngStream> m_stream;
};

} // namespace mosgrid
