#include "Rsi.h"

#include "Averages.h"

#include <cmath>

namespace quorex::indicators {

namespace {

constexpr double kNoMove = 50;

} // namespace

Line Rsi(Input close, int period)
{
    Line line = UndefinedLine(close.size());
    if (period < 1 || close.size() < 2)
        return line;
    // Changes from bar i - 1 to bar i, kept at index i - 1; undefined across a bad close.
    std::vector<double> gains(close.size() - 1);
    std::vector<double> losses(close.size() - 1);
    for (std::size_t i = 1; i < close.size(); ++i) {
        const double change = close[i] - close[i - 1];
        gains[i - 1] = std::isfinite(change) ? std::max(change, 0.0) : kUndefined;
        losses[i - 1] = std::isfinite(change) ? std::max(-change, 0.0) : kUndefined;
    }
    const double alpha = 1.0 / period;
    const Line gain = SeededAverage(gains, period, alpha);
    const Line loss = SeededAverage(losses, period, alpha);
    for (std::size_t i = 0; i < gains.size(); ++i) {
        const double up = gain.values[i];
        const double down = loss.values[i];
        if (!std::isfinite(up) || !std::isfinite(down))
            continue;
        line.values[i + 1] = up + down > 0 ? 100 * up / (up + down) : kNoMove;
    }
    FindFirst(line);
    return line;
}

} // namespace quorex::indicators
