#pragma once

#include "settings/FlagColor.h"
#include "settings/FlagFileText.h"

#include <string>
#include <string_view>
#include <vector>

namespace mosgrid {

// The colour flags of every list file, kept per user in one file and never in a list file.
// Read once, on the first use; every save writes the whole file atomically (mode 0600; a
// link at its name is replaced, never written through).
//
// A list is found by its absolute path. A list file renamed outside the program is followed
// through the file it was last opened as: when no list is kept under the new path, the list
// whose path no longer names its file but whose file this is takes the new path. Renames the
// program makes itself are told with FollowRename.
//
// A file that cannot be read (a folder, a link, a device, too large, an I/O error) is left
// alone: flags are kept for the session and nothing is written over it. Lines that cannot be
// read are left out; before the first save the file as it was is kept beside it as
// flags.ini.bad.
class FlagStore {
public:
    static constexpr char kFolderName[] = "mosgrid";
    static constexpr char kFileName[] = "flags.ini";
    static constexpr char kBadSuffix[] = ".bad";
    // A larger file is not read (ten thousand flags take about 150 KB).
    static constexpr long long kMaxFileBytes = 64LL * 1024 * 1024;

    // file: empty keeps the flags for the session only.
    explicit FlagStore(std::string file);

    // $XDG_DATA_HOME/mosgrid/flags.ini, or ~/.local/share/mosgrid/flags.ini when that is not
    // an absolute path; empty when neither is known.
    static std::string DefaultFile(std::string_view xdgDataHome, std::string_view home);
    static std::string CurrentDefaultFile();

    enum class LoadState { NotLoaded, Absent, Read, Unreadable };
    LoadState loadState() const { return m_loadState; }
    int badLines() const { return m_nBadLines; }
    const std::string& file() const { return m_strFile; }

    // The list kept for a list file (made when there is none); loads the file first. The
    // number stays valid as long as the store.
    int Open(std::string_view listPath);
    const ListFlags& List(int list) const { return m_lists.at(std::size_t(list)); }
    FlagColor ColorOf(int list, std::string_view code) const;
    // False when nothing changed.
    bool Set(int list, std::string_view code, FlagColor color);
    // The program renamed or saved a list under another name: its flags go with it.
    void FollowRename(std::string_view oldPath, std::string_view newPath);

    bool isDirty() const { return m_bDirty; }
    // Writes the file when something changed; false when it could not be written (the flags
    // stay and the next save tries again).
    bool Save();

private:
    void Load();
    bool KeepBadFile();

    std::string m_strFile;
    std::vector<ListFlags> m_lists;
    LoadState m_loadState = LoadState::NotLoaded;
    int m_nBadLines = 0;
    bool m_bDirty = false;
    bool m_bBadFileKept = false;
    std::string m_loadedBytes;  // only while a bad file waits to be kept
};

} // namespace mosgrid
