#include "view/ThumbnailBudget.h"

#include <unistd.h>

std::uint64_t ThumbnailBudget::DefaultBytes()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0)
        return std::uint64_t(1) << 30;  // unknown: one gigabyte
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize) / 2;
}

ThumbnailBudget::ThumbnailBudget(std::uint64_t limitBytes)
    : m_limit(limitBytes)
{
}

bool ThumbnailBudget::Take(std::uint64_t bytes)
{
    if (bytes > m_limit - m_used)
        return false;
    m_used += bytes;
    return true;
}
