#include "catalog/ListFileWriter.h"

#include "base/SafeFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace mosgrid {

namespace {

// A file another program is writing just then is read again, this many times in all.
constexpr int kReadAttempts = 3;
constexpr std::size_t kReadChunk = 64 * 1024;
constexpr mode_t kPermissionBits = 07777;
constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

// The file a path names, through any links; empty when it cannot be found.
std::string RealPath(const std::string& path)
{
    const std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr),
                                                           &std::free);
    return real ? std::string(real.get()) : std::string();
}

} // namespace

ListFileWriter::ListFileWriter(std::string path)
    : m_path(std::move(path))
{
}

ListFileError ListFileWriter::Fail(ListFileError error, int systemError)
{
    m_systemError = systemError;
    return error;
}

ListFileError ListFileWriter::Read(std::string& bytes)
{
    ListFileError error = ListFileError::None;
    bool torn = false;
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        error = ReadOnce(bytes, torn);
        if (!torn)
            return error;
    }
    return Fail(ListFileError::ChangedOnDisk, 0);
}

ListFileError ListFileWriter::ReadOnce(std::string& bytes, bool& torn)
{
    torn = false;
    bytes.clear();
    if (m_path.find('\0') != std::string::npos)
        return Fail(ListFileError::CannotRead, EINVAL);
    struct stat info {};
    if (::stat(m_path.c_str(), &info) != 0)
        return Fail(ListFileError::CannotRead, errno);
    // A stream would be drained, a device might never end.
    if (!S_ISREG(info.st_mode))
        return Fail(ListFileError::NotRegularFile, 0);
    const int fd = ::open(m_path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Fail(ListFileError::CannotRead, errno);
    struct stat before {};
    if (::fstat(fd, &before) != 0 || !S_ISREG(before.st_mode)) {
        ::close(fd);
        return Fail(ListFileError::NotRegularFile, 0);
    }
    bytes.reserve(std::size_t(before.st_size));
    char chunk[kReadChunk];
    for (;;) {
        const ssize_t count = ::read(fd, chunk, sizeof chunk);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            const int readError = errno;
            ::close(fd);
            return Fail(ListFileError::CannotRead, readError);
        }
        if (count == 0)
            break;
        bytes.append(chunk, std::size_t(count));
    }
    struct stat after {};
    const bool statted = ::fstat(fd, &after) == 0;
    ::close(fd);
    m_stamp = ListFileStamp::Of(before);
    torn = !statted || ListFileStamp::Of(after) != m_stamp
        || std::int64_t(bytes.size()) != m_stamp.size;
    return Fail(ListFileError::None, 0);
}

ListFileError ListFileWriter::Write(const std::string& bytes)
{
    const std::string target = RealPath(m_path);
    struct stat info {};
    if (target.empty() || ::stat(target.c_str(), &info) != 0)
        return Fail(ListFileError::ChangedOnDisk, errno);
    if (ListFileStamp::Of(info) != m_stamp)
        return Fail(ListFileError::ChangedOnDisk, 0);
    // The rename would replace a read-only file as long as its folder allows it; a file
    // nobody may write stays read-only even for the superuser.
    if ((info.st_mode & kWriteBits) == 0)
        return Fail(ListFileError::ReadOnly, EACCES);
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return Fail(ListFileError::ReadOnly, errno);

    SafeFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(ListFileError::CannotWrite, file.error());
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())
        || !file.commit()) {
        const int writeError = file.error();
        file.cancelWriting();
        return Fail(ListFileError::CannotWrite, writeError);
    }
    // The new file is the program's; the list keeps the permissions it had.
    (void)::chmod(target.c_str(), info.st_mode & kPermissionBits);
    struct stat written {};
    if (::stat(target.c_str(), &written) != 0)
        return Fail(ListFileError::ChangedOnDisk, errno);
    m_stamp = ListFileStamp::Of(written);
    return Fail(ListFileError::None, 0);
}

} // namespace mosgrid
