#pragma once

#include "Line.h"

namespace quorex::indicators {

// Wilder's relative strength index: the first average gain and loss are the simple means
// of the first `period` changes, then avg = (avg x (period - 1) + current) / period;
// RSI = 100 x avgGain / (avgGain + avgLoss), 50 while nothing moves. First defined at
// index `period`.
Line Rsi(Input close, int period);

} // namespace quorex::indicators
