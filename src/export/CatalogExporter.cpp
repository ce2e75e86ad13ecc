#include "export/CatalogExporter.h"

#include "base/FileTexts.h"
#include "export/ExportOverwrite.h"
#include "export/ExportTarget.h"
#include "export/PdfExportWriter.h"
#include "export/PngFolderWriter.h"
#include "export/PngSheetWriter.h"
#include "export/ThumbnailSource.h"

#include <QFile>

#include <memory>
#include <optional>

namespace mosgrid {

namespace {

ExportOutcome Outcome(ExportStatus status, const QString& message = {}, int written = 0)
{
    return ExportOutcome{status, message, written};
}

std::unique_ptr<ExportWriter> MakeWriter(ExportKind kind, const QString& path,
                                         const ExportHeader& header, QSize thumbnail)
{
    switch (kind) {
    case ExportKind::Pdf:
        return std::make_unique<PdfExportWriter>(path, header, thumbnail);
    case ExportKind::PngSheet:
        return std::make_unique<PngSheetWriter>(path, header, thumbnail);
    case ExportKind::PngFolder:
        return std::make_unique<PngFolderWriter>(path, thumbnail);
    case ExportKind::Csv:
        break;
    }
    return nullptr;
}

// The items of positions [first, first + count) of order.
std::vector<int> ItemsOf(const std::vector<int>& order, const ExportLayout::Range& range)
{
    return std::vector<int>(order.begin() + range.first,
                            order.begin() + range.first + range.count);
}

} // namespace

std::optional<ExportOutcome> CheckExportTarget(ExportKind kind, const std::string& path,
                                               const ExportRequest& request)
{
    const QString shown = QFile::decodeName(path.c_str());
    switch (DecideOverwrite(ClassifyTarget(kind, path), request.force)) {
    case OverwriteVerdict::Write:
        return std::nullopt;
    case OverwriteVerdict::NeedsForce:
        return Outcome(ExportStatus::Refused,
                       (request.mentionForce ? FileTexts::kExportWouldOverwrite
                                             : FileTexts::kExportNotOverwritable).arg(shown));
    case OverwriteVerdict::Impossible:
        break;
    }
    return Outcome(ExportStatus::Usage, FileTexts::kExportWrongKind.arg(shown));
}

ExportOutcome ExportCatalog(ThumbnailSource& source, const CatalogItemList& items,
                            const std::vector<int>& order, const ExportRequest& request,
                            const ExportProgress& progress)
{
    const QString shown = QFile::decodeName(request.path.c_str());
    const std::optional<ExportKind> kind = ExportKindOf(request.path);
    if (!kind)
        return Outcome(ExportStatus::Usage, FileTexts::kExportUsage.arg(shown));
    if (auto refused = CheckExportTarget(*kind, request.path, request))
        return *refused;

    std::unique_ptr<ExportWriter> writer =
        MakeWriter(*kind, shown, request.header, source.thumbnailSize());
    // A value table is no picture: ExportValueTable writes it.
    if (!writer)
        return Outcome(ExportStatus::Usage, FileTexts::kExportUsage.arg(shown));
    const int count = static_cast<int>(order.size());
    for (const std::string& more : writer->MoreTargets(count)) {
        if (auto refused = CheckExportTarget(*kind, more, request))
            return *refused;
    }
    const std::vector<ExportLayout::Range> runs = writer->Runs(count);
    if (!writer->Begin(count)) {
        writer->Abort();
        return Outcome(ExportStatus::Failed, FileTexts::kExportWriteFailed.arg(shown));
    }
    const bool pictures = writer->TakesPictures() && source.UsePictures();
    int written = 0;
    for (std::size_t r = 0; r < runs.size(); ++r) {
        const std::vector<int> run = ItemsOf(order, runs[r]);
        const std::vector<int> next =
            r + 1 < runs.size() ? ItemsOf(order, runs[r + 1]) : std::vector<int>();
        if (!source.Fetch(run, next)) {
            writer->Abort();
            return Outcome(ExportStatus::Cancelled, FileTexts::kExportCancelled, written);
        }
        std::vector<ExportCell> cells;
        cells.reserve(run.size());
        for (int i = 0; i < runs[r].count; ++i) {
            const int item = run[i];
            const bool known = item >= 0 && item < static_cast<int>(items.size());
            ExportCell cell{runs[r].first + i, QImage(), QPicture(),
                            known ? items[item]->m_strCode : std::string()};
            if (pictures)
                cell.picture = source.Picture(item);
            else
                cell.image = source.Image(item);
            cells.push_back(std::move(cell));
        }
        if (!writer->Add(cells)) {
            writer->Abort();
            return Outcome(ExportStatus::Failed, FileTexts::kExportWriteFailed.arg(shown),
                           written);
        }
        written += runs[r].count;
        if (progress && !progress(written, count)) {
            writer->Abort();
            return Outcome(ExportStatus::Cancelled, FileTexts::kExportCancelled, written);
        }
    }
    if (!writer->Finish())
        return Outcome(ExportStatus::Failed, FileTexts::kExportWriteFailed.arg(shown), written);
    return Outcome(ExportStatus::Done, {}, written);
}

} // namespace mosgrid
