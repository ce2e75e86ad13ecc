#pragma once

#include "Line.h"

namespace quorex::indicators {

// Highest and lowest of the last `period` values; undefined where that window holds a
// non-finite value or reaches before the first bar.
Line Highest(Input values, int period);
Line Lowest(Input values, int period);

// (highest high + lowest low) / 2 over `period` bars: the lines of the equilibrium chart.
Line MidRange(Input high, Input low, int period);

} // namespace quorex::indicators
