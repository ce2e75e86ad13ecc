#pragma once

#include <QTemporaryDir>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A private folder holding one mosgrid.ini, handled as raw bytes.
class SettingsTestFolder {
public:
    SettingsTestFolder();

    bool isValid() const { return m_dir.isValid(); }
    const std::string& folder() const { return m_folder; }
    const std::string& iniPath() const { return m_iniPath; }
    std::string filePath(std::string_view name) const;

    // Replaces the file's bytes in place (same inode when it exists).
    bool Write(std::string_view bytes) const;
    // The file's bytes; nullopt when it cannot be read.
    std::optional<std::string> Read() const;
    // The names in the folder, sorted.
    std::vector<std::string> Entries() const;

private:
    QTemporaryDir m_dir;
    std::string m_folder;
    std::string m_iniPath;
};

// Runs body with the file-system rights of an ordinary user, so that permission tests mean
// the same when the suite runs as root (the filesystem id is per thread). Returns false
// when that is not possible.
bool RunUnprivileged(const std::function<void()>& body);

// Sets a file's modification time, to tell versions apart regardless of clock resolution.
bool SetModificationTime(const std::string& path, long long seconds, long nanoseconds = 0);
