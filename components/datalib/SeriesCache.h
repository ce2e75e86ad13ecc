#pragma once

#include "PriceFile.h"
#include "PriceSeries.h"

#include <QuorexComponents.h>

#include <list>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

namespace brasko {

// Parsed series by file path, valid while the file's stamp is unchanged, so a rebuild of
// the thumbnails does not read unchanged files again. An entry holds the whole series or
// only its newest bars, as the request that read it needed. Bounded by the memory held,
// counted per entry with its path and bookkeeping; the least recently used entries go
// first. Safe to share between threads.
class SeriesCache {
public:
    // 10,000 securities of a few hundred newest daily bars each (about 12 KB apiece).
    static constexpr std::size_t kDefaultBudgetBytes = 128 * 1024 * 1024;

    explicit SeriesCache(std::size_t budgetBytes = kDefaultBudgetBytes);

    // The cached series of path when its stamp still matches and it holds what need asks
    // for (every bar when need.latestBars is 0; see Covers). Else null; an entry with an
    // old stamp is dropped.
    PriceSeries::Ptr Find(const std::string& path, const FileStamp& stamp,
                          const quorex::DataRequest& need);
    // complete: series holds every bar of the file. An entry larger than the whole budget
    // is not kept.
    void Store(const std::string& path, const FileStamp& stamp, PriceSeries::Ptr series,
               bool complete);
    std::size_t BytesHeld() const;
    std::size_t EntryCount() const;
    // What an entry of this path and series counts against the budget.
    static std::size_t EntryBytes(const std::string& path, const PriceSeries& series);

private:
    struct Entry {
        std::string path;
        FileStamp stamp;
        PriceSeries::Ptr series;
        bool complete = false;
        std::size_t bytes = 0;
    };
    using EntryList = std::list<Entry>;

    void EraseLocked(EntryList::iterator entry);

    const std::size_t m_budgetBytes;
    mutable std::mutex m_mutex;
    EntryList m_entries; // most recently used first
    // Keys view the paths held by the entries.
    std::unordered_map<std::string_view, EntryList::iterator> m_index;
    std::size_t m_bytes = 0;
};

} // namespace brasko
