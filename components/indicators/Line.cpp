#include "Line.h"

#include <cmath>

namespace quorex::indicators {

bool Line::Defined(std::size_t index) const
{
    return index < values.size() && std::isfinite(values[index]);
}

Line UndefinedLine(std::size_t size)
{
    return Line{std::vector<double>(size, kUndefined), size};
}

void FindFirst(Line& line)
{
    line.first = line.values.size();
    for (std::size_t i = 0; i < line.values.size(); ++i) {
        if (std::isfinite(line.values[i])) {
            line.first = i;
            return;
        }
    }
}

} // namespace quorex::indicators
