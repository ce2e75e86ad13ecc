#include "Stochastics.h"

#include "Averages.h"
#include "Extremes.h"

#include <algorithm>
#include <cmath>

namespace quorex::indicators {

namespace {

constexpr double kFlat = 50;

} // namespace

StochasticLines Stochastics(Input high, Input low, Input close, int kPeriod, int kSmoothing,
                            int dPeriod)
{
    const std::size_t size = std::min({high.size(), low.size(), close.size()});
    const Line highest = Highest(high.first(size), kPeriod);
    const Line lowest = Lowest(low.first(size), kPeriod);
    std::vector<double> fast(size, kUndefined);
    for (std::size_t i = 0; i < size; ++i) {
        const double range = highest.values[i] - lowest.values[i];
        if (std::isfinite(range) && std::isfinite(close[i]))
            fast[i] = range > 0 ? 100 * (close[i] - lowest.values[i]) / range : kFlat;
    }
    StochasticLines lines;
    lines.k = SimpleAverage(fast, kSmoothing);
    lines.d = SimpleAverage(lines.k.values, dPeriod);
    return lines;
}

} // namespace quorex::indicators
