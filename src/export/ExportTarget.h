#pragma once

#include <optional>
#include <string>

namespace mosgrid {

// What an export writes.
enum class ExportKind {
    Pdf,        // pages of thumbnails with a header
    PngSheet,   // one picture of every thumbnail
    PngFolder,  // one picture per security in a folder
    Csv,        // a table of each security's newest values
};

// The kind a path names: a folder when it ends in '/', else by its extension (.pdf, .png,
// .csv, any case), else a folder when it is one. Nothing for anything else.
std::optional<ExportKind> ExportKindOf(const std::string& path);

// The creator every export records, so the next export knows its own files.
inline constexpr char kExportCreator[] = "mosgrid export";
// The file in an exported folder that lists what the export wrote.
inline constexpr char kFolderMarkerName[] = ".mosgrid-export";
// How a value table begins, after its byte-order mark: the export knows its own tables by it.
inline constexpr char kValueTableHeadStart[] = "code,name,type,source,date,";

} // namespace mosgrid
