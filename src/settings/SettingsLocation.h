#pragma once

#include <functional>
#include <string>
#include <utility>

namespace mosgrid {

// Which settings file the program uses. mosgrid.ini beside the program whenever the program
// folder can be written (the file is replaced through a temporary file in that folder);
// otherwise a per-user file, which reads the file beside the program until it is first
// written, so that a system-wide file acts as the default.
class SettingsLocation {
public:
    static constexpr char kFileName[] = "mosgrid.ini";
    static constexpr char kFolderName[] = "mosgrid";

    // What the per-user location depends on.
    struct Environment {
        std::string xdgConfigHome;  // $XDG_CONFIG_HOME
        std::string home;           // $HOME, or the user database's home folder
    };
    static Environment CurrentEnvironment();

    // Whether the program may create and replace files in a folder.
    using WritableCheck = std::function<bool(const std::string& folder)>;

    // Effective ids and mode bits, as the kernel applies them to a write; root, whom the
    // kernel lets write anything, is held to the owner's bits: a folder its owner may not
    // write (such as one made read-only with chmod a-w) is read-only for root too.
    static bool CanWriteFolder(const std::string& folder);

    // exeDir: the program folder, ending in '/'.
    static SettingsLocation Choose(const std::string& exeDir, const Environment& environment,
                                   const WritableCheck& writable = CanWriteFolder);

    // The file read and written; it names the settings in use.
    const std::string& iniFile() const { return m_iniFile; }
    // Read while iniFile does not exist; empty when there is none.
    const std::string& seedFile() const { return m_seedFile; }

private:
    SettingsLocation(std::string iniFile, std::string seedFile)
        : m_iniFile(std::move(iniFile)), m_seedFile(std::move(seedFile)) {}

    std::string m_iniFile;
    std::string m_seedFile;
};

} // namespace mosgrid
