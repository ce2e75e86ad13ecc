#include "settings/SettingsSeed.h"

#include "settings/SettingsFile.h"
#include "settings/SettingsFileCache.h"

#include "base/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <mutex>
#include <string_view>
#include <unordered_map>

namespace mosgrid {

namespace {

// The same pattern as the store's own temporary files, so the same clean-up finds them.
constexpr char kTemporarySuffix[] = ".XXXXXX";

struct Registry {
    std::mutex mutex;
    std::unordered_map<std::string, std::shared_ptr<SettingsSeed>> seeds;
    // Spares every read the lock while no seed is registered, which is the common case.
    std::atomic<bool> empty{true};
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

std::string FolderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

bool IsFolder(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Makes the folder and its missing parents, each private to the user as the XDG base
// directories are; folders that exist are left as they are.
bool MakeFolders(const std::string& folder)
{
    struct stat info;
    if (::stat(folder.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode);
    if (errno != ENOENT)
        return false;
    const std::string parent = FolderOf(folder);
    if (parent.size() < folder.size() && !MakeFolders(parent))
        return false;
    if (::mkdir(folder.c_str(), SettingsSeed::kFolderMode) != 0)
        return errno == EEXIST && IsFolder(folder);
    // The umask must neither widen nor narrow the mode.
    return ::chmod(folder.c_str(), SettingsSeed::kFolderMode) == 0;
}

bool WriteAll(int fd, std::string_view bytes)
{
    return SafeFile::WriteAllTo(fd, bytes) == 0;
}

// A link naming nothing: following it would create a file somewhere else, with the umask's
// mode instead of the private one.
bool IsDanglingLink(const std::string& path)
{
    struct stat link;
    struct stat named;
    return ::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)
        && ::stat(path.c_str(), &named) != 0 && errno == ENOENT;
}

// Moves temp to path unless something is in path's place; that counts as done, because
// the file then exists and is someone else's to keep. A dangling link is replaced.
bool MoveIntoPlace(const std::string& temp, const std::string& path)
{
    bool moved = ::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, path.c_str(),
                             RENAME_NOREPLACE) == 0;
    // File systems without the flag: a hard link never replaces either.
    if (!moved && (errno == EINVAL || errno == ENOSYS))
        moved = ::link(temp.c_str(), path.c_str()) == 0;
    if (moved || errno != EEXIST)
        return moved;
    // The new file takes the link's place; the link's target is never made.
    return !IsDanglingLink(path) || ::rename(temp.c_str(), path.c_str()) == 0;
}

// A new file with the bytes, complete on disk before it appears under its name.
bool CreateNewFile(const std::string& path, std::string_view bytes)
{
    std::string temp = path + kTemporarySuffix;
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    bool done = ::fchmod(fd, SettingsSeed::kFileMode) == 0 && WriteAll(fd, bytes)
        && ::fsync(fd) == 0;
    done = ::close(fd) == 0 && done;
    done = done && MoveIntoPlace(temp, path);
    ::unlink(temp.c_str());
    return done;
}

} // namespace

SettingsSeed::SettingsSeed(std::string path, std::string seedPath)
    : m_path(std::move(path))
    , m_seedPath(std::move(seedPath))
    , m_seedCache(SettingsFileCache::ForPath(m_seedPath))
{
}

void SettingsSeed::Register(const std::string& path, const std::string& seedPath)
{
    Registry& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    if (seedPath.empty())
        registry.seeds.erase(path);
    else
        registry.seeds[path] = std::make_shared<SettingsSeed>(path, seedPath);
    registry.empty.store(registry.seeds.empty(), std::memory_order_release);
}

std::shared_ptr<SettingsSeed> SettingsSeed::ForPath(const std::string& path)
{
    Registry& registry = TheRegistry();
    if (registry.empty.load(std::memory_order_acquire))
        return nullptr;
    const std::lock_guard lock(registry.mutex);
    const auto it = registry.seeds.find(path);
    return it != registry.seeds.end() ? it->second : nullptr;
}

bool SettingsSeed::FileExists() const
{
    struct stat info;
    if (::stat(m_path.c_str(), &info) == 0)
        return true;
    // Anything but a plain absence is left alone, as an existing file would be.
    return errno != ENOENT && errno != ENOTDIR;
}

SettingsFileCache* SettingsSeed::StandIn() const
{
    return FileExists() ? nullptr : m_seedCache.get();
}

bool SettingsSeed::CreateFile() const
{
    if (FileExists())
        return true;
    if (!MakeFolders(FolderOf(m_path)))
        return false;
    // An unreadable seed gives an empty file: its values were never seen either.
    const SettingsFileContents seed = SettingsFile::Load(m_seedPath);
    return CreateNewFile(m_path, seed.bytes);
}

} // namespace mosgrid
