#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace mosgrid {

// What identifies one version of the settings file on disk. A cached copy is trusted only
// while the file still shows the same identity.
struct SettingsFileStamp {
    enum class State { Missing, Present, Unreadable };

    State state = State::Missing;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t mtimeSec = 0;
    std::int64_t mtimeNsec = 0;

    bool operator==(const SettingsFileStamp&) const = default;
};

// The file as read: a missing file reads as empty and may be created; an unreadable one
// (no permission, not a regular file, too large) reads as empty and is never replaced.
struct SettingsFileContents {
    SettingsFileStamp stamp;
    std::string bytes;
};

// Reading and atomically replacing the settings file.
class SettingsFile {
public:
    // Above this a file is taken as unreadable rather than loaded into memory.
    static constexpr std::int64_t kMaxBytes = std::int64_t(256) << 20;

    // The identity the file shows now (a stat, following a symbolic link).
    static SettingsFileStamp Stamp(const std::string& path);

    static SettingsFileContents Load(const std::string& path);

    // Replaces the file with bytes through a temporary file in the same folder, flushed to
    // disk and renamed over it; a symbolic link is written through to its target and the
    // file's owner and mode are kept; a link that neither the user nor root owns is not
    // followed, and nothing is written. A file with no write bit for anyone is not replaced,
    // even by root. Temporary files left by killed writes are removed first. Returns the
    // stamp of the new file, or nullopt when nothing was changed.
    static std::optional<SettingsFileStamp> Save(const std::string& path, std::string_view bytes);

    // Runs after the temporary file is written and before the rename; returning false
    // abandons the write there, as a crash at that point would. For tests.
    using BeforeRenameHook = std::function<bool()>;
    static void SetBeforeRenameHook(BeforeRenameHook hook);
};

} // namespace mosgrid
