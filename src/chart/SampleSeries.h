#pragma once

#include "QuorexComponents.h"

namespace mosgrid {

// A built-in daily series of believable prices, the same on every call: what a preview
// draws on when the catalog has no security.
quorex::PriceDataPtr SampleSeries();

// Its length in bars, and the day of its newest bar (yyyymmdd).
inline constexpr int kSampleSeriesBars = 250;
inline constexpr int kSampleSeriesLastDate = 20241230;

} // namespace mosgrid
