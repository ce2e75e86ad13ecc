#include "export/ExportTarget.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace mosgrid {

namespace {

bool EndsWithNoCase(const std::string& text, const std::string& suffix)
{
    if (text.size() < suffix.size())
        return false;
    return std::equal(suffix.begin(), suffix.end(), text.end() - long(suffix.size()),
                      [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a))
                              == std::tolower(static_cast<unsigned char>(b));
                      });
}

} // namespace

std::optional<ExportKind> ExportKindOf(const std::string& path)
{
    if (path.empty())
        return std::nullopt;
    if (path.back() == '/')
        return ExportKind::PngFolder;
    const std::string name = path.substr(path.rfind('/') + 1);
    // ".pdf" alone names no file.
    if (name.size() > 4 && EndsWithNoCase(name, ".pdf"))
        return ExportKind::Pdf;
    if (name.size() > 4 && EndsWithNoCase(name, ".png"))
        return ExportKind::PngSheet;
    if (name.size() > 4 && EndsWithNoCase(name, ".csv"))
        return ExportKind::Csv;
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return ExportKind::PngFolder;
    return std::nullopt;
}

} // namespace mosgrid
