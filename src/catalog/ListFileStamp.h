#pragma once

#include <sys/stat.h>

#include <cstdint>

namespace mosgrid {

// What tells a file apart from the one read before: another program that rewrote it in place
// changed its size or time, one that replaced it changed its inode.
struct ListFileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = -1;
    std::int64_t modifiedNs = 0;

    static ListFileStamp Of(const struct stat& info)
    {
        constexpr std::int64_t kNsPerSecond = 1000000000;
        return {std::uint64_t(info.st_dev), std::uint64_t(info.st_ino),
                std::int64_t(info.st_size),
                std::int64_t(info.st_mtim.tv_sec) * kNsPerSecond + info.st_mtim.tv_nsec};
    }
    bool operator==(const ListFileStamp&) const = default;
};

} // namespace mosgrid
