#include "base/SafeFile.h"

#include "base/PathParts.h"

#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>

namespace mosgrid {

namespace {

// Small writes (a PDF is written in pieces of a few bytes) are gathered into this many.
constexpr qsizetype kBufferBytes = 256 * 1024;
constexpr int kCreateAttempts = 64;
constexpr int kSuffixLength = 8;
constexpr char kSuffixChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";

std::atomic<long long> g_spaceLeft{-1};

std::string TempPathFor(const std::string& target)
{
    std::string suffix(kSuffixLength, '\0');
    for (char& c : suffix)
        c = kSuffixChars[QRandomGenerator::global()->bounded(int(sizeof kSuffixChars) - 1)];
    return FolderOf(target) + '.' + NameOf(target) + '.' + suffix + ".part";
}

// The injected full disk: how much of size fits; -1 when nothing does.
ssize_t Reserve(std::size_t size)
{
    long long left = g_spaceLeft.load();
    while (left >= 0) {
        const long long granted = std::min<long long>(left, static_cast<long long>(size));
        if (g_spaceLeft.compare_exchange_weak(left, left - granted))
            return granted == 0 ? -1 : static_cast<ssize_t>(granted);
    }
    return static_cast<ssize_t>(size);
}

void SyncFolderOf(const std::string& path)
{
    const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    // The file is in place either way; a lost folder entry is beyond reporting here.
    (void)::fsync(fd);
    ::close(fd);
}

} // namespace

SafeFile::SafeFile(std::string target)
    : m_target(std::move(target))
{
}

SafeFile::~SafeFile()
{
    cancelWriting();
}

bool SafeFile::open(OpenMode mode)
{
    if (isOpen() || (mode & ~QIODevice::Unbuffered) != QIODevice::WriteOnly
        || m_target.empty()) {
        Fail(EINVAL);
        return false;
    }
    m_error = 0;
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        const std::string temp = m_direct ? m_target : TempPathFor(m_target);
        const int fd = ::open(temp.c_str(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, m_fileMode);
        if (fd < 0 && ((errno == EEXIST && !m_direct) || errno == EINTR))
            continue;
        if (fd < 0) {
            Fail(errno);
            return false;
        }
        m_fd = fd;
        m_temp = temp;
        m_buffer.reserve(kBufferBytes);
        return QIODevice::open(mode | QIODevice::Unbuffered);
    }
    Fail(EEXIST);
    return false;
}

qint64 SafeFile::readData(char*, qint64)
{
    return -1;
}

qint64 SafeFile::writeData(const char* data, qint64 size)
{
    if (m_error != 0 || m_fd < 0)
        return -1;
    if (m_buffer.size() + size > kBufferBytes && !FlushBuffer())
        return -1;
    if (size >= kBufferBytes)
        return WriteOut(data, std::size_t(size)) ? size : -1;
    m_buffer.append(data, size);
    return size;
}

bool SafeFile::WriteOut(const char* data, std::size_t size)
{
    const int error = WriteAllTo(m_fd, std::string_view(data, size));
    if (error != 0)
        Fail(error);
    return error == 0;
}

int SafeFile::WriteAllTo(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t allowed = Reserve(bytes.size());
        if (allowed < 0)
            return ENOSPC;
        const ssize_t written = ::write(fd, bytes.data(), std::size_t(allowed));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : EIO;
        bytes.remove_prefix(std::size_t(written));
    }
    return 0;
}

bool SafeFile::FlushBuffer()
{
    const bool written = WriteOut(m_buffer.constData(), std::size_t(m_buffer.size()));
    m_buffer.clear();
    return written;
}

bool SafeFile::commit()
{
    if (m_fd < 0 || m_error != 0 || !FlushBuffer()) {
        cancelWriting();
        return false;
    }
    if (m_syncOnCommit && ::fsync(m_fd) != 0)
        Fail(errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && m_error == 0)
        Fail(errno);
    if (m_error == 0 && !m_direct && ::rename(m_temp.c_str(), m_target.c_str()) != 0)
        Fail(errno);
    if (m_error != 0) {
        cancelWriting();
        return false;
    }
    m_temp.clear();
    QIODevice::close();
    if (m_syncOnCommit)
        SyncFolderOf(m_target);
    return true;
}

void SafeFile::cancelWriting()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temp.empty())
        ::unlink(m_temp.c_str());
    m_temp.clear();
    m_buffer.clear();
    if (isOpen())
        QIODevice::close();
}

void SafeFile::Fail(int error)
{
    if (m_error == 0)
        m_error = error != 0 ? error : EIO;
}

bool SafeFile::SyncFileSystem(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::syncfs(fd) == 0;
    ::close(fd);
    return synced;
}

void SafeFile::SetSpaceLeftForTesting(long long bytes)
{
    g_spaceLeft.store(bytes < 0 ? -1 : bytes);
}

} // namespace mosgrid
