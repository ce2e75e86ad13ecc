#include "app/RecentFiles.h"

#include "settings/SettingsStore.h"
#include "settings/FileSettingsKeys.h"

#include <QString>

#include <algorithm>
#include <filesystem>

namespace mosgrid {

namespace RecentFiles {

namespace {

std::string KeyOf(int number)
{
    return QString::fromLatin1(FileSettingsKeys::kRecentFormat).arg(number).toStdString();
}

} // namespace

std::vector<std::string> With(std::vector<std::string> files, const std::string& path, int max)
{
    files = Without(std::move(files), path);
    files.insert(files.begin(), path);
    if (static_cast<int>(files.size()) > std::max(max, 0))
        files.resize(static_cast<std::size_t>(std::max(max, 0)));
    return files;
}

std::vector<std::string> Without(std::vector<std::string> files, const std::string& path)
{
    std::erase(files, path);
    return files;
}

bool IsStorable(const std::string& path)
{
    return !path.empty() && path.size() < std::size_t(SettingsKeys::kTextCapacity - 1)
        && path.find_first_of("\r\n") == std::string::npos;
}

std::vector<std::string> Read(const SettingsStore& settings)
{
    std::vector<std::string> files;
    for (int n = 1; n <= FileSettingsKeys::kMaxRecent; ++n) {
        const std::string path = settings.ReadText(FileSettingsKeys::kSectionRecent, KeyOf(n), "");
        if (IsStorable(path) && std::find(files.begin(), files.end(), path) == files.end())
            files.push_back(path);
    }
    return files;
}

void Write(SettingsStore& settings, const std::vector<std::string>& files)
{
    // The changed keys in one replace of the file: a crash never leaves half a list.
    SettingsWriteBatch writes;
    for (int n = 1; n <= FileSettingsKeys::kMaxRecent; ++n) {
        const std::string key = KeyOf(n);
        const std::string value =
            n <= static_cast<int>(files.size()) ? files[std::size_t(n - 1)] : std::string();
        if (settings.ReadText(FileSettingsKeys::kSectionRecent, key, "") != value)
            writes.push_back({FileSettingsKeys::kSectionRecent, key, value});
    }
    if (!writes.empty())
        settings.WriteTexts(writes);
}

std::string Canonical(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error)
        return path;
    return absolute.lexically_normal().string();
}

} // namespace RecentFiles

} // namespace mosgrid
