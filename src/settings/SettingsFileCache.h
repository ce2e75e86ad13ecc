#pragma once

#include "settings/IniDocument.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsFileEncoding.h"
#include "settings/SettingsWrite.h"

#include <chrono>
#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mosgrid {

// The parsed settings file of one path, shared by every SettingsStore of that path in the
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

    // Every write of the batch applied to the file in order, then one atomic replace. A
    // write whose names cannot be written is left out; false when any was, or when the file
    // was not replaced (then none is made). An empty batch leaves the file alone.
    bool WriteAll(std::span<const SettingsWrite> writes);

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
    // How the file holds its text, and whether it may be written back in that form.
    SettingsFileEncoding::Form m_form = SettingsFileEncoding::Form::Bytes;
    bool m_bWritable = true;
    std::chrono::steady_clock::time_point m_lastCheck;
    // The text of the file the rules run on (UTF-8 for the Unicode forms).
    IniDocument m_document;
    // Lookups already made in m_document, by lower-case "section\nkey"; the views point
    // into m_document, so this is cleared whenever the document is replaced.
    std::unordered_map<std::string, std::optional<std::string_view>> m_found;
};

} // namespace mosgrid
