#include "settings/SettingsFileTemp.h"

#include <QRandomGenerator>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace mosgrid {

namespace {

// The characters of the suffix, as mkstemp and Qt's temporary files use them.
constexpr std::string_view kSuffixChars =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
// Names taken (or files grabbed by a sweeping writer) before giving up.
constexpr int kCreateAttempts = 64;

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

std::string_view NameOf(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string RandomSuffix()
{
    std::string suffix(SettingsFileTemp::kSuffixLength, '\0');
    for (char& c : suffix)
        c = kSuffixChars[QRandomGenerator::global()->bounded(int(kSuffixChars.size()))];
    return suffix;
}

// fd is still the file at path (nobody removed or replaced the name meanwhile).
bool StillNamed(int fd, const std::string& path)
{
    struct stat opened;
    struct stat named;
    return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0
        && opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

} // namespace

SettingsFileTemp::~SettingsFileTemp()
{
    Discard();
}

bool SettingsFileTemp::Create(const std::string& target, mode_t mode)
{
    Discard();
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        const std::string path = target + '.' + RandomSuffix();
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                              mode);
        if (fd < 0) {
            if (errno == EEXIST || errno == EINTR)
                continue;
            return false;
        }
        // A sweeping writer that saw the new name first may hold it, or have removed it.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && StillNamed(fd, path)) {
            m_fd = fd;
            m_path = path;
            return true;
        }
        ::close(fd);
    }
    return false;
}

bool SettingsFileTemp::RenameOver(const std::string& target)
{
    if (m_fd < 0 || ::rename(m_path.c_str(), target.c_str()) != 0)
        return false;
    m_path.clear();
    return true;
}

void SettingsFileTemp::Discard()
{
    if (!m_path.empty())
        ::unlink(m_path.c_str());
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_path.clear();
}

bool SettingsFileTemp::IsTempName(std::string_view targetName, std::string_view name)
{
    if (name.size() != targetName.size() + 1 + kSuffixLength || !name.starts_with(targetName)
        || name[targetName.size()] != '.')
        return false;
    const std::string_view suffix = name.substr(targetName.size() + 1);
    return std::all_of(suffix.begin(), suffix.end(), [](char c) {
        return kSuffixChars.find(c) != std::string_view::npos;
    });
}

void SettingsFileTemp::RemoveStale(const std::string& target)
{
    const std::string folder = FolderOf(target);
    const std::string_view targetName = NameOf(target);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsTempName(targetName, entry->d_name))
            continue;
        const std::string path = folder + entry->d_name;
        const int fd =
            ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat info;
        // Held by nobody: its writer was killed before the rename.
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)
            && ::flock(fd, LOCK_EX | LOCK_NB) == 0 && StillNamed(fd, path))
            ::unlink(path.c_str());
        ::close(fd);
    }
    ::closedir(dir);
}

} // namespace mosgrid
