#include "Extremes.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace quorex::indicators {

namespace {

// A window's extreme by van Herk and Gil-Werman's blocks: within each block of `length`
// values, running extremes from the block's start (ahead) and from its end (behind). A
// window spans at most two blocks, so its extreme is one more comparison: three a bar and no
// branch to mispredict, where a queue of candidates took a guess at every bar.
template <typename Pick>
void ExtremesOfRun(const double* values, std::size_t count, std::size_t length, Pick pick,
                   double* ahead, double* behind, double* out)
{
    for (std::size_t start = 0; start < count; start += length) {
        const std::size_t end = std::min(start + length, count);
        ahead[start] = values[start];
        for (std::size_t j = start + 1; j < end; ++j)
            ahead[j] = pick(ahead[j - 1], values[j]);
        behind[end - 1] = values[end - 1];
        for (std::size_t j = end - 1; j > start; --j)
            behind[j - 1] = pick(behind[j], values[j - 1]);
    }
    for (std::size_t j = length - 1; j < count; ++j)
        out[j] = pick(behind[j + 1 - length], ahead[j]);
}

template <typename Pick>
Line Extreme(Input values, int period, Pick pick)
{
    Line line = UndefinedLine(values.size());
    if (period < 1)
        return line;
    const auto length = static_cast<std::size_t>(period);
    std::vector<double> scratch(2 * values.size());
    // Each run of finite values on its own: a window over a bad value is undefined.
    for (std::size_t first = 0; first < values.size();) {
        if (!std::isfinite(values[first])) {
            ++first;
            continue;
        }
        std::size_t end = first + 1;
        while (end < values.size() && std::isfinite(values[end]))
            ++end;
        if (end - first >= length) {
            ExtremesOfRun(values.data() + first, end - first, length, pick,
                          scratch.data() + first, scratch.data() + values.size() + first,
                          line.values.data() + first);
        }
        first = end;
    }
    FindFirst(line);
    return line;
}

} // namespace

Line Highest(Input values, int period)
{
    return Extreme(values, period, [](double a, double b) { return a > b ? a : b; });
}

Line Lowest(Input values, int period)
{
    return Extreme(values, period, [](double a, double b) { return a < b ? a : b; });
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
