#pragma once

#include "base/ProgramPaths.h"

#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace mosgrid {

class IComponentProvider;

// The command line's export: --export=OUT.pdf, --export=OUT.png, --export=DIR/ or
// --export=OUT.csv (a table of values), and
// --force to replace what is not an earlier export.
struct ExportOptions {
    bool requested = false;
    std::string path;
    bool force = false;
};

// Whether the arguments ask for an export.
bool HasExportOption(const std::vector<std::string>& args);

// Takes the export options out of args; the rest are parsed as ever.
ExportOptions TakeExportOptions(std::vector<std::string>& args);

// Loads the list as the command line loads it, writes every security in the shown order and
// returns the exit status (see ExportStatus). Under removeListFile the list is removed once
// the export is in place (a list that cannot be removed is a failure; the export stays).
// Failures are told in one line each through report.
int RunCommandLineExport(const ExportOptions& options, const std::string& listFile,
                         bool removeListFile, const ProgramPaths& paths,
                         IComponentProvider* provider,
                         const std::function<void(const QString&)>& report);

// One line on standard error.
void ReportOnStandardError(const QString& message);

} // namespace mosgrid
