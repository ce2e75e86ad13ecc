#pragma once

#include "catalog/CatalogItem.h"
#include "chart/ItemOrigin.h"

#include <optional>
#include <string>
#include <vector>

namespace mosgrid {

class OriginTable;

// What a reload does: the list as it reads now, which old item each new one is, and which
// of the kept ones have new prices.
struct ReloadPlan {
    CatalogItemList items;
    std::vector<int> previous;  // per new item: its old index, or -1
    std::vector<int> remake;    // new indices whose price data changed

    bool changed(int oldCount) const;
};

// Whether an item's thumbnail is made again: its file changed since it was read (size or
// time), or was being written then. When the library named no file, the stamp is that of
// the item's source, so a source still missing is no change. An item not read yet is still
// waiting to be made anyway.
bool NeedsRemake(const std::optional<ItemOrigin>& recorded, const FileStamp& now);

// Reads the list file again (it is never removed by a reload) and the stamps of the price
// files in use. Nothing when the list does not open.
std::optional<ReloadPlan> PlanReload(const std::string& listFile,
                                     const CatalogItemList& current, const OriginTable& origins);

// The same for a list already read, whose items it takes, with previous from MatchItems.
ReloadPlan PlanReloadOf(CatalogItemList items, std::vector<int> previous,
                        const OriginTable& origins);

// Where the selection goes: the same security's new index, or -1 when it is gone.
int FollowSelection(const std::vector<int>& next, int selected);
// Where the top of the grid goes: the same security, else the first one after it that is
// still there, else the last one before it. At the very top, the grid stays at the top.
int FollowTop(const std::vector<int>& next, int top);

} // namespace mosgrid
