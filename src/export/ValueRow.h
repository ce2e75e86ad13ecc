#pragma once

#include "chart/ItemFacts.h"
#include "settings/FlagColor.h"

#include "QuorexComponents.h"

#include <vector>

namespace mosgrid {

// What a value table says of one security: its newest bar and every indicator line's value
// there, as the chart control names them.
struct ValueRow {
    ItemFacts facts;
    std::vector<quorex::IndicatorValue> values;
    FlagColor flag = FlagColor::None;
};

} // namespace mosgrid
