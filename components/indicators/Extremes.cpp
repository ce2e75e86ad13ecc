#include "Extremes.h"

#include <cmath>
#include <deque>

namespace quorex::indicators {

namespace {

// A window's extreme in O(1) per bar: indexes whose values still can win, best first.
template <typename Better>
Line Extreme(Input values, int period, Better better)
{
    Line line = UndefinedLine(values.size());
    if (period < 1)
        return line;
    const auto length = static_cast<std::size_t>(period);
    std::deque<std::size_t> candidates;
    std::size_t run = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!std::isfinite(values[i])) {
            run = 0;
            candidates.clear();
            continue;
        }
        ++run;
        while (!candidates.empty() && !better(values[candidates.back()], values[i]))
            candidates.pop_back();
        candidates.push_back(i);
        if (candidates.front() + length <= i)
            candidates.pop_front();
        if (run >= length)
            line.values[i] = values[candidates.front()];
    }
    FindFirst(line);
    return line;
}

} // namespace

Line Highest(Input values, int period)
{
    return Extreme(values, period, [](double kept, double next) { return kept > next; });
}

Line Lowest(Input values, int period)
{
    return Extreme(values, period, [](double kept, double next) { return kept < next; });
}

Line MidRange(Input high, Input low, int period)
{
    Line highest = Highest(high, period);
    const Line lowest = Lowest(low, period);
    for (std::size_t i = 0; i < highest.values.size(); ++i)
        highest.values[i] = (highest.values[i] + lowest.values[i]) / 2;
    FindFirst(highest);
    return highest;
}

} // namespace quorex::indicators
