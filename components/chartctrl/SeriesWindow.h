#pragma once

#include "QuorexComponents.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

namespace quorex::chart {

// The bars of one period and the latest `count` of them that a pane shows.
struct SeriesWindow {
    std::span<const PriceBar> bars;
    int first = 0;
    int count = 0;

    // The latest `shown` bars (all when fewer exist).
    static SeriesWindow Latest(std::span<const PriceBar> bars, int shown);
    const PriceBar& operator[](int index) const { return bars[first + index]; }
};

// A bar with non-finite prices is left out of drawing and of every range. Inline, as this
// and Include are asked for every bar and value a thumbnail plans.
inline bool IsDrawable(const PriceBar& bar)
{
    return std::isfinite(bar.open) && std::isfinite(bar.high) && std::isfinite(bar.low)
        && std::isfinite(bar.close);
}

struct ValueRange {
    double lo = 0;
    double hi = 0;
    bool valid = false;

    void Include(double value)
    {
        if (!std::isfinite(value))
            return;
        if (!valid) {
            lo = hi = value;
            valid = true;
            return;
        }
        lo = std::min(lo, value);
        hi = std::max(hi, value);
    }
};

// Lowest low and highest high of the shown bars.
ValueRange PriceRange(const SeriesWindow& window);

// Simple moving average of the close for each shown bar, using earlier bars outside the
// window; NaN where fewer than `period` finite closes precede it.
std::vector<double> MovingAverage(const SeriesWindow& window, int period);

// Shown indexes of the highest high and the lowest low (the earliest of equals); -1 when
// no bar is drawable.
struct Extremes {
    int highest = -1;
    int lowest = -1;
};
Extremes FindExtremes(const SeriesWindow& window);

} // namespace quorex::chart
