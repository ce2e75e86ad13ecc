#pragma once

#include "Line.h"

namespace quorex::indicators {

struct BollingerBands {
    Line middle;   // simple average of `period` closes
    Line upper;    // middle + width x population standard deviation of the same closes
    Line lower;    // middle - width x that deviation
};

BollingerBands Bollinger(Input close, int period, double width);

} // namespace quorex::indicators
