#pragma once

#include "settings/IniDocument.h"
#include "settings/SettingsFile.h"

#include <chrono>
#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The parsed settings file of one path, shared by every ChartSettings of that path in the
// process. Every operation first checks the file's stamp (at most once per recheck
// interval), so a change made by anyone is seen by the next read; a WriteText through it
// updates it at once. Thread-safe.
class SettingsFileCache {
public:
    explicit SettingsFileCache(std::string path) : m_path(std::move(path)) {}

    // The one cache of a path.
    static std::shared_ptr<SettingsFileCache> ForPath(const std::string& path);

    std::optional<int> ReadInt(std::string_view section, std::string_view key);

    // At most maxBytes of the value; nullopt when absent.
    std::optional<std::string> ReadText(std::string_view section, std::string_view key,
                                        std::size_t maxBytes);

    std::vector<std::pair<std::string, std::string>> ReadSection(std::string_view section,
                                                                 std::size_t maxBytes);

    bool Write(std::string_view section, std::string_view key, std::string_view value);

    // Drops the parsed file, so the next operation reads it again whatever the recheck
    // interval: for a file that someone else has just created.
    void Forget();

    // How long a read may trust the parsed file without looking at the file again; 0 (the
    // default) looks at every read. Applies to every cache of the process.
    static void SetRecheckInterval(std::chrono::nanoseconds interval);

private:
    void RefreshLocked();
    std::optional<std::string_view> FindLocked(std::string_view section, std::string_view key);

    const std::string m_path;
    std::mutex m_mutex;
    bool m_loaded = false;
    SettingsFileStamp m_stamp;
    std::chrono::steady_clock::time_point m_lastCheck;
    IniDocument m_document;
    // Lookups already made in m_document, by lower-case "section\nkey"; the views point
    // into m_document, so this is cleared whenever the document is replaced.
    std::unordered_map<std::string, std::optional<std::string_view>> m_found;
};
