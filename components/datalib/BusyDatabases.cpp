#include "BusyDatabases.h"

namespace brasko {

bool BusyDatabases::IsBusy(const std::string& path)
{
    const std::lock_guard lock(m_mutex);
    const auto found = m_until.find(path);
    if (found == m_until.end())
        return false;
    if (Clock::now() < found->second)
        return true;
    m_until.erase(found);
    return false;
}

void BusyDatabases::Remember(const std::string& path)
{
    const std::lock_guard lock(m_mutex);
    const Clock::time_point now = Clock::now();
    // Each entry cost a wait, so there are few; the expired ones go when a new one comes.
    std::erase_if(m_until, [now](const auto& entry) { return entry.second <= now; });
    m_until[path] = now + kMemory;
    ++m_waits;
}

std::size_t BusyDatabases::Waits() const
{
    const std::lock_guard lock(m_mutex);
    return m_waits;
}

} // namespace brasko
