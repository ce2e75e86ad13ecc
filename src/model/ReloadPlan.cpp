#include "model/ReloadPlan.h"

#include "catalog/CatalogListLoader.h"
#include "catalog/ItemMatching.h"
#include "thumbnails/OriginTable.h"

#include <unordered_map>

namespace mosgrid {

bool ReloadPlan::changed(int oldCount) const
{
    return !remake.empty() || !IsSameList(previous, oldCount);
}

bool NeedsRemake(const std::optional<ItemOrigin>& recorded, const FileStamp& now)
{
    if (!recorded)
        return false;
    if (!recorded->settled)
        return true;
    return !(recorded->stamp == now);
}

std::optional<ReloadPlan> PlanReload(const std::string& listFile,
                                     const CatalogItemList& current, const OriginTable& origins)
{
    CatalogItemList items;
    if (!LoadCatalogList(listFile, false, items).opened)
        return std::nullopt;
    std::vector<int> previous = MatchItems(current, items);
    return PlanReloadOf(std::move(items), std::move(previous), origins);
}

ReloadPlan PlanReloadOf(CatalogItemList items, std::vector<int> previous,
                        const OriginTable& origins)
{
    ReloadPlan plan;
    plan.items = std::move(items);
    plan.previous = std::move(previous);
    // Many items may share one file (a database): each is looked at once.
    std::unordered_map<std::string, FileStamp> stamps;
    for (std::size_t i = 0; i < plan.previous.size(); ++i) {
        if (plan.previous[i] < 0)
            continue;
        const std::optional<ItemOrigin> recorded = origins.Get(plan.previous[i]);
        FileStamp now;
        if (recorded) {
            // Without a file named, the source stands for it, as when it was read.
            const std::string& path =
                recorded->path.empty() ? plan.items[i]->m_strSource : recorded->path;
            const auto [it, added] = stamps.try_emplace(path);
            if (added)
                it->second = StampOf(path);
            now = it->second;
        }
        if (NeedsRemake(recorded, now))
            plan.remake.push_back(static_cast<int>(i));
    }
    return plan;
}

int FollowSelection(const std::vector<int>& next, int selected)
{
    if (selected < 0 || selected >= static_cast<int>(next.size()))
        return -1;
    return next[selected];
}

int FollowTop(const std::vector<int>& next, int top)
{
    const int count = static_cast<int>(next.size());
    if (top <= 0 || count == 0)
        return 0;
    for (int j = std::min(top, count); j < count; ++j) {
        if (next[j] >= 0)
            return next[j];
    }
    for (int j = std::min(top, count) - 1; j >= 0; --j) {
        if (next[j] >= 0)
            return next[j];
    }
    return 0;
}

} // namespace mosgrid
