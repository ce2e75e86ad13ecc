#include "catalog/ItemMatching.h"

#include <deque>
#include <string>
#include <unordered_map>

namespace {

// The four fields, each preceded by its length, so no two securities share a key.
std::string KeyOf(const CatalogItem& item)
{
    std::string key;
    key.reserve(item.m_strSource.size() + item.m_strCode.size() + item.m_strName.size() + 40);
    key += std::to_string(item.m_nType);
    for (const std::string* field : {&item.m_strSource, &item.m_strCode, &item.m_strName}) {
        key += ':';
        key += std::to_string(field->size());
        key += ':';
        key += *field;
    }
    return key;
}

} // namespace

std::vector<int> MatchItems(const CatalogItemList& before, const CatalogItemList& after)
{
    std::unordered_map<std::string, std::deque<int>> waiting;
    waiting.reserve(before.size());
    for (std::size_t i = 0; i < before.size(); ++i)
        waiting[KeyOf(*before[i])].push_back(static_cast<int>(i));
    std::vector<int> previous(after.size(), -1);
    for (std::size_t i = 0; i < after.size(); ++i) {
        const auto found = waiting.find(KeyOf(*after[i]));
        if (found == waiting.end() || found->second.empty())
            continue;
        previous[i] = found->second.front();
        found->second.pop_front();
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
