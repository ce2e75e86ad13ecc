#include "PriceFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brasko {

PriceFile::~PriceFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool PriceFile::Open(const std::string& path)
{
    // Non-blocking, so that a FIFO named like a price file cannot hang the caller.
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (m_fd < 0)
        return false;
    struct stat info {};
    if (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        // Closed, so that another path may be opened instead.
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    m_stamp.modifiedNs = std::int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    m_stamp.size = std::uint64_t(info.st_size);
    return true;
}

bool PriceFile::IsSettling() const
{
    const std::int64_t now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                 std::chrono::system_clock::now().time_since_epoch())
                                 .count();
    const std::int64_t settle =
        std::chrono::duration_cast<std::chrono::nanoseconds>(kSettleTime).count();
    return m_stamp.modifiedNs > now - settle && m_stamp.modifiedNs < now + settle;
}

bool PriceFile::ReadAll(std::string& bytes)
{
    if (m_fd < 0 || IsTooLarge())
        return false;
    return ReadAt(0, std::size_t(m_stamp.size), bytes);
}

bool PriceFile::ReadAt(std::uint64_t offset, std::size_t length, std::string& bytes)
{
    if (m_fd < 0)
        return false;
    bytes.resize(length);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t got = ::pread(m_fd, bytes.data() + done, length - done,
                                    off_t(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break; // shrunk since it was opened: take what is there
        done += std::size_t(got);
    }
    bytes.resize(done);
    return true;
}

} // namespace brasko
