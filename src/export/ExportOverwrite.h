#pragma once

#include "export/ExportTarget.h"

#include <string>

namespace mosgrid {

// What stands at an export's path now.
enum class ExistingTarget {
    Nothing,         // nothing yet (a folder will be made)
    PreviousExport,  // an earlier export of the same kind: replaced
    EmptyFolder,     // a folder export into an empty folder
    OtherContent,    // someone else's file, or a folder with other files
    WrongKind,       // a folder where a file is to go, or the other way round
};

// A link at path counts as someone else's content: it is never followed, and with force it is
// the link that is replaced. Trailing slashes are ignored.
ExistingTarget ClassifyTarget(ExportKind kind, const std::string& path);

enum class OverwriteVerdict { Write, NeedsForce, Impossible };

// Nothing the user has is replaced unless asked: other content only with force, and a file
// never where a folder is (or the reverse).
OverwriteVerdict DecideOverwrite(ExistingTarget existing, bool force);

// Whether the bytes at the start of a file are those of an export of kind (the creator in a
// PDF's information, a PNG's text before its pixels, a value table's first columns).
bool IsExportedFile(ExportKind kind, const std::string& path);

std::string WithoutTrailingSlashes(std::string path);

} // namespace mosgrid
