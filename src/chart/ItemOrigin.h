#pragma once

#include <cstdint>
#include <string>

namespace mosgrid {

// A file's identity, size and times: what a reload compares to see new prices. A file
// replaced by a rename with the same size and modification time (cp -p, rsync -t) has
// another inode and change time.
struct FileStamp {
    std::int64_t size = -1;       // -1: no such file (or it cannot be looked at)
    std::int64_t modifiedNs = 0;  // since the epoch
    std::int64_t changedNs = 0;   // status change, since the epoch
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    bool exists() const { return size >= 0; }
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of the file at path now.
FileStamp StampOf(const std::string& path);

// Nanoseconds since the epoch, on the clock file times are taken from.
std::int64_t NowNs();

// Where an item's series came from, as the chart host saw it right after reading it.
struct ItemOrigin {
    std::string path;      // the price file or database; empty when the library named none
    FileStamp stamp;       // taken right after the read (of the source without a path)
    bool settled = false;  // the read saw the file's finished content
};

// Whether a read that began at readStartNs saw finished content: the library left out no
// unfinished line, and the file had not been changed since shortly before the read began
// (file times lag the clock by a tick or so). A file changed during the read is read again
// at the next reload.
bool IsSettledRead(bool unsettled, const FileStamp& stamp, std::int64_t readStartNs);

} // namespace mosgrid
