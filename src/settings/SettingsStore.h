#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/SettingsKeys.h"
#include "settings/SettingsWrite.h"

namespace mosgrid {

class SettingsFileCache;
class SettingsSeed;

// mosgrid.ini, read and written with the observable rules of the Windows profile functions
// (GetPrivateProfileInt/String, WritePrivateProfileString), so files written on Windows
// read the same. Reads never fail; writes are atomic and silent on failure.
class SettingsStore {
public:
    explicit SettingsStore(std::string iniPath);

    int ReadInt(std::string_view section, std::string_view key, int defaultValue) const;

    // At most capacity - 1 bytes of the stored value, or of the default (without its
    // trailing blanks) when the key is absent. The result's size is the length the caller
    // tests.
    std::string ReadText(std::string_view section, std::string_view key,
                         std::string_view defaultText,
                         std::size_t capacity = SettingsKeys::kTextCapacity) const;

    // Sets the key's value, adding the key, the section or the file as needed.
    // Returns whether the file was written; callers of the program ignore it.
    bool WriteText(std::string_view section, std::string_view key, std::string_view value);

    // The writes in order as one change of the file: a single atomic replace, so a crash
    // leaves either all of them or none. Writes whose names cannot be written are left out
    // (the result is then false).
    bool WriteTexts(const SettingsWriteBatch& writes);

    // Every key of the section once (the first of duplicates), as spelled in the file, with
    // its value as ReadText returns it; in file order.
    using Entry = std::pair<std::string, std::string>;
    std::vector<Entry> ReadSection(std::string_view section,
                                   std::size_t capacity = SettingsKeys::kTextCapacity) const;

    const std::string& path() const { return m_path; }

    // Whether the settings file itself is there (not its seed); what a program that writes
    // only into an existing file asks first.
    bool FileExists() const;

    // Until the file at path exists, reads come from seedPath, and the first write creates
    // path from seedPath's content (a per-user file standing on the system-wide one).
    // An empty seedPath ends that. For every SettingsStore of the process.
    static void SetSeedFile(const std::string& path, const std::string& seedPath);

    // How long reads may trust the parsed file before looking at its stamp again; 0 (the
    // default) looks at every read. The program sets kRecheckInterval at start-up.
    static constexpr std::chrono::milliseconds kRecheckInterval{1};
    static void SetRecheckInterval(std::chrono::nanoseconds interval);

private:
    // A file with a seed is first made from it; false when it could not be.
    bool CreateFromSeed();

    std::string m_path;
    // Shared by every SettingsStore of the same path.
    std::shared_ptr<SettingsFileCache> m_cache;
    // Null unless the file has a seed.
    std::shared_ptr<SettingsSeed> m_seed;
};

} // namespace mosgrid
