#pragma once

#include <cstddef>
#include <limits>
#include <span>
#include <vector>

namespace quorex::indicators {

// One output array of an indicator: a value per input bar, NaN where it is not defined,
// and the index of the first defined value (the input's size when there is none).
struct Line {
    std::vector<double> values;
    std::size_t first = 0;

    bool Defined(std::size_t index) const;
};

using Input = std::span<const double>;

inline constexpr double kUndefined = std::numeric_limits<double>::quiet_NaN();

// A line of `size` undefined values.
Line UndefinedLine(std::size_t size);

// Sets `first` from the values.
void FindFirst(Line& line);

} // namespace quorex::indicators
