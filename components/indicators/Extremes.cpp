#include "Extremes.h"

#include <cmath>
#include <vector>

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
    // A queue in one array: each index enters once, so it never needs more than the input;
    // the window's candidates are those from `head` on.
    std::vector<std::size_t> candidates(values.size());
    std::size_t head = 0, tail = 0;
    std::size_t run = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!std::isfinite(values[i])) {
            run = 0;
            head = tail = 0;
            continue;
        }
        ++run;
        while (tail > head && !better(values[candidates[tail - 1]], values[i]))
            --tail;
        candidates[tail++] = i;
        if (candidates[head] + length <= i)
            ++head;
        if (run >= length)
            line.values[i] = values[candidates[head]];
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
