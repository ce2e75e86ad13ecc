#include "catalog/CListFileReader.h"

#include "base/MessageBox.h"
#include "catalog/DisplayText.h"

#include <QString>

#include <algorithm>
#include <bitset>
#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mosgrid {

namespace {

const char kCantOpenFormat[] = "Can't open [%s].";
const char kOverflowText[] = "Over flow.\n";

constexpr std::size_t kBufferSize = 64 * 1024;
constexpr int kCtrlZ = 0x1A;
constexpr int kLineFeed = 0x0A;
constexpr int kCarriageReturn = 0x0D;

// What a path may be: a regular file, or a FIFO (a pipe, as a process substitution gives),
// read as a stream. Devices, folders and sockets are refused before they are opened, so none
// blocks.
bool IsOpenable(const struct stat& info)
{
    return S_ISREG(info.st_mode) || S_ISFIFO(info.st_mode);
}

// Opens the path for reading and takes the exclusive lock of a regular file; -1 on any
// failure. O_NONBLOCK covers a change of the path between the checks and the open.
int openExclusive(const std::string& path)
{
    if (path.find('\0') != std::string::npos)
        return -1;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !IsOpenable(info))
        return -1;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    const int statusFlags = ::fcntl(fd, F_GETFL);
    const bool ok = ::fstat(fd, &info) == 0 && IsOpenable(info)
        && (!S_ISREG(info.st_mode) || ::flock(fd, LOCK_EX | LOCK_NB) == 0)
        && statusFlags >= 0 && ::fcntl(fd, F_SETFL, statusFlags & ~O_NONBLOCK) == 0;
    if (!ok) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// A stream read before its writer has come would end at once: wait for data or for the
// end of the writing.
void AwaitWriter(int fd)
{
    pollfd wanted{fd, POLLIN, 0};
    while (::poll(&wanted, 1, -1) < 0 && errno == EINTR) {
    }
}

} // namespace

CListFileReader::CListFileReader() = default;

CListFileReader::~CListFileReader()
{
    Close();
}

bool CListFileReader::CanOpen(const std::string& path)
{
    struct stat info {};
    if (path.find('\0') != std::string::npos || ::stat(path.c_str(), &info) != 0)
        return false;
    // A stream can be read once only: it is not opened to be checked.
    if (S_ISFIFO(info.st_mode))
        return ::faccessat(AT_FDCWD, path.c_str(), R_OK, AT_EACCESS) == 0;
    if (!S_ISREG(info.st_mode))
        return false;
    const int fd = openExclusive(path);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool CListFileReader::OpenFile(const std::string& path, unsigned int flags)
{
    Close();
    const int fd = openExclusive(path);
    if (fd < 0) {
        if (flags & flagReportFailure) {
            const QByteArray shownPath = DisplayText(path).toUtf8();
            ShowMessageBox(QString::asprintf(kCantOpenFormat, shownPath.constData()));
        }
        return false;
    }
    StartReading(fd, path, flags);
    struct stat info {};
    m_bAwaitWriter = ::fstat(fd, &info) == 0 && S_ISFIFO(info.st_mode);
    return true;
}

void CListFileReader::OpenSupplied(const std::string& name, unsigned int flags)
{
    Close();
    StartReading(kNoFile, name, flags);
}

void CListFileReader::StartReading(int fd, const std::string& path, unsigned int flags)
{
    if (m_buffer.empty())
        m_buffer.resize(kBufferSize);
    m_bAwaitWriter = false;
    m_fd = fd;
    m_nBufferPos = m_nBufferEnd = 0;
    m_bInputEnded = false;
    m_bReadError = false;
    m_chLast[0] = 0;
    m_chLast[1] = 0;
    m_nLine = 1;
    m_strPath = path;
    m_nFlags = flags;
    m_bOpen = true;
}

void CListFileReader::Close()
{
    if (!m_bOpen)
        return;
    if (m_fd != kNoFile)
        ::close(m_fd);
    m_fd = kNoFile;
    m_nBufferPos = m_nBufferEnd = 0;
    m_bOpen = false;
}

std::string CListFileReader::ReadUntil(std::string_view delimiters)
{
    std::string result;
    ReadUntil(delimiters, result);
    return result;
}

void CListFileReader::ReadUntil(std::string_view delimiters, std::string& result)
{
    result.clear();
    if (AtEnd())
        return;
    if (!m_bOpen) {
        // Nothing to read from: end the caller's loop rather than let it spin.
        m_bReadError = true;
        m_chLast[0] = kEndMarker;
        return;
    }
    std::bitset<256> isDelimiter;
    for (const char delimiter : delimiters)
        isDelimiter.set(static_cast<unsigned char>(delimiter));
    // Bytes that need more than an append; runs of all others are copied in one go.
    std::bitset<256> isSpecial = isDelimiter;
    isSpecial.set(kLineFeed);
    isSpecial.set(kEndMarker);
    if (!(m_nFlags & flagBinary)) {
        isSpecial.set(kCarriageReturn);
        isSpecial.set(kCtrlZ);
    }

    for (;;) {
        const char* const runStart = m_buffer.data() + m_nBufferPos;
        const char* const bufferEnd = m_buffer.data() + m_nBufferEnd;
        const char* runEnd = runStart;
        while (runEnd != bufferEnd && !isSpecial[static_cast<unsigned char>(*runEnd)])
            ++runEnd;
        result.append(runStart, runEnd);
        m_nBufferPos += runEnd - runStart;

        const int byte = NextByte();
        if (byte == kNoByte) {
            // A line cut short by a failing read is not one the file holds.
            if (m_bReadError)
                result.clear();
            m_chLast[0] = kEndMarker;
            return;
        }
        m_chLast[0] = static_cast<unsigned char>(byte);
        if (byte == kLineFeed)
            CountLine();
        if (isDelimiter.test(byte))
            return;
        result.push_back(static_cast<char>(byte));
        if (byte == kEndMarker)
            return;
    }
}

void CListFileReader::CountLine()
{
    if (m_nLine == std::numeric_limits<std::uint32_t>::max()) {
        ShowMessageBox(QString::fromLatin1(kOverflowText));
        return;
    }
    ++m_nLine;
}

std::string CListFileReader::GetField(std::string_view line, int n)
{
    if (n < 0)
        return {};
    std::size_t start = 0;
    for (int field = 0; field < n; ++field) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos)
            return {};
        start = comma + 1;
    }
    const std::size_t end = line.find(',', start);
    return std::string(line.substr(start, end == std::string_view::npos ? end : end - start));
}

ssize_t CListFileReader::ReadFromFile(int fd, char* buffer, std::size_t size)
{
    return ::read(fd, buffer, size);
}

// The next byte after text translation, or kNoByte once the input has ended.
int CListFileReader::NextByte()
{
    const int byte = NextRawByte();
    if (byte == kNoByte || (m_nFlags & flagBinary))
        return byte;
    if (byte == kCtrlZ) {
        m_bInputEnded = true;
        m_nBufferPos = m_nBufferEnd;
        return kNoByte;
    }
    if (byte == kCarriageReturn && (m_nBufferPos < m_nBufferEnd || Refill())
        && m_buffer[m_nBufferPos] == kLineFeed) {
        ++m_nBufferPos;
        return kLineFeed;
    }
    return byte;
}

int CListFileReader::NextRawByte()
{
    if (m_nBufferPos == m_nBufferEnd && !Refill())
        return kNoByte;
    return static_cast<unsigned char>(m_buffer[m_nBufferPos++]);
}

bool CListFileReader::Refill()
{
    if (m_bInputEnded)
        return false;
    if (m_bAwaitWriter) {
        m_bAwaitWriter = false;
        AwaitWriter(m_fd);
    }
    for (;;) {
        const ssize_t count = ReadFromFile(m_fd, m_buffer.data(), m_buffer.size());
        if (count > 0) {
            m_nBufferPos = 0;
            m_nBufferEnd = std::min(static_cast<std::size_t>(count), m_buffer.size());
            return true;
        }
        if (count < 0 && errno == EINTR)
            continue;
        m_bInputEnded = true;
        m_bReadError = count < 0;
        return false;
    }
}

} // namespace mosgrid
