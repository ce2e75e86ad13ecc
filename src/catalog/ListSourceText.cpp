#include "catalog/ListSourceText.h"

#include <filesystem>
#include <optional>

namespace mosgrid {

namespace fs = std::filesystem;

namespace {

// path below folder, both absolute and normal; nothing when it is not strictly inside.
std::optional<std::string> PathBelow(const fs::path& path, const fs::path& folder)
{
    const fs::path relative = path.lexically_relative(folder);
    if (relative.empty() || *relative.begin() == ".." || *relative.begin() == ".")
        return std::nullopt;
    return relative.string();
}

} // namespace

std::string SourceRelativeToList(const std::string& listPath, const std::string& source)
{
    if (source.empty() || source.front() != '/' || listPath.empty()
        || source.find('\0') != std::string::npos || listPath.find('\0') != std::string::npos)
        return source;
    std::error_code error;
    const fs::path folder = fs::absolute(listPath, error).parent_path().lexically_normal();
    if (error)
        return source;
    if (auto below = PathBelow(fs::path(source).lexically_normal(), folder))
        return *below;
    // The same folder reached through a link on one side.
    const fs::path realFolder = fs::weakly_canonical(folder, error);
    if (error)
        return source;
    const fs::path realSource = fs::weakly_canonical(source, error);
    if (error)
        return source;
    return PathBelow(realSource, realFolder).value_or(source);
}

} // namespace mosgrid
