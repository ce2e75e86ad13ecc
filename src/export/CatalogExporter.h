#pragma once

#include "catalog/CatalogItem.h"
#include "export/ExportTarget.h"
#include "export/ExportWriter.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mosgrid {

class ThumbnailSource;

// How an export ended; the numbers are the command line's exit statuses.
enum class ExportStatus {
    Done = 0,
    Failed = 1,     // the list, the components or the writing failed
    Usage = 2,      // the target names no kind of export, or the wrong kind of thing
    Refused = 3,    // it would replace something that is not an earlier export
    Cancelled = 4,  // stopped by the user, or the build was stopped
};

struct ExportRequest {
    std::string path;  // as given (bytes); a folder ends in '/'
    bool force = false;
    bool mentionForce = false;  // a refusal names --force (the command line's way out)
    ExportHeader header;
};

struct ExportOutcome {
    ExportStatus status = ExportStatus::Failed;
    QString message;  // one line, empty when done
    int written = 0;  // securities written
};

// Why path may not be written for an export of kind, if it may not: someone else's content
// needs force, and a file never goes where a folder is (or the reverse).
std::optional<ExportOutcome> CheckExportTarget(ExportKind kind, const std::string& path,
                                               const ExportRequest& request);

// Called after every run: securities done of the total; false stops the export.
using ExportProgress = std::function<bool(int done, int total)>;

// Writes every security of order (item indices, the shown order) to the request's target,
// a run (page, band, batch) at a time, so memory stays bounded whatever the catalog's
// length. The target is replaced only when the whole export succeeded.
ExportOutcome ExportCatalog(ThumbnailSource& source, const CatalogItemList& items,
                            const std::vector<int>& order, const ExportRequest& request,
                            const ExportProgress& progress = {});

} // namespace mosgrid
