#pragma once

#include "PriceFile.h"

#include <QuorexComponents.h>

#include <list>
#include <mutex>
#include <string>
#include <unordered_map>

namespace brasko {

// Parsed series by file path, valid while the file's stamp is unchanged, so a rebuild of
// the thumbnails does not parse unchanged files again. Bounded by the total number of
// bars held; the least recently used series go first. Safe to share between threads.
class SeriesCache {
public:
    static constexpr std::size_t kDefaultMaxBars = 1'000'000; // about 48 MB of bars

    explicit SeriesCache(std::size_t maxBars = kDefaultMaxBars);

    // The cached series of path when its stamp still matches, else null.
    quorex::PriceDataPtr Find(const std::string& path, const FileStamp& stamp);
    void Store(const std::string& path, const FileStamp& stamp, quorex::PriceDataPtr data);
    std::size_t BarCount() const;

private:
    struct Entry {
        std::string path;
        FileStamp stamp;
        quorex::PriceDataPtr data;
    };
    using EntryList = std::list<Entry>;

    void EraseLocked(EntryList::iterator entry);

    const std::size_t m_maxBars;
    mutable std::mutex m_mutex;
    EntryList m_entries; // most recently used first
    std::unordered_map<std::string, EntryList::iterator> m_index;
    std::size_t m_bars = 0;
};

} // namespace brasko
