#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace brasko {

// When a price file was last written, and its size: what the series cache checks.
struct FileStamp {
    std::int64_t modifiedNs = 0;
    std::uint64_t size = 0;

    bool operator==(const FileStamp&) const = default;
};

// One price file, opened for reading all its bytes or pieces of them.
class PriceFile {
public:
    // Daily prices for a lifetime fit in a few megabytes; anything above this is not a
    // price file, and is refused before a byte of it is read.
    static constexpr std::uint64_t kMaxBytes = 64ull * 1024 * 1024;
    // A file written this recently may still be being written: its unfinished last line
    // is not read (vendors write a file in one go, well within this).
    static constexpr std::chrono::seconds kSettleTime{2};

    PriceFile() = default;
    ~PriceFile();
    PriceFile(const PriceFile&) = delete;
    PriceFile& operator=(const PriceFile&) = delete;

    // False when the path is not a regular file that can be read; another may be opened
    // then.
    bool Open(const std::string& path);
    const FileStamp& Stamp() const { return m_stamp; }
    bool IsTooLarge() const { return m_stamp.size > kMaxBytes; }
    // Written within kSettleTime of now (either side: a writer's clock may run ahead).
    bool IsSettling() const;
    // All bytes, in one read; false on a read error or a file over the limit.
    bool ReadAll(std::string& bytes);
    // Up to length bytes from offset (fewer at the end of the file); false on a read error.
    bool ReadAt(std::uint64_t offset, std::size_t length, std::string& bytes);

private:
    int m_fd = -1;
    FileStamp m_stamp;
};

} // namespace brasko
