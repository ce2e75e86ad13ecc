#include "settings/SettingsLocation.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace mosgrid {

namespace {

constexpr mode_t kOwnerWriteAndSearch = S_IWUSR | S_IXUSR;
constexpr char kDefaultConfigFolder[] = "/.config";

std::string Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::string HomeFromUserDatabase()
{
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? std::size_t(size) : std::size_t(16384));
    struct passwd entry;
    struct passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0
        || found == nullptr || found->pw_dir == nullptr)
        return {};
    return found->pw_dir;
}

bool IsAbsolute(const std::string& path)
{
    return !path.empty() && path.front() == '/';
}

// $XDG_CONFIG_HOME when it is an absolute path (a relative one is to be ignored), else
// ~/.config; empty when neither is known.
std::string ConfigHome(const SettingsLocation::Environment& environment)
{
    std::string folder;
    if (IsAbsolute(environment.xdgConfigHome))
        folder = environment.xdgConfigHome;
    else if (IsAbsolute(environment.home))
        folder = environment.home + kDefaultConfigFolder;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

} // namespace

SettingsLocation::Environment SettingsLocation::CurrentEnvironment()
{
    Environment environment;
    environment.xdgConfigHome = Variable("XDG_CONFIG_HOME");
    environment.home = Variable("HOME");
    if (environment.home.empty())
        environment.home = HomeFromUserDatabase();
    return environment;
}

bool SettingsLocation::CanWriteFolder(const std::string& folder)
{
    struct stat info;
    if (folder.empty() || ::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return false;
    // A read-only mount refuses root as well.
    if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
        return false;
    // Root is taken as the folder's owner: a folder its owner may not write is read-only.
    return ::geteuid() != 0 || (info.st_mode & kOwnerWriteAndSearch) == kOwnerWriteAndSearch;
}

SettingsLocation SettingsLocation::Choose(const std::string& exeDir,
                                          const Environment& environment,
                                          const WritableCheck& writable)
{
    // The doubled separator is harmless and keeps the path the program has always used.
    std::string beside = exeDir + '/' + kFileName;
    if (writable(exeDir))
        return SettingsLocation(std::move(beside), {});
    const std::string configHome = ConfigHome(environment);
    // Nowhere better to go: writes fail silently, as they always have.
    if (configHome.empty())
        return SettingsLocation(std::move(beside), {});
    const std::string separator = configHome == "/" ? "" : "/";
    return SettingsLocation(configHome + separator + kFolderName + '/' + kFileName,
                            std::move(beside));
}

} // namespace mosgrid
