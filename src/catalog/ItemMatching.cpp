#include "catalog/ItemMatching.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string_view>

namespace mosgrid {

namespace {

// The four fields hashed together; equal items hash alike, and a match is then confirmed
// field by field.
std::uint64_t HashOf(const CatalogItem& item)
{
    constexpr std::uint64_t kMix = 0x9e3779b97f4a7c15ULL;
    std::uint64_t hash = std::uint64_t(std::uint32_t(item.m_nType));
    for (const std::string* field : {&item.m_strSource, &item.m_strCode, &item.m_strName}) {
        const std::uint64_t part = std::hash<std::string_view>{}(*field);
        hash ^= part + kMix + (hash << 6) + (hash >> 2);
    }
    return hash;
}

bool SameItem(const CatalogItem& a, const CatalogItem& b)
{
    return a.m_nType == b.m_nType && a.m_strCode == b.m_strCode && a.m_strName == b.m_strName
        && a.m_strSource == b.m_strSource;
}

struct Entry {
    std::uint64_t hash;
    int index;
    bool operator<(const Entry& other) const
    {
        return hash != other.hash ? hash < other.hash : index < other.index;
    }
};

// The first position at or after p not taken yet (positions past the end included), with
// the path shortened as it is walked: each taken position is passed over about once.
std::size_t NextFree(std::vector<std::size_t>& next, std::size_t p)
{
    std::size_t root = p;
    while (next[root] != root)
        root = next[root];
    while (next[p] != root) {
        const std::size_t up = next[p];
        next[p] = root;
        p = up;
    }
    return root;
}

} // namespace

// A hash and two positions per old item and no node per key, so a list of a million lines
// is matched in bounded memory.
std::vector<int> MatchItems(const CatalogItemList& before, const CatalogItemList& after)
{
    std::vector<Entry> entries(before.size());
    for (std::size_t i = 0; i < before.size(); ++i)
        entries[i] = Entry{HashOf(*before[i]), static_cast<int>(i)};
    std::sort(entries.begin(), entries.end());
    std::vector<std::size_t> next(entries.size() + 1);
    for (std::size_t p = 0; p < next.size(); ++p)
        next[p] = p;
    std::vector<int> previous(after.size(), -1);
    for (std::size_t i = 0; i < after.size(); ++i) {
        const std::uint64_t hash = HashOf(*after[i]);
        auto p = static_cast<std::size_t>(
            std::lower_bound(entries.begin(), entries.end(), Entry{hash, -1}) - entries.begin());
        // Equal items in list order; another item with the same hash is passed over.
        for (p = NextFree(next, p); p < entries.size() && entries[p].hash == hash;
             p = NextFree(next, p + 1)) {
            if (SameItem(*before[entries[p].index], *after[i])) {
                previous[i] = entries[p].index;
                next[p] = p + 1;
                break;
            }
        }
    }
    return previous;
}

std::vector<int> InvertMatch(const std::vector<int>& previous, int oldCount)
{
    std::vector<int> next(static_cast<std::size_t>(std::max(oldCount, 0)), -1);
    for (std::size_t i = 0; i < previous.size(); ++i) {
        const int from = previous[i];
        if (from >= 0 && from < oldCount && next[from] < 0)
            next[from] = static_cast<int>(i);
    }
    return next;
}

bool IsSameList(const std::vector<int>& previous, int oldCount)
{
    if (static_cast<int>(previous.size()) != oldCount)
        return false;
    for (std::size_t i = 0; i < previous.size(); ++i) {
        if (previous[i] != static_cast<int>(i))
            return false;
    }
    return true;
}

} // namespace mosgrid
