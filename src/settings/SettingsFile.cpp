#include "settings/SettingsFile.h"

#include <QFile>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>

namespace {

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
    // An empty name would make QSaveFile put its temporary file in the working folder.
    if (path.empty())
        return std::nullopt;
    // The profile functions cannot write a read-only file; a rename would replace it.
    // Effective ids, as the open by the Windows function would check.
    if (::faccessat(AT_FDCWD, path.c_str(), F_OK, AT_EACCESS) == 0
        && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
        return std::nullopt;

    // QSaveFile writes a temporary file beside the target (following a symbolic link to
    // it), copies the target's permissions, syncs it to disk and renames it over the target.
    QSaveFile file(QFile::decodeName(QByteArray::fromStdString(path)));
    if (!file.open(QIODevice::WriteOnly))
        return std::nullopt;
    const bool written = file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size())
        && file.flush();
    struct stat info;
    const bool stamped = written && ::fstat(file.handle(), &info) == 0;

    BeforeRenameHook hook;
    {
        const std::lock_guard lock(g_hookMutex);
        hook = g_beforeRename;
    }
    if (!stamped || (hook && !hook())) {
        file.cancelWriting();
        file.commit();  // discards the temporary file
        return std::nullopt;
    }
    if (!file.commit())
        return std::nullopt;
    return StampOf(info);
}

void SettingsFile::SetBeforeRenameHook(BeforeRenameHook hook)
{
    const std::lock_guard lock(g_hookMutex);
    g_beforeRename = std::move(hook);
}
