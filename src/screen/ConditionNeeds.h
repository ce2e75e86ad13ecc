#pragma once

#include "screen/ConditionNode.h"

#include <QuorexComponents.h>

namespace mosgrid {

// What a condition needs of the data library: the newest daily bars, weeks and months that
// every fact and function it names reads, with each function's look-back.
quorex::DataRequest ConditionNeeds(const ConditionNode& condition);

} // namespace mosgrid
