#pragma once

#include "QuorexComponents.h"
#include "catalog/CatalogItem.h"
#include "chart/ItemFacts.h"

namespace mosgrid {

class IComponentProvider;

// Every daily bar of one security, read for the chart window.
struct WholeSeries {
    quorex::PriceDataPtr data;                      // null: no series
    quorex::DataProblem problem = quorex::DataProblem::None;
    ItemFacts facts;

    // Any thread but the user interface's: a data library of its own (created and let go
    // under the provider's component lock) reads the whole file; the library's series
    // cache answers for a file read before.
    static WholeSeries Load(IComponentProvider& provider, const CatalogItem& item);
};

} // namespace mosgrid
