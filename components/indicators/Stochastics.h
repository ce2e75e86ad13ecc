#pragma once

#include "Line.h"

namespace quorex::indicators {

// Slow stochastics: fast %K = 100 x (close - lowest low) / (highest high - lowest low) over
// `kPeriod` bars (50 when the range is flat); %K = simple average of fast %K over
// `kSmoothing`; %D = simple average of %K over `dPeriod`.
struct StochasticLines {
    Line k;
    Line d;
};

StochasticLines Stochastics(Input high, Input low, Input close, int kPeriod, int kSmoothing,
                            int dPeriod);

} // namespace quorex::indicators
