#include "SeriesCache.h"

namespace brasko {

SeriesCache::SeriesCache(std::size_t maxBars)
    : m_maxBars(maxBars)
{
}

void SeriesCache::EraseLocked(EntryList::iterator entry)
{
    m_bars -= entry->data->Bars().size();
    m_index.erase(entry->path);
    m_entries.erase(entry);
}

quorex::PriceDataPtr SeriesCache::Find(const std::string& path, const FileStamp& stamp)
{
    const std::lock_guard lock(m_mutex);
    const auto found = m_index.find(path);
    if (found == m_index.end())
        return nullptr;
    const EntryList::iterator entry = found->second;
    if (entry->stamp != stamp) {
        EraseLocked(entry);
        return nullptr;
    }
    m_entries.splice(m_entries.begin(), m_entries, entry);
    return entry->data;
}

void SeriesCache::Store(const std::string& path, const FileStamp& stamp,
                        quorex::PriceDataPtr data)
{
    if (!data)
        return;
    const std::size_t bars = data->Bars().size();
    if (bars > m_maxBars)
        return;
    const std::lock_guard lock(m_mutex);
    if (const auto found = m_index.find(path); found != m_index.end())
        EraseLocked(found->second);
    m_entries.push_front(Entry{path, stamp, std::move(data)});
    m_index.emplace(path, m_entries.begin());
    m_bars += bars;
    while (m_bars > m_maxBars)
        EraseLocked(std::prev(m_entries.end()));
}

std::size_t SeriesCache::BarCount() const
{
    const std::lock_guard lock(m_mutex);
    return m_bars;
}

} // namespace brasko
