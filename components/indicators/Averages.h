#pragma once

#include "Line.h"

namespace quorex::indicators {

// Simple average of the last `period` values; undefined until `period` finite values in a
// row have been seen.
Line SimpleAverage(Input values, int period);

// Exponential average, alpha = 2 / (period + 1), seeded with the simple average of the first
// `period` values: the first value is defined at index period - 1. A non-finite input
// leaves its bar undefined and starts the seeding again after it.
Line ExponentialAverage(Input values, int period);

// The same recursion with a given alpha, seeded with the simple average of the first
// `period` values (Wilder's smoothing is alpha = 1 / period).
Line SeededAverage(Input values, int period, double alpha);

} // namespace quorex::indicators
