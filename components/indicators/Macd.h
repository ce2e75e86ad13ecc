#pragma once

#include "Line.h"

namespace quorex::indicators {

struct MacdLines {
    Line macd;        // EMA(fast) - EMA(slow) of the close
    Line signal;      // EMA(signal) of the MACD, seeded from its first defined values
    Line histogram;   // MACD - signal
};

MacdLines Macd(Input close, int fast, int slow, int signal);

} // namespace quorex::indicators
