#include "catalog/SourcePath.h"

#include <sys/stat.h>

namespace mosgrid {

namespace {

bool Exists(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

} // namespace

SourcePath::SourcePath(const std::string& listFile)
{
    const std::size_t slash = listFile.rfind('/');
    if (slash != std::string::npos)
        m_listFolder = listFile.substr(0, slash + 1);
}

std::string SourcePath::Resolve(const std::string& source)
{
    if (source.empty() || source.front() == '/' || m_listFolder.empty()
        || source.find('\0') != std::string::npos)
        return source;
    const auto [it, added] = m_resolved.try_emplace(source, source);
    if (added && !Exists(source)) {
        std::string beside = m_listFolder + source;
        if (Exists(beside))
            it->second = std::move(beside);
    }
    return it->second;
}

} // namespace mosgrid
