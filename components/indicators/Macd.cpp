#include "Macd.h"

#include "Averages.h"

namespace quorex::indicators {

MacdLines Macd(Input close, int fast, int slow, int signal)
{
    MacdLines lines;
    const Line fastLine = ExponentialAverage(close, fast);
    const Line slowLine = ExponentialAverage(close, slow);
    lines.macd = UndefinedLine(close.size());
    for (std::size_t i = 0; i < close.size(); ++i)
        lines.macd.values[i] = fastLine.values[i] - slowLine.values[i];
    FindFirst(lines.macd);
    lines.signal = ExponentialAverage(lines.macd.values, signal);
    lines.histogram = UndefinedLine(close.size());
    for (std::size_t i = 0; i < close.size(); ++i)
        lines.histogram.values[i] = lines.macd.values[i] - lines.signal.values[i];
    FindFirst(lines.histogram);
    return lines;
}

} // namespace quorex::indicators
