#include "SeriesWindow.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorex::chart {

SeriesWindow SeriesWindow::Latest(std::span<const PriceBar> bars, int shown)
{
    const int size = static_cast<int>(bars.size());
    const int count = std::clamp(shown, 0, size);
    return {bars, size - count, count};
}

ValueRange PriceRange(const SeriesWindow& window)
{
    ValueRange range;
    for (int i = 0; i < window.count; ++i) {
        const PriceBar& bar = window[i];
        if (!IsDrawable(bar))
            continue;
        range.Include(std::min({bar.low, bar.high, bar.open, bar.close}));
        range.Include(std::max({bar.low, bar.high, bar.open, bar.close}));
    }
    return range;
}

std::vector<double> MovingAverage(const SeriesWindow& window, int period)
{
    std::vector<double> result(window.count, std::numeric_limits<double>::quiet_NaN());
    if (period < 1)
        return result;
    const int end = window.first + window.count;
    const int start = std::max(0, window.first - period + 1);
    double sum = 0;
    int bad = 0;   // non-finite closes inside the running window
    for (int i = start; i < end; ++i) {
        const double close = window.bars[i].close;
        if (std::isfinite(close))
            sum += close;
        else
            ++bad;
        if (i - period >= start) {
            const double leaving = window.bars[i - period].close;
            if (std::isfinite(leaving))
                sum -= leaving;
            else
                --bad;
        }
        if (i >= window.first && i - start + 1 >= period && bad == 0)
            result[i - window.first] = sum / period;
    }
    return result;
}

Extremes FindExtremes(const SeriesWindow& window)
{
    Extremes found;
    for (int i = 0; i < window.count; ++i) {
        const PriceBar& bar = window[i];
        if (!IsDrawable(bar))
            continue;
        if (found.highest < 0 || bar.high > window[found.highest].high)
            found.highest = i;
        if (found.lowest < 0 || bar.low < window[found.lowest].low)
            found.lowest = i;
    }
    return found;
}

} // namespace quorex::chart
