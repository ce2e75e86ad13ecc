#pragma once

#include <cstdint>
#include <string>

namespace brasko {

// When a price file was last written, and its size: what the series cache checks.
struct FileStamp {
    std::int64_t modifiedNs = 0;
    std::uint64_t size = 0;

    bool operator==(const FileStamp&) const = default;
};

// One price file, opened for a single read of all its bytes.
class PriceFile {
public:
    // Daily prices for a lifetime fit in a few megabytes; anything above this is not a
    // price file, and is refused before a byte of it is read.
    static constexpr std::uint64_t kMaxBytes = 64ull * 1024 * 1024;

    PriceFile() = default;
    ~PriceFile();
    PriceFile(const PriceFile&) = delete;
    PriceFile& operator=(const PriceFile&) = delete;

    // False when the path is not a regular file that can be read.
    bool Open(const std::string& path);
    const FileStamp& Stamp() const { return m_stamp; }
    bool IsTooLarge() const { return m_stamp.size > kMaxBytes; }
    // All bytes, in one read; false on a read error or a file over the limit.
    bool ReadAll(std::string& bytes);

private:
    int m_fd = -1;
    FileStamp m_stamp;
};

} // namespace brasko
