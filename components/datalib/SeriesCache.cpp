#include "SeriesCache.h"

#include "BarNeed.h"

namespace brasko {

namespace {

constexpr std::size_t kAllocationOverhead = PriceSeries::kAllocationOverhead;
// A list node's two links; an index node's link, cached hash and its bucket.
constexpr std::size_t kListLinkBytes = 2 * sizeof(void*);
constexpr std::size_t kIndexNodeBytes = sizeof(std::string_view) + sizeof(void*)
                                        + 3 * sizeof(void*);

} // namespace

SeriesCache::SeriesCache(std::size_t budgetBytes)
    : m_budgetBytes(budgetBytes)
{
}

std::size_t SeriesCache::EntryBytes(const std::string& path, const PriceSeries& series)
{
    return sizeof(Entry) + kListLinkBytes + kAllocationOverhead             // list node
           + kIndexNodeBytes + kAllocationOverhead                          // index node
           + path.capacity() + 1 + kAllocationOverhead                      // path text
           + series.MemoryBytes();
}

void SeriesCache::EraseLocked(EntryList::iterator entry)
{
    m_bytes -= entry->bytes;
    m_index.erase(entry->path);
    m_entries.erase(entry);
}

PriceSeries::Ptr SeriesCache::Find(const std::string& path, const FileStamp& stamp,
                                   const quorex::DataRequest& need)
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
    const bool holdsEnough = entry->complete || Covers(need, entry->series->Bars());
    if (!holdsEnough)
        return nullptr;
    m_entries.splice(m_entries.begin(), m_entries, entry);
    return entry->series;
}

void SeriesCache::Store(const std::string& path, const FileStamp& stamp,
                        PriceSeries::Ptr series, bool complete)
{
    if (!series)
        return;
    Entry entry{path, stamp, std::move(series), complete, 0};
    entry.bytes = EntryBytes(entry.path, *entry.series);
    if (entry.bytes > m_budgetBytes)
        return;
    const std::lock_guard lock(m_mutex);
    if (const auto found = m_index.find(path); found != m_index.end()) {
        // Two readers of one file: the entry that holds more stays.
        const Entry& held = *found->second;
        const bool holdsMore = held.complete
                               || (!complete && held.series->Size() >= entry.series->Size());
        if (held.stamp == stamp && holdsMore)
            return;
        EraseLocked(found->second);
    }
    m_bytes += entry.bytes;
    m_entries.push_front(std::move(entry));
    m_index.emplace(m_entries.front().path, m_entries.begin());
    while (m_bytes > m_budgetBytes)
        EraseLocked(std::prev(m_entries.end()));
}

std::size_t SeriesCache::BytesHeld() const
{
    const std::lock_guard lock(m_mutex);
    return m_bytes;
}

std::size_t SeriesCache::EntryCount() const
{
    const std::lock_guard lock(m_mutex);
    return m_entries.size();
}

} // namespace brasko
