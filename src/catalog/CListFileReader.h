#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mosgrid {

// Reads a text file byte by byte up to a delimiter, counting line feeds, and splits lines
// into comma-separated fields. Text mode (the default) reads CR LF as LF and ends the input
// at 0x1A; binary mode passes every byte. A data byte 0xFF ends the input as well.
// A regular file is held exclusively (an advisory flock) while the reader has it open; a
// FIFO (a pipe, as from a process substitution) is read as a stream until its writer ends.
class CListFileReader {
public:
    static constexpr unsigned int flagBinary = 0x010;
    static constexpr unsigned int flagReportFailure = 0x100;

    // m_chLast holds this once the input has ended.
    static constexpr unsigned char kEndMarker = 0xFF;

    CListFileReader();
    virtual ~CListFileReader();
    CListFileReader(const CListFileReader&) = delete;
    CListFileReader& operator=(const CListFileReader&) = delete;

    // Closes any file still open, then opens path for reading: a regular file or a FIFO.
    bool OpenFile(const std::string& path, unsigned int flags);
    // Whether OpenFile(path, 0) would open it now (a regular file no one else holds, or a
    // FIFO that may be read), without taking anything from a stream.
    static bool CanOpen(const std::string& path);
    // Harmless when nothing is open.
    void Close();
    // The bytes up to the next byte of delimiters (consumed, not returned) or the end of
    // the input. After a read error the partial text is dropped, the end marker is set and
    // HasReadError() tells the two apart.
    std::string ReadUntil(std::string_view delimiters);
    // The same into result, reusing its storage across lines.
    void ReadUntil(std::string_view delimiters, std::string& result);
    void CountLine();
    // Field n (from 0) of a comma-separated line; empty when missing or n < 0.
    static std::string GetField(std::string_view line, int n);

    bool IsOpen() const { return m_bOpen; }
    bool AtEnd() const { return m_chLast[0] == kEndMarker; }
    unsigned char LastByte() const { return m_chLast[0]; }
    const std::string& Path() const { return m_strPath; }
    std::uint32_t Line() const { return m_nLine; }
    unsigned int Flags() const { return m_nFlags; }
    // A read failed other than at the end of the file since the last successful open.
    bool HasReadError() const { return m_bReadError; }

protected:
    // One read(2) into buffer: the byte count, 0 at the end of the file, -1 with errno.
    // Virtual so that tests can feed short reads and failures.
    virtual ssize_t ReadFromFile(int fd, char* buffer, std::size_t size);
    // Starts reading an input that a subclass supplies through ReadFromFile, which then gets
    // kNoFile as its descriptor; name stands in for the path.
    void OpenSupplied(const std::string& name, unsigned int flags);

    static constexpr int kNoFile = -1;

    unsigned char m_chLast[2] = {0, 0};
    std::string m_strPath;
    bool m_bOpen = false;
    std::uint32_t m_nLine = 0;
    unsigned int m_nFlags = 0;

private:
    static constexpr int kNoByte = -1;

    void StartReading(int fd, const std::string& path, unsigned int flags);
    int NextByte();
    int NextRawByte();
    bool Refill();

    int m_fd = kNoFile;
    std::vector<char> m_buffer;
    std::size_t m_nBufferPos = 0;
    std::size_t m_nBufferEnd = 0;
    bool m_bInputEnded = false;
    bool m_bReadError = false;
    // A stream whose first read must wait for its writer.
    bool m_bAwaitWriter = false;
};

} // namespace mosgrid
