#pragma once

#include "QuorexComponents.h"

#include <QString>

#include <span>

namespace quorex::chart {

// Round values for guide lines: first + i * step for i < count, all within [lo, hi].
struct AxisTicks {
    double first = 0;
    double step = 0;
    int count = 0;
    int decimals = 0;   // digits after the point that tell the ticks apart

    double Value(int index) const { return first + index * step; }
};

// Steps of 1, 2, 2.5 or 5 times a power of ten, at most `maxTicks` of them (none when the range
// is empty or not finite).
AxisTicks NiceTicks(double lo, double hi, int maxTicks);

// "1,234" or "12.35": grouped thousands, a fixed count of decimals.
QString FormatPrice(double value, int decimals);

// Digits a price label needs: none for whole prices, else enough for the range's detail.
int PriceDecimals(double lo, double hi);

// The fewest decimals (at most 4) that write every price of bars exactly: the series' own,
// as its label writes them.
int WrittenDecimals(std::span<const PriceBar> bars);

// "850", "12.5K", "3M", "1.25B".
QString FormatVolume(double value);

} // namespace quorex::chart
