#include "settings/SettingsFile.h"

#include "settings/SettingsFileTemp.h"

#include "base/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <mutex>

namespace mosgrid {

namespace {

// A temporary file until it has the target's owner and mode; a new file before the umask.
constexpr mode_t kPrivateMode = 0600;
constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kModeBits = 07777;
constexpr mode_t kPermissionBits = 0777;
constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;
// Links followed before a write gives up, as the kernel's own limit.
constexpr int kMaxLinks = 40;

std::mutex g_hookMutex;
SettingsFile::BeforeRenameHook g_beforeRename;

SettingsFileStamp StampOf(const struct stat& info)
{
    SettingsFileStamp stamp;
    stamp.state = SettingsFileStamp::State::Present;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.mtimeSec = info.st_mtim.tv_sec;
    stamp.mtimeNsec = info.st_mtim.tv_nsec;
    return stamp;
}

SettingsFileStamp StampOfError(int error)
{
    SettingsFileStamp stamp;
    stamp.state = (error == ENOENT || error == ENOTDIR) ? SettingsFileStamp::State::Missing
                                                        : SettingsFileStamp::State::Unreadable;
    return stamp;
}

bool IsUsable(const struct stat& info)
{
    return S_ISREG(info.st_mode) && info.st_size <= SettingsFile::kMaxBytes;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

bool ReadAll(int fd, std::int64_t sizeHint, std::string& bytes)
{
    bytes.clear();
    bytes.reserve(std::size_t(sizeHint));
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            return true;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        // A file growing while it is read is cut at the limit; the changed stamp makes
        // the next read load it again.
        if (std::int64_t(bytes.size()) + got > SettingsFile::kMaxBytes)
            return false;
        bytes.append(buffer, std::size_t(got));
    }
}

// A link the user did not make (nor root) may have been planted to turn a settings write
// onto another file of the user's: it is never followed.
bool IsOwnLink(const struct stat& link)
{
    return link.st_uid == ::geteuid() || link.st_uid == 0;
}

// The file a write replaces: path with its symbolic links followed; a dangling link names
// the file to create. Empty when a link on the way is not the user's own.
std::string LinkTarget(const std::string& path)
{
    std::string current = path;
    for (int depth = 0; depth < kMaxLinks; ++depth) {
        struct stat info;
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        if (!IsOwnLink(info))
            return {};
        std::string link(std::size_t(info.st_size > 0 ? info.st_size : PATH_MAX) + 1, '\0');
        const ssize_t length = ::readlink(current.c_str(), link.data(), link.size());
        if (length <= 0 || std::size_t(length) >= link.size())
            return current;
        link.resize(std::size_t(length));
        const std::size_t slash = current.rfind('/');
        if (link.front() != '/' && slash != std::string::npos)
            link.insert(0, current, 0, slash + 1);
        current = std::move(link);
    }
    return current;
}

// A file with no write bit for anyone is read-only, for root as well; otherwise the
// effective ids decide, as the open by the Windows function would check.
bool MayWrite(const std::string& path, const struct stat& info)
{
    return (info.st_mode & kAnyWrite) != 0
        && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

bool WriteAll(int fd, std::string_view bytes)
{
    return SafeFile::WriteAllTo(fd, bytes) == 0;
}

// The new file keeps the old one's owner (a write by root leaves a user's file the user's)
// and exactly its mode; what cannot be kept is left as it is.
void KeepOwnerAndMode(int fd, const struct stat& old)
{
    if (::fchown(fd, old.st_uid, old.st_gid) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    if (::fchmod(fd, old.st_mode & kModeBits) != 0)
        (void)::fchmod(fd, old.st_mode & kPermissionBits);
}

// The rename itself reaches the disk.
void SyncFolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd);
    ::close(fd);
}

} // namespace

SettingsFileStamp SettingsFile::Stamp(const std::string& path)
{
    struct stat info;
    if (::stat(path.c_str(), &info) != 0)
        return StampOfError(errno);
    if (!IsUsable(info))
        return StampOfError(EACCES);
    return StampOf(info);
}

SettingsFileContents SettingsFile::Load(const std::string& path)
{
    SettingsFileContents contents;
    // Non-blocking, so that a FIFO in the file's place cannot hang the program.
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.get() < 0) {
        contents.stamp = StampOfError(errno);
        return contents;
    }
    struct stat info;
    if (::fstat(fd.get(), &info) != 0 || !IsUsable(info)) {
        contents.stamp = StampOfError(EACCES);
        return contents;
    }
    if (!ReadAll(fd.get(), info.st_size, contents.bytes)) {
        contents.bytes.clear();
        contents.stamp = StampOfError(EIO);
        return contents;
    }
    contents.stamp = StampOf(info);
    return contents;
}

std::optional<SettingsFileStamp> SettingsFile::Save(const std::string& path,
                                                    std::string_view bytes)
{
    // An empty name would put the temporary file in the working folder.
    if (path.empty())
        return std::nullopt;
    const std::string target = LinkTarget(path);
    if (target.empty())
        return std::nullopt;
    struct stat old;
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return std::nullopt;
    // The profile functions cannot write a read-only file; a rename would replace it.
    if (exists && (!S_ISREG(old.st_mode) || !MayWrite(target, old)))
        return std::nullopt;

    SettingsFileTemp::RemoveStale(target);
    SettingsFileTemp temp;
    // Private until it has the target's owner and mode; a new file gets the umask's.
    if (!temp.Create(target, exists ? kPrivateMode : kNewFileMode))
        return std::nullopt;
    if (!WriteAll(temp.fd(), bytes))
        return std::nullopt;
    if (exists)
        KeepOwnerAndMode(temp.fd(), old);
    struct stat info;
    if (::fsync(temp.fd()) != 0 || ::fstat(temp.fd(), &info) != 0)
        return std::nullopt;

    BeforeRenameHook hook;
    {
        const std::lock_guard lock(g_hookMutex);
        hook = g_beforeRename;
    }
    if (hook && !hook())
        return std::nullopt;  // the temporary file goes with `temp`
    if (!temp.RenameOver(target))
        return std::nullopt;
    SyncFolderOf(target);
    return StampOf(info);
}

void SettingsFile::SetBeforeRenameHook(BeforeRenameHook hook)
{
    const std::lock_guard lock(g_hookMutex);
    g_beforeRename = std::move(hook);
}

} // namespace mosgrid
