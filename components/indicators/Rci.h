#pragma once

#include "Line.h"

namespace quorex::indicators {

// Rank correlation index: Spearman's correlation between the date order and the close
// order of the last `period` bars, x 100 (+100: every close above the one before). Ties take
// the mean of their ranks, and the correlation is that of the ranks (without ties the
// classic 1 - 6 sum d^2 / (n (n^2 - 1))); 0 when every close is equal.
Line Rci(Input close, int period);

} // namespace quorex::indicators
