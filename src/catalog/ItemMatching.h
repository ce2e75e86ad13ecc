#pragma once

#include "catalog/CatalogItem.h"

#include <vector>

namespace mosgrid {

// Which item of the list before each item of a re-read list is: the same type, source,
// code and name. Repeated securities are paired in order (the second with the second).
// previous[i]: the old index of new item i, or -1 for a security the old list did not have.
std::vector<int> MatchItems(const CatalogItemList& before, const CatalogItemList& after);

// The reverse: for each old index, its new index or -1 when it is gone.
std::vector<int> InvertMatch(const std::vector<int>& previous, int oldCount);

// Whether the lists are the same securities in the same order.
bool IsSameList(const std::vector<int>& previous, int oldCount);

} // namespace mosgrid
