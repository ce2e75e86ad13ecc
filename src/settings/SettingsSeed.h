#pragma once

#include <memory>
#include <string>

namespace mosgrid {

class SettingsFileCache;

// A settings file that stands on another until it exists itself: reads come from the seed
// file while the settings file is missing, and the first write creates the settings file
// from the seed's bytes (missing folders with mode 0700, the file with 0600), so nothing
// the seed holds is lost. The seed itself is never written. Thread-safe.
class SettingsSeed {
public:
    static constexpr unsigned kFolderMode = 0700;
    static constexpr unsigned kFileMode = 0600;

    SettingsSeed(std::string path, std::string seedPath);

    // Gives path a seed; an empty seedPath takes it away.
    static void Register(const std::string& path, const std::string& seedPath);
    // The seed of path, or null when it has none.
    static std::shared_ptr<SettingsSeed> ForPath(const std::string& path);

    const std::string& seedPath() const { return m_seedPath; }

    // Whether the settings file exists (anything in its place counts).
    bool FileExists() const;

    // The seed's parsed file while the settings file does not exist; null once it does.
    SettingsFileCache* StandIn() const;

    // Creates the settings file with the seed's bytes unless something is already in its
    // place; never replaces a file. True when the settings file exists afterwards.
    bool CreateFile() const;

private:
    const std::string m_path;
    const std::string m_seedPath;
    const std::shared_ptr<SettingsFileCache> m_seedCache;
};

} // namespace mosgrid
