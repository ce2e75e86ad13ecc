#include "Bollinger.h"

#include "Averages.h"

#include <cmath>

namespace quorex::indicators {

BollingerBands Bollinger(Input close, int period, double width)
{
    BollingerBands bands;
    bands.middle = SimpleAverage(close, period);
    bands.upper = UndefinedLine(close.size());
    bands.lower = UndefinedLine(close.size());
    for (std::size_t i = bands.middle.first; i < close.size(); ++i) {
        const double mean = bands.middle.values[i];
        if (!std::isfinite(mean))
            continue;
        // Deviations from the mean, not sums of squares: no cancellation at high prices.
        double squares = 0;
        for (std::size_t k = i + 1 - static_cast<std::size_t>(period); k <= i; ++k)
            squares += (close[k] - mean) * (close[k] - mean);
        const double deviation = std::sqrt(squares / period);
        bands.upper.values[i] = mean + width * deviation;
        bands.lower.values[i] = mean - width * deviation;
    }
    FindFirst(bands.upper);
    FindFirst(bands.lower);
    return bands;
}

} // namespace quorex::indicators
