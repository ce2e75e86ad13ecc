#pragma once

#include "export/CatalogExporter.h"
#include "settings/FlagColor.h"

#include <functional>
#include <vector>

namespace mosgrid {

class ValueRowMaker;

// Writes the value table (.csv) of every security of order (item indices, the shown order)
// to the request's target, its rows made by maker. The target is replaced only when the
// whole table has been made and written; a refusal is told as ExportCatalog tells it.
// staleDays: as the label's date badge (0: no stale marks).
ExportOutcome ExportValueTable(ValueRowMaker& maker, const CatalogItemList& items,
                               const std::vector<int>& order, const ExportRequest& request,
                               int staleDays, const ExportProgress& progress = {},
                               const std::function<FlagColor(int item)>& flagOf = {});

} // namespace mosgrid
