#include "Ichimoku.h"

#include "Extremes.h"

#include <algorithm>

namespace quorex::indicators {

namespace {

// The line moved `shift` bars later: `extra` more values, the first shift undefined.
Line Ahead(const std::vector<double>& values, std::size_t shift, std::size_t extra)
{
    Line line = UndefinedLine(values.size() + extra);
    for (std::size_t i = 0; i < values.size() && i + shift < line.values.size(); ++i)
        line.values[i + shift] = values[i];
    FindFirst(line);
    return line;
}

} // namespace

IchimokuLines Ichimoku(Input high, Input low, Input close, int a, int b, int c)
{
    IchimokuLines lines;
    const std::size_t size = std::min({high.size(), low.size(), close.size()});
    high = high.first(size);
    low = low.first(size);
    const std::size_t shift = static_cast<std::size_t>(std::max(b - 1, 0));
    lines.shift = static_cast<int>(shift);
    lines.conversion = MidRange(high, low, a);
    lines.base = MidRange(high, low, b);

    std::vector<double> spanA(size);
    for (std::size_t i = 0; i < size; ++i)
        spanA[i] = (lines.conversion.values[i] + lines.base.values[i]) / 2;
    lines.leadingA = Ahead(spanA, shift, shift);
    lines.leadingB = Ahead(MidRange(high, low, c).values, shift, shift);

    lines.lagging = UndefinedLine(size);
    for (std::size_t i = 0; i + shift < size; ++i)
        lines.lagging.values[i] = close[i + shift];
    FindFirst(lines.lagging);
    return lines;
}

} // namespace quorex::indicators
