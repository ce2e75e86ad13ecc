#include "chart/ItemOrigin.h"

#include <sys/stat.h>

#include <chrono>

namespace mosgrid {

namespace {

// File times come from a coarse clock that may lag the fine one by a few milliseconds.
constexpr std::int64_t kClockLagNs = 50'000'000;

std::int64_t Nanoseconds(const timespec& time)
{
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

} // namespace

FileStamp StampOf(const std::string& path)
{
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0)
        return {};
    FileStamp stamp;
    stamp.size = static_cast<std::int64_t>(info.st_size);
    stamp.modifiedNs = Nanoseconds(info.st_mtim);
    stamp.changedNs = Nanoseconds(info.st_ctim);
    stamp.device = static_cast<std::uint64_t>(info.st_dev);
    stamp.inode = static_cast<std::uint64_t>(info.st_ino);
    return stamp;
}

std::int64_t NowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

bool IsSettledRead(bool unsettled, const FileStamp& stamp, std::int64_t readStartNs)
{
    if (unsettled)
        return false;
    if (!stamp.exists())
        return true;
    return stamp.modifiedNs < readStartNs - kClockLagNs;
}

} // namespace mosgrid
