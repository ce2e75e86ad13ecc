#pragma once

#include <QString>

#include <memory>

class QPrinter;

namespace mosgrid {

class CCatalogCommandLineInfo;

// The printer a print command of the command line names: "p" the default printer, "pt" the
// named printer; a printer name ending in ".pdf" writes that PDF file instead. Null, with the
// reason in *error, when there is no such printer.
std::unique_ptr<QPrinter> CreatePrintTarget(const CCatalogCommandLineInfo& info, QString* error);

} // namespace mosgrid
