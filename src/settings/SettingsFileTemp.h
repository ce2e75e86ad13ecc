#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace mosgrid {

// The temporary file a settings write goes through: "<target>.XXXXXX" beside its target,
// held under an exclusive flock while it exists, so that a later write can tell a file left
// by a killed writer (nobody holds it) from one still being written.
class SettingsFileTemp {
public:
    static constexpr std::size_t kSuffixLength = 6;

    SettingsFileTemp() = default;
    // Removes the file unless it was renamed over its target.
    ~SettingsFileTemp();
    SettingsFileTemp(const SettingsFileTemp&) = delete;
    SettingsFileTemp& operator=(const SettingsFileTemp&) = delete;

    // Creates and locks a new one beside target with mode (the umask applies).
    bool Create(const std::string& target, mode_t mode);
    int fd() const { return m_fd; }
    const std::string& path() const { return m_path; }
    // Renames it over target; the file then is the target and stays.
    bool RenameOver(const std::string& target);

    // Whether name is the name of such a file for a target whose name is targetName.
    static bool IsTempName(std::string_view targetName, std::string_view name);
    // Removes every such file beside target that no writer holds.
    static void RemoveStale(const std::string& target);

private:
    void Discard();

    int m_fd = -1;
    std::string m_path;
};

} // namespace mosgrid
