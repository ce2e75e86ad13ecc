#include "LookBack.h"

#include <algorithm>
#include <cmath>

namespace quorex::indicators {

namespace {

std::size_t Window(int period)
{
    return period > 1 ? static_cast<std::size_t>(period) - 1 : 0;
}

} // namespace

std::size_t DecayBars(double alpha)
{
    if (!(alpha > 0) || alpha >= 1)
        return 0;
    return static_cast<std::size_t>(std::ceil(std::log(kSeedWeight) / std::log1p(-alpha)));
}

std::size_t SimpleAverageLookBack(int period)
{
    return Window(period);
}

std::size_t ExponentialAverageLookBack(int period)
{
    return Window(period) + DecayBars(2.0 / (period + 1.0));
}

std::size_t BollingerLookBack(int period)
{
    return Window(period);
}

std::size_t IchimokuLookBack(int a, int b, int c)
{
    const std::size_t shift = Window(b);
    return std::max(Window(a), shift + std::max({Window(a), Window(b), Window(c)}));
}

std::size_t RsiLookBack(int period)
{
    // period changes need period + 1 closes.
    return static_cast<std::size_t>(std::max(period, 1)) + DecayBars(1.0 / period);
}

std::size_t MacdLookBack(int fast, int slow, int signal)
{
    return std::max(ExponentialAverageLookBack(fast), ExponentialAverageLookBack(slow))
        + ExponentialAverageLookBack(signal);
}

std::size_t StochasticsLookBack(int kPeriod, int kSmoothing, int dPeriod)
{
    return Window(kPeriod) + Window(kSmoothing) + Window(dPeriod);
}

std::size_t RciLookBack(int period)
{
    return Window(period);
}

} // namespace quorex::indicators
